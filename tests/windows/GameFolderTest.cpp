#include "ProgramFolderFixture.h"
#include "config/PathVariables.h"
#include "library/FolderSnapshot.h"
#include "platform/IniFile.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// The buttons of the windows that disable the main window.
const char* const kDisablingButtons[] = {"Command8", "Command9", "Command11", "Command14",
                                         "Command15"};

QWidget* openWindowOf(const char* className) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->inherits(className) && top->isVisible())
            return top;
    return nullptr;
}

// The window the button opened: the visible top-level window that is neither the
// main window nor one that was open before.
QWidget* openedBy(Principal& mainWindow, const char* button) {
    const QWidgetList before = QApplication::topLevelWidgets();
    Find<QAbstractButton>(&mainWindow, button)->click();
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &mainWindow && top->isVisible() && !before.contains(top))
            return top;
    return nullptr;
}

} // namespace

// A game folder with an add-on's files, its security copies, and a folder X that
// holds the game and a player's own files and is only ever browsed to.
class GameFolderTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program = std::make_unique<ProgramFolderFixture>();
        LayOut(program->game(), {{"EAW.EXE", "game exe"}, {"ADDON.PAL", "addon"}});
        LayOut(program->backups(), {{"EAW.EXE", "game exe"}});
        LayOut(x(), {{"EAW.EXE", "x exe"}, {"PRECIOUS.DAT", "mine"}, {"MAP.PAL", "mine"}});
        xBefore = SnapshotOf(x());
    }
    void cleanup() { program.reset(); }

    // Browsing in the game-folder window while Delete Addon closes and Help is
    // tried, then Cancel: the program goes on working on the stored game folder.
    void cancelledChangeLeavesTheProgramOnTheStoredFolder() {
        Principal mainWindow;
        mainWindow.show();
        QPointer<QWidget> deleting = openedBy(mainWindow, "Command12");
        QPointer<QWidget> folderWindow = openedBy(mainWindow, "Command8");
        QVERIFY(deleting && folderWindow);
        Find<FolderPicker>(folderWindow, "Dir1")->setFolder(ToQString(x()));
        QCOMPARE(StoredGameFolder(), FolderText(x()));
        deleting->close();
        QVERIFY(!mainWindow.isEnabled());
        Find<QAbstractButton>(&mainWindow, "Command14")->click();
        QVERIFY(!openWindowOf("quorvel::Help"));
        Find<QAbstractButton>(folderWindow, "Command2")->click();

        QVERIFY(mainWindow.isEnabled());
        QCOMPARE(StoredGameFolder(), FolderText(program->game()));
        QCOMPARE(Paths().GameFolder.string(), FolderText(program->game()));
        QCOMPARE(Find<QLineEdit>(&mainWindow, "Text2")->text(),
                 ToQString(FolderText(program->game())));
        QVERIFY(mainWindow.close());
        QCOMPARE(SnapshotOf(x()), xBefore);
        QCOMPARE(SnapshotOf(program->game()), (FolderSnapshot{{"EAW.EXE", "game exe"}}));
    }

    // Accept clears the stored folder, then works on the chosen one.
    void acceptedChangeClearsTheOldFolderOnly() {
        Principal mainWindow;
        QPointer<QWidget> folderWindow = openedBy(mainWindow, "Command8");
        Find<FolderPicker>(folderWindow, "Dir1")->setFolder(ToQString(x()));
        Find<QAbstractButton>(folderWindow, "Command1")->click();

        QVERIFY(mainWindow.isEnabled());
        QCOMPARE(Paths().GameFolder.string(), FolderText(x()));
        QCOMPARE(SnapshotOf(program->game()), (FolderSnapshot{{"EAW.EXE", "game exe"}}));
        QCOMPARE(SnapshotOf(x()), xBefore);
        QCOMPARE(SnapshotOf(program->backups()), (FolderSnapshot{{"EAW.EXE", "x exe"}}));
    }

    void closeRequestToTheDisabledMainWindowIsRefused_data() {
        QTest::addColumn<QString>("button");
        for (const char* button : kDisablingButtons)
            QTest::newRow(button) << button;
    }

    void closeRequestToTheDisabledMainWindowIsRefused() {
        QFETCH(QString, button);
        Principal mainWindow;
        mainWindow.show();
        QPointer<QWidget> window = openedBy(mainWindow, qPrintable(button));
        QVERIFY(!mainWindow.close());
        QVERIFY(window && window->isVisible());
        QCOMPARE(SnapshotOf(program->game()).size(), std::size_t(2));
        window->close();
        QVERIFY(mainWindow.close());
    }

    // Delete Addon leaves the main window usable; any other window opened beside
    // it keeps the main window disabled until that one closes, in either order.
    void mainWindowEnabledOnlyWithNoDisablingWindowOpen_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("deleteClosesFirst");
        for (const char* button : kDisablingButtons)
            for (const bool deleteFirst : {true, false})
                QTest::addRow("%s, %s closes first", button, deleteFirst ? "delete" : "it")
                    << button << deleteFirst;
    }

    void mainWindowEnabledOnlyWithNoDisablingWindowOpen() {
        QFETCH(QString, button);
        QFETCH(bool, deleteClosesFirst);
        Principal mainWindow;
        mainWindow.show();
        QPointer<QWidget> deleting = openedBy(mainWindow, "Command12");
        QVERIFY(mainWindow.isEnabled());
        QPointer<QWidget> other = openedBy(mainWindow, qPrintable(button));
        QVERIFY(!mainWindow.isEnabled());
        QVERIFY(!openedBy(mainWindow, "Command11"));

        (deleteClosesFirst ? deleting : other)->close();
        QCOMPARE(mainWindow.isEnabled(), !deleteClosesFirst);
        (deleteClosesFirst ? other : deleting)->close();
        QVERIFY(mainWindow.isEnabled());
    }

    void clearAllOnlyInAFolderKnownToBeTheGame_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("copy");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("no EAW.EXE, no copy") << ""
                                             << "" << false;
        QTest::newRow("eaw.exe") << "eaw.exe"
                                 << "" << true;
        QTest::newRow("security copy only") << ""
                                            << "EAW.EXE" << true;
    }

    void clearAllOnlyInAFolderKnownToBeTheGame() {
        QFETCH(QString, program);
        QFETCH(QString, copy);
        QFETCH(bool, cleared);
        fs::remove(this->program->game() / "EAW.EXE");
        fs::remove(this->program->backups() / "EAW.EXE");
        if (!program.isEmpty())
            WriteFile(this->program->game() / ToPath(program), "exe");
        if (!copy.isEmpty())
            WriteFile(this->program->backups() / ToPath(copy), "copy");
        const FolderSnapshot before = SnapshotOf(this->program->game());
        Principal mainWindow;
        Find<QAbstractButton>(&mainWindow, "Command13")->click();
        QCOMPARE(SnapshotOf(this->program->game()) != before, cleared);
        QCOMPARE(fs::exists(this->program->game() / "ADDON.PAL"), !cleared);
    }

private:
    fs::path x() const { return program->root() / "X"; }

    std::unique_ptr<ProgramFolderFixture> program;
    FolderSnapshot xBefore;
};

QTEST_MAIN(GameFolderTest)
#include "GameFolderTest.moc"
