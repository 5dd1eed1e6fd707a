#include "InkMap.h"

#include <QtMath>

#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>

namespace PageAnalysis {

namespace {

constexpr std::uint8_t Ink = 1;

// The paper's light in each block: its brightest tenth, so that ink never
// darkens it, then spread over the neighbours to cover blocks full of ink.
std::vector<float> paperLight(const Grey &grey, int block, int columns, int rows)
{
    std::vector<float> light(size_t(columns) * rows);
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx) {
            std::array<int, 256> histogram {};
            const int x1 = std::min(grey.width, (bx + 1) * block);
            const int y1 = std::min(grey.height, (by + 1) * block);
            for (int y = by * block; y < y1; ++y) {
                const std::uint8_t *row = grey.row(y);
                for (int x = bx * block; x < x1; ++x)
                    ++histogram[row[x]];
            }
            const int wanted = std::max(1, (x1 - bx * block) * (y1 - by * block) / 10);
            int v = 255;
            for (int seen = 0; v > 0 && (seen += histogram[size_t(v)]) < wanted; --v) { }
            light[size_t(by) * columns + bx] = float(std::max(v, 8));
        }
    }
    auto spread = [&](bool brightest) {
        std::vector<float> out(light.size());
        for (int by = 0; by < rows; ++by) {
            for (int bx = 0; bx < columns; ++bx) {
                float best = 0, sum = 0;
                int n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int x = bx + dx, y = by + dy;
                        if (x < 0 || y < 0 || x >= columns || y >= rows)
                            continue;
                        const float v = light[size_t(y) * columns + x];
                        best = std::max(best, v);
                        sum += v;
                        ++n;
                    }
                }
                out[size_t(by) * columns + bx] = brightest ? best : sum / float(n);
            }
        }
        light.swap(out);
    };
    spread(true);
    spread(false);
    return light;
}

int otsu(const std::array<qint64, 256> &histogram, int from)
{
    qint64 total = 0;
    double sum = 0;
    for (int v = from; v < 256; ++v) {
        total += histogram[size_t(v)];
        sum += double(v) * double(histogram[size_t(v)]);
    }
    double below = 0, best = -1;
    qint64 count = 0;
    int threshold = from;
    for (int v = from; v < 256; ++v) {
        count += histogram[size_t(v)];
        below += double(v) * double(histogram[size_t(v)]);
        if (count == 0 || count == total)
            continue;
        const double m0 = below / double(count), m1 = (sum - below) / double(total - count);
        const double between = double(count) * double(total - count) * (m0 - m1) * (m0 - m1);
        if (between > best) {
            best = between;
            threshold = v + 1;
        }
    }
    return threshold;
}

double profileScore(
    const std::vector<QPoint> &points, double angle, int height, int slack, std::vector<int> &bins)
{
    std::fill(bins.begin(), bins.end(), 0);
    const double t = std::tan(qDegreesToRadians(angle));
    for (const QPoint &p : points) {
        const int r = int(std::lround(p.y() - p.x() * t)) + slack;
        if (r >= 0 && r < height + 2 * slack)
            ++bins[size_t(r)];
    }
    double score = 0;
    for (const int b : bins)
        score += double(b) * b;
    return score;
}

// Union-find over run indexes.
int rootOf(std::vector<int> &parent, int i)
{
    while (parent[size_t(i)] != i) {
        parent[size_t(i)] = parent[size_t(parent[size_t(i)])];
        i = parent[size_t(i)];
    }
    return i;
}

std::vector<Run> runsOf(const Grey &ink)
{
    std::vector<Run> runs;
    for (int y = 0; y < ink.height; ++y) {
        const std::uint8_t *row = ink.row(y);
        for (int x = 0; x < ink.width;) {
            if (!row[x]) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < ink.width && row[x])
                ++x;
            runs.push_back({ y, start, x });
        }
    }
    return runs;
}

