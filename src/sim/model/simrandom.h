#pragma once
// A small seeded generator (SplitMix64). The standard distributions differ
// between library implementations; this one gives the same sequence for the
// same seed everywhere, so a bench run can be repeated byte for byte.

#include <QtGlobal>

class SimRandom
{
public:
    explicit SimRandom(quint64 seed = 1) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    // Uniform integer in [lo, hi].
    int between(int lo, int hi)
    {
        if (hi <= lo)
            return lo;
        return lo + int(next() % quint64(hi - lo + 1));
    }
    // Roughly normal noise with the given spread (sum of uniforms).
    double noise(double spread)
    {
        return (uniform() + uniform() + uniform() - 1.5) * 2.0 * spread;
    }

private:
    quint64 m_state;
};
