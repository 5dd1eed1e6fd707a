#include "Layout.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace PageAnalysis {

namespace {

struct Band
{
    int peak = 0;
    int top = 0;
    int bottom = 0;
};

std::vector<double> smoothed(const std::vector<double> &p, double sigma)
{
    if (sigma < 0.5)
        return p;
    const int r = int(std::ceil(3 * sigma));
    std::vector<double> kernel(size_t(2 * r + 1));
    for (int i = -r; i <= r; ++i)
        kernel[size_t(i + r)] = std::exp(-0.5 * i * i / (sigma * sigma));
    const double total = std::accumulate(kernel.begin(), kernel.end(), 0.0);
    const int n = int(p.size());
    std::vector<double> out(p.size());
    for (int i = 0; i < n; ++i) {
        double sum = 0;
        for (int j = std::max(0, i - r); j <= std::min(n - 1, i + r); ++j)
            sum += kernel[size_t(j - i + r)] * p[size_t(j)];
        out[size_t(i)] = sum / total;
    }
    return out;
}

int lowestBetween(const std::vector<double> &s, int a, int b)
{
    return int(std::min_element(s.begin() + a, s.begin() + b + 1) - s.begin());
}

// Peaks of a profile that stand clear of their neighbours: closer than
// `minSeparation`, or with a valley between them above `valleyRatio` of the
// lower peak, two peaks are one.
std::vector<Band> bandsOf(const std::vector<double> &s, double minSeparation, double valleyRatio)
{
    const int n = int(s.size());
    std::vector<int> peaks;
    for (int i = 0; i < n; ++i) {
        const bool rises = i == 0 || s[size_t(i)] >= s[size_t(i - 1)];
        const bool falls = i == n - 1 || s[size_t(i)] > s[size_t(i + 1)];
        if (s[size_t(i)] > 0 && rises && falls)
            peaks.push_back(i);
    }
    for (bool merged = true; merged && peaks.size() > 1;) {
        merged = false;
        for (size_t k = 0; k + 1 < peaks.size(); ++k) {
            const int a = peaks[k], b = peaks[k + 1];
            const double valley = s[size_t(lowestBetween(s, a, b))];
            if (b - a < minSeparation
                || valley >= valleyRatio * std::min(s[size_t(a)], s[size_t(b)])) {
                peaks.erase(peaks.begin() + long(s[size_t(a)] < s[size_t(b)] ? k : k + 1));
                merged = true;
                break;
            }
        }
    }
    std::vector<Band> bands;
    for (size_t k = 0; k < peaks.size(); ++k) {
        Band band;
        band.peak = peaks[k];
        band.top = k == 0 ? 0 : bands.back().bottom;
        band.bottom = k + 1 == peaks.size() ? n : lowestBetween(s, peaks[k], peaks[k + 1]);
        bands.push_back(band);
    }
    return bands;
}

// Where the profile's main peak falls to half its height above and below.
std::pair<double, double> halfHeightBand(const std::vector<double> &s)
{
    if (s.empty())
        return { 0, 0 };
    const int peak = int(std::max_element(s.begin(), s.end()) - s.begin());
    const double level = 0.5 * s[size_t(peak)];
    int top = peak, bottom = peak;
    while (top > 0 && s[size_t(top - 1)] >= level)
        --top;
    while (bottom + 1 < int(s.size()) && s[size_t(bottom + 1)] >= level)
        ++bottom;
    auto cross = [&](int inside, int outside) {
        if (outside < 0 || outside >= int(s.size()))
            return double(inside);
        const double a = s[size_t(inside)], b = s[size_t(outside)];
        return inside + (outside - inside) * (a - level) / std::max(1e-9, a - b);
    };
    // Rows are cells: the top edge of the top row, the bottom edge of the bottom row.
    return { cross(top, top - 1), cross(bottom, bottom + 1) + 1 };
}

std::vector<double> rowProfile(const InkMap &map, const std::vector<int> &blots)
{
    std::vector<double> profile(static_cast<size_t>(map.height));
    for (const int b : blots) {
        const Blot &blot = map.blots[size_t(b)];
        for (int r = blot.firstRun; r < blot.firstRun + blot.runCount; ++r) {
            const Run &run = map.runs[size_t(r)];
            profile[size_t(run.y)] += run.x1 - run.x0;
        }
    }
    return profile;
}

// The rows of ink of some blots with the line's baseline made level, from
// `top` down, only of runs centred in [from, to).
std::vector<double> levelProfile(const InkMap &map, const std::vector<int> &blots,
    const LineShape &line, int top, int rows, double from = -1e9, double to = 1e9)
{
    std::vector<double> profile(size_t(std::max(rows, 1)));
    for (const int b : blots) {
        const Blot &blot = map.blots[size_t(b)];
        for (int r = blot.firstRun; r < blot.firstRun + blot.runCount; ++r) {
            const Run &run = map.runs[size_t(r)];
            const double mid = (run.x0 + run.x1) * 0.5;
            if (mid < from || mid >= to)
                continue;
            const int y = int(std::lround(run.y - line.slope * (mid - line.centreX))) - top;
            if (y >= 0 && y < rows)
                profile[size_t(y)] += run.x1 - run.x0;
        }
    }
    return profile;
}

} // namespace

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + long(middle), values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1)
        return upper;
    return 0.5 * (upper + *std::max_element(values.begin(), values.begin() + long(middle)));
}

