#pragma once

#include "knowledge/KnowledgeBase.h"
#include "learning/LearningPages.h"
#include "mainwindow/MainWindowControls.h"
#include "mainwindow/PictureList.h"
#include "mainwindow/SharedState.h"
#include "shell/WebLinks.h"

#include <QMainWindow>

#include <memory>

class Platform;
class Random;
class TestPanel;

// The program's working window: six panels in one place, one in front, with
// the menu bar above and the promotional strip below.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    MainWindow(Platform &platform, Random &random, QWidget *parent = nullptr);
    ~MainWindow() override;

    // The program-wide tables and the state the panels share.
    KnowledgeBase &knowledge() { return m_kb; }
    SharedState &state() { return m_state; }
    const MainWindowControls &controls() const { return m_ui; }
    TestPanel &testPanel() { return *m_test; }

    void bringToFront(Panel panel);
    Panel panelInFront() const;

    // Which of the two promotional labels of the bottom strip is seen.
    void bringBrandLabelToFront(bool coBrand);
    bool isCoBrandInFront() const;

    // The learning pages: show page CurrentRecord on the learn panel.
    void ShowSignificancePage();
    void ShowInterpretationPage();

signals:
    // The window is closing, by whatever means; the program goes on to its
    // closing screen.
    void closing();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildWindow();
    void buildMenuBar();
    void buildWelcomePanel();
    void buildApproachPanel();
    void buildLearnPanel();
    void buildCategoryPanel();
    void buildBrandStrip();
    void connectHandlers();
    void nameForScreenReaders();

    void Form_Load();
    void cmdNext_Click();
    void cmdNext2_Click();
    void cmdNext3_Click();
    void cmdBack2_Click();
    void cmdBack3_Click();
    void cmdMain_Click();
    void cmdBackToMain_Click();
    void cmdLearnNext_Click();
    void cmdLearnBack_Click();

    void showPage(const PageRequest &request);
    void showError(const QString &text);

    Platform &m_platform;
    Random &m_random;
    KnowledgeBase m_kb;
    SharedState m_state;
    PictureList m_IMG;
    LearningPages m_learning;
    WebLinks m_links;
    MainWindowControls m_ui;
    std::unique_ptr<TestPanel> m_test;
};
