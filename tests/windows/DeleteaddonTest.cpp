#include "windows/Deleteaddon.h"

#include "ProgramFolderFixture.h"
#include "windows/Prompts.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr QSize kLogoSize{50, 20};

// Drives the window by its controls as the user would.
struct DeleteaddonDriver {
    explicit DeleteaddonDriver(Deleteaddon& window)
        : combo(Find<QComboBox>(&window, "Combo1"))
        , list(Find<QListWidget>(&window, "List1"))
        , name(Find<QLineEdit>(&window, "Text1"))
        , description(Find<QPlainTextEdit>(&window, "Text2"))
        , picture(Find<QLabel>(&window, "Image1"))
        , button(Find<QPushButton>(&window, "Command1")) {}

    void chooseCategory(const QString& category) const { ChooseInCombo(combo, category); }
    void chooseAddon(const QString& addon) const {
        list->setCurrentItem(list->findItems(addon, Qt::MatchExactly).value(0));
    }
    QSize pictureSize() const { return picture->pixmap().size(); }
    void pressDelete() const { QTest::mouseClick(button, Qt::LeftButton); }

    QComboBox* combo;
    QListWidget* list;
    QLineEdit* name;
    QPlainTextEdit* description;
    QLabel* picture;
    QPushButton* button;
};

} // namespace

class DeleteaddonTest : public QObject {
    Q_OBJECT

private slots:
    void init() { Prompts::reset(); }

    void opensWithCategoriesAndLogo() {
        ProgramFolderFixture program;
        WriteJpeg(program.root() / "QUORVEL.jpg", kLogoSize);
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);

        QCOMPARE(window.windowTitle(), "EUROPEAN AIR WAR Quorvel v1.0 - Delete Addon");
        QCOMPARE(Find<QLabel>(&window, "Label1")->text(),
                 "Category of the addon that you want delete");
        QCOMPARE(ComboItems(ui.combo),
                 (QStringList{"FLIGHT MODEL", "MISSION", "SKIN PACK", "TERRAIN", "GRAPHIC",
                              "SOUND PACK", "EAW.EXE FILE"}));
        QCOMPARE(ui.combo->currentIndex(), -1);
        QCOMPARE(ui.list->count(), 0);
        QCOMPARE(ui.description->toPlainText(), "Information about files");
        QCOMPARE(ui.pictureSize(), kLogoSize);
        QCOMPARE(ui.button->text(), "Delete Addon");
        QVERIFY(!ui.button->isEnabled());
    }

    void deletesOnlyTheChosenAddon() {
        ProgramFolderFixture program;
        WriteJpeg(program.root() / "QUORVEL.jpg", kLogoSize);
        const fs::path skins = program.library("SKINS");
        for (const char* file : {"alpha.zip", "alpha.beta.zip", "alphabet.zip", "alpha.doc"})
            WriteFile(skins / file, file);
        WriteFile(skins / "alpha.txt", "Alpha\r\ndescription");
        WriteJpeg(skins / "alpha.jpg", {40, 30});
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);

        ui.chooseCategory("SKIN PACK");
        QCOMPARE(Entries(ui.list), (QStringList{"ALPHA.BETA", "ALPHA", "ALPHABET"}));
        QCOMPARE(ui.description->toPlainText(), "");
        QVERIFY(!ui.button->isEnabled());
        ui.button->click(); // no add-on chosen: nothing goes
        QCOMPARE(int(FilesIn(skins).size()), 6);
        ui.chooseAddon("ALPHA");
        QCOMPARE(ui.name->text(), "ALPHA");
        QCOMPARE(ui.description->toPlainText(), "Alpha\ndescription");
        QCOMPARE(ui.pictureSize(), QSize(40, 30));

        ui.pressDelete();
        QCOMPARE(FilesIn(skins), (QStringList{"alpha.beta.zip", "alphabet.zip"}));
        QCOMPARE(Entries(ui.list), (QStringList{"ALPHA.BETA", "ALPHABET"}));
        QCOMPARE(ui.name->text(), "");
        QCOMPARE(ui.description->toPlainText(), "");
        QCOMPARE(ui.pictureSize(), kLogoSize);
        QVERIFY(!ui.button->isEnabled());
        QVERIFY(Prompts::shown().empty());
    }

    void findsShowsAndDeletesFilesInAnyCase() {
        ProgramFolderFixture program;
        const fs::path graphics = program.library("GRAPHICS");
        WriteFile(graphics / "Mixed.Zip", "zip");
        WriteFile(graphics / "Mixed.txt", "mixed text");
        WriteJpeg(graphics / "mixed.JPG", {33, 22});
        WriteFile(graphics / "other.zip", "zip");
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);

        ui.chooseCategory("GRAPHIC");
        QCOMPARE(Entries(ui.list), (QStringList{"MIXED", "OTHER"}));
        ui.chooseAddon("MIXED");
        QCOMPARE(ui.description->toPlainText(), "mixed text");
        QCOMPARE(ui.pictureSize(), QSize(33, 22));
        ui.pressDelete();
        QCOMPARE(FilesIn(graphics), QStringList{"other.zip"});
        QCOMPARE(Entries(ui.list), QStringList{"OTHER"});
    }

    void anAddonWithoutPictureKeepsThePictureShownBefore() {
        ProgramFolderFixture program;
        const fs::path exes = program.library("EXES");
        WriteFile(exes / "first.zip", "zip");
        WriteJpeg(exes / "first.jpg", {44, 11});
        WriteFile(exes / "first.txt", "first");
        WriteFile(exes / "second.zip", "zip");
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);

        ui.chooseCategory("EAW.EXE FILE");
        ui.chooseAddon("FIRST");
        ui.chooseAddon("SECOND");
        QCOMPARE(ui.name->text(), "SECOND");
        QCOMPARE(ui.description->toPlainText(), "");
        QCOMPARE(ui.pictureSize(), QSize(44, 11));
    }

    void theSameNameInAnotherCategoryStays() {
        ProgramFolderFixture program;
        WriteFile(program.library("SKINS") / "alpha.zip", "skin");
        WriteFile(program.library("MISSIONS") / "ALPHA.ZIP", "mission");
        WriteFile(program.library("MISSIONS") / "alpha.txt", "mission text");
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);

        ui.chooseCategory("MISSION");
        ui.chooseAddon("ALPHA");
        ui.pressDelete();
        QCOMPARE(FilesIn(program.library("MISSIONS")), QStringList{});
        QCOMPARE(FilesIn(program.library("SKINS")), QStringList{"alpha.zip"});
        ui.chooseCategory("SKIN PACK");
        QCOMPARE(Entries(ui.list), QStringList{"ALPHA"});
    }

    void missingFoldersAndLogoLeaveTheWindowWorking() {
        ProgramFolderFixture program;
        fs::remove_all(program.library("TERRAINS"));
        WriteFile(program.library("SOUNDS") / "engine.zip", "zip");
        Deleteaddon window(nullptr);
        const DeleteaddonDriver ui(window);
        QVERIFY(ui.picture->pixmap().isNull());

        ui.chooseCategory("TERRAIN");
        QCOMPARE(ui.list->count(), 0);
        ui.chooseCategory("SOUND PACK");
        ui.chooseAddon("ENGINE");
        ui.pressDelete();
        QCOMPARE(ui.list->count(), 0);
        QVERIFY(ui.picture->pixmap().isNull());
    }
};

QTEST_MAIN(DeleteaddonTest)
#include "DeleteaddonTest.moc"
