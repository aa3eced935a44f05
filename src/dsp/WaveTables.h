#pragma once

#include "../processor/DspContext.h"
#include "../processor/ParameterRecord.h"

#include <array>

// The storage of one wave inside the StateBlock: its 40 point slots as parameter records, and the
// tables built from them (one cycle each).
struct WaveTables
{
    static constexpr int numSlots = ParameterLayout::numSlots;
    static constexpr int recordsPerSlot = ParameterLayout::fieldsPerPoint;   // X, Y, Type
    static constexpr int numPointRecords = numSlots * recordsPerSlot;
    static constexpr int curveSize = 32768;
    // The levels lie one after the other, halving: 8192 + 4096 + ... + 4 samples.
    static constexpr int levelTableSize = DspContext::levelOffsetOf (DspContext::numLevels);
    static constexpr int interpolationFactor = DspContext::interpolationFactor;
    static constexpr int interpolationTableSize = interpolationFactor * levelTableSize;
    // Level 0 of the interpolation tables, and levels 1 ... 11, which follow it.
    static constexpr int topInterpolationSize = interpolationFactor * DspContext::levelSizeOf (0);
    static constexpr int upperInterpolationSize = interpolationTableSize - topInterpolationSize;

    static constexpr int xSteps = ParameterLayout::xSteps;
    static constexpr int typeSteps = ParameterLayout::typeSteps;
    static_assert (DspContext::topLevelSize == xSteps, "the finest level has one value per X step");

    static_assert (levelTableSize == 16380);
    static_assert (curveSize % DspContext::topLevelSize == 0, "level 0 averages whole runs of curve entries");
    static_assert (curveSize % xSteps == 0, "every X step starts on a curve entry");

    using UpperInterpolation = std::array<float, upperInterpolationSize>;

    WaveTables() noexcept
    {
        for (int slot = 0; slot < numSlots; ++slot)
        {
            x (slot).steps = xSteps;
            type (slot).steps = typeSteps;
        }
    }

    // The upper levels point into storage that may be traded with a spare; a copy would share it.
    WaveTables (const WaveTables&) = delete;
    WaveTables& operator= (const WaveTables&) = delete;

    ParameterRecord& field (int slot, ParameterLayout::PointField f) noexcept { return points[(size_t) (recordsPerSlot * slot + f)]; }
    ParameterRecord& x (int slot) noexcept { return field (slot, ParameterLayout::pointX); }
    ParameterRecord& y (int slot) noexcept { return field (slot, ParameterLayout::pointY); }
    ParameterRecord& type (int slot) noexcept { return field (slot, ParameterLayout::pointType); }

    // The interpolation table of level k (32 · (8192 >> k) values) that the LFO plays.
    float* interpolationLevel (int k) noexcept
    {
        return k == 0 ? topInterpolation.data() : upperInterpolation->data() + upperOffsetOf (k);
    }

    const float* interpolationLevel (int k) const noexcept
    {
        return k == 0 ? topInterpolation.data() : upperInterpolation->data() + upperOffsetOf (k);
    }

    static constexpr int upperOffsetOf (int k) noexcept { return DspContext::interpolationOffsetOf (k) - topInterpolationSize; }

    std::array<ParameterRecord, numPointRecords> points;
    std::array<float, curveSize> curve {};
    bool hasPoints = false;
    std::array<float, levelTableSize> levels {};

    // A rebuild fills a spare for levels 1 ... 11 and then trades it for the played one, so after
    // the first trade they live in whichever storage was the spare. Level 0 is rebuilt in place,
    // in the same call as the trade.
    std::array<float, topInterpolationSize> topInterpolation {};
    UpperInterpolation* upperInterpolation = &ownUpperInterpolation;

private:
    UpperInterpolation ownUpperInterpolation {};
};
