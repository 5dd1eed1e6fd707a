#include "InkMeasure.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace InkMeasure {

double ink(const QImage &picture, int x, int y)
{
    // Paper and desk are grey-brown (blue a little below red); the ink is
    // far bluer than red. Their difference tells them apart.
    const QRgb p = picture.pixel(x, y);
    const double blueness = qBlue(p) - qRed(p);
    return std::clamp((blueness + 4.0) / 80.0, 0.0, 1.0);
}

QVector<double> rowProfile(const QImage &picture)
{
    QVector<double> rows(picture.height(), 0.0);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            rows[y] += ink(picture, x, y);
    return rows;
}

int leftmostInkColumn(const QImage &picture)
{
    for (int x = 0; x < picture.width(); ++x) {
        int inked = 0;
        for (int y = 0; y < picture.height(); ++y)
            inked += ink(picture, x, y) > 0.5 ? 1 : 0;
        if (inked >= 3)
            return x;
    }
    return picture.width();
}

double linePitch(const QImage &picture)
{
    QVector<double> rows = rowProfile(picture);
    double mean = 0;
    for (double r : rows)
        mean += r;
    mean /= rows.size();
    for (double &r : rows)
        r -= mean;
    auto correlation = [&](int lag) {
        double sum = 0;
        for (int y = 0; y + lag < rows.size(); ++y)
            sum += rows[y] * rows[y + lag];
        return sum / (rows.size() - lag);
    };
    // Skip the central peak, then take the best match.
    int lag = 1;
    while (lag < rows.size() / 2 && correlation(lag) > 0)
        ++lag;
    int best = lag;
    for (; lag < rows.size() * 2 / 3; ++lag) {
        if (correlation(lag) > correlation(best))
            best = lag;
    }
    return best;
}

double slant(const QImage &picture)
{
    constexpr int Strip = 14;
    const int w = picture.width(), h = picture.height();
    QVector<double> map(w * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            map[y * w + x] = ink(picture, x, y);

    double bestScore = -1, bestAngle = 0;
    for (int degrees = -60; degrees <= 60; ++degrees) {
        const double shear = std::tan(degrees * M_PI / 180.0);
        double score = 0;
        for (int top = 0; top < h; top += Strip / 2) {
            const double centre = top + Strip / 2.0;
            QVector<double> columns(2 * w + 200, 0.0);
            for (int y = top; y < std::min(h, top + Strip); ++y) {
                for (int x = 0; x < w; ++x) {
                    const double v = map[y * w + x];
                    if (v <= 0)
                        continue;
                    // Lean the strip back by the candidate angle about its centre.
                    const int bin = int(std::lround(x + shear * (y - centre))) + 100;
                    if (bin >= 0 && bin < columns.size())
                        columns[bin] += v;
                }
            }
            for (double c : columns)
                score += c * c;
        }
        if (score > bestScore) {
            bestScore = score;
            bestAngle = degrees;
        }
    }
    return bestAngle;
}

double inkAtBorder(const QImage &picture, int band)
{
    double strongest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const bool edge = x < band || y < band || x >= picture.width() - band
                || y >= picture.height() - band;
            if (edge)
                strongest = std::max(strongest, ink(picture, x, y));
        }
    }
    return strongest;
}

} // namespace InkMeasure

namespace InkMeasure {

namespace {

// Ink as a map of 0 to 1 per pixel, row by row.
struct InkMap
{
    int w = 0, h = 0;
    QVector<double> v;

    explicit InkMap(const QImage &picture) : w(picture.width()), h(picture.height()), v(w * h)
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                v[y * w + x] = ink(picture, x, y);
    }
    double at(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0 : v[y * w + x]; }
};

// The 4-connected patches of pixels for which `inside` holds, as lists of
// pixel indexes; with `touchingEdge` false, patches that reach the edge of
// the picture are left out.
QVector<QVector<int>> patches(
    int w, int h, const std::function<bool(int)> &inside, bool touchingEdge)
{
    QVector<int> label(w * h, -1);
    QVector<QVector<int>> found;
    for (int start = 0; start < w * h; ++start) {
        if (label[start] >= 0 || !inside(start))
            continue;
        QVector<int> patch { start };
        label[start] = int(found.size());
        bool edge = false;
        for (int i = 0; i < patch.size(); ++i) {
            const int p = patch[i], x = p % w, y = p / w;
            edge = edge || x == 0 || y == 0 || x == w - 1 || y == h - 1;
            const int next[4] = { x > 0 ? p - 1 : -1, x < w - 1 ? p + 1 : -1, y > 0 ? p - w : -1,
                y < h - 1 ? p + w : -1 };
            for (int n : next) {
                if (n >= 0 && label[n] < 0 && inside(n)) {
                    label[n] = label[start];
                    patch.append(n);
                }
            }
        }
        found.append(touchingEdge || !edge ? patch : QVector<int>());
    }
    return found;
}

QRect boxOf(const QVector<int> &patch, int w)
{
    QRect box;
    for (int p : patch)
        box = box.united(QRect(p % w, p / w, 1, 1));
    return box;
}

} // namespace

