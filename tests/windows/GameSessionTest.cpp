#include "windows/GameSession.h"

#include "support/TempFolder.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace fs = std::filesystem;
using namespace quorvel;
using namespace quorvel::test;

namespace {

// A program that plays the game: it records each run and plays until told to end
// (tests/e2e/stand-in-wine, or on Windows the console program of StandInGame.cpp).
fs::path StandIn() {
#ifdef _WIN32
    return fs::path(QCoreApplication::applicationDirPath().toStdWString()) / "stand-in" /
           "StandInGame.exe";
#else
    return QUORVEL_STAND_IN_WINE;
#endif
}

// A game folder, the stand-in's record and the file that ends its run.
struct Play {
    Play() {
        fs::create_directories(root / "Game Folder");
        qputenv("STAND_IN_RECORD", QString::fromStdWString(record.wstring()).toLocal8Bit());
    }
    ~Play() { qunsetenv("STAND_IN_RECORD"); }

    Outcome<GameStart> plan(const fs::path& program) const {
        return Outcome<GameStart>::Done(
            {program,
             {"first", "second argument"},
             root / "Game Folder",
             {{"WINEPREFIX", (root / "prefix").string()}, {"STAND_IN_END", endFile.string()}}});
    }
    std::string line() const {
        return "arguments=first second argument\tWINEPREFIX=" + (root / "prefix").string() +
               "\tfolder=" + (root / "Game Folder").string() + "\n";
    }

    TempFolder root;
    const fs::path record = root / "record.txt";
    const fs::path endFile = root / "end";
};

} // namespace

class GameSessionTest : public QObject {
    Q_OBJECT

private slots:
    void whatCannotStartIsTold_data() {
        QTest::addColumn<QString>("program"); // under the test's folder; "" for a refused plan
        QTest::newRow("refused plan") << "";
        QTest::newRow("missing program") << "missing";
        QTest::newRow("a folder") << "Game Folder";
#ifndef _WIN32
        QTest::newRow("not executable") << "record.txt";
#endif
    }

    // Every way a start fails ends in failedToStart with a reason, never in silence.
    void whatCannotStartIsTold() {
        QFETCH(QString, program);
        Play play;
        WriteFile(play.record, "");
        GameSession session;
        QSignalSpy started(&session, &GameSession::started);
        QSignalSpy failed(&session, &GameSession::failedToStart);
        session.start(program.isEmpty() ? Outcome<GameStart>::NotDone("Install Wine.")
                                        : play.plan(play.root.path() / program.toStdString()));
        QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 1, 30000);
        QVERIFY(!failed[0][0].toString().isEmpty());
        if (program.isEmpty())
            QCOMPARE(failed[0][0].toString(), QString("Install Wine."));
        QVERIFY(!session.running());
        QCOMPARE(started.count(), 0);
    }

    // The game runs in its folder with its arguments, in this program's environment
    // (which names the record) plus the plan's additions, once at a time. Ending
    // the program leaves it playing: it is still there to see the file that ends
    // it, after the session went.
    void theGamePlaysOnceAtATimeAndOutlivesItsSession() {
        Play play;
        auto session = std::make_unique<GameSession>();
        QSignalSpy started(session.get(), &GameSession::started);
        QSignalSpy failed(session.get(), &GameSession::failedToStart);
        session->start(play.plan(StandIn()));
        QTRY_COMPARE_WITH_TIMEOUT(started.count(), 1, 30000);
        QVERIFY(session->running());
        session->start(play.plan(StandIn()));
        QCOMPARE(failed.count(), 1);
        QTRY_VERIFY_WITH_TIMEOUT(ReadFile(play.record) == play.line(), 30000);
        session.reset();
        WriteFile(play.endFile, "");
        QTRY_VERIFY_WITH_TIMEOUT(!fs::exists(play.endFile), 30000);
    }
};

QTEST_MAIN(GameSessionTest)
#include "GameSessionTest.moc"
