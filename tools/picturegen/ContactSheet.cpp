#include "ContactSheet.h"

#include "knowledge/KnowledgeBase.h"

#include <QFont>
#include <QPainter>

#include <algorithm>

bool writeContactSheet(
    const KnowledgeBase &knowledge, const QVector<QImage> &pictures, const QString &path)
{
    constexpr int Zoom = 2, Gap = 14, Heading = 30, Caption = 34;
    const int cellWidth = 118 * Zoom + Gap, cellHeight = 131 * Zoom + Caption;
    int columns = 0;
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c)
        columns = std::max(columns, knowledge.LastVariation[c] - knowledge.FirstVariation[c] + 1);

    QImage sheet(Gap + columns * cellWidth,
        Gap + KnowledgeBase::CategoryCount * (Heading + cellHeight), QImage::Format_RGB32);
    sheet.fill(QColor(222, 223, 219));
    QPainter painter(&sheet);
    QFont heading(QStringLiteral("DejaVu Sans"));
    heading.setPixelSize(17);
    heading.setBold(true);
    QFont caption(QStringLiteral("DejaVu Sans"));
    caption.setPixelSize(13);

    int y = Gap / 2;
    for (int c = 0; c < KnowledgeBase::CategoryCount; ++c) {
        painter.setFont(heading);
        painter.setPen(QColor(40, 40, 40));
        painter.drawText(QRect(Gap, y, sheet.width() - 2 * Gap, Heading),
            Qt::AlignLeft | Qt::AlignVCenter, knowledge.CategoryNames[c]);
        y += Heading;
        painter.setFont(caption);
        for (int v = knowledge.FirstVariation[c]; v <= knowledge.LastVariation[c]; ++v) {
            const int x = Gap + (v - knowledge.FirstVariation[c]) * cellWidth;
            const QImage &picture = pictures.value(v);
            // The pictures drawn for a screen of scale 2, pixel for pixel.
            painter.drawImage(QRect(x, y, 118 * Zoom, 131 * Zoom), picture);
            painter.drawText(QRect(x - Gap / 2, y + 131 * Zoom + 2, cellWidth, Caption - 4),
                Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, knowledge.VariationNames[v]);
        }
        y += cellHeight;
    }
    painter.end();
    return sheet.save(path, "PNG", 0); // the smallest file PNG allows
}
