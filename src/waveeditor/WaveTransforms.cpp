#include "WaveTransforms.h"

#include "../dsp/WavePoint.h"

#include <algorithm>
#include <cmath>

namespace
{
    constexpr int maxRandom = 32767;

    // The shapes' points as (x, y, type), written into slots 0, 1, ... of a cleared wave.
    struct ShapePoint { int x; float y; int type; };

    template <size_t n>
    WaveSnapshot shape (WaveSnapshot s, const ShapePoint (&points)[n])
    {
        s = WaveTransforms::deletePoints (s, {});

        for (size_t i = 0; i < n; ++i)
        {
            s.x[i] = points[i].x;
            s.y[i] = points[i].y;
            s.type[i] = points[i].type;
        }

        return s;
    }

    float randomUnit (juce::Random& random)
    {
        return (float) random.nextInt (maxRandom + 1) / (float) maxRandom;
    }

    float snapDown (float u, int divisions)
    {
        return std::trunc (u * (float) divisions) / (float) divisions;
    }
}

WaveTransforms::GridOptions WaveTransforms::GridOptions::of (const WaveState& state, bool fixedGrid) noexcept
{
    return { state.snapToGrid, state.showTriplets, state.valueGrid, fixedGrid };
}

int WaveTransforms::GridOptions::timeDivisions() const noexcept
{
    return showTriplets && ! fixedGrid ? 48 : 64;
}

int WaveTransforms::GridOptions::valueSteps() const noexcept
{
    if (fixedGrid)
        return 16;

    return valueGrid ? 24 : (showTriplets ? 12 : 16);
}

float WaveTransforms::valueStep (bool fine) noexcept
{
    const double factor = fine ? 1.006f : 1.05f;
    return (float) (1.0 - 1.0 / factor);
}

WaveTransforms::Slots WaveTransforms::usedSlots (const WaveSnapshot& s)
{
    Slots used;

    for (int i = 0; i < WaveSnapshot::numSlots; ++i)
        if (s.type[(size_t) i] != 0)
            used.push_back (i);

    return used;
}

WaveSnapshot WaveTransforms::deletePoints (WaveSnapshot s, const Slots& selected)
{
    if (selected.empty())
        s.type.fill (WavePoint::emptyType);

    for (auto i : selected)
        s.type[(size_t) i] = WavePoint::emptyType;

    return s;
}

std::optional<WaveSnapshot> WaveTransforms::moveValues (WaveSnapshot s, const Slots& selected, float delta)
{
    if (selected.empty())
        return std::nullopt;

    for (auto i : selected)
    {
        const auto y = s.y[(size_t) i] + delta;

        if (y < 0.0f || y > 1.0f)
            return std::nullopt;

        s.y[(size_t) i] = y;
    }

    return s;
}

std::optional<WaveSnapshot> WaveTransforms::moveTimes (WaveSnapshot s, const Slots& selected, int delta)
{
    if (selected.empty())
    {
        for (auto i : usedSlots (s))
            s.x[(size_t) i] = (s.x[(size_t) i] + delta + numXSteps) % numXSteps;

        return s;
    }

    for (auto i : selected)
    {
        const auto x = s.x[(size_t) i] + delta;

        if (x < 0 || x > maxX)
            return std::nullopt;

        s.x[(size_t) i] = x;
    }

    return s;
}

WaveSnapshot WaveTransforms::sine (WaveSnapshot s)
{
    static constexpr ShapePoint points[] { { 0, 0.5f, 3 }, { 2048, 1.0f, 1 }, { 4096, 0.5f, 3 }, { 6144, 0.0f, 1 } };
    return shape (s, points);
}

WaveSnapshot WaveTransforms::triangle (WaveSnapshot s)
{
    static constexpr ShapePoint points[] { { 2048, 1.0f, 3 }, { 6144, 0.0f, 3 } };
    return shape (s, points);
}

WaveSnapshot WaveTransforms::randomize (WaveSnapshot s, const GridOptions& grid, juce::Random& random)
{
    const bool snap = grid.snapToGrid || grid.valueGrid;

    for (auto i : usedSlots (s))
    {
        auto u = randomUnit (random);
        if (snap)
            u = snapDown (u, grid.timeDivisions());

        const auto x = std::min (maxX, (int) (u * (float) numXSteps));
        if (std::find (s.x.begin(), s.x.end(), x) == s.x.end())
            s.x[(size_t) i] = x;

        auto v = randomUnit (random);
        if (snap)
            v = snapDown (v, grid.valueSteps());

        s.y[(size_t) i] = v;

        const auto r = random.nextInt (maxRandom + 1);
        s.type[(size_t) i] = std::min (WavePoint::maxType, 1 + 3 * r / maxRandom);
    }

    return s;
}

WaveSnapshot WaveTransforms::flip (WaveSnapshot s, const Slots& selected)
{
    if (selected.empty())
    {
        for (auto& y : s.y)
            y = 1.0f - y;

        return s;
    }

    auto lo = s.y[(size_t) selected.front()];
    auto hi = lo;

    for (auto i : selected)
    {
        lo = std::min (lo, s.y[(size_t) i]);
        hi = std::max (hi, s.y[(size_t) i]);
    }

    const auto mid = lo + (hi - lo) * 0.5f;

    for (auto i : selected)
    {
        auto& y = s.y[(size_t) i];
        y = y == lo ? hi : (y == hi ? lo : 2.0f * mid - y);
    }

    return s;
}
