#include "windows/InstallationModel.h"
#include "windows/Prompts.h"

#include <QApplication>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <chrono>
#include <optional>
#include <stdexcept>
#include <thread>

using namespace quorvel;

namespace {

// The label of the progress dialog on screen; empty when none is.
QString ProgressShown() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QProgressDialog*>(top); dialog && dialog->isVisible())
            return dialog->labelText();
    return QString();
}

} // namespace

// Long work through the model the windows share: on a worker thread, one at a
// time, with the windows disabled meanwhile and the result handed on afterwards.
class LongOperationTest : public QObject {
    Q_OBJECT

private slots:
    // Slow work runs away from the window, under a progress dialog, while clicks
    // on the window are dropped and no second operation starts; the lists are
    // redrawn before the result comes, and an end waiting for the operation comes
    // after it. Input flows again afterwards.
    void slowWorkRunsAwayFromTheWindowUnderProgress() {
        InstallationModel model;
        QWidget window;
        QPushButton button(&window);
        int clicks = 0;
        connect(&button, &QPushButton::clicked, [&] { ++clicks; });
        window.show();
        QString dialogText;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            QTest::mouseClick(&button, Qt::LeftButton);
            if (const QString shown = ProgressShown(); !shown.isEmpty())
                dialogText = shown;
        });
        probe.start(50);
        QStringList order;
        connect(&model, &InstallationModel::changed, [&] { order << "changed"; });

        std::thread::id workThread;
        QVERIFY(model.run(
            &window, {"Installing", "Unzip"},
            [&](Installation&, const ProgressReport& report, const CancelRequested&) {
                workThread = std::this_thread::get_id();
                for (std::size_t done = 1; done <= 8; ++done) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(120));
                    report(done, 8);
                }
                return 7;
            },
            [&](std::optional<int> result) {
                probe.stop();
                order << QString::number(result.value_or(0));
            }));
        QVERIFY(!window.isEnabled());
        QVERIFY(!model.run(
            &window, {"Installing", "Unzip"},
            [](Installation&, const ProgressReport&, const CancelRequested&) { return 0; },
            [&](std::optional<int>) { order << "second"; }));
        model.whenIdle(&window, [&] { order << "idle"; });
        QTRY_VERIFY_WITH_TIMEOUT(!model.busy(), 10000);

        QVERIFY(workThread != std::this_thread::get_id());
        QVERIFY2(dialogText.startsWith("Installing\n"), qPrintable(dialogText));
        QCOMPARE(order, QStringList({"changed", "7", "idle"}));
        QCOMPARE(clicks, 0);
        QVERIFY(window.isEnabled());
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks, 1);
    }

    void cancelAsksTheWorkToStop_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }

    // Cancel, or Escape, on the dialog only asks the work to stop: the work sees it
    // at its next step, and the dialog stays and says it stops.
    void cancelAsksTheWorkToStop() {
        QFETCH(bool, escape);
        InstallationModel model;
        QWidget window;
        window.show();
        QStringList labels;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QProgressDialog*>(top);
                if (!dialog || !dialog->isVisible())
                    continue;
                if (escape)
                    QTest::keyClick(dialog, Qt::Key_Escape);
                else if (auto* cancel = dialog->findChild<QPushButton*>(); cancel->isEnabled())
                    cancel->click();
                labels << dialog->labelText();
            }
        });
        probe.start(50);

        std::size_t steps = 0;
        model.run(
            &window, {"Putting back", "Unzip", "Stopping after this add-on"},
            [&](Installation&, const ProgressReport& report, const CancelRequested& stop) {
                for (; steps < 100 && !stop(); ++steps) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(60));
                    report(steps + 1, 100);
                }
                return steps;
            },
            [](std::optional<std::size_t>) {});
        QTRY_VERIFY_WITH_TIMEOUT(!model.busy(), 10000);
        probe.stop();

        QVERIFY2(steps < 100, "the work never saw the Cancel");
        QVERIFY(!labels.isEmpty());
        QVERIFY2(labels.back().startsWith("Stopping after this add-on"), qPrintable(labels.back()));
    }

    void returnsTheOutcomeOrShowsWhatWasThrown_data() {
        QTest::addColumn<int>("thrown"); // 0 nothing, 1 a standard exception, 2 anything else
        QTest::addColumn<QString>("box");
        QTest::newRow("returned") << 0 << QString();
        QTest::newRow("std::exception") << 1 << QString("Unzip: disk on fire");
        QTest::newRow("other") << 2 << QString("Unzip: an unknown error");
    }

    // What quick work returned comes back, with no dialog flashing by; what it
    // threw becomes the routine's box and no result, never one that looks like
    // success. While the box waits, past the time after which a progress dialog
    // shows itself, no dialog comes back over it.
    void returnsTheOutcomeOrShowsWhatWasThrown() {
        QFETCH(int, thrown);
        QFETCH(QString, box);
        QStringList boxes; // each box's text, then the progress dialog shown over it
        Prompts::answerWith([&boxes](const Prompts::Box& shown) {
            QEventLoop answering; // as a box's own, which leaves deferred deletions alone
            QTimer::singleShot(4500, &answering, &QEventLoop::quit);
            answering.exec();
            boxes << shown.text << ProgressShown();
            return QMessageBox::Ok;
        });
        InstallationModel model;
        QWidget window;
        std::optional<std::optional<int>> result;
        model.run(
            &window, {"Installing", "Unzip"},
            [thrown](Installation&, const ProgressReport& report, const CancelRequested&) {
                if (thrown == 1)
                    throw std::runtime_error("disk on fire");
                if (thrown == 2)
                    throw 42;
                report(1, 1);
                return 7;
            },
            [&](std::optional<int> returned) { result = returned; });
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 10000);
        Prompts::answerWith({});
        QCOMPARE(*result, thrown == 0 ? std::optional<int>(7) : std::nullopt);
        QCOMPARE(ProgressShown(), QString());
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList({box, QString()}));
    }
};

QTEST_MAIN(LongOperationTest)
#include "LongOperationTest.moc"