double spread(const std::vector<double> &values)
{
    if (values.size() < 2)
        return 0;
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
    double sum = 0;
    for (const double v : values)
        sum += (v - mean) * (v - mean);
    return std::sqrt(sum / double(values.size() - 1));
}

double robustVariation(std::vector<double> values)
{
    if (values.size() < 4)
        return variation(values);
    std::sort(values.begin(), values.end());
    auto at = [&values](double share) {
        const double i = share * double(values.size() - 1);
        const size_t low = size_t(i);
        const size_t high = std::min(values.size() - 1, low + 1);
        return values[low] + (values[high] - values[low]) * (i - double(low));
    };
    const double middle = at(0.5);
    // For a normal spread the quartiles lie 1.349 standard deviations apart.
    return middle > 0 ? (at(0.75) - at(0.25)) / 1.349 / middle : 0;
}

double variation(const std::vector<double> &values)
{
    if (values.size() < 2)
        return 0;
    const double mean = std::accumulate(values.begin(), values.end(), 0.0) / double(values.size());
    return mean > 0 ? spread(values) / mean : 0;
}

namespace {

double weightedMedian(std::vector<std::pair<double, double>> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    double total = 0;
    for (const auto &v : values)
        total += v.second;
    double seen = 0;
    for (const auto &v : values) {
        seen += v.second;
        if (seen >= total / 2)
            return v.first;
    }
    return values.back().first;
}

// A first x-height: the half-height width of the profile's peaks, weighted
// by their height so that rows of i-dots count little.
double roughXHeight(const std::vector<double> &profile, double pxPerMm)
{
    const std::vector<double> s = smoothed(profile, 0.4 * pxPerMm);
    std::vector<std::pair<double, double>> widths;
    for (const Band &band : bandsOf(s, 1.5 * pxPerMm, 0.6)) {
        const std::vector<double> part(s.begin() + band.top, s.begin() + band.bottom);
        const auto zone = halfHeightBand(part);
        widths.push_back({ zone.second - zone.first, s[size_t(band.peak)] });
    }
    return weightedMedian(widths);
}

// Lines without a blot of writing's height (rows of dots and bars) give
// their blots to the nearest line that has one, when it is near.
void foldDotRows(
    const InkMap &map, double x, std::vector<LineShape> &lines, const std::vector<Band> &bands)
{
    std::vector<bool> real(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        for (const int b : lines[i].blots)
            real[i] = real[i] || map.blots[size_t(b)].box.height() >= 0.6 * x;
    }
    for (size_t i = 0; i < lines.size(); ++i) {
        if (real[i])
            continue;
        size_t best = i;
        for (size_t j = 0; j < lines.size(); ++j) {
            const int d = std::abs(bands[j].peak - bands[i].peak);
            if (real[j] && (best == i || d < std::abs(bands[best].peak - bands[i].peak)))
                best = j;
        }
        // Marks far from any writing (dust, a stain) belong to no line.
        if (best != i && std::abs(bands[best].peak - bands[i].peak) <= 2.5 * x)
            lines[best].blots.insert(
                lines[best].blots.end(), lines[i].blots.begin(), lines[i].blots.end());
        lines[i].blots.clear();
    }
    lines.erase(std::remove_if(
                    lines.begin(), lines.end(), [](const LineShape &l) { return l.blots.empty(); }),
        lines.end());
}

std::vector<LineShape> findLines(const InkMap &map, double pxPerMm, double *rough)
{
    std::vector<int> all(map.blots.size());
    std::iota(all.begin(), all.end(), 0);
    const std::vector<double> profile = rowProfile(map, all);
    const double x = std::max(2.0, roughXHeight(profile, pxPerMm));
    *rough = x;
    const std::vector<Band> bands = bandsOf(smoothed(profile, 0.3 * x), 1.2 * x, 0.75);
    std::vector<LineShape> lines(bands.size());
    for (int b = 0; b < int(map.blots.size()); ++b) {
        const double cy = map.blots[size_t(b)].cy;
        for (size_t i = 0; i < bands.size(); ++i) {
            if (cy >= bands[i].top && cy < bands[i].bottom) {
                lines[i].blots.push_back(b);
                break;
            }
        }
    }
    foldDotRows(map, x, lines, bands);
    for (LineShape &line : lines) {
        for (const int b : line.blots)
            line.box |= QRectF(map.blots[size_t(b)].box);
    }
    return lines;
}

// The baseline follows the bottom of the middle zone piece by piece.
void fitBaseline(const InkMap &map, double x, LineShape &line)
{
    line.centreX = line.box.center().x();
    const int top = int(line.box.top()), rows = int(line.box.height()) + 1;
    const double chunk = 8 * x;
    const int chunks = std::max(1, int(line.box.width() / chunk));
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (int c = 0; c < chunks; ++c) {
        const double from = line.box.left() + c * line.box.width() / chunks;
        const double to = from + line.box.width() / chunks;
        const std::vector<double> p = levelProfile(map, line.blots, line, top, rows, from, to);
        const double ink = std::accumulate(p.begin(), p.end(), 0.0);
        if (ink < x * x)
            continue;
        const double px = (from + to) / 2 - line.centreX;
        const double py = top + halfHeightBand(smoothed(p, 0.1 * x)).second;
        sw += ink;
        sx += ink * px;
        sy += ink * py;
        sxx += ink * px * px;
        sxy += ink * px * py;
    }
    const double det = sw * sxx - sx * sx;
    line.slope = det > 1e-9 ? std::clamp((sw * sxy - sx * sy) / det, -0.035, 0.035) : 0;
    const int pad = int(std::abs(line.slope) * line.box.width() / 2) + 2;
    const std::vector<double> p
        = smoothed(levelProfile(map, line.blots, line, top - pad, rows + 2 * pad), 0.08 * x);
    const auto zone = halfHeightBand(p);
    line.xHeight = zone.second - zone.first;
    line.baseline = top - pad + zone.second;
}

} // namespace

