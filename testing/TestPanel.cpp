#include "testing/TestPanel.h"

#include "mainwindow/MainWindowControls.h"
#include "mainwindow/Widgets.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>

TestPanel::TestPanel(MainWindowControls &controls, KnowledgeBase &knowledge, SharedState &state,
                     Platform &platform, Random &random, BringToFront bringToFront,
                     QObject *parent)
    : QObject(parent),
      m_ui(controls),
      m_kb(knowledge),
      m_state(state),
      m_platform(platform),
      m_random(random),
      m_bringToFront(std::move(bringToFront))
{
}

TestPanel::~TestPanel() = default;

void TestPanel::build(MainWindowControls &ui)
{
    QGroupBox *test = ui.fraOption[static_cast<int>(Panel::TestPanel)];
    ui.lblNameTest = new QLabel(test);
    ui.lblNameTest->setObjectName(QStringLiteral("lblNameTest"));
    ui.lblNameTest->setGeometry(16, 24, 440, 22);
    ui.lblQNo = new QLabel(test);
    ui.lblQNo->setObjectName(QStringLiteral("lblQNo"));
    ui.lblQNo->setGeometry(460, 24, 124, 22);
    ui.picTest = new QLabel(test);
    ui.picTest->setObjectName(QStringLiteral("picTest"));
    ui.picTest->setGeometry(16, 52, 118, 131);
    for (int i = 0; i < 5; ++i) {
        ui.optOptionTest[i] = new QRadioButton(test);
        ui.optOptionTest[i]->setObjectName(QStringLiteral("optOptionTest%1").arg(i));
        ui.optOptionTest[i]->setGeometry(150, 52 + 42 * i, 434, 40);
    }
    ui.cmdNextQuestionTest = new QPushButton(QStringLiteral("&Next Question"), test);
    ui.cmdNextQuestionTest->setObjectName(QStringLiteral("cmdNextQuestionTest"));
    ui.cmdNextQuestionTest->setGeometry(454, 266, 130, 28);

    QGroupBox *result = ui.fraOption[static_cast<int>(Panel::ResultPanel)];
    ui.RTB = new QTextEdit(result);
    ui.RTB->setObjectName(QStringLiteral("RTB"));
    ui.RTB->setGeometry(16, 24, 568, 236);
    ui.RTB->setReadOnly(true);
    ui.RTB1 = new QTextEdit(result);
    ui.RTB1->setObjectName(QStringLiteral("RTB1"));
    ui.RTB1->hide();
    ui.cmdPrint = new QPushButton(QStringLiteral("&Print Test Results"), result);
    ui.cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    ui.cmdPrint->setGeometry(16, 266, 160, 28);
    ui.cmdBackToMain = new QPushButton(QStringLiteral("&Back To Main"), result);
    ui.cmdBackToMain->setObjectName(QStringLiteral("cmdBackToMain"));
    ui.cmdBackToMain->setGeometry(454, 266, 130, 28);
}

void TestPanel::ShowSignificanceQuestion() {}

void TestPanel::ShowInterpretationQuestion() {}

void TestPanel::ShowTestResult() {}
