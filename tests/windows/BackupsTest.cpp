#include "windows/Backups.h"

#include "ProgramFolderFixture.h"
#include "config/PathVariables.h"
#include "platform/IniFile.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QCheckBox>
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
        mainWindow->setEnabled(false);
        firstRun = new Backups(mainWindow);
    }
    void cleanup() {
        delete firstRun.data();
        delete mainWindow;
        program.reset();
    }

    void eachFolderSelectionIsStoredAtOnce() {
        QCOMPARE(Find<QLineEdit>(firstRun, "Text1")->text(), ToQString(start));
        QCOMPARE(StoredGameFolder(), FolderText(start));
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

    void closingIsRefusedUntilAccepted() {
        mainWindow->show();
        firstRun->show();
        QVERIFY(!firstRun->close());
        QVERIFY(!mainWindow->close());
        QVERIFY(firstRun->isVisible());
        Find<QPushButton>(firstRun, "Command1")->click();
        QVERIFY(mainWindow->close());
    }

    void unreadableDriveAsksToRetryThenGoesBack() {
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
        QCOMPARE(Find<FolderPicker>(firstRun, "Dir1")->folder(), ToQString(start));
        QVERIFY(drive->drive() != missing);
    }

private:
    std::unique_ptr<ProgramFolderFixture> program;
    fs::path start;
    Principal* mainWindow = nullptr;
    QPointer<Backups> firstRun;
};

QTEST_MAIN(BackupsTest)
#include "BackupsTest.moc"
