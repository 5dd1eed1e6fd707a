#pragma once

#include "widgets/Widgets.h"

class Platform;
class QTextEdit;
struct TestReport;

// The result panel: the report of a finished test, which can be printed but
// not copied, and the way back to the welcome panel.
class ResultPanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit ResultPanel(Platform &platform, QWidget *parent = nullptr);

    // Writes the report into the report box, captions the panel with it and
    // makes sure the clipboard holds none of it.
    void showReport(const TestReport &report);
    // The report, so that it scrolls by keyboard at once. The panel's
    // controls are made by the first call.
    QWidget *startingControl() const override;

signals:
    void backToMainRequested();

private:
    // The report box, with the panel's buttons, made on first use.
    QTextEdit *reportBox();
    void writeReport(const TestReport &report);
    void cmdPrint_Click();
    // The hidden plain copy of the report that is printed.
    QTextEdit *printCopy();
    // Empties the clipboard when it holds text of the report, and only then.
    void guardClipboard();

    Platform &m_platform;
    QTextEdit *m_RTB = nullptr;
    QTextEdit *m_RTB1 = nullptr;
    bool m_writingReport = false;
};
