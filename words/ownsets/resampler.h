#pragma once

#include <QtGlobal>

#include <vector>

namespace ownsets {

// Windowed-sinc resampling, fed a block at a time: only the source the kernel
// still reaches is held, so a long file at a high rate costs no more memory
// than its result. Going down, the kernel is widened to cut at the new
// Nyquist frequency, so nothing folds back.
class Resampler
{
public:
    Resampler(int fromRate, int toRate);
    // Appends to `out` every sample whose kernel has all the source it reaches.
    void push(const float *samples, size_t count, std::vector<float> &out);
    // Appends the last samples, their kernels cut at the end of the source.
    void finish(std::vector<float> &out);

private:
    float sampleAt(qint64 i, qint64 end) const;

    static constexpr int perSample = 64; // kernel values per source sample
    const double step;                   // source samples per sample made
    int half = 0;                        // source samples each side
    std::vector<float> kernel;
    std::vector<float> held; // the source from sample heldFrom on
    qint64 heldFrom = 0;
    qint64 next = 0; // the next sample to make
};

} // namespace ownsets
