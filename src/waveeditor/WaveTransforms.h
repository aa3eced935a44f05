#pragma once

#include "../dsp/WaveState.h"

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

// What the curve editor's commands do to a wave, as pure functions from the wave's points (and the
// selected slots) to the points it should have afterwards. The curve editor writes the differences
// through its point setters, which also skip locked slots. A move that would push any point out of
// range gives nothing: no partial moves.
struct WaveTransforms
{
    using Slots = std::vector<int>;   // slot indices, in the order the editor lists them

    // The grid switches the commands read; with fixed grid, triplets and the value grid are ignored.
    struct GridOptions
    {
        bool snapToGrid = false;
        bool showTriplets = false;
        bool valueGrid = false;
        bool fixedGrid = false;

        static GridOptions of (const WaveState&, bool fixedGrid) noexcept;

        int timeDivisions() const noexcept;   // 48 with triplets, else 64
        int valueSteps() const noexcept;      // 24 with the value grid, 12 with triplets, else 16
    };

    static constexpr int numXSteps = WaveTables::xSteps;
    static constexpr int maxX = numXSteps - 1;
    static constexpr int timeStep = 512;
    static constexpr int timeStepFine = 32;

    static float valueStep (bool fine) noexcept;   // 1 - 1/1.05, or 1 - 1/1.006

    static Slots usedSlots (const WaveSnapshot&);

    // With selected slots their types become 0; without, every slot's.
    static WaveSnapshot deletePoints (WaveSnapshot, const Slots& selected);

    // Selected points only; nothing without a selection or when any y would leave 0 ... 1.
    static std::optional<WaveSnapshot> moveValues (WaveSnapshot, const Slots& selected, float delta);

    // Without a selection every used point moves and wraps around the cycle; with one, nothing
    // when any x would leave 0 ... 8191.
    static std::optional<WaveSnapshot> moveTimes (WaveSnapshot, const Slots& selected, int delta);

    static WaveSnapshot sine (WaveSnapshot);
    static WaveSnapshot triangle (WaveSnapshot);

    // Each used slot, in slot order, draws three numbers from the generator: one for x, one for y,
    // one for the type. An x that another slot already has is not written.
    static WaveSnapshot randomize (WaveSnapshot, const GridOptions&, juce::Random&);

    // With a selection the values mirror about the middle of their range, the lowest and highest
    // swapping exactly; without one every slot, used or not, gets 1 - y.
    static WaveSnapshot flip (WaveSnapshot, const Slots& selected);
};
