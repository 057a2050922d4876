#include "windows/Settings.h"

#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "platform/FolderListing.h"
#include "platform/IniFile.h"
#include "settings/KeyboardToggles.h"
#include "support/WindowsSkips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QtTest>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

std::string bytes(const QString& text) {
    return text.toLatin1().toStdString();
}

// The characters of the bytes 0x80 to 0xFF, as the sample's Latin-1 text holds them.
QString everyHighByte() {
    QString text;
    for (char16_t code = 0x80; code <= 0xFF; ++code)
        text += QChar(code);
    return text;
}

// The keys of all toggle groups, each once, in order of first appearance.
std::vector<std::string_view> distinctToggleKeys() {
    std::vector<std::string_view> keys;
    for (const KeyboardToggle& toggle : kKeyboardToggles)
        for (const std::string_view key : toggle.keys)
            if (std::find(keys.begin(), keys.end(), key) == keys.end())
                keys.push_back(key);
    return keys;
}

QString keyName(std::string_view key) {
    return QString::fromLatin1(key.data(), static_cast<qsizetype>(key.size()));
}

// An EAW.INI as a player's game leaves it: the six sections the editor touches,
// settings it does not know and comments, and a binding of its own for every key of
// the keyboard toggles. LeaderChar and JoystickDeadZone are not in the form the
// editor writes, so that opening shows it writes them back.
QString sample() {
    QString text = R"(; European Air War settings
[EAW]
PlayerPilotName=Hauptmann Kurz
LeaderChar=042
WingmanChar=43
ExtraSquads=3

[NETOPTION]
AI_PlaneUpdateRate=200
PlayerPlaneUpdateRate=25
ClockSyncRate=80
NoAI=1
StartOnGround=0
AllowRespawn=1

[GRAPHICS]
width=1024
height=768

[DISPLAY]
HudColor_Green_R=0
HudColor_Green_G=200
HudColor_Green_B=40
HudColor_Red_R=230
HudColor_Red_G=20
HudColor_Red_B=20

[CONTROLS]
Force Feedback=1
JoystickDeadZone=05
Force Feedback Gain=7500
Flight Sensitivity=1.5
Windows JOYSTICK=1
Camera Sensitivity=0.8

[Remappable Keys]
)";
    int code = 0;
    for (const std::string_view key : distinctToggleKeys())
        text += keyName(key) + "=Key" + QString::number(++code) + "\n";
    text += "PAUSE=P\n";
    return text.replace("\n", "\r\n");
}

// The security copy binds each key otherwise than the game, so that a restore shows;
// it lacks SNAPVIEW REAR.
QString securityCopy() {
    QString text = "[Remappable Keys]\r\n";
    for (const std::string_view key : distinctToggleKeys())
        if (key != "SNAPVIEW REAR")
            text += keyName(key) + "=copy of " + keyName(key) + "\r\n";
    return text;
}

// What opening the sample changes in it: the preset its rate selects and the values
// written back in the editor's own form.
const QStringList kOpeningWrites{"NETOPTION/PlayerPlaneUpdateRate=20", "EAW/LeaderChar=42",
                                 "CONTROLS/JoystickDeadZone=5", "CONTROLS/Flight Sensitivity=1.50",
                                 "CONTROLS/Camera Sensitivity=0.80"};

// `text` with the value of each "Section/Key=value" of `entries` set in place.
QString edited(QString text, const QStringList& entries) {
    for (const QString& entry : entries) {
        const QString line = "\r\n" + entry.section('=', 0, 0).section('/', 1) + "=";
        const qsizetype at = text.indexOf(line, text.indexOf("[" + entry.section('/', 0, 0) + "]"));
        if (at < 0)
            return "no line for " + entry;
        const qsizetype begin = at + line.size();
        text.replace(begin, text.indexOf("\r\n", begin) - begin, entry.section('=', 1));
    }
    return text;
}