namespace {

struct Piece
{
    double left = 0;
    double right = 0;
};

// Points of ink as (x, height above the baseline), at most about `limit`.
std::vector<QPointF> strokePoints(const InkMap &map, const std::vector<int> &blots,
    const LineShape &line, qint64 limit, int widest)
{
    qint64 total = 0;
    for (const int b : blots)
        total += map.blots[size_t(b)].pixels;
    const qint64 stride = std::max<qint64>(1, total / limit);
    std::vector<QPointF> points;
    qint64 i = 0;
    for (const int b : blots) {
        const Blot &blot = map.blots[size_t(b)];
        for (int r = blot.firstRun; r < blot.firstRun + blot.runCount; ++r) {
            const Run &run = map.runs[size_t(r)];
            if (run.x1 - run.x0 > widest)
                continue;
            for (int x = run.x0; x < run.x1; ++x) {
                if (i++ % stride == 0)
                    points.emplace_back(x + 0.5, line.baselineAt(x) - (run.y + 0.5));
            }
        }
    }
    return points;
}

// The pen's width: the commonest length of a run of ink across a stroke.
double strokeWidth(const InkMap &map)
{
    std::vector<double> widths;
    const size_t stride = std::max<size_t>(1, map.runs.size() / 20000);
    for (size_t i = 0; i < map.runs.size(); i += stride)
        widths.push_back(map.runs[i].x1 - map.runs[i].x0);
    return std::max(1.0, median(widths));
}

// The lean at which the strokes, sheared upright, pile up in the fewest
// columns: the writing's downstrokes then stand vertical.
double slantOf(const std::vector<QPointF> &points, double *clarity = nullptr)
{
    if (clarity)
        *clarity = 0;
    if (points.size() < 20)
        return 0;
    double left = 1e18, right = -1e18, reach = 0;
    for (const QPointF &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        reach = std::max(reach, std::abs(p.y()));
    }
    const int offset = int(reach * 1.2) + 2;
    std::vector<int> bins(size_t(right - left) + 2 * size_t(offset) + 2);
    auto score = [&](double degrees) {
        std::fill(bins.begin(), bins.end(), 0);
        const double t = std::tan(qDegreesToRadians(degrees));
        for (const QPointF &p : points)
            ++bins[size_t(int(p.x() - left - p.y() * t) + offset)];
        double sum = 0;
        for (const int b : bins)
            sum += double(b) * b;
        return sum;
    };
    double best = 0, bestScore = -1, sum = 0;
    for (int d = -45; d <= 45; d += 3) {
        const double s = score(d);
        sum += s;
        if (s > bestScore)
            bestScore = s, best = d;
    }
    // How much the best lean stands out: words of round letters only hardly
    // show one.
    if (clarity)
        *clarity = bestScore / (sum / 31) - 1;
    const double centre = best;
    for (double d = centre - 2.5; d <= centre + 2.5; d += 0.5) {
        const double s = score(d);
        if (s > bestScore)
            bestScore = s, best = d;
    }
    return best;
}

// The middle zone's pieces of ink along a line, with the slant stood upright.
std::vector<Piece> middlePieces(const InkMap &map, const LineShape &line, double t)
{
    const double low = 0.05 * line.xHeight, high = 0.95 * line.xHeight;
    const int offset = int(line.xHeight * std::abs(t)) + 2;
    std::vector<std::uint8_t> covered(size_t(map.width + 2 * offset));
    const int last = int(covered.size());
    for (const int b : line.blots) {
        const Blot &blot = map.blots[size_t(b)];
        for (int r = blot.firstRun; r < blot.firstRun + blot.runCount; ++r) {
            const Run &run = map.runs[size_t(r)];
            const double h = line.baselineAt((run.x0 + run.x1) * 0.5) - (run.y + 0.5);
            if (h < low || h > high)
                continue;
            const int a = std::clamp(int(std::lround(run.x0 - h * t)) + offset, 0, last);
            const int e = std::clamp(int(std::lround(run.x1 - h * t)) + offset, 0, last);
            std::fill(covered.begin() + a, covered.begin() + e, 1);
        }
    }
    std::vector<Piece> pieces;
    for (int x = 0; x < last;) {
        if (!covered[size_t(x)]) {
            ++x;
            continue;
        }
        const int start = x;
        while (x < last && covered[size_t(x)])
            ++x;
        pieces.push_back({ double(start - offset), double(x - offset) });
    }
    return pieces;
}

// Splits the spaces along the lines, in x-heights, into the spaces within
// words and between them: two clusters when they stand clearly apart.
double wordGapThreshold(std::vector<double> gaps)
{
    constexpr double Fallback = 0.35;
    if (gaps.size() < 4)
        return Fallback;
    std::vector<double> logs;
    for (const double g : gaps)
        logs.push_back(std::log(g + 0.02));
    std::sort(logs.begin(), logs.end());
    const size_t n = logs.size();
    std::vector<double> prefix(n + 1), squares(n + 1);
    for (size_t i = 0; i < n; ++i) {
        prefix[i + 1] = prefix[i] + logs[i];
        squares[i + 1] = squares[i] + logs[i] * logs[i];
    }
    size_t split = 0;
    double best = -1;
    for (size_t k = 1; k < n; ++k) {
        const double m1 = prefix[k] / double(k), m2 = (prefix[n] - prefix[k]) / double(n - k);
        const double between = double(k) * double(n - k) * (m2 - m1) * (m2 - m1);
        if (between > best)
            best = between, split = k;
    }
    const double n1 = double(split), n2 = double(n - split);
    const double m1 = prefix[split] / n1, m2 = (prefix[n] - prefix[split]) / n2;
    const double v1 = squares[split] / n1 - m1 * m1;
    const double v2 = (squares[n] - squares[split]) / n2 - m2 * m2;
    const double fisher = (m2 - m1) * (m2 - m1) / (v1 + v2 + 1e-6);
    if (std::exp(m2 - m1) < 2.5 || fisher < 4)
        return Fallback;
    // The border goes into the widest break between the two clusters' means.
    size_t widest = split;
    for (size_t k = 1; k < n; ++k) {
        if (logs[k - 1] >= m1 && logs[k] <= m2
            && logs[k] - logs[k - 1] > logs[widest] - logs[widest - 1])
            widest = k;
    }
    return std::exp((logs[widest - 1] + logs[widest]) / 2) - 0.02;
}

} // namespace

