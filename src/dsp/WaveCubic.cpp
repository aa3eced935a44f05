#include "WaveCubic.h"

void WaveCubic::interpolate (WaveTables::InterpolationTable& target, int first, int count) noexcept
{
    // Samples are counted through all levels one after the other, as the level tables lie.
    const int end = first + count;

    for (int k = 0; k < DspContext::numLevels && first < end; ++k)
    {
        const int levelEnd = context->levelOffsets[(size_t) k] + context->levelSizes[(size_t) k];

        if (first < levelEnd)
        {
            const int sliceEnd = juce::jmin (end, levelEnd);
            interpolateLevel (target, k, first - context->levelOffsets[(size_t) k], sliceEnd - context->levelOffsets[(size_t) k]);
            first = sliceEnd;
        }
    }
}

void WaveCubic::interpolateLevel (WaveTables::InterpolationTable& target, int level, int first, int end) noexcept
{
    // Each level is one cycle, so the neighbours of its first and last samples wrap around.
    constexpr int factor = DspContext::interpolationFactor;
    const auto k = (size_t) level;
    const int n = context->levelSizes[k];
    const auto* samples = tables->levels.data() + context->levelOffsets[k];
    auto* out = target.data() + context->interpolationOffsets[k] + factor * first;

    for (int s = first; s < end; ++s)
    {
        const double a = samples[(s + n - 1) % n];
        const double b = samples[s];
        const double c = samples[(s + 1) % n];
        const double d = samples[(s + 2) % n];

        for (int j = 0; j < factor; ++j)
        {
            const double t = (double) j / (double) factor;
            const double value = b + t * ((c - a) / 2.0
                                          + t * ((a - 2.5 * b + 2.0 * c - 0.5 * d)
                                                 + t * ((d - a) / 2.0 + 1.5 * (b - c))));
            *out++ = (float) value;
        }
    }
}