QRect page(const QImage &picture)
{
    const int w = picture.width(), h = picture.height();
    QVector<int> rows(h, 0), columns(w, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            // Paper, or ink on paper: never the grey of the desk.
            const QRgb p = picture.pixel(x, y);
            if (qGray(p) > 215 || ink(picture, x, y) > 0.3)
                ++rows[y], ++columns[x];
        }
    }
    QRect sheet;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (2 * rows[y] > w && 2 * columns[x] > h)
                sheet = sheet.united(QRect(x, y, 1, 1));
    return sheet;
}

double toneDifference(const QImage &a, const QImage &b, int dx)
{
    if (a.size() != b.size())
        return 1;
    double sum = 0;
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = std::max(0, dx); x < std::min(a.width(), a.width() + dx); ++x) {
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x - dx, y)));
            ++count;
        }
    }
    return count > 0 ? sum / count / 255.0 : 1;
}

Holes holes(const QImage &picture, int minArea)
{
    const InkMap map(picture);
    Holes result;
    const auto white = patches(
        map.w, map.h, [&](int p) { return map.v[p] < 0.35; }, false);
    for (const QVector<int> &patch : white) {
        if (patch.size() >= minArea) {
            ++result.count;
            result.area += int(patch.size());
        }
    }
    return result;
}

Holes holesIn(const QImage &picture, const QVector<QRect> &regions, int minArea)
{
    const InkMap map(picture);
    Holes result;
    const auto white = patches(
        map.w, map.h, [&](int p) { return map.v[p] < 0.35; }, false);
    for (const QVector<int> &patch : white) {
        if (patch.size() < minArea)
            continue;
        const QRect box = boxOf(patch, map.w);
        const bool inside = std::any_of(
            regions.begin(), regions.end(), [&](const QRect &r) { return r.contains(box); });
        if (inside) {
            ++result.count;
            result.area += int(patch.size());
        }
    }
    return result;
}

int addedHoleArea(
    const QImage &picture, const QImage &other, const QVector<QRect> &regions, int minArea)
{
    int sum = 0;
    for (const QRect &r : regions)
        sum += std::max(
            0, holesIn(picture, { r }, minArea).area - holesIn(other, { r }, minArea).area);
    return sum;
}

QVector<QRect> differingRegions(const QImage &a, const QImage &b, int minArea)
{
    const InkMap ma(a), mb(b);
    QVector<QRect> regions;
    const auto differing = patches(
        ma.w, ma.h, [&](int p) { return std::abs(ma.v[p] - mb.v[p]) > 0.45; }, true);
    for (const QVector<int> &patch : differing) {
        if (patch.size() >= minArea)
            regions.append(boxOf(patch, ma.w).adjusted(-2, -2, 2, 2));
    }
    // Patches of one letter, such as the two ways a loop may go, become one.
    for (bool merged = true; merged;) {
        merged = false;
        for (int i = 0; i < regions.size() && !merged; ++i) {
            for (int j = i + 1; j < regions.size() && !merged; ++j) {
                if (regions[i].adjusted(-3, -3, 3, 3).intersects(regions[j])) {
                    regions[i] = regions[i].united(regions[j]);
                    regions.removeAt(j);
                    merged = true;
                }
            }
        }
    }
    return regions;
}

double inkIn(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    for (const QRect &r : regions)
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                sum += map.at(x, y);
    return sum;
}

double rowSpan(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    int rows = 0;
    for (const QRect &r : regions) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int left = r.right() + 1, right = r.left() - 1;
            for (int x = r.left(); x <= r.right(); ++x) {
                if (map.at(x, y) > 0.5)
                    left = std::min(left, x), right = std::max(right, x);
            }
            if (right >= left)
                sum += right - left + 1, ++rows;
        }
    }
    return rows > 0 ? sum / rows : 0;
}

double medianRunWidth(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    QVector<int> runs;
    for (const QRect &r : regions) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int run = 0;
            for (int x = r.left(); x <= r.right() + 1; ++x) {
                if (x <= r.right() && map.at(x, y) > 0.5) {
                    ++run;
                } else if (run > 0) {
                    runs.append(run);
                    run = 0;
                }
            }
        }
    }
    if (runs.isEmpty())
        return 0;
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

namespace {

// The white between two inks along each row of the regions, every run at
// least `minRun` pixels long, in the order met.
QVector<int> whiteRuns(const QImage &picture, const QVector<QRect> &regions, int minRun)
{
    const InkMap map(picture);
    QVector<int> runs;
    for (const QRect &r : regions) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            int last = -1;
            for (int x = r.left(); x <= r.right(); ++x) {
                if (map.at(x, y) <= 0.5)
                    continue;
                if (last >= 0 && x - last - 1 >= minRun)
                    runs.append(x - last - 1);
                last = x;
            }
        }
    }
    return runs;
}

} // namespace