namespace {

void groupWords(const std::vector<Piece> &pieces, double gap, LineShape &line)
{
    line.words.clear();
    for (size_t i = 0; i < pieces.size(); ++i) {
        if (i == 0 || pieces[i].left - pieces[i - 1].right >= gap) {
            WordShape word;
            word.left = pieces[i].left;
            line.words.push_back(word);
        } else {
            line.words.back().letterGaps.push_back(pieces[i].left - pieces[i - 1].right);
        }
        WordShape &word = line.words.back();
        word.right = pieces[i].right;
        word.pieces.push_back(pieces[i].right - pieces[i].left);
    }
}

// Each blot belongs to the word that its centre stands over, the slant stood
// upright.
std::vector<std::vector<int>> blotsOfWords(const InkMap &map, const LineShape &line, double t)
{
    std::vector<std::vector<int>> owned(line.words.size());
    if (line.words.empty())
        return owned;
    for (const int b : line.blots) {
        const Blot &blot = map.blots[size_t(b)];
        const double x = blot.cx - (line.baselineAt(blot.cx) - blot.cy) * t;
        size_t best = 0;
        double bestDistance = 1e18;
        for (size_t w = 0; w < line.words.size(); ++w) {
            const WordShape &word = line.words[w];
            const double d = std::max({ word.left - x, x - word.right, 0.0 });
            if (d < bestDistance)
                bestDistance = d, best = w;
        }
        owned[best].push_back(b);
    }
    return owned;
}

void measureWords(const InkMap &map, double t, int widest, LineShape &line)
{
    const std::vector<std::vector<int>> owned = blotsOfWords(map, line, t);
    const int pad = int(std::abs(line.slope) * line.box.width() / 2) + 2;
    const int top = int(line.box.top()) - pad, rows = int(line.box.height()) + 1 + 2 * pad;
    for (size_t w = 0; w < line.words.size(); ++w) {
        WordShape &word = line.words[w];
        if (owned[w].empty()) {
            word.box = QRectF(word.left, line.baselineAt(word.left) - line.xHeight,
                word.right - word.left, line.xHeight);
            continue;
        }
        for (const int b : owned[w])
            word.box |= QRectF(map.blots[size_t(b)].box);
        word.slant = slantOf(strokePoints(map, owned[w], line, 3000, widest), &word.slantClarity);
        if (word.right - word.left >= 1.5 * line.xHeight) {
            const std::vector<double> p = levelProfile(map, owned[w], line, top, rows);
            const auto zone = halfHeightBand(smoothed(p, 0.08 * line.xHeight));
            word.xHeight = zone.second - zone.first;
        }
    }
}

} // namespace

