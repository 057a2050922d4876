#include "ProgramFolderFixture.h"
#include "windows/About.h"
#include "windows/Backups.h"
#include "windows/Deleteaddon.h"
#include "windows/EAWFolder.h"
#include "windows/FolderPickers.h"
#include "windows/Help.h"
#include "windows/Newaddon.h"
#include "windows/Principal.h"
#include "windows/Settings.h"

#include <QAbstractButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <memory>

using namespace quorvel;
using namespace quorvel::test;

namespace {

using WindowMaker = std::function<QWidget*(Principal*)>;

// The controls Tab reaches from the window's first one, in order, once round.
QStringList TabOrder(QWidget* window) {
    static const QRegularExpression controlName(QStringLiteral("^[A-Z][A-Za-z]*[0-9]+$"));
    QStringList names;
    QWidget* widget = window;
    do {
        widget = widget->nextInFocusChain();
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(window) &&
            controlName.match(widget->objectName()).hasMatch())
            names << widget->objectName();
    } while (widget != window);
    return names;
}

} // namespace

Q_DECLARE_METATYPE(WindowMaker)

class WindowUseTest : public QObject {
    Q_OBJECT

private slots:
    void tabReachesEveryControlInReadingOrder_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("order");
        QTest::newRow("main") << WindowMaker([](Principal* main) { return main; })
                              << "Command11 Command12 Command9 Command10 Command13 Command14 "
                                 "Command15 Text2 Command8 List1 List2 List3 List4 List5 List6 "
                                 "List7 Text1 Command1 Command2 Command3 Command4 Command6 "
                                 "Command5 Command7 List8";
        QTest::newRow("first run") << WindowMaker([](Principal* main) { return new Backups(main); })
                                   << "Drive1 Dir1 Text1 Check1 Command1";
        QTest::newRow("game folder")
            << WindowMaker([](Principal* main) { return new EAWFolder(main); })
            << "Drive1 Dir1 Text1 Text2 Command1 Command2";
        QTest::newRow("settings")
            << WindowMaker([](Principal* main) { return new Settings(main); })
            << "Text3 Combo1 Combo2 Check3 Check4 Check5 Check6 Check7 Check8 Check9 Check10 "
               "Check11 Check12 Check13 Option1 Option2 Option3 Text1 Text2 HScroll1 HScroll2 "
               "HScroll3 Option4 Option5 HScroll9 Check1 Combo3 HScroll4 HScroll5 HScroll6";
        QTest::newRow("new add-on")
            << WindowMaker([](Principal* main) { return new Newaddon(main); })
            << "Combo1 Option1 Option2 Drive1 Dir1 File1 Text1 Command1";
        QTest::newRow("delete add-on")
            << WindowMaker([](Principal* main) { return new Deleteaddon(main); })
            << "Combo1 List1 Text1 Text2 Command1";
    }

    void tabReachesEveryControlInReadingOrder() {
        QFETCH(WindowMaker, make);
        QFETCH(QString, order);
        ProgramFolderFixture program;
        SetStartingFolder(QString::fromStdString(program.root().string()));
        Principal main;
        QWidget* window = make(&main);
        std::unique_ptr<QWidget> owned(window == &main ? nullptr : window);
        window->show();
        QCOMPARE(TabOrder(window).join(QLatin1Char(' ')), order);
        SetStartingFolder(QString());
    }

    // Without a caption on the picture buttons, the tooltip is all that names them.
    void mainWindowButtonsKeepTheirTooltips() {
        ProgramFolderFixture program;
        Principal main;
        const QList<QPair<const char*, const char*>> tooltips = {
            {"Command11", "Install a new addon in to the program"},
            {"Command12", "Uninstall addons for the program"},
            {"Command9", "Change the EAW.INI parameters"},
            {"Command10", "Restore your EAW.INI"},
            {"Command13", "Clear all addons installed"},
            {"Command14", "QUORVEL help"},
            {"Command15", "About the program"},
            {"Command8", "Choose the folder where you can apply the addons"},
            {"Command1", "Flight Models"},
            {"Command2", "Missions"},
            {"Command3", "Skins"},
            {"Command4", "Terrains"},
            {"Command6", "Graphics"},
            {"Command5", "Sounds"},
            {"Command7", "EAW.EXE Files"},
        };
        for (const auto& [name, tooltip] : tooltips) {
            const auto* button = main.findChild<QAbstractButton*>(name);
            QVERIFY2(button, name);
            QCOMPARE(button->toolTip(), QString::fromLatin1(tooltip));
        }
    }

    void everyWindowCarriesTheProgramIcon() {
        ProgramFolderFixture program;
        SetStartingFolder(QString::fromStdString(program.root().string()));
        Principal main;
        const QImage programIcon =
            QIcon(QStringLiteral(":/icons/quorvel.png")).pixmap(32).toImage();
        const std::vector<std::unique_ptr<QWidget>> windows = [&main] {
            std::vector<std::unique_ptr<QWidget>> made;
            made.emplace_back(new Backups(&main));
            made.emplace_back(new EAWFolder(&main));
            made.emplace_back(new Settings(&main));
            made.emplace_back(new Newaddon(&main));
            made.emplace_back(new Deleteaddon(&main));
            made.emplace_back(new Help(&main));
            made.emplace_back(new About(&main));
            return made;
        }();
        QCOMPARE(main.windowIcon().pixmap(32).toImage(), programIcon);
        for (const auto& window : windows)
            QVERIFY2(window->windowIcon().pixmap(32).toImage() == programIcon,
                     window->metaObject()->className());
        SetStartingFolder(QString());
    }
};

QTEST_MAIN(WindowUseTest)
#include "WindowUseTest.moc"
