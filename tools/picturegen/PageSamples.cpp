// Samples about the layout of a page: margins, line spacing and word
// spacing, each shown as a small page of a letter lying on a desk.
#include "Samples.h"

#include <cmath>

namespace {

// Writing on a page: x-height and pitch of the page samples.
constexpr qreal PageXHeight = 3.4;
constexpr qreal PagePitch = 10.2;

Hand pageHand()
{
    Hand hand = runningHand();
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
    // Whatever room is left below the last line is shared out above the
    // first.
    bool balanced = false;
};

QImage pageSample(
    const Sample &sample, const Margins &m, const Hand &hand, qreal pitch, int skip = 0)
{
    Canvas canvas(sample, Ground::Page);
    const QRectF page = canvas.page();
    // The tallest letters reach about two and a half x-heights above the
    // baseline and the lowest about one below.
    const qreal first = page.top() + m.top + 2.45 * hand.xHeight;
    const qreal last = page.bottom() - m.bottom - 1.1 * hand.xHeight;
    const int count = std::max(1, int(std::floor((last - first) / pitch)) + 1);
    const qreal spare = m.balanced ? (last - first - (count - 1) * pitch) / 2 : 0;
    Writer writer(canvas, hand);
    writer.lines(runningText(skip), 0, first + spare, pitch, count, [&](int line) {
        const qreal t = count > 1 ? qreal(line) / (count - 1) : 0;
        const qreal left = m.left + ((m.leftEnd < 0 ? m.left : m.leftEnd) - m.left) * t;
        const qreal right = m.right + ((m.rightEnd < 0 ? m.right : m.rightEnd) - m.right) * t;
        return qMakePair(page.left() + left, page.right() - right);
    });
    return canvas.render();
}

// Words rich in loops above and below the line.
QStringList loopyText()
{
    return QStringLiteral(
        "Sally and Billy hung the yellow flags by the big hill gate, happy all day long. The jolly "
        "puppy dug deep by the hedge, the geese flew high, and Molly filled a tall glass jug "
        "with lovely holly berries, gladly giving thanks for the lofty skylight of the old "
        "yard. Lily laughed as the fluffy dog jumped by the gully, and Jilly sang all the "
        "jolly songs she knew, higher and higher, till the night fell.")
        .split(QLatin1Char(' '));
}

} // namespace

QImage drawMargins(int rank, const Sample &sample)
{
    // Short loops, so that the lines of a page written from edge to edge
    // stay clear of each other.
    Hand page = pageHand();
    page.loops = 0.85;
    switch (rank) {
    case 1: // wide left
        return pageSample(sample, { 38, 5, 6, 6 }, page, PagePitch);
    case 2: // wide right
        return pageSample(sample, { 5, 38, 6, 6 }, page, PagePitch);
    case 3: // narrow to wider right
        return pageSample(sample, { 6, 4, 6, 6, -1, 46 }, page, PagePitch);
    case 4: // narrow to wider left
        return pageSample(sample, { 4, 6, 6, 6, 46, -1 }, page, PagePitch);
    case 5: // even all around
        return pageSample(sample, { 11, 11, 11, 11, -1, -1, true }, page, PagePitch, 12);
    case 6: // wide upper
        return pageSample(sample, { 6, 6, 44, 5 }, page, PagePitch);
    case 7: // wide lower
        return pageSample(sample, { 6, 6, 5, 44 }, page, PagePitch);
    default: { // none: whole words fill the page from edge to edge
        Hand hand = page;
        hand.wordSpace = 0.8;
        hand.justify = true;
        hand.justifyLimit = 0.6;
        return pageSample(sample, { 1.2, 1.2, 1.8, 0.6 }, hand, 9.4, 20);
    }
    }
}

QImage drawLineSpacing(int rank, const Sample &sample)
{
    Hand hand = pageHand();
    hand.xHeight = 3.6;
    // A steady writer whose lines run straight and parallel, so that the
    // room between them is all that changes.
    hand.lineTilt = 0.15;
    hand.baselineJitter = 0.03;
    const Margins margins { 6, 6, 5, 5 };
    switch (rank) {
    case 1: // even: the same comfortable room under every line
        return pageSample(sample, margins, hand, 14, 10);
    case 2: // wide
        return pageSample(sample, margins, hand, 20, 10);
    case 3: // very wide
        return pageSample(sample, margins, hand, 29, 10);
    case 4: // narrow: loops nearly meet the line below
        return pageSample(sample, margins, hand, 9.6, 10);
    default: { // overlapping: long loops tangle with the line below
        hand.loops = 1.5;
        Canvas canvas(sample, Ground::Page);
        Writer writer(canvas, hand);
        const QRectF page = canvas.page();
        writer.lines(loopyText(), 0, page.top() + 3 + 2.6 * hand.xHeight, 8.8, 12,
            [&](int) { return qMakePair(page.left() + 6, page.right() - 6); });
        return canvas.render();
    }
    }
}

QImage drawWordSpacing(int rank, const Sample &sample)
{
    Hand hand = pageHand();
    hand.xHeight = 3.8;
    // Even, uneven, small, large and very large spaces, in x-heights.
    static const qreal Spaces[] = { 1.0, 1.5, 0.45, 3.2, 4.2 };
    hand.wordSpace = Spaces[qBound(0, rank - 1, 4)];
    hand.wordSpaceJitter = rank == 2 ? 1.35 : 0.1;
    return pageSample(sample, { 7, 5, 5, 5 }, hand, 13.5, 4);
}
