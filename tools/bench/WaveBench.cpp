// The drawn waves and their LFO: the rebuild slices of one wave, the worst processing call after
// a program change that redraws all ten waves, and what the LFO costs per sample.

#include "dsp/WaveCubic.h"
#include "dsp/WaveLfo.h"
#include "dsp/WaveState.h"
#include "processor/AudioProcessor.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>

namespace
{
    constexpr int numWaves = StateBlock::numWaves;
    constexpr int numSlots = WaveTables::numSlots;
    constexpr double sampleRate = 44100.0;

    // A busy drawing: all 40 slots used, every type, spread over the cycle. Round 0 and round 1
    // differ in every X, Y and Type, so a switch between them changes all 120 records.
    int xStepOf (int w, int p, int round) { return (p * 199 + w * 13) % WaveTables::xSteps + round; }
    float yOf (int w, int p, int round) { return 0.5f + (round == 0 ? 0.4f : -0.3f) * std::sin (0.7f * (float) (p + w)); }
    int typeOf (int p, int round) { return 1 + (p + round) % 3; }

    void drawBusyWave (WaveTables& tables)
    {
        for (int p = 0; p < numSlots; ++p)
        {
            tables.x (p).writeStep (xStepOf (0, p, 0));
            tables.y (p).writeValue (yOf (0, p, 0));
            tables.type (p).writeStep (typeOf (p, 0));
        }
    }

    struct WaveRig
    {
        WaveRig()
        {
            drawBusyWave (owner->state->waves[0]);
            wave.finishRebuild();
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        WaveCubic wave { *owner, owner->state->waves[0], nullptr };
    };

    // Slice 0: the control polygon and the 32768-entry curve; slice 1: 16380 level entries and the
    // 262016 interpolation entries of levels 1 ... 11; slice 2: the 262144 of level 0, the trade
    // and the display copy.
    void waveRebuildSlice (benchmark::State& state)
    {
        WaveRig rig;
        const auto slice = state.range (0);

        for (auto _ : state)
        {
            state.PauseTiming();
            rig.wave.dirty = true;

            for (int i = 0; i < slice; ++i)
                rig.wave.updateStep();

            state.ResumeTiming();
            rig.wave.updateStep();
            benchmark::DoNotOptimize (rig.wave.tables->interpolationLevel (0));
            state.PauseTiming();
            rig.wave.finishRebuild();
            state.ResumeTiming();
        }
    }

    // A program change that redraws all ten waves reaches the processor as 1200 point values
    // queued the way a program load queues them; the processing calls that follow drain them and
    // run every rebuild slice of every wave. Each iteration's time is the slowest of those calls.
    void worstCallAfterTenWaveProgramChange (benchmark::State& state)
    {
        const int blockSize = (int) state.range (0);
        auto processor = std::make_unique<AudioProcessor>();
        processor->prepareToPlay (sampleRate, blockSize);
        juce::AudioBuffer<float> buffer (2, blockSize);
        juce::MidiBuffer midi;
        auto& waves = *processor->getWaveProcessor();
        const int first = waves.getWaveState()->firstPointParameter;
        int round = 0;
        double sumOfWorst = 0.0;
        double worstOfAll = 0.0;

        const auto rebuilding = [&waves]
        {
            for (int w = 0; w < numWaves; ++w)
                if (waves.getWave (w)->isRebuilding())
                    return true;

            return false;
        };

        for (auto _ : state)
        {
            round = 1 - round;

            for (int w = 0; w < numWaves; ++w)
                for (int p = 0; p < numSlots; ++p)
                {
                    const int x = first + 3 * (p < 20 ? 20 * w + p : 20 * w + p + 180);
                    const int xStep = xStepOf (w, p, round);
                    processor->setParameterFromGui (x, ParameterRecord::valueOfStep (xStep, WaveTables::xSteps), false);
                    processor->setParameterFromGui (x + 1, yOf (w, p, round), false);
                    processor->setParameterFromGui (x + 2, ParameterRecord::valueOfStep (typeOf (p, round), WaveTables::typeSteps), false);
                }

            double worst = 0.0;

            do
            {
                const auto start = std::chrono::steady_clock::now();
                processor->processBlock (buffer, midi);
                const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
                worst = std::max (worst, took.count());
            }
            while (rebuilding());

            state.SetIterationTime (worst);
            sumOfWorst += worst;
            worstOfAll = std::max (worstOfAll, worst);
        }

        const double blockPeriod = blockSize / sampleRate;
        state.counters["block_ms"] = 1000.0 * blockPeriod;
        state.counters["share"] = sumOfWorst / (double) state.iterations() / blockPeriod;
        state.counters["max_share"] = worstOfAll / blockPeriod;
    }

    // One LFO playing a busy wave, rendering full 512-sample spans.
    struct LfoRig
    {
        LfoRig()
        {
            drawBusyWave (state.waves[0]);
            WaveCubic wave { *owner, state.waves[0], nullptr };
            wave.finishRebuild();
        }

        std::unique_ptr<AudioNode> owner = std::make_unique<AudioNode>();
        StateBlock& state = *owner->state;
        WaveLfo lfo { *owner, state.loopLength, state.speed, state.speedType, state.lfoOutput };
    };

    void renderLfo (benchmark::State& state, LfoRig& rig)
    {
        for (auto _ : state)
        {
            rig.lfo.render (SignalBuffer::capacity);
            benchmark::DoNotOptimize (rig.state.lfoOutput.samples.data());
        }

        state.counters["per_sample"] = benchmark::Counter ((double) state.iterations() * SignalBuffer::capacity,
                                                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }

    // "Hertz Retrig." at about 0.5 Hz: level 0, the largest table.
    void lfoSlowRate (benchmark::State& state)
    {
        LfoRig rig;
        rig.state.speedType.writeStep (WaveLfo::hertzRetrig);
        rig.state.speed.writeValue (0.25f);
        renderLfo (state, rig);
    }

    // "Pitch -> Rate" at A 440.
    void lfoPitchToRate (benchmark::State& state)
    {
        LfoRig rig;
        rig.state.speedType.writeStep (WaveLfo::pitchToRate);
        rig.lfo.noteOn (69, 1.0f, 0.0);
        renderLfo (state, rig);
    }
}

BENCHMARK (waveRebuildSlice)->DenseRange (0, 2)->Unit (benchmark::kMicrosecond);
BENCHMARK (worstCallAfterTenWaveProgramChange)->Arg (512)->Arg (64)->UseManualTime()->Unit (benchmark::kMillisecond);
BENCHMARK (lfoSlowRate);
BENCHMARK (lfoPitchToRate);
