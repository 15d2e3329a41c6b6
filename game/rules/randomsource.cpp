#include "rules/randomsource.h"

#include <chrono>

void ClockRandomSource::reseed()
{
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    // The call count keeps two reseeds within one clock tick apart as well.
    std::seed_seq seed{std::uint64_t(now), std::uint64_t(now) >> 32, ++calls};
    engine.seed(seed);
}

double ClockRandomSource::next()
{
    // 53 random bits scaled into [0, 1); never 1.
    return double(engine() >> 11) * 0x1.0p-53;
}
