#include "learning/LearnPanel.h"

#include "learning/EnlargedSample.h"
#include "learning/LearningPages.h"

#include <QLabel>
#include <QPushButton>

namespace {

// The sample on the panel, one and a half times the size of a scale-1 picture.
constexpr QSize SampleSize { 179, 199 };

} // namespace

LearnPanel::LearnPanel(QWidget *parent) : PageFrame(QStringLiteral("LearnPanel"), parent)
{
    m_picDesc = new ClickableLabel(this);
    m_picDesc->setObjectName(QStringLiteral("picDesc"));
    // The sample at one and a half times its size, so that the handwriting
    // can be read while learning; pressed, it opens larger still.
    m_picDesc->setGeometry(16, 28, SampleSize.width(), SampleSize.height());
    m_picDesc->setFrameShape(QFrame::Box);
    m_picDesc->setScaledContents(true);
    setTextColor(m_picDesc, QColor(170, 170, 170));
    m_picDesc->setAlignment(Qt::AlignCenter);
    m_picDesc->setAccessibleName(QStringLiteral("Sample of handwriting"));
    m_picDesc->setAccessibleDescription(QStringLiteral("Press to see the sample enlarged"));
    m_picDesc->setToolTip(QStringLiteral("Click to see the sample enlarged"));
    connect(m_picDesc, &ClickableLabel::clicked, this, &LearnPanel::enlargeSample);

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
    // A picture that cannot be loaded leaves an empty picture area. The
    // drawing is chosen for the pixels the enlarged sample covers on this
    // screen.
    m_picture = page.picture;
    m_variationName = page.variationName;
    const qreal enlargement = qreal(SampleSize.width()) / PictureList::Size.width();
    const QPixmap picture = m_IMG.picture(page.picture, enlargement * devicePixelRatioF());
    m_picDesc->setPixmap(picture);
    m_picDesc->setFocusPolicy(picture.isNull() ? Qt::NoFocus : Qt::TabFocus);
    m_picDesc->setCursor(picture.isNull() ? Qt::ArrowCursor : Qt::PointingHandCursor);
    if (m_enlarged != nullptr && m_enlarged->isVisible()) {
        if (picture.isNull())
            m_enlarged->hide();
        else
            enlargeSample();
    }
    m_lblDescName->setText(page.categoryName);
    m_lblOption->setText(page.variationName);
    m_lblDesc->setText(page.text);
    m_lblDescName->setAccessibleName(page.categoryName);
    m_lblOption->setAccessibleName(page.variationName);
    m_lblDesc->setAccessibleName(page.text);
}

void LearnPanel::enlargeSample()
{
    const QPixmap picture
        = m_IMG.picture(m_picture, EnlargedSample::Enlargement * devicePixelRatioF());
    if (picture.isNull())
        return;
    if (m_enlarged == nullptr)
        m_enlarged = new EnlargedSample(window());
    m_enlarged->showSample(picture, m_variationName);
}
