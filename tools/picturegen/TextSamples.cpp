// Samples about the hand as a whole: slant, size and the spacing of letters.
#include "Samples.h"

#include <QtMath>

#include <cmath>

namespace {

// Running text on plain paper, kept clear of the edges however far the
// letters lean: ascenders lean forward and descenders back.
QImage runningSample(
    quint64 seed, const Hand &hand, qreal firstBaseline, qreal pitch, int count, int skip = 0)
{
    Canvas canvas(seed, Ground::Paper);
    Writer writer(canvas, hand);
    const qreal lean = std::tan(qDegreesToRadians(hand.slant));
    const qreal spread = std::tan(qDegreesToRadians(std::abs(hand.slantJitter) + hand.slantSwing));
    const qreal up = 1.9 * hand.xHeight, down = 1.4 * hand.xHeight;
    const qreal left = 7 + std::max(0.0, down * lean) + std::max(0.0, -up * lean) + down * spread;
    const qreal right
        = Canvas::Width - 7 - std::max(0.0, up * lean) - std::max(0.0, -down * lean) - up * spread;
    writer.lines(runningText(skip), 0, firstBaseline, pitch, count,
        [&](int) { return qMakePair(left, right); });
    return canvas.render();
}

} // namespace

QImage drawSlant(int rank, quint64 seed)
{
    // Vertical, moderate left, extreme left, moderate right, extreme right, irregular.
    static const qreal Angles[] = { 0, -21, -42, 21, 42, 0 };
    Hand hand;
    hand.xHeight = 5;
    hand.slant = Angles[qBound(0, rank - 1, 5)];
    hand.slantSwing = rank == 6 ? 34 : 0;
    return runningSample(seed, hand, 20, 17.5, 6, 40);
}

QImage drawSize(int rank, quint64 seed)
{
    Hand hand;
    switch (rank) {
    case 1: // tall
        hand.xHeight = 9.5;
        hand.width = 0.72;
        return runningSample(seed, hand, 33, 37, 3, 8);
    case 2: // small
        hand.xHeight = 2.6;
        hand.wordSpace = 1.1;
        return runningSample(seed, hand, 12, 8.5, 14, 8);
    case 3: // narrow
        hand.xHeight = 6;
        hand.width = 0.5;
        hand.wordSpace = 0.7;
        return runningSample(seed, hand, 22, 19, 6, 8);
    case 4: // broad
        hand.xHeight = 6;
        hand.width = 1.75;
        return runningSample(seed, hand, 22, 19, 6, 8);
    default: // irregular
        hand.xHeight = 5.2;
        hand.sizeJitter = 0.5;
        hand.baselineJitter = 0.2;
        return runningSample(seed, hand, 20, 19, 6, 8);
    }
}

QImage drawLetterSpacing(int rank, quint64 seed)
{
    Hand hand;
    hand.xHeight = 6.5;
    switch (rank) {
    case 1: // close
        hand.tracking = -0.16;
        hand.wordSpace = 0.6;
        break;
    case 2: // wide
        hand.tracking = 0.6;
        hand.wordSpace = 1.8;
        break;
    default:
        break;
    }
    return runningSample(seed, hand, 26, 24, 4, 12);
}
