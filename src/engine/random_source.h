#pragma once

#include <cstdint>
#include <random>

namespace bw {

// The program-wide random number source: reseeded from the clock, draws uniform in [0, 1).
class RandomSource {
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // The next number, single precision, never below 0 and never 1 or above.
    virtual float draw() = 0;
};

// Mersenne twister reseeded from the clock. Draws are built from 24 random bits, so every
// value is exactly representable in a float and strictly below 1.
class ClockRandomSource : public RandomSource {
public:
    ClockRandomSource();
    void reseed() override;
    float draw() override;

private:
    std::mt19937 generator_;
    uint64_t reseeds_ = 0;
};

// A random position in 1..n: floor(n * r) + 1 in double precision. A draw outside [0, 1)
// from a faulty source is clamped, so the position always stays in 1..n.
int16_t randomPosition(RandomSource &random, int16_t n);

// The number of random exchanges that shuffle a list of n entries: n * 1.3 rounded to the
// nearest whole number, ties to even.
int16_t swapCount(int n);

} // namespace bw
