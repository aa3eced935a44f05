#include "Wave.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <utility>

namespace
{
    constexpr float splineDivisor = 6.0f;
    constexpr int cornerRunFraction = 6;   // a corner leaves its point along one sixth of the way
    constexpr float endSnapToZero = 0.025f;
    constexpr float endSnapToRail = 0.975f;

    // One coordinate of a uniform cubic B-spline segment in power form, in single precision.
    struct SplineCoordinate
    {
        // Positions are whole curve units: the sums are exact integers before the division.
        static SplineCoordinate fromPositions (int a, int b, int c, int d) noexcept
        {
            return { (float) (a + 4 * b + c) / splineDivisor,
                     (float) (3 * c - 3 * a) / splineDivisor,
                     (float) (3 * a - 6 * b + 3 * c) / splineDivisor,
                     (float) (-a + 3 * b - 3 * c + d) / splineDivisor };
        }

        static SplineCoordinate fromValues (float a, float b, float c, float d) noexcept
        {
            return { (a + 4.0f * b + c) / splineDivisor,
                     (3.0f * c - 3.0f * a) / splineDivisor,
                     (3.0f * a - 6.0f * b + 3.0f * c) / splineDivisor,
                     (-a + 3.0f * b - 3.0f * c + d) / splineDivisor };
        }

        float at (float t) const noexcept { return c0 + t * c1 + t * t * c2 + t * t * t * c3; }

        float c0, c1, c2, c3;
    };
}

Wave::Wave (AudioNode& parentNode, WaveTables& waveTables, EventDispatcherAudio* eventDispatcher)
    : AudioNode (parentNode), tables (&waveTables), eventTarget (eventDispatcher)
{
    // Until the first build the wave counts as drawn; it is dirty, so the first processing calls
    // (or prepareToPlay) build it.
    tables->hasPoints = true;
}

WavePoint Wave::point (int slot) const noexcept
{
    WavePoint result;
    result.x = tables->x (slot).currentStep();
    result.y = tables->y (slot).storage;
    result.type = tables->type (slot).currentStep();
    return result;
}

//==============================================================================
void Wave::buildControlPoints() noexcept
{
    numControlPoints = 0;

    for (int slot = 0; slot < WaveTables::numSlots; ++slot)
    {
        const auto p = point (slot);

        if (p.isUsed())
            insertCopies (unitsPerXStep * p.x, p.curveValue(), p.type);
    }

    if (numControlPoints == 0)
    {
        tables->curve[0] = 0.0f;
        return;
    }

    if (allOnOnePosition())
        makeConstantCurve();
    else if (numControlPoints == 2)
        makeTwoPositionCycle();
    else
        addPeriodicNeighbours();
}

void Wave::insertCopies (int x, float y, int copies) noexcept
{
    // Behind every entry at the same position, so that among equal x the earlier slot comes first.
    const auto end = controlX.begin() + numControlPoints;
    const auto index = (int) (std::upper_bound (controlX.begin(), end, x) - controlX.begin());

    for (int i = numControlPoints - 1; i >= index; --i)
    {
        controlX[(size_t) (i + copies)] = controlX[(size_t) i];
        controlY[(size_t) (i + copies)] = controlY[(size_t) i];
    }

    for (int i = index; i < index + copies; ++i)
    {
        controlX[(size_t) i] = x;
        controlY[(size_t) i] = y;
    }

    numControlPoints += copies;
}

bool Wave::allOnOnePosition() const noexcept
{
    return numControlPoints == 1
        || (numControlPoints == 2 && controlX[0] == controlX[1])
        || (numControlPoints == 3 && controlX[0] == controlX[2]);
}

void Wave::makeConstantCurve() noexcept
{
    // Three copies at each end of the cycle make the spline the constant y.
    constexpr int copies = periodicNeighbours / 2;
    const float y = controlY[0];

    for (int i = 0; i < 2 * copies; ++i)
    {
        controlX[(size_t) i] = i < copies ? 0 : cycleLength;
        controlY[(size_t) i] = y;
    }

    numControlPoints = 2 * copies;
}

