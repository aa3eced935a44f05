#include "WaveDrawing.h"
#include "dsp/WaveCubic.h"
#include "dsp/WaveLfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
    constexpr double tempoDivisor = 1.875;   // tempo / 1.875 is the rate of a loop of one 128th note
    constexpr int lastXStep = WaveTables::xSteps - 1;

    // An LFO on a standalone node that owns the StateBlock (on the heap, it is large), with the
    // means to draw its waves, set its speed and collect what it plays.
    struct LfoRig
    {
        explicit LfoRig (double sampleRate = 44100.0) { context.setSampleRate (sampleRate); }

        // A wave of one point: its curve is the constant 2y - 1.
        void drawConstant (int w, float y) { draw (w, { { 0, y, 1 } }); }
        void erase (int w) { draw (w, {}); }

        void draw (int w, const std::vector<WaveDrawing::Point>& points)
        {
            WaveCubic wave { *owner, state.waves[(size_t) w], nullptr };
            WaveDrawing::drawAndRebuild (wave, points);
        }

        // Writes every level's interpolation table of wave 0 straight from f (level, entry, size).
        template <typename Function>
        void fillLevels (Function f)
        {
            auto& tables = state.waves[0];
            tables.hasPoints = true;

            for (size_t k = 0; k < (size_t) DspContext::numLevels; ++k)
            {
                const int size = context.interpolationSizes[k];

                for (int i = 0; i < size; ++i)
                    tables.interpolationLevel ((int) k)[i] = f ((int) k, i, size);
            }
        }

        // Every level plays back the phase itself: entry i of a level of S entries is i / S.
        void drawPhaseProbe()
        {
            fillLevels ([] (int, int i, int size) { return (float) i / (float) size; });
        }

        // A beat type with loop length 1/128 at the tempo that gives exactly this rate.
        void setBeat (int type, double rate)
        {
            state.speedType.writeStep (type);
            state.loopLength.writeStep (0);
            context.tempo = rate * tempoDivisor;
        }

        void setHertz (int type, float speed)
        {
            state.speedType.writeStep (type);
            state.speed.writeValue (speed);
        }

        // Renders n samples in calls of at most 512; a constant call counts as n equal samples.
        std::vector<float> play (int n)
        {
            std::vector<float> out;

            while (n > 0)
            {
                const int count = std::min (n, SignalBuffer::capacity);
                lfo.render (count);

                for (int i = 0; i < count; ++i)
                    out.push_back (buffer().samples[(size_t) (buffer().varying ? i : 0)]);

                n -= count;
            }

            return out;
        }

        // Lets a one-shot type take effect, then starts it with a note.
        void startOneShot()
        {
            lfo.render (0);
            lfo.noteOn (60, 1.0f, 0.0);
        }

        const SignalBuffer& buffer() const { return state.lfoOutput; }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        StateBlock& state = *owner->state;
        DspContext& context = *owner->context;
        WaveLfo lfo { *owner, state.loopLength, state.speed, state.speedType, state.lfoOutput };
    };

    // At 64 samples per cycle a one-shot stops after sample 62, at 63/64 of the cycle.
    constexpr int lastSampleBeforeStop = 62;
}

