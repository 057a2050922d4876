#include "windows/LongOperation.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <atomic>
#include <chrono>
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
        RunLongOperation(&window, "Installing", [&](const ProgressReport& report) {
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
        RunLongOperation(&window, "Quick", [&](const ProgressReport& report) {
            ++calls;
            report(1, 1);
        });
        QCOMPARE(calls, 1);
        for (QWidget* top : QApplication::topLevelWidgets())
            QVERIFY(!(qobject_cast<QProgressDialog*>(top) && top->isVisible()));
    }
};

QTEST_MAIN(LongOperationTest)
#include "LongOperationTest.moc"
