#pragma once

#include "Findings.h"
#include "InkMap.h"

#include <QRectF>

#include <functional>
#include <vector>

namespace PageAnalysis {

// One word as the layout finds it, in working pixels of the upright page.
struct WordShape
{
    QRectF box;
    double slant = 0; // degrees, right lean positive
    double slantClarity = 0; // how far the best lean stands out from the others
    double xHeight = 0; // 0 where the word is too short to tell
    double left = 0, right = 0; // its middle zone, with the slant stood upright
    std::vector<double> pieces; // widths of the middle zone's pieces of ink
    std::vector<double> letterGaps; // spaces between those pieces
};

struct LineShape
{
    std::vector<int> blots;
    QRectF box;
    double centreX = 0;
    double baseline = 0; // at centreX
    double slope = 0; // of the baseline, pixels down per pixel right
    double xHeight = 0;
    double slant = 0;
    std::vector<WordShape> words;

    double baselineAt(double x) const { return baseline + slope * (x - centreX); }
};

struct PageLayout
{
    std::vector<LineShape> lines;
    double xHeight = 0;
    QRectF writing;
};

// Finds the lines, baselines, middle zones and words. Returns false when
// `cancelled` said so, or with no lines when the page holds no writing.
bool layOut(
    const InkMap &map, double pxPerMm, const std::function<bool()> &cancelled, PageLayout *layout);

// The figures that the findings judge.
PageMeasures measurePage(const InkMap &map, const PageLayout &layout, double pxPerMm);

// Statistics shared with the tests.
double median(std::vector<double> values);
double variation(const std::vector<double> &values); // standard deviation over mean
double spread(const std::vector<double> &values); // standard deviation
// The spread of the middle half, as a standard deviation over the median.
double robustVariation(std::vector<double> values);

} // namespace PageAnalysis
