#include "windows/SetsMenu.h"

#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "config/AddonCategory.h"
#include "library/AddonSets.h"
#include "library/FolderSnapshot.h"
#include "platform/FolderListing.h"
#include "platform/NameText.h"
#include "windows/Principal.h"
#include "windows/SetNameDialog.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>
#include <atomic>
#include <optional>
#include <thread>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

constexpr int kFlightModels = 0, kGraphics = 4, kSounds = 5;

// The visible dialog asking for a set's name; null when none is open.
SetNameDialog* NameDialog() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<SetNameDialog*>(top); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

QAbstractButton* Ok(SetNameDialog* dialog) {
    return dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// The menu's item of that text; a missing one ends the test run.
QAction* Item(QMenu* menu, const QString& text) {
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    qFatal("no menu item %s", qPrintable(text));
}

} // namespace

// The sets of the main window, driven as the player would: keys, the menu and
// the name dialog; the game folder is compared on disk.
class SetsMenuTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture = std::make_unique<ProgramFolderFixture>();
        for (const char* name : {"EAW.EXE", "EAW.INI", "EXTRA.SPT", "GRB_031.SND"}) {
            WriteFile(fixture->game() / name, std::string("game ") + name);
            WriteFile(fixture->backups() / name, std::string("game ") + name);
        }
        addon(kFlightModels, "SPIT", "SPIT.FLT=spit; SPIT.DAT=spit");
        addon(kGraphics, "CLOUDS", "CLOUD.PIC=clouds; SKY.TPC=clouds");
        addon(kGraphics, "HAZE", "SKY.TPC=haze; HAZE.PIC=haze");
        addon(kSounds, "MERLIN", "MERLIN.WSD=merlin; GRB_031.SND=merlin");
        prompts.emplace();
        openMain();
    }
    void cleanup() {
        window.reset();
        fixture.reset();
    }

    // Ctrl+S saves what is installed under a name that is checked as it is typed;
    // the close saves "Last run" before Clear All; at the next start "Last run" from
    // the menu puts the game folder back as it was before the close, with no box.
    void aSetIsSavedAndLastRunPutBackAfterAClose() {
        for (const auto& [category, name] :
             std::vector<std::pair<int, QString>>{{kGraphics, "HAZE"},
                                                  {kFlightModels, "SPIT"},
                                                  {kGraphics, "CLOUDS"},
                                                  {kSounds, "MERLIN"}})
            install(category, name);
        const FolderSnapshot installed = SnapshotOf(fixture->game());

        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        SetNameDialog* dialog = NameDialog();
        QVERIFY(dialog);
        auto* name = Find<QLineEdit>(dialog, "SetName");
        QVERIFY(!Ok(dialog)->isEnabled());
        QTest::keyClicks(name, "com1");
        QVERIFY(!Ok(dialog)->isEnabled());
        QVERIFY(Find<QLabel>(dialog, "SetNameFault")->text().contains("device"));
        name->setText("Evening");
        QVERIFY(Ok(dialog)->isEnabled());
        Ok(dialog)->click();
        QTRY_VERIFY(!NameDialog());
        const fs::path sets = fixture->root() / "SETS";
        QCOMPARE(ReadSet(sets, "Evening").addons.size(), std::size_t(4));

        QVERIFY(Closed(window.get()));
        QVERIFY(SnapshotOf(fixture->game()) != installed);
        QCOMPARE(ReadSet(sets, "Last run").addons, ReadSet(sets, "Evening").addons);

        window.reset();
        openMain();
        std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu());
        QVERIFY(!Item(menu.get(), "Save installed add-ons as a set...")->isEnabled());
        QVERIFY(Item(menu.get(), "Evening")->isEnabled());
        Item(menu.get(), "Last run")->trigger();
        QVERIFY(Settled(window->model()));
        QCOMPARE(SnapshotOf(fixture->game()), installed);
        QCOMPARE(Entries(InstalledList(window.get(), kGraphics)), QStringList({"HAZE", "CLOUDS"}));
        QCOMPARE(Entries(InstalledList(window.get(), kFlightModels)), QStringList({"SPIT"}));
        QVERIFY(prompts->shown().empty());
    }

    // Saving over a set asks first; No keeps the dialog open for another name.
    // The menu key on an installed list opens the menu.
    void savingOverASetAsksFirst() {
        install(kGraphics, "CLOUDS");
        QVERIFY(SaveSet(fixture->root() / "SETS", "Evening", {{0, "OLD"}}).done());
        prompts->answerNext(QMessageBox::No);
        prompts->answerNext(QMessageBox::Yes);
        QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
        SetNameDialog* dialog = NameDialog();
        QVERIFY(dialog);
        Find<QLineEdit>(dialog, "SetName")->setText("EVENING");
        Ok(dialog)->click();
        QVERIFY(NameDialog());
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY(prompts->shown()[0].text.contains("\"Evening\" already"));
        Ok(dialog)->click();
        QTRY_VERIFY(!NameDialog());
        QCOMPARE(ReadSet(fixture->root() / "SETS", "Evening").addons,
                 (std::vector<AddonKey>{{kGraphics, "CLOUDS"}}));

        QListWidget* list = InstalledList(window.get(), kGraphics);
        // What the menu key (or Shift+F10) becomes for the list with the focus.
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                  list->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(list->viewport(), &menuKey);
        QTRY_VERIFY(qobject_cast<QMenu*>(QApplication::activePopupWidget()));
        QApplication::activePopupWidget()->close();
    }

    // The question names the add-ons whose archive left the library; after Yes the
    // rest is put back, and one box names the lines of the file that made no sense.
    void oneBoxTellsWhatCouldNotBePutBack() {
        WriteFile(fixture->root() / "SETS" / "Hand made.ini",
                  "GRAPHICS=CLOUDS\nGRAPHICS=GONE\nBOMBERS=B17\nSOUNDS=MERLIN\n");
        prompts->answerNext(QMessageBox::Yes);
        prompts->answerNext(QMessageBox::Ok);
        std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu());
        Item(menu.get(), "Hand made")->trigger();
        QVERIFY(Settled(window->model()));
        QCOMPARE(Entries(InstalledList(window.get(), kGraphics)), QStringList({"CLOUDS"}));
        QCOMPARE(Entries(InstalledList(window.get(), kSounds)), QStringList({"MERLIN"}));
        QCOMPARE(prompts->shown().size(), std::size_t(2));
        const QString asked = prompts->shown()[0].text, told = prompts->shown()[1].text;
        QVERIFY2(asked.contains("GONE (GRAPHIC): its archive is no longer in the library"),
                 qPrintable(asked));
        QVERIFY2(told.contains("line 3: \"BOMBERS\" is no category") && !told.contains("GONE"),
                 qPrintable(told));
    }

    void aSetIsCheckedInTheLibraryFirst_data() {
        QTest::addColumn<QByteArray>("set");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("flightModels");
        QTest::addColumn<QStringList>("graphics");
        QTest::addColumn<QStringList>("boxes"); // a piece of each box's text, in order
        const QString missing = "GONE (GRAPHIC): its archive is no longer in the library";
        QTest::newRow("none in the library")
            << QByteArray("GRAPHICS=GONE\nSOUNDS=LOST") << int(QMessageBox::Ok)
            << QStringList{"SPIT"} << QStringList{}
            << QStringList{"none of its add-ons can go in, so the add-ons installed now stay.\n\n"
                           "These add-ons of the set \"Mine\" could not be put back:\n" +
                           missing};
        QTest::newRow("some missing, No")
            << QByteArray("GRAPHICS=CLOUDS\nGRAPHICS=GONE") << int(QMessageBox::No)
            << QStringList{"SPIT"} << QStringList{}
            << QStringList{missing + "\n\nPut back the other 1?"};
        QTest::newRow("some missing, Yes")
            << QByteArray("GRAPHICS=CLOUDS\nGRAPHICS=GONE") << int(QMessageBox::Yes)
            << QStringList{} << QStringList{"CLOUDS"} << QStringList{missing};
        QTest::newRow("named twice in other case")
            << QByteArray("GRAPHICS=haze\nGRAPHICS=Haze") << int(QMessageBox::Ok) << QStringList{}
            << QStringList{"HAZE"}
            << QStringList{"passed over:\nGRAPHICS=Haze: HAZE is in the set twice, put back once"};
    }

    // Every archive of a set is looked up before the add-ons installed now are
    // taken out: a set none of whose add-ons can go in leaves them, and one that
    // can go in only partly asks first, No the default.
    void aSetIsCheckedInTheLibraryFirst() {
        QFETCH(QByteArray, set);
        QFETCH(int, answer);
        QFETCH(QStringList, boxes);
        install(kFlightModels, "SPIT");
        WriteFile(fixture->root() / "SETS" / "Mine.INI", set.toStdString());
        prompts->answerNext(QMessageBox::StandardButton(answer));
        std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu());
        Item(menu.get(), "Mine")->trigger();
        QVERIFY(Settled(window->model()));
        QTEST(Entries(InstalledList(window.get(), kFlightModels)), "flightModels");
        QTEST(Entries(InstalledList(window.get(), kGraphics)), "graphics");
        QCOMPARE(prompts->shown().size(), std::size_t(boxes.size()));
        for (qsizetype box = 0; box < boxes.size(); ++box)
            QVERIFY2(prompts->shown()[box].text.contains(boxes[box]),
                     qPrintable(prompts->shown()[box].text));
        if (answer == QMessageBox::Yes || answer == QMessageBox::No)
            QCOMPARE(prompts->shown()[0].defaultButton, QMessageBox::No);
    }

    // The menu opens on the sets' names; a set's file is read when the pointer
    // rests on it, for its tooltip.
    void theMenuReadsASetOnlyWhenItIsHovered() {
        for (const char* name : {"One", "Two", "Three"})
            WriteFile(fixture->root() / "SETS" / (std::string(name) + ".INI"), "SOUNDS=MERLIN");
        int reads = 0;
        SetFolderReadHook([&reads](const fs::path&) { ++reads; });
        std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu());
        const int opening = reads;
        Item(menu.get(), "Two")->hover();
        SetFolderReadHook({});
        QCOMPARE(opening, 1);
        QCOMPARE(reads, 2);
        QCOMPARE(Item(menu.get(), "Two")->toolTip(), QString("MERLIN (SOUND PACK)"));
    }

    // Cancel while the add-ons installed now are taken out lets that end; none of
    // the set goes in, a box says what was done, and the preview names no add-on
    // that has gone.
    void aCancelWhileTheSetupGoesOutIsTold() {
        install(kGraphics, "CLOUDS");
        Find<QListWidget>(window.get(), "List8")->setCurrentRow(0); // HAZE
        auto* preview = Find<QPlainTextEdit>(window.get(), "Text1");
        QVERIFY(preview->toPlainText().contains("CLOUDS"));
        QVERIFY(SaveSet(fixture->root() / "SETS", "Evening", {{kSounds, "MERLIN"}}).done());
        std::atomic<bool> cancelled = false;
        // The worker waits at its first look into the library until Cancel is pressed.
        SetFolderReadHook([&cancelled, main = std::this_thread::get_id()](const fs::path&) {
            while (std::this_thread::get_id() != main && !cancelled)
                std::this_thread::yield();
        });
        prompts->answerNext(QMessageBox::Ok);
        std::unique_ptr<QMenu> menu(window->findChild<SetsMenu*>()->menu());
        Item(menu.get(), "Evening")->trigger();
        emit window->findChild<QProgressDialog*>()->canceled();
        cancelled = true;
        QVERIFY(Settled(window->model()));
        SetFolderReadHook({});
        QVERIFY(Entries(InstalledList(window.get(), kGraphics)).isEmpty());
        QVERIFY(!preview->toPlainText().contains("CLOUDS"));
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY2(prompts->shown()[0].text.contains("CLOUDS (GRAPHIC)"),
                 qPrintable(prompts->shown()[0].text));
    }

    // A termination while a box waits for its answer: the box goes first, as its
    // Escape would (No: the set stays), then the program ends as a close does,
    // saving "Last run".
    void aTerminationAnswersAnOpenBoxFirst() {
        install(kGraphics, "CLOUDS");
        QVERIFY(SaveSet(fixture->root() / "SETS", "Evening", {{kGraphics, "HAZE"}}).done());
        prompts.reset(); // a real box, waiting for the player
        QString openBox;
        QTimer::singleShot(300, window.get(), [this, &openBox] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                openBox = box->text();
            window->endProgram();
        });
        window->findChild<SetsMenu*>()->remove("Evening");
        QVERIFY2(openBox.startsWith("Delete the set"), qPrintable(openBox));
        QTRY_VERIFY(!window->isVisible());
        QCOMPARE(ListSets(fixture->root() / "SETS"),
                 (std::vector<std::string>{"Last run", "Evening"}));
        QVERIFY(!fs::exists(fixture->game() / "CLOUD.PIC"));
    }

private:
    void openMain() {
        window = std::make_unique<Principal>();
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }

    void addon(int category, const std::string& name, const std::string& members) {
        MakeArchive(
            InFolder(fixture->root() / kAddonCategories[category].folderName, name + ".zip"),
            Tree(members));
    }

    void install(int category, const QString& name) {
        Find<QAbstractButton>(window.get(), CategoryButtonName(category))->click();
        QListWidget* list8 = Find<QListWidget>(window.get(), "List8");
        list8->setCurrentRow(Entries(list8).indexOf(name));
        list8->setFocus();
        QTest::keyClick(list8, Qt::Key_Return);
        QVERIFY(Settled(window->model()));
    }

    std::unique_ptr<ProgramFolderFixture> fixture;
    std::unique_ptr<Principal> window;
    std::optional<AnsweredPrompts> prompts;
};

QTEST_MAIN(SetsMenuTest)
#include "SetsMenuTest.moc"
