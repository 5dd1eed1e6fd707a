#pragma once

#include "Random.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

// What the writing lies on: a sheet of paper filling the picture, or a small
// page on a grey desk for the samples about the layout of a whole page.
enum class Ground { Paper, Page };

// What one picture is drawn from: the paper of this picture, the writer of
// its category, and the scale of the screen it is drawn for. Every scale
// draws the same picture, only with more pixels.
struct Sample
{
    quint64 paperSeed = 0;
    quint64 handSeed = 0;
    int scale = 1;
};

// One sample picture: an ink layer drawn in picture pixels (118 x 131 of
// them, whatever the scale) at a finer resolution, laid over a generated
// paper texture when rendered.
class Canvas
{
public:
    static constexpr int Width = 118;
    static constexpr int Height = 131;

    Canvas(const Sample &sample, Ground ground);
    ~Canvas();
    Canvas(const Canvas &) = delete;
    Canvas &operator=(const Canvas &) = delete;

    // The writing surface in picture pixels.
    QRectF page() const { return page_; }
    // The writer's own random choices, the same for every picture of a category.
    Rng &rng() { return rng_; }

    // A filled shape: font letters and the outlines of drawn strokes. Font
    // letters get a hair-line edge so that they carry the pen's weight.
    void fill(const QPainterPath &outline, qreal opacity = 1, qreal edge = 0.25);
    // A soft blot of ink, as where the pen rested or a finger smudged it.
    void blot(QPointF centre, qreal radiusX, qreal radiusY, qreal opacity);
    // Moves a point a fraction of a pixel, as an unsteady hand.
    QPointF wobble(QPointF p) const;

    // Paper, ink flow and the skipping ball, as the final picture.
    QImage render();

private:
    QImage paper(const QImage &ink) const;

    quint64 seed_;
    Ground ground_;
    int scale_;
    int resolution_; // ink pixels per picture pixel
    QRectF page_;
    Rng rng_;
    Noise wobbleX_, wobbleY_;
    QImage ink_;
    QPainter painter_;
};
