#include "windows/Backups.h"

#include "ProgramFolderFixture.h"
#include "config/PathVariables.h"
#include "platform/IniFile.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

class BackupsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program = std::make_unique<ProgramFolderFixture>();
        start = program->startPickersIn("start");
        Prompts::reset();
        mainWindow = new Principal();
        mainWindow->show();
    }
    void openFirstRun() {
        firstRun = new Backups(mainWindow);
        mainWindow->openWindow(firstRun, false);
    }
    void cleanup() {
        delete firstRun.data();
        delete mainWindow.data();
        program.reset();
    }

    void picksStartAtTheStoredGameFolderWhenItExists_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("startsThere");
        QTest::newRow("stored game folder") << "game" << true;
        QTest::newRow("stored folder gone") << "gone" << false;
        QTest::newRow("nothing stored") << "" << false;
    }

    void picksStartAtTheStoredGameFolderWhenItExists() {
        QFETCH(QString, stored);
        QFETCH(bool, startsThere);
        const fs::path folder = program->root() / ToPath(stored);
        StorePaths(stored.isEmpty() ? std::string() : FolderText(folder));
        openFirstRun();
        const fs::path expected = startsThere ? folder : start;
        QCOMPARE(Find<QLineEdit>(firstRun, "Text1")->text(), ToQString(expected));
        QVERIFY(ToQString(expected).startsWith(
            QDir::toNativeSeparators(Find<DrivePicker>(firstRun, "Drive1")->drive())));
    }

    void eachFolderSelectionIsStoredAtOnce() {
        openFirstRun();
        QCOMPARE(StoredGameFolder(), FolderText(program->game()));
        QCOMPARE(ReadIniValue(Paths().ConfigFilePath, "PATH", "RUTABACKUPS"),
                 FolderText(program->backups()));

        const fs::path other = program->root() / "other";
        fs::create_directories(other);
        QVERIFY(Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(other)));
        QCOMPARE(StoredGameFolder(), FolderText(other));
        QCOMPARE(Paths().GameFolder.string(),
                 FolderText(program->game())); // follows only at Accept
    }

    void acceptCopiesTheProtectedFilesThatExist_data() {
        QTest::addColumn<bool>("notAgain");
        QTest::newRow("checked") << true;
        QTest::newRow("unchecked") << false;
    }

    void acceptCopiesTheProtectedFilesThatExist() {
        QFETCH(bool, notAgain);
        openFirstRun();
        const fs::path game = program->root() / "new game";
        WriteFile(game / "EAW.EXE", "exe");
        WriteFile(game / "eaw.ini", "ini");
        WriteFile(game / "GRB_031.SND", "snd");
        WriteFile(game / "OTHER.SPT", "other");
        Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(game));
        Find<QCheckBox>(firstRun, "Check1")->setChecked(notAgain);
        Find<QPushButton>(firstRun, "Command1")->click();

        QCOMPARE(ReadIniValue(Paths().ConfigFilePath, "CONFIGURATION", "BACKUPS"),
                 std::string(notAgain ? "1" : "0"));
        QCOMPARE(FilesIn(program->backups()), QStringList({"EAW.EXE", "EAW.INI", "GRB_031.SND"}));
        QCOMPARE(ReadFile(program->backups() / "EAW.EXE"), std::string("exe"));
        QCOMPARE(ReadFile(program->backups() / "EAW.INI"), std::string("ini"));
        QCOMPARE(ReadFile(program->backups() / "GRB_031.SND"), std::string("snd"));
        QCOMPARE(Paths().GameFolder.string(), FolderText(game));
        QCOMPARE(Find<QLineEdit>(mainWindow, "Text2")->text(), ToQString(FolderText(game)));
        QVERIFY(mainWindow->isEnabled());
        QTRY_VERIFY(!firstRun->isVisible());
    }

    void acceptOnlyForAFolderHoldingTheGame_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("no EAW.EXE") << "EAW.EX" << false;
        QTest::newRow("EAW.EXE") << "EAW.EXE" << true;
        QTest::newRow("eaw.exe") << "eaw.exe" << true;
        QTest::newRow("a folder EAW.EXE") << "EAW.EXE/X" << false;
    }

    // A press on Accept without browsing took the starting folder as the game folder.
    void acceptOnlyForAFolderHoldingTheGame() {
        QFETCH(QString, file);
        QFETCH(bool, acceptable);
        WriteFile(start / ToPath(file), "x");
        WriteFile(program->game() / "EAW.EXE", "game");
        StorePaths("");
        openFirstRun();
        auto* accept = Find<QPushButton>(firstRun, "Command1");
        QCOMPARE(accept->isEnabled(), acceptable);
        accept->click();
        QCOMPARE(FilesIn(program->backups()).size(), acceptable ? 1 : 0);
        QCOMPARE(mainWindow->isEnabled(), acceptable);
        if (!acceptable) {
            Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(program->game()));
            QVERIFY(accept->isEnabled());
        }
    }

    // A player without the game can leave; nothing is cleared, copied or kept.
    void closingWithoutAcceptEndsTheProgramAndTouchesNothing() {
        WriteFile(program->game() / "EAW.EXE", "game");
        WriteFile(program->game() / "MAP.PAL", "game");
        WriteFile(start / "PRECIOUS.DAT", "mine");
        StorePaths(FolderText(program->game()));
        openFirstRun();
        Find<FolderPicker>(firstRun, "Dir1")->setFolder(ToQString(start));
        QVERIFY(!mainWindow->close());
        QVERIFY(firstRun->close());
        QTRY_VERIFY(!mainWindow->isVisible());
        QCOMPARE(FilesIn(program->game()), QStringList({"EAW.EXE", "MAP.PAL"}));
        QCOMPARE(FilesIn(start), QStringList({"PRECIOUS.DAT"}));
        QCOMPARE(FilesIn(program->backups()), QStringList());
        QCOMPARE(StoredGameFolder(), FolderText(program->game()));
        QCOMPARE(ReadIniValue(Paths().ConfigFilePath, "CONFIGURATION", "BACKUPS"), std::string());
    }

    void unreadableDriveAsksToRetryThenGoesBack() {
        StorePaths("");
        openFirstRun();
        auto* drive = Find<DrivePicker>(firstRun, "Drive1");
        const QString missing = ToQString(program->root() / "no-medium");
        drive->addDrive("X:", missing);
        Prompts::answerNext(QMessageBox::Retry);
        Prompts::answerNext(QMessageBox::Cancel);
        drive->setCurrentIndex(drive->findData(missing));

        QCOMPARE(Prompts::shown().size(), std::size_t(2));
        const Prompts::Shown& box = Prompts::shown().front();
        QCOMPARE(box.title, QString("Alert !!!"));
        QCOMPARE(box.text, QString("Drive not Aviable\r\nTry Again?"));
        QCOMPARE(box.icon, QMessageBox::Critical);
        QCOMPARE(box.buttons, QMessageBox::Retry | QMessageBox::Cancel);
        QCOMPARE(QDir::toNativeSeparators(Find<FolderPicker>(firstRun, "Dir1")->folder()),
                 ToQString(start));
        QVERIFY(drive->drive() != missing);
    }

private:
    std::unique_ptr<ProgramFolderFixture> program;
    fs::path start;
    QPointer<Principal> mainWindow;
    QPointer<Backups> firstRun;
};

QTEST_MAIN(BackupsTest)
#include "BackupsTest.moc"
