#pragma once

#include <QPainterPath>
#include <QPointF>
#include <QVector>

class Pen;

// Building blocks of hand-built letters. Letters are drawn in word units:
// x-heights, baseline at y = 0, y growing downwards (the x-height line is at
// y = -1).

// A smooth curve through the given points (Catmull-Rom).
QPainterPath spline(const QVector<QPointF> &points);
// Straight segments with sharp corners.
QPainterPath polyline(const QVector<QPointF> &points);
// The same points, each moved up to `amount` in x and y, so that no two
// instances of a letter are alike.
QVector<QPointF> shaken(Pen &pen, QVector<QPointF> points, double amount = 0.04);
// The points moved by `offset`.
QVector<QPointF> moved(QVector<QPointF> points, QPointF offset);

// The humps of an n (one arch) or an m (two arches).
struct Humps
{
    int arches = 2;
    QVector<qreal> heights { 1, 1, 1 }; // the first stem and each arch, in x-heights
    qreal width = 0.5; // from stem to stem
    bool sharp = false; // pointed arches on straight legs
    bool round = false; // wide arches, each a half circle on upright legs
    bool entry = true; // the upstroke into the first stem
    bool exit = true; // the short stroke out of the last stem
};
// Draws an n or m at x; returns where its last stem meets the baseline.
QPointF drawHumps(Pen &pen, qreal x, const Humps &humps);
// The top of the first stem of humps drawn at x, where a beginning stroke ends.
QPointF humpsStart(qreal x, const Humps &humps);
// The advance of humps drawn with their exit stroke.
qreal humpsAdvance(const Humps &humps);

// A stroke that thins from `startWeight` to `endWeight` times the pen width.
void taper(Pen &pen, const QPainterPath &centre, qreal startWeight, qreal endWeight);
// A round dot of radius r (word units).
void dot(Pen &pen, QPointF at, qreal r, qreal opacity = 1);