bool layOut(
    const InkMap &map, double pxPerMm, const std::function<bool()> &cancelled, PageLayout *layout)
{
    *layout = PageLayout();
    if (map.blots.empty())
        return true;
    double rough = 0;
    layout->lines = findLines(map, pxPerMm, &rough);
    std::vector<double> heights;
    for (LineShape &line : layout->lines) {
        fitBaseline(map, rough, line);
        if (line.xHeight < 1)
            line.xHeight = rough;
        heights.push_back(line.xHeight);
        layout->writing |= line.box;
    }
    layout->xHeight = median(heights);
    if (cancelled && cancelled())
        return false;
    const int widest = int(std::lround(2.5 * strokeWidth(map)));
    std::vector<std::vector<Piece>> pieces;
    std::vector<double> gaps;
    for (LineShape &line : layout->lines) {
        line.slant = slantOf(strokePoints(map, line.blots, line, 20000, widest));
        pieces.push_back(middlePieces(map, line, std::tan(qDegreesToRadians(line.slant))));
        for (size_t i = 1; i < pieces.back().size(); ++i)
            gaps.push_back((pieces.back()[i].left - pieces.back()[i - 1].right) / line.xHeight);
    }
    if (cancelled && cancelled())
        return false;
    const double threshold = wordGapThreshold(gaps);
    for (size_t i = 0; i < layout->lines.size(); ++i) {
        LineShape &line = layout->lines[i];
        groupWords(pieces[i], threshold * line.xHeight, line);
        measureWords(map, std::tan(qDegreesToRadians(line.slant)), widest, line);
    }
    return !(cancelled && cancelled());
}

