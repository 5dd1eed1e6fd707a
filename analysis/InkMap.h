#pragma once

#include "Picture.h"

#include <QRect>

#include <functional>
#include <vector>

namespace PageAnalysis {

// A stretch of ink along one row: x from x0 up to, not including, x1.
struct Run
{
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

// A connected blot of ink: a letter, a joined word, a dot.
struct Blot
{
    QRect box;
    int pixels = 0;
    double cx = 0; // centre of the ink
    double cy = 0;
    int firstRun = 0; // its runs in InkMap::runs
    int runCount = 0;
};

struct InkMap
{
    int width = 0;
    int height = 0;
    double rotation = 0; // degrees the lines fall to the right on the picture
    QRect paper;
    std::vector<Run> runs;
    std::vector<Blot> blots; // specks and printed rules left out
};

// Background light and paper tone are taken out block by block, so that
// uneven light and grey paper leave the ink alone.
Grey inkStrength(const Grey &grey, int block);
// The threshold between paper and ink, from the strengths' histogram.
int inkThreshold(const Grey &strength);
// The angle in degrees at which rows of ink line up best, within 6.
double lineAngle(const Grey &strength, int threshold);
// The picture turned back by `angle` about its centre.
Grey turnedBack(const Grey &grey, double angle);
// Removes long straight rows and columns of ink, found in the `faint` map
// of lighter ink too: the rules of lined paper. Rows of a rule stay within
// `keep` of writing that touches them.
void removeRules(Grey &ink, const Grey &faint, int minimumRun, int keep);

// Everything above, from a grey working picture at `pxPerMm`. Returns false
// when `cancelled` said so between the steps.
bool findInk(const Grey &grey, double pxPerMm, const std::function<bool()> &cancelled, InkMap *map);

} // namespace PageAnalysis
