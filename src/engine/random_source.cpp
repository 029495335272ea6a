#include "engine/random_source.h"

#include <chrono>
#include <cmath>

namespace bw {

ClockRandomSource::ClockRandomSource()
{
    reseed();
}

void ClockRandomSource::reseed()
{
    // Two reseeds within one clock tick must still give different sequences.
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seed{static_cast<uint32_t>(now), static_cast<uint32_t>(static_cast<uint64_t>(now) >> 32),
                       static_cast<uint32_t>(++reseeds_)};
    generator_.seed(seed);
}

float ClockRandomSource::draw()
{
    constexpr float scale = 1.0f / 16777216.0f; // 2^-24
    return static_cast<float>(generator_() >> 8) * scale;
}

int16_t randomPosition(RandomSource &random, int16_t n)
{
    const double r = static_cast<double>(random.draw());
    const double scaled = std::floor(static_cast<double>(n) * r);
    if (!(scaled >= 0.0)) // also catches NaN
        return 1;
    if (scaled >= static_cast<double>(n))
        return n;
    return static_cast<int16_t>(static_cast<int>(scaled) + 1);
}

int16_t swapCount(int n)
{
    // Worked in tenths so that a product like 214.5 is exactly a tie, which goes to even.
    const int tenths = n * 13;
    int whole = tenths / 10;
    const int rest = tenths % 10;
    if (rest > 5 || (rest == 5 && whole % 2 == 1))
        ++whole;
    return static_cast<int16_t>(whole);
}

} // namespace bw
