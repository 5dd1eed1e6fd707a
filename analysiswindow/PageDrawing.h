#pragma once

#include "analysis/PageAnalysis.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace PageDrawing {

// Reads the picture in `file` as the analysis sees it (turned upright as its
// file says), at no more than `bounds`. A null image when it cannot be read.
QImage readShown(const QString &file, const QSize &bounds);

// `shown` with what the analysis found drawn on it: the margins (the inner
// edge of the writing), every baseline and every word's box. `shown` may be
// smaller than the picture the result was measured on; `linePixels` is how
// many of its pixels make one pixel of a line on screen.
QImage drawFindings(const QImage &shown, const PageAnalysis::Result &result, qreal linePixels = 1);

} // namespace PageDrawing
