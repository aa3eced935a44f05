// The parameter store: what a host write costs, and one drain of a full set of changes.

#include "processor/AudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int numParameters = AudioProcessorBase::numParameters;

    // A host writing a new value: a clamp, an atomic store and one queue push.
    void hostSetParameter (benchmark::State& state)
    {
        AudioProcessor processor;
        float value = 0.0f;

        for (auto _ : state)
        {
            value = value > 0.5f ? 0.1f : 0.9f;
            processor.setParameter (16, value);

            if (state.iterations() % 1024 == 0)
            {
                state.PauseTiming();
                processor.drainParameterQueue();
                state.ResumeTiming();
            }
        }
    }

    // One drain that applies a new value to every parameter, as after a program change.
    void drainAllParameters (benchmark::State& state)
    {
        AudioProcessor processor;
        int round = 0;

        for (auto _ : state)
        {
            state.PauseTiming();
            const float value = (round++ % 2 == 0) ? 0.75f : 0.25f;
            for (int i = 0; i < numParameters; ++i)
                processor.setParameter (i, value);
            state.ResumeTiming();

            processor.drainParameterQueue();
        }

        state.SetItemsProcessed (state.iterations() * numParameters);
    }
}

BENCHMARK (hostSetParameter);
BENCHMARK (drainAllParameters)->Unit (benchmark::kMicrosecond);
