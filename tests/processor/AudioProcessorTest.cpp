#include "dsp/Wave.h"
#include "dsp/ScopeTraceSet.h"
#include "processor/AudioProcessor.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace
{
    // The index of point slot p (1 ... 40) of wave w (1 ... 10), part k (0 X, 1 Y, 2 Type).
    int pointIndex (int w, int p, int k)
    {
        const int b = p > 20 ? 1 : 0;
        return 24 + 3 * (20 * (10 * b + w - 1) + (p - 1 - 20 * b)) + k;
    }
}

TEST (AudioProcessor, RegistersThe1224ParametersInTheirFixedOrder)
{
    AudioProcessor processor;
    ASSERT_EQ (processor.getParameterCount(), 1224);
    EXPECT_EQ (processor.getParameters().size(), 1224);

    const char* const named[24] = {
        "Loop Length", "Used Wave", "Visible Wave", "X (Reserved)", "Speed Type", "Speed",
        "X (Reserved)", "X (Reserved)", "Midi In", "Midi In Channel", "Midi In Octave", "Midi In Note",
        "X (Reserved)", "X (Reserved)", "Oscilloscope Zoom", "X (Reserved)", "Mix",
        "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)", "X (Reserved)"
    };
    const int steps[24] = { 18, 10, 10, 0, 7, 0, 0, 0, -1, 17, 12, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 };

    for (int i = 0; i < 24; ++i)
    {
        SCOPED_TRACE (i);
        auto* record = processor.getParameterRecord (i);
        EXPECT_EQ (processor.getParameterName (i), named[i]);
        EXPECT_EQ (record->index, i);
        EXPECT_EQ (record->kind, juce::String (named[i]) == "X (Reserved)" ? ParameterRecord::placeholder
                                                                          : ParameterRecord::plain);
        if (steps[i] >= 0)
        {
            EXPECT_EQ (record->steps, steps[i]);
        }
    }

    // "Midi In" has one step for "no port" and one per system MIDI input.
    EXPECT_GE (processor.getParameterRecord (8)->steps, 1);
}

TEST (AudioProcessor, PointParametersFollowTheIndexFormula)
{
    AudioProcessor processor;
    struct Case { int wave, slot; };
    const Case cases[] = { { 1, 1 }, { 1, 20 }, { 2, 1 }, { 10, 20 }, { 1, 21 }, { 3, 17 }, { 10, 40 } };
    const char* const parts[] = { "X", "Y", "Type" };
    const int partSteps[] = { 8192, 0, 4 };

    for (auto& c : cases)
        for (int k = 0; k < 3; ++k)
        {
            const int index = pointIndex (c.wave, c.slot, k);
            SCOPED_TRACE (index);
            auto* record = processor.getParameterRecord (index);
            EXPECT_EQ (record->name, "Wave" + juce::String (c.wave) + "." + juce::String (c.slot) + " " + parts[k]);
            EXPECT_EQ (record->kind, ParameterRecord::wavePoint);
            EXPECT_EQ (record->group, c.wave - 1);
            EXPECT_EQ (record->steps, partSteps[k]);
        }

    EXPECT_EQ (pointIndex (1, 21, 0), 624);
    EXPECT_EQ (pointIndex (10, 40, 2), 1223);
    EXPECT_EQ (processor.getParameterRecord (pointIndex (3, 17, 1)), &processor.state->waves[2].y (16));
}

TEST (AudioProcessor, EveryHostParameterHasAUniqueStableId)
{
    AudioProcessor processor;
    std::set<juce::String> ids;

    for (auto* parameter : processor.getParameters())
        ids.insert (dynamic_cast<juce::AudioProcessorParameterWithID*> (parameter)->paramID);

    EXPECT_EQ (ids.size(), 1224u);
    EXPECT_EQ (*ids.begin(), "p0000_loop_length");
    EXPECT_EQ (ids.count ("p0014_oscilloscope_zoom"), 1u);
    EXPECT_EQ (ids.count ("p0003_reserved"), 1u);
    EXPECT_EQ (*ids.rbegin(), "p1223_wave10_40_type");
}

