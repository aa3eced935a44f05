#include "dsp/ToneOrvanta.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
    constexpr int span = SignalBuffer::capacity;

}

TEST (ToneOrvanta, AWaveWithoutPointsLeavesTheSignalUnchangedAtEveryMix)
{
    auto owner = std::make_unique<AudioNode>();
    auto& s = *owner->state;
    ToneOrvanta tone { *owner };

    for (float mix : { 0.0f, 0.5f, 1.0f })
    {
        SCOPED_TRACE (mix);

        for (int i = 0; i < span; ++i)
        {
            s.input.left.samples[(size_t) i] = std::sin (0.01f * (float) i);
            s.input.right.samples[(size_t) i] = -0.3f;
        }

        s.mixBuffer.samples[0] = mix;
        s.mixBuffer.varying = false;
        tone.render (span);

        for (int i = 0; i < span; ++i)
        {
            ASSERT_FLOAT_EQ (s.output.left.samples[(size_t) i], s.input.left.samples[(size_t) i]) << i;
            ASSERT_FLOAT_EQ (s.output.right.samples[(size_t) i], s.input.right.samples[(size_t) i]) << i;
        }
    }
}

TEST (ToneOrvanta, NotesRestartTheLfoAndNeverEndTheTone)
{
    auto owner = std::make_unique<AudioNode>();
    owner->state->speedType.writeStep (WaveLfo::hertzRetrig);
    ToneOrvanta tone { *owner };
    tone.render (span);
    ASSERT_GT (tone.getLfo().phase(), 0.0);

    tone.noteOn (69, 100, 1, -1);
    EXPECT_EQ (tone.getNote(), 69);
    EXPECT_EQ (tone.getLfo().phase(), 0.0);

    tone.render (span);
    const double running = tone.getLfo().phase();
    tone.noteOff (-1, 0);
    EXPECT_EQ (tone.getLfo().phase(), running);
    EXPECT_FALSE (tone.isFinished());
}
