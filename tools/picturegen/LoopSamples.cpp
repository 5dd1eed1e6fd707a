// Samples about loops: the lower loops of g and y, and the capital I.
#include "Forms.h"
#include "Samples.h"

#include <QtMath>

#include <cmath>

namespace {

enum class Lower {
    Triangular,
    Rounded,
    LongClosed,
    Blunt,
    LongStroke,
    Open,
    LeftArc,
    Cramped,
    Broad
};

// The part below the baseline, from the foot of the stem at s. Each one is
// drawn a little differently, as a hand never makes the same loop twice.
void drawDescender(Pen &pen, QPointF s, Lower kind)
{
    const qreal x = s.x();
    const qreal deep = 1 + pen.jitter(0.08), wide = 1 + pen.jitter(0.12);
    auto p = [&](qreal dx, qreal y) { return QPointF(x + dx * wide, y * deep); };
    const QPointF exit(x + 0.38, -0.26);
    switch (kind) {
    case Lower::Triangular: {
        // Straight down, a sharp turn to the left, and straight back up.
        const qreal corner = pen.rng().range(-0.05, 0.2);
        pen.line(polyline(
            shaken(pen, { s, p(0, 1.3), p(-0.72, 1.3 - corner), p(0.02, 0.02), exit }, 0.03)));
        break;
    }
    case Lower::Rounded:
        // A round loop of ordinary width whose stroke sweeps back up and
        // crosses the stem just below the baseline, closing the loop.
        pen.line(spline(shaken(pen,
            { s, p(0, 0.4), p(-0.02, 1.0), p(-0.16, 1.4), p(-0.42, 1.5), p(-0.66, 1.28),
                p(-0.62, 0.8), p(-0.36, 0.36), p(-0.04, 0.13), p(0.2, 0.02), exit },
            0.02)));
        break;
    case Lower::LongClosed:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.8), p(-0.04, 1.9), p(-0.18, 2.45), p(-0.4, 2.3), p(-0.38, 1.4),
                p(-0.14, 0.35), p(0, 0.02), exit },
            0.02)));
        break;
    case Lower::Blunt:
        // One heavy stroke of a descender's full length, cut off square,
        // with no loop and nothing coming back up. Its lower end leans a
        // little to the left, as a g's does, never to the right as a q's.
        pen.line(spline({ s, p(0.0, 0.6), p(-0.03, 1.1), p(-0.12, 1.42) }), 1.7, 1, Qt::FlatCap);
        break;
    case Lower::LongStroke:
        // Straight and long, its end turning a little to the left.
        pen.line(spline(shaken(
            pen, { s, p(-0.01, 1.2), p(-0.05, 2.05), p(-0.14, 2.34), p(-0.3, 2.44) }, 0.015)));
        break;
    case Lower::Open:
        // The loop swings round and its stroke climbs back towards the
        // baseline, but stops well short of the stem: the loop stays open.
        pen.line(spline(shaken(pen,
            { s, p(0, 0.4), p(-0.03, 1.0), p(-0.2, 1.42), p(-0.5, 1.48), p(-0.76, 1.2),
                p(-0.82, 0.76), p(-0.78, 0.34) },
            0.02)));
        break;
    case Lower::LeftArc:
        // Down and out far to the left, ending low, never turning back up.
        pen.line(spline(shaken(pen,
            { s, p(0, 0.45), p(-0.1, 0.98), p(-0.45, 1.32), p(-1.0, 1.44), p(-1.5, 1.44) }, 0.02)));
        break;
    case Lower::Cramped:
        // Short, with a small, narrow loop that still closes round a little
        // white where the stroke crosses the stem.
        pen.line(spline(shaken(pen,
            { s, p(0, 0.25), p(-0.02, 0.6), p(-0.16, 0.9), p(-0.4, 0.87), p(-0.5, 0.56),
                p(-0.32, 0.2), p(0.0, 0.07), p(0.18, 0.0), exit },
            0.01)));
        break;
    case Lower::Broad:
        // A balloon of a loop, far wider and fuller than a rounded one.
        pen.line(spline(shaken(pen,
            { s, p(0, 0.3), p(-0.1, 0.9), p(-0.42, 1.48), p(-0.95, 1.66), p(-1.42, 1.4),
                p(-1.5, 0.86), p(-1.1, 0.3), p(-0.5, 0.02), p(0, -0.02), exit },
            0.02)));
        break;
    }
}

// The head of a g: a round bowl closed at the top, the stem joined to its
// right side from the top down, with no spur above the bowl.
void drawGHead(Pen &pen, qreal stem)
{
    const qreal wide = 1 + pen.jitter(0.05);
    auto p = [&](qreal dx, qreal y) { return QPointF(stem + dx * wide, y); };
    pen.line(spline(shaken(pen,
        { p(0.0, -0.86), p(-0.22, -0.99), p(-0.54, -0.95), p(-0.76, -0.7), p(-0.78, -0.36),
            p(-0.62, -0.06), p(-0.32, 0.0), p(-0.08, -0.16), p(0.0, -0.5), p(0.02, -0.92) },
        0.015)));
    pen.line(spline(shaken(pen, { p(0.03, -1.0), p(0.02, -0.55), QPointF(stem, -0.12) }, 0.01)));
}

