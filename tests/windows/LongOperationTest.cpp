#include "windows/LongOperation.h"

#include "windows/Prompts.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>

using namespace quorvel;

class LongOperationTest : public QObject {
    Q_OBJECT

private slots:
    void runsTheWorkAwayFromTheWindowAndShowsProgressWhenSlow() {
        QWidget window;
        QPushButton button(&window);
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] { ++clicks; });
        window.show();

        std::atomic<bool> workDone{false};
        bool dialogSeen = false;
        QString dialogText;
        QTimer probe;
        probe.setInterval(50);
        connect(&probe, &QTimer::timeout, [&] {
            QTest::mouseClick(&button, Qt::LeftButton); // dropped while the work runs
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QProgressDialog*>(top);
                    dialog && dialog->isVisible()) {
                    dialogSeen = true;
                    dialogText = dialog->labelText();
                }
            }
        });
        probe.start();

        const auto uiThread = std::this_thread::get_id();
        std::thread::id workThread;
        RunInBackground(&window, "Installing", [&](const ProgressReport& report) {
            workThread = std::this_thread::get_id();
            for (std::size_t done = 1; done <= 8; ++done) {
                std::this_thread::sleep_for(std::chrono::milliseconds(120));
                report(done, 8);
            }
            workDone = true;
        });
        probe.stop();

        QVERIFY(workDone);
        QVERIFY(workThread != uiThread);
        QVERIFY(dialogSeen);
        QVERIFY(dialogText.startsWith("Installing\n"));
        QCOMPARE(clicks, 0);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1); // input flows again afterwards
    }

    void quickWorkShowsNoDialog() {
        QWidget window;
        int calls = 0;
        RunInBackground(&window, "Quick", [&](const ProgressReport& report) {
            ++calls;
            report(1, 1);
        });
        QCOMPARE(calls, 1);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QProgressDialog*>(top) && top->isVisible()));
    }

    // What the work returned comes back; what it threw becomes the routine's box
    // and no result, never one that looks like success.
    void returnsTheOutcomeOrShowsWhatWasThrown_data() {
        QTest::addColumn<int>("thrown"); // 0 nothing, 1 a standard exception, 2 anything else
        QTest::addColumn<QString>("box");
        QTest::newRow("returned") << 0 << QString();
        QTest::newRow("std::exception") << 1 << QString("Unzip: disk on fire");
        QTest::newRow("other") << 2 << QString("Unzip: an unknown error");
    }

    void returnsTheOutcomeOrShowsWhatWasThrown() {
        QFETCH(int, thrown);
        QFETCH(QString, box);
        Prompts::reset();
        Prompts::answerNext(QMessageBox::Ok);
        QWidget window;
        const std::optional<int> result = RunOperationOrShowError(
            &window, "Installing", "Unzip", [thrown](const ProgressReport&) {
                if (thrown == 1)
                    throw std::runtime_error("disk on fire");
                if (thrown == 2)
                    throw 42;
                return 7;
            });
        QCOMPARE(result.has_value(), thrown == 0);
        if (result)
            QCOMPARE(*result, 7);
        QCOMPARE(Prompts::shown().size(), std::size_t(box.isEmpty() ? 0 : 1));
        if (!box.isEmpty()) {
            QCOMPARE(Prompts::shown()[0].text, box);
            QCOMPARE(Prompts::shown()[0].title, QString("QUORVEL"));
        }
    }
};

QTEST_MAIN(LongOperationTest)
#include "LongOperationTest.moc"
