#pragma once

#include <QString>
#include <QtGlobal>

#include <cmath>

// Every random choice of the pictures comes from here, seeded from the
// picture's key, so that a rebuild draws the same pictures bit for bit.

// SplitMix64: tiny, fast and good enough for jittering a hand.
class Rng
{
public:
    explicit Rng(quint64 seed) : state_(seed) { }

    quint64 next()
    {
        quint64 z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double unit() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double low, double high) { return low + (high - low) * unit(); }
    // Uniform in [-amount, amount].
    double jitter(double amount) { return amount * (2.0 * unit() - 1.0); }
    int below(int n) { return int(next() % quint64(n)); }
    // An independent stream for one part of a picture.
    Rng fork() { return Rng(next()); }

private:
    quint64 state_;
};

inline quint64 mixBits(quint64 z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// FNV-1a over the UTF-8 bytes of the key.
inline quint64 seedFromKey(const QString &key)
{
    quint64 hash = 0xCBF29CE484222325ULL;
    for (const char byte : key.toUtf8()) {
        hash ^= quint64(quint8(byte));
        hash *= 0x100000001B3ULL;
    }
    return mixBits(hash);
}

// Smooth value noise in [-1, 1] on a square lattice of the given cell size.
class Noise
{
public:
    Noise(quint64 seed, double cell) : seed_(seed), cell_(cell) { }

    double at(double x, double y) const
    {
        const double fx = x / cell_, fy = y / cell_;
        const double ix = std::floor(fx), iy = std::floor(fy);
        const double tx = smooth(fx - ix), ty = smooth(fy - iy);
        const qint64 x0 = qint64(ix), y0 = qint64(iy);
        const double a = lattice(x0, y0), b = lattice(x0 + 1, y0);
        const double c = lattice(x0, y0 + 1), d = lattice(x0 + 1, y0 + 1);
        return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
    }

private:
    static double smooth(double t) { return t * t * (3 - 2 * t); }
    double lattice(qint64 x, qint64 y) const
    {
        const quint64 h = mixBits(seed_ ^ mixBits(quint64(x) * 0x9E3779B97F4A7C15ULL + quint64(y)));
        return double(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    }

    quint64 seed_;
    double cell_;
};

// Fine per-pixel grain in [-1, 1].
inline double grain(quint64 seed, int x, int y)
{
    const quint64 h = mixBits(seed ^ (quint64(quint32(x)) << 32 | quint32(y)));
    return double(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}