void Wave::makeTwoPositionCycle() noexcept
{
    // Two positions a < b alternate over four cycles, so every window has distinct neighbours.
    const int a = controlX[0];
    const int b = controlX[1];
    const float ya = controlY[0];
    const float yb = controlY[1];

    const int xs[] = { b - 2 * cycleLength, a - cycleLength, b - cycleLength, a,
                       b, a + cycleLength, b + cycleLength, a + 2 * cycleLength };

    for (size_t i = 0; i < std::size (xs); ++i)
    {
        controlX[i] = xs[i];
        controlY[i] = i % 2 == 0 ? yb : ya;
    }

    numControlPoints = (int) std::size (xs);
}

void Wave::addPeriodicNeighbours() noexcept
{
    // E1 ... Ec become the middle of [E(c-2) E(c-1) Ec] E1 ... Ec [E1 E2 E3], the brackets moved
    // one cycle back and forward.
    constexpr int border = periodicNeighbours / 2;
    const int c = numControlPoints;

    for (int i = c - 1; i >= 0; --i)
    {
        controlX[(size_t) (i + border)] = controlX[(size_t) i];
        controlY[(size_t) (i + border)] = controlY[(size_t) i];
    }

    for (int i = 0; i < border; ++i)
    {
        const auto before = (size_t) i;
        const auto last = (size_t) (c + i);            // E(c-2+i), already moved
        controlX[before] = controlX[last] - cycleLength;
        controlY[before] = controlY[last];

        const auto after = (size_t) (c + border + i);
        const auto first = (size_t) (border + i);      // E(1+i), already moved
        controlX[after] = controlX[first] + cycleLength;
        controlY[after] = controlY[first];
    }

    numControlPoints = c + periodicNeighbours;
}

//==============================================================================
void Wave::renderTable() noexcept
{
    int cursor = 0;

    for (int first = 0; first + 3 < numControlPoints && cursor < cycleLength; ++first)
        renderWindow (first, cursor);
}

void Wave::renderWindow (int first, int& cursor) noexcept
{
    const auto i = (size_t) first;

    if (controlX[i + 3] == controlX[i])
        return;

    const bool cornerRun = controlX[i + 1] == controlX[i] && controlX[i + 2] == controlX[i]
                        && controlY[i + 1] == controlY[i] && controlY[i + 2] == controlY[i];

    if (cornerRun)
        renderCornerRun (first, cursor);
    else
        renderSegment (first, cursor);
}

void Wave::renderCornerRun (int first, int& cursor) noexcept
{
    // With a point three times in a row the segment is the straight line from the point over
    // one sixth of the way towards the next control point.
    const auto i = (size_t) first;
    const int x0 = controlX[i];
    const float y0 = controlY[i];
    const float width = (float) (controlX[i + 3] - x0) / (float) cornerRunFraction;
    const float rise = (controlY[i + 3] - y0) / (float) cornerRunFraction;

    if (cursor == 0 && width <= (float) -x0)
        return;

    // A run that starts in the previous cycle enters the table part of the way along.
    float v = (cursor == 0 && x0 < 0) ? (float) -x0 / width : 0.0f;

    do
    {
        tables->curve[(size_t) cursor] = y0 + v * rise;
        ++cursor;
        v = (float) (cursor - x0) / width;
    }
    while (v < 1.0f && cursor < cycleLength);
}

