#pragma once

#include "learning/PictureList.h"
#include "testing/QuestionDraw.h"
#include "widgets/Widgets.h"

#include <array>

class QLabel;
class QRadioButton;

// The test panel: one question with its sample picture and its option
// texts, and the button that gives the chosen answer.
class TestPanel final : public PageFrame
{
    Q_OBJECT

public:
    explicit TestPanel(QWidget *parent = nullptr);

    // Shows question `number` of `count` with none of its options chosen.
    void showQuestion(const QuestionDraw::Question &question, int number, int count);
    // Every option place visible again, as after a finished test.
    void showAllOptions();
    QWidget *startingControl() const override;

signals:
    // "&Next Question" with an option chosen, and without.
    void answered(const QString &text);
    void unanswered();

private:
    void cmdNextQuestionTest_Click();
    void layoutOptions(int visible);
    void clearOptions();

    PictureList m_IMG;
    QLabel *m_lblQNo = nullptr;
    QLabel *m_lblNameTest = nullptr;
    QLabel *m_picTest = nullptr;
    std::array<QRadioButton *, QuestionDraw::SignificanceOptionCount> m_optOptionTest {};
    int m_shown = 0;
};