TEST (WaveLfo, RateAndPhaseAtTheStartOfARenderCall)
{
    struct Case
    {
        const char* what;
        int type, loopStep;
        float speed;
        int note;            // -1: no note yet
        double tempo, ppq, seconds;
        double rate, phase;
    };

    const Case cases[] = {
        { "Beat Synced, 1 Bar at 120 bpm", 0, 10, 0.0f, -1, 120.0, 6.0, 0.0, 0.5, 0.5 },
        { "Beat Synced, 1/8d at 90 bpm", 0, 5, 0.0f, -1, 90.0, 7.125, 0.0, 2.0, 0.5 },
        { "Beat Synced, a hair below a whole cycle", 0, 0, 0.0f, -1, 120.0, 0.25 - std::ldexp (1.0, -40), 0.0,
          64.0, -std::ldexp (1.0, -35) },
        { "Beat 1-Shot, 32 Bars at 60 bpm", 2, 17, 0.0f, -1, 60.0, 6.0, 0.0, 60.0 / 7680.0, 0.0 },
        { "Hertz Synced, Speed 0 after 100 s", 3, 0, 0.0f, -1, 120.0, 0.0, 100.0,
          (double) 0.02f, 100.0 * (double) 0.02f - 1.0 },
        { "Hertz Synced, Speed 1 after 0.5 s", 3, 0, 1.0f, -1, 120.0, 0.0, 0.5, 5242.8798828125, 0.43994140625 },
        { "Hertz Retrig., Speed 0.5", 4, 0, 0.5f, -1, 120.0, 3.0, 3.0, (double) (0.02f * 512.0f), 0.0 },
        { "Hertz 1-Shot, Speed 1", 5, 0, 1.0f, -1, 120.0, 3.0, 3.0, 5242.8798828125, 0.0 },
        { "Pitch -> Rate before any note", 6, 0, 0.0f, -1, 120.0, 3.0, 3.0, 8.17579936981201171875, 0.0 },
        { "Pitch -> Rate after note 69", 6, 0, 0.0f, 69, 120.0, 3.0, 3.0, 440.0, 0.0 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.what);
        auto rig = std::make_unique<LfoRig>();
        rig->state.speedType.writeStep (c.type);
        rig->state.loopLength.writeStep (c.loopStep);
        rig->state.speed.writeValue (c.speed);
        rig->context.tempo = c.tempo;
        rig->context.ppqPosition = c.ppq;
        rig->context.timeInSeconds = c.seconds;

        if (c.note >= 0)
            rig->lfo.noteOn (c.note, 1.0f, 0.0);

        rig->lfo.render (0);
        EXPECT_EQ (rig->lfo.rate(), c.rate);
        EXPECT_EQ (rig->lfo.phase(), c.phase);
    }
}

TEST (WaveLfo, ThreeBarsLastSixAndAnEighthSecondsAt120Bpm)
{
    auto rig = std::make_unique<LfoRig>();
    rig->state.speedType.writeStep (1);
    rig->state.loopLength.writeStep (13);   // "3 Bars (12/4)": 392 128th notes, not 384
    rig->lfo.render (0);
    EXPECT_DOUBLE_EQ (1.0 / rig->lfo.rate(), 6.125);
}

TEST (WaveLfo, PlaysTheLevelChosenByTheRate)
{
    // 5.38330078125 Hz advances one level-0 sample per sample at 44.1 kHz. At twice and 1024 times
    // that the level is a whole number only if the logarithm's product stays in single precision.
    const struct { double rate; int level; } cases[] = {
        { 5.38, 0 }, { 5.38330078125, 0 }, { 10.7666015625, 1 }, { 11.0, 1 }, { 440.0, 6 },
        { 5512.5, 10 }, { 12543.85, 10 }, { 44100.0, 10 },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.rate);
        auto rig = std::make_unique<LfoRig>();
        rig->fillLevels ([] (int level, int, int) { return (float) level; });
        rig->setBeat (1, c.rate);
        rig->lfo.render (1);
        EXPECT_EQ (rig->buffer().samples[0], (float) c.level);
    }
}

TEST (WaveLfo, LooksUpThePhaseAndWrapsWithinACall)
{
    auto rig = std::make_unique<LfoRig>();
    rig->drawPhaseProbe();
    rig->setHertz (4, 1.0f);
    const auto out = rig->play (SignalBuffer::capacity);

    const double increment = 5242.8798828125 / 44100.0;
    const double entry = 1.0 / (32.0 * (8192 >> 9));   // played from level 9

    for (int i = 0; i < SignalBuffer::capacity; ++i)
    {
        const double expected = std::fmod (i * increment, 1.0);
        const double distance = std::abs (out[(size_t) i] - expected);
        EXPECT_LE (std::min (distance, 1.0 - distance), 0.5 * entry + 1e-6) << i;
    }

    EXPECT_TRUE (rig->buffer().varying);
    EXPECT_NEAR (rig->lfo.phase(), SignalBuffer::capacity * increment, 1e-9) << "the phase passes 1 inside a call";
}

