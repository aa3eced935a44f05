#pragma once

#include "Wave.h"

// The wave the plug-in plays: on top of the level tables it expands every level sample into
// 32 Catmull-Rom interpolated values, so that playback only has to index.
class WaveCubic : public Wave
{
public:
    using Wave::Wave;

protected:
    bool interpolates() const noexcept override { return true; }
    void interpolateUpperLevels (WaveTables::UpperInterpolation& target) noexcept override;
    void interpolateTopLevel() noexcept override;

private:
    void interpolateLevel (int k, float* out) const noexcept;
};
