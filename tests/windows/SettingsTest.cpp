#include "windows/Settings.h"

#include "ProgramFolderFixture.h"
#include "SampleEawIni.h"
#include "config/PathVariables.h"
#include "platform/FolderListing.h"
#include "settings/KeyboardToggles.h"
#include "support/CurrentFolder.h"
#include "windows/PathText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>
#include <map>
#include <memory>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// The sample with one line's value changed, every other byte as it was.
std::string withValue(std::string text, const std::string& key, const std::string& value) {
    const std::string line = "\r\n" + key + "=";
    const std::size_t at = text.find(line);
    if (at == std::string::npos)
        return text;
    const std::size_t begin = at + line.size();
    return text.replace(begin, text.find("\r\n", begin) - begin, value);
}

std::string withoutLine(std::string text, const std::string& key) {
    const std::size_t at = text.find("\r\n" + key + "=");
    if (at == std::string::npos)
        return text;
    return text.erase(at, text.find("\r\n", at + 2) - at);
}

// The buttons the sample checks: force feedback, no AI, respawn, 56K, friendly HUD.
const QStringList kSampleChecked{"Check1", "Check3", "Check5", "Option2", "Option4"};

// A security copy whose bindings differ from the game's, so a restore shows.
std::string securityCopy() {
    std::string text = "[Remappable Keys]\r\n";
    for (const std::string_view key : DistinctToggleKeys())
        text += std::string(key) + "=copy " + std::string(key) + "\r\n";
    return text;
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramFolderFixture> program;
    QWidget mainWindow;
    QPointer<Settings> window;

    std::size_t seen = 0; // writes already looked at

    // Opens the window on `eawIni`; the writes of loading count as seen.
    void open(const std::string& eawIni) {
        WriteFile(program->game() / "EAW.INI", eawIni);
        mainWindow.setEnabled(false);
        window = new Settings(&mainWindow);
        seen = writeCount();
    }

    template <typename T> T* control(const QString& name) const {
        return Find<T>(window, qPrintable(name));
    }

    QStringList writes(std::size_t from = 0) const {
        QStringList list;
        const auto& all = window->gameIni().writes();
        for (std::size_t i = from; i < all.size(); ++i)
            list << QString::fromStdString(all[i].section + "/" + all[i].key + "=" + all[i].value);
        return list;
    }

    // What the window shows in its value controls, by name.
    QStringList shown(const QStringList& names) const {
        QStringList values;
        for (const QString& name : names) {
            QObject* found = control<QObject>(name);
            if (auto* box = qobject_cast<QLineEdit*>(found))
                values << box->text();
            else if (auto* label = qobject_cast<QLabel*>(found))
                values << label->text();
            else if (auto* list = qobject_cast<QComboBox*>(found))
                values << list->currentText();
            else if (auto* slider = qobject_cast<QScrollBar*>(found))
                values << QString::number(slider->value());
        }
        return values;
    }

    // The check boxes and option buttons that are on, in name order.
    QStringList checkedButtons() const {
        QStringList names;
        for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->isChecked())
                names << button->objectName();
        names.sort();
        return names;
    }

    // The writes since the last look, so that each step sees only its own.
    QStringList newWrites() {
        const QStringList list = writes(seen);
        seen = writeCount();
        return list;
    }

    std::size_t writeCount() const { return window->gameIni().writes().size(); }

    std::string gameIniText() const { return ReadFile(program->game() / "EAW.INI"); }

    bool gameIniHasLine(const std::string& line) const {
        return gameIniText().find("\r\n" + line + "\r\n") != std::string::npos;
    }