namespace
{
    constexpr int speedTypeIndex = ParameterLayout::speedType, mixIndex = ParameterLayout::mix;
    constexpr int usedWaveIndex = ParameterLayout::usedWave;
    constexpr int sawDestruction = 13, hardLeft = 2;

    // Runs blocks of a steady stereo signal (1 on the left, 0.5 on the right) through a processor.
    struct Rig
    {
        Rig() { processor->prepareToPlay (48000.0, 512); }

        juce::AudioBuffer<float> process (int numSamples, juce::MidiBuffer midi = {})
        {
            juce::AudioBuffer<float> buffer (2, numSamples);
            for (int i = 0; i < numSamples; ++i)
            {
                buffer.setSample (0, i, 1.0f);
                buffer.setSample (1, i, 0.5f);
            }
            processor->processBlock (buffer, midi);
            return buffer;
        }

        // Loads a program and lets the processing calls of the wave rebuild pass.
        void load (int program)
        {
            processor->setCurrentProgram (program);
            process (64);

            while (rebuilding())
                process (64);
        }

        bool rebuilding()
        {
            for (int w = 0; w < StateBlock::numWaves; ++w)
                if (processor->getWaveProcessor()->getWave (w)->isRebuilding())
                    return true;

            return false;
        }

        std::unique_ptr<AudioProcessor> processor = std::make_unique<AudioProcessor>();
    };
}

TEST (AudioProcessor, TriggerNoteFollowsOctaveAndNoteSteps)
{
    const struct { int octave, note, trigger; } cases[] = {
        { 0, 5, -1 },     // "All Notes"
        { 1, 0, 0 },      // Octave -2, C
        { 6, 0, 60 },     // Octave 3, C: middle C
        { 11, 7, 127 },   // Octave 8, G
        { 11, 11, 127 },  // beyond the MIDI range: the highest note
    };

    for (auto& c : cases)
        EXPECT_EQ (AudioProcessor::triggerNoteFor (c.octave, c.note), c.trigger) << c.octave << ", " << c.note;

    Rig rig;
    EXPECT_EQ (rig.processor->getTriggerNote(), -1);
    rig.processor->setParameterStepFromGui (10, 6);
    rig.processor->setParameterStepFromGui (11, 2);
    rig.process (16);
    EXPECT_EQ (rig.processor->getTriggerNote(), 62);
}

TEST (AudioProcessor, UsedWaveSwitchesThePlayedWaveAtTheNextDrain)
{
    Rig rig;
    rig.load (sawDestruction); // wave 1 a saw, waves 2 ... 10 a level line at 0.710682

    rig.processor->setParameterStepFromGui (usedWaveIndex, 4);
    const auto out = rig.process (512);

    // A level line: constant gains from the first sample on, as the pan law gives for its value.
    const float c = 0.5f * (2.0f * 0.710682f - 1.0f) + 0.5f;
    for (int i = 0; i < 512; ++i)
    {
        ASSERT_NEAR (out.getSample (0, i), std::sqrt (c) * 1.4142135f, 1e-5f) << i;
        ASSERT_NEAR (out.getSample (1, i), 0.5f * std::sqrt (1.0f - c) * 1.4142135f, 1e-5f) << i;
    }
}

TEST (AudioProcessor, MixBlendsTowardsTheDrySignal)
{
    Rig rig;
    rig.load (hardLeft);
    EXPECT_FLOAT_EQ (rig.process (64).getSample (1, 63), 0.0f); // all of the right goes left

    rig.processor->setParameterFromGui (mixIndex, 0.0f, false);
    for (int block = 0; block < 100; ++block) // the mix moves smoothly, then settles
        rig.process (512);
    const auto dry = rig.process (64);
    EXPECT_EQ (dry.getSample (0, 10), 1.0f);
    EXPECT_EQ (dry.getSample (1, 10), 0.5f);
}

