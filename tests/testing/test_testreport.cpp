#include "knowledge/KnowledgeBase.h"
#include "shell/WebLinks.h"
#include "testing/TestReport.h"

#include <QTest>

namespace {

KnowledgeBase loadedKnowledge()
{
    KnowledgeBase kb;
    kb.LoadKnowledgeBase();
    return kb;
}

// A finished test by significance over categories 7 to 16, the first
// `right` of them answered right and the rest with another category's text.
TestState significanceTest(const KnowledgeBase &kb, int right)
{
    TestState state;
    state.SignificanceDrawn = true;
    for (int i = 0; i < 10; ++i) {
        const int c = 7 + i;
        state.SignificanceQuestions[i] = static_cast<qint16>(c);
        state.SignificanceAnswers[i] = kb.SignificanceTexts[i < right ? c : c - 7];
    }
    return state;
}

} // namespace

class TestTestReport : public QObject
{
    Q_OBJECT

private slots:
    void significanceReport_followsTheLayoutLineForLine()
    {
        const KnowledgeBase kb = loadedKnowledge();
        const TestReport report = significanceReport(kb, significanceTest(kb, 3));
        QCOMPARE(report.caption, QStringLiteral("Test Result: Significance"));
        QCOMPARE(report.lines.size(), 63);
        QCOMPARE(report.lines.at(0).text, QStringLiteral("Quillmere"));
        QVERIFY(report.lines.at(0).bold);
        QCOMPARE(report.lines.at(1).text, QString());
        for (int i = 0; i < 10; ++i) {
            const int c = 7 + i;
            const int at = 2 + 6 * i;
            QCOMPARE(report.lines.at(at).text, kb.CategoryNames[c]);
            QVERIFY(report.lines.at(at).bold);
            QCOMPARE(report.lines.at(at + 1).text, QStringLiteral("Your Choice:"));
            QCOMPARE(report.lines.at(at + 2).text, kb.SignificanceTexts[i < 3 ? c : c - 7]);
            QCOMPARE(report.lines.at(at + 3).text, QStringLiteral("The Correct Choice:"));
            QCOMPARE(report.lines.at(at + 4).text, kb.SignificanceTexts[c]);
            QCOMPARE(report.lines.at(at + 5).text, QString());
            for (int line = at + 1; line < at + 6; ++line)
                QVERIFY(!report.lines.at(line).bold);
        }
        QCOMPARE(report.lines.last().text, QStringLiteral("3 Correct out of 10 Questions"));
        QVERIFY(!report.lines.last().bold);
        QCOMPARE(report.score, 3);
    }

    void significanceScore_countsRightTexts_data()
    {
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("scoreLine");
        QTest::addRow("all right") << 10 << QStringLiteral("10 Correct out of 10 Questions");
        QTest::addRow("none right") << 0 << QStringLiteral("0 Correct out of 10 Questions");
        QTest::addRow("seven right") << 7 << QStringLiteral("7 Correct out of 10 Questions");
    }

    void significanceScore_countsRightTexts()
    {
        QFETCH(int, right);
        QFETCH(QString, scoreLine);
        const KnowledgeBase kb = loadedKnowledge();
        QCOMPARE(significanceReport(kb, significanceTest(kb, right)).lines.last().text, scoreLine);
    }

    void score_needsTheExactText()
    {
        const KnowledgeBase kb = loadedKnowledge();
        TestState state = significanceTest(kb, 10);
        state.SignificanceAnswers[0] = state.SignificanceAnswers[0].toUpper();
        state.SignificanceAnswers[1] += QLatin1Char(' ');
        state.SignificanceAnswers[2].clear();
        QCOMPARE(significanceReport(kb, state).score, 7);
    }

