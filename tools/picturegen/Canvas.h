#pragma once

#include "Random.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

// What the writing lies on: a sheet of paper filling the picture, or a small
// page on a grey desk for the samples about the layout of a whole page.
enum class Ground { Paper, Page };

// One sample picture: an ink layer drawn at four times the final size in
// final pixel units, laid over a generated paper texture when rendered.
class Canvas
{
public:
    static constexpr int Width = 118;
    static constexpr int Height = 131;

    Canvas(quint64 seed, Ground ground);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // The writing surface in picture pixels.
    QRectF page() const { return page_; }
    Rng &rng() { return rng_; }

    // Font letters: the outline is filled and given a hair-line edge so that
    // they carry the same pen weight as the drawn strokes.
    void fill(const QPainterPath &outline, qreal opacity = 1);
    // A drawn stroke along a centre line.
    void stroke(const QPainterPath &centre, qreal width, qreal opacity = 1,
        Qt::PenCapStyle cap = Qt::RoundCap);
    // A soft blot of ink, as where the pen rested or a finger smudged it.
    void blot(QPointF centre, qreal radiusX, qreal radiusY, qreal opacity);

    // Paper, ink flow and the skipping ball, as the final picture.
    QImage render();

private:
    // Moves every point of a path a fraction of a pixel, as an unsteady hand.
    QPainterPath wobble(const QPainterPath &path) const;

    quint64 seed_;
    Ground ground_;
    QRectF page_;
    Rng rng_;
    Noise wobbleX_, wobbleY_;
    QImage ink_;
    QPainter painter_;
};
