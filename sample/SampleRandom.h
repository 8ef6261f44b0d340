#pragma once

// The sample's random choices. The same start value always gives the same sequence on every
// platform: the engine is std::mt19937, whose output the standard fixes, and every range is
// reduced here rather than through the standard distributions, whose results vary between
// library implementations.

#include <cstdint>
#include <QList>
#include <random>

namespace sample {

class SampleRandom
{
public:
    static constexpr std::uint32_t defaultStart = 20030925u;

    explicit SampleRandom(std::uint32_t start = defaultStart) : m_engine(start) {}

    // A whole number from low to high, both included.
    int between(int low, int high)
    {
        if (high <= low) {
            return low;
        }
        const auto span = static_cast<std::uint64_t>(high - low) + 1u;
        return low + static_cast<int>(m_engine() % span);
    }

    // True with the given chance (0 to 1).
    bool chance(double probability) { return unit() < probability; }

    // From 0 (included) to 1 (excluded).
    double unit() { return m_engine() / 4294967296.0; }

    template <typename T>
    const T& pick(const QList<T>& items)
    {
        return items.at(between(0, static_cast<int>(items.size()) - 1));
    }

    std::uint32_t next() { return m_engine(); }

private:
    std::mt19937 m_engine;
};

} // namespace sample
