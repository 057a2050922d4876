#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "config/PathVariables.h"
#include "library/CopiesRecord.h"
#include "library/FolderSnapshot.h"
#include "platform/IniFile.h"
#include "support/OtherHolder.h"
#include "windows/Backups.h"
#include "windows/FolderPickers.h"
#include "windows/Presentacion.h"
#include "windows/Principal.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QWindow>
#include <QtTest>
#include <map>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// The buttons of the windows that disable the main window, and those windows.
const char* const kDisablingWindows[][2] = {{"Command8", "quorvel::EAWFolder"},
                                            {"Command9", "quorvel::Settings"},
                                            {"Command11", "quorvel::Newaddon"},
                                            {"Command14", "quorvel::Help"},
                                            {"Command15", "quorvel::About"}};

// What the Help text must hold for each section of the README's part for players,
// so that Help tells what the program does (blanks for line breaks): a section the README gains
// fails the test until Help tells of it too and it is named here.
const std::map<QString, QStringList> kHelpFor{
    {"Where everything lives", {"SETS", "INSTALLED.TXT", "QUORVEL.LCK"}},
    {"The first start and the security copies", {"with Escape and the program ends"}},
    {"Which folder Quorvel acts on", {"WHICH FOLDER QUORVEL ACTS ON"}},
    {"After a crash, a logout or a shutdown", {"AFTER A CRASH", "size and checksum"}},
    {"Moving things, and editing Quorvel's files by hand", {"MOVING THINGS"}},
    {"The main window", {"installing another takes the installed one out first"}},
    {"Add-ons that share files",
     {"ADD-ONS THAT SHARE FILES", "put back from the other", "the game (3)", "BACKUPS\\KEPT",
      "Uninstalling brings back every file of the game that the add-on had replaced"}},
    {"Playing from Quorvel", {"The Play button at the bottom left starts the game's EAW.EXE"}},
    {"What an add-on holds", {"WHAT AN ADD-ON HOLDS", "double-click it with Shift held"}},
    {"Finding an add-on in a long library",
     {"the filter box narrows it as you type", "whatever the letter case and accents"}},
    {"Opening the folders", {"Game Folder and Library Folder open the game folder"}},
    {"Dropping files into the library", {"drag and drop"}},
    {"Clear All, and what closing the program does",
     {"saves the installed add-ons as the set \"Last run\"",
      "\"Last run\" in the sets menu puts them back in one step"}},
    {"When something cannot be done", {"WHEN SOMETHING CANNOT BE DONE"}},
    {"Add-on sets",
     {"ADD-ON SETS", "Right-click", "No (the default) changes nothing",
      "pressed while the add-ons installed before are taken out, it lets that end"}},
    {"The other windows",
     {"Yes deletes", "THE INI SETTINGS EDITOR", "CHANGING THE GAME FOLDER",
      "it only stores the places of Quorvel's own folders"}},
    {"Without a mouse",
     {"USING THE KEYBOARD", "or Ctrl+O anywhere in the main window: opens the sets menu"}},
    {"On Windows", {"64-bit Windows 10"}},
    {"Playing under Wine on Linux", {"PLAYING UNDER WINE"}}};

// The "###" headings of the README's part for players.
QStringList playerSections() {
    QFile readme(":/help/README.md");
    if (!readme.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(readme.readAll());
    const QString part = text.section("\n## For players\n", 1).section("\n## ", 0, 0);
    QStringList headings;
    for (const QString& line : part.split('\n'))
        if (line.startsWith("### "))
            headings << line.mid(4);
    return headings;
}

// Closes `window` by Escape, as the player would.
void Escape(QWidget* window) {
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
}

// The security copies without their record, which names the game they are of.
FolderSnapshot copiesIn(const fs::path& backups) {
    FolderSnapshot copies = SnapshotOf(backups);
    copies.erase(std::string(kCopiesRecordName));
    return copies;
}

} // namespace

