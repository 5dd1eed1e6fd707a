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

QPointF drawHumps(Pen &pen, qreal x, const Humps &humps)
{
    const QPointF start = humpsStart(x, humps);
    const qreal h0 = -start.y();
    QVector<QPointF> points;
    if (humps.entry) {
        if (humps.sharp)
            points << QPointF(x, -0.05) << QPointF(x + 0.12, -0.55 * h0);
        else
            points << QPointF(x, -0.05) << QPointF(x + 0.06, -0.55 * h0)
                   << QPointF(x + 0.13, -0.9 * h0);
    }
    points << start;
    pen.line(humps.sharp ? polyline(shaken(pen, points, 0.02)) : spline(shaken(pen, points, 0.02)));

    // Each arch starts from the foot of a stem, runs up it and over to the next.
    qreal stem = start.x() + 0.04;
    pen.line(spline(shaken(pen, { start, QPointF(stem, 0) }, 0.015)));
    for (int a = 0; a < humps.arches; ++a) {
        const qreal h = humps.heights.value(a + 1, 1), w = humps.width, next = stem + w;
        QVector<QPointF> arch;
        if (humps.sharp) {
            arch << QPointF(stem, 0) << QPointF(stem + 0.03, -0.45 * h)
                 << QPointF(stem + 0.5 * w, -h) << QPointF(next, -0.35 * h)
                 << QPointF(next + 0.01, 0);
            pen.line(polyline(shaken(pen, arch, 0.02)));
        } else {
            arch << QPointF(stem, 0) << QPointF(stem + 0.01, -0.55 * h)
                 << QPointF(stem + 0.12, -0.92 * h) << QPointF(stem + 0.5 * w, -h)
                 << QPointF(next - 0.06, -0.88 * h) << QPointF(next, -0.5 * h)
                 << QPointF(next + 0.01, 0);
            pen.line(spline(shaken(pen, arch, 0.02)));
        }
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
