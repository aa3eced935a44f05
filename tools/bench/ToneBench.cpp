// The whole render path of the pan-modulation tone per sample: note tracking, the mix smoother
// (steady and moving), the LFO, the pan stage and the oscilloscope capture, against the same
// processing loop that only copies the signal through the StateBlock.

#include "dsp/OscilloscopeProcessor.h"
#include "dsp/SignalSmoother.h"
#include "dsp/ToneOrvanta.h"
#include "dsp/WaveCubicProcessor.h"
#include "processor/AudioProcessorNotesBase.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace
{
    constexpr int benchBlockSize = 512;
    constexpr double benchSampleRate = 44100.0;

    enum class Path
    {
        copyOnly,
        toneWithoutScope,
        toneWithScope
    };

    // The product's wiring, without the parameter registration (the records are written directly).
    class BenchProcessor : public AudioProcessorNotesBase
    {
    public:
        explicit BenchProcessor (Path renderPath) : path (renderPath)
        {
            setWaveProcessor (std::make_unique<WaveCubicProcessor> (*this));
            setOscilloscope (std::make_unique<OscilloscopeProcessor> (*this));
            smoother = std::make_unique<SignalSmoother> (*this, state->mixBuffer, -0.25f);
            smoother->setState (SignalSmoother::startFromNextValue);
            tone = std::make_unique<ToneOrvanta> (*this);
            addPermanentVoice (*tone);

            if (path == Path::toneWithScope)
            {
                getOscilloscope()->setScopeSource (0, &tone->getLfo());
                getOscilloscope()->setScopeCaptureEnabled (true);   // as while the editor is open
            }

            finishConstruction();
            drawWave();
            prepareToPlay (benchSampleRate, benchBlockSize);
        }

        ~BenchProcessor() override
        {
            tone.reset();
            smoother.reset();
        }

        const juce::String getName() const override { return "bench"; }
        bool acceptsMidi() const override { return true; }
        bool producesMidi() const override { return false; }
        double getTailLengthSeconds() const override { return 0.0; }

        void renderVoice (ToneBase& voice, juce::AudioBuffer<float>& buffer, int start, int count) override
        {
            auto& s = *state;
            std::copy_n (buffer.getReadPointer (0, start), count, s.input.left.data());
            std::copy_n (buffer.getReadPointer (1, start), count, s.input.right.data());

            if (path == Path::copyOnly)
            {
                std::copy_n (s.input.left.data(), count, s.output.left.data());
                std::copy_n (s.input.right.data(), count, s.output.right.data());
            }
            else
            {
                s.mixBuffer.samples[0] = s.mix.storage;
                s.mixBuffer.varying = false;
                smoother->process (count);
                voice.render (count);
            }

            std::copy_n (s.output.left.data(), count, buffer.getWritePointer (0, start));
            std::copy_n (s.output.right.data(), count, buffer.getWritePointer (1, start));
        }

        // Wave 1: a busy drawing of 40 points, rebuilt when the processor is prepared.
        void drawWave()
        {
            auto& tables = state->waves[0];

            for (int p = 0; p < WaveTables::numSlots; ++p)
            {
                tables.x (p).writeStep ((p * 199) % WaveTables::xSteps);
                tables.y (p).writeValue (0.5f + 0.4f * std::sin (0.7f * (float) p));
                tables.type (p).writeStep (1 + p % 3);
            }

            getWaveProcessor()->getWave (0)->dirty = true;
            tone->getLfo().setWave (0);
        }

        Path path;
        std::unique_ptr<SignalSmoother> smoother;
        std::unique_ptr<ToneOrvanta> tone;
    };

    struct Setting
    {
        int speedType;
        float speed;
        bool mixMoves;
    };

    void renderPath (benchmark::State& state, Path path, Setting setting)
    {
        auto processor = std::make_unique<BenchProcessor> (path);
        auto& s = *processor->state;
        s.speedType.writeStep (setting.speedType);
        s.speed.writeValue (setting.speed);
        s.mix.writeValue (1.0f);

        juce::AudioBuffer<float> buffer (2, benchBlockSize);
        juce::MidiBuffer midi;

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < benchBlockSize; ++i)
                buffer.setSample (ch, i, std::sin (0.01f * (float) (i + 100 * ch)));

        processor->processBlock (buffer, midi);
        processor->processBlock (buffer, midi);
        bool high = false;

        for (auto _ : state)
        {
            // A mix that keeps moving: every block heads for the other end.
            if (setting.mixMoves)
                s.mix.writeValue ((high = ! high) ? 0.9f : 0.1f);

            processor->processBlock (buffer, midi);
            benchmark::DoNotOptimize (buffer.getReadPointer (0));
        }

        state.counters["per_sample"] = benchmark::Counter ((double) state.iterations() * benchBlockSize,
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    constexpr Setting slowLfo { WaveLfo::hertzRetrig, 0.3f, false };        // about 1 Hz
    constexpr Setting slowLfoMixMoving { WaveLfo::hertzRetrig, 0.3f, true };
    constexpr Setting fastLfo { WaveLfo::hertzRetrig, 0.9f, false };        // about 1.4 kHz: the scope's fast case

    void plainCopy (benchmark::State& state) { renderPath (state, Path::copyOnly, slowLfo); }
    void toneMixSteady (benchmark::State& state) { renderPath (state, Path::toneWithoutScope, slowLfo); }
    void toneMixMoving (benchmark::State& state) { renderPath (state, Path::toneWithoutScope, slowLfoMixMoving); }
    void toneScopeMixSteady (benchmark::State& state) { renderPath (state, Path::toneWithScope, slowLfo); }
    void toneScopeMixMoving (benchmark::State& state) { renderPath (state, Path::toneWithScope, slowLfoMixMoving); }
    void toneScopeFastLfo (benchmark::State& state) { renderPath (state, Path::toneWithScope, fastLfo); }
}

BENCHMARK (plainCopy);
BENCHMARK (toneMixSteady);
BENCHMARK (toneMixMoving);
BENCHMARK (toneScopeMixSteady);
BENCHMARK (toneScopeMixMoving);
BENCHMARK (toneScopeFastLfo);
