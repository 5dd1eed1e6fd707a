// Samples about how words begin and end: strokes drawn onto an n or m at the
// start or the end of each word.
#include "Forms.h"
#include "Samples.h"

#include <cmath>

namespace {

Hand strokeHand()
{
    Hand hand = letterHand();
    hand.xHeight = 8.5;
    hand.wordSpace = 1.0;
    return hand;
}

Humps humpsOf(QChar letter)
{
    Humps humps;
    humps.arches = letter == QLatin1Char('n') ? 1 : 2;
    return humps;
}

enum class Beginning { LongCurved, Unbending, BelowBaseline, RightToLeft, Absent };

qreal drawBeginning(Pen &pen, QChar letter, qreal x, Beginning kind)
{
    Humps humps = humpsOf(letter);
    humps.entry = false;
    qreal lead = 0;
    switch (kind) {
    case Beginning::LongCurved:
        lead = 1.75;
        break;
    case Beginning::Unbending:
        lead = 0.6;
        break;
    case Beginning::BelowBaseline:
        lead = 1.6;
        break;
    case Beginning::RightToLeft:
        lead = 0.75;
        break;
    case Beginning::Absent:
        break;
    }
    // No two strokes alike: each a little longer or shorter, flatter or deeper.
    const qreal k = 1 + pen.jitter(0.12), k2 = 1 + pen.jitter(0.15);
    lead *= k;
    auto b = [&](qreal dx, qreal dy) { return QPointF(x + dx * k, dy * k2); };
    const QPointF e = humpsStart(x + lead, humps);
    switch (kind) {
    case Beginning::LongCurved: {
        // A long swoosh from the baseline, plainly bowed: it sags below the
        // straight line to the stem, then swings up into it.
        const QPointF start(x, -0.02), control(x + 0.55 * (e.x() - x), 0.36 * k2);
        QVector<QPointF> points;
        for (qreal t : { 0.0, 0.2, 0.4, 0.6, 0.8, 1.0 }) {
            const qreal u = 1 - t;
            points << u * u * start + 2 * u * t * control + t * t * e;
        }
        pen.line(spline(shaken(pen, points, 0.015)));
        break;
    }
    case Beginning::Unbending:
        // Short, stiff and dead straight, as if drawn along a ruler, meeting
        // the stem steeply.
        pen.line(polyline({ QPointF(x + 0.05, -0.06), e }), 1.15, 1, Qt::FlatCap);
        break;
    case Beginning::BelowBaseline: {
        // Long, from as deep under the baseline as a descender reaches, and
        // gently bowed: it sets off to the right and swings up into the
        // stem, crossing the baseline well before the letter.
        const QPointF start(x, 1.1 * k2);
        const QPointF chord = e - start;
        const QPointF bow = QPointF(-chord.y(), chord.x()) * 0.2; // below the chord
        QVector<QPointF> points;
        for (qreal t : { 0.0, 0.2, 0.4, 0.6, 0.8, 1.0 })
            points << start + t * chord + 4 * t * (1 - t) * bow;
        pen.line(spline(shaken(pen, points, 0.015)));
        break;
    }
    case Beginning::RightToLeft:
        // A small curl at the foot of the lead-in: the pen sets down a little
        // to the right, sweeps back to the left under the baseline, turns
        // and rises into the top of the first stem. The curl stays clear of
        // the letter, which keeps its own stem and closes no bowl with it.
        pen.line(spline(shaken(pen,
            { b(0.42, 0.04), b(0.24, 0.17), b(0.04, 0.1), b(0.06, -0.14), b(0.32, -0.48),
                QPointF(e.x() - 0.16, -0.86), e },
            0.012)));
        break;
    case Beginning::Absent:
        break;
    }
    drawHumps(pen, x + lead, humps);
    return lead + humpsAdvance(humps);
}

enum class Ending { Blunt, Tapered, High, Below, RightToLeft, Extended, Missing };

qreal drawEnding(Pen &pen, QChar letter, qreal x, Ending kind)
{
    Humps humps = humpsOf(letter);
    humps.exit = false;
    const QPointF f = drawHumps(pen, x, humps);
    // No two strokes alike: each longer or shorter, flatter or steeper, and
    // turned or bowed a little its own way.
    const qreal k = 1 + pen.jitter(0.25), k2 = 1 + pen.jitter(0.25);
    const qreal turn = pen.jitter(0.3), bow = pen.jitter(0.18);
    auto at = [&](qreal dx, qreal dy) {
        return f
            + QPointF(dx * k + turn * dy * 0.4, dy * k2 - turn * dx * 0.25 + bow * std::abs(dx));
    };
    qreal reach = 0.1;
    switch (kind) {
    case Ending::Blunt: {
        // Full pen width to the very end, where it stops short in a heavy,
        // club-like end.
        const QPointF end = at(1.4, -0.9);
        taper(pen, polyline({ at(-0.02, 0), at(0.2, -0.08), end }), 1.35, 1.7);
        dot(pen, end, 0.95 * pen.strokeWidth());
        reach = 1.45;
        break;
    }
    case Ending::Tapered:
        // Long and fine, thinning out to a hairline point.
        taper(pen,
            spline(
                shaken(pen, { at(0, 0), at(0.4, -0.06), at(1.05, -0.45), at(1.85, -1.15) }, 0.02)),
            1.05, 0);
        reach = 1.85;
        break;
    case Ending::High:
        pen.line(spline(shaken(pen,
            { at(0, 0), at(0.3, -0.2), at(0.65, -1.1), at(0.85, -2.2), at(0.8, -2.75) }, 0.03)));
        reach = 0.9;
        break;
    case Ending::Below:
        // The last leg of the n comes all the way down to the baseline; from
        // its foot the stroke turns sharply and runs on down under the
        // baseline to the right, never along the baseline first (that
        // reads as a z) nor straight down like a descender.
        pen.line(spline(shaken(pen,
            { f, f + QPointF(0.08, 0.05), at(0.32, 0.24), at(0.66, 0.52), at(0.95, 0.74) },
            0.015)));
        reach = 0.95;
        break;
    case Ending::RightToLeft:
        // Out of the foot of the n and up well to its right, then back to
        // the left high over the top of its arch, without lifting the pen.
        // The curl keeps clear of the letter, so that the n stands whole
        // beneath it with both legs down.
        pen.line(spline(shaken(pen,
            { at(0, 0), at(0.22, -0.08), at(0.58, -0.55), at(0.76, -1.25), f + QPointF(0.62, -1.85),
                f + QPointF(0.3, -2.1), f + QPointF(-0.06, -2.12), f + QPointF(-0.4, -1.96) },
            0.02)));
        reach = 0.7;
        break;
    case Ending::Extended:
        pen.line(
            spline(shaken(pen, { at(0, 0), at(0.3, 0.03), at(1.1, -0.03), at(2.1, -0.1) }, 0.02)));
        reach = 2.1;
        break;
    case Ending::Missing:
        break;
    }
    return f.x() - x + reach * k;
}

} // namespace

QImage drawBeginningStroke(int rank, const Sample &sample)
{
    const auto kind = Beginning(qBound(0, rank - 1, 4));
    const Form form = [kind](Pen &pen, QChar c, qreal x) { return drawBeginning(pen, c, x, kind); };
    return wordsSample(
        sample, strokeHand(), form, { "[m]ake [n]o", "[n]ew", "[m]y [m]ap" }, { 0, 14, 2 }, 30, 38);
}

QImage drawEndingStroke(int rank, const Sample &sample)
{
    const auto kind = Ending(qBound(0, rank - 1, 6));
    const Form form = [kind](Pen &pen, QChar c, qreal x) { return drawEnding(pen, c, x, kind); };
    return wordsSample(sample, strokeHand(), form, { "see[n] i[n]", "dow[n]", "o[n] the[m]" },
        { 0, 12, 0 }, 36, 36);
}
