#pragma once

#include "mainwindow/PictureList.h"
#include "mainwindow/SharedState.h"
#include "testing/QuestionDraw.h"
#include "testing/TestState.h"

#include <QObject>

#include <functional>

class KnowledgeBase;
class Platform;
class Random;
struct MainWindowControls;
struct TestReport;

// The multiple-choice test on the test panel and its result report on the
// result panel of the main window.
class TestPanel final : public QObject
{
    Q_OBJECT

public:
    using BringToFront = std::function<void(Panel)>;

    TestPanel(MainWindowControls &controls, KnowledgeBase &knowledge, SharedState &state,
        Platform &platform, Random &random, BringToFront bringToFront, QObject *parent = nullptr);
    ~TestPanel() override;

    // Builds the controls of the test and result panels into their frames.
    static void build(MainWindowControls &controls);

    void ShowSignificanceQuestion();
    void ShowInterpretationQuestion();
    void ShowTestResult();

    // The state of the running test; empty when no test runs.
    const TestState &testState() const { return m_test; }

private:
    void cmdNextQuestionTest_Click();
    void cmdPrint_Click();

    void showQuestion(const QuestionDraw::Question &question, int count);
    void layoutOptions(int visible);
    void clearOptions(int count);
    void writeReport(const TestReport &report);
    void endTest();
    // Empties the clipboard when it holds text of the report, and only then.
    void guardClipboard();

    MainWindowControls &m_ui;
    KnowledgeBase &m_kb;
    SharedState &m_state;
    Platform &m_platform;
    Random &m_random;
    BringToFront m_bringToFront;
    PictureList m_IMG;
    TestState m_test;
    bool m_writingReport = false;
};
