#pragma once

#include "../processor/DspContext.h"
#include "../processor/ParameterRecord.h"

#include <array>

// The storage of one wave inside the StateBlock: its 40 point slots as parameter records, and the
// tables built from them (one cycle each).
struct WaveTables
{
    static constexpr int numSlots = 40;
    static constexpr int recordsPerSlot = 3;      // X, Y, Type
    static constexpr int numPointRecords = numSlots * recordsPerSlot;
    static constexpr int curveSize = 32768;
    // The levels lie one after the other, halving: 8192 + 4096 + ... + 4 samples.
    static constexpr int levelTableSize = 2 * DspContext::topLevelSize - (2 * DspContext::topLevelSize >> DspContext::numLevels);
    static constexpr int interpolationFactor = DspContext::interpolationFactor;
    static constexpr int interpolationTableSize = interpolationFactor * levelTableSize;

    static constexpr int xSteps = 8192;
    static constexpr int typeSteps = 4;

    static_assert (levelTableSize == 16380);
    static_assert (curveSize % DspContext::topLevelSize == 0, "level 0 averages whole runs of curve entries");
    static_assert (curveSize % xSteps == 0, "every X step starts on a curve entry");

    using InterpolationTable = std::array<float, interpolationTableSize>;

    WaveTables() noexcept
    {
        for (int slot = 0; slot < numSlots; ++slot)
        {
            x (slot).steps = xSteps;
            type (slot).steps = typeSteps;
        }
    }

    // The played table points into storage that may be swapped with a spare; a copy would share it.
    WaveTables (const WaveTables&) = delete;
    WaveTables& operator= (const WaveTables&) = delete;

    ParameterRecord& x (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot)]; }
    ParameterRecord& y (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot + 1)]; }
    ParameterRecord& type (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot + 2)]; }

    // The interpolation table the LFO plays.
    InterpolationTable& interpolation() noexcept { return *played; }
    const InterpolationTable& interpolation() const noexcept { return *played; }

    std::array<ParameterRecord, numPointRecords> points;
    std::array<float, curveSize> curve {};
    bool hasPoints = false;
    std::array<float, levelTableSize> levels {};

    // A rebuild fills a spare table and then trades it for the played one, so after the first
    // trade the played table is whichever storage was the spare.
    InterpolationTable* played = &ownInterpolation;

private:
    InterpolationTable ownInterpolation {};
};
