// The parameter store: what a host write costs, and one drain of a full set of changes.

#include "processor/AudioProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    constexpr int numParameters = AudioProcessorBase::numParameters;

    // A host writing new values: per value a clamp, an atomic store and one queue push.
    void hostSetParameter (benchmark::State& state)
    {
        AudioProcessor processor;
        constexpr int batch = 1000; // fits the queue, which is drained between batches
        int round = 0;

        for (auto _ : state)
        {
            const float value = (round++ % 2 == 0) ? 0.75f : 0.25f;

            for (int i = 0; i < batch; ++i)
                processor.setParameter (i, value);

            state.PauseTiming();
            processor.drainParameterQueue();
            state.ResumeTiming();
        }

        state.SetItemsProcessed (state.iterations() * batch);
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

BENCHMARK (hostSetParameter)->Unit (benchmark::kMicrosecond);
BENCHMARK (drainAllParameters)->Unit (benchmark::kMicrosecond);
