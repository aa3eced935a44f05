// The curve editor's commands as transforms of a wave's points.

#include "waveeditor/WaveTransforms.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <set>

namespace
{
    using Slots = WaveTransforms::Slots;

    // Slot i holds the i-th (x, y) given, as a smooth point.
    WaveSnapshot wave (std::initializer_list<std::pair<int, float>> points)
    {
        WaveSnapshot s;
        size_t i = 0;
        for (auto [x, y] : points)
        {
            s.x[i] = x;
            s.y[i] = y;
            s.type[i++] = 1;
        }
        return s;
    }

    const WaveSnapshot fivePoints = wave ({ { 8000, 0.98f }, { 100, 0.02f }, { 7800, 0.5f }, { 3000, 0.25f }, { 5000, 0.75f } });
}

TEST (WaveTransformsTest, MovesGoAllTheWayOrNotAtAll)
{
    using Move = std::function<std::optional<WaveSnapshot> (const WaveSnapshot&)>;
    const auto timeMove = [] (Slots selected, int delta) -> Move
        { return [=] (auto& s) { return WaveTransforms::moveTimes (s, selected, delta); }; };
    const auto valueMove = [] (Slots selected, bool fine, float sign) -> Move
        { return [=] (auto& s) { return WaveTransforms::moveValues (s, selected, sign * WaveTransforms::valueStep (fine)); }; };

    struct Case { const char* name; Move move; int slot; bool isX; std::optional<float> expected; };
    const Case cases[] {
        { "later, nothing selected, wraps", timeMove ({}, 512), 0, true, 320.0f },
        { "earlier, nothing selected, wraps", timeMove ({}, -512), 1, true, 7780.0f },
        { "later, nothing selected, moves", timeMove ({}, 512), 3, true, 3512.0f },
        { "later past the end", timeMove ({ 3, 2 }, 512), 3, true, std::nullopt },
        { "later, fine", timeMove ({ 3, 2 }, 32), 2, true, 7832.0f },
        { "earlier past the start", timeMove ({ 1 }, -512), 1, true, std::nullopt },
        { "up past the top", valueMove ({ 3, 0 }, false, 1.0f), 3, false, std::nullopt },
        { "up, fine", valueMove ({ 0 }, true, 1.0f), 0, false, 0.98f + 0.005964f },
        { "up", valueMove ({ 3 }, false, 1.0f), 3, false, 0.25f + 0.047619f },
        { "down past the bottom", valueMove ({ 3, 1 }, false, -1.0f), 3, false, std::nullopt },
        { "up, nothing selected", valueMove ({}, false, 1.0f), 3, false, std::nullopt },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        const auto moved = c.move (fivePoints);
        ASSERT_EQ (moved.has_value(), c.expected.has_value());
        if (moved)
        {
            EXPECT_NEAR (c.isX ? (float) moved->x[(size_t) c.slot] : moved->y[(size_t) c.slot], *c.expected, 1.0e-6f);
        }
    }
}

TEST (WaveTransformsTest, FlippingASelectionSwapsItsLowestAndHighestExactly)
{
    const auto flipped = WaveTransforms::flip (wave ({ { 0, 0.2f }, { 100, 0.5f }, { 200, 0.8f }, { 300, 0.1f } }), { 0, 1, 2 });

    EXPECT_EQ (flipped.y[0], 0.8f);
    EXPECT_EQ (flipped.y[1], 0.5f);
    EXPECT_EQ (flipped.y[2], 0.2f);
    EXPECT_EQ (flipped.y[3], 0.1f);   // not selected
}

TEST (WaveTransformsTest, FlippingASelectionOfEqualValuesKeepsThem)
{
    const auto flipped = WaveTransforms::flip (wave ({ { 0, 0.0f }, { 100, 0.0f } }), { 0, 1 });

    EXPECT_EQ (flipped.y[0], 0.0f);
    EXPECT_EQ (flipped.y[1], 0.0f);
}

TEST (WaveTransformsTest, FlippingWithoutASelectionTurnsEverySlot)
{
    auto points = fivePoints;
    points.y[39] = 0.125f;   // an empty slot

    const auto flipped = WaveTransforms::flip (points, {});

    for (size_t i = 0; i < WaveSnapshot::numSlots; ++i)
        EXPECT_EQ (flipped.y[i], 1.0f - points.y[i]) << i;
    EXPECT_EQ (flipped.y[39], 0.875f);
}

TEST (WaveTransformsTest, RandomizeKeepsThePointsOnTheGridWhenSnapping)
{
    juce::Random random (1234);
    WaveTransforms::GridOptions grid;
    grid.snapToGrid = true;
    auto points = fivePoints;

    for (int round = 0; round < 50; ++round)
    {
        points = WaveTransforms::randomize (points, grid, random);

        ASSERT_EQ (WaveTransforms::usedSlots (points), (Slots { 0, 1, 2, 3, 4 }));
        std::set<int> xs;
        for (size_t i = 0; i < 5; ++i)
        {
            EXPECT_EQ (points.x[i] % 128, 0) << points.x[i];
            EXPECT_EQ (std::fmod (points.y[i] * 16.0f, 1.0f), 0.0f) << points.y[i];
            EXPECT_GE (points.type[i], 1);
            EXPECT_LE (points.type[i], 3);
            xs.insert (points.x[i]);
        }
        EXPECT_EQ (xs.size(), 5u) << "an x another point already has is not taken";
    }
}

TEST (WaveTransformsTest, RandomizeWithoutSnappingKeepsThePointCount)
{
    juce::Random random (99);
    const auto points = WaveTransforms::randomize (fivePoints, {}, random);

    EXPECT_EQ (WaveTransforms::usedSlots (points).size(), 5u);
    EXPECT_NE (points.x, fivePoints.x);
}

TEST (WaveTransformsTest, ShapesReplaceEveryPoint)
{
    const auto sine = WaveTransforms::sine (fivePoints);
    ASSERT_EQ (WaveTransforms::usedSlots (sine), (Slots { 0, 1, 2, 3 }));
    EXPECT_EQ (sine.x, (decltype (sine.x) { 0, 2048, 4096, 6144, 5000 }));   // slot 4 emptied, x left
    EXPECT_EQ (std::vector<float> (sine.y.begin(), sine.y.begin() + 4), (std::vector<float> { 0.5f, 1.0f, 0.5f, 0.0f }));
    EXPECT_EQ (std::vector<int> (sine.type.begin(), sine.type.begin() + 4), (std::vector<int> { 3, 1, 3, 1 }));

    const auto triangle = WaveTransforms::triangle (fivePoints);
    ASSERT_EQ (WaveTransforms::usedSlots (triangle), (Slots { 0, 1 }));
    EXPECT_EQ (triangle.x[0], 2048);
    EXPECT_EQ (triangle.y[0], 1.0f);
    EXPECT_EQ (triangle.x[1], 6144);
    EXPECT_EQ (triangle.y[1], 0.0f);
    EXPECT_EQ (triangle.type[1], 3);
}

TEST (WaveTransformsTest, DeleteTakesTheSelectionOrEverything)
{
    EXPECT_EQ (WaveTransforms::usedSlots (WaveTransforms::deletePoints (fivePoints, { 1, 3 })), (Slots { 0, 2, 4 }));
    EXPECT_TRUE (WaveTransforms::usedSlots (WaveTransforms::deletePoints (fivePoints, {})).empty());
}
