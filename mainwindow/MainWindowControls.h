#pragma once

#include <array>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTextEdit;
class ClickableLabel;

// Every control of the main window, by the name it carries (also its
// objectName). The window builds them; the learning pages and the test fill
// the panels they own.
struct MainWindowControls
{
    // The six panels share one rectangle; the stack shows the one in front.
    QStackedWidget *panels = nullptr;
    std::array<QGroupBox *, 6> fraOption {};

    // Welcome, approach and category panels.
    std::array<QLabel *, 5> lblCaption {};
    std::array<QRadioButton *, 4> optOption {};
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdBack2 = nullptr;
    QPushButton *cmdNext2 = nullptr;
    std::array<QCheckBox *, 17> chkChoice {};
    QPushButton *cmdBack3 = nullptr;
    QPushButton *cmdNext3 = nullptr;

    // Learn panel.
    QLabel *picDesc = nullptr;
    QLabel *lblDescName = nullptr;
    QLabel *lblOption = nullptr;
    QLabel *lblDesc = nullptr;
    QPushButton *cmdMain = nullptr;
    QPushButton *cmdLearnBack = nullptr;
    QPushButton *cmdLearnNext = nullptr;

    // Test panel.
    QLabel *lblQNo = nullptr;
    QLabel *lblNameTest = nullptr;
    QLabel *picTest = nullptr;
    std::array<QRadioButton *, 5> optOptionTest {};
    QPushButton *cmdNextQuestionTest = nullptr;

    // Result panel.
    QTextEdit *RTB = nullptr;
    QTextEdit *RTB1 = nullptr;
    QPushButton *cmdPrint = nullptr;
    QPushButton *cmdBackToMain = nullptr;

    // Around the panels.
    ClickableLabel *Label14 = nullptr;
    QFrame *Frame5 = nullptr;
    ClickableLabel *lblCobrand = nullptr;
    ClickableLabel *lblFullBrand = nullptr;

    // Menu bar.
    QMenu *mnuFile = nullptr;
    QAction *mnuExit = nullptr;
    QMenu *mnuHelp = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuSep1 = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuSep2 = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuDonate = nullptr;
    QAction *mnuMakeMoney = nullptr;
};
