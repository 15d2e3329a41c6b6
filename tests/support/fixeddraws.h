#pragma once

#include "rules/randomsource.h"

#include <vector>

// Draws chosen by the test, handed out in turn (and again from the start
// when they run out).
class FixedDraws final : public RandomSource
{
public:
    explicit FixedDraws(std::vector<double> values)
        : values(std::move(values))
    {
    }
    // The draws that pick positions `j` in a shuffle of n entries: the middle
    // of each position's slice of [0, 1).
    static std::vector<double> picking(const std::vector<int> &j, int n)
    {
        std::vector<double> draws;
        for (int position : j)
            draws.push_back((position + 0.5) / n);
        return draws;
    }

    void reseed() override { ++reseeds; }
    double next() override { return values.at(used++ % values.size()); }

    int reseeds = 0;
    size_t used = 0;

private:
    std::vector<double> values;
};
