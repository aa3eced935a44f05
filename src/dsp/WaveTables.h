#pragma once

#include "../processor/ParameterRecord.h"

#include <array>

// The storage of one wave inside the StateBlock: its 40 point slots as parameter records, and the
// tables built from them (one cycle each).
struct WaveTables
{
    static constexpr int numSlots = ParameterLayout::numSlots;
    static constexpr int recordsPerSlot = ParameterLayout::fieldsPerPoint;   // X, Y, Type
    static constexpr int numPointRecords = numSlots * recordsPerSlot;
    static constexpr int xSteps = ParameterLayout::xSteps;
    static constexpr int typeSteps = ParameterLayout::typeSteps;

    static constexpr int curveSize = 32768;
    // The levels the LFO plays: level k holds topLevelSize >> k values, the levels one after the
    // other; the finest has one value per X step.
    static constexpr int numLevels = 12;
    static constexpr int topLevelSize = xSteps;
    static constexpr int levelTableSize = 2 * topLevelSize - ((2 * topLevelSize) >> numLevels);
    static constexpr int interpolationFactor = 32;   // interpolated values per level value
    static constexpr int interpolationTableSize = interpolationFactor * levelTableSize;

    WaveTables() noexcept
    {
        for (int slot = 0; slot < numSlots; ++slot)
        {
            x (slot).steps = xSteps;
            type (slot).steps = typeSteps;
        }
    }

    ParameterRecord& field (int slot, ParameterLayout::PointField f) noexcept { return points[(size_t) (recordsPerSlot * slot + f)]; }
    ParameterRecord& x (int slot) noexcept { return field (slot, ParameterLayout::pointX); }
    ParameterRecord& y (int slot) noexcept { return field (slot, ParameterLayout::pointY); }
    ParameterRecord& type (int slot) noexcept { return field (slot, ParameterLayout::pointType); }

    std::array<ParameterRecord, numPointRecords> points;
    std::array<float, curveSize> curve {};
    bool hasPoints = false;
    std::array<float, levelTableSize> levels {};
    std::array<float, interpolationTableSize> interpolation {};
};
