#include "ProgramFolderFixture.h"
#include "windows/Principal.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

namespace {

QWidget* openChildWindow(const char* className) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->inherits(className) && top->isVisible())
            return top;
    }
    return nullptr;
}

} // namespace

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void eachButtonOpensItsWindowAndEscapeClosesIt_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("mainStaysEnabled");
        QTest::newRow("game folder") << "Command8"
                                     << "quorvel::EAWFolder" << false;
        QTest::newRow("settings") << "Command9"
                                  << "quorvel::Settings" << false;
        QTest::newRow("new add-on") << "Command11"
                                    << "quorvel::Newaddon" << false;
        QTest::newRow("delete add-on") << "Command12"
                                       << "quorvel::Deleteaddon" << true;
        QTest::newRow("help") << "Command14"
                              << "quorvel::Help" << false;
        QTest::newRow("about") << "Command15"
                               << "quorvel::About" << false;
    }

    void eachButtonOpensItsWindowAndEscapeClosesIt() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QFETCH(bool, mainStaysEnabled);
        ProgramFolderFixture program;
        Principal mainWindow;
        mainWindow.show();
        mainWindow.findChild<QAbstractButton*>(button)->click();

        QPointer<QWidget> child = openChildWindow(qPrintable(window));
        QVERIFY(child);
        QCOMPARE(mainWindow.isEnabled(), mainStaysEnabled);
        QVERIFY(child->isEnabled());
        child->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(child));
        QTest::keyClick(child, Qt::Key_Escape);
        QVERIFY(mainWindow.isEnabled());
        QTRY_VERIFY(child.isNull());
    }

    void closingTheMainWindowClosesItsWindows() {
        ProgramFolderFixture program;
        auto* mainWindow = new Principal;
        mainWindow->show();
        mainWindow->findChild<QAbstractButton*>("Command12")->click();
        QPointer<QWidget> child = openChildWindow("quorvel::Deleteaddon");
        QVERIFY(child);
        QVERIFY(mainWindow->close());
        delete mainWindow;
        QTRY_VERIFY(child.isNull());
    }
};

QTEST_MAIN(ClosingTest)
#include "ClosingTest.moc"