void Wave::renderSegment (int first, int& cursor) noexcept
{
    const auto i = (size_t) first;
    const auto x = SplineCoordinate::fromPositions (controlX[i], controlX[i + 1], controlX[i + 2], controlX[i + 3]);
    const auto y = SplineCoordinate::fromValues (controlY[i], controlY[i + 1], controlY[i + 2], controlY[i + 3]);

    // The spline's speed in x never exceeds the widest gap, so this step moves x by at most
    // about one table entry.
    const int widestGap = std::max ({ controlX[i + 1] - controlX[i],
                                      controlX[i + 2] - controlX[i + 1],
                                      controlX[i + 3] - controlX[i + 2] });
    const float dt = 1.0f / (float) widestGap;

    for (float t = 0.0f; t <= 1.0f; t += dt)
    {
        if ((int) x.at (t) >= cursor)
        {
            tables->curve[(size_t) cursor] = y.at (t);

            if (++cursor == cycleLength)
                return;
        }
    }
}

void Wave::buildLevelTables() noexcept
{
    // Level 0 averages four curve entries per sample, every further level two of the level above.
    constexpr int curvePerSample = WaveTables::curveSize / DspContext::topLevelSize;
    static_assert (curvePerSample == 4);

    const auto& curve = tables->curve;
    auto& levels = tables->levels;

    for (int j = 0; j < context->levelSizes[0]; ++j)
    {
        const auto c = (size_t) (curvePerSample * j);
        levels[(size_t) j] = (curve[c] + curve[c + 1] + curve[c + 2] + curve[c + 3]) * 0.25f;
    }

    for (int k = 1; k < DspContext::numLevels; ++k)
    {
        const auto above = (size_t) context->levelOffsets[(size_t) k - 1];
        const auto level = (size_t) context->levelOffsets[(size_t) k];

        for (size_t j = 0; j < (size_t) context->levelSizes[(size_t) k]; ++j)
            levels[level + j] = (levels[above + 2 * j] + levels[above + 2 * j + 1]) * 0.5f;
    }
}

void Wave::clearDisplayTable() noexcept
{
    displayTable.clear();
}

float Wave::endValue() const noexcept
{
    return endValueOf (*tables);
}

float Wave::endValueOf (const WaveTables& waveTables) noexcept
{
    if (! waveTables.hasPoints)
        return 0.0f;

    // The last X step of the cycle, 1 - 1/8192.
    const float v = waveTables.curve[(size_t) (cycleLength - unitsPerXStep)];

    if (std::abs (v) < endSnapToZero)
        return 0.0f;

    if (v > endSnapToRail)
        return 1.0f;

    if (v < -endSnapToRail)
        return -1.0f;

    return v;
}

//==============================================================================
void Wave::updateStep() noexcept
{
    switch (stage)
    {
        case Stage::idle:     if (dirty) startRebuild(); break;
        case Stage::levels:   buildLevelsSlice(); break;
        case Stage::topLevel: interpolateTopLevel(); publish(); break;
    }
}

void Wave::finishRebuild() noexcept
{
    while (isRebuilding())
        updateStep();
}

void Wave::startRebuild() noexcept
{
    dirty = false;
    buildControlPoints();

    if (numControlPoints > 0)
        renderTable();

    stage = Stage::levels;
}

void Wave::buildLevelsSlice() noexcept
{
    // A wave without points plays nothing and keeps its old tables. The LFO reads neither the
    // curve nor the level tables, so those are built in place.
    if (numControlPoints == 0 || ! interpolates())
    {
        if (numControlPoints > 0)
            buildLevelTables();

        publish();
        return;
    }

    buildLevelTables();
    interpolateUpperLevels (spare != nullptr ? **spare : *tables->upperInterpolation);
    stage = Stage::topLevel;
}

void Wave::publish() noexcept
{
    // On the LFO's thread (or the idle tick's, under the callback lock), so the LFO sees the
    // trade whole at its next call.
    if (spare != nullptr && interpolates() && numControlPoints > 0)
        std::swap (*spare, tables->upperInterpolation);

    tables->hasPoints = numControlPoints > 0;

    if (tables->hasPoints)
        displayTable.write (tables->levels.data());
    else
        clearDisplayTable();

    displayUpdated = true;
    stage = Stage::idle;
}
