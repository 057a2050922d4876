#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "config/AddonCategory.h"
#include "library/CopiesRecord.h"
#include "library/KeptGameFiles.h"
#include "platform/FileCheck.h"
#include "platform/NameText.h"
#include "support/Blocked.h"
#include "support/OtherHolder.h"
#include "support/ZipBuilder.h"
#include "windows/Deleteaddon.h"
#include "windows/FolderPickers.h"
#include "windows/Newaddon.h"
#include "windows/Principal.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QUrl>
#include <QtTest>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// A folder as the list of installed add-ons holds it, in forward slashes, which
// the list does not escape as it does a backslash.
std::string listedFolder(const fs::path& folder) {
    return folder.generic_string() + "/";
}

// The game's own files, each in the game folder and as a security copy.
const QStringList kGameFiles{"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND"};

} // namespace

// The main window, New Addon and Delete Addon, driven by their controls as the
// player would, over a game folder holding the game's own files and their
// security copies.
class AddonWindowsTest : public QObject {
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
        RecordCopies(backups, game);
        prompts.emplace();
        window = std::make_unique<Principal>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        window.reset();
        fixture.reset();
    }

    void eachCategoryWorksThroughItsOwnControls_data() {
        QTest::addColumn<int>("category");
        for (int category = 0; category < int(kCategoryCount); ++category)
            QTest::newRow(kAddonCategories[category].folderName.data()) << category;
    }

    // Its button lists its folder afresh at each click, its installs go to its own
    // list, and an uninstall puts the game's file back from its security copy.
    void eachCategoryWorksThroughItsOwnControls() {
        QFETCH(int, category);
        const fs::path folder = program / kAddonCategories[category].folderName;
        addon(category, "Zulu", {{"bin/eaw.exe", "addon exe"}, {"read me.txt", "r"}});
        WriteFile(folder / "Alpha.ZIP", "x");
        WriteFile(folder / "notes.txt", "x");
        auto* installed =
            Find<QListWidget>(window.get(), qPrintable(QString("List%1").arg(category + 1)));
        clickButton(CategoryButtonName(category));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA", "ZULU"}));

        doubleClick(list8(), "ZULU");
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("addon exe"));
        QCOMPARE(FilesIn(game), kGameFiles + QStringList({"read me.txt"}));
        QCOMPARE(Entries(installed), QStringList({"ZULU"}));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA"}));
        WriteFile(folder / "new.zip", "x");
        clickButton(CategoryButtonName(category));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA", "NEW"}));

        doubleClick(installed, "ZULU");
        QCOMPARE(ReadFile(game / "EAW.EXE"), std::string("copy EAW.EXE"));
        QCOMPARE(FilesIn(game), kGameFiles);
        QCOMPARE(Entries(list8()), QStringList({"ALPHA", "NEW", "ZULU"}));
    }

    void oneAddonCategoryReplacesItsAddon_data() {
        QTest::addColumn<QString>("archive");    // the next add-on's: "whole", "blocked"…
        QTest::addColumn<std::string>("shared"); // SHARED.DAT afterwards
        QTest::addColumn<QString>("box");        // what the box says after the archive's name
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("selectable");
        QTest::newRow("replacing")
            << "whole" << std::string("new") << "" << QStringList{"NEW"} << QStringList{"ALPHA"};
        QTest::newRow("partly refused")
            << "blocked" << std::string("new") << ": 1 member could not be written: B.DAT"
            << QStringList{"NEW"} << QStringList{"ALPHA"};
        QTest::newRow("writing nothing") << "empty" << std::string("<missing>")
                                         << ": no file could be written: the archive holds no file"
                                         << QStringList{} << QStringList{"ALPHA", "NEW"};
        QTest::newRow("not an archive") << "broken" << std::string("alpha") << ":"
                                        << QStringList{"ALPHA"} << QStringList{"NEW"};
    }

    // A category that holds one add-on takes the installed one out before the next
    // comes in, but keeps it when the next archive cannot be opened. What the game
    // folder refuses is told; what was written is recorded and goes with the
    // uninstall. An install that wrote nothing is not recorded, and the add-on taken
    // out for it is offered again.
    void oneAddonCategoryReplacesItsAddon() {
        QFETCH(QString, archive);
        QFETCH(std::string, shared);
        QFETCH(QString, box);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, selectable);
        addon(1, "alpha", {{"ALPHA.MNU", "a"}, {"SHARED.DAT", "alpha"}});
        const fs::path zip = program / "MISSIONS" / "NEW.zip";
        if (archive == "empty")
            MakeEmptyZip(zip);
        else if (archive == "broken")
            WriteFile(zip, "not an archive");
        else
            addon(1, "NEW", {{"A.DAT", "a"}, {"B.DAT", "b"}, {"SHARED.DAT", "new"}});
        install(1, "ALPHA");
        if (archive == "blocked")
            fs::create_directory(game / "b.dat");
        prompts->answerNext(QMessageBox::Ok);
        install(1, "NEW");

        QCOMPARE(prompts->shown().size(), std::size_t(box.isEmpty() ? 0 : 1));
        for (const Prompts::Box& shown : prompts->shown())
            QVERIFY2(shown.text.startsWith("Unzip: ") &&
                         shown.text.contains(QDir::toNativeSeparators("/NEW.zip") + box),
                     qPrintable(shown.text));
        QCOMPARE(Entries(InstalledList(window.get(), 1)), installed);
        QCOMPARE(Entries(list8()), selectable);
        QCOMPARE(ReadFile(game / "SHARED.DAT"), shared);
        if (installed == QStringList{"NEW"}) {
            uninstall(1, "NEW");
            QCOMPARE(FilesIn(game), kGameFiles);
        }
    }

    // After an install or an uninstall nothing is chosen: the preview keeps the
    // add-on, and a second Enter does nothing until the player chooses again. Of
    // several graphics only the chosen one goes, and its name comes back to the
    // selection list only while graphics are on screen. The preview reads the
    // text (in Windows' code page) and picture from the add-on's own category; a
    // picture that cannot be read leaves the one shown. Choosing the category
    // again shows the logo, or nothing when it is missing, never an add-on's.
    void enterActsOnceOnTheChosenEntry() {
        for (const char* name : {"one", "two", "three"})
            addon(4, name, {{std::string(name) + ".PIC", name}});
        for (const char* name : {"ONE", "THREE", "TWO"})
            install(4, name);
        const fs::path models = program / "FLIGHTMODELS";
        addon(0, "alpha", {{"ALPHA.FLT", "a"}});
        addon(0, "beta", {{"BETA.FLT", "b"}});
        WriteFile(models / "Alpha.txt", "\x93Spitfire\x94 \x96 \x80"
                                        "5\r\nline");
        WriteJpeg(models / "alpha.JPG", {77, 20});
        WriteFile(models / "beta.jpg", "not a picture");
        WriteFile(program / "SKINS" / "beta.txt", "another category's");
        auto* image = Find<QLabel>(window.get(), "Image1");
        clickButton("Command1");
        list8()->setCurrentRow(0);
        pressTwice(list8(), Qt::Key_Return);
        QCOMPARE(Entries(InstalledList(window.get(), 0)), QStringList({"ALPHA"}));
        QCOMPARE(Entries(list8()), QStringList({"BETA"}));
        QVERIFY(list8()->selectedItems().isEmpty());
        QCOMPARE(text1(), QString::fromUtf8("“Spitfire” – €5\nline"));
        QCOMPARE(image->pixmap().width(), 77);
        choose(list8(), "BETA");
        QCOMPARE(text1(), QString());
        QCOMPARE(image->pixmap().width(), 77);

        QListWidget* graphics = InstalledList(window.get(), 4);
        graphics->setCurrentRow(1);
        pressTwice(graphics, Qt::Key_Enter);
        QCOMPARE(Entries(graphics), QStringList({"ONE", "TWO"}));
        QCOMPARE(FilesIn(game).filter(".PIC"), QStringList({"one.PIC", "two.PIC"}));
        QCOMPARE(Entries(list8()), QStringList({"BETA"}));
        QVERIFY(image->pixmap().isNull());
        WriteJpeg(program / "QUORVEL.jpg", {50, 20});
        clickButton("Command1");
        QCOMPARE(image->pixmap().width(), 50);
    }

    // Previewing an add-on names, after its own text, the installed add-ons whose
    // files it would replace, with how many, by the flat names its members are
    // written under; the flight model it would replace is not named, since it is
    // taken out before the next one comes. An installed entry's tooltip names the
    // add-ons it replaced files of. Uninstalling an add-on puts back what it
    // replaced; what cannot be put back, its archive gone, is deleted and told in
    // the preview.
    void previewTellsWhatAnAddonReplaces() {
        addon(4, "clouds", {{"sky/SKY1.PIC", "c"}, {"SKY2.PIC", "c"}, {"C.TXT", "c"}});
        addon(4, "cockpits", {{"sky2.pic", "k"}, {"CPIT.CPT", "k"}});
        addon(5, "merlin", {{"MERLIN.WSD", "m"}});
        addon(0, "spit", {{"SPIT.FLT", "s"}});
        addon(0, "hurri", {{"SPIT.FLT", "h"}, {"MERLIN.WSD", "h"}});
        addon(4, "haze",
              {{"haze/SKY1.PIC", "h"},
               {"haze/pics/sky2.PIC", "h"},
               {"Spit.flt", "h"},
               {"sound/MERLIN.WSD", "h"}});
        WriteFile(program / "GRAPHICS" / "haze.txt", "haze text");
        const auto previewOf = [this](const char* button, const QString& name) {
            clickButton(button);
            choose(list8(), name);
            return text1();
        };
        QCOMPARE(previewOf("Command6", "HAZE"), QString("haze text"));
        install(4, "CLOUDS");
        QCOMPARE(previewOf("Command6", "HAZE"),
                 QString("haze text\nReplaces files of: CLOUDS (2)"));
        install(0, "SPIT");
        install(4, "COCKPITS");
        install(5, "MERLIN");
        QCOMPARE(Find<QListWidget>(window.get(), "List5")->item(1)->toolTip().section('\n', 0, 0),
                 QString("Replaced files of: CLOUDS (1)"));
        const QString several = "Replaces files of: CLOUDS (1), SPIT (1), COCKPITS (1), MERLIN (1)";
        QCOMPARE(previewOf("Command6", "HAZE"), "haze text\n" + several);
        QCOMPARE(previewOf("Command1", "HURRI"), QString("Replaces files of: MERLIN (1)"));

        fs::remove(program / "GRAPHICS" / "clouds.zip");
        uninstall(4, "COCKPITS");
        QCOMPARE(FilesIn(game).filter(".PIC"), QStringList({"SKY1.PIC"}));
        QVERIFY2(
            text1().startsWith("SKY2.PIC of CLOUDS could not be put back and is deleted: ") &&
                text1().endsWith(QDir::toNativeSeparators("/GRAPHICS/clouds.zip: No such file")),
            qPrintable(text1()));
    }

    void clearAllTakesOutTheAddonsFiles_data() {
        QTest::addColumn<QString>("exe"); // the game's program in the game folder
        QTest::addColumn<bool>("copy");   // its security copy
        QTest::newRow("the game and its copy") << "EAW.EXE" << true;
        QTest::newRow("eaw.exe without a copy") << "eaw.exe" << false;
        QTest::newRow("a copy only") << "" << true;
        QTest::newRow("accepted at start, neither now") << "" << false;
    }

    // In the folder accepted as the game's at start, whatever became of its
    // EAW.EXE since, Clear All takes out the add-ons' files of the game's types,
    // an add-on's GRB_031.SND without a security copy too (the game's own, kept at
    // the install, goes back), and puts the protected files back; the window returns to no
    // category. Restore INI then puts back the copy of EAW.INI.
    void clearAllTakesOutTheAddonsFiles() {
        QFETCH(QString, exe);
        QFETCH(bool, copy);
        fs::remove(game / "EAW.EXE");
        if (!exe.isEmpty())
            WriteFile(game / ToPath(exe), "exe");
        if (!copy)
            fs::remove(backups / "EAW.EXE");
        fs::remove(backups / "GRB_031.SND");
        addon(5, "merlin", {{"MERLIN.WSD", "e"}, {"grb_031.snd", "addon"}, {"MERLIN.TXT", "t"}});
        install(5, "MERLIN");
        WriteFile(game / "EXTRA.SPT", "changed");
        clickButton("Command13");

        QVERIFY(!fs::exists(game / "MERLIN.WSD"));
        QCOMPARE(ReadFile(game / "GRB_031.SND"), std::string("game GRB_031.SND"));
        QCOMPARE(ReadFile(game / "EXTRA.SPT"), std::string("copy EXTRA.SPT"));
        QVERIFY(fs::exists(game / "MERLIN.TXT"));
        QCOMPARE(InstalledList(window.get(), 5)->count(), 0);
        QCOMPARE(list8()->count(), 0);
        QCOMPARE(Find<QLabel>(window.get(), "Label11")->text(),
                 QString::fromLatin1(kNoCategoryCaption.data()));
        clickButton("Command10");
        QCOMPARE(ReadFile(game / "EAW.INI"), std::string("[EAW]\r\nPlayerPilotName=Then\r\n"));
    }

    // When the list of installed add-ons cannot follow an uninstall, the player is
    // told once, with the lists already showing what is on disk.
    void aListOfInstalledAddonsThatCannotBeWrittenIsTold() {
        addon(4, "clouds", {{"SKY1.PIC", "c"}});
        install(4, "CLOUDS");
        fs::remove(program / "INSTALLED.TXT");
        WriteFile(program / "INSTALLED.TXT" / "KEEP", "k");
        prompts->answerNext(QMessageBox::Ok);
        uninstall(4, "CLOUDS");
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY(prompts->shown()[0].text.contains("INSTALLED.TXT"));
        QCOMPARE(InstalledList(window.get(), 4)->count(), 0);
        QCOMPARE(Entries(list8()), QStringList{"CLOUDS"});
    }

    // Files dropped on the window from a download folder go into the library of
    // the category on screen, which holds OLD.zip; anything but add-on files, or
    // no category, and nothing is taken.
    void dropGoesIntoTheLibraryOnScreen_data() {
        QTest::addColumn<QString>("dropped"); // "library:" in the library, "folder:" a folder
        QTest::addColumn<bool>("category");   // graphics chosen
        QTest::addColumn<QString>("libraryAfter");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("listAfter");
        QTest::newRow("one zip") << "haze.zip" << true << "haze.zip OLD.zip" << true << "HAZE OLD";
        QTest::newRow("many, with a description and a picture")
            << "a.txt a.zip B.ZIP b.JPG" << true << "a.txt a.zip b.JPG B.ZIP OLD.zip" << true
            << "A B OLD";
        QTest::newRow("a zip of a library name replaces it")
            << "old.ZIP" << true << "OLD.zip" << true << "OLD";
        QTest::newRow("the library's own file")
            << "library:OLD.zip" << true << "OLD.zip" << true << "OLD";
        QTest::newRow("no category") << "haze.zip" << false << "OLD.zip" << false << "";
        QTest::newRow("not a zip") << "haze.zip haze.pdf" << true << "OLD.zip" << false << "OLD";
        QTest::newRow("a description without its zip")
            << "haze.zip other.txt" << true << "OLD.zip" << false << "OLD";
        QTest::newRow("a folder named like a zip")
            << "folder:x.zip" << true << "OLD.zip" << false << "OLD";
    }

    void dropGoesIntoTheLibraryOnScreen() {
        QFETCH(QString, dropped);
        QFETCH(bool, category);
        QFETCH(QString, libraryAfter);
        QFETCH(bool, accepted);
        QFETCH(QString, listAfter);
        const fs::path library = program / "GRAPHICS";
        const fs::path download = program / "download";
        WriteFile(library / "OLD.zip", "old");
        QList<QUrl> urls;
        for (const QString& name : dropped.split(' ')) {
            const fs::path file =
                (name.startsWith("library:") ? library : download) / ToPath(name.section(':', -1));
            if (name.startsWith("folder:"))
                fs::create_directories(file);
            else if (!name.contains(':'))
                WriteFile(file, "dropped " + ToStdString(name));
            urls << QUrl::fromLocalFile(ToQString(file));
        }
        if (category)
            clickButton("Command6");

        QMimeData data;
        data.setUrls(urls);
        QDragEnterEvent enter({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent drop({20, 20}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &drop);
        QCOMPARE(enter.isAccepted() && drop.isAccepted(), accepted);
        QCoreApplication::processEvents();
        QVERIFY(Settled(window->model()));

        QCOMPARE(FilesIn(library).join(' '), libraryAfter);
        QCOMPARE(Entries(list8()).join(' '), listAfter);
        QCOMPARE(ReadFile(library / "OLD.zip"),
                 std::string(dropped == "old.ZIP" ? "dropped old.ZIP" : "old"));
        for (const QString& name : dropped.split(' '))
            if (!name.contains(':'))
                QCOMPARE(ReadFile(download / ToPath(name)), "dropped " + ToStdString(name));
        QVERIFY(prompts->shown().empty());
    }

    void newAddonImports_data() {
        QTest::addColumn<bool>("asPackage");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QStringList>("members");       // each holds its own name; none: not a zip
        QTest::addColumn<QStringList>("libraryBefore"); // each file holds "old"
        QTest::addColumn<QStringList>("libraryAfter");
        QTest::addColumn<QString>("box");
        QTest::newRow("normal add-on replacing one of the same name")
            << false << "ALPHA.ZIP" << QStringList{"alpha.pak"}
            << QStringList{"alpha.txt", "alpha.zip"} << QStringList{"alpha.txt", "alpha.zip"} << "";
        QTest::newRow("package whose members sit in folders")
            << true << "alpha-package.zip"
            << QStringList{"pack/alpha.zip", "pack/text/alpha.txt", "alpha.jpg"}
            << QStringList{"alpha.txt"} << QStringList{"alpha.jpg", "alpha.txt", "alpha.zip"} << "";
        QTest::newRow("copy into a missing folder")
            << false << "alpha.zip" << QStringList{"a.txt"} << QStringList{"<missing>"}
            << QStringList{} << "FileCopy: .*No such file";
        QTest::newRow("package that is not a zip archive")
            << true << "broken.zip" << QStringList{} << QStringList{} << QStringList{}
            << "Unzip: .*broken.zip";
    }

    // The file list shows the zip archives of any case only, and Install waits for
    // a category. Both kinds of file tell a failed import in the same box, with the
    // reason, and leave the library as it was.
    void newAddonImports() {
        QFETCH(bool, asPackage);
        QFETCH(QString, fileName);
        QFETCH(QStringList, members);
        QFETCH(QStringList, libraryBefore);
        QFETCH(QStringList, libraryAfter);
        QFETCH(QString, box);
        const fs::path download = fixture->startPickersIn("download");
        const fs::path library = program / "SKINS";
        if (libraryBefore == QStringList{"<missing>"})
            fs::remove_all(library);
        else
            for (const QString& name : libraryBefore)
                WriteFile(library / ToPath(name), "old");
        std::vector<ZipEntry> entries;
        for (const QString& member : members)
            entries.push_back({ToStdString(member), ToStdString(member)});
        const fs::path source = download / ToPath(fileName);
        if (members.isEmpty())
            WriteFile(source, "not a zip archive");
        else
            MakeZip(source, entries);
        WriteFile(download / "notes.txt", "text");
        const std::string sourceBytes = ReadFile(source);

        clickButton("Command3");
        QWidget* newaddon = OpenedBy(window.get(), "Command11");
        auto* files = Find<FilePicker>(newaddon, "File1");
        auto* install = Find<QPushButton>(newaddon, "Command1");
        QCOMPARE(Entries(files), QStringList{fileName});
        Find<QRadioButton>(newaddon, asPackage ? "Option2" : "Option1")->setChecked(true);
        choose(files, fileName);
        QVERIFY(!install->isEnabled());
        ChooseInCombo(Find<QComboBox>(newaddon, "Combo1"), "SKIN PACK");
        QVERIFY(install->isEnabled());
        prompts->answerNext(QMessageBox::Ok);
        QTest::mouseClick(install, Qt::LeftButton);
        QVERIFY(Settled(window->model()));

        QCOMPARE(FilesIn(library), libraryAfter);
        QCOMPARE(ReadFile(source), sourceBytes);
        QCOMPARE(Entries(list8()),
                 libraryAfter.contains("alpha.zip") ? QStringList{"ALPHA"} : QStringList{});
        QCOMPARE(prompts->shown().size(), std::size_t(box.isEmpty() ? 0 : 1));
        for (const Prompts::Box& shown : prompts->shown()) {
            QCOMPARE(shown.title, QString("QUORVEL"));
            QCOMPARE(shown.icon, QMessageBox::Warning);
            QVERIFY2(QRegularExpression(box).match(shown.text).hasMatch(), qPrintable(shown.text));
        }
        if (box.isEmpty() && !asPackage)
            QCOMPARE(ReadFile(library / ToPath(fileName.toLower())), sourceBytes);
        for (const QString& member : asPackage ? members : QStringList{}) {
            const QString bare = member.section(QRegularExpression("[/\\\\]"), -1);
            QCOMPARE(ReadFile(library / ToPath(bare)), ToStdString(member));
        }
    }

    // The add-on's picture and text show while it is chosen; one without them
    // keeps the picture shown. Deleting asks first, No the default, then takes its files in any
    // letter case, not those of look-alike names nor of the same name in another category, and
    // leaves the logo and no add-on chosen. The main window's selection list
    // follows, installed add-ons staying out of it; an installed add-on whose
    // archive went is not offered again when it is uninstalled.
    void deleteAddonDeletesOnlyTheChosenAddon() {
        WriteJpeg(program / "QUORVEL.jpg", QSize(50, 20));
        const fs::path skins = program / "SKINS";
        for (const char* file : {"Alpha.Zip", "alpha.beta.zip", "ALPHA.doc", "alphax.txt"})
            WriteFile(skins / file, file);
        WriteFile(skins / "alpha.TXT", "described\r\nhere");
        WriteJpeg(skins / "Alpha.jpg", {40, 30});
        WriteFile(program / "MISSIONS" / "alpha.zip", "mission");
        addon(2, "alphabet", {{"ALPHABET.TPC", "a"}});
        install(2, "ALPHABET");
        QWidget* deleteaddon = OpenedBy(window.get(), "Command12");
        auto* list = Find<QListWidget>(deleteaddon, "List1");
        auto* name = Find<QLineEdit>(deleteaddon, "Text1");
        auto* description = Find<QPlainTextEdit>(deleteaddon, "Text2");
        auto* picture = Find<QLabel>(deleteaddon, "Image1");
        auto* button = Find<QPushButton>(deleteaddon, "Command1");
        ChooseInCombo(Find<QComboBox>(deleteaddon, "Combo1"), "SKIN PACK");
        QCOMPARE(Entries(list), QStringList({"ALPHA.BETA", "ALPHA", "ALPHABET"}));
        QVERIFY(!button->isEnabled());
        choose(list, "ALPHA");
        QCOMPARE(name->text(), QString("ALPHA"));
        QCOMPARE(description->toPlainText(), QString("described\nhere"));
        QCOMPARE(picture->pixmap().size(), QSize(40, 30));
        choose(list, "ALPHABET");
        QCOMPARE(description->toPlainText(), QString());
        QCOMPARE(picture->pixmap().size(), QSize(40, 30));
        choose(list, "ALPHA");
        prompts->answerNext(QMessageBox::No);
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(FilesIn(skins).size(), 7);
        QCOMPARE(name->text(), QString("ALPHA"));
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        const Prompts::Box& asked = prompts->shown()[0];
        QCOMPARE(asked.text, QString("Delete ALPHA from the library? Its archive, description and "
                                     "picture are deleted."));
        QCOMPARE(asked.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(asked.defaultButton, QMessageBox::No);
        prompts->answerNext(QMessageBox::Yes);
        QTest::mouseClick(button, Qt::LeftButton);

        QCOMPARE(FilesIn(skins), QStringList({"alpha.beta.zip", "alphabet.zip", "alphax.txt"}));
        QCOMPARE(Entries(list), QStringList({"ALPHA.BETA", "ALPHABET"}));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA.BETA"}));
        QCOMPARE(name->text(), QString());
        QCOMPARE(description->toPlainText(), QString());
        QCOMPARE(picture->pixmap().size(), QSize(50, 20));
        QVERIFY(!button->isEnabled());
        QCOMPARE(FilesIn(program / "MISSIONS"), QStringList({"alpha.zip"}));
        choose(list, "ALPHABET");
        prompts->answerNext(QMessageBox::Yes);
        QTest::mouseClick(button, Qt::LeftButton);
        uninstall(2, "ALPHABET");
        QVERIFY(!fs::exists(game / "ALPHABET.TPC"));
        QCOMPARE(Entries(list8()), QStringList({"ALPHA.BETA"}));
        QCOMPARE(prompts->shown().size(), std::size_t(3));
    }

    // The entry armed for deletion is always the selected, highlighted one: tabbing
    // into the list arms none.
    void deleteAddonArmsTheSelectedEntryOnly() {
        for (const char* file : {"Alpha.zip", "Beta.zip"})
            WriteFile(program / "SKINS" / file, file);
        QWidget* deleteaddon = OpenedBy(window.get(), "Command12");
        deleteaddon->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), deleteaddon);
        auto* list = Find<QListWidget>(deleteaddon, "List1");
        auto* combo = Find<QComboBox>(deleteaddon, "Combo1");
        const auto armed = [&] {
            QStringList selected;
            for (const QListWidgetItem* item : list->selectedItems())
                selected << item->text();
            return Find<QLineEdit>(deleteaddon, "Text1")->text() + "|" + selected.join(',');
        };
        ChooseInCombo(combo, "SKIN PACK");
        combo->setFocus(Qt::TabFocusReason);
        QTest::keyClick(combo, Qt::Key_Tab);
        QVERIFY(list->hasFocus());
        QCOMPARE(armed(), QString("|"));
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(armed(), QString("BETA|BETA"));
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(armed(), QString("ALPHA|ALPHA"));
        list->clearSelection();
        QCOMPARE(armed(), QString("|"));
        QVERIFY(!Find<QPushButton>(deleteaddon, "Command1")->isEnabled());
    }

    // A library that refuses the deletion is told; the window stays usable, the
    // list as the folder holds it and the keys still in it. One Delete Addon
    // window at a time: a second press brings it forward.
    void deleteAddonThatCannotDeleteSaysSoAndStaysUsable() {
        WriteFile(program / "SKINS" / "Alpha.zip", "a");
        QWidget* deleteaddon = OpenedBy(window.get(), "Command12");
        QVERIFY(!OpenedBy(window.get(), "Command12"));
        deleteaddon->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), deleteaddon);
        auto* list = Find<QListWidget>(deleteaddon, "List1");
        auto* button = Find<QPushButton>(deleteaddon, "Command1");
        ChooseInCombo(Find<QComboBox>(deleteaddon, "Combo1"), "SKIN PACK");
        choose(list, "ALPHA");
        const BlockedFolder blocked(program / "SKINS");
        if (!blocked.blocked())
            QSKIP("the library folder still takes deletions here");
        prompts->answerNext(QMessageBox::Yes);
        prompts->answerNext(QMessageBox::Ok);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Space);

        QCOMPARE(prompts->shown().size(), std::size_t(2));
        QVERIFY2(prompts->shown()[1].text.contains("Alpha.zip") &&
                     prompts->shown()[1].text.contains("stays in the library"),
                 qPrintable(prompts->shown()[1].text));
        QCOMPARE(Entries(list), QStringList({"ALPHA"}));
        QCOMPARE(Find<QLineEdit>(deleteaddon, "Text1")->text(), QString());
        QVERIFY(!button->isEnabled());
        QVERIFY(list->hasFocus());
    }

    void anEmptyListShowsItHasTheFocus_data() {
        QTest::addColumn<QString>("list");
        for (const char* list : {"List1", "List2", "List4", "List7", "List8"})
            QTest::newRow(list) << list;
    }

    // Tab reaches the installed lists and the list to select while they are empty
    // too: the player sees where it went.
    void anEmptyListShowsItHasTheFocus() {
        QFETCH(QString, list);
        auto* empty = Find<QListWidget>(window.get(), qPrintable(list));
        QCOMPARE(empty->count(), 0);
        Find<QWidget>(window.get(), "Command11")->setFocus(Qt::TabFocusReason);
        const QImage unfocused = empty->grab().toImage();
        empty->setFocus(Qt::TabFocusReason);
        QVERIFY(empty->hasFocus());
        QVERIFY(empty->grab().toImage() != unfocused);
    }

    // A run left add-ons in a folder that is gone since: each start asks whether to
    // forget them, saying where what was kept for it stays. No waits for the folder;
    // Yes stops waiting, and deletes nothing.
    void aGoneFolderCanBeForgottenAtTheStart() {
        const fs::path gone = game.parent_path() / "GONE";
        const fs::path kept = KeptFilesFolder(backups, gone) / "SMACKW32.DLL";
        WriteFile(kept, "dll");
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            window.reset();
            WriteFile(program / "INSTALLED.TXT",
                      "GAME=" + listedFolder(gone) + "\nADDON=GRAPHICS\nNAME=SKY\nWROTE=SKY.PIC\n" +
                          "KEPT=" + FileCheckText(CheckOfText("dll")) + " SMACKW32.DLL\n");
            prompts.emplace();
            prompts->answerNext(answer);
            window = std::make_unique<Principal>();
            window->start();
            QVERIFY(Settled(window->model()));
            QCOMPARE(prompts->shown().size(), std::size_t(1));
            // Where the kept files stay, in the separators this system writes.
            const QString box = QDir::fromNativeSeparators(prompts->shown()[0].text);
            QVERIFY(box.contains("/KEPT/") && box.contains("Nothing is deleted"));
            QCOMPARE(ReadFile(program / "INSTALLED.TXT").find("GONE") != std::string::npos,
                     answer == QMessageBox::No);
            QCOMPARE(ReadFile(kept), std::string("dll"));
        }
    }

    // A run left an add-on in another game folder, which another running copy works
    // on now: the start asks about that folder's lock, not its own, and leaves the
    // folder and its list as they are.
    void aFolderAnotherCopyWorksOnWaitsAtTheStart() {
        const fs::path other = game.parent_path() / "OTHER";
        WriteFile(other / "EAW.EXE", "other exe");
        WriteFile(other / "SKY.PIC", "sky");
        addon(4, "SKY", {{"SKY.PIC", "sky"}});
        WriteFile(program / "INSTALLED.TXT",
                  "GAME=" + listedFolder(other) + "\nADDON=GRAPHICS\nNAME=SKY\nWROTE=SKY.PIC\n");
        const OtherHolder holder(other);
        QVERIFY(holder.outcome() == FolderLockOutcome::Held);
        window.reset();
        prompts.emplace();
        window = std::make_unique<Principal>();
        window->start();
        QVERIFY(Settled(window->model()));
        QCOMPARE(ReadFile(other / "SKY.PIC"), std::string("sky"));
        QVERIFY(ReadFile(program / "INSTALLED.TXT").find("SKY.PIC") != std::string::npos);
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY2(prompts->shown()[0].text.contains("another copy of Quorvel is working"),
                 qPrintable(prompts->shown()[0].text));
    }

    // A logoff on Windows asks for Clear All from inside a running install's event
    // loop: the install's work ends first, so no file it writes outlives the clear.
    void aLogoffDuringAnInstallClearsAfterIt() {
        std::vector<ZipEntry> members;
        for (int i = 0; i < 3000; ++i)
            members.push_back({"T" + std::to_string(i) + ".TPC", std::string(200, 't')});
        const int terrains = 3;
        addon(terrains, "WIDE", members);
        bool clearedDuringWork = false;
        QTimer::singleShot(1, window.get(), [&] {
            clearedDuringWork = window->model().busy();
            window->clearBeforeExit();
        });
        install(terrains, "WIDE");
        QVERIFY(clearedDuringWork);
        QCOMPARE(FilesIn(game), kGameFiles);
        QVERIFY(!fs::exists(program / "INSTALLED.TXT"));
    }

