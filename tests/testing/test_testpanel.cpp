#include "core/Random.h"
#include "knowledge/KnowledgeBase.h"
#include "mainwindow/MainWindow.h"
#include "shell/WebLinks.h"
#include "tests/support/Controls.h"
#include "tests/support/RecordingPlatform.h"
#include "widgets/WrappingOption.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

#include <memory>

class TestTestPanel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RecordingPlatform> m_platform;
    std::unique_ptr<Random> m_random;
    std::unique_ptr<MainWindow> m_window;

    KnowledgeBase m_kb;

    const KnowledgeBase &kb()
    {
        m_kb.LoadKnowledgeBase();
        return m_kb;
    }
    const TestState &test() { return m_window->testState(); }
    QRadioButton *option(int i)
    {
        return control<QRadioButton>(m_window.get(), QStringLiteral("optOptionTest%1").arg(i));
    }
    QString questionLabel() { return control<QLabel>(m_window.get(), "lblQNo")->text(); }
    QString reportText() { return control<QTextEdit>(m_window.get(), "RTB")->toPlainText(); }

    void click(const QString &name)
    {
        auto *button = control<QAbstractButton>(m_window.get(), name);
        QVERIFY2(button->isVisible(), qPrintable(name + " is not visible"));
        // The window's own option buttons are wider than their captions, so
        // a click on their centre would miss; those are pressed directly.
        if (qobject_cast<QPushButton *>(button) || qobject_cast<WrappingOption *>(button))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            button->click();
    }

    bool startSignificanceTest()
    {
        click(QStringLiteral("optOption1"));
        click(QStringLiteral("cmdNext"));
        click(QStringLiteral("optOption2"));
        click(QStringLiteral("cmdNext2"));
        return !QTest::currentTestFailed() && m_window->panelInFront() == Panel::TestPanel;
    }

    bool startInterpretationTest(const QList<int> &categories)
    {
        click(QStringLiteral("optOption1"));
        click(QStringLiteral("cmdNext"));
        click(QStringLiteral("optOption3"));
        click(QStringLiteral("cmdNext2"));
        for (int c : categories) {
            control<QCheckBox>(m_window.get(), QStringLiteral("chkChoice%1").arg(c))
                ->setChecked(true);
        }
        click(QStringLiteral("cmdNext3"));
        return !QTest::currentTestFailed() && m_window->panelInFront() == Panel::TestPanel;
    }

    // Picks option `i` and moves on; returns the chosen text.
    QString answer(int i)
    {
        QRadioButton *chosen = option(i);
        const QString text = chosen->text();
        QTest::mouseClick(chosen, Qt::LeftButton);
        click(QStringLiteral("cmdNextQuestionTest"));
        return text;
    }

    // The text that answers the question on display right.
    QString rightText()
    {
        const int record = m_window->state().CurrentRecord;
        if (m_window->state().IsBySignificance)
            return kb().SignificanceTexts[test().SignificanceQuestions[record]];
        return kb().InterpretationTexts[test().InterpretationQuestions.at(record)];
    }

    int visibleOptions()
    {
        int n = 0;
        for (int i = 0; i < 5; ++i)
            n += option(i)->isVisible() ? 1 : 0;
        return n;
    }

    // Answers every question: right where `right(i)` says so, else wrong.
    // Returns the expected report lines.
    QStringList answerAll(const std::function<bool(int)> &right)
    {
        QStringList lines { QStringLiteral("Quillmere"), QString() };
        const bool bySignificance = m_window->state().IsBySignificance;
        const int count = bySignificance ? 10 : test().QuestionCount;
        int score = 0;
        for (int i = 0; i < count && !QTest::currentTestFailed(); ++i) {
            const QString correct = rightText();
            const int shown = visibleOptions();
            int pick = 0;
            while (pick < shown && (option(pick)->text() == correct) != right(i))
                ++pick;
            const QString title = control<QLabel>(m_window.get(), "lblNameTest")->text();
            const QString chosen = answer(pick);
            lines << title << QStringLiteral("Your Choice:") << chosen
                  << QStringLiteral("The Correct Choice:") << correct << QString();
            score += chosen == correct ? 1 : 0;
        }
        lines << QStringLiteral("%1 Correct out of %2 Questions").arg(score).arg(count);
        return lines;
    }

