#include "testing/TestPanel.h"

#include "knowledge/KnowledgeBase.h"
#include "mainwindow/MainWindowControls.h"
#include "mainwindow/Widgets.h"
#include "shell/Platform.h"
#include "testing/ReportBox.h"
#include "testing/TestReport.h"
#include "testing/WrappingOption.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace {

const QString ApplicationTitle = QStringLiteral("Quillmere");
const QString SelectAnOption = QStringLiteral("Please select an option");

constexpr qreal ReportPointSize = 12;

// Where the options stand on the test panel: right of the picture, between
// the question's caption and the button row.
constexpr int OptionsLeft = 146;
constexpr int OptionsTop = 50;
constexpr int OptionsWidth = 440;
constexpr int OptionsBottom = 258;
constexpr int LargestOptionGap = 12;

QGroupBox *frame(MainWindowControls &ui, Panel panel)
{
    return ui.fraOption[static_cast<int>(panel)];
}

} // namespace

TestPanel::TestPanel(MainWindowControls &controls, KnowledgeBase &knowledge, SharedState &state,
    Platform &platform, Random &random, BringToFront bringToFront, QObject *parent)
    : QObject(parent),
      m_ui(controls),
      m_kb(knowledge),
      m_state(state),
      m_platform(platform),
      m_random(random),
      m_bringToFront(std::move(bringToFront))
{
    connect(m_ui.cmdNextQuestionTest, &QPushButton::clicked, this,
        &TestPanel::cmdNextQuestionTest_Click);
    connect(m_ui.cmdPrint, &QPushButton::clicked, this, &TestPanel::cmdPrint_Click);
    if (auto *box = qobject_cast<ReportBox *>(m_ui.RTB))
        connect(box, &ReportBox::touched, this, &TestPanel::guardClipboard);
    connect(m_ui.RTB, &QTextEdit::textChanged, this, [this] {
        if (!m_writingReport)
            guardClipboard();
    });
}

TestPanel::~TestPanel() = default;

void TestPanel::build(MainWindowControls &ui)
{
    QGroupBox *test = frame(ui, Panel::TestPanel);
    ui.lblNameTest = new QLabel(test);
    ui.lblNameTest->setObjectName(QStringLiteral("lblNameTest"));
    ui.lblNameTest->setTextFormat(Qt::PlainText);
    ui.lblNameTest->setFont(verdana(9.75, true));
    setTextColor(ui.lblNameTest, QColor(22, 36, 112));
    ui.lblNameTest->setGeometry(16, 22, 440, 24);
    ui.lblQNo = new QLabel(test);
    ui.lblQNo->setObjectName(QStringLiteral("lblQNo"));
    ui.lblQNo->setTextFormat(Qt::PlainText);
    ui.lblQNo->setFont(verdana(8.25, true));
    ui.lblQNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ui.lblQNo->setGeometry(460, 22, 124, 24);
    ui.picTest = new QLabel(test);
    ui.picTest->setObjectName(QStringLiteral("picTest"));
    ui.picTest->setGeometry(16, 52, 122, 135);
    ui.picTest->setFrameShape(QFrame::Box);
    setTextColor(ui.picTest, QColor(170, 170, 170));
    ui.picTest->setAlignment(Qt::AlignCenter);
    for (int i = 0; i < 5; ++i) {
        auto *option = new WrappingOption(test);
        option->setObjectName(QStringLiteral("optOptionTest%1").arg(i));
        option->setFont(verdana(8.25));
        option->setGeometry(OptionsLeft, OptionsTop + 42 * i, OptionsWidth, 40);
        ui.optOptionTest[i] = option;
    }
    ui.cmdNextQuestionTest = new QPushButton(QStringLiteral("&Next Question"), test);
    ui.cmdNextQuestionTest->setObjectName(QStringLiteral("cmdNextQuestionTest"));
    ui.cmdNextQuestionTest->setFont(verdana(8.25));
    ui.cmdNextQuestionTest->setGeometry(464, 264, 120, 30);
    ui.cmdNextQuestionTest->setDefault(true);

    QGroupBox *result = frame(ui, Panel::ResultPanel);
    ui.RTB = new ReportBox(result);
    ui.RTB->setObjectName(QStringLiteral("RTB"));
    ui.RTB->setFont(verdana(9));
    ui.RTB->setGeometry(16, 24, 568, 232);
    ui.RTB1 = new QTextEdit(result);
    ui.RTB1->setObjectName(QStringLiteral("RTB1"));
    ui.RTB1->setReadOnly(true);
    ui.RTB1->setFont(verdana(9));
    ui.RTB1->hide();
    ui.cmdPrint = new QPushButton(QStringLiteral("&Print Test Results"), result);
    ui.cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    ui.cmdPrint->setFont(verdana(8.25));
    ui.cmdPrint->setGeometry(16, 264, 160, 30);
    ui.cmdBackToMain = new QPushButton(QStringLiteral("&Back To Main"), result);
    ui.cmdBackToMain->setObjectName(QStringLiteral("cmdBackToMain"));
    ui.cmdBackToMain->setFont(verdana(8.25));
    ui.cmdBackToMain->setGeometry(464, 264, 120, 30);
}