// The windows opened over the main window. The game folder holds the game and an
// add-on's file; a folder X holds the game and a player's own files and is only
// ever browsed to.
class WindowsOverMainTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program = std::make_unique<ProgramFolderFixture>();
        start = program->startPickersIn("start");
        LayOut(program->game(), {{"EAW.EXE", "game exe"}, {"ADDON.PAL", "addon"}});
        LayOut(program->backups(), {{"EAW.EXE", "game exe"}});
        LayOut(x(), {{"EAW.EXE", "x exe"}, {"PRECIOUS.DAT", "mine"}, {"MAP.PAL", "mine"}});
        xBefore = SnapshotOf(x());
        prompts.emplace();
        mainWindow = new Principal();
        mainWindow->show();
    }
    void cleanup() {
        delete mainWindow.data();
        program.reset();
    }

    void mainWindowEnabledOnlyWithNoDisablingWindowOpen_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("deleteClosesFirst");
        for (const auto& [button, window] : kDisablingWindows)
            for (const bool deleteFirst : {true, false})
                QTest::addRow("%s, %s closes first", window, deleteFirst ? "delete" : "it")
                    << button << window << deleteFirst;
    }

    // Delete Addon leaves the main window usable; any other window opened beside
    // it keeps the main window disabled until that one closes, in either order.
    // Meanwhile a close request to the main window is refused: the window over it
    // would be dropped half done.
    void mainWindowEnabledOnlyWithNoDisablingWindowOpen() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(bool, deleteClosesFirst);
        QPointer<QWidget> deleting = OpenedBy(mainWindow, "Command12");
        QVERIFY(deleting && deleting->inherits("quorvel::Deleteaddon"));
        QVERIFY(mainWindow->isEnabled());
        QPointer<QWidget> other = OpenedBy(mainWindow, qPrintable(button));
        QVERIFY(other && other->inherits(qPrintable(window)) && other->isEnabled());
        // X11 window managers learn the owner of a dialog only; Delete Addon is
        // owned too, or the disabled main window could be raised over it.
        for (const QWidget* owned : {deleting.data(), other.data()}) {
            QCOMPARE(owned->windowType(), Qt::Dialog);
            QCOMPARE(owned->windowHandle()->transientParent(), mainWindow->windowHandle());
        }
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(!OpenedBy(mainWindow, "Command11"));
        QVERIFY(!mainWindow->close());
        QVERIFY(other->isVisible());
        QVERIFY(fs::exists(program->game() / "ADDON.PAL"));

        Escape(deleteClosesFirst ? deleting : other);
        QCOMPARE(mainWindow->isEnabled(), !deleteClosesFirst);
        Escape(deleteClosesFirst ? other : deleting);
        QVERIFY(mainWindow->isEnabled());
        QTRY_VERIFY(deleting.isNull() && other.isNull());
    }

    void focusGoesBackToTheButtonThatOpenedTheWindow_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("mouse");
        for (const auto& [button, window] : kDisablingWindows)
            QTest::newRow(window) << button << false;
        QTest::newRow("quorvel::Deleteaddon") << "Command12" << false;
        QTest::newRow("quorvel::Help, by the mouse") << "Command14" << true;
    }

    // Opened from the keyboard, or by the mouse while another button had the
    // focus, and closed by Escape, a window hands the keys back to its button.
    void focusGoesBackToTheButtonThatOpenedTheWindow() {
        QFETCH(QString, button);
        QFETCH(bool, mouse);
        mainWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow));
        auto* opener = Find<QWidget>(mainWindow, qPrintable(button));
        (mouse ? Find<QWidget>(mainWindow, "Command11") : opener)->setFocus(Qt::TabFocusReason);
        const QWidgetList before = QApplication::topLevelWidgets();
        mouse ? QTest::mouseClick(opener, Qt::LeftButton) : QTest::keyClick(opener, Qt::Key_Space);
        QWidget* opened = nullptr;
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->isVisible() && !before.contains(top))
                opened = top;
        QVERIFY(opened);
        Escape(opened);
        mainWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(mainWindow));
        QCOMPARE(QApplication::focusWidget(), opener);
    }

    void helpTellsWhatTheReadmeTellsPlayers_data() {
        QTest::addColumn<QStringList>("needed");
        const QStringList sections = playerSections();
        QVERIFY(sections.size() > 10);
        for (const QString& section : sections)
            QTest::newRow(qPrintable(section))
                << (kHelpFor.count(section) ? kHelpFor.at(section) : QStringList());
    }

    // The Help button shows the readme.txt the program comes with.
    void helpTellsWhatTheReadmeTellsPlayers() {
        QFETCH(QStringList, needed);
        QVERIFY2(!needed.isEmpty(), "a section Help does not tell of: name it in kHelpFor");
        QFile shipped(":/help/readme.txt");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        WriteFile(program->root() / "readme.txt", shipped.readAll().toStdString());
        QWidget* help = OpenedBy(mainWindow, "Command14");
        QVERIFY(help && help->inherits("quorvel::Help"));
        // Words are looked for whatever the lines' breaks.
        const QString text = Find<QPlainTextEdit>(help, "Text1")->toPlainText().simplified();
        for (const QString& words : needed)
            QVERIFY2(text.contains(words), qPrintable(words));
    }

    // A close asked for while work runs is not dropped: it is done, closing the
    // windows over the main one, once the work has ended.
    void closingTheMainWindowClosesItsWindows() {
        QPointer<QWidget> child = OpenedBy(mainWindow, "Command12");
        Find<QAbstractButton>(mainWindow, "Command13")->click(); // Clear All, on the worker
        QVERIFY(Closed(mainWindow));
        QTRY_VERIFY(child.isNull());
    }

    void firstRunAcceptsOnlyAFolderHoldingTheGame_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<bool>("storable"); // QUORVEL.INI can be written
        QTest::addColumn<bool>("held");     // by another running copy
        QTest::newRow("no EAW.EXE") << "EAW.EX" << false << true << false;
        QTest::newRow("EAW.EXE") << "EAW.EXE" << true << true << false;
        QTest::newRow("eaw.exe") << "eaw.exe" << true << true << false;
        QTest::newRow("a folder EAW.EXE") << "EAW.EXE/X" << false << true << false;
        QTest::newRow("QUORVEL.INI read-only") << "EAW.EXE" << false << false << false;
        QTest::newRow("held by another copy") << "EAW.EXE" << false << true << true;
    }

    // Each folder browsed to is stored at once, but the program works on it only
    // once Accept took it; and Accept waits for a folder that holds the game (a
    // press without browsing took the starting folder as the game folder) and that
    // no other running copy works on.
    void firstRunAcceptsOnlyAFolderHoldingTheGame() {
        QFETCH(QString, file);
        QFETCH(bool, acceptable);
        QFETCH(bool, storable);
        QFETCH(bool, held);
        WriteFile(start / ToPath(file), "x");
        // A first start: QUORVEL.INI comes with the first folder stored.
        delete mainWindow.data();
        fs::remove(ConfigFile());
        if (!storable) {
            WriteFile(ConfigFile(), "");
            SetWritable(ConfigFile(), false);
        }
        mainWindow = new Principal();
        mainWindow->show();
        prompts->answerNext(QMessageBox::Ok);
        QPointer<QWidget> firstRun = open(new Backups(mainWindow));
        SetWritable(ConfigFile(), true);
        QCOMPARE(StoredGameFolder(), storable ? FolderText(start) : std::string());
        QCOMPARE(prompts->shown().size(), std::size_t(storable ? 0 : 1));
        QVERIFY(mainWindow->installation().paths().GameFolder.empty());
        auto* accept = Find<QAbstractButton>(firstRun, "Command1");
        QCOMPARE(accept->isEnabled(), acceptable || held);
        const bool notAgain = file == "eaw.exe";
        Find<QCheckBox>(firstRun, "Check1")->setChecked(notAgain);
        std::optional<OtherHolder> other;
        if (held)
            QVERIFY(other.emplace(start).outcome() == FolderLockOutcome::Held);
        accept->click();
        // The recovery and the copies run on the worker, under the progress dialog.
        QCOMPARE(mainWindow->model().busy(), acceptable);
        QVERIFY(Settled(mainWindow->model()));
        QCOMPARE(prompts->shown().size(), std::size_t(held || !storable ? 1 : 0));

        QCOMPARE(mainWindow->isEnabled(), acceptable);
        QCOMPARE(ReadFile(program->backups() / "EAW.EXE"),
                 std::string(acceptable ? "x" : "game exe"));
        if (!acceptable) {
            Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(program->game()));
            QVERIFY(accept->isEnabled());
            return;
        }
        QCOMPARE(mainWindow->installation().paths().GameFolder.string(), FolderText(start));
        QCOMPARE(Find<QLineEdit>(mainWindow, "Text2")->text(), ToQString(FolderText(start)));
        QCOMPARE(ReadIniValue(mainWindow->installation().paths().ConfigFilePath, "CONFIGURATION",
                              "BACKUPS"),
                 std::string(notAgain ? "1" : "0"));
        QTRY_VERIFY(firstRun.isNull());
        QVERIFY(OtherHolder(start).outcome() == FolderLockOutcome::HeldElsewhere);
    }

    // The first-run window starts at the stored game folder. A player without the
    // game can leave; nothing is cleared, copied or kept.
    void closingFirstRunWithoutAcceptEndsTheProgramAndTouchesNothing() {
        const FolderSnapshot gameBefore = SnapshotOf(program->game());
        QWidget* firstRun = open(new Backups(mainWindow));
        QCOMPARE(Find<QLineEdit>(firstRun, "Text1")->text(), ToQString(program->game()));
        Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(x()));
        QVERIFY(!mainWindow->close());
        QVERIFY(firstRun->close());
        QTRY_VERIFY(!mainWindow->isVisible());
        QCOMPARE(SnapshotOf(program->game()), gameBefore);
        QCOMPARE(SnapshotOf(x()), xBefore);
        QCOMPARE(copiesIn(program->backups()), (FolderSnapshot{{"EAW.EXE", "game exe"}}));
        QCOMPARE(StoredGameFolder(), FolderText(program->game()));
        QCOMPARE(ReadIniValue(mainWindow->installation().paths().ConfigFilePath, "CONFIGURATION",
                              "BACKUPS"),
                 std::string());
    }

    void gameFolderWindowSwitchesOnlyOnAccept_data() {
        // "Accept", "Cancel", "frame", or "Accept held": Accept while another
        // running copy works on the chosen folder, then Cancel
        QTest::addColumn<QString>("close");
        QTest::newRow("Accept") << "Accept";
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("frame") << "frame";
        QTest::newRow("Accept held") << "Accept held";
    }

    // Browsing in the game-folder window stores each folder at once, while Delete
    // Addon closes and Help is tried. Accept clears the old folder, then works on
    // the chosen one and takes its security copies in place of the old ones;
    // Cancel or the frame's close store the old folder again, and the program goes
    // on working on it.
    void gameFolderWindowSwitchesOnlyOnAccept() {
        QFETCH(QString, close);
        const FolderSnapshot backupsBefore{{"EAW.EXE", "game exe"}, {"OLD.TXT", "stale"}};
        LayOut(program->backups(), backupsBefore);
        QPointer<QWidget> deleting = OpenedBy(mainWindow, "Command12");
        QPointer<QWidget> folderWindow = OpenedBy(mainWindow, "Command8");
        Find<FolderPicker>(folderWindow, "Dir1")->setFolder(ToQString(x()));
        QCOMPARE(StoredGameFolder(), FolderText(x()));
        deleting->close();
        QCOMPARE(mainWindow->installation().paths().GameFolder.string(),
                 FolderText(program->game()));
        QVERIFY(!mainWindow->isEnabled());
        QVERIFY(!OpenedBy(mainWindow, "Command14"));
        std::optional<OtherHolder> other;
        if (close == "Accept held") {
            QVERIFY(other.emplace(x()).outcome() == FolderLockOutcome::Held);
            Find<QAbstractButton>(folderWindow, "Command1")->click();
            QVERIFY(Settled(mainWindow->model()));
            QCOMPARE(prompts->shown().size(), std::size_t(1));
            QVERIFY(prompts->shown()[0].text.contains("Another copy"));
            QVERIFY(folderWindow);
        }
        if (close == "frame")
            folderWindow->close();
        else
            Find<QAbstractButton>(folderWindow, close == "Accept" ? "Command1" : "Command2")
                ->click();
        QVERIFY(Settled(mainWindow->model()));

        const bool accepted = close == "Accept";
        const std::string folder = FolderText(accepted ? x() : program->game());
        QVERIFY(mainWindow->isEnabled());
        QCOMPARE(StoredGameFolder(), folder);
        QCOMPARE(mainWindow->installation().paths().GameFolder.string(), folder);
        QCOMPARE(Find<QLineEdit>(mainWindow, "Text2")->text(), ToQString(folder));
        QCOMPARE(fs::exists(program->game() / "ADDON.PAL"), !accepted);
        QCOMPARE(copiesIn(program->backups()),
                 accepted ? FolderSnapshot({{"EAW.EXE", "x exe"}}) : backupsBefore);
        QCOMPARE(SnapshotOf(x()), xBefore);
        // Once switched, this copy holds the new folder and lets the old one go.
        if (accepted) {
            QVERIFY(OtherHolder(x()).outcome() == FolderLockOutcome::HeldElsewhere);
            QVERIFY(OtherHolder(program->game()).outcome() == FolderLockOutcome::Held);
            return;
        }
        QVERIFY(Closed(mainWindow));
        QCOMPARE(SnapshotOf(x()), xBefore);
        QCOMPARE(SnapshotOf(program->game()), (FolderSnapshot{{"EAW.EXE", "game exe"}}));
    }

    // Closed in its second, the splash ends the program: it would otherwise linger
    // with no window, holding the lock that keeps every later start away.
    void closingTheSplashEndsTheProgram() {
        delete mainWindow.data(); // the splash makes the main window
        auto* splash = new Presentacion();
        splash->show();
        bool stillRunning = false;
        QTimer::singleShot(0, splash, &QWidget::close);
        QTimer::singleShot(5000, qApp, [&stillRunning] {
            stillRunning = true;
            QCoreApplication::quit();
        });
        QCoreApplication::exec();
        QVERIFY(!stillRunning);
    }

    // The drive list of the folder pickers, here of the first-run window.
    void unreadableDriveAsksAgainThenGoesBack() {
        StorePaths("");
        QWidget* window = open(new Backups(mainWindow));
        auto* drive = Find<DrivePicker>(window, "Drive1");
        const QString missing = ToQString(program->root() / "no-medium");
        drive->addDrive("X:", missing);
        prompts->answerNext(QMessageBox::Retry);
        prompts->answerNext(QMessageBox::Cancel);
        drive->setCurrentIndex(drive->findData(missing));

        QCOMPARE(prompts->shown().size(), std::size_t(2));
        QCOMPARE(prompts->shown()[0].buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(QDir::toNativeSeparators(Find<FolderPicker>(window, "Dir1")->folder()),
                 ToQString(start));
        QVERIFY(drive->drive() != missing);
    }

private:
    fs::path x() const { return program->root().parent_path() / "X"; }

    QWidget* open(QWidget* window) {
        mainWindow->openWindow(window, false);
        return window;
    }

    std::unique_ptr<ProgramFolderFixture> program;
    fs::path start;
    std::optional<AnsweredPrompts> prompts;
    FolderSnapshot xBefore;
    QPointer<Principal> mainWindow;
};

QTEST_MAIN(WindowsOverMainTest)
#include "WindowsOverMainTest.moc"
