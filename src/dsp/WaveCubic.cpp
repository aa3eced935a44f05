#include "WaveCubic.h"

void WaveCubic::interpolateUpperLevels (WaveTables::UpperInterpolation& target) noexcept
{
    for (int k = 1; k < DspContext::numLevels; ++k)
        interpolateLevel (k, target.data() + WaveTables::upperOffsetOf (k));
}

void WaveCubic::interpolateTopLevel() noexcept
{
    interpolateLevel (0, tables->interpolationLevel (0));
}

void WaveCubic::interpolateLevel (int k, float* out) const noexcept
{
    // Each level is one cycle, so the neighbours of its first and last samples wrap around.
    constexpr int factor = DspContext::interpolationFactor;
    const int n = DspContext::levelSizeOf (k);
    const auto* level = tables->levels.data() + DspContext::levelOffsetOf (k);

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