// Joins runs that touch, also across corners, into blots.
std::vector<int> labelRuns(const std::vector<Run> &runs)
{
    std::vector<int> parent(runs.size());
    std::iota(parent.begin(), parent.end(), 0);
    size_t previous = 0, current = 0;
    while (current < runs.size()) {
        const int y = runs[current].y;
        size_t end = current;
        while (end < runs.size() && runs[end].y == y)
            ++end;
        while (previous < current && runs[previous].y < y - 1)
            ++previous;
        size_t p = previous;
        for (size_t i = current; i < end; ++i) {
            while (p < current && runs[p].x1 < runs[i].x0)
                ++p;
            for (size_t q = p; q < current && runs[q].x0 <= runs[i].x1; ++q)
                parent[size_t(rootOf(parent, int(q)))] = rootOf(parent, int(i));
        }
        previous = current;
        current = end;
    }
    return parent;
}

void collectBlots(const std::vector<Run> &runs, int minimumPixels, InkMap *map)
{
    std::vector<int> parent = labelRuns(runs);
    std::vector<int> order(runs.size());
    std::iota(order.begin(), order.end(), 0);
    for (int &root : parent)
        root = rootOf(parent, int(&root - parent.data()));
    std::stable_sort(order.begin(), order.end(),
        [&parent](int a, int b) { return parent[size_t(a)] < parent[size_t(b)]; });
    map->runs.clear();
    map->blots.clear();
    for (size_t i = 0; i < order.size();) {
        size_t end = i;
        Blot blot;
        blot.firstRun = int(map->runs.size());
        int left = INT_MAX, right = 0, top = INT_MAX, bottom = 0;
        double sx = 0, sy = 0;
        for (; end < order.size() && parent[size_t(order[end])] == parent[size_t(order[i])];
             ++end) {
            const Run &r = runs[size_t(order[end])];
            const int n = r.x1 - r.x0;
            blot.pixels += n;
            sx += (r.x0 + r.x1 - 1) * 0.5 * n;
            sy += double(r.y) * n;
            left = std::min(left, r.x0);
            right = std::max(right, r.x1);
            top = std::min(top, r.y);
            bottom = std::max(bottom, r.y + 1);
            map->runs.push_back(r);
        }
        if (blot.pixels >= minimumPixels) {
            blot.runCount = int(map->runs.size()) - blot.firstRun;
            blot.box = QRect(left, top, right - left, bottom - top);
            blot.cx = sx / blot.pixels;
            blot.cy = sy / blot.pixels;
            map->blots.push_back(blot);
        } else {
            map->runs.resize(size_t(blot.firstRun));
        }
        i = end;
    }
}

Grey threshold(const Grey &strength, int t)
{
    Grey ink(strength.width, strength.height);
    for (size_t i = 0; i < ink.pixels.size(); ++i)
        ink.pixels[i] = strength.pixels[i] >= t ? Ink : 0;
    return ink;
}

} // namespace

Grey inkStrength(const Grey &grey, int block)
{
    const int columns = (grey.width + block - 1) / block;
    const int rows = (grey.height + block - 1) / block;
    const std::vector<float> light = paperLight(grey, block, columns, rows);
    Grey strength(grey.width, grey.height);
    std::vector<float> line(static_cast<size_t>(columns));
    for (int y = 0; y < grey.height; ++y) {
        const double fy = std::clamp((y + 0.5) / block - 0.5, 0.0, rows - 1.0);
        const int y0 = int(fy), y1 = std::min(rows - 1, y0 + 1);
        const float ty = float(fy - y0);
        for (int bx = 0; bx < columns; ++bx)
            line[size_t(bx)] = light[size_t(y0) * columns + bx] * (1 - ty)
                + light[size_t(y1) * columns + bx] * ty;
        const std::uint8_t *in = grey.row(y);
        std::uint8_t *out = strength.row(y);
        for (int x = 0; x < grey.width; ++x) {
            const double fx = std::clamp((x + 0.5) / block - 0.5, 0.0, columns - 1.0);
            const int x0 = int(fx), x1 = std::min(columns - 1, x0 + 1);
            const float tx = float(fx - x0);
            const float paper = line[size_t(x0)] * (1 - tx) + line[size_t(x1)] * tx;
            const float dark = (paper - float(in[x])) * 255.0f / paper;
            out[x] = std::uint8_t(std::clamp(dark, 0.0f, 255.0f));
        }
    }
    return strength;
}

