#include "ProgramFolderFixture.h"
#include "windows/Backups.h"
#include "windows/EAWFolder.h"
#include "windows/Principal.h"
#include "windows/Settings.h"
#include "windows/WindowPlacement.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QtTest>
#include <memory>

using namespace quorvel;
using namespace quorvel::test;

namespace {

using WindowMaker = QWidget* (*)(Principal*);

template <typename Window> QWidget* Make(Principal* main) {
    if constexpr (std::is_constructible_v<Window, InstallationModel&, Principal*>)
        return new Window(main->model(), main);
    else
        return new Window(main);
}

// The controls whose caption needs more room than they have (a word-wrapped label:
// more height at its width).
QStringList ClippedCaptions(const QWidget* window) {
    QStringList clipped;
    const auto tooSmall = [](const QWidget* control, const QSize& needed) {
        return needed.width() > control->width() || needed.height() > control->height();
    };
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QSize needed =
            label->wordWrap() ? QSize(0, label->heightForWidth(label->width())) : label->sizeHint();
        if (tooSmall(label, needed))
            clipped << label->objectName();
    }
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (!button->text().isEmpty() && tooSmall(button, button->sizeHint()))
            clipped << button->objectName();
    return clipped;
}

// The program's own text family (Arial's metrics) at the size given.
QFont WindowFont(qreal pointSize) {
    const QFont saved = QApplication::font();
    UseWindowFont();
    QFont font = QApplication::font();
    QApplication::setFont(saved);
    font.setPointSizeF(pointSize);
    return font;
}

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class LargeTextTest : public QObject {
    Q_OBJECT

private slots:
    // A window placed by hand grows with a larger text, so a caption that fits at
    // the design text still fits at a larger one.
    void handPlacedWindowsClipNothingMoreAtLargerText_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::newRow("main") << WindowMaker(&Make<Principal>);
        QTest::newRow("first run") << WindowMaker(&Make<Backups>);
        QTest::newRow("game folder") << WindowMaker(&Make<EAWFolder>);
        QTest::newRow("settings") << WindowMaker(&Make<Settings>);
    }

    void handPlacedWindowsClipNothingMoreAtLargerText() {
        QFETCH(WindowMaker, make);
        const ProgramFolderFixture program;
        program.startPickersIn("start");
        Principal main;
        const auto clippedAt = [&](qreal pointSize) {
            const QFont saved = QApplication::font();
            QApplication::setFont(WindowFont(pointSize));
            const std::unique_ptr<QWidget> window(make(&main));
            const QStringList clipped = ClippedCaptions(window.get());
            QApplication::setFont(saved);
            return clipped;
        };
        const QStringList atDesign = clippedAt(8);
        for (const qreal pointSize : {12.0, 16.0})
            for (const QString& name : clippedAt(pointSize))
                QVERIFY2(atDesign.contains(name), qPrintable(name));
    }

    // Laid out for an 8 point text: a twice as tall text about doubles every place
    // and size; the normal text changes nothing, a list's own parts included.
    void fixedLayoutGrowsWithTheText_data() {
        QTest::addColumn<qreal>("pointSize");
        QTest::addColumn<qreal>("growth");
        QTest::newRow("design text") << 8.0 << 1.0;
        QTest::newRow("smaller text") << 6.0 << 1.0;
        QTest::newRow("largest normal text") << 10.0 << 1.0;
        QTest::newRow("twice the text") << 16.0 << 2.0;
    }

    void fixedLayoutGrowsWithTheText() {
        QFETCH(qreal, pointSize);
        QFETCH(qreal, growth);
        QWidget window;
        window.setFont(WindowFont(pointSize));
        window.resize(300, 200);
        auto* frame = new QFrame(&window);
        frame->setGeometry(10, 20, 100, 50);
        auto* inFrame = new QWidget(frame);
        inFrame->setGeometry(5, 6, 30, 10);
        auto* list = new QListWidget(&window);
        list->setGeometry(120, 20, 100, 150);
        const QRect viewport = list->viewport()->geometry();

        // Font heights do not grow quite in step with point sizes.
        const qreal factor = FontGrowth(&window);
        QVERIFY2(qAbs(factor - growth) < 0.15, qPrintable(QString::number(factor)));
        PlaceFixedCentred(&window);

        const auto grown = [factor](const QRect& r) {
            return QRectF(QPointF(r.topLeft()) * factor, QSizeF(r.size()) * factor).toRect();
        };
        QCOMPARE(window.minimumSize(), grown(QRect(0, 0, 300, 200)).size());
        QCOMPARE(frame->geometry(), grown(QRect(10, 20, 100, 50)));
        QCOMPARE(inFrame->geometry(), grown(QRect(5, 6, 30, 10)));
        QCOMPARE(list->geometry(), grown(QRect(120, 20, 100, 150)));
        if (growth == 1.0)
            QCOMPARE(list->viewport()->geometry(), viewport);
    }
};

QTEST_MAIN(LargeTextTest)
#include "LargeTextTest.moc"
