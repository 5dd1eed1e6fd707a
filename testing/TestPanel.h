#pragma once

#include "mainwindow/SharedState.h"

#include <QObject>

#include <functional>

class KnowledgeBase;
class Platform;
class Random;
struct MainWindowControls;

// The multiple-choice test on the test panel and its result report on the
// result panel of the main window.
class TestPanel final : public QObject
{
    Q_OBJECT

public:
    using BringToFront = std::function<void(Panel)>;

    TestPanel(MainWindowControls &controls, KnowledgeBase &knowledge, SharedState &state,
              Platform &platform, Random &random, BringToFront bringToFront,
              QObject *parent = nullptr);
    ~TestPanel() override;

    // Builds the controls of the test and result panels into their frames.
    static void build(MainWindowControls &controls);

    void ShowSignificanceQuestion();
    void ShowInterpretationQuestion();
    void ShowTestResult();

private:
    MainWindowControls &m_ui;
    KnowledgeBase &m_kb;
    SharedState &m_state;
    Platform &m_platform;
    Random &m_random;
    BringToFront m_bringToFront;
};
