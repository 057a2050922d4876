#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "platform/FolderIdentity.h"
#include "support/ZipBuilder.h"
#include "windows/AddonFiles.h"
#include "windows/Principal.h"
#include "windows/SetsMenu.h"
#include "windows/TextConversions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QUrl>
#include <QtTest>
#include <memory>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// A stand-in for the game, which records its start and plays until told to end:
// on Linux a wine of its own on the PATH, with the game moved into a Wine prefix
// and reached through a link from where it was; on Windows EAW.EXE itself.
class StandInGame {
public:
    explicit StandInGame(const fs::path& game)
        : game_(game) {
#ifdef _WIN32
        fs::copy_file(fs::path(QCoreApplication::applicationDirPath().toStdWString()) / "stand-in" /
                          "StandInGame.exe",
                      game / "EAW.EXE", fs::copy_options::overwrite_existing);
#else
        fs::create_directories(inPrefix_.parent_path());
        fs::rename(game, inPrefix_);
        fs::create_directory_symlink(inPrefix_, game);
        fs::create_directories(folder_.path() / "bin");
        fs::copy_file(QUORVEL_STAND_IN_WINE, folder_.path() / "bin" / "wine");
        qputenv("PATH", QByteArray::fromStdString((folder_.path() / "bin").string()) + ':' + path_);
#endif
        qputenv("STAND_IN_RECORD", QByteArray::fromStdString(record().string()));
        qputenv("STAND_IN_END", QByteArray::fromStdString((folder_.path() / "end").string()));
    }
    ~StandInGame() {
#ifndef _WIN32
        qputenv("PATH", path_);
        fs::remove(game_);
        fs::rename(inPrefix_, game_);
#endif
        qunsetenv("STAND_IN_RECORD");
        qunsetenv("STAND_IN_END");
    }
    fs::path record() const {
        return folder_.path() / "record.txt";
    }
    void end() const {
        WriteFile(folder_.path() / "end", "");
    }

private:
    fs::path game_;
    TempFolder folder_;
    const fs::path inPrefix_ = folder_.path() / "prefix" / "drive_c" / "EAW";
    const QByteArray path_ = qgetenv("PATH");
};

} // namespace

// Takes the folders the program asks the system's file manager to open.
class FileManagerStandIn : public QObject {
    Q_OBJECT
public:
    FileManagerStandIn() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~FileManagerStandIn() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<fs::path> opened;

public slots:
    void open(const QUrl& url) { opened << ToPath(url.toLocalFile()); }
};

