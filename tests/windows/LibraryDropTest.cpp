#include "ProgramFolderFixture.h"
#include "windows/PathText.h"
#include "windows/Principal.h"
#include "windows/Prompts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMimeData>
#include <QUrl>
#include <QtTest>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

// Files dropped on the main window from a download folder; the graphics library
// holds OLD.zip to begin with.
class LibraryDropTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        fixture = std::make_unique<ProgramFolderFixture>();
        library = fixture->root() / "GRAPHICS";
        download = fixture->root() / "download";
        WriteFile(library / "OLD.zip", "old");
        Prompts::reset();
        window = std::make_unique<Principal>();
    }
    void cleanup() {
        window.reset();
        fixture.reset();
    }

    void dropGoesIntoTheLibraryOnScreen_data() {
        QTest::addColumn<bool>("category"); // graphics chosen
        QTest::addColumn<QStringList>("dropped");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QStringList>("libraryAfter");
        QTest::addColumn<QStringList>("listAfter");
        const QStringList untouched{"OLD.zip"};
        QTest::newRow("one zip") << true << QStringList({"haze.zip"}) << true
                                 << QStringList({"haze.zip", "OLD.zip"})
                                 << QStringList({"HAZE", "OLD"});
        QTest::newRow("many, with a description and a picture")
            << true << QStringList({"a.txt", "a.zip", "B.ZIP", "b.JPG"}) << true
            << QStringList({"a.txt", "a.zip", "b.JPG", "B.ZIP", "OLD.zip"})
            << QStringList({"A", "B", "OLD"});
        QTest::newRow("a zip of a library name replaces it")
            << true << QStringList({"old.ZIP"}) << true << untouched << QStringList({"OLD"});
        QTest::newRow("the library's own file") << true << QStringList({"library:OLD.zip"}) << true
                                                << untouched << QStringList({"OLD"});
        QTest::newRow("no category")
            << false << QStringList({"haze.zip"}) << false << untouched << QStringList();
        QTest::newRow("not a zip") << true << QStringList({"haze.zip", "haze.pdf"}) << false
                                   << untouched << QStringList({"OLD"});
        QTest::newRow("a description without its zip")
            << true << QStringList({"haze.zip", "other.txt"}) << false << untouched
            << QStringList({"OLD"});
        QTest::newRow("a folder named like a zip")
            << true << QStringList({"folder:x.zip"}) << false << untouched << QStringList({"OLD"});
    }

    void dropGoesIntoTheLibraryOnScreen() {
        QFETCH(bool, category);
        QFETCH(QStringList, dropped);
        QFETCH(bool, accepted);
        QFETCH(QStringList, libraryAfter);
        QFETCH(QStringList, listAfter);
        QList<QUrl> urls;
        for (const QString& name : dropped) {
            fs::path file = download / ToPath(name.section(':', -1));
            if (name.startsWith("library:"))
                file = library / ToPath(name.section(':', -1));
            else if (name.startsWith("folder:"))
                fs::create_directories(file);
            else
                WriteFile(file, "dropped " + ToStdString(name));
            urls << QUrl::fromLocalFile(ToQString(file));
        }
        if (category)
            Find<QAbstractButton>(window.get(), "Command6")->click();

        QCOMPARE(drop(urls), accepted);
        QCoreApplication::processEvents();

        QCOMPARE(FilesIn(library), libraryAfter);
        QCOMPARE(Entries(Find<QListWidget>(window.get(), "List8")), listAfter);
        if (dropped == QStringList({"old.ZIP"}))
            QCOMPARE(ReadFile(library / "OLD.zip"), std::string("dropped old.ZIP"));
        else
            QCOMPARE(ReadFile(library / "OLD.zip"), std::string("old"));
        for (const QString& name : dropped) {
            if (!name.contains(':'))
                QCOMPARE(ReadFile(download / ToPath(name)), "dropped " + ToStdString(name));
        }
        QVERIFY(Prompts::shown().empty());
    }

private:
    // Drags the files over the window and drops them there; whether the window
    // took them.
    bool drop(const QList<QUrl>& urls) {
        QMimeData data;
        data.setUrls(urls);
        const QPoint at(20, 20);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &enter);
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.get(), &dropped);
        return enter.isAccepted() && dropped.isAccepted();
    }

    std::unique_ptr<ProgramFolderFixture> fixture;
    std::unique_ptr<Principal> window;
    fs::path library;
    fs::path download;
};

QTEST_MAIN(LibraryDropTest)
#include "LibraryDropTest.moc"