// "Remappable Keys/key=binding|" for each key; "%1" in the binding stands for the key.
QString bindings(const QString& binding, std::initializer_list<const char*> keys) {
    QString entries;
    for (const char* key : keys)
        entries +=
            "Remappable Keys/" + QString(key) + "=" + QString(binding).replace("%1", key) + "|";
    return entries;
}

// Turns the wheel one notch up or down over `control` as the mouse does: the
// event goes to the widget under the pointer, and on to its parents while none
// takes it.
void turnWheel(QWidget* control, bool up) {
    const QPoint centre = control->rect().center();
    QWidget* under = control->childAt(centre) ? control->childAt(centre) : control;
    QWheelEvent wheel(under->mapFrom(control, centre), control->mapToGlobal(centre), QPoint(),
                      QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::sendEvent(under, &wheel);
}

// Types `text` key by key, any character as a keyboard layout would give it.
void typeText(QWidget* box, const QString& text) {
    for (const QChar character : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(character), Qt::NoModifier);
}

// Presses a key named as QKeySequence names it ("Right", "PgUp"), or turns the
// wheel ("WheelUp", "WheelDown"), on the control that has the focus.
void press(QWidget* control, const QString& input) {
    if (input.startsWith("Wheel"))
        turnWheel(control, input == "WheelUp");
    else
        QTest::keyClick(QApplication::focusWidget(), QKeySequence(input)[0].key());
}

// The property that holds what a control shows and what the user sets in it.
const char* valueOf(const QObject* control) {
    for (const char* name : {"checked", "currentText", "value", "text"})
        if (control->property(name).isValid())
            return name;
    return "";
}

// What a control shows; for the colour swatch, its colour.
QString shownBy(const QObject* control) {
    if (control->objectName() == "Label6")
        return qobject_cast<const QLabel*>(control)->palette().color(QPalette::Window).name();
    return control->property(valueOf(control)).toString();
}

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<ProgramFolderFixture> program;
    std::unique_ptr<InstallationModel> model;
    std::optional<AnsweredPrompts> prompts;
    QWidget mainWindow;
    QPointer<Settings> window;

    void open(const QStringList& stored) {
        WriteFile(program->game() / "EAW.INI", bytes(edited(sample(), stored)));
        window = new Settings(*model, &mainWindow);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

    template <typename T> T* control(const QString& name) const {
        return Find<T>(window, qPrintable(name));
    }

    QString gameIni() const { return QString::fromLatin1(ReadFile(program->game() / "EAW.INI")); }

private slots:
    void init() {
        program = std::make_unique<ProgramFolderFixture>();
        WriteFile(program->backups() / "EAW.INI", bytes(securityCopy()));
        model = std::make_unique<InstallationModel>();
    }

    // A row that failed half-way leaves its window open, maybe with a list open over
    // it: closed as the player closes it, it goes as it goes in use, once the
    // events run, and the next row starts afresh.
    void cleanup() {
        if (window)
            window->close();
        QTRY_VERIFY(window.isNull());
        prompts.reset();
        model.reset();
        program.reset();
    }

    // Each row opens the sample with its `stored` values, takes its steps and finds in
    // the file the opening's changes and the row's `written` ones, every other byte as
    // it was. A step "Control=value" checks or clears a button, sets a text or a
    // slider, or picks a list's item; "Control<<text" types the text key by key;
    // "Control>keys" gives the control the focus and presses the keys, parted by
    // blanks, where "WheelUp" and "WheelDown" turn the wheel over it;
    // "Control~keys" does the same while the player name has the focus.
    // Entries of a column are parted by "|".
    void controlsReadAndWriteTheirKeys_data() {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QStringList>("shown");
        const auto row = [](const char* name, const QString& stored, const QString& steps,
                            const QString& written, const QString& shown) {
            QTest::newRow(name) << stored.split('|', Qt::SkipEmptyParts)
                                << steps.split('|', Qt::SkipEmptyParts)
                                << written.split('|', Qt::SkipEmptyParts)
                                << shown.split('|', Qt::SkipEmptyParts);
        };
        const QString views =
            bindings(" ", {"CHASE VIEW", "FLY-BY VIEW", "TRACK VIEW - NEXT PLANE",
                           "TRACK VIEW - PREVIOUS PLANE", "TARGET VIEW", "PLAYER-TO-TARGET VIEW",
                           "TARGET-TO-PLAYER VIEW", "BOMB VIEW", "PLAYER-TO-BOMB VIEW",
                           "BOMB-TO-PLAYER VIEW", "ACTION VIEW", "DOGFIGHT VIEW"});
        const QString enemy =
            bindings(" ", {"TARGET NEXT ENEMY", "TARGET PREVIOUS ENEMY", "TARGET CLOSEST ENEMY"});
        const QString screenIcons =
            bindings(" ", {"TARGET INFO DISPLAY ON/OFF", "TARGET DIRECTOR DISPLAY ON/OFF",
                           "TARGET BOX DISPLAY ON/OFF", "TARGET ID DISPLAY ON/OFF",
                           "TARGET RANGE DISPLAY ON/OFF"});

        row("opening shows the file", "", "", "",
            "Text3=Hauptmann Kurz|Text1=*|Text2=+|Combo1=1024x768|Combo2=3|Combo3=1|Check1=true|"
            "Check3=true|Check4=false|Check5=true|Option2=true|Option4=true|HScroll1=0|"
            "HScroll2=200|HScroll3=40|Label6=#00c828|HScroll4=5|Label19=5|Label20=7500|"
            "HScroll6=150|Label21=1.50|HScroll9=80|Label13=0.8");
        // A value its control cannot show leaves the control as it starts, and the file
        // as it was.
        row("values the controls cannot show",
            "EAW/LeaderChar=star|NETOPTION/NoAI=01|CONTROLS/JoystickDeadZone=25|"
            "CONTROLS/Flight Sensitivity=1.6|CONTROLS/Camera Sensitivity=2.5",
            "", "",
            "Text1=|Check3=false|HScroll4=0|Label19=Valor|HScroll6=0|Label21=Valor|HScroll9=0|"
            "Label13=2.5");
        // Written back, the readable 040 would read 40.
        row("a colour part above 256 keeps its set unwritten",
            "DISPLAY/HudColor_Green_G=300|DISPLAY/HudColor_Green_B=040", "", "",
            "HScroll1=0|HScroll2=0|HScroll3=40");
        // Only a toggle's first key tells its state.
        row("toggles read their first key",
            "Remappable Keys/CHASE VIEW= |Remappable Keys/TARGET NEXT ENEMY= |"
            "Remappable Keys/TARGET PREVIOUS FRIENDLY= ",
            "", views + enemy, "Check6=true|Check9=true|Check10=true|Check11=false");

        row("name in single-byte characters, typed key by key", "EAW/PlayerPilotName=R\u00E9my",
            "Text3<<Jo", "EAW/PlayerPilotName=R\u00E9myJo", "Text3=R\u00E9myJo");
        row("symbols write the code of their first character", "", "Text1=#*|Text2=\u00E9",
            "EAW/LeaderChar=35|EAW/WingmanChar=233", "");
        row("symbols without a code page character", "", "Text1=|Text2=\u4E2D",
            "EAW/LeaderChar=|EAW/WingmanChar=", "");
        // Windows-1252 has the euro sign at 128 and the curly quotes at 147 and 148.
        row("symbols of the code page show and write their codes",
            "EAW/LeaderChar=128|EAW/WingmanChar=147", "Text2=\u201D", "EAW/WingmanChar=148",
            "Text1=\u20AC|Text2=\u201D");
        row("a name in the code page shows as its characters",
            "EAW/PlayerPilotName=Ren\u00E9 \u0080uro \u0093Ace\u0094", "", "",
            "Text3=Ren\u00E9 \u20ACuro \u201CAce\u201D");
        row("typed euro sign and curly quotes write their bytes", "EAW/PlayerPilotName=Jo",
            "Text3<< \u20AC\u201C\u201D", "EAW/PlayerPilotName=Jo \u0080\u0093\u0094",
            "Text3=Jo \u20AC\u201C\u201D");
        row("a typed character outside the code page is refused", "EAW/PlayerPilotName=Jo",
            "Text3<<A\u4E2DB", "EAW/PlayerPilotName=JoAB", "Text3=JoAB");
        row("every byte from 0x80 stays while another control changes",
            "EAW/PlayerPilotName=" + everyHighByte(), "Check3=false", "NETOPTION/NoAI=0", "");
        row("lists write the chosen item", "", "Combo1=1280x1024|Combo2=2|Combo3=5",
            "GRAPHICS/width=1280|GRAPHICS/height=1024|EAW/ExtraSquads=2|"
            "CONTROLS/Windows JOYSTICK=5",
            "");
        row("typing into a list writes nothing", "", "Combo1<<1366x768|Combo2<<9", "", "");
        row("flags write 1 or 0", "", "Check1=false|Check3=false|Check4=true|Check5=false",
            "CONTROLS/Force Feedback=0|NETOPTION/NoAI=0|NETOPTION/StartOnGround=1|"
            "NETOPTION/AllowRespawn=0",
            "");
        row("first preset", "", "Option1=true",
            "NETOPTION/AI_PlaneUpdateRate=350|NETOPTION/PlayerPlaneUpdateRate=35|"
            "NETOPTION/ClockSyncRate=140",
            "");
        // Sample: the second preset and the friendly HUD are chosen.
        row("Tab reaches the chosen option, where Space changes nothing", "",
            "Check13>Tab Space|HScroll9>Backtab Space", "", "Option2=true|Option4=true");
        row("the arrows move the choice in a group", "", "Text1>Backtab Down",
            "NETOPTION/AI_PlaneUpdateRate=140|NETOPTION/PlayerPlaneUpdateRate=14|"
            "NETOPTION/ClockSyncRate=70",
            "Option3=true");
        row("sliders write their formats", "",
            "HScroll1=12|HScroll4=20|HScroll5=10000|HScroll6=5|HScroll9=200",
            "DISPLAY/HudColor_Green_R=12|CONTROLS/JoystickDeadZone=20|"
            "CONTROLS/Force Feedback Gain=10000|CONTROLS/Flight Sensitivity=0.05|"
            "CONTROLS/Camera Sensitivity=2.00",
            "Label6=#0cc828|Label19=20|Label20=10000|Label21=0.05|Label13=2.00");
        // Sample positions: deadzone 5, gain 7500, flight 150 (its top), camera 80 and
        // the green set 0, 200, 40.
        row("keys and the wheel raise whole-number sliders as the right arrow does", "",
            "HScroll4>Right Right Right Left|HScroll5>Up PgUp WheelUp Down",
            "CONTROLS/JoystickDeadZone=7|CONTROLS/Force Feedback Gain=7502",
            "HScroll4=7|Label19=7|HScroll5=7502|Label20=7502");
        row("keys and the wheel move hundredths sliders as their arrows do", "",
            "HScroll9>Up PgUp WheelUp WheelUp Left|HScroll6>PgDown WheelDown Left Right",
            "CONTROLS/Camera Sensitivity=0.83|CONTROLS/Flight Sensitivity=1.48",
            "Label13=0.83|Label21=1.48");
        row("keys and the wheel move colour sliders as their arrows do", "",
            "HScroll2>WheelUp WheelUp Right|HScroll3>Down PgDown WheelDown",
            "DISPLAY/HudColor_Green_G=203|DISPLAY/HudColor_Green_B=37", "Label6=#00cb25");
        row("Down and Up go to the neighbours of the item shown", "",
            "Combo1>Down|Combo2>Up|Combo3>Down Down",
            "GRAPHICS/width=1152|GRAPHICS/height=864|EAW/ExtraSquads=2|"
            "CONTROLS/Windows JOYSTICK=3",
            "Combo1=1152x864|Combo2=2|Combo3=3");
        row("the wheel changes only the list with the focus", "",
            "Combo1~WheelDown|Combo2~WheelUp|Combo3>WheelUp", "CONTROLS/Windows JOYSTICK=0",
            "Combo1=1024x768|Combo2=3|Combo3=0");
        row("enemy HUD shows its set, and its sliders write it", "", "Option5=true|HScroll3=256",
            "DISPLAY/HudColor_Red_B=256", "HScroll1=230|HScroll2=20|Label6=#e614ff");
        row("an unreadable part is kept while others move", "DISPLAY/HudColor_Green_B=teal",
            "HScroll1=12", "DISPLAY/HudColor_Green_R=12", "");
        row("an unreadable part is written once moved", "DISPLAY/HudColor_Green_B=teal",
            "HScroll3=7", "DISPLAY/HudColor_Green_B=7", "");

        row("toggles blank their groups", "",
            "Check6=true|Check7=true|Check8=true|Check10=true|Check13=true",
            views + enemy + screenIcons + bindings(" ", {"COCKPIT ON/OFF", "SNAPVIEW REAR"}),
            "Check9=true");
        row("unchecking restores from the copy, a key it lacks empty",
            "Remappable Keys/TARGET NEXT FRIENDLY= |Remappable Keys/TARGET CLOSEST ENEMY= |"
            "Remappable Keys/SNAPVIEW REAR= ",
            "Check11=false|Check9=false|Check8=false",
            bindings("copy of %1", {"TARGET NEXT FRIENDLY", "TARGET PREVIOUS FRIENDLY",
                                    "TARGET CLOSEST FRIENDLY", "TARGET CLOSEST ENEMY"}) +
                bindings("", {"SNAPVIEW REAR"}),
            "");
        // While enemy targeting is on, closest enemy cannot be off, nor given back.
        row("enemy targeting keeps closest enemy",
            "Remappable Keys/TARGET NEXT ENEMY= ", "Check9=false|Check10=false",
            bindings("copy of %1", {"TARGET NEXT ENEMY", "TARGET PREVIOUS ENEMY"}) +
                bindings(" ", {"TARGET CLOSEST ENEMY"}),
            "Check9=true");
    }

    void controlsReadAndWriteTheirKeys() {
        QFETCH(QStringList, stored);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, written);
        QFETCH(QStringList, shown);
        open(stored);
        for (const QString& step : steps) {
            const QString separator = QRegularExpression("<<|=|>|~").match(step).captured();
            const QString value = step.section(separator, 1);
            QObject* found = control<QObject>(step.section(separator, 0, 0));
            auto* list = qobject_cast<QComboBox*>(found);
            if (separator == ">" || separator == "~") {
                auto* focused =
                    separator == ">" ? qobject_cast<QWidget*>(found) : control<QWidget>("Text3");
                focused->setFocus(Qt::TabFocusReason);
                QVERIFY(focused->hasFocus());
                for (const QString& input : value.split(' '))
                    press(qobject_cast<QWidget*>(found), input);
            } else if (separator == "<<")
                typeText(list ? list->lineEdit() : qobject_cast<QWidget*>(found), value);
            else if (list)
                ChooseInCombo(list, value);
            else
                found->setProperty(valueOf(found), value);
        }
        QCOMPARE(gameIni(), edited(sample(), kOpeningWrites + stored + written));
        QStringList actual;
        for (const QString& expected : shown)
            actual << expected.section('=', 0, 0) + "=" +
                          shownBy(control<QObject>(expected.section('=', 0, 0)));
        QCOMPARE(actual, shown);
    }

    void escapeClosesAnOpenListAlone_data() {
        QTest::addColumn<QString>("list");
        for (const char* list : {"Combo1", "Combo2", "Combo3"})
            QTest::newRow(list) << list;
    }

    // With no list open, Escape closes the window. The key goes to the window, as
    // the system gives it while a list is open.
    void escapeClosesAnOpenListAlone() {
        QFETCH(QString, list);
        open({});
        auto* combo = control<QComboBox>(list);
        combo->setFocus(Qt::TabFocusReason);
        combo->showPopup();
        QVERIFY(QApplication::activePopupWidget());
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QVERIFY(window && window->isVisible());
        QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
        QTRY_VERIFY(window.isNull());
    }

    void draggingASliderWritesOnRelease() {
        open({});
        const QString opened = gameIni();
        auto* bar = control<QScrollBar>("HScroll5");
        bar->setSliderDown(true);
        for (int position : {100, 2000, 4000})
            bar->setSliderPosition(position);
        QCOMPARE(gameIni(), opened);
        bar->setSliderDown(false);
        QCOMPARE(gameIni(), edited(opened, {"CONTROLS/Force Feedback Gain=4000"}));
    }

    // A game copied from its CD keeps EAW.INI read-only. The attribute is cleared
    // and the change written where the system has one (Windows); where the file
    // stays refused, the failure is told once an opening and the box shows what
    // the file holds: a change is never shown and lost.
    void readOnlyGameIniIsWrittenOrTold() {
        open({});
        const fs::path file = program->game() / "EAW.INI";
        SetWritable(file, false);
        prompts.emplace();
        prompts->answerNext(QMessageBox::Ok);
        auto* noAI = control<QCheckBox>("Check3");
        for (int click = 0; click < 2; ++click) {
            noAI->click();
            QTest::qWait(50);
            QCOMPARE(ReadIniValue(file, "NETOPTION", "NoAI"),
                     std::string(noAI->isChecked() ? "1" : "0"));
        }
        const bool refused = !prompts->shown().empty();
        QCOMPARE(prompts->shown().size(), std::size_t(refused ? 1 : 0));
        QCOMPARE(refused, !kOnWindows);
        SetWritable(file, true);
    }

    // Loading would otherwise make a new EAW.INI of nothing but blanked key bindings.
    void opensWithoutAGameIniAndWritesNothing() {
        window = new Settings(*model, &mainWindow);
        QVERIFY(!fs::exists(program->game() / "EAW.INI"));
    }

    void gameIniOfAnyCaseIsUsedAndNoSecondOneIsCreated() {
        WriteFile(program->game() / "eaw.ini",
                  bytes(edited(sample(), {"Remappable Keys/TARGET CLOSEST ENEMY= "})));
        fs::rename(program->backups() / "EAW.INI", program->backups() / "Eaw.ini");
        window = new Settings(*model, &mainWindow);
        QVERIFY(control<QCheckBox>("Check9")->isChecked());
        control<QCheckBox>("Check9")->setChecked(false);
        QCOMPARE(FilesIn(program->game()), QStringList({"EAW.EXE", "eaw.ini"}));
        QVERIFY(QString::fromLatin1(ReadFile(program->game() / "eaw.ini"))
                    .contains("\r\nTARGET CLOSEST ENEMY=copy of TARGET CLOSEST ENEMY\r\n"));
    }

    // However full the game folder, neither opening nor a click walks a folder:
    // EAW.INI, named as the game names it, is found by its name.
    void gameIniIsFoundWithoutWalkingAFolder() {
        int reads = 0;
        SetFolderReadHook([&reads](const fs::path&) { ++reads; });
        open({});
        QTest::mouseClick(control<QCheckBox>("Check6"), Qt::LeftButton);
        QTest::mouseClick(control<QCheckBox>("Check6"), Qt::LeftButton);
        control<QScrollBar>("HScroll4")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        SetFolderReadHook({});
        QCOMPARE(reads, 0);
        QVERIFY(gameIni().contains("\r\nJoystickDeadZone=6\r\n"));
    }
};

QTEST_MAIN(SettingsTest)
#include "SettingsTest.moc"
