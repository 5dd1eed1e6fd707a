#include "analysiswindow/PageDrawing.h"

#include <QImageReader>
#include <QPainter>
#include <QPen>

namespace PageDrawing {

QImage readShown(const QString &file, const QSize &bounds)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    if (size.isValid() && (size.width() > bounds.width() || size.height() > bounds.height())) {
        QSize fitted = size.scaled(bounds, Qt::KeepAspectRatio);
        // The reader scales before it turns the picture.
        if (reader.transformation() & QImageIOHandler::TransformationRotate90)
            fitted.transpose();
        reader.setScaledSize(fitted);
    }
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage drawFindings(const QImage &shown, const PageAnalysis::Result &result, qreal linePixels)
{
    QImage drawn = shown.convertToFormat(QImage::Format_RGB32);
    if (drawn.isNull() || result.size.isEmpty())
        return drawn;
    const qreal scale = qreal(drawn.width()) / result.size.width();
    QPainter painter(&drawn);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(PageAnalysis::unturned(result) * QTransform::fromScale(scale, scale));
    const qreal px = linePixels / scale; // one pixel of a line on screen

    QPen margin(QColor(0, 150, 70), 2 * px, Qt::DashLine);
    painter.setPen(margin);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(result.writing);

    QPen box(QColor(230, 120, 0, 200), 1 * px);
    QPen baseline(QColor(210, 20, 40), 2 * px);
    for (const PageAnalysis::Line &line : result.lines) {
        painter.setPen(box);
        for (const PageAnalysis::Word &word : line.words)
            painter.drawRect(word.box);
        painter.setPen(baseline);
        painter.drawLine(line.baseline);
    }
    return drawn;
}

} // namespace PageDrawing
