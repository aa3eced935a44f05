#include "dsp/OscilloscopeProcessor.h"
#include "dsp/SignalSmoother.h"
#include "dsp/ToneOrvanta.h"
#include "dsp/WaveCubicProcessor.h"
#include "dsp/WaveState.h"
#include "processor/AudioProcessorNotesBase.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace
{
    constexpr int span = SignalBuffer::capacity;
    constexpr int usedWaveIndex = 1;
    constexpr int speedTypeIndex = 4;
    constexpr int speedIndex = 5;

    // The product's wiring of the tone, on a processor that registers the product's parameters in
    // their order (the MIDI input's four held by placeholders), so program 0 applies as it does
    // in the product.
    class PanModulationProcessor : public AudioProcessorNotesBase
    {
    public:
        static constexpr float mixSmoothingSpeed = -0.25f;

        PanModulationProcessor()
        {
            setWaveProcessor (std::make_unique<WaveCubicProcessor> (*this));
            setOscilloscope (std::make_unique<OscilloscopeProcessor> (*this));
            registerParameters();

            smoother = std::make_unique<SignalSmoother> (*this, state->mixBuffer, mixSmoothingSpeed);
            smoother->setState (SignalSmoother::startFromNextValue);
            tone = std::make_unique<ToneOrvanta> (*this);
            addPermanentVoice (*tone);
            getOscilloscope()->setScopeSource (0, &tone->getLfo());
            state->input.left.varying = true;
            state->input.right.varying = true;

            finishConstruction();
        }

        ~PanModulationProcessor() override
        {
            tone.reset();
            smoother.reset();
        }

        const juce::String getName() const override { return "pan"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }

        void steppedParameterChanged (int index, int step) override
        {
            AudioProcessorNotesBase::steppedParameterChanged (index, step);

            if (index == usedWaveIndex)
                tone->getLfo().setWave (step);
        }

        void renderVoice (ToneBase& voice, juce::AudioBuffer<float>& buffer, int start, int count) override
        {
            auto& s = *state;

            if (count > 0)
            {
                std::copy_n (buffer.getReadPointer (0, start), count, s.input.left.data());
                std::copy_n (buffer.getReadPointer (1, start), count, s.input.right.data());
            }

            s.mixBuffer.samples[0] = s.mix.storage;
            s.mixBuffer.varying = false;
            smoother->process (count);
            voice.render (count);

            if (count > 0)
            {
                std::copy_n (s.output.left.data(), count, buffer.getWritePointer (0, start));
                std::copy_n (s.output.right.data(), count, buffer.getWritePointer (1, start));
            }
        }

        void registerParameters()
        {
            auto& s = *state;
            const auto plain = ParameterRecord::plain;
            registerParameter (s.loopLength, "Loop Length", plain);
            registerParameter (s.usedWave, "Used Wave", plain);
            registerParameter (s.visibleWave, "Visible Wave", plain);
            addReservedParameters (1);
            registerParameter (s.speedType, "Speed Type", plain);
            registerParameter (s.speed, "Speed", plain);
            addReservedParameters (2);
            addReservedParameters (4);   // the MIDI input's parameters
            addReservedParameters (2);
            getOscilloscope()->registerParameters();
            addReservedParameters (1);
            registerParameter (s.mix, "Mix", plain);
            addReservedParameters (7);
            getWaveProcessor()->registerParameters();
        }

        // Runs one block of a constant input on both channels.
        juce::AudioBuffer<float> process (float input, juce::MidiBuffer& midi, int numSamples = span)
        {
            juce::AudioBuffer<float> buffer (2, numSamples);

            for (int ch = 0; ch < 2; ++ch)
                juce::FloatVectorOperations::fill (buffer.getWritePointer (ch), input, numSamples);

            processBlock (buffer, midi);
            return buffer;
        }

        juce::AudioBuffer<float> process (float input)
        {
            juce::MidiBuffer none;
            return process (input, none);
        }

        std::unique_ptr<SignalSmoother> smoother;
        std::unique_ptr<ToneOrvanta> tone;
    };

    // Takes every point out of wave w through its Type parameters.
    void eraseWave (PanModulationProcessor& processor, int w)
    {
        const int first = processor.getWaveProcessor()->getWaveState()->firstPointParameter;

        for (int p = 0; p < WaveTables::numSlots; ++p)
        {
            const int e = p < 20 ? 20 * w + p : 20 * w + p + 180;
            processor.setParameterFromGui (first + 3 * e + 2, 0.0f, false);
        }
    }

    // A fast LFO, so that one block shows the panning move. Through the editor's route: host
    // values are held off for a while after a program load.
    void playFast (PanModulationProcessor& processor)
    {
        processor.setParameterFromGui (speedTypeIndex, ParameterRecord::valueOfStep (WaveLfo::hertzRetrig, 7), false);
        processor.setParameterFromGui (speedIndex, 0.5f, false);   // about 10 Hz
    }

    bool outputEqualsInput (const juce::AudioBuffer<float>& out, float input)
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < out.getNumSamples(); ++i)
                if (std::abs (out.getSample (ch, i) - input) > 1e-6f * std::abs (input))
                    return false;

        return true;
    }
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

TEST (ToneOrvanta, WiredProcessorPansWithProgramZeroAtFullMixFromTheStart)
{
    auto processor = std::make_unique<PanModulationProcessor>();
    playFast (*processor);

    // Program 0 sets the mix to 1, and the first span uses it without a rise from 0. Its waves
    // are still being built in this first call.
    processor->process (0.5f);
    EXPECT_FALSE (processor->state->mixBuffer.varying);
    EXPECT_EQ (processor->state->mixBuffer.samples[0], 1.0f);

    // Wave 1 plays: with the same input on both channels the gains keep left² + right² = 2.
    const auto out = processor->process (0.5f);
    bool moved = false;

    for (int i = 0; i < span; ++i)
    {
        const float l = out.getSample (0, i) / 0.5f;
        const float r = out.getSample (1, i) / 0.5f;
        ASSERT_NEAR (l * l + r * r, 2.0f, 1e-5f) << i;
        moved = moved || std::abs (l - 1.0f) > 0.01f;
    }

    EXPECT_TRUE (moved);
    EXPECT_EQ (processor->getOscilloscope()->getScopeTraces (0)->trace (0).getSpeed(), (float) processor->tone->getLfo().rate())
        << "the oscilloscope follows the tone's LFO";
}

TEST (ToneOrvanta, WiredProcessorSwitchesUsedWaveAtTheNextDrain)
{
    auto processor = std::make_unique<PanModulationProcessor>();
    playFast (*processor);
    eraseWave (*processor, 9);
    processor->process (0.5f);
    processor->process (0.5f);   // the rebuild takes two processing calls
    ASSERT_FALSE (outputEqualsInput (processor->process (0.5f), 0.5f));

    processor->setParameterFromGui (usedWaveIndex, ParameterRecord::valueOfStep (9, 10), false);
    EXPECT_TRUE (outputEqualsInput (processor->process (0.5f), 0.5f)) << "wave 10 has no points: the LFO rests at the centre";
}

TEST (ToneOrvanta, WiredProcessorRestartsTheLfoOnTheSampleOfANote)
{
    auto processor = std::make_unique<PanModulationProcessor>();
    playFast (*processor);
    processor->process (0.5f);

    juce::MidiBuffer note;
    note.addEvent (juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100), 100);
    processor->process (0.5f, note);

    const auto& lfo = processor->tone->getLfo();
    EXPECT_NEAR (lfo.phase(), (span - 100) * lfo.rate() / 44100.0, 1e-12);
}
