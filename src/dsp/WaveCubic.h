#pragma once

#include "Wave.h"

// The wave the plug-in plays: on top of the level tables it expands every level sample into
// 32 Catmull-Rom interpolated values, so that playback only has to index.
class WaveCubic : public Wave
{
public:
    using Wave::Wave;

protected:
    int interpolatedSamples() const noexcept override { return WaveTables::levelTableSize; }
    void interpolate (WaveTables::InterpolationTable& target, int first, int count) noexcept override;

private:
    void interpolateLevel (WaveTables::InterpolationTable& target, int level, int first, int end) noexcept;
};
