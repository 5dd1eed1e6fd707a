// Samples about the small letters t, i, e, m, o and d, each drawn by hand
// inside words of the font.
#include "Forms.h"
#include "Samples.h"

#include <QtMath>

#include <algorithm>
#include <cmath>

namespace {

// A t: the stem rises to `height`, the bar crosses it at `bar`.
enum class TStem { Retraced, Looped, Normal, Long, Short };

qreal drawT(Pen &pen, qreal x, TStem kind)
{
    const qreal s = x + 0.34;
    qreal height = 2.0 * (1 + pen.jitter(0.04)), bar = 1.4;
    if (kind == TStem::Long)
        height = 3.3 * (1 + pen.jitter(0.03)), bar = 1.5;
    if (kind == TStem::Short)
        height = 1.2 * (1 + pen.jitter(0.03)), bar = 0.95;
    const qreal top = -height;
    const QVector<QPointF> foot { { s, -0.25 }, { s + 0.06, -0.02 }, { s + 0.22, 0.03 },
        { s + 0.48, -0.24 } };
    switch (kind) {
    case TStem::Looped:
        pen.line(spline(shaken(pen,
            QVector<QPointF> { { x - 0.04, -0.1 }, { s + 0.12, -0.45 }, { s + 0.33, -1.1 },
                { s + 0.3, top + 0.35 }, { s + 0.1, top }, { s - 0.14, top + 0.35 },
                { s - 0.12, -1.0 }, { s - 0.03, -0.55 } }
                + foot,
            0.025)));
        break;
    case TStem::Retraced: {
        // Joined from the letter before, up the stem to its top and down
        // again almost over the same track: a doubled stem, its two strokes
        // merged near the top and standing a narrow white slit apart over
        // the lower part, where the upstroke comes in from the left.
        pen.line(spline(shaken(pen,
                     { { x - 0.04, -0.1 }, { s - 0.3, -0.2 }, { s - 0.25, -0.5 },
                         { s - 0.18, -1.0 }, { s - 0.06, top + 0.45 }, { s + 0.03, top } },
                     0.008)),
            1.0);
        pen.line(spline(shaken(pen,
            QVector<QPointF> { { s + 0.03, top }, { s + 0.06, top + 0.4 }, { s + 0.09, -1.1 },
                { s + 0.09, -0.55 }, { s + 0.08, -0.25 } }
                + foot.mid(1),
            0.008)));
        break;
    }
    default:
        // The stroke from the letter before stops low on the stem; the stem is
        // one stroke down from its top.
        pen.line(spline(
            shaken(pen, { { x - 0.04, -0.1 }, { s - 0.16, -0.3 }, { s - 0.04, -0.6 } }, 0.02)));
        pen.line(spline(shaken(pen, QVector<QPointF> { { s + 0.03, top } } + foot, 0.02)), 0.85);
        break;
    }
    pen.line(spline(shaken(pen,
        { { s - 0.4, -bar + 0.04 }, { s + 0.05, -bar - 0.02 }, { s + 0.5, -bar - 0.07 } }, 0.04)));
    return 0.86;
}

enum class IDot { Directly, Just, High, Light, Left, Right, Circle, Smudge, Absent };

// A dot as a pen makes it: a little round blot, never twice the same.
void penDot(Pen &pen, QPointF at, qreal size, qreal opacity = 1)
{
    const qreal rx = 0.5 * size * (1 + pen.jitter(0.1)), ry = rx * pen.rng().range(0.78, 1.0);
    QPainterPath blot;
    blot.addEllipse(QPointF(0, 0), rx, ry);
    pen.fill(QTransform().rotate(pen.rng().range(-50, 50)).map(blot).translated(at), opacity);
}

qreal drawI(Pen &pen, qreal x, IDot kind)
{
    const qreal advance = pen.letter(QChar(0x0131), x);
    const QPointF stem = Pen::top(QChar(0x0131)) + QPointF(x, 0);
    // How far the dot's centre lies above the top of the stem, and beside it.
    qreal gap = 1.1, dx = 0.03;
    switch (kind) {
    case IDot::Directly:
        // Well up over the stem, a full step above a dot just above it.
        gap = 1.28;
        break;
    case IDot::Just:
        // Low over the stem, yet with a clear white gap beneath the dot.
        gap = 0.54;
        break;
    case IDot::High:
        gap = 2.45;
        break;
    case IDot::Left:
        dx = -0.7;
        break;
    case IDot::Right:
        dx = 0.95;
        break;
    default:
        break;
    }
    const QPointF at(stem.x() + dx + pen.jitter(0.04), stem.y() - gap + pen.jitter(0.04));
    const qreal size = 0.36 * (1 + pen.jitter(0.1));
    switch (kind) {
    case IDot::Absent:
        break;
    case IDot::Light:
        penDot(pen, at, 0.22, 0.3);
        break;
    case IDot::Circle: {
        // A small ring, its end running past its start.
        const qreal r = 0.23 * (1 + pen.jitter(0.1)), from = pen.rng().range(60, 120);
        QVector<QPointF> ring;
        for (qreal a = from; a <= from + 400; a += 40)
            ring << at
                    + QPointF(
                        r * std::cos(qDegreesToRadians(a)), -r * std::sin(qDegreesToRadians(a)));
        pen.line(spline(shaken(pen, ring, 0.02)), 0.75);
        break;
    }
    case IDot::Smudge:
        pen.blot(at + QPointF(0.12, 0.02), 0.45, 0.3, 0.75);
        pen.blot(at + QPointF(0.35, 0.06), 0.3, 0.2, 0.45);
        penDot(pen, at, size);
        break;
    default:
        penDot(pen, at, size);
        break;
    }
    return advance;
}

enum class ELoop { Narrow, Broad, None, Greek };

qreal drawE(Pen &pen, qreal x, ELoop kind)
{
    const QVector<QPointF> bottom { { x + 0.12, -0.36 }, { x + 0.22, -0.06 }, { x + 0.46, 0.01 },
        { x + 0.7, -0.08 }, { x + 0.9, -0.3 } };
    if (kind == ELoop::Greek) {
        // Two bowls open to the right, meeting in a point in the middle.
        pen.line(spline(shaken(pen,
            { { x + 0.62, -0.84 }, { x + 0.42, -1.0 }, { x + 0.18, -0.93 }, { x + 0.1, -0.72 },
                { x + 0.22, -0.56 }, { x + 0.44, -0.5 }, { x + 0.2, -0.44 }, { x + 0.06, -0.26 },
                { x + 0.16, -0.04 }, { x + 0.42, 0.01 }, { x + 0.68, -0.08 }, { x + 0.9, -0.3 } },
            0.025)));
        return 0.95;
    }
    if (kind == ELoop::None) {
        // Up and straight down the same way: no loop at all.
        pen.line(spline(shaken(pen,
            QVector<QPointF> { { x - 0.03, -0.12 }, { x + 0.2, -0.45 }, { x + 0.36, -0.8 },
                { x + 0.42, -1.0 }, { x + 0.35, -0.75 }, { x + 0.22, -0.42 } }
                + bottom.mid(1),
            0.015)));
        return 0.92;
    }
    // The upstroke rises to the top of the loop and the downstroke comes back
    // `open` x-heights to the left of it.
    const qreal open = kind == ELoop::Narrow ? 0.42 : 0.7;
    const qreal reach = kind == ELoop::Broad ? 0.12 : 0;
    pen.line(spline(shaken(pen,
        QVector<QPointF> { { x - 0.03, -0.12 }, { x + 0.3, -0.4 }, { x + 0.55 + reach, -0.68 },
            { x + 0.52 + reach - 0.3 * open, -1.0 }, { x + 0.55 + reach - open, -0.72 } }
            + bottom,
        0.015)));
    return 0.92 + reach;
}

enum class OShape { Closed, Open, InnerLoop };

qreal drawO(Pen &pen, qreal x, OShape kind)
{
    const QPointF c(x + 0.45, -0.5);
    const qreal rx = 0.41 * (1 + pen.jitter(0.05)), ry = 0.5;
    auto at = [&](qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return c + QPointF(rx * std::cos(a), -ry * std::sin(a));
    };
    // Counter-clockwise from the top, once around; an open o stops short of
    // where it began.
    const qreal from = kind == OShape::Open ? 110 : 80;
    const qreal to = kind == OShape::Open ? 432 : 440;
    QVector<QPointF> points;
    for (qreal a = from; a <= to + 0.1; a += (to - from) / 12)
        points << at(a);
    if (kind == OShape::InnerLoop)
        // Down inside the o and round a loop of its own before leaving.
        points << c + QPointF(-0.04, -0.34) << c + QPointF(-0.18, -0.1) << c + QPointF(-0.04, 0.12)
               << c + QPointF(0.19, 0.0) << c + QPointF(0.2, -0.3) << c + QPointF(0.12, -0.48);
    const QPointF last = points.last();
    if (kind == OShape::Open)
        points << QPointF(last.x() + 0.2, last.y() - 0.1)
               << QPointF(last.x() + 0.45, last.y() - 0.08);
    else
        points << QPointF(last.x() + 0.25, last.y() - 0.02)
               << QPointF(last.x() + 0.5, last.y() + 0.06);
    pen.line(spline(shaken(pen, points, 0.012)));
    return 1.0;
}

enum class DStem { High, Pointed, Looped, Split };

qreal drawD(Pen &pen, qreal x, DStem kind)
{
    // The bowl and foot of the font's a, with a stem drawn on top.
    const qreal advance = pen.letter(QLatin1Char('a'), x);
    const QPointF s = Pen::stem(QLatin1Char('a'), -0.7) + QPointF(x, 0);
    auto p = [&](qreal dx, qreal y) { return QPointF(s.x() + dx, y); };
    switch (kind) {
    case DStem::High:
        pen.line(polyline(shaken(pen, { p(0.04, -3.1), p(0.01, -1.6), p(0, -0.6) }, 0.015)));
        break;
    case DStem::Pointed:
        // Up and down again in a sharp, narrow peak.
        pen.line(polyline(shaken(pen,
            { p(-0.46, -0.92), p(-0.2, -1.6), p(0.03, -2.4), p(0.02, -1.5), p(0, -0.6) }, 0.015)));
        break;
    case DStem::Looped:
        pen.line(spline(shaken(pen,
            { p(-0.3, -0.92), p(0.05, -1.3), p(0.3, -1.8), p(0.22, -2.25), p(-0.02, -2.38),
                p(-0.24, -2.1), p(-0.16, -1.5), p(-0.03, -0.95), p(0, -0.6) },
            0.015)));
        break;
    case DStem::Split:
        // The way up and the way down stand apart at the top.
        pen.line(spline(shaken(pen, { p(-0.3, -0.92), p(-0.24, -1.5), p(-0.3, -2.2) }, 0.015)));
        pen.line(polyline(shaken(pen, { p(0.1, -2.3), p(0.05, -1.4), p(0, -0.6) }, 0.015)));
        break;
    }
    return advance;
}

} // namespace

