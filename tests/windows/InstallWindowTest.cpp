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
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
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

    void failedInstallIsReportedAndNotRecorded() {
        WriteFile(program / "MISSIONS" / "broken.zip", "not an archive");
        Prompts::answerNext(QMessageBox::Ok);
        install(1, "BROKEN");
        QCOMPARE(Prompts::shown().size(), std::size_t(1));
        const Prompts::Shown& box = Prompts::shown().front();
        QCOMPARE(box.title, QString("QUORVEL"));
        QVERIFY(box.text.startsWith("Unzip: "));
        QCOMPARE(box.icon, QMessageBox::Warning);
        QCOMPARE(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(window->installedList(1)->count(), 0);
        QCOMPARE(Entries(list8()), QStringList({"BROKEN"}));
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
        clickButton("Command8");
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->inherits("quorvel::EAWFolder") && top->isVisible())
                return top;
        }
        return nullptr;
    }

    std::unique_ptr<ProgramFolderFixture> fixture;
    fs::path program;
    fs::path game;
    fs::path backups;
    std::unique_ptr<Principal> window;
};

QTEST_MAIN(InstallWindowTest)
#include "InstallWindowTest.moc"
