// Samples about the hand as a whole: slant, size and the spacing of letters.
#include "Samples.h"

#include <QtMath>

#include <cmath>

namespace {

// Running text on plain paper, its ink kept clear of the edges however far
// the letters lean.
QImage runningSample(const Sample &sample, const Hand &hand, qreal firstBaseline, qreal pitch,
    int count, int skip = 0)
{
    Canvas canvas(sample, Ground::Paper);
    Writer writer(canvas, hand);
    writer.lines(runningText(skip), 0, firstBaseline, pitch, count,
        [&](int) { return qMakePair(7.0, Canvas::Width - 7.0); });
    return canvas.render();
}

} // namespace

QImage drawSlant(int rank, const Sample &sample)
{
    // Vertical, moderate left, extreme left, moderate right, extreme right, irregular.
    static const qreal Angles[] = { 0, -24, -44, 18, 44, 0 };
    Hand hand = runningHand();
    hand.xHeight = 5;
    hand.slant = Angles[qBound(0, rank - 1, 5)];
    if (rank == 6) {
        // Each word leans its own way, now forwards, now backwards, as many
        // one way as the other, so that the hand as a whole stands about
        // upright; the letters within a word waver a little more than usual,
        // and the words keep their distance however they lean.
        hand.slant = 2;
        hand.slantSwing = 27;
        hand.slantJitter = 3;
        hand.letterSlant = 6;
        hand.wordSpace = 1.1;
    }
    return runningSample(sample, hand, 20, 17.5, 6, 40);
}

QImage drawSize(int rank, const Sample &sample)
{
    Hand hand = runningHand();
    switch (rank) {
    case 1: // tall: a tall middle zone and long loops, the letters no wider than usual
        hand.xHeight = 7.6;
        hand.width = 0.72;
        hand.loops = 1.55;
        hand.wordSpace = 0.8;
        return runningSample(sample, hand, 32, 37, 3, 8);
    case 2: // small, yet still writing to be read
        hand.xHeight = 3.5;
        hand.wordSpace = 1.1;
        return runningSample(sample, hand, 14, 10.4, 11, 8);
    case 3: // narrow: letters of the usual height squeezed from the sides
        hand.xHeight = 6;
        hand.width = 0.5;
        hand.wordSpace = 0.8;
        return runningSample(sample, hand, 22, 19, 6, 8);
    case 4: // broad: wide, round letters with room between them
        hand.xHeight = 6;
        hand.width = 1.4;
        hand.thin = 0.06;
        hand.tracking = 0.06;
        hand.wordSpace = 1.0;
        return runningSample(sample, hand, 22, 19, 6, 8);
    default: // irregular: the size wanders from letter to letter
        hand.xHeight = 5.6;
        hand.sizeJitter = 0.05;
        hand.sizeWander = 0.42;
        hand.sizeCell = 0.8;
        hand.baselineWander = 0.1;
        return runningSample(sample, hand, 24, 19, 5, 8);
    }
}

QImage drawLetterSpacing(int rank, const Sample &sample)
{
    Hand hand = runningHand();
    hand.xHeight = 6.5;
    switch (rank) {
    case 1: // close: the letters all but touch, joined by the shortest strokes
        hand.tracking = -0.22;
        hand.wordSpace = 0.65;
        break;
    case 2: // wide: the joins stretch out between the letters
        hand.tracking = 0.55;
        hand.wordSpace = 1.6;
        break;
    default: // normal: each letter clear of the next, joined by a short stroke
        hand.tracking = 0.08;
        break;
    }
    return runningSample(sample, hand, 26, 24, 4, 12);
}
