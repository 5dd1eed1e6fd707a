#include "learning/EnlargedSample.h"

#include "widgets/Widgets.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

EnlargedSample::EnlargedSample(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("EnlargedSample"));
    setWindowTitle(QStringLiteral("Enlarged sample"));
    setPalette(lightPalette());
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("lblEnlargedName"));
    m_caption->setFont(verdana(9.75, true));
    setTextColor(m_caption, QColor(128, 0, 0));
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picEnlarged"));
    m_picture->setFrameShape(QFrame::Box);
    m_picture->setAlignment(Qt::AlignCenter);
    setTextColor(m_picture, QColor(170, 170, 170));
    auto *close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdCloseEnlarged"));
    close->setFont(verdana(8.25));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_caption);
    layout->addWidget(m_picture);
    layout->addWidget(close, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    pressButtonsWithEnter(this);
}

void EnlargedSample::showSample(const QPixmap &picture, const QString &caption)
{
    m_caption->setText(caption);
    const QSize shown = picture.deviceIndependentSize().toSize() * Enlargement;
    m_picture->setFixedSize(shown + QSize(2, 2));
    // Drawn from the largest drawing, smoothly, at the screen's own density.
    const qreal density = devicePixelRatioF();
    QPixmap enlarged
        = picture.scaled(shown * density, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    enlarged.setDevicePixelRatio(density);
    m_picture->setPixmap(enlarged);
    m_picture->setAccessibleName(QStringLiteral("Enlarged sample of handwriting: %1").arg(caption));
    show();
    raise();
    activateWindow();
}