private:
    QListWidget* list8() const { return Find<QListWidget>(window.get(), "List8"); }
    QString text1() const { return Find<QPlainTextEdit>(window.get(), "Text1")->toPlainText(); }
    void clickButton(const char* name) {
        Find<QAbstractButton>(window.get(), name)->click();
        QVERIFY(Settled(window->model()));
    }

    void addon(int category, const std::string& name, const std::vector<ZipEntry>& members) {
        MakeZip(program / kAddonCategories[category].folderName / (name + ".zip"), members);
    }

    static void choose(QListWidget* list, const QString& name) {
        list->setCurrentRow(Entries(list).indexOf(name));
    }

    void pressTwice(QListWidget* list, Qt::Key key) {
        list->setFocus();
        QTest::keyClick(list, key);
        QTest::keyClick(list, key);
        QVERIFY(Settled(window->model()));
    }

    void doubleClick(QListWidget* list, const QString& name) {
        const int row = Entries(list).indexOf(name);
        QVERIFY2(row >= 0, qPrintable(name));
        list->setCurrentRow(row);
        // A real double-click: the first click, then the second one.
        const QPoint centre = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, centre);
        QVERIFY(Settled(window->model()));
    }

    void install(int category, const QString& name) {
        Find<QAbstractButton>(window.get(), CategoryButtonName(category))->click();
        doubleClick(list8(), name);
    }

    void uninstall(int category, const QString& name) {
        doubleClick(InstalledList(window.get(), category), name);
    }

    std::unique_ptr<ProgramFolderFixture> fixture;
    fs::path program;
    std::optional<AnsweredPrompts> prompts;
    fs::path game;
    fs::path backups;
    std::unique_ptr<Principal> window;
};

QTEST_MAIN(AddonWindowsTest)
#include "AddonWindowsTest.moc"
