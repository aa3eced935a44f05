#include "WaveDrawing.h"
#include "dsp/Wave.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace
{
    constexpr int unitsPerStep = 4;   // curve-table entries per X step

    using Point = WaveDrawing::Point;

    // A wave on a standalone node that owns the StateBlock, with helpers to draw its points.
    class WaveTest : public ::testing::Test
    {
    protected:
        void draw (const std::vector<Point>& points)
        {
            WaveDrawing::draw (tables, points);
            wave.dirty = true;
        }

        void rebuild() { WaveDrawing::finishRebuild (wave); }

        float curve (int index) const { return tables.curve[(size_t) index]; }

        // The largest step between neighbouring entries inside the cycle, boundary excluded.
        float largestInnerStep() const
        {
            float largest = 0.0f;

            for (int i = 1; i + 1 < WaveTables::curveSize; ++i)
                largest = std::max (largest, std::abs (curve (i + 1) - curve (i)));

            return largest;
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        WaveTables& tables = owner->state->waves[0];
        Wave wave { *owner, tables, nullptr };
    };
}

TEST_F (WaveTest, NewWaveIsBuiltInTwoStages)
{
    EXPECT_TRUE (wave.dirty);
    EXPECT_FALSE (wave.isMidRebuild());
    EXPECT_FALSE (wave.displayUpdated);
    EXPECT_TRUE (tables.hasPoints);

    draw ({ { 100, 0.75f, 1 } });

    wave.updateStep();
    EXPECT_FALSE (wave.dirty);
    EXPECT_TRUE (wave.isMidRebuild());
    EXPECT_EQ (curve (12345), 0.5f);
    EXPECT_EQ (tables.levels[0], 0.0f) << "levels wait for the second stage";
    EXPECT_FALSE (wave.displayUpdated);

    wave.updateStep();
    EXPECT_FALSE (wave.isMidRebuild());
    EXPECT_EQ (tables.levels[0], 0.5f);
    EXPECT_EQ (wave.displayTable[8191], 0.5f);
    EXPECT_TRUE (wave.displayUpdated);

    // A clean wave ignores its records until it is marked dirty.
    tables.y (0).writeValue (1.0f);
    wave.updateStep();
    wave.updateStep();
    EXPECT_EQ (curve (0), 0.5f);
}

TEST_F (WaveTest, ChangeBetweenTheStagesIsBuiltInTheNextTwoCalls)
{
    draw ({ { 100, 0.75f, 1 } });
    wave.updateStep();

    draw ({ { 100, 0.25f, 1 } });
    wave.updateStep();
    EXPECT_TRUE (wave.dirty);
    EXPECT_EQ (wave.displayTable[0], 0.5f);

    wave.displayUpdated = false;
    rebuild();
    EXPECT_FALSE (wave.dirty);
    EXPECT_EQ (wave.displayTable[0], -0.5f);
    EXPECT_TRUE (wave.displayUpdated);
}

TEST_F (WaveTest, WaveWithoutUsedSlotsIsSilentAndBlank)
{
    draw ({ { 0, 0.9f, 1 }, { 4000, 0.1f, 2 } });
    rebuild();
    ASSERT_NE (wave.displayTable[0], 0.0f);

    draw ({ { 0, 0.9f, 0 } });
    wave.displayUpdated = false;
    rebuild();

    EXPECT_FALSE (tables.hasPoints);
    EXPECT_EQ (wave.controlPointCount(), 0);
    EXPECT_EQ (curve (0), 0.0f);
    EXPECT_EQ (wave.endValue(), 0.0f);
    EXPECT_TRUE (wave.displayUpdated);

    for (int i = 0; i < Wave::displaySize; ++i)
        ASSERT_EQ (wave.displayTable[i], 0.0f);
}

TEST_F (WaveTest, PointsOnOnePositionGiveTheFirstSlotsConstantValue)
{
    struct Case { const char* name; std::vector<Point> points; float expected; };
    const Case cases[] = {
        { "one smooth point", { { 3000, 0.75f, 1 } }, 0.5f },
        { "one type-2 point", { { 3000, 0.25f, 2 } }, -0.5f },
        { "one corner", { { 8191, 0.875f, 3 } }, 0.75f },
        { "two points on one x", { { 500, 0.25f, 1 }, { 500, 0.875f, 1 } }, -0.5f },
        { "type 2 and type 1 on one x", { { 0, 0.875f, 2 }, { 0, 0.25f, 1 } }, 0.75f },
        { "three points on one x", { { 7000, 0.0f, 1 }, { 7000, 1.0f, 1 }, { 7000, 0.5f, 1 } }, -1.0f },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        draw (c.points);
        rebuild();
        EXPECT_TRUE (tables.hasPoints);

        for (auto v : tables.curve)
            ASSERT_EQ (v, c.expected);

        EXPECT_EQ (tables.levels[WaveTables::levelTableSize - 1], c.expected);
    }
}

TEST_F (WaveTest, ControlPolygonIsSortedByXAndBorrowsFromTheAdjacentCycles)
{
    // Slot order is not x order; among equal x the earlier slot comes first.
    draw ({ { 6000, 1.0f, 1 }, { 2000, 0.5f, 2 }, { 6000, 0.0f, 1 } });
    wave.buildControlPoints();

    struct Entry { int x; float y; };
    const Entry expected[] = {
        { 8000 - 32768, 0.0f }, { 24000 - 32768, 1.0f }, { 24000 - 32768, -1.0f },
        { 8000, 0.0f }, { 8000, 0.0f }, { 24000, 1.0f }, { 24000, -1.0f },
        { 8000 + 32768, 0.0f }, { 8000 + 32768, 0.0f }, { 24000 + 32768, 1.0f },
    };

    ASSERT_EQ (wave.controlPointCount(), (int) std::size (expected));

    for (int i = 0; i < wave.controlPointCount(); ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (wave.controlPointX (i), expected[i].x);
        EXPECT_EQ (wave.controlPointY (i), expected[i].y);
    }
}

TEST_F (WaveTest, TwoPointsGiveASmoothCurveBetweenTheirValues)
{
    draw ({ { 5000, 0.875f, 1 }, { 1000, 0.25f, 1 } });
    rebuild();

    const int expectedX[] = { 20000 - 65536, 4000 - 32768, 20000 - 32768, 4000,
                              20000, 4000 + 32768, 20000 + 32768, 4000 + 65536 };
    ASSERT_EQ (wave.controlPointCount(), 8);

    for (int i = 0; i < 8; ++i)
        EXPECT_EQ (wave.controlPointX (i), expectedX[i]);

    // At each knot the spline weighs its point 4 : 2 against the other one.
    const auto [low, high] = std::minmax_element (tables.curve.begin(), tables.curve.end());
    EXPECT_NEAR (*low, (2.0f * -0.5f + 0.75f) / 3.0f, 1.0e-4f);
    EXPECT_NEAR (*high, (-0.5f + 2.0f * 0.75f) / 3.0f, 1.0e-4f);
    EXPECT_LT (largestInnerStep(), 0.001f);
    EXPECT_LT (std::abs (curve (0) - curve (32767)), 0.001f);
}

TEST_F (WaveTest, HigherTypeBendsCloserAndACornerPassesThroughItsPoint)
{
    constexpr int cornerStep = 4000;
    constexpr int corner = unitsPerStep * cornerStep;
    const float cornerValue = 2.0f * 0.9f - 1.0f;
    float previousDistance = 2.0f;

    for (int type = 1; type <= 3; ++type)
    {
        SCOPED_TRACE (type);
        draw ({ { 1000, 0.2f, 1 }, { cornerStep, 0.9f, type }, { 6000, 0.4f, 1 } });
        rebuild();

        const float distance = std::abs (curve (corner) - cornerValue);
        EXPECT_LT (distance, previousDistance);
        previousDistance = distance;
    }

    EXPECT_LT (previousDistance, 1.0e-5f);
    EXPECT_TRUE (curve (corner) == cornerValue || curve (corner + 1) == cornerValue);

    // Straight pieces towards the neighbouring control points on either side, one sixth long.
    const double before = 1000.0 * unitsPerStep, after = 6000.0 * unitsPerStep;
    const double yBefore = 2.0 * 0.2f - 1.0, yAfter = 2.0 * 0.4f - 1.0;

    for (int i = corner - 1300; i <= corner + 1300; i += 100)
    {
        const double end = i < corner ? before : after;
        const double yEnd = i < corner ? yBefore : yAfter;
        const double expected = cornerValue + (i - corner) / (end - corner) * (yEnd - cornerValue);
        EXPECT_NEAR (curve (i), expected, 1.0e-4) << "entry " << i;
    }
}

TEST_F (WaveTest, CurveIsContinuousAcrossTheCycleBoundary)
{
    struct Case { const char* name; std::vector<Point> points; };
    const Case cases[] = {
        { "smooth points at both ends", { { 0, 0.2f, 1 }, { 8191, 0.9f, 1 }, { 4000, 0.5f, 1 } } },
        { "corners at both ends", { { 0, 0.2f, 3 }, { 8191, 0.9f, 3 }, { 4000, 0.5f, 1 } } },
        { "two points at the ends", { { 8191, 0.2f, 2 }, { 0, 0.9f, 1 } } },
        // The last point's straight piece reaches past the start of the cycle.
        { "corner run across the start", { { 2000, 0.0f, 1 }, { 5000, 0.5f, 1 }, { 8000, 1.0f, 3 } } },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.name);
        draw (c.points);
        rebuild();

        // Entry 0 may be taken up to one unit early (positions truncate towards zero).
        const float limit = 2.0f * largestInnerStep();
        EXPECT_LE (std::abs (curve (0) - curve (32767)), limit);
        EXPECT_LE (std::abs (curve (1) - curve (0)), limit);
    }

    // Entry 0 lies on the straight piece from the corner at 32000 (one cycle back) towards 8000.
    const double width = (8000.0 + 768.0) / 6.0;
    EXPECT_NEAR (curve (0), 1.0 - 768.0 / width * (2.0 / 6.0), 1.0e-5);
}

