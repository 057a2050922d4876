#include "windows/Newaddon.h"

#include "ProgramFolderFixture.h"
#include "support/Blocked.h"
#include "support/CurrentFolder.h"
#include "support/ZipBuilder.h"
#include "windows/FolderPickers.h"
#include "windows/PathText.h"
#include "windows/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Drives the window by its controls as the user would.
struct NewaddonDriver {
    explicit NewaddonDriver(Newaddon& window)
        : combo(Find<QComboBox>(&window, "Combo1"))
        , normal(Find<QRadioButton>(&window, "Option1"))
        , package(Find<QRadioButton>(&window, "Option2"))
        , drive(Find<DrivePicker>(&window, "Drive1"))
        , folder(Find<FolderPicker>(&window, "Dir1"))
        , files(Find<FilePicker>(&window, "File1"))
        , echo(Find<QLineEdit>(&window, "Text1"))
        , button(Find<QPushButton>(&window, "Command1")) {}

    void chooseCategory(const QString& category) const { ChooseInCombo(combo, category); }
    void chooseFile(const QString& name) const {
        files->setCurrentItem(files->findItems(name, Qt::MatchExactly).value(0));
    }
    void pressInstall() const { QTest::mouseClick(button, Qt::LeftButton); }

    QComboBox* combo;
    QRadioButton* normal;
    QRadioButton* package;
    DrivePicker* drive;
    FolderPicker* folder;
    FilePicker* files;
    QLineEdit* echo;
    QPushButton* button;
};

} // namespace

class NewaddonTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        Prompts::reset();
        program = std::make_unique<ProgramFolderFixture>();
        download = program->startPickersIn("download");
    }
    void cleanup() { program.reset(); }

    void opensAfreshEachTimeAndEchoesTheFileActivated() {
        WriteFile(download / "alpha.zip", "zip");
        WriteFile(download / "BETA.ZIP", "zip");
        WriteFile(download / "notes.txt", "text");
        for (int opening = 0; opening < 2; ++opening) {
            Newaddon window(nullptr);
            const NewaddonDriver ui(window);
            QCOMPARE((QStringList{window.windowTitle(), Find<QLabel>(&window, "Label1")->text(),
                                  Find<QLabel>(&window, "Label2")->text(), ui.normal->text(),
                                  ui.package->text(), ui.button->text()}),
                     (QStringList{"EUROPEAN AIR WAR Quorvel v1.0 - New Addon",
                                  "Category of the Addon that you want install",
                                  "Type of file that you want install",
                                  "Zip file with the addon  (Normal addon file)",
                                  "Zip file with one JPG one TXT and one ZIP file (Quorvel file)",
                                  "Install the Addon"}));
            QCOMPARE(ui.combo->currentIndex(), -1);
            QVERIFY(ui.normal->isChecked());
            QCOMPARE(QDir::toNativeSeparators(ui.folder->folder()), ToQString(download));
            QCOMPARE(Entries(ui.files), (QStringList{"alpha.zip", "BETA.ZIP"}));
            QCOMPARE(ui.echo->text(), QString());
            QVERIFY(!ui.button->isEnabled());
            ui.package->setChecked(true);
            ui.chooseCategory("MISSION");
            ui.chooseFile("alpha.zip");
            QTest::keyClick(ui.files, Qt::Key_Return);
            QCOMPARE(ui.echo->text(), "alpha.zip");
        }
    }

    void imports_data() {
        QTest::addColumn<bool>("asPackage");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("members");       // each member holds its own stored name
        QTest::addColumn<QStringList>("libraryBefore"); // each file holds "old"
        QTest::addColumn<QStringList>("libraryAfter");
        QTest::newRow("normal add-on, new")
            << false << "alpha.zip" << QStringList{"alpha.pak"} << QStringList{"beta.zip"}
            << QStringList{"alpha.zip", "beta.zip"};
        QTest::newRow("normal add-on replacing one of the same name")
            << false << "ALPHA.ZIP" << QStringList{"alpha.pak"}
            << QStringList{"alpha.txt", "alpha.zip"} << QStringList{"alpha.txt", "alpha.zip"};
        QTest::newRow("package whose members sit in folders")
            << true << "alpha-package.zip"
            << QStringList{"pack/alpha.zip", "pack/text/alpha.txt", "alpha.jpg"}
            << QStringList{"alpha.txt"} << QStringList{"alpha.jpg", "alpha.txt", "alpha.zip"};
        QTest::newRow("normal archive imported as a package")
            << true << "plain.zip" << QStringList{"plain.pak", "sub\\plain.dat"} << QStringList{}
            << QStringList{"plain.dat", "plain.pak"};
    }

    void imports() {
        QFETCH(bool, asPackage);
        QFETCH(QString, fileName);
        QFETCH(QStringList, members);
        QFETCH(QStringList, libraryBefore);
        QFETCH(QStringList, libraryAfter);
        const fs::path library = program->library("SKINS");
        for (const QString& name : libraryBefore)
            WriteFile(library / name.toStdString(), "old");
        std::vector<ZipEntry> entries;
        for (const QString& member : members)
            entries.push_back({member.toStdString(), member.toStdString()});
        const fs::path source = download / fileName.toStdString();
        MakeZip(source, entries);
        const std::string sourceBytes = ReadFile(source);

        Newaddon window(nullptr);
        const NewaddonDriver ui(window);
        ui.chooseCategory("SKIN PACK");
        (asPackage ? ui.package : ui.normal)->setChecked(true);
        ui.chooseFile(fileName);
        QVERIFY(ui.button->isEnabled());
        ui.pressInstall();

        QCOMPARE(FilesIn(library), libraryAfter);
        if (!asPackage)
            QCOMPARE(ReadFile(library / fileName.toLower().toStdString()), sourceBytes);
        for (const QString& member : asPackage ? members : QStringList{}) {
            const QString bare = member.section(QRegularExpression("[/\\\\]"), -1);
            QCOMPARE(ReadFile(library / bare.toStdString()), member.toStdString());
        }
        QCOMPARE(ReadFile(source), sourceBytes);
        QVERIFY(Prompts::shown().empty());
    }

    void theLibrarysOwnFileIsKept() {
        const fs::path library = program->library("GRAPHICS");
        WriteFile(library / "alpha.zip", "the only copy");
        Newaddon window(nullptr);
        const NewaddonDriver ui(window);
        QVERIFY(ui.folder->setFolder(ToQString(library)));
        ui.chooseCategory("GRAPHIC");
        ui.chooseFile("alpha.zip");
        ui.pressInstall();
        QCOMPARE(FilesIn(library), QStringList{"alpha.zip"});
        QCOMPARE(ReadFile(library / "alpha.zip"), "the only copy");
        QVERIFY(Prompts::shown().empty());
    }

    void nothingIsWrittenWithoutCategoryAndFile_data() {
        QTest::addColumn<bool>("chooseCategory");
        QTest::addColumn<bool>("chooseFile");
        QTest::newRow("no category") << false << true;
        QTest::newRow("no file") << true << false;
    }

    void nothingIsWrittenWithoutCategoryAndFile() {
        QFETCH(bool, chooseCategory);
        QFETCH(bool, chooseFile);
        WriteFile(download / "alpha.zip", "zip");
        {
            const CurrentFolder current(program->root());
            Newaddon window(nullptr);
            const NewaddonDriver ui(window);
            if (chooseCategory)
                ui.chooseCategory("FLIGHT MODEL");
            if (chooseFile)
                ui.chooseFile("alpha.zip");
            QVERIFY(!ui.button->isEnabled());
            ui.button->click();
        }
        QCOMPARE(FilesIn(program->library("FLIGHTMODELS")), QStringList{});
        QCOMPARE(FilesIn(program->root()), QStringList{"QUORVEL.INI"});
    }

    // Both kinds of file tell a failed import in the same box, with the reason, and
    // leave the library as it was.
    void failuresAreToldAndLeaveTheLibraryAsItWas_data() {
        QTest::addColumn<bool>("asPackage");
        QTest::addColumn<QString>("library"); // "missing", "read-only" or "usable"
        QTest::addColumn<bool>("validArchive");
        QTest::addColumn<QString>("box");
        QTest::newRow("copy into a missing folder")
            << false << "missing" << true << "FileCopy: .*No such file or directory";
        QTest::newRow("copy into a read-only folder")
            << false << "read-only" << true << "FileCopy: .*Operation not permitted";
        QTest::newRow("package into a missing folder")
            << true << "missing" << true << "Unzip: .*No such folder";
        QTest::newRow("package into a read-only folder")
            << true << "read-only" << true
            << "Unzip: .*no file could be written: .*Operation not permitted";
        QTest::newRow("package that is not a zip archive")
            << true << "usable" << false << "Unzip: .*broken.zip";
    }

    void failuresAreToldAndLeaveTheLibraryAsItWas() {
        QFETCH(bool, asPackage);
        QFETCH(QString, library);
        QFETCH(bool, validArchive);
        QFETCH(QString, box);
        const fs::path folder = program->library("SOUNDS");
        if (validArchive)
            MakeZip(download / "broken.zip", {{"a.zip", "a"}, {"a.txt", "t"}});
        else
            WriteFile(download / "broken.zip", "not a zip archive");
        if (library == "missing")
            fs::remove_all(folder);
        std::optional<Blocked> readOnly;
        if (library == "read-only" && !readOnly.emplace(folder).blocked())
            QSKIP("chattr +i is not possible here");
        Newaddon window(nullptr);
        const NewaddonDriver ui(window);
        QSignalSpy changed(&window, &Newaddon::libraryChanged);
        ui.chooseCategory("SOUND PACK");
        (asPackage ? ui.package : ui.normal)->setChecked(true);
        ui.chooseFile("broken.zip");
        Prompts::answerNext(QMessageBox::Ok);
        ui.pressInstall();
        QCOMPARE(Prompts::shown().size(), std::size_t(1));
        QCOMPARE(Prompts::shown()[0].title, QString("QUORVEL"));
        QCOMPARE(Prompts::shown()[0].icon, QMessageBox::Warning);
        QVERIFY2(QRegularExpression(box).match(Prompts::shown()[0].text).hasMatch(),
                 qPrintable(Prompts::shown()[0].text));
        QCOMPARE(FilesIn(folder), QStringList{});
        QCOMPARE(changed.count(), 0);
    }

    void anUnreadableDriveAsksAndCancelGoesBack() {
        Newaddon window(nullptr);
        const NewaddonDriver ui(window);
        ui.drive->addDrive("E:", ToQString(program->root() / "no-disc"));
        Prompts::answerNext(QMessageBox::Retry);
        Prompts::answerNext(QMessageBox::Cancel);
        ui.drive->setCurrentIndex(ui.drive->findText("E:"));
        QCOMPARE(Prompts::shown().size(), std::size_t(2));
        QCOMPARE(Prompts::shown()[1].title, "Alert !!!");
        QCOMPARE(QDir::toNativeSeparators(ui.folder->folder()), ToQString(download));
        QVERIFY(ui.drive->currentText() != "E:");
    }

private:
    std::unique_ptr<ProgramFolderFixture> program;
    fs::path download;
};

QTEST_MAIN(NewaddonTest)
#include "NewaddonTest.moc"
