// Samples about the layout of a page: margins, line spacing and word
// spacing, each shown as a small page of a letter lying on a desk.
#include "Samples.h"

#include <cmath>

namespace {

// Writing on a page: x-height and pitch of the page samples.
constexpr qreal PageXHeight = 3.1;
constexpr qreal PagePitch = 9.6;

Hand pageHand()
{
    Hand hand;
    hand.xHeight = PageXHeight;
    hand.wordSpace = 1.0;
    hand.lineTilt = 0.5;
    return hand;
}

// The margins of a page, in pixels from the page's edges; the left and right
// margins may change from the first line (`left`) to the last (`leftEnd`).
struct Margins
{
    qreal left, right, top, bottom;
    qreal leftEnd = -1, rightEnd = -1;
};

QImage pageSample(quint64 seed, const Margins &m, const Hand &hand, qreal pitch, int skip = 0)
{
    Canvas canvas(seed, Ground::Page);
    Writer writer(canvas, hand);
    const QRectF page = canvas.page();
    const qreal first = page.top() + m.top + 2.0 * hand.xHeight;
    const qreal last = page.bottom() - m.bottom - 1.2 * hand.xHeight;
    const int count = std::max(1, int(std::floor((last - first) / pitch)) + 1);
    writer.lines(runningText(skip), 0, first, pitch, count, [&](int line) {
        const qreal t = count > 1 ? qreal(line) / (count - 1) : 0;
        const qreal left = m.left + ((m.leftEnd < 0 ? m.left : m.leftEnd) - m.left) * t;
        const qreal right = m.right + ((m.rightEnd < 0 ? m.right : m.rightEnd) - m.right) * t;
        return qMakePair(page.left() + left, page.right() - right);
    });
    return canvas.render();
}

} // namespace

QImage drawMargins(int rank, quint64 seed)
{
    switch (rank) {
    case 1: // wide left
        return pageSample(seed, { 38, 5, 6, 6 }, pageHand(), PagePitch);
    case 2: // wide right
        return pageSample(seed, { 5, 38, 6, 6 }, pageHand(), PagePitch);
    case 3: // narrow to wider right
        return pageSample(seed, { 6, 4, 6, 6, -1, 46 }, pageHand(), PagePitch);
    case 4: // narrow to wider left
        return pageSample(seed, { 4, 6, 6, 6, 46, -1 }, pageHand(), PagePitch);
    case 5: // even all around
        return pageSample(seed, { 11, 11, 11, 11 }, pageHand(), PagePitch);
    case 6: // wide upper
        return pageSample(seed, { 6, 6, 44, 5 }, pageHand(), PagePitch);
    case 7: // wide lower
        return pageSample(seed, { 6, 6, 5, 44 }, pageHand(), PagePitch);
    default: { // none: the writing runs off every edge
        Hand hand = pageHand();
        hand.wordSpace = 0.8;
        return pageSample(seed, { -2, -6, -3, -3 }, hand, 8.8, 20);
    }
    }
}

QImage drawLineSpacing(int rank, quint64 seed)
{
    Hand hand = pageHand();
    hand.xHeight = 3.6;
    const Margins margins { 6, 6, 5, 5 };
    switch (rank) {
    case 1: // even
        return pageSample(seed, margins, hand, 13, 10);
    case 2: // wide
        return pageSample(seed, margins, hand, 19, 10);
    case 3: // very wide
        return pageSample(seed, margins, hand, 28, 10);
    case 4: // narrow: loops nearly meet the line below
        return pageSample(seed, margins, hand, 9, 10);
    default: { // overlapping: loops run into the line below
        hand.xHeight = 4.2;
        hand.lineTilt = 1.4;
        return pageSample(seed, { 6, 6, 2, 2 }, hand, 7.2, 10);
    }
    }
}

QImage drawWordSpacing(int rank, quint64 seed)
{
    Hand hand = pageHand();
    hand.xHeight = 3.8;
    static const qreal Spaces[] = { 1.0, 1.4, 0.2, 2.6, 4.6 };
    hand.wordSpace = Spaces[qBound(0, rank - 1, 4)];
    hand.wordSpaceJitter = rank == 2 ? 1.6 : 0.12;
    if (rank == 2)
        hand.wordSpace = 1.9;
    return pageSample(seed, { 7, 5, 5, 5 }, hand, 13.5, 4);
}
