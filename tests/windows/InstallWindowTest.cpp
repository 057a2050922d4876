#include "ProgramFolderFixture.h"
#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "support/ZipBuilder.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// The game's own files, each in the game folder and as a security copy.
const QStringList kGameFiles{"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND"};

} // namespace

class InstallWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture = std::make_unique<ProgramFolderFixture>();
        program = fixture->root();
        game = fixture->game();
        backups = fixture->backups();
        for (const char* name : {"EAW.EXE", "EXTRA.SPT", "GRB_031.SND"}) {
            WriteFile(game / name, std::string("game ") + name);
            WriteFile(backups / name, std::string("copy ") + name);
        }
        WriteFile(game / "EAW.INI", "[EAW]\r\nPlayerPilotName=Now\r\n");
        WriteFile(backups / "EAW.INI", "[EAW]\r\nPlayerPilotName=Then\r\n");
        Prompts::reset();
        window = std::make_unique<Principal>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        fixture.reset();
    }

    void installsIntoEachCategory_data() {
        QTest::addColumn<int>("category");
        for (int category = 0; category < int(kCategoryCount); ++category)
            QTest::newRow(kAddonCategories[category].folderName.data()) << category;
    }

    void installsIntoEachCategory() {
        QFETCH(int, category);
        addon(category, "Some Addon", {{"data/FILE.DAT", "dat"}, {"read me.txt", "hello"}});
        install(category, "SOME ADDON");
        QCOMPARE(ReadFile(game / "FILE.DAT"), std::string("dat"));
        QCOMPARE(ReadFile(game / "read me.txt"), std::string("hello"));
        QCOMPARE(Entries(window->installedList(category)), QStringList({"SOME ADDON"}));
        QCOMPARE(Entries(list8()), QStringList());
    }

    void secondAddonOfAOneAddonCategoryReplacesTheFirst() {
        addon(0, "alpha", {{"ALPHA.FLT", "a"}, {"SHARED.DAT", "from alpha"}});
        addon(0, "beta", {{"BETA.FLT", "b"}, {"SHARED.DAT", "from beta"}});
        install(0, "ALPHA");
        install(0, "BETA");
        QVERIFY(!fs::exists(game / "ALPHA.FLT"));
        QCOMPARE(ReadFile(game / "SHARED.DAT"), std::string("from beta"));
        QCOMPARE(Entries(window->installedList(0)), QStringList({"BETA"}));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA"}));

        // A broken archive does not take the installed add-on out.
        WriteFile(program / "FLIGHTMODELS" / "gamma.zip", "not an archive");
        window->categoryButton(1)->click();
        Prompts::answerNext(QMessageBox::Ok);
        install(0, "GAMMA");
        QCOMPARE(Prompts::shown().size(), std::size_t(1));
        QCOMPARE(Entries(window->installedList(0)), QStringList({"BETA"}));
        QCOMPARE(ReadFile(game / "BETA.FLT"), std::string("b"));
    }

    void graphicsHoldManyAndUninstallTakesOnlyOne() {
        for (const char* name : {"one", "two", "three"})
            addon(4, name, {{std::string(name) + ".PIC", name}});
        for (const char* name : {"ONE", "THREE", "TWO"})
            install(4, name);
        QCOMPARE(Entries(window->installedList(4)), QStringList({"ONE", "THREE", "TWO"}));
        uninstall(4, "THREE");
        QCOMPARE(Entries(window->installedList(4)), QStringList({"ONE", "TWO"}));
        QCOMPARE(FilesIn(game), kGameFiles + QStringList({"one.PIC", "two.PIC"}));
        QCOMPARE(Entries(list8()), QStringList({"THREE"})); // graphics is current
    }

    void uninstallPutsTheNameBackOnlyWhenItsCategoryIsCurrent() {
        addon(2, "jg26", {{"JG26.TPC", "skin"}});
        addon(1, "raid", {{"RAID.MNU", "mission"}});
        install(2, "JG26");
        clickButton("Command2"); // missions now current
        uninstall(2, "JG26");
        QVERIFY(!fs::exists(game / "JG26.TPC"));
        QCOMPARE(Entries(list8()), QStringList({"RAID"}));
        QCOMPARE(window->installedList(2)->count(), 0);
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(), QString());
    }

    // Each archive is an entry that installs itself, whatever bytes its name holds:
    // one not UTF-8 shows with the byte replaced, twins in case both show "DUP".
    void eachArchiveInstallsItselfWhateverItsName() {
#ifdef Q_OS_WIN
        QSKIP("Windows names are Unicode, and NTFS holds no names differing only in case");
#endif
        addon(4, "Caf\xe9", {{"C.PIC", "cafe"}});
        addon(4, "DUP", {{"B.PIC", "upper"}});
        addon(4, "dup", {{"A.PIC", "lower"}});
        const QString cafe = QStringLiteral("CAF\uFFFD");
        window->categoryButton(4)->click();
        QCOMPARE(Entries(list8()), QStringList({cafe, "DUP", "DUP"}));
        for (const QString& name : {cafe, QStringLiteral("DUP"), QStringLiteral("DUP")})
            install(4, name);
        QCOMPARE(ReadFile(game / "C.PIC"), std::string("cafe"));
        QCOMPARE(ReadFile(game / "B.PIC"), std::string("upper"));
        QCOMPARE(ReadFile(game / "A.PIC"), std::string("lower"));
    }

    void uninstallingAnExeAddonBringsTheGameExeBack() {
        addon(6, "fast", {{"EAW.EXE", "patched"}});
        install(6, "FAST");
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("patched"));
        uninstall(6, "FAST");
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("copy EAW.EXE"));
    }

    void addonNamedLikeALibraryFolderTouchesOnlyTheGameFolder() {
        addon(2, "SKINS", {{"S.TPC", "s"}});
        addon(2, "BACKUPS", {{"B.TPC", "b"}});
        install(2, "SKINS");
        uninstall(2, "SKINS");
        install(2, "BACKUPS");
        uninstall(2, "BACKUPS");
        QCOMPARE(FilesIn(program / "SKINS"), QStringList({"BACKUPS.zip", "SKINS.zip"}));
        QCOMPARE(FilesIn(backups), kGameFiles);
        QCOMPARE(FilesIn(game), kGameFiles);
    }

    // An install that writes no file shows the bridge's box and records nothing; in
    // a one-add-on category the add-on taken out first is back in the selection list.
    void installThatWritesNothingIsToldAndNotRecorded_data() {
        QTest::addColumn<QString>("archive"); // "blocked", "encrypted", "empty" or "broken"
        QTest::addColumn<bool>("replacing");  // ALPHA is installed first
        QTest::addColumn<QString>("box");
        const QString nothing = "Unzip: .*NEW.zip: no file could be written: ";
        QTest::newRow("every member blocked")
            << "blocked" << false
            << nothing + "3 members skipped, the first, A.DAT, because a folder is in the way";
        QTest::newRow("every member blocked, replacing")
            << "blocked" << true << nothing + "3 members skipped";
        QTest::newRow("only an encrypted member")
            << "encrypted" << false << nothing + "1 member skipped, .*because it is encrypted";
        QTest::newRow("empty archive") << "empty" << false << nothing + "the archive holds no file";
        QTest::newRow("not an archive") << "broken" << false << "Unzip: .*NEW.zip";
    }

    void installThatWritesNothingIsToldAndNotRecorded() {
        QFETCH(QString, archive);
        QFETCH(bool, replacing);
        QFETCH(QString, box);
        const fs::path zip = program / "MISSIONS" / "NEW.zip";
        if (archive == "blocked") {
            addon(1, "NEW", {{"A.DAT", "a"}, {"B.DAT", "b"}, {"C.DAT", "c"}});
            for (const char* name : {"A.DAT", "b.dat", "C.DAT"})
                fs::create_directory(game / name);
        } else if (archive == "encrypted" && !AddEncryptedMember(zip, "SECRET.DAT", "s")) {
            QSKIP("the zip command cannot encrypt here");
        } else if (archive == "empty") {
            MakeEmptyZip(zip);
        } else if (archive == "broken") {
            WriteFile(zip, "not an archive");
        }
        if (replacing) {
            addon(1, "alpha", {{"ALPHA.MNU", "a"}});
            install(1, "ALPHA");
        }
        const QStringList gameBefore = FilesIn(game);
        Prompts::answerNext(QMessageBox::Ok);
        install(1, "NEW");

        QCOMPARE(Prompts::shown().size(), std::size_t(1));
        const Prompts::Shown& shown = Prompts::shown().front();
        QCOMPARE(shown.title, QString("QUORVEL"));
        QCOMPARE(shown.icon, QMessageBox::Warning);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY2(QRegularExpression(box).match(shown.text).hasMatch(), qPrintable(shown.text));
        QCOMPARE(window->installedList(1)->count(), 0);
        QCOMPARE(Entries(list8()),
                 replacing ? QStringList({"NEW", "ALPHA"}) : QStringList({"NEW"}));
        QCOMPARE(FilesIn(game), replacing ? kGameFiles : gameBefore); // ALPHA.MNU went too
    }

    // Members the game folder refuses are told; what was written is recorded and
    // uninstalled again.
    void partlyWrittenInstallRecordsWhatItWrote() {
        addon(4, "clouds", {{"CLOUD.PIC", "c"}, {"SKY.PIC", "s"}});
        fs::create_directory(game / "SKY.PIC");
        Prompts::answerNext(QMessageBox::Ok);
        install(4, "CLOUDS");
        QCOMPARE(Prompts::shown().size(), std::size_t(1));
        QVERIFY2(Prompts::shown()[0].text.endsWith(
                     QDir::toNativeSeparators("/clouds.zip") +
                     ": 1 member could not be written: SKY.PIC (a folder is in the way)"),
                 qPrintable(Prompts::shown()[0].text));
        QCOMPARE(Entries(window->installedList(4)), QStringList({"CLOUDS"}));
        uninstall(4, "CLOUDS");
        QVERIFY(!fs::exists(game / "CLOUD.PIC"));
        QVERIFY(fs::is_directory(game / "SKY.PIC"));
    }

    // Previewing an add-on names, after its own text, the installed add-ons whose
    // files it would replace; the flight model it would replace is not named.
    void previewNamesTheAddonsWhoseFilesItWouldReplace_data() {
        QTest::addColumn<QStringList>("installs"); // "category:NAME"
        QTest::addColumn<QString>("text");
        QTest::newRow("none") << QStringList() << "haze text";
        QTest::newRow("one") << QStringList({"4:CLOUDS"})
                             << "haze text\nReplaces files of: CLOUDS (2)";
        QTest::newRow("several")
            << QStringList({"4:CLOUDS", "0:SPIT", "4:COCKPITS", "5:MERLIN"})
            << "haze text\nReplaces files of: CLOUDS (1), SPIT (1), COCKPITS (1), MERLIN (1)";
    }

    void previewNamesTheAddonsWhoseFilesItWouldReplace() {
        QFETCH(QStringList, installs);
        QFETCH(QString, text);
        addon(4, "clouds", {{"sky/CLOUD1.PIC", "c"}, {"CLOUD2.PIC", "c"}, {"C.TXT", "c"}});
        addon(4, "cockpits", {{"cloud2.pic", "k"}, {"CPIT.CPT", "k"}});
        addon(5, "merlin", {{"MERLIN.WSD", "m"}});
        addon(0, "spit", {{"SPIT.FLT", "s"}});
        addon(0, "hurri", {{"SPIT.FLT", "h"}, {"MERLIN.WSD", "h"}});
        addon(4, "haze",
              {{"CLOUD1.PIC", "h"},
               {"cloud2.PIC", "h"},
               {"Spit.flt", "h"},
               {"MERLIN.WSD", "h"},
               {"HAZE.PIC", "h"}});
        WriteFile(program / "GRAPHICS" / "haze.txt", "haze text");
        for (const QString& install : installs)
            this->install(install.section(':', 0, 0).toInt(), install.section(':', 1));
        clickButton("Command6");
        list8()->setCurrentRow(Entries(list8()).indexOf("HAZE"));
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(), text);

        clickButton("Command1"); // flight models: SPIT is taken out before HURRI comes
        list8()->setCurrentRow(Entries(list8()).indexOf("HURRI"));
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(),
                 installs.contains("5:MERLIN") ? QString("Replaces files of: MERLIN (1)")
                                               : QString());
    }

    // Uninstalling one of two add-ons that wrote one name leaves the other's file;
    // when that add-on's archive went meanwhile, the file goes and the preview says so.
    void uninstallKeepsWhatTheOtherAddonWrote() {
        addon(4, "clouds", {{"SKY.PIC", "clouds"}, {"CLOUD.PIC", "c"}});
        addon(5, "haze", {{"sky.pic", "haze"}, {"HAZE.WSD", "h"}});
        install(4, "CLOUDS");
        install(5, "HAZE");
        uninstall(4, "CLOUDS");
        QCOMPARE(ReadFile(game / "SKY.PIC"), std::string("haze"));
        QVERIFY(!fs::exists(game / "CLOUD.PIC"));

        install(4, "CLOUDS");
        uninstall(4, "CLOUDS");
        QCOMPARE(ReadFile(game / "SKY.PIC"), std::string("haze"));
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(), QString());

        install(4, "CLOUDS");
        fs::remove(program / "SOUNDS" / "haze.zip");
        uninstall(4, "CLOUDS");
        QCOMPARE(FilesIn(game), kGameFiles + QStringList({"HAZE.WSD"}));
        const QString note = Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText();
        QVERIFY2(note.startsWith("SKY.PIC of HAZE could not be put back and is deleted: ") &&
                     note.endsWith(QDir::toNativeSeparators("/SOUNDS/haze.ZIP: No such file")),
                 qPrintable(note));
    }

    // After an install nothing is chosen: the preview keeps the installed add-on,
    // and Enter does nothing until the player chooses again.
    void afterAnInstallNothingIsChosenAndThePreviewStays() {
        addon(0, "alpha", {{"ALPHA.FLT", "a"}});
        addon(0, "beta", {{"BETA.FLT", "b"}});
        WriteFile(program / "FLIGHTMODELS" / "alpha.txt", "alpha text");
        WriteJpeg(program / "FLIGHTMODELS" / "alpha.jpg", {77, 20});
        WriteFile(program / "FLIGHTMODELS" / "beta.txt", "beta text");
        WriteJpeg(program / "FLIGHTMODELS" / "beta.jpg", {55, 20});
        clickButton("Command1");
        list8()->setCurrentRow(0);
        list8()->setFocus();
        QTest::keyClick(list8(), Qt::Key_Return);
        QTest::keyClick(list8(), Qt::Key_Return);

        QCOMPARE(Entries(window->installedList(0)), QStringList({"ALPHA"}));
        QCOMPARE(Entries(list8()), QStringList({"BETA"}));
        QVERIFY(list8()->selectedItems().isEmpty());
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(), QString("alpha text"));
        QCOMPARE(Find<QLabel>(window.get(), "Image1")->pixmap().width(), 77);
        QVERIFY(fs::exists(game / "ALPHA.FLT"));

        // Likewise after an uninstall from a list of several.
        for (const char* name : {"one", "two"})
            addon(4, name, {{std::string(name) + ".PIC", name}});
        install(4, "ONE");
        install(4, "TWO");
        QListWidget* graphics = window->installedList(4);
        graphics->setCurrentRow(0);
        graphics->setFocus();
        QTest::keyClick(graphics, Qt::Key_Return);
        QTest::keyClick(graphics, Qt::Key_Return);
        QCOMPARE(Entries(graphics), QStringList({"TWO"}));
    }

    // New Addon and Delete Addon change the library of the category on screen: the
    // selection list follows, installed add-ons staying out of it.
    void selectionListFollowsTheLibrary() {
        const fs::path download = fixture->startPickersIn("download");
        addon(2, "jg26", {{"JG26.TPC", "j"}});
        addon(2, "jg2", {{"JG2.TPC", "j"}});
        MakeZip(download / "jg54.zip", {{"JG54.TPC", "j"}});
        install(2, "JG26");

        QWidget* newaddon = openChild("Command11", "quorvel::Newaddon");
        ChooseInCombo(Find<QComboBox>(newaddon, "Combo1"), "SKIN PACK");
        auto* files = Find<QListWidget>(newaddon, "File1");
        files->setCurrentItem(files->findItems("jg54.zip", Qt::MatchExactly).value(0));
        Find<QAbstractButton>(newaddon, "Command1")->click();
        QCOMPARE(Entries(list8()), QStringList({"JG2", "JG54"}));
        newaddon->close();

        QWidget* deleteaddon = openChild("Command12", "quorvel::Deleteaddon");
        ChooseInCombo(Find<QComboBox>(deleteaddon, "Combo1"), "SKIN PACK");
        for (const char* name : {"JG2", "JG26"}) {
            auto* addons = Find<QListWidget>(deleteaddon, "List1");
            addons->setCurrentRow(Entries(addons).indexOf(name));
            Find<QAbstractButton>(deleteaddon, "Command1")->click();
        }
        QCOMPARE(Entries(list8()), QStringList({"JG54"}));
        deleteaddon->close();

        // JG26's archive went while it was installed: uninstalling it offers it no more.
        uninstall(2, "JG26");
        QVERIFY(!fs::exists(game / "JG26.TPC"));
        QCOMPARE(Entries(list8()), QStringList({"JG54"}));
    }

    // An add-on's GRB_031.SND goes with Clear All; the game's own stays when there
    // is no security copy to put back.
    void clearAllTellsTheAddonsSoundFromTheGames_data() {
        QTest::addColumn<bool>("securityCopy");
        QTest::addColumn<bool>("addonWroteIt");
        QTest::addColumn<std::string>("after");
        QTest::newRow("security copy") << true << true << std::string("copy GRB_031.SND");
        QTest::newRow("no copy, the add-on's") << false << true << std::string("<missing>");
        QTest::newRow("no copy, the game's") << false << false << std::string("game GRB_031.SND");
    }

    void clearAllTellsTheAddonsSoundFromTheGames() {
        QFETCH(bool, securityCopy);
        QFETCH(bool, addonWroteIt);
        QFETCH(std::string, after);
        if (!securityCopy)
            fs::remove(backups / "GRB_031.SND");
        std::vector<std::pair<std::string, std::string>> files{{"MERLIN.WSD", "engine"}};
        if (addonWroteIt)
            files.emplace_back("grb_031.snd", "addon");
        addon(5, "merlin", files);
        install(5, "MERLIN");
        clickButton("Command13");
        QCOMPARE(ReadFile(game / "GRB_031.SND"), after);
        QVERIFY(!fs::exists(game / "MERLIN.WSD"));
    }

    void enterKeyInstallsAndUninstalls() {
        addon(5, "merlin", {{"MERLIN.WSD", "engine"}});
        clickButton("Command5");
        list8()->setCurrentRow(0);
        list8()->setFocus();
        QTest::keyClick(list8(), Qt::Key_Return);
        QCOMPARE(Entries(window->installedList(5)), QStringList({"MERLIN"}));
        QListWidget* sounds = window->installedList(5);
        sounds->setCurrentRow(0);
        sounds->setFocus();
        QTest::keyClick(sounds, Qt::Key_Enter);
        QCOMPARE(sounds->count(), 0);
        QVERIFY(!fs::exists(game / "MERLIN.WSD"));
    }

    void clearAllEmptiesTheGameFolderOfGameFilesAndResetsTheWindow() {
        addon(4, "clouds", {{"CLOUD.PIC", "c"}, {"CLOUDS.TXT", "notes"}});
        install(4, "CLOUDS");
        WriteFile(game / "terrain.Ter", "own");
        WriteFile(game / "EXTRA.SPT", "changed");
        WriteFile(game / "README.TXT", "keep");
        fs::create_directory(game / "FOLDER.DAT");
        clickButton("Command13");

        QCOMPARE(FilesIn(game), QStringList({"CLOUDS.TXT", "EAW.EXE", "EAW.INI", "EXTRA.SPT",
                                             "GRB_031.SND", "README.TXT"}));
        QVERIFY(fs::is_directory(game / "FOLDER.DAT"));
        QCOMPARE(ReadFile(game / "EXTRA.SPT"), std::string("copy EXTRA.SPT"));
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("copy EAW.EXE"));
        QCOMPARE(ReadFile(game / "EAW.INI"), std::string("[EAW]\r\nPlayerPilotName=Now\r\n"));
        for (std::size_t category = 0; category < kCategoryCount; ++category) {
            QCOMPARE(window->installedList(category)->count(), 0);
            QVERIFY(window->categoryButton(category)->isEnabled());
        }
        QCOMPARE(list8()->count(), 0);
        QCOMPARE(Find<QLabel>(window.get(), "Label11")->text(),
                 QString("Select a Category of Addons"));
        QCOMPARE(Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(), QString());
    }

    void closingTheMainWindowClearsTheGameFolder() {
        addon(3, "alps", {{"ALPS.TER", "t"}});
        install(3, "ALPS");
        QVERIFY(window->close());
        QVERIFY(!fs::exists(game / "ALPS.TER"));
        QCOMPARE(ReadFile(game / "GRB_031.SND"), std::string("copy GRB_031.SND"));
    }

    void restoreIniCopiesTheSecurityCopyOverTheGameFile() {
        fs::rename(game / "EAW.INI", game / "eaw.ini");
        clickButton("Command10");
        QCOMPARE(ReadFile(game / "eaw.ini"), std::string("[EAW]\r\nPlayerPilotName=Then\r\n"));
        // No second file beside it (a case-insensitive disk sees one name either way).
        int inis = 0;
        for (const auto& entry : fs::directory_iterator(game))
            inis += QString::fromStdU16String(entry.path().filename().u16string())
                        .compare(QStringLiteral("eaw.ini"), Qt::CaseInsensitive) == 0;
        QCOMPARE(inis, 1);
    }

    void gameFolderAcceptSwitchesAndReplacesTheSecurityCopies() {
        const fs::path next = program / "next";
        WriteFile(next / "EAW.EXE", "next exe");
        WriteFile(next / "EAW.INI", "next ini");
        WriteFile(backups / "OLD.TXT", "stale");
        addon(0, "spit", {{"SPIT.FLT", "f"}});
        install(0, "SPIT");

        QWidget* folderWindow = openGameFolderWindow();
        QVERIFY(!window->isEnabled());
        Find<FolderPicker>(folderWindow, "Dir1")->setFolder(ToQString(next));
        Find<QAbstractButton>(folderWindow, "Command1")->click();

        QVERIFY(!fs::exists(game / "SPIT.FLT"));
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("copy EAW.EXE"));
        QCOMPARE(StoredGameFolder(), (next / "").string());
        QCOMPARE(Paths().GameFolder.string(), (next / "").string());
        QCOMPARE(FilesIn(backups), QStringList({"EAW.EXE", "EAW.INI"}));
        QCOMPARE(ReadFile(backups / "EAW.INI"), std::string("next ini"));
        QCOMPARE(Find<QLineEdit>(window.get(), "Text2")->text(), ToQString(next / ""));
        QCOMPARE(window->installedList(0)->count(), 0);
        QVERIFY(window->isEnabled());
    }

    void gameFolderCancelOrCloseKeepsEverything_data() {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("Cancel") << false;
        QTest::newRow("frame") << true;
    }

    void gameFolderCancelOrCloseKeepsEverything() {
        QFETCH(bool, byFrame);
        const fs::path next = program / "next";
        WriteFile(next / "EAW.EXE", "next exe");
        addon(4, "clouds", {{"CLOUD.PIC", "c"}});
        install(4, "CLOUDS");
        const std::string configBefore = ReadFile(Paths().ConfigFilePath);

        QWidget* folderWindow = openGameFolderWindow();
        Find<FolderPicker>(folderWindow, "Dir1")->setFolder(ToQString(next));
        QCOMPARE(StoredGameFolder(), (next / "").string());
        if (byFrame)
            folderWindow->close();
        else
            Find<QAbstractButton>(folderWindow, "Command2")->click();

        QCOMPARE(ReadFile(Paths().ConfigFilePath), configBefore);
        QCOMPARE(ReadFile(game / "CLOUD.PIC"), std::string("c"));
        QCOMPARE(FilesIn(backups), kGameFiles);
        QCOMPARE(window->installedList(4)->count(), 1);
        QVERIFY(window->isEnabled());
    }