    void interpretationReport_goesCategoryByCategoryWithItsScore()
    {
        const KnowledgeBase kb = loadedKnowledge();
        TestState state;
        state.InterpretationDrawn = true;
        // Slant, then the signature; four of six answered right.
        state.InterpretationQuestions = { 9, 8, 12, 98, 92, 95 };
        state.QuestionCount = 6;
        for (int i = 0; i < 6; ++i) {
            const int v = state.InterpretationQuestions.at(i);
            state.InterpretationAnswers << kb.InterpretationTexts[i == 1 || i == 4 ? 0 : v];
        }
        const TestReport report = interpretationReport(kb, state);
        QCOMPARE(report.caption, QStringLiteral("Test Result: Interpretation"));
        QCOMPARE(report.lines.size(), 2 + 6 * 6 + 1);
        for (int i = 0; i < 6; ++i) {
            const int v = state.InterpretationQuestions.at(i);
            const int k = kb.categoryOfVariation(v);
            const int at = 2 + 6 * i;
            QCOMPARE(report.lines.at(at).text, kb.CategoryNames[k] + " " + kb.VariationNames[v]);
            QVERIFY(report.lines.at(at).bold);
            QCOMPARE(report.lines.at(at + 2).text, state.InterpretationAnswers.at(i));
            QCOMPARE(report.lines.at(at + 4).text, kb.InterpretationTexts[v]);
        }
        QCOMPARE(report.lines.at(2).text, QStringLiteral("Slant ") + kb.VariationNames[9]);
        QCOMPARE(report.lines.last().text, QStringLiteral("4 Correct out of 6 Questions"));
    }

    void plainText_keepsEveryLongTextOnOneLine()
    {
        const KnowledgeBase kb = loadedKnowledge();
        TestState state;
        state.InterpretationQuestions = { 0 };
        state.InterpretationAnswers = QStringList { kb.InterpretationTexts[0] };
        state.QuestionCount = 1;
        const QString text = interpretationReport(kb, state).plainText(QStringLiteral("\r\n"));
        QCOMPARE(text,
            QStringLiteral("Quillmere\r\n\r\nMargins Wide Left Margin\r\nYour Choice:\r\n")
                + kb.InterpretationTexts[0] + QStringLiteral("\r\nThe Correct Choice:\r\n")
                + kb.InterpretationTexts[0]
                + QStringLiteral("\r\n\r\n1 Correct out of 1 Questions"));
    }

    void printCopy_framesTheReportWithCreditLines()
    {
        const QString credit = QStringLiteral("Report Generated By ") + WebLinks::siteRoot();
        QCOMPARE(reportCreditLine(), credit);
        QCOMPARE(
            printCopyLines(QStringLiteral("Quillmere\n\nMargins\n0 Correct out of 10 Questions")),
            (QStringList { credit, QString(), QStringLiteral("Quillmere"), QString(),
                QStringLiteral("Margins"), QStringLiteral("0 Correct out of 10 Questions"),
                QString(), credit }));
        // Line breaks of any kind count as line breaks.
        QCOMPARE(printCopyLines(QStringLiteral("a\r\nb") + QChar(QChar::ParagraphSeparator) + "c"),
            (QStringList { credit, QString(), "a", "b", "c", QString(), credit }));
        QCOMPARE(printCopyLines(QString()),
            (QStringList { credit, QString(), QString(), QString(), credit }));
    }

    void reportText_isRecognisedOnTheClipboard_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<bool>("fromReport");
        const QString longLine = QStringLiteral("Your margins reveal how you handle time");
        QTest::addRow("whole report")
            << QStringLiteral("Quillmere\r\n\r\nMargins\r\nYour Choice:") << true;
        QTest::addRow("part of a long line") << longLine << true;
        QTest::addRow("several lines") << QStringLiteral("Margins\nYour Choice:") << true;
        QTest::addRow("with blanks around") << QStringLiteral("  \n") + longLine + "\n" << true;
        QTest::addRow("a short word") << QStringLiteral("Margins") << false;
        QTest::addRow("something else")
            << QStringLiteral("An address copied from another program") << false;
        QTest::addRow("empty") << QString() << false;
        QTest::addRow("only blanks") << QStringLiteral("   ") << false;
    }

    void reportText_isRecognisedOnTheClipboard()
    {
        QFETCH(QString, clipboard);
        QFETCH(bool, fromReport);
        const QString report = QStringLiteral(
            "Quillmere\n\nMargins\nYour Choice:\nYour margins reveal how you handle time, money");
        QCOMPARE(isReportText(clipboard, { QString(), report }), fromReport);
    }
};

QTEST_GUILESS_MAIN(TestTestReport)
#include "test_testreport.moc"