// The tools of the main window beside the lists: the filter over the library
// list and the buttons that open the folders.
class MainWindowToolsTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture.emplace();
        WriteFile(fixture->game() / "EAW.EXE", "exe");
        for (const char* name :
             {"Spitfire9", "SPITFIRE_IX", "Mustang", "D\xC3\xA9woitine", "ME262"})
            MakeZip(flightModels() / ToPath(QString::fromUtf8(name) + ".zip"),
                    {{std::string(name) + ".FLT", "flight model"}});
        WriteFile(flightModels() / "Spitfire9.txt", "Mk IX");
        prompts.emplace();
        window.emplace();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(&*window));
    }
    void cleanup() {
        window.reset();
        prompts.reset();
        fixture.reset();
    }

    // Typing narrows the list at once; an entry still shown stays chosen, one the
    // text hides is no longer chosen, and Escape shows all again.
    void theFilterNarrowsTheListAsTyped() {
        Find<QAbstractButton>(&*window, "Command1")->click();
        list8()->setCurrentRow(Entries(list8()).indexOf("SPITFIRE9"));
        const struct {
            const char* typed;
            QStringList shown;
            bool stillChosen;
        } steps[] = {
            {"spit", {"SPITFIRE9", "SPITFIRE_IX"}, true},
            {"spitfire9", {"SPITFIRE9"}, true},
            {"spitfire9x", {}, false},
            {"DEW", {"D\xC3\x89WOITINE"}, false},
            {"", {"D\xC3\x89WOITINE", "ME262", "MUSTANG", "SPITFIRE9", "SPITFIRE_IX"}, false},
        };
        for (const auto& step : steps) {
            filter()->setText(QString::fromUtf8(step.typed));
            QCOMPARE(shown(), step.shown);
            QCOMPARE(count(), QStringLiteral("%1 of 5").arg(step.shown.size()));
            QCOMPARE(list8()->currentRow() >= 0, step.stillChosen);
        }
        filter()->setText("me");
        QTest::keyClick(filter(), Qt::Key_Escape);
        QCOMPARE(filter()->text(), QString());
        QCOMPARE(shown().size(), 5);
    }

    // The keyboard works on the narrowed list: Down from the filter chooses the first
    // entry shown and previews it, the arrows skip what is hidden, Enter installs,
    // and the rebuilt list stays narrowed.
    void theKeyboardWorksOnTheNarrowedList() {
        Find<QAbstractButton>(&*window, "Command1")->click();
        filter()->setFocus();
        QTest::keyClicks(filter(), "i");
        QCOMPARE(shown(), QStringList({"D\xC3\x89WOITINE", "SPITFIRE9", "SPITFIRE_IX"}));
        QTest::keyClick(filter(), Qt::Key_Down);
        QVERIFY(list8()->hasFocus());
        QCOMPARE(list8()->currentItem()->text(), QString("D\xC3\x89WOITINE"));
        QTest::keyClick(list8(), Qt::Key_Down);
        QCOMPARE(list8()->currentItem()->text(), QString("SPITFIRE9"));
        QVERIFY(Find<QPlainTextEdit>(&*window, "Text1")->toPlainText().startsWith("Mk IX"));
        QTest::keyClick(list8(), Qt::Key_Return);
        QVERIFY(Settled(window->model()));
        QCOMPARE(Entries(InstalledList(&*window, 0)), QStringList({"SPITFIRE9"}));
        QCOMPARE(shown(), QStringList({"D\xC3\x89WOITINE", "SPITFIRE_IX"}));
        QCOMPARE(count(), QString("2 of 4"));
        QTest::keyClick(list8(), Qt::Key_Escape);
        QCOMPARE(shown().size(), 4);
    }

    // The game folder opens from the start; the library folder once a category is
    // chosen. A folder gone since is told, not opened.
    void theFolderButtonsOpenTheFolders() {
        const FileManagerStandIn fileManager;
        auto* gameButton = Find<QAbstractButton>(&*window, "Command17");
        auto* libraryButton = Find<QAbstractButton>(&*window, "Command18");
        QVERIFY(!libraryButton->isEnabled());
        gameButton->click();
        Find<QAbstractButton>(&*window, "Command1")->click();
        libraryButton->click();
        QCOMPARE(fileManager.opened.size(), 2);
        QVERIFY(SameFolder(fileManager.opened[0], fixture->game()));
        QVERIFY(SameFolder(fileManager.opened[1], flightModels()));
        fs::remove_all(flightModels());
        libraryButton->click();
        QCOMPARE(fileManager.opened.size(), 2);
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY(prompts->shown()[0].text.contains("is not there"));
    }

    // While the game runs the window says so, every operation that changes the game
    // folder is refused with a box and changes nothing, and a close asks first.
    void whileTheGamePlaysItsFolderIsLeftAlone() {
        const StandInGame game(fixture->game());
        Find<QAbstractButton>(&*window, "Command1")->click();
        Find<QAbstractButton>(&*window, "Command16")->click();
        QTRY_VERIFY_WITH_TIMEOUT(!Find<QLabel>(&*window, "Label14")->text().isEmpty(), 30000);
        QVERIFY(!Find<QAbstractButton>(&*window, "Command16")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(fs::exists(game.record()), 30000);
        const QStringList before = FilesIn(fixture->game());
        list8()->setFocus();
        list8()->setCurrentRow(0);
        QTest::keyClick(list8(), Qt::Key_Return);
        for (const char* button : {"Command13", "Command10", "Command9", "Command8"})
            Find<QAbstractButton>(&*window, button)->click();
        window->findChild<SetsMenu*>()->putBack("Last run");
        QVERIFY(Settled(window->model()));
        QCOMPARE(prompts->shown().size(), std::size_t(6));
        for (const Prompts::Box& box : prompts->shown())
            QVERIFY2(box.text.contains("is running"), qPrintable(box.text));
        QCOMPARE(FilesIn(fixture->game()), before);
        QCOMPARE(QApplication::topLevelWidgets().size(), qsizetype(1));
        prompts->answerNext(QMessageBox::No);
        window->close();
        QVERIFY(window->isVisible());
        QVERIFY(prompts->shown().back().text.contains("Close Quorvel anyway?"));

        game.end();
        QTRY_VERIFY_WITH_TIMEOUT(Find<QAbstractButton>(&*window, "Command16")->isEnabled(), 30000);
        QVERIFY(Find<QLabel>(&*window, "Label14")->text().isEmpty());
    }

    // The files window tells, file by file, what a library add-on would replace and
    // who holds what an installed one wrote; Shift+double-click opens it without
    // installing or uninstalling, and an archive gone is told instead.
    void theFilesWindowTellsWhoHoldsEachFile() {
        const fs::path graphics = fixture->root() / "GRAPHICS";
        MakeZip(graphics / "Clouds.zip", {{"CLOUD1.PIC", "c"}, {"SKY.PIC", "c"}});
        MakeZip(graphics / "Haze.zip", {{"sky.pic", "h"}, {"HAZE.PIC", "h"}, {"GROUND.PIC", "h"}});
        MakeZip(graphics / "Gone.zip", {{"GONE.PIC", "g"}});
        WriteFile(fixture->game() / "GROUND.PIC", "the game's");
        Find<QAbstractButton>(&*window, "Command6")->click();
        list8()->setFocus();
        list8()->setCurrentRow(Entries(list8()).indexOf("CLOUDS"));
        QTest::keyClick(list8(), Qt::Key_Return);
        QVERIFY(Settled(window->model()));

        list8()->setCurrentRow(Entries(list8()).indexOf("HAZE"));
        QTest::keyClick(list8(), Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(filesShown(), QStringList({"sky.pic: the file of CLOUDS (GRAPHIC)", "HAZE.PIC: ",
                                            "GROUND.PIC: the game's own file, kept and put back"}));
        QTest::keyClick(list8(), Qt::Key_Return);
        QVERIFY(Settled(window->model()));

        QListWidget* installed = InstalledList(&*window, 4);
        installed->setCurrentRow(Entries(installed).indexOf("CLOUDS"));
        const QPoint entry = installed->visualItemRect(installed->currentItem()).center();
        QTest::mouseClick(installed->viewport(), Qt::LeftButton, Qt::ShiftModifier, entry);
        QTest::mouseDClick(installed->viewport(), Qt::LeftButton, Qt::ShiftModifier, entry);
        QCOMPARE(filesShown(), QStringList({"CLOUD1.PIC: this add-on",
                                            "SKY.PIC: HAZE (GRAPHIC), installed after it"}));
        QCOMPARE(Entries(installed), QStringList({"CLOUDS", "HAZE"}));
        installed->setCurrentRow(Entries(installed).indexOf("HAZE"));
        const std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu(installed));
        QCOMPARE(menu->actions().first()->text(), QString("Files of HAZE (GRAPHIC)..."));
        menu->actions().first()->trigger();
        QVERIFY(filesText().contains("GROUND.PIC"));
        closeFiles();

        fs::remove(graphics / "Gone.zip");
        list8()->setFocus();
        list8()->setCurrentRow(Entries(list8()).indexOf("GONE"));
        QTest::keyClick(list8(), Qt::Key_I, Qt::ControlModifier);
        QVERIFY(!filesWindow());
        QCOMPARE(prompts->shown().size(), std::size_t(1));
    }

private:
    AddonFiles* filesWindow() const {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* files = qobject_cast<AddonFiles*>(top); files && files->isVisible())
                return files;
        return nullptr;
    }
    // The rows of the files window as "file: state"; the window is closed after.
    QStringList filesShown() {
        AddonFiles* files = filesWindow();
        if (!files)
            return {"no files window"};
        QStringList rows;
        auto* list = Find<QTreeWidget>(files, "List1");
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            rows << list->topLevelItem(row)->text(0) + ": " + list->topLevelItem(row)->text(1);
        closeFiles();
        return rows;
    }
    QString filesText() const {
        AddonFiles* files = filesWindow();
        return files ? Find<QLabel>(files, "Label2")->text() : QString();
    }
    void closeFiles() {
        if (AddonFiles* files = filesWindow())
            Find<QAbstractButton>(files, "Command1")->click();
        QTRY_VERIFY(!filesWindow());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&*window));
    }
    fs::path flightModels() const { return fixture->root() / "FLIGHTMODELS"; }
    QLineEdit* filter() const { return Find<QLineEdit>(&*window, "Text3"); }
    QListWidget* list8() const { return Find<QListWidget>(&*window, "List8"); }
    QString count() const { return Find<QLabel>(&*window, "Label13")->text(); }
    QStringList shown() const {
        QStringList names;
        for (int row = 0; row < list8()->count(); ++row)
            if (!list8()->isRowHidden(row))
                names << list8()->item(row)->text();
        return names;
    }

    std::optional<ProgramFolderFixture> fixture;
    std::optional<AnsweredPrompts> prompts;
    std::optional<Principal> window;
};

QTEST_MAIN(MainWindowToolsTest)
#include "MainWindowToolsTest.moc"
