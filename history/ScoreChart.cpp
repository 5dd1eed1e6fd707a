#include "history/ScoreChart.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

ScoreChart::ScoreChart(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::TabFocus);
    setAccessibleName(QStringLiteral("Score over time"));
    setScores({});
}

QSize ScoreChart::sizeHint() const
{
    return { 260, 150 };
}

void ScoreChart::setScores(const QVector<int> &percentages)
{
    m_scores = percentages.mid(std::max(0, static_cast<int>(percentages.size()) - MostShown));
    if (m_scores.isEmpty()) {
        setAccessibleDescription(QStringLiteral("No test recorded yet."));
    } else {
        QStringList figures;
        for (int p : m_scores)
            figures << QStringLiteral("%1%").arg(p);
        setAccessibleDescription(
            QStringLiteral("Scores of the last %1 tests, oldest first: %2. Latest: %3%.")
                .arg(m_scores.size())
                .arg(figures.join(QStringLiteral(", ")))
                .arg(m_scores.last()));
    }
    setToolTip(accessibleDescription());
    update();
}

void ScoreChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), palette().base());
    const QFontMetrics metrics = fontMetrics();
    const int left = metrics.horizontalAdvance(QStringLiteral("100%")) + 6;
    const QRectF plot = QRectF(rect()).adjusted(left, 8, -8, -8);
    painter.setPen(QPen(palette().mid().color(), 1));
    for (int p : { 0, 50, 100 }) {
        const qreal y = plot.bottom() - plot.height() * p / 100.0;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(palette().text().color());
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, left - 4, metrics.height()),
            Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("%1%").arg(p));
        painter.setPen(QPen(palette().mid().color(), 1));
    }
    if (m_scores.isEmpty()) {
        painter.setPen(palette().text().color());
        painter.drawText(plot, Qt::AlignCenter, QStringLiteral("No tests yet"));
        return;
    }
    const int n = static_cast<int>(m_scores.size());
    auto point = [&](int i) {
        const qreal x = n == 1 ? plot.center().x() : plot.left() + plot.width() * i / (n - 1);
        return QPointF(x, plot.bottom() - plot.height() * m_scores.at(i) / 100.0);
    };
    QPainterPath line(point(0));
    for (int i = 1; i < n; ++i)
        line.lineTo(point(i));
    painter.setPen(QPen(QColor(0, 0, 160), 2));
    painter.drawPath(line);
    painter.setBrush(QColor(0, 0, 160));
    for (int i = 0; i < n; ++i)
        painter.drawEllipse(point(i), 3, 3);
    if (hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(palette().highlight().color(), 1, Qt::DotLine));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
