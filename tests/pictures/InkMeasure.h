#pragma once

#include <QImage>
#include <QVector>

// Measurements of the blue ink in a sample picture, independent of the
// paper or desk beneath it.
namespace InkMeasure {

// How much ink covers pixel (x, y), from 0 (paper or desk) to 1 (full ink).
double ink(const QImage &picture, int x, int y);

// Ink summed along each row.
QVector<double> rowProfile(const QImage &picture);

// The leftmost column that holds real ink (a few inked pixels, not a speck).
int leftmostInkColumn(const QImage &picture);

// The distance in pixels between successive lines of writing: the lag at
// which the row profile best matches itself.
double linePitch(const QImage &picture);

// The slant of the writing in degrees, positive leaning to the right: the
// shear that stands the strokes upright, scored strip by strip.
double slant(const QImage &picture);

// The strongest ink found within `band` pixels of the picture's edge.
double inkAtBorder(const QImage &picture, int band);

// The sheet of paper in a picture of a page lying on the desk: the rows and
// columns that are mostly bright paper rather than grey desk.
QRect page(const QImage &picture);

// How far two pictures of the same size differ, with `b` moved `dx` pixels
// to the right: the mean difference of their brightness, from 0 to 1.
double toneDifference(const QImage &a, const QImage &b, int dx = 0);

// The white enclosed by ink, as in the loop of an e or the inside of an o:
// how many such holes of at least `minArea` pixels there are, and their area.
struct Holes
{
    int count = 0;
    int area = 0;
};
Holes holes(const QImage &picture, int minArea);

// Where two pictures of the same writing differ: the boxes around each patch
// of differing ink of at least `minArea` pixels, such as the letters that
// show a variation's feature.
QVector<QRect> differingRegions(const QImage &a, const QImage &b, int minArea);

// The holes that lie wholly within one of the regions.
Holes holesIn(const QImage &picture, const QVector<QRect> &regions, int minArea);

// The white that `picture` encloses beyond `other` (the same writing, the
// letters drawn another way), region by region: the holes that only its own
// letters have.
int addedHoleArea(
    const QImage &picture, const QImage &other, const QVector<QRect> &regions, int minArea);

// All the ink within the regions.
double inkIn(const QImage &picture, const QVector<QRect> &regions);

// How wide the ink within the regions spreads across each row, from its
// leftmost to its rightmost pixel, on average over the rows that hold ink.
double rowSpan(const QImage &picture, const QVector<QRect> &regions);

// The median length of the horizontal runs of ink within the regions: the
// width of the strokes that stand upright there.
double medianRunWidth(const QImage &picture, const QVector<QRect> &regions);

// How wide the white between two strokes along a row within the regions
// mostly is (the upper quartile of those widths): the inside of the widest
// letters there, such as under the arches of an m.
double wideCounterWidth(const QImage &picture, const QVector<QRect> &regions);

// How much lower the ink of each region reaches up on its right half than on
// its left half, in pixels, on average over the regions: the step from the
// first hump of an m down to the next.
double topStep(const QImage &picture, const QVector<QRect> &regions);

// The width of the white between two strokes along the rows within the
// regions, counting only gaps at least `minRun` pixels wide: the room
// between letters, or with a larger `minRun` between words. The mean of
// them, or with `median` the median.
double gapWidth(
    const QImage &picture, const QVector<QRect> &regions, int minRun, bool median = false);

// How sharply the tops of the letters within the regions come to a point:
// at each peak of the ink's upper edge, how far that edge falls within
// `reach` pixels on either side, on average.
double peakSharpness(const QImage &picture, const QVector<QRect> &regions, int reach);

// How far the stroke within each region turns back up after its lowest
// point on its way to the left: the height of its leftmost ink above its
// lowest ink, on average over the regions.
double tailUpturn(const QImage &picture, const QVector<QRect> &regions);

// How far down each region the writing starts: the mean height of the ink in
// the region's leftmost few inked columns, measured from the region's top,
// on average over the regions.
double startDepth(const QImage &picture, const QVector<QRect> &regions);

// How thick the stroke is where the writing in each region ends: the inked
// pixels per column in the region's rightmost few inked columns, on average
// over the regions.
double endThickness(const QImage &picture, const QVector<QRect> &regions);

// The white between each dot that `picture` adds to `undotted` (the same
// writing without the dots) and the stroke beneath it, on average.
double dotGap(const QImage &picture, const QImage &undotted);

} // namespace InkMeasure
