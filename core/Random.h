#pragma once

#include <QtGlobal>

#include <functional>

// The program's one pseudo-random source: single-precision fractions r with
// 0 <= r < 1. Seeding from the clock mixes the clock reading into the running
// state, so draws within one clock tick still differ from each other.
class Random final
{
public:
    using Clock = std::function<quint64()>;

    // Seeded from `clock` now and at every seedFromClock().
    static Random fromClock(Clock clock = systemClock);
    // Reproducible draws for tests: seedFromClock() then changes nothing.
    static Random seeded(quint64 seed);

    void seedFromClock();
    float next();
    // floor(n * next()): a uniform whole number from 0 to n - 1.
    int below(int n);

    static quint64 systemClock();

private:
    explicit Random(quint64 seed, Clock clock);
    quint64 m_state;
    Clock m_clock;
};
