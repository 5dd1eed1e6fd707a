#include "mainwindow/Widgets.h"

#include <QFontDatabase>
#include <QMouseEvent>

QFont verdana(qreal pointSize, bool bold)
{
    // Asked once: letting every font fall back on its own costs a font
    // search per size and weight at start-up.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana"))
        ? QStringLiteral("Verdana")
        : QStringLiteral("DejaVu Sans");
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Text, color);
    palette.setColor(QPalette::ButtonText, color);
    widget->setPalette(palette);
}

QString plainCaption(const QString &caption)
{
    QString text;
    text.reserve(caption.size());
    for (int i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&'))
                text += QLatin1Char('&');
            else
                continue;
            ++i;
            continue;
        }
        text += caption[i];
    }
    return text;
}

ClickableLabel::ClickableLabel(QWidget *parent) : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::PlainText);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