namespace {

// The straight trend of values taken in order: the change it makes from the
// first to the last, and how closely the values follow it (r squared).
std::pair<double, double> trendOf(const std::vector<double> &values)
{
    const size_t n = values.size();
    if (n < 3)
        return { 0, 0 };
    const double mi = (double(n) - 1) / 2;
    const double mv = std::accumulate(values.begin(), values.end(), 0.0) / double(n);
    double sxy = 0, sxx = 0, syy = 0;
    for (size_t i = 0; i < n; ++i) {
        sxy += (double(i) - mi) * (values[i] - mv);
        sxx += (double(i) - mi) * (double(i) - mi);
        syy += (values[i] - mv) * (values[i] - mv);
    }
    const double r2 = syy > 1e-9 ? sxy * sxy / (sxx * syy) : 0;
    return { sxy / sxx * double(n - 1), r2 };
}

void measureMargins(const InkMap &map, const PageLayout &layout, PageMeasures &m)
{
    const QRectF paper(map.paper);
    const QRectF &w = layout.writing;
    m.left = std::max(0.0, (w.left() - paper.left()) / paper.width());
    m.right = std::max(0.0, (paper.right() - w.right()) / paper.width());
    m.top = std::max(0.0, (w.top() - paper.top()) / paper.height());
    m.bottom = std::max(0.0, (paper.bottom() - w.bottom()) / paper.height());
    std::vector<double> lefts, rights;
    for (const LineShape &line : layout.lines) {
        lefts.push_back(line.box.left());
        rights.push_back(line.box.right());
    }
    // The last line of a text ends where its words end.
    if (rights.size() >= 4)
        rights.pop_back();
    const auto left = trendOf(lefts), right = trendOf(rights);
    m.leftInward = left.first / paper.width();
    m.leftSteadiness = left.second;
    m.rightInward = -right.first / paper.width();
    m.rightSteadiness = right.second;
    m.lines = int(layout.lines.size());
}

// The share of the columns two lines share where the lower writing of the
// first reaches below the upper writing of the second, each taken over an
// x-height around the column; blots that join the two lines count whole.
double overlapShare(const InkMap &map, const LineShape &a, const LineShape &b, double x)
{
    const int from = int(std::max(a.box.left(), b.box.left()));
    const int to = int(std::min(a.box.right(), b.box.right()));
    if (to <= from)
        return 0;
    const size_t n = size_t(to - from);
    std::vector<int> lowest(n, -1), highest(n, INT_MAX);
    std::vector<bool> joined(n);
    auto reach = [&](const LineShape &line, bool down) {
        for (const int i : line.blots) {
            const Blot &blot = map.blots[size_t(i)];
            const bool joins = blot.box.top() < a.baselineAt(blot.cx) - 0.5 * x
                && blot.box.bottom() > b.baselineAt(blot.cx) - 0.5 * x;
            for (int r = blot.firstRun; r < blot.firstRun + blot.runCount; ++r) {
                const Run &run = map.runs[size_t(r)];
                for (int c = std::max(run.x0, from); c < std::min(run.x1, to); ++c) {
                    int &v = down ? lowest[size_t(c - from)] : highest[size_t(c - from)];
                    v = down ? std::max(v, run.y) : std::min(v, run.y);
                    joined[size_t(c - from)] = joined[size_t(c - from)] || joins;
                }
            }
        }
    };
    reach(a, true);
    reach(b, false);
    const int half = std::max(1, int(x / 2));
    int crossed = 0;
    for (size_t c = 0; c < n; ++c) {
        int low = -1, high = INT_MAX;
        for (size_t d = c >= size_t(half) ? c - size_t(half) : 0;
             d < std::min(n, c + size_t(half) + 1); ++d) {
            low = std::max(low, lowest[d]);
            high = std::min(high, highest[d]);
        }
        crossed += joined[c] || (low >= 0 && low >= high);
    }
    return double(crossed) / double(n);
}

void measureLines(const InkMap &map, const PageLayout &layout, PageMeasures &m)
{
    std::vector<double> distances, overlaps;
    for (size_t k = 0; k + 1 < layout.lines.size(); ++k) {
        const LineShape &a = layout.lines[k], &b = layout.lines[k + 1];
        const double from = std::max(a.box.left(), b.box.left());
        const double to = std::min(a.box.right(), b.box.right());
        const double x = from < to ? (from + to) / 2 : (a.centreX + b.centreX) / 2;
        distances.push_back(b.baselineAt(x) - a.baselineAt(x));
        overlaps.push_back(overlapShare(map, a, b, layout.xHeight));
    }
    m.linePitch = median(distances) / layout.xHeight;
    m.linePitchVariation = variation(distances);
    m.overlap = median(overlaps);
}

void measureWordsAndLetters(const PageLayout &layout, PageMeasures &m)
{
    const double x = layout.xHeight;
    std::vector<double> slants, gaps, sizes, letters, letterGaps, clarities, wide;
    double joined = 0, total = 0;
    for (const LineShape &line : layout.lines) {
        for (const WordShape &word : line.words)
            clarities.push_back(word.slantClarity);
    }
    // Words whose lean hardly stands out (round letters only) say little.
    const double clear = 0.5 * median(clarities);
    for (const LineShape &line : layout.lines) {
        for (size_t w = 0; w < line.words.size(); ++w) {
            const WordShape &word = line.words[w];
            if (word.right - word.left >= line.xHeight && word.slantClarity >= clear)
                slants.push_back(word.slant);
            if (w > 0)
                gaps.push_back(word.left - line.words[w - 1].right);
            if (word.xHeight > 0)
                sizes.push_back(word.xHeight);
            for (const double piece : word.pieces) {
                total += piece;
                if (piece > 2 * x) {
                    joined += piece;
                    wide.push_back(piece);
                } else {
                    letters.push_back(piece);
                }
            }
            letterGaps.insert(letterGaps.end(), word.letterGaps.begin(), word.letterGaps.end());
        }
    }
    m.slant = median(slants);
    m.slantSpread = spread(slants);
    m.slantedWords = int(slants.size());
    m.wordGap = median(gaps) / x;
    m.wordGapVariation = variation(gaps);
    m.wordGaps = int(gaps.size());
    m.sizeVariation = robustVariation(sizes);
    m.sizedWords = int(sizes.size());
    m.joinedShare = total > 0 ? joined / total : 0;
    m.lettersApart = m.joinedShare < Border::JoinedShare && letters.size() >= 10;
    m.letterWidth = median(letters) / x;
    // Letters that touch leave no space: a piece as wide as n letters holds
    // n - 1 spaces of nothing.
    const double letter = std::max(1.0, median(letters));
    for (const auto *pieces : { &letters, &wide }) {
        for (const double piece : *pieces) {
            const double touching = std::max(0.0, std::round(piece / letter) - 1);
            letterGaps.insert(letterGaps.end(), size_t(touching), 0.0);
        }
    }
    m.letterGap = median(letterGaps) / x;
    m.letterGaps = int(letterGaps.size());
}

} // namespace

PageMeasures measurePage(const InkMap &map, const PageLayout &layout, double pxPerMm)
{
    PageMeasures m;
    if (layout.lines.empty() || layout.xHeight <= 0)
        return m;
    measureMargins(map, layout, m);
    measureLines(map, layout, m);
    measureWordsAndLetters(layout, m);
    m.xHeightMm = layout.xHeight / pxPerMm;
    return m;
}

} // namespace PageAnalysis