private slots:
    void init() {
        program = std::make_unique<ProgramFolderFixture>();
        WriteFile(program->backups() / "EAW.INI", securityCopy());
    }

    void cleanup() {
        delete window;
        program.reset();
    }

    void windowHasItsFixedLayout() {
        open(SampleEawIni());
        QCOMPARE(window->windowTitle(),
                 QString("EUROPEAN AIR WAR Quorvel v1.0 - EAW.INI Settings"));
        QCOMPARE(window->size(), QSize(618, 386));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QCOMPARE(control<QLabel>("PlayerNameHeading")->palette().color(QPalette::WindowText),
                 QColor(192, 0, 0));
        QCOMPARE(control<QCheckBox>("Check6")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 192));
        QCOMPARE(control<QCheckBox>("Check6")->text(), QString("1 - External Wiews Enabled"));
        QCOMPARE(ComboItems(control<QComboBox>("Combo1")),
                 (QStringList{"640x480", "800x600", "1024x768", "1152x864", "1280x960", "1280x1024",
                              "1600x1200"}));
        for (const char* numbers : {"Combo2", "Combo3"})
            QCOMPARE(ComboItems(control<QComboBox>(numbers)),
                     (QStringList{"0", "1", "2", "3", "4", "5"}));

        const QList<QPair<const char*, int>> ranges{
            {"HScroll1", 256},   {"HScroll2", 256}, {"HScroll3", 256}, {"HScroll4", 20},
            {"HScroll5", 10000}, {"HScroll6", 150}, {"HScroll9", 200}};
        for (const auto& [name, maximum] : ranges) {
            auto* slider = control<QScrollBar>(name);
            QCOMPARE(QList<int>({slider->minimum(), slider->maximum(), slider->singleStep(),
                                 slider->pageStep()}),
                     QList<int>({0, maximum, 1, 1}));
            QVERIFY2(!slider->hasTracking(), name);
        }
    }

    void openingWritesWhatLoadingWritesInOrderAndKeepsEveryOtherByte() {
        open(SampleEawIni());
        // The green set is read whole first; each moving slider writes all three.
        const QStringList expected{"EAW/PlayerPilotName=Hauptmann Kurz",
                                   "NETOPTION/AI_PlaneUpdateRate=200",
                                   "NETOPTION/PlayerPlaneUpdateRate=20",
                                   "NETOPTION/ClockSyncRate=80",
                                   "EAW/LeaderChar=42",
                                   "EAW/WingmanChar=43",
                                   "NETOPTION/NoAI=1",
                                   "NETOPTION/AllowRespawn=1",
                                   "DISPLAY/HudColor_Green_R=0",
                                   "DISPLAY/HudColor_Green_G=200",
                                   "DISPLAY/HudColor_Green_B=0",
                                   "DISPLAY/HudColor_Green_R=0",
                                   "DISPLAY/HudColor_Green_G=200",
                                   "DISPLAY/HudColor_Green_B=40",
                                   "CONTROLS/Force Feedback=1",
                                   "CONTROLS/JoystickDeadZone=5",
                                   "CONTROLS/Force Feedback Gain=7500",
                                   "CONTROLS/Flight Sensitivity=1.50",
                                   "CONTROLS/Camera Sensitivity=0.80"};
        QCOMPARE(writes(), expected);
        std::string after = withValue(SampleEawIni(), "PlayerPlaneUpdateRate", "20");
        after = withValue(after, "Flight Sensitivity", "1.50");
        after = withValue(after, "Camera Sensitivity", "0.80");
        QCOMPARE(gameIniText(), after);

        QCOMPARE(checkedButtons(), kSampleChecked);
        QCOMPARE(shown({"Text3", "Text1", "Text2", "Combo1", "Combo2", "Combo3", "HScroll6",
                        "Label21", "HScroll9", "Label13", "Label19", "Label20"}),
                 (QStringList{"Hauptmann Kurz", "*", "+", "1024x768", "3", "1", "150", "1.50", "80",
                              "0.8" /* as read */, "5", "7500"}));
        QCOMPARE(control<QComboBox>("Combo1")->currentIndex(), -1);
        QCOMPARE(control<QLabel>("Label6")->palette().color(QPalette::Window), QColor(0, 200, 40));
    }

    void openingOnNearlyEmptyFileLeavesSlidersAndFlagsUnwritten() {
        std::string text = SampleEawIni();
        for (const char* key :
             {"PlayerPilotName", "AI_PlaneUpdateRate", "NoAI", "AllowRespawn", "HudColor_Green_G",
              "HudColor_Green_B", "Force Feedback", "JoystickDeadZone", "Force Feedback Gain",
              "Flight Sensitivity", "Camera Sensitivity", "LeaderChar", "WingmanChar"})
            text = withoutLine(text, key);
        open(text);
        QCOMPARE(writes(),
                 (QStringList{"NETOPTION/AI_PlaneUpdateRate=140",
                              "NETOPTION/PlayerPlaneUpdateRate=14", "NETOPTION/ClockSyncRate=70"}));
        QCOMPARE(checkedButtons(), (QStringList{"Option3", "Option4"}));
        QCOMPARE(shown({"Text1", "Text2", "Label19", "Label20", "Label21", "Label13"}),
                 (QStringList{"", "", "Valor", "Valor", "Valor", ""}));
    }

    void togglesAreLoadedFromTheFirstKeyOfTheirGroup_data() {
        QTest::addColumn<QStringList>("blanked"); // a leading "-" removes the line
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QStringList>("written");
        QStringList views;
        for (const std::string_view key : kExternalViewKeys)
            views << QString::fromLatin1(key.data(), key.size());
        QTest::newRow("first view key blank blanks all twelve")
            << QStringList{"CHASE VIEW"} << QStringList{"Check6"} << views;
        QTest::newRow("a later view key blank is left alone")
            << QStringList{"FLY-BY VIEW"} << QStringList{} << QStringList{};
        QTest::newRow("enemy targeting checks closest enemy too")
            << QStringList{"TARGET NEXT ENEMY"} << QStringList{"Check9", "Check10"}
            << QStringList{"TARGET NEXT ENEMY", "TARGET PREVIOUS ENEMY", "TARGET CLOSEST ENEMY",
                           "TARGET CLOSEST ENEMY"};
        QTest::newRow("closest enemy already checked is not written again")
            << QStringList{"TARGET CLOSEST ENEMY", "TARGET NEXT ENEMY"}
            << QStringList{"Check9", "Check10"}
            << QStringList{"TARGET CLOSEST ENEMY", "TARGET NEXT ENEMY", "TARGET PREVIOUS ENEMY",
                           "TARGET CLOSEST ENEMY"};
        QTest::newRow("missing first key checks its toggle")
            << QStringList{"-TARGET INFO DISPLAY ON/OFF"} << QStringList{"Check13"}
            << QStringList{"TARGET INFO DISPLAY ON/OFF", "TARGET DIRECTOR DISPLAY ON/OFF",
                           "TARGET BOX DISPLAY ON/OFF", "TARGET ID DISPLAY ON/OFF",
                           "TARGET RANGE DISPLAY ON/OFF"};
    }

    void togglesAreLoadedFromTheFirstKeyOfTheirGroup() {
        QFETCH(QStringList, blanked);
        QFETCH(QStringList, checked);
        QFETCH(QStringList, written);
        std::string text = SampleEawIni();
        for (const QString& key : blanked)
            text = key.startsWith('-') ? withoutLine(text, key.mid(1).toStdString())
                                       : withValue(text, key.toStdString(), " ");
        open(text);
        checked << kSampleChecked;
        checked.sort();
        QCOMPARE(checkedButtons(), checked);
        QStringList remapped;
        for (const IniWrite& write : window->gameIni().writes())
            if (write.section == "Remappable Keys") {
                QCOMPARE(write.value, std::string(" "));
                remapped << QString::fromStdString(write.key);
            }
        QCOMPARE(remapped, written);
    }

    void badStoredValuesAreShownAsInitialStatesAndKeptInTheFile_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QStringList>("controls");
        QTest::addColumn<QStringList>("shownValues");
        const auto row = [](const char* name, const char* key, const char* value,
                            const char* controls, const char* shownValues) {
            QTest::newRow(name) << QString(key) << QString(value) << QString(controls).split(' ')
                                << QString(shownValues).split(' ');
        };
        row("leader not a number", "LeaderChar", "star", "Text1", "");
        row("leader code 0", "LeaderChar", "0", "Text1", "");
        row("wingman code 300", "WingmanChar", "300", "Text2", "");
        row("deadzone above range", "JoystickDeadZone", "25", "HScroll4 Label19", "0 Valor");
        row("deadzone with decimals", "JoystickDeadZone", "5.5", "HScroll4 Label19", "0 Valor");
        row("gain negative", "Force Feedback Gain", "-5", "HScroll5 Label20", "0 Valor");
        row("flight above 1.5", "Flight Sensitivity", "1.6", "HScroll6 Label21", "0 Valor");
        row("flight with comma", "Flight Sensitivity", "1,5", "HScroll6 Label21", "0 Valor");
        row("camera above 2.0, caption as read", "Camera Sensitivity", "2.5", "HScroll9 Label13",
            "0 2.5");
        row("green part above 256", "HudColor_Green_G", "300", "HScroll2", "0");
        row("green part not a number", "HudColor_Green_B", "teal", "HScroll3", "0");
    }

    void badStoredValuesAreShownAsInitialStatesAndKeptInTheFile() {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QStringList, controls);
        QFETCH(QStringList, shownValues);
        open(withValue(SampleEawIni(), key.toStdString(), value.toStdString()));
        QVERIFY(gameIniHasLine(key.toStdString() + "=" + value.toStdString()));
        for (const IniWrite& write : window->gameIni().writes()) {
            QVERIFY2(write.key != key.toStdString(), write.key.c_str());
            if (key.startsWith("HudColor"))
                QVERIFY2(write.section != "DISPLAY", "a set it could not read is never written");
        }
        QCOMPARE(shown(controls), shownValues);
    }

    void opensWithoutAGameIniAndWritesNothing_data() {
        QTest::addColumn<bool>("folderStored");
        QTest::newRow("no game folder") << false;
        QTest::newRow("no EAW.INI in the game folder") << true;
    }

    void opensWithoutAGameIniAndWritesNothing() {
        QFETCH(bool, folderStored);
        if (!folderStored) {
            StorePaths("");
            ReloadPaths(true);
        }
        const CurrentFolder current(program->game());
        window = new Settings(&mainWindow);
        QCOMPARE(checkedButtons(), QStringList{});
        QCOMPARE(shown({"Text3", "Label13", "HScroll6"}), (QStringList{"", "Valor", "0"}));
        if (!folderStored) {
            control<QCheckBox>("Check6")->setChecked(true);
            control<QScrollBar>("HScroll6")->setValue(100);
        }
        QCOMPARE(writeCount(), std::size_t{0});
        QVERIFY(!fs::exists(program->game() / "EAW.INI"));
    }

    void gameIniOfAnyCaseIsUsedAndNoSecondOneIsCreated() {
        WriteFile(program->game() / "eaw.ini", withValue(SampleEawIni(), "CHASE VIEW", " "));
        fs::rename(program->backups() / "EAW.INI", program->backups() / "Eaw.ini");
        window = new Settings(&mainWindow);
        QVERIFY(control<QCheckBox>("Check6")->isChecked());
        control<QCheckBox>("Check6")->setChecked(false);
        QCOMPARE(FilesIn(program->game()), QStringList{"eaw.ini"});
        QVERIFY(ReadFile(program->game() / "eaw.ini").find("CHASE VIEW=copy CHASE VIEW\r\n") !=
                std::string::npos);
    }

    // The full table of the hundredths format is proven on the format itself; here each
    // slider shows it writes its own key in its own format and caption.
    void sliderValuesAreWrittenInTheirFormats_data() {
        QTest::addColumn<QString>("slider");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("caption");
        const auto row = [](const char* slider, int position, const char* written,
                            const char* caption) {
            QTest::newRow(written)
                << QString(slider) << position << QString(written) << QString(caption);
        };
        row("HScroll6", 0, "CONTROLS/Flight Sensitivity=0.00", "Label21");
        row("HScroll6", 5, "CONTROLS/Flight Sensitivity=0.05", "Label21");
        row("HScroll6", 150, "CONTROLS/Flight Sensitivity=1.50", "Label21");
        row("HScroll9", 200, "CONTROLS/Camera Sensitivity=2.00", "Label13");
        row("HScroll4", 20, "CONTROLS/JoystickDeadZone=20", "Label19");
        row("HScroll5", 10000, "CONTROLS/Force Feedback Gain=10000", "Label20");
    }

    void sliderValuesAreWrittenInTheirFormats() {
        QFETCH(QString, slider);
        QFETCH(int, position);
        QFETCH(QString, written);
        QFETCH(QString, caption);
        open(SampleEawIni());
        auto* bar = control<QScrollBar>(slider);
        if (bar->value() == position)
            bar->setValue(position == bar->maximum() ? position - 1 : position + 1);
        newWrites();
        bar->setValue(position);
        QCOMPARE(newWrites(), QStringList{written});
        QCOMPARE(control<QLabel>(caption)->text(), written.section('=', 1));
    }

    void draggingASliderWritesOnceOnRelease() {
        open(SampleEawIni());
        auto* bar = control<QScrollBar>("HScroll5");
        bar->setSliderDown(true);
        for (int position : {100, 2000, 4000})
            bar->setSliderPosition(position);
        QCOMPARE(newWrites(), QStringList{});
        bar->setSliderDown(false);
        QCOMPARE(newWrites(), QStringList{"CONTROLS/Force Feedback Gain=4000"});
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        QCOMPARE(newWrites(), QStringList{"CONTROLS/Force Feedback Gain=4001"});
    }

    // The box shows the game's single-byte characters; the code of each is written.
    void symbolBoxesWriteTheCodeOfTheirFirstCharacter_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("written");
        QTest::newRow("hash, first of two") << "Text1" << QString("#*") << "EAW/LeaderChar=35";
        QTest::newRow("cleared") << "Text1" << QString() << "EAW/LeaderChar=";
        QTest::newRow("latin letter") << "Text2" << QString(QChar(0xE9)) << "EAW/WingmanChar=233";
        QTest::newRow("outside the single-byte set")
            << "Text2" << QString(QChar(0x20AC)) << "EAW/WingmanChar=";
    }

    void symbolBoxesWriteTheCodeOfTheirFirstCharacter() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, written);
        open(SampleEawIni());
        control<QLineEdit>(box)->setText(text);
        QCOMPARE(newWrites(), QStringList{written});
    }

    void pilotNameIsWrittenOncePerKeystroke() {
        open(withValue(SampleEawIni(), "PlayerPilotName", "R\xE9my"));
        QCOMPARE(control<QLineEdit>("Text3")->text(), QString::fromUtf8("R\u00E9my"));
        QTest::keyClicks(control<QLineEdit>("Text3"), "Jo");
        QCOMPARE(newWrites(),
                 (QStringList{"EAW/PlayerPilotName=R\xE9myJ", "EAW/PlayerPilotName=R\xE9myJo"}));
        QVERIFY(gameIniHasLine("PlayerPilotName=R\xE9myJo"));
    }

    void networkPresetsAreWrittenWhole() {
        open(SampleEawIni()); // the second preset is chosen
        QTest::mouseClick(control<QRadioButton>("Option1"), Qt::LeftButton);
        QTest::mouseClick(control<QRadioButton>("Option3"), Qt::LeftButton);
        QCOMPARE(
            newWrites(),
            (QStringList{"NETOPTION/AI_PlaneUpdateRate=350", "NETOPTION/PlayerPlaneUpdateRate=35",
                         "NETOPTION/ClockSyncRate=140", "NETOPTION/AI_PlaneUpdateRate=140",
                         "NETOPTION/PlayerPlaneUpdateRate=14", "NETOPTION/ClockSyncRate=70"}));
    }

    void listsWriteTheChosenItemAndTypingWritesNothing() {
        open(SampleEawIni());
        auto* resolution = control<QComboBox>("Combo1");
        QTest::keyClicks(resolution->lineEdit(), "1366x768");
        QTest::keyClicks(control<QComboBox>("Combo2")->lineEdit(), "9");
        QCOMPARE(newWrites(), QStringList{});
        resolution->setCurrentIndex(4);
        QTest::keyClick(resolution, Qt::Key_Down); // chooses "1280x1024"
        control<QComboBox>("Combo2")->setCurrentIndex(1);
        QTest::keyClick(control<QComboBox>("Combo2"), Qt::Key_Down);
        control<QComboBox>("Combo3")->setCurrentIndex(4);
        QTest::keyClick(control<QComboBox>("Combo3"), Qt::Key_Down);
        QCOMPARE(newWrites(), (QStringList{"GRAPHICS/width=1280", "GRAPHICS/height=1024",
                                           "EAW/ExtraSquads=2", "CONTROLS/Windows JOYSTICK=5"}));
    }

    void flagsWriteOneOrZero() {
        open(SampleEawIni());
        for (const char* name : {"Check1", "Check3", "Check4", "Check5"})
            QTest::mouseClick(control<QCheckBox>(name), Qt::LeftButton);
        QCOMPARE(newWrites(),
                 (QStringList{"CONTROLS/Force Feedback=0", "NETOPTION/NoAI=0",
                              "NETOPTION/StartOnGround=1", "NETOPTION/AllowRespawn=0"}));
    }

    void colourSlidersWriteTheSelectedSet() {
        open(withValue(SampleEawIni(), "HudColor_Green_B", "30"));
        // Red stored 230, 20, 20 with the sliders at 0, 200, 30: each slider that moves
        // writes the whole set, which ends as stored.
        QTest::mouseClick(control<QRadioButton>("Option5"), Qt::LeftButton);
        QCOMPARE(newWrites(),
                 (QStringList{"DISPLAY/HudColor_Red_R=230", "DISPLAY/HudColor_Red_G=200",
                              "DISPLAY/HudColor_Red_B=30", "DISPLAY/HudColor_Red_R=230",
                              "DISPLAY/HudColor_Red_G=20", "DISPLAY/HudColor_Red_B=30",
                              "DISPLAY/HudColor_Red_R=230", "DISPLAY/HudColor_Red_G=20",
                              "DISPLAY/HudColor_Red_B=20"}));
        QCOMPARE(control<QLabel>("Label6")->palette().color(QPalette::Window), QColor(230, 20, 20));

        control<QScrollBar>("HScroll2")->setValue(256);
        QCOMPARE(newWrites(),
                 (QStringList{"DISPLAY/HudColor_Red_R=230", "DISPLAY/HudColor_Red_G=256",
                              "DISPLAY/HudColor_Red_B=20"}));
        QCOMPARE(control<QLabel>("Label6")->palette().color(QPalette::Window),
                 QColor(230, 255, 20));
        QVERIFY(gameIniHasLine("HudColor_Green_B=30"));
    }

    void movingASliderKeepsAnUnreadablePartOfTheSet() {
        open(withValue(SampleEawIni(), "HudColor_Green_B", "teal"));
        control<QScrollBar>("HScroll1")->setValue(12);
        QCOMPARE(newWrites(),
                 (QStringList{"DISPLAY/HudColor_Green_R=12", "DISPLAY/HudColor_Green_G=200"}));
        control<QScrollBar>("HScroll3")->setValue(7);
        QCOMPARE(newWrites(),
                 (QStringList{"DISPLAY/HudColor_Green_R=12", "DISPLAY/HudColor_Green_G=200",
                              "DISPLAY/HudColor_Green_B=7"}));
    }

    void togglesBlankAndRestoreTheirGroups_data() {
        QTest::addColumn<int>("toggle");
        for (int toggle = 0; toggle < 8; ++toggle)
            QTest::newRow(qPrintable(QString("Check%1").arg(toggle + 6))) << toggle;
    }

    void togglesBlankAndRestoreTheirGroups() {
        QFETCH(int, toggle);
        open(SampleEawIni());
        const KeyboardToggle& group = kKeyboardToggles[static_cast<std::size_t>(toggle)];
        auto* box = control<QCheckBox>(QString("Check%1").arg(toggle + 6));
        QTest::mouseClick(box, Qt::LeftButton);
        QStringList blanked;
        for (const std::string_view key : group.keys)
            blanked << "Remappable Keys/" + QString::fromLatin1(key.data(), key.size()) + "= ";
        if (toggle == static_cast<int>(kEnemyTargetingToggle))
            blanked << "Remappable Keys/TARGET CLOSEST ENEMY= "; // through Check9
        QCOMPARE(newWrites(), blanked);
        // Every key is one the game's file has: it was blanked in place, no line added.
        const std::string sample = SampleEawIni(), after = gameIniText();
        QCOMPARE(std::count(after.begin(), after.end(), '\n'),
                 std::count(sample.begin(), sample.end(), '\n'));

        const std::size_t copyReadsEarlier = window->gameIni().writes().back().copyReadsBefore;
        QTest::mouseClick(box, Qt::LeftButton);
        QStringList restored;
        for (std::size_t i = 0; i < group.restoredKeys; ++i) {
            const QString key = QString::fromLatin1(group.keys[i].data(), group.keys[i].size());
            restored << "Remappable Keys/" + key + "=copy " + key;
            // Every key of the group was read from the copy before the first write.
            QCOMPARE(window->gameIni().writes()[seen + i].copyReadsBefore,
                     copyReadsEarlier + group.restoredKeys);
        }
        QCOMPARE(newWrites(), restored);
    }

    void closestEnemyFollowsEnemyTargeting() {
        open(SampleEawIni());
        auto* closest = control<QCheckBox>("Check9");
        auto* enemy = control<QCheckBox>("Check10");
        QTest::mouseClick(enemy, Qt::LeftButton);
        QVERIFY(closest->isChecked());
        QCOMPARE(newWrites().size(), 4); // the group, then closest enemy through Check9

        QTest::mouseClick(closest, Qt::LeftButton);
        QVERIFY(closest->isChecked());
        QCOMPARE(newWrites(), QStringList{"Remappable Keys/TARGET CLOSEST ENEMY= "});

        QTest::mouseClick(enemy, Qt::LeftButton);
        QVERIFY(closest->isChecked());
        QCOMPARE(newWrites(),
                 (QStringList{"Remappable Keys/TARGET NEXT ENEMY=copy TARGET NEXT ENEMY",
                              "Remappable Keys/TARGET PREVIOUS ENEMY=copy TARGET PREVIOUS ENEMY"}));
        QVERIFY(gameIniHasLine("TARGET CLOSEST ENEMY= "));

        QTest::mouseClick(closest, Qt::LeftButton);
        QVERIFY(!closest->isChecked());
        QCOMPARE(newWrites(),
                 QStringList{"Remappable Keys/TARGET CLOSEST ENEMY=copy TARGET CLOSEST ENEMY"});
    }

    void keyMissingFromTheCopyIsRestoredEmptyAndReadsChecked() {
        WriteFile(program->backups() / "EAW.INI", "[Remappable Keys]\r\n");
        open(withValue(SampleEawIni(), "COCKPIT ON/OFF", " "));
        auto* cockpit = control<QCheckBox>("Check7");
        QVERIFY(cockpit->isChecked());
        QTest::mouseClick(cockpit, Qt::LeftButton);
        QVERIFY(gameIniHasLine("COCKPIT ON/OFF="));
        delete window;
        window = new Settings(&mainWindow);
        QVERIFY(control<QCheckBox>("Check7")->isChecked());
    }

    // However full the game folder, opening reads it once to find EAW.INI's name,
    // and a click reads no folder at all.
    void gameIniNameIsFoundOncePerOpening() {
        std::map<fs::path, int> reads;
        SetFolderReadHook([&reads](const fs::path& folder) { ++reads[folder]; });
        open(SampleEawIni());
        const int gameReads = reads[program->game()];
        const int backupReads = reads[program->backups()];
        QTest::mouseClick(control<QCheckBox>("Check6"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>("Check6"), Qt::LeftButton);
        control<QScrollBar>("HScroll4")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SetFolderReadHook({});
        QCOMPARE(gameReads, 1);
        QCOMPARE(backupReads, 1);
        QCOMPARE(reads[program->game()], 1);
        QCOMPARE(reads[program->backups()], 1);
        QCOMPARE(newWrites().size(), 25); // blanked, restored, the dead zone
    }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
