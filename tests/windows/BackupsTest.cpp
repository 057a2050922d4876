#include "windows/Backups.h"

#include "config/PathVariables.h"
#include "platform/IniFile.h"
#include "support/TempFolder.h"
#include "windows/FolderPickers.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::ReadFile;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

QString text(const fs::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

class BackupsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        root = std::make_unique<TempFolder>();
        quorvel::test::MakeProgramFolder(root->path() / "program");
        fs::create_directories(root->path() / "start");
        SetStartingFolder(text(root->path() / "start"));
        Prompts::reset();
        mainWindow = new Principal();
        mainWindow->setEnabled(false);
        firstRun = new Backups(mainWindow);
    }
    void cleanup() {
        delete firstRun.data();
        delete mainWindow;
        root.reset();
        SetStartingFolder(QString());
    }

    void openingStoresTheStartingFolderAtOnce() {
        QCOMPARE(firstRun->findChild<QLineEdit*>("Text1")->text(), text(root->path() / "start"));
        QCOMPARE(QString::fromStdString(StoredGameFolder()), text(root->path() / "start") + "/");
        QCOMPARE(
            QString::fromStdString(ReadIniValue(Paths().ConfigFilePath, "PATH", "RUTABACKUPS")),
            text(root->path() / "program" / "BACKUPS") + "/");
    }

    void eachFolderSelectionReplacesTheStoredOne() {
        fs::create_directories(root->path() / "one");
        fs::create_directories(root->path() / "two");
        auto* dir = firstRun->findChild<FolderPicker*>("Dir1");
        QVERIFY(dir->setFolder(text(root->path() / "one")));
        QVERIFY(dir->setFolder(text(root->path() / "two")));
        QCOMPARE(QString::fromStdString(StoredGameFolder()), text(root->path() / "two") + "/");
        QVERIFY(Paths().GameFolder.empty()); // the variables follow only at Accept
    }

    void acceptCopiesTheProtectedFilesThatExist_data() {
        QTest::addColumn<bool>("notAgain");
        QTest::newRow("checked") << true;
        QTest::newRow("unchecked") << false;
    }

    void acceptCopiesTheProtectedFilesThatExist() {
        QFETCH(bool, notAgain);
        const fs::path game = root->path() / "game";
        WriteFile(game / "EAW.EXE", "exe");
        WriteFile(game / "eaw.ini", "ini");
        WriteFile(game / "GRB_031.SND", "snd");
        WriteFile(game / "OTHER.SPT", "other");
        firstRun->findChild<FolderPicker*>("Dir1")->setFolder(text(game));
        firstRun->findChild<QCheckBox*>("Check1")->setChecked(notAgain);
        firstRun->findChild<QPushButton*>("Command1")->click();

        const fs::path backups = root->path() / "program" / "BACKUPS";
        QCOMPARE(ReadIniValue(Paths().ConfigFilePath, "CONFIGURATION", "BACKUPS"),
                 std::string(notAgain ? "1" : "0"));
        QCOMPARE(ReadFile(backups / "EAW.EXE"), std::string("exe"));
        QCOMPARE(ReadFile(backups / "EAW.INI"), std::string("ini"));
        QCOMPARE(ReadFile(backups / "GRB_031.SND"), std::string("snd"));
        QVERIFY(!fs::exists(backups / "EXTRA.SPT"));
        QVERIFY(!fs::exists(backups / "OTHER.SPT"));
        QCOMPARE(Paths().GameFolder.string(), game.string() + "/");
        QCOMPARE(mainWindow->findChild<QLineEdit*>("Text2")->text(), text(game) + "/");
        QVERIFY(mainWindow->isEnabled());
        QTRY_VERIFY(!firstRun->isVisible());
    }

    void closingIsRefusedUntilAccepted() {
        mainWindow->show();
        firstRun->show();
        QVERIFY(!firstRun->close());
        QVERIFY(!mainWindow->close());
        QVERIFY(firstRun->isVisible());
        firstRun->findChild<QPushButton*>("Command1")->click();
        QVERIFY(mainWindow->close());
    }

    void unreadableDriveAsksToRetryThenGoesBack() {
        auto* drive = firstRun->findChild<DrivePicker*>("Drive1");
        const QString missing = text(root->path() / "no-medium");
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
        QCOMPARE(firstRun->findChild<FolderPicker*>("Dir1")->folder(),
                 text(root->path() / "start"));
        QVERIFY(drive->drive() != missing);
    }

private:
    std::unique_ptr<TempFolder> root;
    Principal* mainWindow = nullptr;
    QPointer<Backups> firstRun;
};

QTEST_MAIN(BackupsTest)
#include "BackupsTest.moc"
