#include "WaveDrawing.h"
#include "dsp/WaveCubic.h"

#include <gtest/gtest.h>

namespace
{
    constexpr int factor = DspContext::interpolationFactor;

    // A cubic wave with one fixed drawing, built through every rebuild slice.
    class WaveCubicTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            WaveDrawing::drawAndRebuild (wave, {
                { 7000, 0.3f, 1 }, { 3000, 0.1f, 2 }, { 5500, 0.95f, 3 }, { 1000, 0.8f, 1 }, { 8191, 0.55f, 3 },
            });
        }

        float level (int k, int s) const
        {
            return tables.levels[(size_t) (context.levelOffsets[(size_t) k] + s)];
        }

        float interpolated (int k, int s, int j) const
        {
            return tables.interpolationLevel (k)[factor * s + j];
        }

        // Entry i counted through all levels one after the other.
        float interpolatedAt (int i) const
        {
            int k = DspContext::numLevels - 1;

            while (context.interpolationOffsets[(size_t) k] > i)
                --k;

            return tables.interpolationLevel (k)[i - context.interpolationOffsets[(size_t) k]];
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        const DspContext& context = *owner->context;
        WaveTables& tables = owner->state->waves[3];
        WaveCubic wave { *owner, tables, nullptr };
    };
}

TEST_F (WaveCubicTest, InterpolationPassesThroughEveryLevelSample)
{
    for (int k = 0; k < DspContext::numLevels; ++k)
        for (int s = 0; s < context.levelSizes[(size_t) k]; ++s)
            ASSERT_EQ (interpolated (k, s, 0), level (k, s)) << "level " << k << " sample " << s;
}

TEST_F (WaveCubicTest, InterpolationIsCatmullRomOverWrappedNeighbours)
{
    for (int k : { 0, 6, 11 })
    {
        const int n = context.levelSizes[(size_t) k];

        for (int s : { 0, 1, n / 2, n - 2, n - 1 })
        {
            const double p0 = level (k, (s + n - 1) % n), p1 = level (k, s);
            const double p2 = level (k, (s + 1) % n), p3 = level (k, (s + 2) % n);

            for (int j : { 1, 8, 16, 31 })
            {
                const double t = j / 32.0;
                const double expected = 0.5 * (2.0 * p1 + (p2 - p0) * t
                                                + (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3) * t * t
                                                + (3.0 * p1 - p0 - 3.0 * p2 + p3) * t * t * t);
                EXPECT_NEAR (interpolated (k, s, j), expected, 1.0e-6) << k << " " << s << " " << j;
            }
        }
    }
}

TEST_F (WaveCubicTest, OnlyTheCubicWaveFillsTheInterpolationTables)
{
    auto& plainTables = owner->state->waves[4];
    plainTables.x (0).writeStep (100);
    plainTables.y (0).writeValue (1.0f);
    plainTables.type (0).writeStep (1);

    Wave plain { *owner, plainTables, nullptr };
    plain.updateStep();
    plain.updateStep();

    EXPECT_EQ (plainTables.levels[100], 1.0f);
    EXPECT_EQ (plainTables.interpolationLevel (0)[100], 0.0f);
    EXPECT_NE (tables.interpolationLevel (0)[100], 0.0f);
}

TEST_F (WaveCubicTest, GoldenInterpolationEntries)
{
    struct Entry { int index; float value; };
    const Entry entries[] = {
        { 0, 0x1.9c69cep-4f }, { 17, 0x1.9d81f6p-4f }, { 88005, -0x1.3ff9fp-1f },
        { 265144, 0x1.8e7d64p-3f }, { 524159, 0x1.a00576p-3f },
    };

    for (auto& e : entries)
        EXPECT_EQ (interpolatedAt (e.index), e.value) << e.index;
}