int inkThreshold(const Grey &strength)
{
    std::array<qint64, 256> histogram {};
    for (const std::uint8_t v : strength.pixels)
        ++histogram[v];
    // Between the faint (grain, printed rules) and the dark; never so low
    // that grain counts, nor so high that thin strokes fall apart.
    return std::clamp(otsu(histogram, 24), 64, 128);
}

double lineAngle(const Grey &strength, int threshold)
{
    std::vector<QPoint> points;
    for (int y = 0; y < strength.height; ++y) {
        const std::uint8_t *row = strength.row(y);
        for (int x = 0; x < strength.width; x += 2) {
            if (row[x] >= threshold)
                points.emplace_back(x, y);
        }
    }
    if (points.size() < 50)
        return 0;
    const int slack = int(strength.width * std::tan(qDegreesToRadians(6.5))) + 2;
    std::vector<int> bins(size_t(strength.height + 2 * slack));
    double best = 0;
    for (const double step : { 0.5, 0.1, 0.02 }) {
        const double centre = best;
        double bestScore = -1;
        for (int i = -5; i <= 5; ++i) {
            const double a = step == 0.5 ? i * 1.2 : centre + i * step;
            if (std::abs(a) > 6)
                continue;
            const double score = profileScore(points, a, strength.height, slack, bins);
            if (score > bestScore) {
                bestScore = score;
                best = a;
            }
        }
        if (step == 0.5) {
            // The coarse pass looked every 1.2 degrees: look half a step round it.
            for (const double a : { best - 0.6, best + 0.6 }) {
                if (std::abs(a) <= 6
                    && profileScore(points, a, strength.height, slack, bins) > bestScore) {
                    bestScore = profileScore(points, a, strength.height, slack, bins);
                    best = a;
                }
            }
        }
    }
    return best;
}

Grey turnedBack(const Grey &grey, double angle)
{
    if (grey.width < 2 || grey.height < 2)
        return grey;
    Grey out(grey.width, grey.height);
    const double c = std::cos(qDegreesToRadians(angle)), s = std::sin(qDegreesToRadians(angle));
    const double cx = grey.width / 2.0, cy = grey.height / 2.0;
    for (int y = 0; y < grey.height; ++y) {
        std::uint8_t *row = out.row(y);
        const double dy = y + 0.5 - cy;
        for (int x = 0; x < grey.width; ++x) {
            const double dx = x + 0.5 - cx;
            const double sx = std::clamp(cx + dx * c - dy * s - 0.5, 0.0, grey.width - 1.001);
            const double sy = std::clamp(cy + dx * s + dy * c - 0.5, 0.0, grey.height - 1.001);
            const int x0 = int(sx), y0 = int(sy);
            const double tx = sx - x0, ty = sy - y0;
            const std::uint8_t *a = grey.row(y0) + x0;
            const std::uint8_t *b = grey.row(y0 + 1) + x0;
            const double v
                = (a[0] * (1 - tx) + a[1] * tx) * (1 - ty) + (b[0] * (1 - tx) + b[1] * tx) * ty;
            row[x] = std::uint8_t(v + 0.5);
        }
    }
    return out;
}

