#pragma once

#include "core/SharedState.h"
#include "widgets/Widgets.h"

#include <array>

class KnowledgeBase;
class QCheckBox;
class QLabel;
class QRadioButton;

// The panels on which the user chooses what to do: learn or test, by which
// approach, and on which categories.

// Which of a panel's two options is chosen, if any.
enum class Choice { None, First, Second };

// "Learn Graphology" or "Test Graphology".
class WelcomePanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit WelcomePanel(QWidget *parent = nullptr);
    Choice choice() const;
    QWidget *startingControl() const override;

signals:
    // "Click Here To Proceed".
    void proceedRequested();

private:
    std::array<QRadioButton *, 2> m_optOption {};
};

// By significance or by interpretation, for learning or for testing.
class ApproachPanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit ApproachPanel(QWidget *parent = nullptr);
    // Captions the panel and its options for learning or for testing.
    void setForLearning(bool learning);
    Choice choice() const;
    QWidget *startingControl() const override;

signals:
    void backRequested();
    void nextRequested();

private:
    QLabel *m_lblCaption3 = nullptr;
    std::array<QRadioButton *, 2> m_optOption {};
};

// The categories to learn or to be tested on.
class CategoryPanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit CategoryPanel(const KnowledgeBase &knowledge, QWidget *parent = nullptr);

    // One flag per category, the spare last slot false.
    std::array<bool, SharedState::CategorySlots> ticked() const;
    void clearTicks();
    QWidget *startingControl() const override;

signals:
    void backRequested();
    void nextRequested();

private:
    std::array<QCheckBox *, SharedState::CategorySlots - 1> m_chkChoice {};
};
