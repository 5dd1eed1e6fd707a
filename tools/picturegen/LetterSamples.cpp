// Samples about the small letters t, i, e, m, o and d, each drawn by hand
// inside words of the font.
#include "Forms.h"
#include "Samples.h"

namespace {

// A t: the stem rises to `height`, the bar crosses it at `bar`.
enum class TStem { Retraced, Looped, Normal, Long, Short };

qreal drawT(Pen &pen, qreal x, TStem kind)
{
    const qreal s = x + 0.32;
    qreal height = 2.1, bar = 1.45;
    if (kind == TStem::Long)
        height = 3.4;
    if (kind == TStem::Short)
        height = 1.15, bar = 0.95;
    const qreal top = -height + pen.jitter(0.05);
    switch (kind) {
    case TStem::Looped:
        pen.line(spline(shaken(pen,
            { { x - 0.05, -0.08 }, { s + 0.15, -0.45 }, { s + 0.55, -1.2 }, { s + 0.55, -1.85 },
                { s + 0.22, top }, { s - 0.12, -1.85 }, { s - 0.14, -1.2 }, { s - 0.05, -0.5 },
                { s, 0 } })));
        break;
    case TStem::Retraced:
        // Up the stem and down again on the same track, so it shows twice as heavy.
        pen.line(
            spline(shaken(pen, { { x - 0.05, -0.08 }, { s - 0.1, -0.35 }, { s - 0.02, -0.8 } })));
        pen.line(polyline({ { s - 0.02, -0.8 }, { s + 0.03, top }, { s, 0 } }), 1.9);
        break;
    default:
        // The stem starts at its top; the stroke from the letter before meets it low down.
        pen.line(
            spline(shaken(pen, { { x - 0.05, -0.08 }, { s - 0.15, -0.3 }, { s - 0.02, -0.55 } })));
        pen.line(polyline({ { s + 0.02, top }, { s, 0 } }));
        break;
    }
    pen.line(spline(shaken(pen, { { s, 0 }, { s + 0.15, 0.05 }, { s + 0.45, -0.25 } }, 0.02)));
    pen.line(spline(shaken(pen,
        { { s - 0.38, -bar + 0.05 }, { s + 0.05, -bar - 0.02 }, { s + 0.5, -bar - 0.06 } }, 0.03)));
    return 0.85;
}

enum class IDot { Directly, Just, High, Light, Left, Right, Circle, Smudge, Absent };

qreal drawI(Pen &pen, QChar, qreal x, IDot kind)
{
    const qreal advance = pen.letter(QChar(0x0131), x);
    const QPointF stem = Pen::top(QChar(0x0131)) + QPointF(x, 0);
    qreal gap = 0.75, dx = 0.05;
    switch (kind) {
    case IDot::Directly:
        gap = 0.3;
        break;
    case IDot::High:
        gap = 2.0;
        break;
    case IDot::Left:
        dx = -0.85;
        break;
    case IDot::Right:
        dx = 1.0;
        break;
    default:
        break;
    }
    const QPointF at(stem.x() + dx + pen.jitter(0.05), stem.y() - gap + pen.jitter(0.05));
    switch (kind) {
    case IDot::Absent:
        break;
    case IDot::Light:
        dot(pen, at, 0.11, 0.32);
        break;
    case IDot::Circle: {
        QPainterPath ring;
        ring.addEllipse(at + QPointF(0, -0.1), 0.24, 0.24);
        pen.line(ring, 0.75);
        break;
    }
    case IDot::Smudge:
        pen.blot(at + QPointF(0.1, 0), 0.42, 0.3, 0.8);
        pen.blot(at + QPointF(0.3, 0.05), 0.3, 0.2, 0.5);
        dot(pen, at, 0.2);
        break;
    default:
        dot(pen, at, 0.17);
        break;
    }
    return advance;
}

enum class ELoop { Narrow, Broad, None, Greek };

qreal drawE(Pen &pen, qreal x, ELoop kind)
{
    if (kind == ELoop::Greek) {
        pen.line(spline(shaken(pen,
            { { x - 0.02, -0.2 }, { x + 0.25, -0.55 }, { x + 0.62, -0.92 }, { x + 0.42, -1.05 },
                { x + 0.2, -0.82 }, { x + 0.4, -0.56 }, { x + 0.55, -0.55 }, { x + 0.38, -0.55 },
                { x + 0.14, -0.32 }, { x + 0.27, -0.02 }, { x + 0.58, 0 }, { x + 0.82, -0.28 } },
            0.03)));
        return 0.85;
    }
    // The upstroke rises to the top of the loop and the downstroke comes back
    // to the left of it, `open` x-heights away.
    const qreal open = kind == ELoop::Narrow ? 0.12 : kind == ELoop::Broad ? 0.52 : 0.0;
    const qreal wide = kind == ELoop::Broad ? 0.2 : 0;
    QVector<QPointF> points { { x - 0.02, -0.1 }, { x + 0.3, -0.4 }, { x + 0.5 + wide, -0.75 },
        { x + 0.42 + wide * 0.6, -1.02 } };
    points << QPointF(x + 0.43 + wide * 0.6 - open * 0.6, -1.0) << QPointF(x + 0.36 - open, -0.72)
           << QPointF(x + 0.26 - open * 0.6, -0.3) << QPointF(x + 0.42, -0.01)
           << QPointF(x + 0.68 + wide, -0.05) << QPointF(x + 0.9 + wide, -0.3);
    pen.line(spline(shaken(pen, points, 0.02)));
    return 0.9 + wide;
}

enum class OShape { Closed, Open, InnerLoop };

qreal drawO(Pen &pen, qreal x, OShape kind)
{
    const QPointF c(x + 0.45, -0.5);
    const qreal rx = 0.38, ry = 0.5;
    auto at = [&](qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return c + QPointF(rx * std::cos(a), -ry * std::sin(a));
    };
    QVector<QPointF> points { { x - 0.05, -0.15 }, { x + 0.2, -0.65 } };
    // Counter-clockwise from the top right, once around.
    const qreal from = kind == OShape::Open ? 112 : 70;
    const qreal to = kind == OShape::Open ? 398 : 430;
    points.clear();
    for (qreal a = from; a <= to; a += 24)
        points << at(a);
    if (kind == OShape::InnerLoop)
        points << c + QPointF(0.02, -0.1) << c + QPointF(0.16, 0.14) << c + QPointF(0.3, -0.1)
               << c + QPointF(0.24, -0.44);
    const QPointF last = points.last();
    points << QPointF(last.x() + 0.3, last.y() + 0.02) << QPointF(last.x() + 0.55, last.y() + 0.1);
    pen.line(spline(shaken(pen, points, 0.015)));
    return 1.0;
}

enum class DStem { High, Pointed, Looped, Split };

qreal drawD(Pen &pen, qreal x, DStem kind)
{
    // The bowl, like an o that leaves from its right side.
    const QPointF c(x + 0.42, -0.5);
    QVector<QPointF> bowl;
    for (qreal a = 60; a <= 380; a += 32) {
        const qreal r = qDegreesToRadians(a);
        bowl << c + QPointF(0.36 * std::cos(r), -0.5 * std::sin(r));
    }
    pen.line(spline(shaken(pen, bowl, 0.015)));
    const qreal s = x + 0.82;
    switch (kind) {
    case DStem::High:
        pen.line(polyline({ { s - 0.03, -0.85 }, { s + 0.02, -3.3 + pen.jitter(0.05) }, { s, 0 } }),
            1.3);
        break;
    case DStem::Pointed:
        pen.line(polyline(shaken(pen, { { x + 0.42, -1.0 }, { s + 0.03, -2.2 }, { s, 0 } }, 0.02)));
        break;
    case DStem::Looped:
        pen.line(spline(shaken(pen,
            { { x + 0.55, -0.95 }, { s + 0.35, -1.5 }, { s + 0.38, -1.95 }, { s + 0.12, -2.2 },
                { s - 0.12, -1.9 }, { s - 0.06, -1.2 }, { s, 0 } },
            0.02)));
        break;
    case DStem::Split:
        pen.line(spline(
            shaken(pen, { { x + 0.55, -0.95 }, { s - 0.25, -1.6 }, { s - 0.4, -2.1 } }, 0.02)));
        pen.line(spline(shaken(pen, { { s + 0.3, -2.2 }, { s + 0.1, -1.3 }, { s, 0 } }, 0.02)));
        break;
    }
    pen.line(spline(shaken(pen, { { s, 0 }, { s + 0.15, 0.04 }, { s + 0.4, -0.25 } }, 0.02)));
    return 1.2;
}

} // namespace

