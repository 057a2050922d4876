#include "AnsweredPrompts.h"
#include "ProgramFolderFixture.h"
#include "support/ZipBuilder.h"
#include "windows/Principal.h"

#include <QAbstractButton>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QUrl>
#include <QtTest>
#include <optional>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

// Takes the folders the program asks the system's file manager to open.
class FileManagerStandIn : public QObject {
    Q_OBJECT
public:
    FileManagerStandIn() { QDesktopServices::setUrlHandler("file", this, "open"); }
    ~FileManagerStandIn() override { QDesktopServices::unsetUrlHandler("file"); }
    QList<QUrl> opened;

public slots:
    void open(const QUrl& url) { opened << url; }
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
            MakeZip(flightModels() / (std::string(name) + ".zip"),
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
        QVERIFY(fs::equivalent(fileManager.opened[0].toLocalFile().toStdString(), fixture->game()));
        QVERIFY(fs::equivalent(fileManager.opened[1].toLocalFile().toStdString(), flightModels()));
        fs::remove_all(flightModels());
        libraryButton->click();
        QCOMPARE(fileManager.opened.size(), 2);
        QCOMPARE(prompts->shown().size(), std::size_t(1));
        QVERIFY(prompts->shown()[0].text.contains("is not there"));
    }

private:
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
