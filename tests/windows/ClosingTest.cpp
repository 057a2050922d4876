#include "ProgramFolderFixture.h"
#include "windows/About.h"
#include "windows/Deleteaddon.h"
#include "windows/Help.h"
#include "windows/Newaddon.h"

#include <QPointer>
#include <QTest>
#include <functional>

using namespace quorvel;
using namespace quorvel::test;

using WindowMaker = std::function<QWidget*(QWidget* mainWindow)>;
Q_DECLARE_METATYPE(WindowMaker)

class ClosingTest : public QObject {
    Q_OBJECT

private slots:
    void closingEnablesTheMainWindow_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<bool>("mainEnabledBefore");
        const std::vector<std::pair<const char*, WindowMaker>> windows{
            {"Help", [](QWidget* main) { return new Help(main); }},
            {"About", [](QWidget* main) { return new About(main); }},
            {"Deleteaddon", [](QWidget* main) { return new Deleteaddon(main); }},
            {"Newaddon", [](QWidget* main) { return new Newaddon(main); }},
        };
        for (const auto& [name, make] : windows) {
            QTest::addRow("%s over a disabled main window", name) << make << false;
            QTest::addRow("%s over an enabled main window", name) << make << true;
        }
    }

    void closingEnablesTheMainWindow() {
        QFETCH(WindowMaker, make);
        QFETCH(bool, mainEnabledBefore);
        ProgramFolderFixture program;
        QWidget mainWindow;
        mainWindow.setEnabled(mainEnabledBefore);

        QPointer<QWidget> window = make(&mainWindow);
        window->show();
        QCOMPARE(mainWindow.isEnabled(), mainEnabledBefore);
        QVERIFY(window->isEnabled());

        window->close();
        QVERIFY(mainWindow.isEnabled());
        QTRY_VERIFY(window.isNull());
    }

    void aMainWindowThatIsGoneIsNotTouched() {
        ProgramFolderFixture program;
        auto* mainWindow = new QWidget;
        QPointer<QWidget> window = new Help(mainWindow);
        delete mainWindow;
        window->close();
        QTRY_VERIFY(window.isNull());
    }
};

QTEST_MAIN(ClosingTest)
#include "ClosingTest.moc"
