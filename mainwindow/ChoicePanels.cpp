#include "mainwindow/ChoicePanels.h"

#include "knowledge/KnowledgeBase.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QRadioButton *option(
    QWidget *parent, const QString &name, const QString &caption, const QRect &where)
{
    return placed<QRadioButton>(parent, name, caption, where, verdana(9));
}

// The chosen option, or the first when none is.
QWidget *focusOf(const std::array<QRadioButton *, 2> &options)
{
    return options[1]->isChecked() ? options[1] : options[0];
}

Choice chosen(const std::array<QRadioButton *, 2> &options)
{
    if (options[0]->isChecked())
        return Choice::First;
    if (options[1]->isChecked())
        return Choice::Second;
    return Choice::None;
}

} // namespace

WelcomePanel::WelcomePanel(QWidget *parent) : PageFrame(QStringLiteral("WelcomePanel"), parent)
{
    auto *title = textLabel(this, QStringLiteral("lblCaption0"),
        QStringLiteral("Welcome to the world of learning the significance of graphology or hand "
                       "writing analysis."),
        QRect(24, 18, 552, 44), verdana(11, true));
    setTextColor(title, QColor(22, 36, 112));
    textLabel(this, QStringLiteral("lblCaption1"),
        QStringLiteral("This software aims to help you understand graphology better and learn the "
                       "meaning of your handwriting."),
        QRect(24, 72, 552, 40), verdana(9.75));
    textLabel(this, QStringLiteral("lblCaption2"),
        QStringLiteral("Select one option below and click on the button to continue."),
        QRect(24, 122, 552, 22), verdana(9.75));
    m_optOption[0] = option(this, QStringLiteral("optOption0"), QStringLiteral("Learn Graphology"),
        QRect(48, 158, 300, 24));
    m_optOption[1] = option(this, QStringLiteral("optOption1"), QStringLiteral("Test Graphology"),
        QRect(48, 188, 300, 24));
    auto *proceed = pushButton(this, QStringLiteral("cmdNext"),
        QStringLiteral("Click Here To Proceed"), QRect(210, 240, 180, 32));
    connect(proceed, &QPushButton::clicked, this, &WelcomePanel::proceedRequested);
    useRegularFaceForControls();
}

Choice WelcomePanel::choice() const
{
    return chosen(m_optOption);
}

QWidget *WelcomePanel::startingControl() const
{
    return focusOf(m_optOption);
}

ApproachPanel::ApproachPanel(QWidget *parent) : PageFrame(QStringLiteral("ApproachPanel"), parent)
{
    m_lblCaption3 = textLabel(
        this, QStringLiteral("lblCaption3"), QString(), QRect(24, 36, 552, 40), verdana(9.75));
    m_optOption[0] = option(this, QStringLiteral("optOption2"), QString(), QRect(48, 100, 300, 24));
    m_optOption[1] = option(this, QStringLiteral("optOption3"), QString(), QRect(48, 134, 300, 24));
    const ButtonRow row = backNextRow(this, QStringLiteral("cmdBack2"), QStringLiteral("Back"),
        QStringLiteral("cmdNext2"), QStringLiteral("Next"));
    connect(row.back, &QPushButton::clicked, this, &ApproachPanel::backRequested);
    connect(row.next, &QPushButton::clicked, this, &ApproachPanel::nextRequested);
    useRegularFaceForControls();
}

void ApproachPanel::setForLearning(bool learning)
{
    const QString verb = learning ? QStringLiteral("Learn") : QStringLiteral("Test");
    m_optOption[0]->setText(verb + QStringLiteral(" By Significance"));
    m_optOption[1]->setText(verb + QStringLiteral(" By Interpretation"));
    setTitle(verb + QStringLiteral(" Options"));
    m_lblCaption3->setText(learning
            ? QStringLiteral("Select the options which you would like to memorize.")
            : QStringLiteral("Select the option which you would like to take the test in."));
    for (QRadioButton *option : m_optOption)
        option->setAccessibleName(option->text());
    m_lblCaption3->setAccessibleName(m_lblCaption3->text());
}

Choice ApproachPanel::choice() const
{
    return chosen(m_optOption);
}

QWidget *ApproachPanel::startingControl() const
{
    return focusOf(m_optOption);
}

CategoryPanel::CategoryPanel(const KnowledgeBase &knowledge, QWidget *parent)
    : PageFrame(QStringLiteral("CategoryPanel"), parent)
{
    textLabel(this, QStringLiteral("lblCaption4"),
        QStringLiteral("Select the options which you would like to memorize."),
        QRect(24, 20, 552, 22), verdana(9.75));
    for (int c = 0; c < static_cast<int>(m_chkChoice.size()); ++c) {
        const int column = c < 9 ? 0 : 1;
        const int row = c < 9 ? c : c - 9;
        const QString caption = c == 16 ? QStringLiteral("Signature ") : knowledge.CategoryNames[c];
        auto *box = new QCheckBox(caption, this);
        box->setObjectName(QStringLiteral("chkChoice%1").arg(c));
        box->setFont(verdana(8.25));
        box->setGeometry(48 + 270 * column, 50 + 23 * row, 260, 22);
        m_chkChoice[static_cast<size_t>(c)] = box;
    }
    const ButtonRow row = backNextRow(this, QStringLiteral("cmdBack3"), QStringLiteral("&Back"),
        QStringLiteral("cmdNext3"), QStringLiteral("&Next"));
    connect(row.back, &QPushButton::clicked, this, &CategoryPanel::backRequested);
    connect(row.next, &QPushButton::clicked, this, &CategoryPanel::nextRequested);
    useRegularFaceForControls();
}

std::array<bool, SharedState::CategorySlots> CategoryPanel::ticked() const
{
    std::array<bool, SharedState::CategorySlots> flags {};
    for (size_t c = 0; c < m_chkChoice.size(); ++c)
        flags[c] = m_chkChoice[c]->checkState() == Qt::Checked;
    return flags;
}

QWidget *CategoryPanel::startingControl() const
{
    return m_chkChoice[0];
}

void CategoryPanel::clearTicks()
{
    for (QCheckBox *box : m_chkChoice)
        box->setChecked(false);
}
