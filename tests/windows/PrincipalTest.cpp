#include "windows/Principal.h"

#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "support/TempFolder.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using quorvel::test::TempFolder;
using quorvel::test::WriteFile;

namespace {

// Button and folder of each category, graphics and sounds crossing.
const char* const kButtons[] = {"Command1", "Command2", "Command3", "Command4",
                                "Command6", "Command5", "Command7"};

void writePicture(const fs::path& path, int width) {
    QImage picture(width, 20, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    QVERIFY(picture.save(QString::fromStdString(path.string()), "JPG"));
}

QStringList entries(const QListWidget* list) {
    QStringList names;
    for (int row = 0; row < list->count(); ++row)
        names << list->item(row)->text();
    return names;
}

} // namespace

class PrincipalTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        program = std::make_unique<TempFolder>();
        quorvel::test::MakeProgramFolder(program->path());
    }
    void cleanup() { program.reset(); }

    void categoryButtonListsItsFolder_data() {
        QTest::addColumn<int>("category");
        for (int category = 0; category < int(kCategoryCount); ++category)
            QTest::newRow(kButtons[category]) << category;
    }

    void categoryButtonListsItsFolder() {
        QFETCH(int, category);
        storePaths();
        const fs::path folder = program->path() / kAddonCategories[category].folderName;
        for (const char* name : {"zulu.zip", "Alpha.ZIP", "mid dle.Zip", "notes.txt"})
            WriteFile(folder / name, "x");
        Principal window;
        auto* button = window.findChild<QAbstractButton*>(kButtons[category]);
        QVERIFY(button);
        button->click();

        QCOMPARE(entries(window.findChild<QListWidget*>("List8")),
                 QStringList({"ALPHA", "MID DLE", "ZULU"}));
        QCOMPARE(window.findChild<QLabel*>("Label11")->text(),
                 QString::fromLatin1(kAddonCategories[category].caption.data()));
        for (const char* other : kButtons)
            QCOMPARE(window.findChild<QAbstractButton*>(other)->isEnabled(),
                     QString(other) != kButtons[category]);
        QCOMPARE(window.findChild<QPlainTextEdit*>("Text1")->toPlainText(), QString());
    }

    void withoutConfigurationNothingIsListed() {
        WriteFile(program->path() / "GRAPHICS" / "a.zip", "x");
        Principal window;
        QCOMPARE(window.findChild<QLineEdit*>("Text2")->text(), QString());
        QCOMPARE(window.findChild<QPlainTextEdit*>("Text1")->toPlainText(),
                 QString("Welcome to Quorvel v1.0"));
        window.findChild<QAbstractButton*>("Command6")->click();
        QCOMPARE(window.findChild<QListWidget*>("List8")->count(), 0);
    }

    void missingFolderAndAllZipAreHandledLikeAnyOther() {
        storePaths();
        WriteFile(program->path() / "MISSIONS" / "all.zip", "x");
        fs::remove_all(program->path() / "TERRAINS");
        Principal window;
        window.findChild<QAbstractButton*>("Command2")->click();
        QCOMPARE(entries(window.findChild<QListWidget*>("List8")), QStringList({"ALL"}));
        window.findChild<QAbstractButton*>("Command4")->click();
        QCOMPARE(window.findChild<QListWidget*>("List8")->count(), 0);
        QCOMPARE(window.findChild<QLabel*>("Label11")->text(), QString("TERRAINS"));
    }

    void clickPreviewsFromTheCategoryFolder() {
        storePaths();
        const fs::path skins = program->path() / "SKINS";
        WriteFile(skins / "Mixed.Zip", "x");
        WriteFile(skins / "Mixed.txt", "Spitfire skins\r\nsecond line");
        writePicture(skins / "mixed.JPG", 77);
        WriteFile(skins / "bare.zip", "x");
        WriteFile(program->path() / "SOUNDS" / "BARE.txt", "wrong folder");

        Principal window;
        window.findChild<QAbstractButton*>("Command3")->click();
        auto* list = window.findChild<QListWidget*>("List8");
        auto* image = window.findChild<QLabel*>("Image1");
        auto* text = window.findChild<QPlainTextEdit*>("Text1");
        list->setCurrentRow(entries(list).indexOf("MIXED"));
        QCOMPARE(text->toPlainText(), QString("Spitfire skins\nsecond line"));
        QCOMPARE(image->pixmap().width(), 77);

        // No picture: the last one stays; no text: empty.
        list->setCurrentRow(entries(list).indexOf("BARE"));
        QCOMPARE(text->toPlainText(), QString());
        QCOMPARE(image->pixmap().width(), 77);
    }

    void gameFolderFieldShowsTheStoredFolder() {
        storePaths();
        Principal window;
        QCOMPARE(window.findChild<QLineEdit*>("Text2")->text(), QString("/games/eaw/"));
    }

private:
    void storePaths() {
        QVERIFY(StorePaths("/games/eaw/"));
        ReloadPaths(true);
    }

    std::unique_ptr<TempFolder> program;
};

QTEST_MAIN(PrincipalTest)
#include "PrincipalTest.moc"
