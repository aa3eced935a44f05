#include "dsp/SignalSmoother.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
    constexpr int span = SignalBuffer::capacity;
    constexpr float mixSpeed = -0.25f;   // 50 · 2^-2.125, about 11.46 Hz
    const double mixCutoffHz = 50.0 * std::pow (2.0, 8.5 * mixSpeed);
    constexpr double settleThreshold = 1.0 / 16384.0;

    struct SmootherRig
    {
        explicit SmootherRig (double sampleRate = 44100.0) { owner->context->setSampleRate (sampleRate); }

        // Runs one span with the buffer holding a constant value, as the processor writes it, and
        // returns the span as smoothed.
        std::vector<float> run (float value, int n = span)
        {
            buffer.samples[0] = value;
            buffer.varying = false;
            smoother.process (n);
            std::vector<float> out ((size_t) n);

            for (int i = 0; i < n; ++i)
                out[(size_t) i] = buffer.samples[(size_t) (buffer.varying ? i : 0)];

            return out;
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        SignalBuffer& buffer = owner->state->mixBuffer;
        SignalSmoother smoother { *owner, buffer, mixSpeed };
    };

    // Step response of three identical one-pole stages (input gain a, feedback 1 - a) at sample
    // n: the chance of at least three successes in n + 3 trials of chance a.
    double thirdOrderStep (double a, int n)
    {
        const double b = 1.0 - a;
        const double trials = n + 3;
        return 1.0 - (std::pow (b, trials) + trials * a * std::pow (b, trials - 1)
                      + trials * (trials - 1) / 2 * a * a * std::pow (b, trials - 2));
    }

    // The continuous third-order low-pass step response at t seconds.
    double continuousStep (double t)
    {
        const double x = 2.0 * juce::MathConstants<double>::pi * mixCutoffHz * t;
        return 1.0 - std::exp (-x) * (1.0 + x + 0.5 * x * x);
    }
}

TEST (SignalSmoother, FirstSpanUsesTheValueAtOnce)
{
    auto rig = std::make_unique<SmootherRig>();
    rig->smoother.setState (SignalSmoother::startFromNextValue);

    for (int call = 0; call < 3; ++call)
    {
        const auto out = rig->run (0.7f);
        EXPECT_FALSE (rig->buffer.varying);
        EXPECT_EQ (out.back(), 0.7f);
    }

    // Without the start state the first span rises from 0.
    auto fresh = std::make_unique<SmootherRig>();
    const auto rising = fresh->run (0.7f);
    EXPECT_TRUE (fresh->buffer.varying);
    EXPECT_LT (rising.back(), 0.1f);
}

TEST (SignalSmoother, StepFollowsTheThirdOrderCurveAndThenIsExactlyTheTarget)
{
    auto rig = std::make_unique<SmootherRig>();
    rig->smoother.setState (SignalSmoother::startFromNextValue);
    rig->run (0.0f);

    const double a = 1.0 - std::exp (-2.0 * juce::MathConstants<double>::pi * mixCutoffHz / 44100.0);
    int n = 0;
    float last = 0.0f;

    for (int call = 0; call < 100; ++call)
    {
        const auto out = rig->run (1.0f);

        if (! rig->buffer.varying)
            break;

        for (float y : out)
        {
            ASSERT_NEAR (y, thirdOrderStep (a, n), 1e-6) << n;
            last = y;
            ++n;
        }
    }

    // The filter runs to the end of the span in which the curve came within 2^-14 of 1.
    int within = 0;

    while (1.0 - thirdOrderStep (a, within) > settleThreshold)
        ++within;

    EXPECT_EQ (n, (within / span + 1) * span);
    EXPECT_FALSE (rig->buffer.varying);
    EXPECT_EQ (rig->buffer.samples[0], 1.0f);
    EXPECT_LE (1.0 - last, settleThreshold) << "the last step to the target is at most 2^-14";

    rig->run (1.0f);
    EXPECT_FALSE (rig->buffer.varying) << "stays settled";
}

TEST (SignalSmoother, SameCutoffAtEverySampleRate)
{
    // One smoother through three rates: each new rate must take effect at its first filtered span.
    auto rig = std::make_unique<SmootherRig>();
    rig->smoother.setState (SignalSmoother::startFromNextValue);
    rig->run (0.0f);
    float target = 0.0f;

    for (double rate : { 44100.0, 96000.0, 48000.0 })
    {
        SCOPED_TRACE (rate);
        rig->owner->context->setSampleRate (rate);
        const float from = target;
        target = 1.0f - target;

        const int at = (int) std::lround (0.03 * rate);   // 30 ms into the step
        std::vector<float> out;

        while ((int) out.size() <= at)
            for (float y : rig->run (target))
                out.push_back (y);

        const double covered = (out[(size_t) at] - from) / (target - from);
        EXPECT_NEAR (covered, continuousStep ((at + 1) / rate), 1e-3);

        for (int call = 0; call < 400 && rig->buffer.varying; ++call)
            rig->run (target);
    }
}

TEST (SignalSmoother, FiltersAVaryingBufferLikeAConstantOne)
{
    auto constant = std::make_unique<SmootherRig>();
    auto varying = std::make_unique<SmootherRig>();

    for (int call = 0; call < 3; ++call)
    {
        const auto expected = constant->run (0.8f);

        varying->buffer.samples.fill (0.8f);
        varying->buffer.varying = true;
        varying->smoother.process (span);

        for (int i = 0; i < span; ++i)
            ASSERT_EQ (varying->buffer.samples[(size_t) i], expected[(size_t) i]) << call << " " << i;
    }
}
