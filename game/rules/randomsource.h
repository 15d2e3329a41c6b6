#pragma once

#include <cstdint>
#include <random>

// Where the shuffle gets its draws. Tests hand the game fixed draws instead.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual void reseed() = 0;
    // A value in [0, 1).
    virtual double next() = 0;
};

// Seeded from a high-resolution clock at every reseed: the two shuffles of a
// round follow each other within microseconds, and a coarse clock would give
// both the same seed and tie the question order to the layout.
class ClockRandomSource final : public RandomSource
{
public:
    void reseed() override;
    double next() override;

private:
    std::mt19937_64 engine;
    std::uint64_t calls = 0;
};
