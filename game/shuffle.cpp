#include "app/form2.h"

#include <algorithm>
#include <cmath>

// Fills qOrder(0..n-1) with a permutation of 0..n-1. Each step takes the entry
// at a position drawn from the whole range and rotates it into place i; this
// is not a uniform shuffle, and it is meant to be exactly this one.
void Form2::ShuffleOrder(qint16 n)
{
    n = std::clamp<qint16>(n, 0, qint16(qOrder.size()));
    for (qint16 i = 0; i < n; ++i)
        qOrder[size_t(i)] = i;
    random->reseed();

    const auto entry = [this](int position) { return qOrder.begin() + position; };
    for (int i = 0; i < n; ++i) {
        const int j = std::min(int(std::floor(random->next() * n)), n - 1);
        if (j < i)
            std::rotate(entry(j), entry(j + 1), entry(i + 1)); // entry j moves up to i
        else if (j > i)
            std::rotate(entry(i), entry(j), entry(j + 1)); // entry j moves down to i
    }
}