private:
    QListWidget* list8() const {
        return Find<QListWidget>(window.get(), "List8");
    }

    void clickButton(const char* name) {
        Find<QAbstractButton>(window.get(), name)->click();
    }

    // Opens a window from the main window's button and finds it.
    QWidget* openChild(const char* button, const char* className) {
        clickButton(button);
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->inherits(className) && top->isVisible())
                return top;
        }
        qFatal("no %s", className);
    }

    void addon(int category, const std::string& name,
               const std::vector<std::pair<std::string, std::string>>& files) {
        std::vector<ZipEntry> members;
        for (const auto& [member, data] : files)
            members.push_back({member, data});
        MakeZip(program / kAddonCategories[category].folderName / (name + ".zip"), members);
    }

    void doubleClick(QListWidget* list, const QString& name) {
        const int row = Entries(list).indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        list->setCurrentRow(row);
        // A real double-click: the first click, then the second one.
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
    }

    void install(int category, const QString& name) {
        if (window->categoryButton(category)->isEnabled())
            window->categoryButton(category)->click();
        doubleClick(list8(), name);
    }

    void uninstall(int category, const QString& name) {
        doubleClick(window->installedList(category), name);
    }

    QWidget* openGameFolderWindow() {
        fixture->startPickersIn("start");
        return openChild("Command8", "quorvel::EAWFolder");
    }

    std::unique_ptr<ProgramFolderFixture> fixture;
    fs::path program;
    fs::path game;
    fs::path backups;
    std::unique_ptr<Principal> window;
};

QTEST_MAIN(InstallWindowTest)
#include "InstallWindowTest.moc"
