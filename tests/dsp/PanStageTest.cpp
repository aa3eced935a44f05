#include "dsp/PanStage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{
    constexpr int span = SignalBuffer::capacity;

    // A pan stage on a standalone node's StateBlock (on the heap: it is large), fed with a
    // different signal on each channel.
    struct PanRig
    {
        PanRig()
        {
            for (int i = 0; i < span; ++i)
            {
                state.input.left.samples[(size_t) i] = std::sin (0.05f * (float) i);
                state.input.right.samples[(size_t) i] = 0.5f - (float) i / (float) span;
            }
        }

        void setConstant (SignalBuffer& buffer, float value)
        {
            buffer.samples[0] = value;
            buffer.varying = false;
        }

        float inL (int i) const { return state.input.left.samples[(size_t) i]; }
        float inR (int i) const { return state.input.right.samples[(size_t) i]; }
        float outL (int i) const { return state.output.left.samples[(size_t) i]; }
        float outR (int i) const { return state.output.right.samples[(size_t) i]; }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        StateBlock& state = *owner->state;
        PanStage pan { *owner, state.input, state.lfoOutput, state.mixBuffer, state.output };
    };

    // The pan law worked out in double precision: equal power, unity at the centre.
    double expectedGain (double modulation, double mix, bool left)
    {
        const double c = std::clamp (0.5 * modulation + 0.5, 0.0, 1.0);
        const double full = std::sqrt (2.0 * (left ? c : 1.0 - c));
        return (full - 1.0) * mix + 1.0;
    }
}

TEST (PanStage, TheCentreIsExactlyUnityAtEveryMix)
{
    for (float mixValue : { 0.0f, 0.3f, 1.0f })
    {
        auto rig = std::make_unique<PanRig>();
        rig->setConstant (rig->state.mixBuffer, mixValue);
        rig->setConstant (rig->state.lfoOutput, 0.0f);
        rig->pan.render (span);

        for (int i = 0; i < span; ++i)
        {
            ASSERT_EQ (rig->outL (i), rig->inL (i)) << mixValue << ", " << i;
            ASSERT_EQ (rig->outR (i), rig->inR (i)) << mixValue << ", " << i;
        }
    }
}

TEST (PanStage, PanLaw)
{
    const struct { float mix, modulation, gainL, gainR; } cases[] = {
        { 1.0f, 0.0f, 1.0f, 1.0f },
        { 1.0f, 1.0f, 1.41421356f, 0.0f },
        { 1.0f, -1.0f, 0.0f, 1.41421356f },
        { 0.5f, 1.0f, 1.20710678f, 0.5f },
        { 1.0f, 0.5f, 1.22474487f, 0.70710678f },
        { 1.0f, 3.0f, 1.41421356f, 0.0f },     // clamped to +1
        { 1.0f, -2.5f, 0.0f, 1.41421356f },    // clamped to -1
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (testing::Message() << "mix " << c.mix << ", LFO " << c.modulation);
        auto rig = std::make_unique<PanRig>();
        rig->setConstant (rig->state.mixBuffer, c.mix);

        for (int i = 0; i < span; ++i)
            rig->state.lfoOutput.samples[(size_t) i] = c.modulation;

        rig->state.lfoOutput.varying = true;
        rig->pan.render (span);

        ASSERT_NEAR (expectedGain (c.modulation, c.mix, true), c.gainL, 1e-7);
        ASSERT_NEAR (expectedGain (c.modulation, c.mix, false), c.gainR, 1e-7);

        for (int i = 0; i < span; ++i)
        {
            ASSERT_NEAR (rig->outL (i), c.gainL * rig->inL (i), 5e-7f) << i;
            ASSERT_NEAR (rig->outR (i), c.gainR * rig->inR (i), 5e-7f) << i;
        }
    }
}

TEST (PanStage, MixZeroPassesTheInputExactlyWhateverTheLfoDoes)
{
    auto rig = std::make_unique<PanRig>();
    rig->setConstant (rig->state.mixBuffer, 0.0f);

    for (int i = 0; i < span; ++i)
        rig->state.lfoOutput.samples[(size_t) i] = std::sin (0.3f * (float) i) * 1.5f;

    rig->state.lfoOutput.varying = true;
    rig->pan.render (span);

    for (int i = 0; i < span; ++i)
    {
        ASSERT_EQ (rig->outL (i), rig->inL (i)) << i;
        ASSERT_EQ (rig->outR (i), rig->inR (i)) << i;
    }
}

TEST (PanStage, ExpandsAConstantLfoAndFollowsAVaryingMix)
{
    auto rig = std::make_unique<PanRig>();
    rig->setConstant (rig->state.lfoOutput, -1.0f);   // hard right

    for (int i = 0; i < span; ++i)
        rig->state.mixBuffer.samples[(size_t) i] = (float) i / (float) (span - 1);

    rig->state.mixBuffer.varying = true;
    const int n = 300;
    rig->pan.render (n);

    EXPECT_TRUE (rig->state.lfoOutput.varying);
    EXPECT_EQ (rig->state.lfoOutput.samples[n - 1], -1.0f);

    for (int i = 0; i < n; ++i)
    {
        const double k = rig->state.mixBuffer.samples[(size_t) i];
        ASSERT_NEAR (rig->outL (i), (1.0 - k) * rig->inL (i), 1e-6) << i;
        ASSERT_NEAR (rig->outR (i), expectedGain (-1.0, k, false) * rig->inR (i), 1e-6) << i;
    }
}
