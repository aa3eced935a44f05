#pragma once

#include "WaveTables.h"

#include <array>

// The 40 points of one wave as three parallel arrays; entry i is slot i. The unit of the editor's
// point mirror, its copy buffer, its undo history and wave files.
struct WaveSnapshot
{
    static constexpr int numSlots = WaveTables::numSlots;

    std::array<int, numSlots> x {};      // 0 ... 8191
    std::array<float, numSlots> y {};    // 0 ... 1
    std::array<int, numSlots> type {};   // 0 ... 3, 0 for an empty slot
};