TEST_F (WaveTest, PointRecordsFollowTheStepRule)
{
    struct Case { float xValue; int x; float typeValue; int type; };
    const Case cases[] = {
        { 1.0f, 8191, 1.0f, 3 },
        { 0.99999f, 8191, 0.99999f, 3 },
        { 0.0f, 0, 0.24999f, 1 },
        { 0.49998f, 4095, 0.2499f, 0 },
        { 0.5f, 4096, 0.5f, 2 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.xValue);
        tables.x (0).storage = c.xValue;
        tables.type (0).storage = c.typeValue;
        EXPECT_EQ (wave.point (0).x, c.x);
        EXPECT_EQ (wave.point (0).type, c.type);
    }

    draw ({ { 0, 0.5f, 1 }, { 100, 0.5f, 1 }, { 200, 0.5f, 1 } });
    tables.x (0).storage = 1.0f;
    tables.type (1).storage = 0.2499f;
    tables.type (2).storage = 0.24999f;
    wave.buildControlPoints();
    ASSERT_EQ (wave.controlPointCount(), 2 + 6) << "the 0.2499 slot is empty";
    EXPECT_EQ (wave.controlPointX (3), 800);
    EXPECT_EQ (wave.controlPointX (4), 32764);
}

TEST_F (WaveTest, RenderingWritesEveryEntryOfTheCycle)
{
    std::mt19937 random (2024);

    for (int trial = 0; trial < 40; ++trial)
    {
        SCOPED_TRACE (trial);
        std::vector<Point> points;
        const int count = 3 + (int) (random() % (trial % 2 == 0 ? 4 : WaveTables::numSlots - 2));

        for (int i = 0; i < count; ++i)
            points.push_back ({ (int) (random() % 8192), (float) (random() % 1001) / 1000.0f, 1 + (int) (random() % 3) });

        draw (points);
        tables.curve.fill (std::nanf (""));
        wave.buildControlPoints();
        wave.renderTable();

        for (auto v : tables.curve)
            ASSERT_FALSE (std::isnan (v));
    }
}

