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

} // namespace InkMeasure
