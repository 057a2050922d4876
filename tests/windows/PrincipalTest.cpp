#include "windows/Principal.h"

#include "ProgramFolderFixture.h"
#include "config/AddonCategory.h"
#include "config/PathVariables.h"
#include "windows/PathText.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// Button of each category in category order: graphics and sounds cross.
const char* const kButtons[] = {"Command1", "Command2", "Command3", "Command4",
                                "Command6", "Command5", "Command7"};

void click(const Principal& window, const char* button) {
    Find<QAbstractButton>(&window, button)->click();
}

} // namespace

class PrincipalTest : public QObject {
    Q_OBJECT

private slots:
    void categoryButtonListsItsFolder_data() {
        QTest::addColumn<int>("category");
        for (int category = 0; category < int(kCategoryCount); ++category)
            QTest::newRow(kButtons[category]) << category;
    }

    void categoryButtonListsItsFolder() {
        QFETCH(int, category);
        ProgramFolderFixture program;
        const fs::path folder = program.library(kAddonCategories[category].folderName.data());
        for (const char* name : {"zulu.zip", "Alpha.ZIP", "mid dle.Zip", "all.zip", "notes.txt"})
            WriteFile(folder / name, "x");
        Principal window;
        click(window, kButtons[category]);

        QCOMPARE(Entries(Find<QListWidget>(&window, "List8")),
                 QStringList({"ALL", "ALPHA", "MID DLE", "ZULU"}));
        QCOMPARE(Find<QLabel>(&window, "Label11")->text(),
                 QString::fromLatin1(kAddonCategories[category].caption.data()));

        // Choosing the category on screen again reads its folder afresh.
        WriteFile(folder / "new.zip", "x");
        fs::remove(folder / "zulu.zip");
        click(window, kButtons[category]);
        QCOMPARE(Entries(Find<QListWidget>(&window, "List8")),
                 QStringList({"ALL", "ALPHA", "MID DLE", "NEW"}));
    }

    void withoutConfigurationNothingIsListed() {
        ProgramFolderFixture program(ProgramFolderFixture::GameFolder::NotStored);
        WriteFile(program.library("GRAPHICS") / "a.zip", "x");
        Principal window;
        QCOMPARE(Find<QLineEdit>(&window, "Text2")->text(), QString());
        QCOMPARE(Find<QPlainTextEdit>(&window, "Text1")->toPlainText(),
                 QString("Welcome to Quorvel v1.0"));
        click(window, "Command6");
        QCOMPARE(Find<QListWidget>(&window, "List8")->count(), 0);
    }

    void missingLibraryFolderListsNothing() {
        ProgramFolderFixture program;
        fs::remove_all(program.library("TERRAINS"));
        Principal window;
        click(window, "Command4");
        QCOMPARE(Find<QListWidget>(&window, "List8")->count(), 0);
        QCOMPARE(Find<QLabel>(&window, "Label11")->text(), QString("TERRAINS"));
    }

    void clickPreviewsFromTheCategoryFolder() {
        ProgramFolderFixture program;
        const fs::path skins = program.library("SKINS");
        WriteFile(skins / "Mixed.Zip", "x");
        // Written on Windows in its code page: quotes, a dash and the euro sign.
        WriteFile(skins / "Mixed.txt", "\x93Spitfire\x94 skins \x96 \x80"
                                       "5\r\nsecond line");
        WriteJpeg(skins / "mixed.JPG", {77, 20});
        WriteFile(skins / "bare.zip", "x");
        WriteFile(program.library("SOUNDS") / "BARE.txt", "wrong folder");

        Principal window;
        QCOMPARE(Find<QLineEdit>(&window, "Text2")->text(), ToQString(FolderText(program.game())));
        click(window, "Command3");
        auto* list = Find<QListWidget>(&window, "List8");
        auto* image = Find<QLabel>(&window, "Image1");
        auto* text = Find<QPlainTextEdit>(&window, "Text1");
        QCOMPARE(text->toPlainText(), QString());
        list->setCurrentRow(Entries(list).indexOf("MIXED"));
        QCOMPARE(text->toPlainText(), QString::fromUtf8("“Spitfire” skins – €5\nsecond line"));
        QCOMPARE(image->pixmap().width(), 77);

        // No picture: the last one stays; no text: empty.
        list->setCurrentRow(Entries(list).indexOf("BARE"));
        QCOMPARE(text->toPlainText(), QString());
        QCOMPARE(image->pixmap().width(), 77);
    }
};

QTEST_MAIN(PrincipalTest)
#include "PrincipalTest.moc"
