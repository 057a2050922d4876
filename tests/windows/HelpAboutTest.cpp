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
    void helpShowsReadmeReadAfreshAtEachOpening() {
        ProgramFolderFixture program;
        const auto shownAtOpening = [] {
            Help help(nullptr);
            return Find<QPlainTextEdit>(&help, "Text1")->toPlainText();
        };
        QCOMPARE(shownAtOpening(), QString()); // no readme.txt
        WriteFile(program.root() / "README.TXT", "old");
        QCOMPARE(shownAtOpening(), QString("old"));

        std::string longText;
        for (int line = 1; line <= 300; ++line)
            longText += "Line " + std::to_string(line) + "\r\n";
        WriteFile(program.root() / "README.TXT", longText);
        Help help(nullptr);
        help.show();
        QCOMPARE(help.windowTitle(), QStringLiteral("EUROPEAN AIR WAR Quorvel v1.0 - Help"));
        auto* text = Find<QPlainTextEdit>(&help, "Text1");
        QVERIFY(text->isReadOnly());
        QVERIFY(text->toPlainText().startsWith("Line 1\nLine 2\n"));
        QCOMPARE(text->document()->blockCount(), 301);
        QTRY_VERIFY(text->verticalScrollBar()->maximum() > 0);
    }

    void aboutShowsItsTextsExactly() {
        About about(nullptr);
        QCOMPARE((QStringList{about.windowTitle(), Find<QLabel>(&about, "Label1")->text(),
                              Find<QLabel>(&about, "Label2")->text(),
                              Find<QLabel>(&about, "Label3")->text()}),
                 (QStringList{"EUROPEAN AIR WAR Quorvel v1.0 - About",
                              "European Air War _ Quorvel v1.1", "16 May 2003",
                              "This program is totally free, I made thinkinf in the more easy "
                              "use of the thousands of addons that this game have, so this "
                              "program haven got sense until the work of the EAW addons "
                              "makers. Thanks for your work."}));
    }
};

QTEST_MAIN(HelpAboutTest)
#include "HelpAboutTest.moc"
