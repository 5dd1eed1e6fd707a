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

// The part below the baseline, from the top of the stem at s.
void drawDescender(Pen &pen, QPointF s, Lower kind)
{
    const qreal x = s.x();
    auto p = [x](qreal dx, qreal y) { return QPointF(x + dx, y); };
    switch (kind) {
    case Lower::Triangular:
        pen.line(polyline(
            shaken(pen, { s, p(0, 1.35), p(-0.75, 1.4), p(0.02, 0.02), p(0.35, -0.22) }, 0.02)));
        break;
    case Lower::Rounded:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.3), p(-0.04, 1.0), p(-0.28, 1.42), p(-0.6, 1.22), p(-0.52, 0.55),
                p(-0.1, 0.05), p(0.35, -0.25) },
            0.02)));
        break;
    case Lower::LongClosed:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.8), p(-0.05, 2.0), p(-0.24, 2.5), p(-0.46, 2.2), p(-0.36, 1.2),
                p(-0.08, 0.1), p(0.3, -0.22) },
            0.02)));
        break;
    case Lower::Blunt:
        pen.line(polyline({ s, p(0.01, 1.0) }), 1.45, 1, Qt::FlatCap);
        break;
    case Lower::LongStroke:
        pen.line(polyline({ s, p(-0.03, 2.45) }));
        break;
    case Lower::Open:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.4), p(-0.06, 1.05), p(-0.32, 1.45), p(-0.66, 1.25), p(-0.72, 0.8),
                p(-0.6, 0.4) },
            0.02)));
        break;
    case Lower::LeftArc:
        pen.line(spline(
            shaken(pen, { s, p(0, 0.5), p(-0.1, 1.05), p(-0.45, 1.38), p(-0.95, 1.3) }, 0.02)));
        break;
    case Lower::Cramped:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.2), p(-0.02, 0.58), p(-0.15, 0.78), p(-0.3, 0.64), p(-0.25, 0.3),
                p(-0.05, 0.04), p(0.3, -0.2) },
            0.01)));
        break;
    case Lower::Broad:
        pen.line(spline(shaken(pen,
            { s, p(0, 0.3), p(-0.1, 1.1), p(-0.5, 1.55), p(-1.08, 1.32), p(-1.0, 0.6),
                p(-0.32, 0.05), p(0.35, -0.25) },
            0.02)));
        break;
    }
}

qreal drawLower(Pen &pen, QChar letter, qreal x, Lower kind)
{
    const QPointF stem(x + 0.74, -1.0);
    if (letter == QLatin1Char('g')) {
        const QPointF c(x + 0.4, -0.5);
        QVector<QPointF> bowl;
        for (qreal a = 40; a <= 372; a += 30) {
            const qreal r = qDegreesToRadians(a);
            bowl << c + QPointF(0.34 * std::cos(r), -0.48 * std::sin(r));
        }
        bowl << stem;
        pen.line(spline(shaken(pen, bowl, 0.015)));
    } else {
        pen.line(spline(shaken(pen,
            { { x - 0.05, -0.2 }, { x + 0.08, -0.8 }, { x + 0.14, -1.0 }, { x + 0.12, -0.45 },
                { x + 0.32, -0.02 }, { x + 0.58, -0.22 }, stem },
            0.02)));
    }
    drawDescender(pen, stem, kind);
    return 1.05;
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
        pen.line(polyline({ { s + 0.02, top }, { s, 0 } }), 1.05);
        return 0.9;
    case CapitalI::LongBottom:
        bars(0.18, 0.62);
        return 1.15;
    case CapitalI::LongTop:
        bars(0.62, 0.18);
        return 1.15;
    case CapitalI::Equal:
        bars(0.45, 0.45);
        return 1.0;
    default:
        break;
    }
    // The script capital: a loop at the top, the stem, a hook at the foot.
    qreal loop = 1, tilt = 0;
    if (kind == CapitalI::Inflated)
        loop = 2.3;
    if (kind == CapitalI::Deflated)
        loop = 0.28;
    if (kind == CapitalI::TiltLeft)
        tilt = -30;
    if (kind == CapitalI::TiltRight)
        tilt = 32;
    const QPointF centre(s, -2.05);
    const qreal lean = std::tan(qDegreesToRadians(tilt));
    auto shape = [&](QPointF p, bool inLoop) {
        if (inLoop)
            p = centre
                + QPointF((p.x() - centre.x()) * loop, (p.y() - centre.y()) * (0.65 + 0.35 * loop));
        return QPointF(p.x() - lean * p.y(), p.y());
    };
    QVector<QPointF> points;
    const QVector<QPointF> loopPart { { s + 0.3, -1.7 }, { s - 0.05, -1.85 }, { s - 0.28, -2.15 },
        { s - 0.12, -2.48 }, { s + 0.18, -2.5 }, { s + 0.26, -2.2 }, { s + 0.08, -1.7 } };
    for (const QPointF &p : loopPart)
        points << shape(p, true);
    for (const QPointF &p : QVector<QPointF> {
             { s + 0.02, -1.0 }, { s - 0.08, -0.2 }, { s - 0.3, 0.02 }, { s - 0.5, -0.15 } })
        points << shape(p, false);
    pen.line(spline(shaken(pen, points, 0.02)));
    const qreal right = loop > 1 ? 0.3 * loop + 0.3 : 0.6;
    return 0.45 + right + std::max(0.0, lean * 2.5);
}

} // namespace

QImage drawLowerLoops(int rank, quint64 seed)
{
    const auto kind = Lower(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar c, qreal x) { return drawLower(pen, c, x, kind); };
    Hand hand = letterHand();
    hand.xHeight = 7.6;
    return wordsSample(seed, hand, form, { "m[y] [y]o[g]a", "[g]oin[g] b[y]", "[g]ra[y] da[y]" },
        { 2, 8, 0 }, 26, 37);
}

QImage drawCapitalI(int rank, quint64 seed)
{
    const auto kind = CapitalI(qBound(0, rank - 1, 8));
    const Form form = [kind](Pen &pen, QChar, qreal x) { return drawCapital(pen, x, kind); };
    Hand hand = letterHand();
    hand.xHeight = 8.5;
    hand.slant = 0;
    hand.slantJitter = 1;
    // An I tilted to the left reaches back past the start of its line.
    const QVector<qreal> indents
        = kind == CapitalI::TiltLeft ? QVector<qreal> { 9, 10, 9 } : QVector<qreal> { 0, 8, 2 };
    return wordsSample(seed, hand, form, { "[I] think", "so [I] can", "[I] did" }, indents, 33, 38);
}
