#pragma once

#include "core/SharedState.h"
#include "knowledge/KnowledgeBase.h"
#include "learning/LearningPages.h"
#include "shell/WebLinks.h"
#include "testing/TestRun.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class AnalysisWindow;
class ApproachPanel;
class CategoryPanel;
class ClickableLabel;
class HistoryWindow;
class LearnPanel;
class Platform;
class QStackedWidget;
class Random;
class ResultPanel;
class TestPanel;
class TestHistory;
class WelcomePanel;

// The program's working window: six panels in one place, one in front, with
// the menu bar above and the promotional strip below. It moves between the
// panels and hands what they ask for to the logic behind them.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Platform &platform, Random &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    // What the panels share, for reading: the page or question on display,
    // the approach and the ticked categories.
    const SharedState &state() const { return m_state; }
    // The running test's questions and answers; empty when no test runs.
    const TestState &testState() const { return m_testRun.testState(); }

    void bringToFront(Panel panel);
    Panel panelInFront() const;

    // Which of the two promotional labels of the bottom strip is seen.
    void bringBrandLabelToFront(bool coBrand);
    bool isCoBrandInFront() const;

    // The learning pages: show page CurrentRecord on the learn panel.
    void ShowSignificancePage();
    void ShowInterpretationPage();
    // The test: show question CurrentRecord, or the report of a finished test.
    void ShowSignificanceQuestion();
    void ShowInterpretationQuestion();
    void ShowTestResult();

    // "Analyse My &Handwriting...": the analysis window, made on first use,
    // asking for a picture. Null until then.
    void openAnalysis();
    AnalysisWindow *analysisWindow() const;
    // Learning by interpretation with `category` alone ticked, on its
    // variation `variation` (its first when -1), brought to the front.
    void learnCategory(int category, int variation);
    // The learner's record of finished tests, opened when first needed.
    TestHistory &history();
    // The Test History window, opened from the File menu.
    void openHistoryWindow();
    HistoryWindow *historyWindow() const;
    // A test by interpretation on the given variations, as from the
    // category panel.
    void startPractice(const QVector<qint16> &variations);

signals:
    // The window is closing, by whatever means; the program goes on to its
    // closing screen.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void buildPanels(QWidget *client);
    void buildMenuBar();
    void buildBrandStrip();
    void connectPanels();

    void Form_Load();
    void cmdNext_Click();
    void cmdNext2_Click();
    void cmdNext3_Click();
    void cmdNextQuestionTest_Click(const QString &answer);

    void startTestByInterpretation();
    void recordFinishedTest();
    void showPage(const PageRequest &request);
    void showQuestion(const std::optional<QuestionDraw::Question> &question);
    void showError(const QString &text);
    void openWebPage(const QString &pageKey);

    Platform &m_platform;
    Random &m_random;
    KnowledgeBase m_kb;
    SharedState m_state;
    LearningPages m_learning;
    TestRun m_testRun;
    WebLinks m_links;

    QStackedWidget *m_panels = nullptr;
    WelcomePanel *m_welcome = nullptr;
    ApproachPanel *m_approach = nullptr;
    LearnPanel *m_learn = nullptr;
    TestPanel *m_test = nullptr;
    ResultPanel *m_result = nullptr;
    CategoryPanel *m_category = nullptr;
    ClickableLabel *m_lblCobrand = nullptr;
    ClickableLabel *m_lblFullBrand = nullptr;
    QPointer<AnalysisWindow> m_analysis;
    std::unique_ptr<TestHistory> m_history;
    QPointer<HistoryWindow> m_historyWindow;
};
