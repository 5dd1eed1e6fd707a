#include "learning/LearnPanel.h"

#include "learning/LearningPages.h"

#include <QLabel>
#include <QPushButton>

LearnPanel::LearnPanel(QWidget *parent) : PageFrame(QStringLiteral("LearnPanel"), parent)
{
    m_picDesc = new QLabel(this);
    m_picDesc->setObjectName(QStringLiteral("picDesc"));
    // The sample at one and a half times its size, so that the handwriting
    // can be read while learning.
    m_picDesc->setGeometry(16, 28, 179, 199);
    m_picDesc->setFrameShape(QFrame::Box);
    m_picDesc->setScaledContents(true);
    setTextColor(m_picDesc, QColor(170, 170, 170));
    m_picDesc->setAlignment(Qt::AlignCenter);
    m_picDesc->setAccessibleName(QStringLiteral("Sample of handwriting"));

    m_lblDescName = textLabel(this, QStringLiteral("lblDescName"), QStringLiteral("Subject Name"),
        QRect(210, 26, 374, 24), verdana(11, true));
    setTextColor(m_lblDescName, QColor(22, 36, 112));
    m_lblOption = textLabel(this, QStringLiteral("lblOption"), QStringLiteral("Subject Option"),
        QRect(210, 54, 374, 22), verdana(9.75, true));
    setTextColor(m_lblOption, QColor(128, 0, 0));
    m_lblDesc = textLabel(this, QStringLiteral("lblDesc"),
        QStringLiteral("The meaning of the handwriting shown at the left."),
        QRect(210, 84, 374, 172), verdana(9.75));
    m_lblDesc->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *cmdMain = pushButton(
        this, QStringLiteral("cmdMain"), QStringLiteral("Back To &Main"), QRect(16, 262, 120, 30));
    const ButtonRow row = backNextRow(this, QStringLiteral("cmdLearnBack"), QStringLiteral("&Back"),
        QStringLiteral("cmdLearnNext"), QStringLiteral("Ne&xt"));
    connect(cmdMain, &QPushButton::clicked, this, &LearnPanel::mainRequested);
    connect(row.back, &QPushButton::clicked, this, &LearnPanel::backRequested);
    connect(row.next, &QPushButton::clicked, this, &LearnPanel::nextRequested);
    m_next = row.next;
    useRegularFaceForControls();
}

QWidget *LearnPanel::startingControl() const
{
    return m_next;
}

void LearnPanel::showPage(const LearningPage &page)
{
    // A picture that cannot be loaded leaves an empty picture area.
    m_picDesc->setPixmap(m_IMG.picture(page.picture));
    m_lblDescName->setText(page.categoryName);
    m_lblOption->setText(page.variationName);
    m_lblDesc->setText(page.text);
    m_lblDescName->setAccessibleName(page.categoryName);
    m_lblOption->setAccessibleName(page.variationName);
    m_lblDesc->setAccessibleName(page.text);
}