TEST (WaveLfo, OneShotGlidesForAFifthOfASecondToTheEndValue)
{
    const struct { double sampleRate; int glide; } cases[] = { { 44100.0, 8820 }, { 48000.0, 9600 } };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.sampleRate);
        auto rig = std::make_unique<LfoRig> (c.sampleRate);
        rig->fillLevels ([] (int, int, int) { return 0.0f; });
        rig->state.waves[0].curve[(size_t) (4 * lastXStep)] = 0.98f;   // snaps to 1
        rig->setBeat (2, c.sampleRate / 64.0);
        rig->startOneShot();

        const auto out = rig->play (c.glide + 1024);
        const int first = lastSampleBeforeStop + 1;
        const float step = 1.0f / (float) c.glide;

        EXPECT_EQ (out[lastSampleBeforeStop], 0.0f);
        EXPECT_EQ (out[first], step) << "the glide spreads 0 ... 1 over its length";
        EXPECT_NEAR (out[(size_t) (first + c.glide - 1)] - out[(size_t) (first + c.glide - 2)], step, 1e-6f);

        for (size_t i = (size_t) (first + c.glide); i < out.size(); ++i)
            ASSERT_EQ (out[i], 1.0f) << i;

        EXPECT_FALSE (rig->buffer().varying);

        rig->lfo.noteOn (60, 1.0f, 0.0);
        rig->play (16);
        EXPECT_TRUE (rig->buffer().varying);
        EXPECT_EQ (rig->lfo.phase(), 16.0 / 64.0) << "a note restarts the cycle";
    }
}

TEST (WaveLfo, OneShotHoldsTheSnappedEndValueOfTheWave)
{
    const struct { float y; float held; } cases[] = {
        { 0.99f, 1.0f }, { 0.505f, 0.0f }, { 0.01f, -1.0f }, { 0.25f, -0.5f },
    };

    for (auto& c : cases)
    {
        SCOPED_TRACE (c.y);
        auto rig = std::make_unique<LfoRig>();
        rig->drawConstant (0, c.y);
        rig->setHertz (5, 1.0f);
        rig->startOneShot();
        rig->play (8820 + 1024);

        EXPECT_FALSE (rig->buffer().varying);
        EXPECT_EQ (rig->buffer().samples[0], c.held);

        // The hold follows later edits of the wave.
        rig->erase (0);
        rig->play (1);
        EXPECT_EQ (rig->buffer().samples[0], 0.0f);
    }
}

TEST (WaveLfo, LeavingTheOneShotTypesWhileHoldingResumesFromTheStoppedPhase)
{
    // Five 256ths of a cycle per sample: the cycle stops at 255/256.
    constexpr double step = 5.0 / 256.0;
    auto rig = std::make_unique<LfoRig>();
    rig->drawPhaseProbe();
    rig->setBeat (2, 44100.0 * step);
    rig->startOneShot();
    rig->play (2 * SignalBuffer::capacity);
    ASSERT_EQ (rig->lfo.phase(), 255.0 / 256.0) << "holding keeps the phase";

    // The switch is acted on one call late: that call plays the stopped phase and glides again;
    // from the next call on the LFO runs freely from there.
    rig->state.speedType.writeStep (1);
    const auto first = rig->play (SignalBuffer::capacity);
    EXPECT_EQ (first[0], 255.0f / 256.0f);

    const auto next = rig->play (SignalBuffer::capacity);

    for (int i = 0; i < SignalBuffer::capacity; ++i)
        ASSERT_EQ (next[(size_t) i], (float) std::fmod ((260.0 + 5.0 * i) / 256.0, 1.0)) << i;
}

TEST (WaveLfo, WaveWithoutPointsPlaysAConstantZeroWhileThePhaseRuns)
{
    auto rig = std::make_unique<LfoRig>();
    rig->drawConstant (1, 0.75f);
    rig->lfo.setWave (1);
    rig->setHertz (4, 0.5f);
    rig->play (100);
    ASSERT_TRUE (rig->buffer().varying);

    rig->lfo.setWave (0);
    rig->erase (0);
    rig->play (256);
    EXPECT_FALSE (rig->buffer().varying);
    EXPECT_EQ (rig->buffer().samples[0], 0.0f);
    const double increment = (double) (0.02f * 512.0f) / 44100.0;
    EXPECT_NEAR (rig->lfo.phase(), 356 * increment, 1e-12);

    rig->lfo.setWave (1);
    rig->play (10);
    EXPECT_TRUE (rig->buffer().varying);
    EXPECT_EQ (rig->buffer().samples[9], 0.5f);
}