QImage drawTBar(int rank, quint64 seed)
{
    const auto kind = TStem(qBound(0, rank - 1, 4));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawT(pen, x, kind); };
    const qreal top = kind == TStem::Long ? 41 : 31;
    return wordsSample(seed, letterHand(), form, { "[t]he [t]en[t]", "a[t] las[t]", "li[t][t]le" },
        { 0, 6, 2 }, top, kind == TStem::Long ? 36 : 37);
}

QImage drawIDot(int rank, quint64 seed)
{
    const auto kind = IDot(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar c, qreal x) { return drawI(pen, c, x, kind); };
    return wordsSample(
        seed, letterHand(), form, { "[i]n [i]t", "k[i]w[i] p[i]e", "m[i]n[i]" }, { 0, 7, 2 }, 34);
}

QImage drawLowerE(int rank, quint64 seed)
{
    const auto kind = ELoop(qBound(0, rank - 1, 3));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawE(pen, x, kind); };
    return wordsSample(
        seed, letterHand(), form, { "s[e][e] m[e]", "gr[e][e]n", "th[e] tr[e][e]" }, { 2, 7, 0 });
}

QImage drawLowerM(int rank, quint64 seed)
{
    Humps humps;
    switch (rank) {
    case 1: // uphill
        humps.heights = { 0.7, 1.0, 1.35 };
        break;
    case 2: // down
        humps.heights = { 1.35, 1.0, 0.7 };
        break;
    case 4: // rounded
        humps.width = 0.78;
        break;
    case 5: // sharp
        humps.sharp = true;
        humps.width = 0.42;
        break;
    default:
        break;
    }
    const Form form = [humps](Pen &pen, QChar c, qreal x) {
        Humps h = humps;
        h.arches = c == QLatin1Char('n') ? 1 : 2;
        drawHumps(pen, x, h);
        return humpsAdvance(h);
    };
    return wordsSample(
        seed, letterHand(), form, { "[m]y [m]o[m]", "su[m][m]er", "ho[m]e [n]ow" }, { 2, 6, 0 });
}

QImage drawLowerO(int rank, quint64 seed)
{
    const auto kind = OShape(qBound(0, rank - 1, 2));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawO(pen, x, kind); };
    Hand hand = letterHand();
    // Large enough that the inside of the o shows.
    hand.xHeight = 12;
    return wordsSample(
        seed, hand, form, { "g[o][o]d", "t[o] g[o]", "m[o][o]n" }, { 2, 8, 0 }, 33, 38);
}

QImage drawLowerD(int rank, quint64 seed)
{
    const auto kind = DStem(qBound(0, rank - 1, 3));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawD(pen, x, kind); };
    const qreal top = kind == DStem::High ? 42 : 36;
    return wordsSample(seed, letterHand(), form, { "[d]a[d]", "ol[d] [d]ay", "ki[d]s" },
        { 2, 6, 0 }, top, kind == DStem::High ? 36 : 36);
}
