#include "ownsets/resampler.h"

#include <algorithm>
#include <cmath>

namespace ownsets {

Resampler::Resampler(int fromRate, int toRate)
    : step(double(fromRate) / toRate)
{
    const double cutoff = std::min(1.0, 1.0 / step);
    half = int(std::ceil(8 / cutoff));
    kernel.resize(size_t(half * perSample + 1));
    for (size_t j = 0; j < kernel.size(); ++j) {
        const double x = double(j) / perSample;
        const double sinc = j == 0 ? 1.0 : std::sin(M_PI * cutoff * x) / (M_PI * cutoff * x);
        kernel[j] = float(cutoff * sinc * (0.5 + 0.5 * std::cos(M_PI * x / half)));
    }
}

void Resampler::push(const float *samples, size_t count, std::vector<float> &out)
{
    if (step == 1.0) {
        out.insert(out.end(), samples, samples + count);
        return;
    }
    held.insert(held.end(), samples, samples + count);
    const qint64 end = heldFrom + qint64(held.size());
    while (qint64(double(next) * step) + half < end)
        out.push_back(sampleAt(next++, end));
    // Dropped in large steps, so the held source is not moved at every block.
    const qint64 reached = std::max<qint64>(0, qint64(double(next) * step) - half + 1);
    if (reached - heldFrom > 65536) {
        held.erase(held.begin(), held.begin() + (reached - heldFrom));
        heldFrom = reached;
    }
}

void Resampler::finish(std::vector<float> &out)
{
    const qint64 end = heldFrom + qint64(held.size());
    while (step != 1.0 && next < qint64(double(end) / step))
        out.push_back(sampleAt(next++, end));
}

float Resampler::sampleAt(qint64 i, qint64 end) const
{
    const double centre = double(i) * step;
    const qint64 from = std::max<qint64>(0, qint64(centre) - half + 1);
    const qint64 to = std::min<qint64>(end - 1, qint64(centre) + half);
    // The kernel steps by perSample from one source sample to the next: its
    // index is rounded once on each side of the centre, not at every tap.
    const qint64 last = std::min(qint64(centre), to); // the last at or before the centre
    const float *source = held.data() + (from - heldFrom);
    double sum = 0;
    long at = std::lround((centre - double(from)) * perSample);
    for (qint64 k = from; k <= last; ++k, at -= perSample)
        sum += *source++ * kernel[size_t(at)];
    at = std::lround((double(last + 1) - centre) * perSample);
    for (qint64 k = last + 1; k <= to; ++k, at += perSample)
        sum += *source++ * kernel[size_t(at)];
    return float(sum);
}

} // namespace ownsets