namespace {

// Erases the rows of a rule where no stroke crosses it.
// Erases the rows of a rule except where writing touches it, and for `keep`
// columns on either side: joined writing often runs along the rule between
// its letters.
void eraseRowBand(Grey &ink, int y0, int y1, int keep)
{
    const int above = y0 - 3, below = y1 + 3;
    std::vector<int> touched(size_t(ink.width) + 1);
    for (int x = 0; x < ink.width; ++x) {
        const bool touches
            = (above >= 0 && ink.at(x, above)) || (below < ink.height && ink.at(x, below));
        touched[size_t(x) + 1] = touched[size_t(x)] + (touches ? 1 : 0);
    }
    for (int x = 0; x < ink.width; ++x) {
        const int from = std::max(0, x - keep), to = std::min(ink.width, x + keep + 1);
        if (touched[size_t(to)] > touched[size_t(from)])
            continue;
        for (int y = std::max(0, y0 - 1); y <= std::min(ink.height - 1, y1 + 1); ++y)
            ink.row(y)[x] = 0;
    }
}

void eraseColumnBand(Grey &ink, int x0, int x1)
{
    const int before = x0 - 4, after = x1 + 4;
    for (int y = 0; y < ink.height; ++y) {
        std::uint8_t *row = ink.row(y);
        const bool crossed = (before >= 0 && row[before]) || (after < ink.width && row[after]);
        if (crossed)
            continue;
        for (int x = std::max(0, x0 - 2); x <= std::min(ink.width - 1, x1 + 2); ++x)
            row[x] = 0;
    }
}

// Calls `erase` for every band of neighbours whose long runs cover `needed`.
template<typename Erase> void eraseBands(const std::vector<int> &longInk, int needed, Erase erase)
{
    const int n = int(longInk.size());
    for (int i = 0; i < n; ++i) {
        if (longInk[size_t(i)] < needed)
            continue;
        int end = i;
        while (end + 1 < n && longInk[size_t(end + 1)] >= needed)
            ++end;
        erase(i, end);
        i = end;
    }
}

} // namespace

void removeRules(Grey &ink, const Grey &faint, int minimumRun, int keep)
{
    std::vector<int> rowLong(static_cast<size_t>(ink.height)), columnLong(size_t(ink.width));
    std::vector<int> columnRun(static_cast<size_t>(ink.width));
    for (int y = 0; y < ink.height; ++y) {
        const std::uint8_t *row = faint.row(y);
        int run = 0;
        for (int x = 0; x <= ink.width; ++x) {
            const bool on = x < ink.width && row[x];
            if (on) {
                ++run;
            } else {
                if (run >= minimumRun)
                    rowLong[size_t(y)] += run;
                run = 0;
            }
            if (x == ink.width)
                break;
            int &down = columnRun[size_t(x)];
            if (on) {
                ++down;
            } else {
                if (down >= minimumRun)
                    columnLong[size_t(x)] += down;
                down = 0;
            }
        }
    }
    for (int x = 0; x < ink.width; ++x) {
        if (columnRun[size_t(x)] >= minimumRun)
            columnLong[size_t(x)] += columnRun[size_t(x)];
    }
    eraseBands(
        rowLong, ink.width * 3 / 10, [&ink, keep](int a, int b) { eraseRowBand(ink, a, b, keep); });
    eraseBands(
        columnLong, ink.height * 3 / 10, [&ink](int a, int b) { eraseColumnBand(ink, a, b); });
}

bool findInk(const Grey &grey, double pxPerMm, const std::function<bool()> &cancelled, InkMap *map)
{
    const int block = std::max(16, int(std::lround(4 * pxPerMm)));
    Grey strength = inkStrength(grey, block);
    int t = inkThreshold(strength);
    if (cancelled && cancelled())
        return false;
    map->rotation = lineAngle(strength, t);
    if (std::abs(map->rotation) >= 0.05) {
        strength = turnedBack(strength, map->rotation);
        // Turning blurs thin strokes a little: the threshold follows.
        t = t * 4 / 5;
        if (cancelled && cancelled())
            return false;
    }
    Grey ink = threshold(strength, t);
    // Rules are found where they are faint too, and taken out of the ink.
    removeRules(ink, threshold(strength, t / 2), std::max(8, int(std::lround(3 * pxPerMm))),
        int(std::lround(0.7 * pxPerMm)));
    strength = Grey();
    map->width = ink.width;
    map->height = ink.height;
    map->paper = QRect(0, 0, ink.width, ink.height);
    const int speck = std::max(4, int(std::lround(0.3 * pxPerMm * 0.3 * pxPerMm)));
    collectBlots(runsOf(ink), speck, map);
    // Shadows of the scanner's lid and other frames are no writing.
    map->blots.erase(std::remove_if(map->blots.begin(), map->blots.end(),
                         [map](const Blot &b) {
                             return b.box.width() > map->width * 0.4
                                 && b.box.height() > map->height * 0.4;
                         }),
        map->blots.end());
    return !(cancelled && cancelled());
}

} // namespace PageAnalysis