TEST (AudioProcessor, HostNotesRestartTheLfoOnTheirSampleInRetriggeredTypes)
{
    Rig withNote, without;
    for (auto* rig : { &withNote, &without })
    {
        rig->load (0);
        rig->processor->setParameterStepFromGui (speedTypeIndex, 1); // "Beat Retrig."
        for (int block = 0; block < 100; ++block)                    // move well into the cycle
            rig->process (512);
    }

    juce::MidiBuffer note;
    note.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 300);
    const auto restarted = withNote.process (512, note);
    const auto running = without.process (512);

    for (int i = 0; i < 300; ++i)
        ASSERT_EQ (restarted.getSample (0, i), running.getSample (0, i)) << i;
    EXPECT_NE (restarted.getSample (0, 300), running.getSample (0, 300));
}

TEST (AudioProcessor, PansWithProgramZeroAtFullMixFromTheFirstBlock)
{
    Rig rig;
    // A fast LFO, so that one block shows the panning move.
    rig.processor->setParameterFromGui (speedTypeIndex, ParameterRecord::valueOfStep (4, 7), false); // "Hertz Retrig."
    rig.processor->setParameterFromGui (5, 0.5f, false);                                            // about 10 Hz

    // The first span uses the mix of program 0 without a rise from 0.
    rig.process (512);
    EXPECT_FALSE (rig.processor->state->mixBuffer.varying);
    EXPECT_EQ (rig.processor->state->mixBuffer.samples[0], 1.0f);

    // With the waves built, the gains move and always keep left² + right² = 2.
    const auto out = rig.process (512);
    bool moved = false;
    for (int i = 0; i < 512; ++i)
    {
        const float l = out.getSample (0, i), r = out.getSample (1, i) / 0.5f;
        ASSERT_NEAR (l * l + r * r, 2.0f, 1e-5f) << i;
        moved = moved || std::abs (l - 1.0f) > 0.01f;
    }
    EXPECT_TRUE (moved);
}

TEST (AudioProcessor, FirstBlockAfterPrepareToPlayPlaysProgramZerosCurve)
{
    // A warm instance, long past every rebuild, replays the same transport position; program 0
    // is "Beat Synced", so its output there depends on the curve alone.
    Rig fresh, warm;
    for (int block = 0; block < 20; ++block)
        warm.process (512);
    warm.processor->context->ppqPosition = 0.0;
    warm.processor->context->timeInSeconds = 0.0;

    const auto first = fresh.process (64);
    const auto expected = warm.process (64);

    for (int i = 0; i < 64; ++i)
        for (int channel = 0; channel < 2; ++channel)
            ASSERT_EQ (first.getSample (channel, i), expected.getSample (channel, i)) << channel << " " << i;
}

TEST (AudioProcessor, TheOscilloscopeCapturesOnlyWhileAnEditorIsOpen)
{
    AudioProcessor processor;
    processor.prepareToPlay (48000.0, 512);
    juce::AudioBuffer<float> buffer (2, 512);
    juce::MidiBuffer midi;

    // The largest input level the traces hold after a few blocks of a loud tone.
    auto capturedLevel = [&]
    {
        for (int block = 0; block < 8; ++block)
        {
            for (int channel = 0; channel < 2; ++channel)
                juce::FloatVectorOperations::fill (buffer.getWritePointer (channel), 0.8f, 512);
            processor.processBlock (buffer, midi);
        }

        auto snapshot = std::make_unique<ScopeTraceSet::Snapshot>();
        processor.getOscilloscope()->getScopeTraces (0)->copySnapshot (*snapshot);
        float level = 0.0f;
        for (auto& trace : snapshot->traces)
            for (float v : trace.maximum)
                level = std::max (level, std::abs (v));
        return level;
    };

    EXPECT_EQ (capturedLevel(), 0.0f);

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditor());
    ASSERT_NE (editor, nullptr);
    EXPECT_GT (capturedLevel(), 0.5f);

    editor.reset();
    processor.getOscilloscope()->getScopeTraces (0)->clearAll();
    EXPECT_EQ (capturedLevel(), 0.0f);
    processor.releaseResources();
}