qreal drawLower(Pen &pen, QChar letter, qreal x, Lower kind)
{
    // The font's letter down to the baseline, with the loop drawn below it;
    // a g gets a head drawn by hand, so that it never reads as a q.
    const QPointF foot = Pen::stem(letter, -0.12) + QPointF(x, 0);
    qreal advance = 0;
    if (letter == QLatin1Char('g')) {
        drawGHead(pen, foot.x());
        advance = Pen::advance(letter);
    } else {
        advance = pen.letter(letter, x, QRectF(-1, -3, 4, 3.04));
    }
    drawDescender(pen, foot, kind);
    return advance;
}

enum class CapitalI {
    Single,
    LongBottom,
    LongTop,
    Equal,
    TiltLeft,
    TiltRight,
    Vertical,
    Inflated,
    Deflated
};

qreal drawCapital(Pen &pen, qreal x, CapitalI kind)
{
    const qreal s = x + 0.45, top = -2.5;
    auto bars = [&](qreal upper, qreal lower) {
        pen.line(polyline({ { s + 0.02, top }, { s, 0 } }));
        pen.line(
            polyline(shaken(pen, { { s - upper, top + 0.03 }, { s + upper, top - 0.03 } }, 0.02)));
        pen.line(polyline(shaken(pen, { { s - lower, 0.02 }, { s + lower, -0.03 } }, 0.02)));
    };
    switch (kind) {
    case CapitalI::Single:
        // One upright stroke, a capital's height above the small letters'
        // ascenders, and a little heavier than they are.
        pen.line(polyline({ { s + 0.02, -2.95 }, { s, 0 } }), 1.3);
        return 0.9;
    case CapitalI::LongBottom:
        // The shorter bar well under half as long as the other, never missing.
        bars(0.3, 0.74);
        return 1.3;
    case CapitalI::LongTop:
        bars(0.74, 0.3);
        return 1.3;
    case CapitalI::Equal:
        bars(0.45, 0.45);
        return 1.0;
    default:
        break;
    }
    // The script capital: the stroke rises into a loop at the top left of
    // the stem, comes down the stem and ends in a hook at the foot. The
    // vertical one stands upright with the ordinary loop of the tilted ones;
    // an inflated loop swells out to the left and holds a wide white; a
    // deflated one has collapsed against the stem.
    qreal loop = 1.25 * (1 + pen.jitter(0.06)), tilt = 0, height = 1;
    if (kind == CapitalI::Inflated) {
        // Swollen out sideways more than upwards, so that it stays a loop on
        // top of a long stem.
        loop = 2.5 * (1 + pen.jitter(0.05));
        height = 0.92;
    }
    if (kind == CapitalI::Deflated) {
        // Collapsed: a small, slim loop pressed close along the stem, far
        // narrower and shorter than an ordinary one, with next to no white
        // inside.
        loop = 0.45;
        height = 1.0;
    }
    if (kind == CapitalI::Vertical) {
        // Upright, with the ordinary loop of the tilted ones.
        loop = 1.3 * (1 + pen.jitter(0.05));
    }
    if (kind == CapitalI::TiltLeft)
        tilt = -30;
    if (kind == CapitalI::TiltRight)
        tilt = 32;
    // The loop grows from the stem leftwards and about its middle upwards.
    const QPointF centre(s + 0.06, -2.05);
    const qreal lean = std::tan(qDegreesToRadians(tilt));
    auto shape = [&](QPointF p, bool inLoop) {
        if (inLoop)
            p = centre
                + QPointF((p.x() - centre.x()) * loop,
                    (p.y() - centre.y()) * (0.75 + 0.2 * loop) * height);
        return QPointF(p.x() - lean * p.y(), p.y());
    };
    QVector<QPointF> points;
    const QVector<QPointF> loopPart { { s + 0.16, -1.7 }, { s - 0.08, -1.76 }, { s - 0.3, -1.94 },
        { s - 0.36, -2.24 }, { s - 0.2, -2.48 }, { s + 0.05, -2.52 }, { s + 0.13, -2.3 },
        { s + 0.08, -1.8 } };
    for (const QPointF &p : loopPart)
        points << shape(p, true);
    for (const QPointF &p : QVector<QPointF> {
             { s + 0.03, -1.0 }, { s - 0.06, -0.2 }, { s - 0.3, 0.02 }, { s - 0.5, -0.15 } })
        points << shape(p, false);
    pen.line(spline(shaken(pen, points, 0.02)));
    // The loop grows to the left, so every loop takes the same room.
    return 1.07 + std::max(0.0, lean * 2.5);
}

} // namespace

QImage drawLowerLoops(int rank, const Sample &sample)
{
    const auto kind = Lower(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar c, qreal x) { return drawLower(pen, c, x, kind); };
    Hand hand = letterHand();
    hand.xHeight = 7.6;
    return wordsSample(sample, hand, form, { "m[y] [y]o[g]a", "[g]oin[g] b[y]", "[g]ra[y] da[y]" },
        { 2, 8, 0 }, 24, 37);
}

QImage drawCapitalI(int rank, const Sample &sample)
{
    const auto kind = CapitalI(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawCapital(pen, x, kind); };
    Hand hand = letterHand();
    hand.xHeight = 8.5;
    hand.slant = 0;
    hand.slantJitter = 1;
    return wordsSample(
        sample, hand, form, { "[I] think", "so [I] can", "[I] did" }, { 0, 8, 2 }, 33, 38);
}
