#include "dsp/ScopeTrace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace
{
    constexpr int span = SignalBuffer::capacity;
    constexpr int columns = ScopeTrace::defaultColumns;
    constexpr float cleared = -1.0f;

    // A trace fed with each sample's own index, so every column tells which samples reached it.
    struct TraceRig
    {
        explicit TraceRig (double sampleRate = 44100.0) { owner->context->setSampleRate (sampleRate); }

        void feed (int n)
        {
            std::vector<float> samples ((size_t) n);

            for (auto& s : samples)
                s = (float) next++;

            for (int done = 0; done < n; done += span)
                trace.capture (samples.data() + done, std::min (span, n - done));
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        ScopeTrace trace { *owner, nullptr, cleared };
        int next = 0;
    };
}

TEST (ScopeTrace, OneHertzAt44100FillsTheScreenOnceASecond)
{
    TraceRig rig;
    rig.trace.setSpeed (1.0f);
    rig.feed (44100);

    // Each column gathers about 76 samples; its extremes land in the next column when that begins.
    const double samplesPerColumn = 44100.0 / columns;

    for (int c = 1; c < columns; ++c)
    {
        ASSERT_NEAR (rig.trace.minimum (c), std::ceil ((c - 1) * samplesPerColumn), 1.0) << c;
        ASSERT_NEAR (rig.trace.maximum (c), std::ceil (c * samplesPerColumn) - 1.0, 1.0) << c;
    }

    EXPECT_EQ (rig.trace.maximum (0), cleared) << "column 0 waits for the second cycle";
    rig.feed (1);
    EXPECT_NEAR (rig.trace.maximum (0), 44099.0, 1.0);
    EXPECT_NEAR (rig.trace.getPosition(), 44101 / samplesPerColumn - columns, 1e-3);
}

TEST (ScopeTrace, FastRateDrawsOnlyTheLastScreenOfASpan)
{
    // 441 Hz: 5.8 columns per sample, so a span of 512 covers the screen five times over.
    TraceRig rig;
    rig.trace.setSpeed (441.0f);
    rig.trace.setPosition (123.0);
    rig.feed (span);

    const double step = 441.0 * columns / 44100.0;
    const int shown = (int) (columns / step) + 2;
    int older = 0;

    for (int c = 0; c < columns; ++c)
    {
        ASSERT_NE (rig.trace.maximum (c), cleared) << c;

        if (rig.trace.maximum (c) < span - shown)
            ++older;
    }

    EXPECT_LE (older, 1) << "at most the one column the skip lands in keeps an earlier value";
    EXPECT_NEAR (rig.trace.getPosition(), std::fmod (123.0 + span * step, (double) columns), 1e-3);
}

TEST (ScopeTrace, StepLongerThanTheScreenStaysWithinTheColumns)
{
    // A note's rate at a low sample rate: one sample crosses more than the whole screen.
    TraceRig rig (8000.0);
    rig.trace.setSpeed (12543.85f);
    rig.feed (3 * span);

    EXPECT_GE (rig.trace.getPosition(), 0.0);
    EXPECT_LT (rig.trace.getPosition(), (double) columns);

    for (int c = 0; c < columns; ++c)
        ASSERT_NE (rig.trace.maximum (c), cleared) << c;
}

TEST (ScopeTrace, ClearAndZoom)
{
    TraceRig rig;
    rig.trace.setSpeed (5.0f);
    rig.feed (2 * span);
    rig.trace.clear();

    for (int c = 0; c < ScopeTrace::capacity; ++c)
    {
        ASSERT_EQ (rig.trace.minimum (c), cleared);
        ASSERT_EQ (rig.trace.maximum (c), cleared);
    }

    EXPECT_EQ (rig.trace.getPosition(), 0.0);
    EXPECT_NEAR (rig.trace.zoom(), 2.828427f, 1e-5f) << "no zoom record";

    ParameterRecord zoom;
    ScopeTrace zoomed { *rig.owner, &zoom };

    for (float v : { 0.0f, 0.5f, 1.0f })
    {
        zoom.writeValue (v);
        EXPECT_FLOAT_EQ (zoomed.zoom(), std::pow (2.0f, 13.0f * v) / 32.0f) << v;
    }
}