double wideCounterWidth(const QImage &picture, const QVector<QRect> &regions)
{
    QVector<int> runs = whiteRuns(picture, regions, 1);
    if (runs.isEmpty())
        return 0;
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() * 3 / 4];
}

double topStep(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    for (const QRect &r : regions) {
        const int middle = r.left() + r.width() / 2;
        int leftTop = r.bottom() + 1, rightTop = r.bottom() + 1;
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (map.at(x, y) <= 0.5)
                    continue;
                int &top = x < middle ? leftTop : rightTop;
                top = std::min(top, y);
            }
        }
        sum += rightTop - leftTop;
    }
    return regions.isEmpty() ? 0 : sum / regions.size();
}

double gapWidth(const QImage &picture, const QVector<QRect> &regions, int minRun, bool median)
{
    QVector<int> gaps = whiteRuns(picture, regions, minRun);
    if (gaps.isEmpty())
        return 0;
    if (median) {
        std::sort(gaps.begin(), gaps.end());
        return gaps[gaps.size() / 2];
    }
    return std::accumulate(gaps.begin(), gaps.end(), 0.0) / gaps.size();
}

double peakSharpness(const QImage &picture, const QVector<QRect> &regions, int reach)
{
    const InkMap map(picture);
    double sum = 0;
    int peaks = 0;
    for (const QRect &r : regions) {
        // The upper edge of the ink, column by column.
        QVector<int> top(r.width(), -1);
        for (int x = r.left(); x <= r.right(); ++x)
            for (int y = r.top(); y <= r.bottom() && top[x - r.left()] < 0; ++y)
                top[x - r.left()] = map.at(x, y) > 0.5 ? y : -1;
        for (int i = reach; i + reach < top.size(); ++i) {
            const int t = top[i];
            bool peak = t >= 0;
            for (int d = 1; d <= reach && peak; ++d)
                peak = top[i - d] >= t && top[i + d] >= t
                    && (d > 1 || top[i - 1] > t || top[i + 1] > t);
            if (peak) {
                sum += (top[i - reach] + top[i + reach]) / 2.0 - t;
                ++peaks;
            }
        }
    }
    return peaks > 0 ? sum / peaks : 0;
}

double tailUpturn(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    for (const QRect &r : regions) {
        int lowest = r.top(), leftX = r.right() + 1, leftY = r.top();
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (map.at(x, y) <= 0.5)
                    continue;
                lowest = std::max(lowest, y);
                if (x < leftX)
                    leftX = x, leftY = y;
            }
        }
        sum += lowest - leftY;
    }
    return regions.isEmpty() ? 0 : sum / regions.size();
}

namespace {

constexpr int EdgeColumns = 5;

// The inked pixels of each of the first `EdgeColumns` columns of a region
// that hold ink, counted from its left or right side.
QVector<QVector<int>> edgeColumns(const InkMap &map, const QRect &r, bool fromLeft)
{
    QVector<QVector<int>> columns;
    for (int i = 0; i < r.width() && columns.size() < EdgeColumns; ++i) {
        const int x = fromLeft ? r.left() + i : r.right() - i;
        QVector<int> inked;
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (map.at(x, y) > 0.5)
                inked.append(y);
        if (!inked.isEmpty())
            columns.append(inked);
    }
    return columns;
}

} // namespace

double startDepth(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    for (const QRect &r : regions) {
        double ys = 0;
        int count = 0;
        for (const QVector<int> &column : edgeColumns(map, r, true))
            for (int y : column)
                ys += y - r.top(), ++count;
        sum += count > 0 ? ys / count : 0;
    }
    return regions.isEmpty() ? 0 : sum / regions.size();
}

double endThickness(const QImage &picture, const QVector<QRect> &regions)
{
    const InkMap map(picture);
    double sum = 0;
    for (const QRect &r : regions) {
        const auto columns = edgeColumns(map, r, false);
        double pixels = 0;
        for (const QVector<int> &column : columns)
            pixels += column.size();
        sum += columns.isEmpty() ? 0 : pixels / columns.size();
    }
    return regions.isEmpty() ? 0 : sum / regions.size();
}

double dotGap(const QImage &picture, const QImage &undotted)
{
    const InkMap dotted(picture), plain(undotted);
    const auto dots = patches(
        dotted.w, dotted.h, [&](int p) { return dotted.v[p] > 0.5 && plain.v[p] < 0.2; }, true);
    double sum = 0;
    int count = 0;
    for (const QVector<int> &dot : dots) {
        if (dot.size() < 4)
            continue;
        const QRect box = boxOf(dot, dotted.w);
        // Straight down from the dot to the first ink of the letter.
        int stem = dotted.h;
        for (int x = box.left(); x <= box.right(); ++x)
            for (int y = box.bottom() + 1; y < std::min(stem, dotted.h); ++y)
                if (plain.at(x, y) > 0.5)
                    stem = std::min(stem, y);
        if (stem < dotted.h) {
            sum += stem - box.bottom() - 1;
            ++count;
        }
    }
    return count > 0 ? sum / count : -1;
}

} // namespace InkMeasure