private slots:
    void init()
    {
        m_platform = std::make_unique<RecordingPlatform>();
        m_random = std::make_unique<Random>(Random::seeded(2024));
        m_window = std::make_unique<MainWindow>(*m_platform, *m_random);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        for (int i = 0; i < 5; ++i)
            QVERIFY2(
                option(i) != nullptr, qPrintable(QStringLiteral("missing optOptionTest%1").arg(i)));
    }

    void cleanup()
    {
        m_window.reset();
        m_random.reset();
        m_platform.reset();
    }

    void significanceTest_numbersItsTenQuestionsAndEndsInTheReport()
    {
        QVERIFY(startSignificanceTest());
        for (int i = 1; i <= 10; ++i) {
            QCOMPARE(questionLabel(), QStringLiteral("Question %1 of 10").arg(i));
            QCOMPARE(m_window->panelInFront(), Panel::TestPanel);
            answer(0);
        }
        QCOMPARE(m_window->panelInFront(), Panel::ResultPanel);
        QVERIFY(m_platform->messageBoxes.isEmpty());
    }

    void significanceQuestion_showsCategoryPictureAndFiveDistinctOptions()
    {
        QVERIFY(startSignificanceTest());
        auto *name = control<QLabel>(m_window.get(), "lblNameTest");
        const int category = test().SignificanceQuestions[0];
        QCOMPARE(name->text(), kb().CategoryNames[category]);
        QStringList texts;
        for (int i = 0; i < 5; ++i) {
            QVERIFY(option(i)->isVisible());
            QVERIFY(!option(i)->isChecked());
            texts << option(i)->text();
        }
        QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), 5);
        QCOMPARE(texts.count(kb().SignificanceTexts[category]), 1);
    }

    void interpretationQuestion_namesCategoryAndVariation()
    {
        QVERIFY(startInterpretationTest({ 1 }));
        auto *name = control<QLabel>(m_window.get(), "lblNameTest");
        const int v = test().InterpretationQuestions.at(0);
        QCOMPARE(name->text(), QStringLiteral("Slant ") + kb().VariationNames[v]);
        QCOMPARE(visibleOptions(), 3);
    }

    void nextWithoutChoice_showsMessageAndKeepsTheQuestion()
    {
        QVERIFY(startSignificanceTest());
        answer(1);
        auto *name = control<QLabel>(m_window.get(), "lblNameTest");
        const QString caption = name->text();
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts << option(i)->text();
        click(QStringLiteral("cmdNextQuestionTest"));
        QCOMPARE(m_platform->messageBoxes.size(), 1);
        const auto &box = m_platform->messageBoxes.first();
        QCOMPARE(box.text, QStringLiteral("Please select an option"));
        QCOMPARE(box.title, QStringLiteral("Quillmere"));
        QCOMPARE(box.icon, Platform::Icon::Critical);
        QCOMPARE(box.buttons, Platform::Buttons::Ok);
        QCOMPARE(questionLabel(), QStringLiteral("Question 2 of 10"));
        QCOMPARE(m_window->state().CurrentRecord, qint16(1));
        QCOMPARE(name->text(), caption);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(option(i)->text(), texts.at(i));
        QVERIFY(test().SignificanceAnswers[1].isEmpty());
    }

    void answer_isStoredAsTheChosenTextAndTheNextQuestionStartsBlank()
    {
        QVERIFY(startSignificanceTest());
        const QString chosen = answer(3);
        QCOMPARE(test().SignificanceAnswers[0], chosen);
        QCOMPARE(questionLabel(), QStringLiteral("Question 2 of 10"));
        for (int i = 0; i < 5; ++i)
            QVERIFY2(!option(i)->isChecked(), qPrintable(QString::number(i)));
    }

    void optionCaption_selectsItsOptionWhenClicked()
    {
        QVERIFY(startInterpretationTest({ 0 }));
        // A click on the last line of a wrapped caption picks that option.
        QRadioButton *second = option(1);
        QTest::mouseClick(
            second, Qt::LeftButton, {}, QPoint(second->width() - 20, second->height() - 4));
        QVERIFY(second->isChecked());
        QTest::mouseClick(option(2), Qt::LeftButton);
        QVERIFY(!second->isChecked());
        QVERIFY(option(2)->isChecked());
    }

    void significanceReport_readsLineForLine()
    {
        QVERIFY(startSignificanceTest());
        const QStringList expected = answerAll([](int i) { return i % 3 == 0; });
        QCOMPARE(m_window->panelInFront(), Panel::ResultPanel);
        QCOMPARE(reportText().split(QLatin1Char('\n')), expected);
        QCOMPARE(expected.size(), 63);
        QCOMPARE(expected.last(), QStringLiteral("4 Correct out of 10 Questions"));
        auto *panel = control<QGroupBox>(m_window.get(), "ResultPanel");
        QCOMPARE(panel->title(), QStringLiteral("Test Result: Significance"));

        // Title lines bold, everything 12 point.
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        int line = 0;
        for (QTextBlock block = box->document()->begin(); block.isValid();
             block = block.next(), ++line) {
            const bool title = line == 0 || (line >= 2 && line < 62 && (line - 2) % 6 == 0);
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock);
            const QTextCharFormat format
                = block.text().isEmpty() ? block.charFormat() : cursor.charFormat();
            QCOMPARE(format.fontPointSize(), 12.0);
            if (!block.text().isEmpty())
                QVERIFY2((format.fontWeight() >= QFont::Bold) == title, qPrintable(block.text()));
        }
    }

    void allRightAndNoneRight_scoreTenAndZero()
    {
        QVERIFY(startSignificanceTest());
        QCOMPARE(answerAll([](int) { return true; }).last(),
            QStringLiteral("10 Correct out of 10 Questions"));
        QVERIFY(reportText().endsWith(QStringLiteral("\n10 Correct out of 10 Questions")));
        click(QStringLiteral("cmdBackToMain"));
        QVERIFY(startSignificanceTest());
        answerAll([](int) { return false; });
        QVERIFY(reportText().endsWith(QStringLiteral("\n0 Correct out of 10 Questions")));
    }

    void interpretationTest_goesCategoryByCategoryAndReportsLineForLine()
    {
        QVERIFY(startInterpretationTest({ 16, 1 }));
        QCOMPARE(test().QuestionCount, 6);
        for (int i = 0; i < 6; ++i) {
            const int v = test().InterpretationQuestions.at(i);
            QCOMPARE(kb().categoryOfVariation(v), i < 3 ? 1 : 16);
        }
        QCOMPARE(questionLabel(), QStringLiteral("Question 1 of 6"));
        QVERIFY(!option(3)->isVisible());
        QVERIFY(!option(4)->isVisible());
        const QStringList expected = answerAll([](int i) { return i != 2 && i != 4; });
        QCOMPARE(reportText().split(QLatin1Char('\n')), expected);
        QCOMPARE(expected.last(), QStringLiteral("4 Correct out of 6 Questions"));
        QVERIFY(expected.at(2).startsWith(QStringLiteral("Slant ")));
        QVERIFY(expected.at(2 + 6 * 3).startsWith(QStringLiteral("Signature ")));
        auto *panel = control<QGroupBox>(m_window.get(), "ResultPanel");
        QCOMPARE(panel->title(), QStringLiteral("Test Result: Interpretation"));
        // The report brings the last two options back.
        QVERIFY(!option(3)->isHidden());
        QVERIFY(!option(4)->isHidden());
    }

    void interpretationTest_lastsThreeQuestionsPerTickedCategory_data()
    {
        QTest::addColumn<QList<int>>("categories");
        QTest::addRow("one") << QList<int> { 8 };
        QList<int> all;
        for (int k = 0; k < KnowledgeBase::CategoryCount; ++k)
            all << k;
        QTest::addRow("all seventeen") << all;
    }

    void interpretationTest_lastsThreeQuestionsPerTickedCategory()
    {
        QFETCH(QList<int>, categories);
        QVERIFY(startInterpretationTest(categories));
        const int count = 3 * static_cast<int>(categories.size());
        for (int i = 1; i <= count; ++i) {
            QCOMPARE(questionLabel(), QStringLiteral("Question %1 of %2").arg(i).arg(count));
            answer(i % 3);
        }
        QCOMPARE(m_window->panelInFront(), Panel::ResultPanel);
        QVERIFY(reportText().endsWith(QStringLiteral(" Correct out of %1 Questions").arg(count)));
    }

    void report_endsTheTest()
    {
        QVERIFY(startInterpretationTest({ 0, 5 }));
        answerAll([](int) { return true; });
        const TestState &state = test();
        QVERIFY(!state.SignificanceDrawn);
        QVERIFY(!state.InterpretationDrawn);
        QVERIFY(state.InterpretationQuestions.isEmpty());
        QVERIFY(state.InterpretationAnswers.isEmpty());
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(state.SignificanceQuestions[i], qint16(0));
            QVERIFY(state.SignificanceAnswers[i].isEmpty());
        }
        for (bool ticked : m_window->state().SelectedCategories)
            QVERIFY(!ticked);
        QCOMPARE(m_window->state().CurrentRecord, qint16(6));
        // Leaving the result panel keeps the report.
        const QString report = reportText();
        click(QStringLiteral("cmdBackToMain"));
        QCOMPARE(m_window->panelInFront(), Panel::WelcomePanel);
        QCOMPARE(reportText(), report);
    }

    void secondReport_replacesTheFirst()
    {
        QVERIFY(startInterpretationTest({ 3 }));
        answerAll([](int) { return true; });
        QVERIFY(reportText().endsWith(QStringLiteral("3 Correct out of 3 Questions")));
        click(QStringLiteral("cmdBackToMain"));

        QVERIFY(startSignificanceTest());
        QCOMPARE(visibleOptions(), 5);
        QVERIFY(test().SignificanceDrawn);
        const QStringList expected = answerAll([](int i) { return i < 5; });
        QCOMPARE(reportText().split(QLatin1Char('\n')), expected);
        QVERIFY(!reportText().contains(QStringLiteral("Line Spacing ")));
        QVERIFY(!reportText().contains(QStringLiteral("3 Questions")));
    }

    void newTest_drawsANewList()
    {
        QSet<QList<qint16>> lists;
        for (int run = 0; run < 3; ++run) {
            QVERIFY(startSignificanceTest());
            lists.insert(QList<qint16>(
                test().SignificanceQuestions.begin(), test().SignificanceQuestions.end()));
            answerAll([](int) { return false; });
            click(QStringLiteral("cmdBackToMain"));
        }
        QCOMPARE(lists.size(), 3);
    }

    void options_showTheirWholeTextAboveTheButton()
    {
        // The longest texts that can meet on one question must fit together.
        auto *next = control<QPushButton>(m_window.get(), "cmdNextQuestionTest");
        WrappingOption probe;
        probe.setFont(option(0)->font());
        const int width = option(0)->width();
        const auto tallest = [&](auto begin, auto end, int n) {
            QList<int> heights;
            for (auto it = begin; it != end; ++it) {
                probe.setText(*it);
                heights << probe.heightForWidth(width);
            }
            std::sort(heights.begin(), heights.end(), std::greater<int>());
            int sum = 0;
            for (int i = 0; i < n; ++i)
                sum += heights.at(i);
            return sum;
        };
        const int room = next->y() - option(0)->y();
        QVERIFY(
            tallest(kb().SignificanceTexts.begin(), kb().SignificanceTexts.end() - 1, 5) <= room);
        QVERIFY(tallest(kb().InterpretationTexts.begin(), kb().InterpretationTexts.end() - 1, 3)
            <= room);

        // The 304-character text of "Wide Left Margin" on screen: each option
        // as tall as its wrapped caption, none overlapping, all above the
        // button.
        bool seen = false;
        for (int run = 0; run < 20 && !seen; ++run) {
            QVERIFY(startInterpretationTest({ 0 }));
            for (int q = 0; q < 3; ++q) {
                int bottom = 0;
                for (int i = 0; i < 3; ++i) {
                    QRadioButton *o = option(i);
                    seen = seen || o->text() == kb().InterpretationTexts[0];
                    const QRect lines = o->fontMetrics().boundingRect(
                        QRect(0, 0, o->width() - 30, 10000), Qt::TextWordWrap, o->text());
                    QVERIFY2(o->height() >= lines.height(), qPrintable(o->text()));
                    QVERIFY(o->y() >= bottom);
                    bottom = o->geometry().bottom();
                    QVERIFY(o->geometry().right() < o->parentWidget()->width());
                }
                QVERIFY(bottom < next->y());
                answer(0);
            }
            click(QStringLiteral("cmdBackToMain"));
        }
        QVERIFY(seen);
    }

    void print_composesTheCopyAndPrintsItOnce()
    {
        QVERIFY(startSignificanceTest());
        answerAll([](int i) { return i == 0; });
        const QString report = reportText();
        click(QStringLiteral("cmdPrint"));
        const QString credit = QStringLiteral("Report Generated By ") + WebLinks::siteRoot();
        const QString expected = credit + "\n\n" + report + "\n\n" + credit;
        QCOMPARE(m_platform->printedDocuments, QStringList { expected });
        auto *copy = control<QTextEdit>(m_window.get(), "RTB1");
        QCOMPARE(copy->toPlainText(), expected);
        QVERIFY(!copy->textCursor().hasSelection());
        // No formatting carried over from the report.
        for (QTextBlock block = copy->document()->begin(); block.isValid(); block = block.next()) {
            QTextCursor cursor(block);
            cursor.movePosition(QTextCursor::EndOfBlock);
            QVERIFY(cursor.charFormat().fontWeight() < QFont::Bold);
            QVERIFY(cursor.charFormat().fontPointSize() != 12.0);
        }
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QCOMPARE(reportText(), report);
    }

    void printTwice_givesTwoIdenticalPrintouts()
    {
        QVERIFY(startInterpretationTest({ 12 }));
        answerAll([](int) { return true; });
        // A selection in the report does not narrow the printout.
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, 3);
        box->setTextCursor(cursor);
        click(QStringLiteral("cmdPrint"));
        click(QStringLiteral("cmdPrint"));
        QCOMPARE(m_platform->printedDocuments.size(), 2);
        QCOMPARE(m_platform->printedDocuments.at(0), m_platform->printedDocuments.at(1));
        QVERIFY(m_platform->printedDocuments.at(0).contains(
            QStringLiteral("3 Correct out of 3 Questions\n\nReport Generated By ")));
        QCOMPARE(
            m_platform->printedDocuments.at(0).count(QStringLiteral("Report Generated By")), 2);
    }

    void printWithoutPrinter_staysQuietAndKeepsTheReport()
    {
        m_platform->hasPrinter = false;
        QVERIFY(startSignificanceTest());
        answerAll([](int) { return true; });
        const QString report = reportText();
        click(QStringLiteral("cmdPrint"));
        QVERIFY(m_platform->calls.contains(QStringLiteral("printDocument")));
        QVERIFY(m_platform->printedDocuments.isEmpty());
        QVERIFY(m_platform->messageBoxes.isEmpty());
        QCOMPARE(reportText(), report);
        QCOMPARE(m_window->panelInFront(), Panel::ResultPanel);
    }

    void reportBox_offersNoWayToCopy()
    {
        QVERIFY(startSignificanceTest());
        answerAll([](int) { return true; });
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        QClipboard *clipboard = QGuiApplication::clipboard();
        const QString sentinel = QStringLiteral("copied in another program");
        clipboard->setText(sentinel);

        QVERIFY(box->isReadOnly());
        // The mouse cannot select, so there is nothing to copy or drag.
        const QPoint start = box->cursorRect(box->textCursor()).center();
        QTest::mousePress(box->viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(box->viewport(), start + QPoint(200, 120));
        QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, start + QPoint(200, 120));
        QVERIFY(!box->textCursor().hasSelection());
        QTest::mouseDClick(box->viewport(), Qt::LeftButton, {}, start);
        QVERIFY(!box->textCursor().hasSelection());

        // Even with a selection made by other means, the keys copy nothing.
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Insert, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), sentinel);

        // No context menu with a copy entry opens: a menu shown with exec()
        // would meet the timer inside its own event loop, one shown as a
        // popup would still be open when the event has been handled.
        bool menuOpened = false;
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, this, [&menuOpened] {
            if (QWidget *popup = QApplication::activePopupWidget()) {
                menuOpened = true;
                popup->close();
            }
        });
        closer.start(0);
        QContextMenuEvent menu(
            QContextMenuEvent::Mouse, start, box->viewport()->mapToGlobal(start));
        QApplication::sendEvent(box->viewport(), &menu);
        QVERIFY(!menuOpened);
        QVERIFY(QApplication::activePopupWidget() == nullptr);
        QCOMPARE(box->contextMenuPolicy(), Qt::NoContextMenu);
        QCOMPARE(clipboard->text(), sentinel);
        QVERIFY(reportText().startsWith(QStringLiteral("Quillmere\n")));
    }

    void report_scrollsByKeyboard()
    {
        QVERIFY(startSignificanceTest());
        answerAll([](int) { return true; });
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        QScrollBar *bar = box->verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        QVERIFY(bar->maximum() > 0);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_PageDown);
        QVERIFY(bar->value() > 0);
        QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_PageUp);
        QCOMPARE(bar->value(), 0);
    }

    void clipboardHoldingReportText_isEmptied_data()
    {
        QTest::addColumn<int>("event");
        QTest::addRow("mouse comes over the report") << int(QEvent::Enter);
        QTest::addRow("mouse button pressed") << int(QEvent::MouseButtonPress);
        QTest::addRow("mouse button released") << int(QEvent::MouseButtonRelease);
    }

    void clipboardHoldingReportText_isEmptied()
    {
        QFETCH(int, event);
        QVERIFY(startSignificanceTest());
        answerAll([](int) { return true; });
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        const QString line = reportText().split(QLatin1Char('\n')).at(6);
        m_platform->clipboard = line;
        m_platform->calls.clear();
        const QPoint at(20, 20);
        if (event == QEvent::Enter) {
            QEnterEvent enter(
                at, box->viewport()->mapTo(m_window.get(), at), box->viewport()->mapToGlobal(at));
            QApplication::sendEvent(box->viewport(), &enter);
        } else if (event == QEvent::MouseButtonPress) {
            QTest::mousePress(box->viewport(), Qt::LeftButton, {}, at);
        } else {
            QTest::mouseRelease(box->viewport(), Qt::LeftButton, {}, at);
        }
        QVERIFY(m_platform->clipboard.isEmpty());
        QVERIFY(m_platform->calls.contains(QStringLiteral("clearClipboard")));
    }

    void clipboardHoldingOtherText_isLeftAlone()
    {
        const QString other = QStringLiteral("An address the user copied in the browser");
        m_platform->clipboard = other;
        QVERIFY(startSignificanceTest());
        answerAll([](int i) { return i < 2; });
        auto *box = control<QTextEdit>(m_window.get(), "RTB");
        const QPoint at(30, 30);
        QEnterEvent enter(
            at, box->viewport()->mapTo(m_window.get(), at), box->viewport()->mapToGlobal(at));
        QApplication::sendEvent(box->viewport(), &enter);
        for (int i = 0; i < 20; ++i)
            QTest::mouseMove(box->viewport(), at + QPoint(10 * i, 5 * i));
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, at);
        click(QStringLiteral("cmdPrint"));
        QCOMPARE(m_platform->clipboard, other);
        QVERIFY(!m_platform->calls.contains(QStringLiteral("clearClipboard")));
    }
};

QTEST_MAIN(TestTestPanel)
#include "test_testpanel.moc"
