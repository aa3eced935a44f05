#pragma once

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
    static constexpr int levelTableSize = 16380;  // 12 levels of 8192 >> k samples
    static constexpr int interpolationFactor = 32;
    static constexpr int interpolationTableSize = interpolationFactor * levelTableSize;

    static constexpr int xSteps = 8192;
    static constexpr int typeSteps = 4;

    WaveTables() noexcept
    {
        for (int slot = 0; slot < numSlots; ++slot)
        {
            x (slot).steps = xSteps;
            type (slot).steps = typeSteps;
        }
    }

    ParameterRecord& x (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot)]; }
    ParameterRecord& y (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot + 1)]; }
    ParameterRecord& type (int slot) noexcept { return points[(size_t) (recordsPerSlot * slot + 2)]; }

    std::array<ParameterRecord, numPointRecords> points;
    std::array<float, curveSize> curve {};
    bool hasPoints = false;
    std::array<float, levelTableSize> levels {};
    std::array<float, interpolationTableSize> interpolation {};
};