TEST_F (WaveTest, LevelsAreBoxAveragesOfTheCurve)
{
    draw ({ { 300, 0.1f, 1 }, { 2500, 0.95f, 3 }, { 2600, 0.3f, 2 }, { 7100, 0.7f, 1 } });
    rebuild();
    const auto& context = *owner->context;

    for (int k = 0; k < DspContext::numLevels; ++k)
    {
        SCOPED_TRACE (k);
        const int span = WaveTables::curveSize / context.levelSizes[(size_t) k];

        for (int j = 0; j < context.levelSizes[(size_t) k]; j += std::max (1, 64 >> k))
        {
            double sum = 0.0;

            for (int i = j * span; i < (j + 1) * span; ++i)
                sum += curve (i);

            ASSERT_NEAR (tables.levels[(size_t) (context.levelOffsets[(size_t) k] + j)], sum / span, 1.0e-6) << j;
        }
    }

    DisplayTable::Values shown;
    ASSERT_TRUE (wave.displayTable.copyTo (shown));
    EXPECT_TRUE (std::equal (shown.begin(), shown.end(), tables.levels.begin()));
}

TEST_F (WaveTest, EndValueSnapsToZeroAndToTheRails)
{
    struct Case { float curveValue; float expected; };
    const Case cases[] = {
        { 0.02f, 0.0f }, { -0.024f, 0.0f }, { 0.5f, 0.5f }, { -0.96f, -0.96f },
        { 0.98f, 1.0f }, { -0.98f, -1.0f },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.curveValue);
        draw ({ { 4000, (c.curveValue + 1.0f) / 2.0f, 1 } });
        rebuild();
        EXPECT_NEAR (wave.endValue(), c.expected, 1.0e-6);
    }

    // It is the value one X step before the end of the cycle.
    draw ({ { 1000, 0.0f, 1 }, { 8191, 0.8f, 3 }, { 5000, 1.0f, 1 } });
    rebuild();
    EXPECT_EQ (wave.endValue(), curve (32764));
    EXPECT_NE (curve (32764), curve (32767));
}

