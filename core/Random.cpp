#include "core/Random.h"

#include <chrono>
#include <cmath>

namespace {

// SplitMix64: small, fast and well mixed, and the same on every machine.
quint64 splitMix(quint64 &state)
{
    state += 0x9E3779B97F4A7C15ULL;
    quint64 z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

} // namespace

Random::Random(quint64 seed, Clock clock) : m_state(seed), m_clock(std::move(clock)) { }

Random Random::fromClock(Clock clock)
{
    Random random(0, std::move(clock));
    random.seedFromClock();
    return random;
}

Random Random::seeded(quint64 seed)
{
    return Random(seed, nullptr);
}

quint64 Random::systemClock()
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<quint64>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void Random::seedFromClock()
{
    if (!m_clock)
        return;
    quint64 reading = m_clock();
    m_state ^= splitMix(reading);
}

float Random::next()
{
    // The top 24 bits fill a float's mantissa exactly: 0 <= r < 1.
    return static_cast<float>(splitMix(m_state) >> 40) * (1.0f / 16777216.0f);
}

int Random::below(int n)
{
    if (n <= 0)
        return 0;
    const int k = static_cast<int>(std::floor(static_cast<float>(n) * next()));
    return k < n ? k : n - 1;
}
