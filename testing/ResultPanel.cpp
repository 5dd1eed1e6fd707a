#include "testing/ResultPanel.h"

#include "shell/Platform.h"
#include "testing/ReportBox.h"
#include "testing/TestReport.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

namespace {

constexpr qreal ReportPointSize = 12;

} // namespace

ResultPanel::ResultPanel(Platform &platform, QWidget *parent)
    : PageFrame(QStringLiteral("ResultPanel"), parent), m_platform(platform)
{
    setTitle(QStringLiteral("Test Result"));
}

QTextEdit *ResultPanel::reportBox()
{
    // The panel's controls are made when it first comes to the front: a
    // report box is costly to make, and the program starts without one.
    if (m_RTB != nullptr)
        return m_RTB;
    auto *box = new ReportBox(this);
    m_RTB = box;
    m_RTB->setObjectName(QStringLiteral("RTB"));
    m_RTB->setFont(verdana(9));
    m_RTB->setGeometry(16, 24, 568, 232);
    m_RTB->setAccessibleName(QStringLiteral("Test result"));
    auto *print = pushButton(this, QStringLiteral("cmdPrint"),
        QStringLiteral("&Print Test Results"), QRect(16, 264, 160, 30));
    auto *back = pushButton(this, QStringLiteral("cmdBackToMain"), QStringLiteral("&Back To Main"),
        QRect(464, 264, 120, 30));
    useRegularFaceForControls();
    nameForScreenReaders(this);
    pressButtonsWithEnter(this);

    connect(print, &QPushButton::clicked, this, &ResultPanel::cmdPrint_Click);
    connect(back, &QPushButton::clicked, this, &ResultPanel::backToMainRequested);
    connect(box, &ReportBox::touched, this, &ResultPanel::guardClipboard);
    connect(m_RTB, &QTextEdit::textChanged, this, [this] {
        if (!m_writingReport)
            guardClipboard();
    });
    // Children made after their panel was shown are shown with it.
    for (QWidget *control : std::initializer_list<QWidget *> { m_RTB, print, back })
        control->show();
    return m_RTB;
}

QWidget *ResultPanel::startingControl() const
{
    return const_cast<ResultPanel *>(this)->reportBox();
}

void ResultPanel::showReport(const TestReport &report)
{
    writeReport(report);
    setTitle(report.caption);
    guardClipboard();
}

void ResultPanel::writeReport(const TestReport &report)
{
    reportBox();
    m_writingReport = true;
    m_RTB->clear();
    QTextCursor cursor(m_RTB->document());
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
    m_RTB->setTextCursor(cursor);
    m_RTB->verticalScrollBar()->setValue(0);
    m_writingReport = false;
}

QTextEdit *ResultPanel::printCopy()
{
    // Made on the first print: nothing at start-up is spent on a box that is
    // never shown.
    if (m_RTB1 == nullptr) {
        m_RTB1 = new QTextEdit(this);
        m_RTB1->setObjectName(QStringLiteral("RTB1"));
        m_RTB1->setReadOnly(true);
        m_RTB1->setFont(verdana(9));
        m_RTB1->hide();
        m_RTB1->setAccessibleName(QStringLiteral("Printed copy of the test result"));
    }
    return m_RTB1;
}

void ResultPanel::cmdPrint_Click()
{
    QTextEdit *copy = printCopy();
    copy->clear();
    QTextCursor cursor(copy->document());
    // Plain text in the box's own font: none of the report's formatting.
    cursor.insertText(
        printCopyLines(m_RTB->toPlainText()).join(QLatin1Char('\n')), QTextCharFormat());
    cursor.clearSelection();
    copy->setTextCursor(cursor);
    // Without a printer nothing is printed, and that is not reported.
    m_platform.printDocument(*copy->document());
}

void ResultPanel::guardClipboard()
{
    const QString text = m_platform.clipboardText();
    const QString printed = m_RTB1 != nullptr ? m_RTB1->toPlainText() : QString();
    if (isReportText(text, { m_RTB->toPlainText(), printed }))
        m_platform.clearClipboard();
}
