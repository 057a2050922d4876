#include "ProgramFolderFixture.h"
#include "windows/About.h"
#include "windows/Help.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>

using namespace quorvel;
using namespace quorvel::test;

class HelpAboutTest : public QObject {
    Q_OBJECT

private slots:
    void helpShowsReadme_data() {
        QTest::addColumn<QByteArray>("fileContent");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("shown");
        QTest::newRow("absent") << QByteArray() << false << QString();
        QTest::newRow("empty") << QByteArray() << true << QString();
        QTest::newRow("windows lines")
            << QByteArray("First\r\nSecond\r\n") << true << QStringLiteral("First\nSecond\n");
    }

    void helpShowsReadme() {
        QFETCH(QByteArray, fileContent);
        QFETCH(bool, present);
        QFETCH(QString, shown);
        ProgramFolderFixture program;
        if (present)
            WriteFile(program.root() / "readme.txt", fileContent.toStdString());

        Help help(nullptr);
        auto* text = help.findChild<QPlainTextEdit*>("Text1");
        QVERIFY(text);
        QCOMPARE(text->toPlainText(), shown);
        QVERIFY(text->isReadOnly());
        QCOMPARE(help.windowTitle(), QStringLiteral("EUROPEAN AIR WAR Quorvel v1.0 - Help"));
    }

    void helpReadsTheFileAfreshAndScrolls() {
        ProgramFolderFixture program;
        WriteFile(program.root() / "README.TXT", "old");
        {
            Help help(nullptr);
            QCOMPARE(help.findChild<QPlainTextEdit*>("Text1")->toPlainText(), "old");
        }
        std::string longText;
        for (int line = 1; line <= 300; ++line)
            longText += "Line " + std::to_string(line) + "\r\n";
        WriteFile(program.root() / "README.TXT", longText);

        Help help(nullptr);
        help.show();
        auto* text = help.findChild<QPlainTextEdit*>("Text1");
        QVERIFY(text->toPlainText().startsWith("Line 1\nLine 2\n"));
        QCOMPARE(text->document()->blockCount(), 301);
        QTRY_VERIFY(text->verticalScrollBar()->maximum() > 0);
    }

    void aboutShowsItsTextsExactly() {
        About about(nullptr);
        QCOMPARE(about.windowTitle(), QStringLiteral("EUROPEAN AIR WAR Quorvel v1.0 - About"));
        QCOMPARE(about.findChild<QLabel*>("Label1")->text(),
                 QStringLiteral("European Air War _ Quorvel v1.1"));
        QCOMPARE(about.findChild<QLabel*>("Label2")->text(), QStringLiteral("16 May 2003"));
        QCOMPARE(about.findChild<QLabel*>("Label3")->text(),
                 QStringLiteral("This program is totally free, I made thinkinf in the more easy "
                                "use of the thousands of addons that this game have, so this "
                                "program haven got sense until the work of the EAW addons "
                                "makers. Thanks for your work."));
        QVERIFY(about.findChild<QLabel*>("Image1"));
        QVERIFY(about.findChild<QLabel*>("Image2"));
    }
};

QTEST_MAIN(HelpAboutTest)
#include "HelpAboutTest.moc"