void TestPanel::ShowSignificanceQuestion()
{
    m_kb.LoadKnowledgeBase();
    if (!m_test.SignificanceDrawn) {
        m_test.SignificanceDrawn = true;
        m_test.SignificanceQuestions = QuestionDraw::drawSignificanceQuestions(m_random);
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= TestState::SignificanceQuestionCount)
        return;
    const int category = m_test.SignificanceQuestions[record];
    showQuestion(QuestionDraw::significanceQuestion(m_kb, category, m_random),
        TestState::SignificanceQuestionCount);
}

void TestPanel::ShowInterpretationQuestion()
{
    m_kb.LoadKnowledgeBase();
    if (!m_test.InterpretationDrawn) {
        m_test.InterpretationDrawn = true;
        m_test.InterpretationQuestions
            = QuestionDraw::drawInterpretationQuestions(m_kb, m_state.SelectedCategories, m_random);
        m_test.QuestionCount = static_cast<int>(m_test.InterpretationQuestions.size());
        m_test.InterpretationAnswers = QStringList();
        for (int i = 0; i < m_test.QuestionCount; ++i)
            m_test.InterpretationAnswers << QString();
    }
    const int record = m_state.CurrentRecord;
    if (record < 0 || record >= m_test.QuestionCount)
        return;
    const int variation = m_test.InterpretationQuestions.at(record);
    showQuestion(
        QuestionDraw::interpretationQuestion(m_kb, variation, m_random), m_test.QuestionCount);
}

void TestPanel::showQuestion(const QuestionDraw::Question &question, int count)
{
    const int shown = static_cast<int>(question.options.size());
    for (int i = 0; i < static_cast<int>(m_ui.optOptionTest.size()); ++i) {
        QRadioButton *option = m_ui.optOptionTest[i];
        const QString text = question.options.value(i);
        option->setText(text);
        option->setAccessibleName(text);
        option->setVisible(i < shown);
    }
    clearOptions(static_cast<int>(m_ui.optOptionTest.size()));
    layoutOptions(shown);

    m_ui.lblNameTest->setText(question.caption);
    m_ui.lblNameTest->setAccessibleName(question.caption);
    // A picture the list does not hold leaves the frame empty.
    m_ui.picTest->setPixmap(m_IMG.picture(question.picture));
    const QString number
        = QStringLiteral("Question %1 of %2").arg(m_state.CurrentRecord + 1).arg(count);
    m_ui.lblQNo->setText(number);
    m_ui.lblQNo->setAccessibleName(number);
}

void TestPanel::layoutOptions(int visible)
{
    QList<int> heights;
    int total = 0;
    for (int i = 0; i < visible; ++i) {
        heights << m_ui.optOptionTest[i]->heightForWidth(OptionsWidth);
        total += heights.last();
    }
    // The room left over spreads between the options, up to a comfortable gap.
    const int room = OptionsBottom - OptionsTop - total;
    const int gap = visible > 1 ? std::clamp(room / (visible - 1), 0, LargestOptionGap) : 0;
    int top = OptionsTop;
    for (int i = 0; i < visible; ++i) {
        m_ui.optOptionTest[i]->setGeometry(OptionsLeft, top, OptionsWidth, heights.at(i));
        top += heights.at(i) + gap;
    }
}

