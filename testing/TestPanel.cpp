#include "testing/TestPanel.h"

#include "widgets/WrappingOption.h"

#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// Where the options stand on the test panel: right of the picture, between
// the question's caption and the button row.
constexpr int OptionsLeft = 146;
constexpr int OptionsTop = 50;
constexpr int OptionsWidth = 440;
constexpr int OptionsBottom = 258;
constexpr int LargestOptionGap = 12;

} // namespace

TestPanel::TestPanel(QWidget *parent) : PageFrame(QStringLiteral("TestPanel"), parent)
{
    m_lblNameTest = textLabel(this, QStringLiteral("lblNameTest"), QString(),
        QRect(16, 22, 440, 24), verdana(9.75, true));
    m_lblNameTest->setWordWrap(false);
    setTextColor(m_lblNameTest, QColor(22, 36, 112));
    m_lblQNo = textLabel(
        this, QStringLiteral("lblQNo"), QString(), QRect(460, 22, 124, 24), verdana(8.25, true));
    m_lblQNo->setWordWrap(false);
    m_lblQNo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_picTest = new QLabel(this);
    m_picTest->setObjectName(QStringLiteral("picTest"));
    m_picTest->setGeometry(16, 52, 122, 135);
    m_picTest->setFrameShape(QFrame::Box);
    setTextColor(m_picTest, QColor(170, 170, 170));
    m_picTest->setAlignment(Qt::AlignCenter);
    m_picTest->setAccessibleName(QStringLiteral("Sample of handwriting"));
    for (size_t i = 0; i < m_optOptionTest.size(); ++i) {
        auto *option = new WrappingOption(this);
        option->setObjectName(QStringLiteral("optOptionTest%1").arg(i));
        option->setFont(verdana(8.25));
        option->setGeometry(OptionsLeft, OptionsTop + 42 * static_cast<int>(i), OptionsWidth, 40);
        m_optOptionTest[i] = option;
    }
    auto *next = pushButton(this, QStringLiteral("cmdNextQuestionTest"),
        QStringLiteral("&Next Question"), QRect(464, 264, 120, 30));
    next->setDefault(true);
    connect(next, &QPushButton::clicked, this, &TestPanel::cmdNextQuestionTest_Click);
    useRegularFaceForControls();
}

void TestPanel::showQuestion(const QuestionDraw::Question &question, int number, int count)
{
    m_shown = static_cast<int>(std::min<qsizetype>(question.options.size(), 5));
    for (int i = 0; i < static_cast<int>(m_optOptionTest.size()); ++i) {
        QRadioButton *option = m_optOptionTest[static_cast<size_t>(i)];
        const QString text = question.options.value(i);
        option->setText(text);
        option->setAccessibleName(text);
        option->setVisible(i < m_shown);
    }
    clearOptions();
    layoutOptions(m_shown);

    m_lblNameTest->setText(question.caption);
    m_lblNameTest->setAccessibleName(question.caption);
    // A picture the list does not hold leaves the frame empty.
    m_picTest->setPixmap(m_IMG.picture(question.picture, devicePixelRatioF()));
    const QString label = QStringLiteral("Question %1 of %2").arg(number).arg(count);
    m_lblQNo->setText(label);
    m_lblQNo->setAccessibleName(label);
}

QWidget *TestPanel::startingControl() const
{
    return m_optOptionTest[0];
}

void TestPanel::showAllOptions()
{
    for (QRadioButton *option : m_optOptionTest)
        option->show();
}

void TestPanel::layoutOptions(int visible)
{
    QList<int> heights;
    int total = 0;
    for (int i = 0; i < visible; ++i) {
        heights << m_optOptionTest[static_cast<size_t>(i)]->heightForWidth(OptionsWidth);
        total += heights.last();
    }
    // The room left over spreads between the options, up to a comfortable gap.
    const int room = OptionsBottom - OptionsTop - total;
    const int gap = visible > 1 ? std::clamp(room / (visible - 1), 0, LargestOptionGap) : 0;
    int top = OptionsTop;
    for (int i = 0; i < visible; ++i) {
        m_optOptionTest[static_cast<size_t>(i)]->setGeometry(
            OptionsLeft, top, OptionsWidth, heights.at(i));
        top += heights.at(i) + gap;
    }
}

void TestPanel::clearOptions()
{
    // Exclusive buttons cannot be unchecked while they are exclusive.
    for (QRadioButton *option : m_optOptionTest) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

void TestPanel::cmdNextQuestionTest_Click()
{
    // Only the options of the question on display can be the answer.
    for (int i = 0; i < m_shown; ++i) {
        QRadioButton *option = m_optOptionTest[static_cast<size_t>(i)];
        if (option->isChecked()) {
            const QString text = option->text();
            clearOptions();
            emit answered(text);
            return;
        }
    }
    emit unanswered();
}
