#include "InkMeasure.h"

#include <algorithm>
#include <cmath>

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
