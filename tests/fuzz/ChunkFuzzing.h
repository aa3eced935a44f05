#pragma once

#include "processor/AudioProcessor.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

// What both chunk fuzzers check after handing arbitrary bytes to one of the processor's loaders:
// a refused chunk changes nothing, and whatever loads leaves every parameter a number in 0 ... 1.
namespace ChunkFuzzing
{
    // One processor for the whole run, never destroyed: libFuzzer ends the process from its own
    // exit handlers, after JUCE's statics are gone.
    inline AudioProcessor& processor()
    {
        static auto* juce = new juce::ScopedJuceInitialiser_GUI();
        static auto* instance = new AudioProcessor();
        juce::ignoreUnused (juce);
        return *instance;
    }

    [[noreturn]] inline void fail (const char* what)
    {
        std::fprintf (stderr, "chunk fuzzing: %s\n", what);
        std::abort();
    }

    // What a loader may change: the bank, the current program and the parameter values.
    struct Snapshot
    {
        explicit Snapshot (AudioProcessor& p) : program (p.getCurrentProgram())
        {
            bank = std::make_unique<BankRecord> (p.getBank());
            for (int i = 0; i < ParameterLayout::numParameters; ++i)
                values[(size_t) i] = p.getParameter (i);
        }

        bool operator== (const Snapshot& other) const
        {
            return program == other.program && values == other.values
                && std::memcmp (bank.get(), other.bank.get(), sizeof (BankRecord)) == 0;
        }

        int program;
        std::unique_ptr<BankRecord> bank;
        std::array<float, ParameterLayout::numParameters> values {};
    };

    // Loads the bytes with load (processor, data, size) and checks the outcome; accepts tells
    // whether the loader is expected to take them.
    template <typename Load>
    void check (const uint8_t* data, size_t size, bool accepts, Load load)
    {
        auto& p = processor();
        std::unique_ptr<Snapshot> before;

        if (! accepts)
            before = std::make_unique<Snapshot> (p);

        load (p, data, (int) juce::jmin (size, (size_t) std::numeric_limits<int>::max()));
        p.drainParameterQueueAt (p.getHoldUntil (0) + 1);

        if (before != nullptr && ! (*before == Snapshot (p)))
            fail ("a refused chunk changed the state");

        for (int i = 0; i < p.getParameterCount(); ++i)
        {
            const float v = p.getParameter (i);

            if (! (v >= 0.0f && v <= 1.0f))
                fail ("a parameter left 0 ... 1");
        }

        // Whatever was loaded, every program of the bank has the bank's layout, so saving it
        // writes every byte of the chunk.
        if (accepts)
            for (auto& program : p.getBank().programs)
                if (program.version != BankRecord::currentFormat)
                    fail ("a program of the bank has another layout");
    }
}
