#include "Forms.h"

#include "Writer.h"

#include <QtMath>

#include <cmath>

QPainterPath spline(const QVector<QPointF> &points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    const int n = int(points.size());
    for (int i = 0; i + 1 < n; ++i) {
        const QPointF p0 = points[std::max(0, i - 1)], p1 = points[i], p2 = points[i + 1];
        const QPointF p3 = points[std::min(n - 1, i + 2)];
        path.cubicTo(p1 + (p2 - p0) / 6, p2 - (p3 - p1) / 6, p2);
    }
    return path;
}

QPainterPath polyline(const QVector<QPointF> &points)
{
    QPainterPath path;
    if (points.isEmpty())
        return path;
    path.moveTo(points.first());
    for (int i = 1; i < points.size(); ++i)
        path.lineTo(points[i]);
    return path;
}

QVector<QPointF> shaken(Pen &pen, QVector<QPointF> points, double amount)
{
    for (QPointF &p : points)
        p += QPointF(pen.jitter(amount), pen.jitter(amount));
    return points;
}

QVector<QPointF> moved(QVector<QPointF> points, QPointF offset)
{
    for (QPointF &p : points)
        p += offset;
    return points;
}

QPointF humpsStart(qreal x, const Humps &humps)
{
    return QPointF(x + 0.22, -humps.heights.value(0, 1));
}

qreal humpsAdvance(const Humps &humps)
{
    return 0.3 + humps.arches * humps.width + (humps.exit ? 0.3 : 0.05);
}

namespace {

// One arch from partway up the stem at `stem` over to the foot of the next.
QVector<QPointF> arch(qreal stem, qreal next, qreal h, const Humps &humps)
{
    const qreal w = next - stem;
    if (humps.sharp)
        return { { stem, -0.3 * h }, { stem + 0.5 * w, -h }, { next, 0 } };
    if (humps.round) {
        // Straight up the stem into a half circle over to the next stem.
        const qreal r = 0.5 * w, shoulder = -std::max(0.35 * h, h - r);
        QVector<QPointF> points { { stem, -0.35 * h }, { stem, shoulder } };
        for (int degrees = 150; degrees >= 30; degrees -= 30) {
            const qreal a = qDegreesToRadians(qreal(degrees));
            points << QPointF(stem + r + r * std::cos(a), shoulder - r * std::sin(a));
        }
        return points << QPointF(next, shoulder) << QPointF(next, -0.3 * h)
                      << QPointF(next + 0.01, 0);
    }
    return { { stem, -0.35 * h }, { stem + 0.03, -0.75 * h }, { stem + 0.13, -0.96 * h },
        { stem + 0.5 * w, -h }, { next - 0.06, -0.88 * h }, { next, -0.5 * h },
        { next + 0.01, 0 } };
}

} // namespace

QPointF drawHumps(Pen &pen, qreal x, const Humps &humps)
{
    const QPointF start = humpsStart(x, humps);
    const qreal h0 = -start.y();
    // Up into the first stem and down it.
    // Even with pointed humps the first stroke turns round its top, so that
    // the letter never takes on the three peaks of a capital M.
    QVector<QPointF> first;
    if (humps.entry)
        first << QPointF(x, -0.05) << QPointF(x + 0.1, -0.5 * h0) << QPointF(x + 0.18, -0.9 * h0);
    first << start << QPointF(start.x() + 0.03, -0.5 * h0) << QPointF(start.x() + 0.04, 0);
    pen.line(spline(shaken(pen, first, 0.015)));

    qreal stem = start.x() + 0.04;
    for (int a = 0; a < humps.arches; ++a) {
        const qreal h = humps.heights.value(a + 1, 1) * (1 + pen.jitter(0.03));
        const qreal next = stem + humps.width * (1 + pen.jitter(0.05));
        const QVector<QPointF> points = shaken(pen, arch(stem, next, h, humps), 0.015);
        pen.line(humps.sharp ? polyline(points) : spline(points));
        stem = next;
    }
    const QPointF foot(stem + 0.01, 0);
    if (humps.exit)
        pen.line(spline(shaken(
            pen, { foot, QPointF(foot.x() + 0.1, 0.04), QPointF(foot.x() + 0.3, -0.25) }, 0.02)));
    return foot;
}

void taper(Pen &pen, const QPainterPath &centre, qreal startWeight, qreal endWeight)
{
    // Built as a filled outline in word units, with the pen width measured
    // in the same units.
    const qreal width = pen.strokeWidth();
    constexpr int Steps = 28;
    QVector<QPointF> left, right;
    for (int i = 0; i <= Steps; ++i) {
        const qreal t = qreal(i) / Steps;
        const QPointF p = centre.pointAtPercent(t);
        const qreal angle = qDegreesToRadians(centre.angleAtPercent(t));
        const QPointF normal(-std::sin(angle), -std::cos(angle));
        const qreal half = 0.5 * width * (startWeight + (endWeight - startWeight) * t);
        left << p + normal * half;
        right << p - normal * half;
    }
    QPainterPath shape;
    shape.moveTo(left.first());
    for (int i = 1; i < left.size(); ++i)
        shape.lineTo(left[i]);
    for (int i = int(right.size()) - 1; i >= 0; --i)
        shape.lineTo(right[i]);
    shape.closeSubpath();
    pen.fill(shape);
}

void dot(Pen &pen, QPointF at, qreal r, qreal opacity)
{
    QPainterPath shape;
    shape.addEllipse(at, r * (1 + pen.jitter(0.1)), r * (1 + pen.jitter(0.1)));
    pen.fill(shape, opacity);
}