TEST_F (WaveTest, GoldenTablesOfOneWave)
{
    draw ({ { 7000, 0.3f, 1 }, { 3000, 0.1f, 2 }, { 5500, 0.95f, 3 }, { 1000, 0.8f, 1 }, { 8191, 0.55f, 3 } });
    rebuild();

    struct Entry { int index; float value; };
    const Entry curveEntries[] = {
        { 0, 0x1.9ba564p-4f }, { 1, 0x1.9c2854p-4f }, { 4000, 0x1.4af4ecp-2f },
        { 12000, -0x1.78c0c6p-1f }, { 22001, 0x1.ccccccp-1f }, { 32767, 0x1.9b2272p-4f },
    };
    const Entry levelEntries[] = {
        { 0, 0x1.9c69cep-4f }, { 2750, -0x1.3febecp-1f }, { 8292, 0x1.9b1c84p-3f },
        { 16376, 0x1.9484f2p-3f }, { 16379, -0x1.40afcp-7f },
    };

    for (auto& e : curveEntries)
        EXPECT_EQ (curve (e.index), e.value) << "curve " << e.index;

    for (auto& e : levelEntries)
        EXPECT_EQ (tables.levels[(size_t) e.index], e.value) << "level " << e.index;

    EXPECT_EQ (wave.endValue(), curve (32764));
}