QImage drawTBar(int rank, const Sample &sample)
{
    const auto kind = TStem(qBound(0, rank - 1, 4));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawT(pen, x, kind); };
    // Room above the first line for the longest stem, in every picture.
    return wordsSample(sample, letterHand(), form,
        { "[t]he [t]en[t]", "a[t] las[t]", "li[t][t]le" }, { 0, 6, 2 }, 42, 36);
}

QImage drawIDot(int rank, const Sample &sample)
{
    const auto kind = IDot(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawI(pen, x, kind); };
    // Room above the first line for the highest dots, in every picture, and
    // between the lines, so that a high dot floats clear of the line above.
    return wordsSample(sample, letterHand(), form, { "[i]n [i]t", "k[i]w[i] p[i]e", "m[i]n[i]" },
        { 0, 7, 2 }, 41, 41);
}

QImage drawLowerE(int rank, const Sample &sample)
{
    const auto kind = ELoop(qBound(0, rank - 1, 3));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawE(pen, x, kind); };
    Hand hand = letterHand();
    hand.xHeight = 11;
    return wordsSample(
        sample, hand, form, { "s[e][e] m[e]", "gr[e][e]n", "th[e] tr[e][e]" }, { 2, 7, 0 }, 31, 38);
}

QImage drawLowerM(int rank, const Sample &sample)
{
    Humps humps;
    switch (rank) {
    case 1: // uphill
        humps.heights = { 0.74, 0.98, 1.26 };
        break;
    case 2: // down: each hump a step lower than the one before
        humps.heights = { 1.14, 0.98, 0.56 };
        break;
    case 4: // rounded: wide half circles, far wider than even humps
        humps.width = 0.84;
        humps.round = true;
        break;
    case 5: // sharp: pointed humps, the first stroke no taller than they
        // are, so that the m stays a small letter
        humps.sharp = true;
        humps.heights = { 0.8, 1, 1 };
        break;
    default:
        break;
    }
    const Form form = [humps](Pen &pen, QChar c, qreal x) {
        Humps h = humps;
        h.arches = c == QLatin1Char('n') ? 1 : 2;
        if (h.arches == 1)
            h.heights = { h.heights[0], h.heights[1] };
        drawHumps(pen, x, h);
        return humpsAdvance(h);
    };
    // A little smaller than the other letters' samples, so that the widest
    // humps still end well inside the page.
    Hand hand = letterHand();
    hand.xHeight = 9.2;
    return wordsSample(
        sample, hand, form, { "[m]y [m]o[m]", "su[m][m]er", "ho[m]e [n]ow" }, { 2, 6, 0 });
}

QImage drawLowerO(int rank, const Sample &sample)
{
    const auto kind = OShape(qBound(0, rank - 1, 2));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawO(pen, x, kind); };
    Hand hand = letterHand();
    // Large enough that the inside of the o shows.
    hand.xHeight = 12;
    return wordsSample(
        sample, hand, form, { "g[o][o]d", "t[o] g[o]", "m[o][o]n" }, { 2, 8, 0 }, 33, 38);
}

QImage drawLowerD(int rank, const Sample &sample)
{
    const auto kind = DStem(qBound(0, rank - 1, 3));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawD(pen, x, kind); };
    return wordsSample(
        sample, letterHand(), form, { "[d]a[d]", "ol[d] [d]ay", "ki[d]s" }, { 2, 6, 0 }, 42, 36);
}