void TestPanel::clearOptions(int count)
{
    // Exclusive buttons cannot be unchecked while they are exclusive.
    for (int i = 0; i < count; ++i) {
        QRadioButton *option = m_ui.optOptionTest[i];
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void TestPanel::cmdNextQuestionTest_Click()
{
    const bool bySignificance = m_state.IsBySignificance;
    const int count = bySignificance ? QuestionDraw::SignificanceOptionCount
                                     : QuestionDraw::InterpretationOptionCount;
    QRadioButton *chosen = nullptr;
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        if (m_ui.optOptionTest[i]->isChecked())
            chosen = m_ui.optOptionTest[i];
    }
    if (chosen == nullptr) {
        m_platform.messageBox(
            SelectAnOption, ApplicationTitle, Platform::Icon::Critical, Platform::Buttons::Ok);
        return;
    }

    const int record = m_state.CurrentRecord;
    if (bySignificance) {
        if (record >= 0 && record < TestState::SignificanceQuestionCount)
            m_test.SignificanceAnswers[record] = chosen->text();
    } else if (record >= 0 && record < m_test.InterpretationAnswers.size()) {
        m_test.InterpretationAnswers[record] = chosen->text();
    }
    m_state.CurrentRecord = static_cast<qint16>(record + 1);
    clearOptions(count);

    if (bySignificance) {
        if (m_state.CurrentRecord < TestState::SignificanceQuestionCount)
            ShowSignificanceQuestion();
        else
            ShowTestResult();
    } else {
        if (m_state.CurrentRecord < m_test.QuestionCount)
            ShowInterpretationQuestion();
        else
            ShowTestResult();
    }
}

void TestPanel::ShowTestResult()
{
    m_bringToFront(Panel::ResultPanel);
    m_kb.LoadKnowledgeBase();
    const TestReport report = m_state.IsBySignificance ? significanceReport(m_kb, m_test)
                                                       : interpretationReport(m_kb, m_test);
    writeReport(report);
    frame(m_ui, Panel::ResultPanel)->setTitle(report.caption);
    endTest();
    guardClipboard();
}

void TestPanel::writeReport(const TestReport &report)
{
    m_writingReport = true;
    m_ui.RTB->clear();
    QTextCursor cursor(m_ui.RTB->document());
    for (int i = 0; i < report.lines.size(); ++i) {
        const ReportLine &line = report.lines.at(i);
        QTextCharFormat format;
        format.setFontPointSize(ReportPointSize);
        format.setFontWeight(line.bold ? QFont::Bold : QFont::Normal);
        if (i == 0)
            cursor.setBlockCharFormat(format);
        else
            cursor.insertBlock(QTextBlockFormat(), format);
        cursor.insertText(line.text, format);
    }
    cursor.movePosition(QTextCursor::Start);
    m_ui.RTB->setTextCursor(cursor);
    m_ui.RTB->verticalScrollBar()->setValue(0);
    m_writingReport = false;
}

void TestPanel::endTest()
{
    m_test.clear();
    m_state.SelectedCategories.fill(false);
    m_ui.optOptionTest[3]->show();
    m_ui.optOptionTest[4]->show();
}

void TestPanel::cmdPrint_Click()
{
    QTextEdit *copy = m_ui.RTB1;
    copy->clear();
    QTextCursor cursor(copy->document());
    // Plain text in the box's own font: none of the report's formatting.
    cursor.insertText(
        printCopyLines(m_ui.RTB->toPlainText()).join(QLatin1Char('\n')), QTextCharFormat());
    cursor.clearSelection();
    copy->setTextCursor(cursor);
    // Without a printer nothing is printed, and that is not reported.
    m_platform.printDocument(*copy->document());
}

void TestPanel::guardClipboard()
{
    const QString text = m_platform.clipboardText();
    if (isReportText(text, { m_ui.RTB->toPlainText(), m_ui.RTB1->toPlainText() }))
        m_platform.clearClipboard();
}
