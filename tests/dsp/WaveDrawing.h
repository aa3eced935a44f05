#pragma once

#include "dsp/Wave.h"

#include <vector>

// Drawing waves in tests: points written straight into a wave's records, and a rebuild run to
// its end, as the processing calls would run it.
namespace WaveDrawing
{
    // One drawn point: X step, normalized value, type (1 ... 3; 0 leaves the slot empty).
    struct Point
    {
        int xStep;
        float y;
        int type;
    };

    // Writes the points into slots 0, 1, ... and empties every other slot.
    inline void draw (WaveTables& tables, const std::vector<Point>& points)
    {
        for (int slot = 0; slot < WaveTables::numSlots; ++slot)
            tables.type (slot).writeStep (0);

        int slot = 0;

        for (auto& p : points)
        {
            tables.x (slot).writeStep (p.xStep);
            tables.y (slot).writeValue (p.y);
            tables.type (slot).writeStep (p.type);
            ++slot;
        }
    }

    // Runs every slice of the wave's pending rebuild.
    inline void finishRebuild (Wave& wave) { wave.finishRebuild(); }

    // Draws the points into the wave's tables and rebuilds it.
    inline void drawAndRebuild (Wave& wave, const std::vector<Point>& points)
    {
        draw (*wave.tables, points);
        wave.dirty = true;
        finishRebuild (wave);
    }
}
