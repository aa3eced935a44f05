#include "WaveCubic.h"

void WaveCubic::rebuildDerivedTables() noexcept
{
    Wave::rebuildDerivedTables();
    buildInterpolationTables();
}

void WaveCubic::buildInterpolationTables() noexcept
{
    // Each level is one cycle, so the neighbours of its first and last samples wrap around.
    constexpr int factor = DspContext::interpolationFactor;
    const auto& levels = tables->levels;
    auto& interpolation = tables->interpolation;

    for (size_t k = 0; k < (size_t) DspContext::numLevels; ++k)
    {
        const int n = context->levelSizes[k];
        const auto* level = levels.data() + context->levelOffsets[k];
        auto* out = interpolation.data() + context->interpolationOffsets[k];

        for (int s = 0; s < n; ++s)
        {
            const double a = level[(s + n - 1) % n];
            const double b = level[s];
            const double c = level[(s + 1) % n];
            const double d = level[(s + 2) % n];

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
}
