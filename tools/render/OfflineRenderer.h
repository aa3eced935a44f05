#pragma once

#include "TransportPlayHead.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>

// Drives a processor the way a host plays a track: prepared at a sample rate and block size,
// fed block after block with the transport moving and the notes that fall into each block.
// Measures the time the processor takes.
class OfflineRenderer
{
public:
    struct Callbacks
    {
        // Fills channels 0 and 1 of the block, numSamples samples.
        std::function<void (juce::AudioBuffer<float>& block, int numSamples)> readInput;
        // Receives the processed block, channels 0 and 1.
        std::function<void (const juce::AudioBuffer<float>& block, int numSamples)> writeOutput;
        // Optional: called before the block starting at that sample is processed.
        std::function<void (juce::int64 blockStart)> beforeBlock;
        // Optional: samples done so far.
        std::function<void (juce::int64 done, juce::int64 total)> progress;
    };

    struct Stats
    {
        juce::int64 samples = 0;
        int blocks = 0;
        double wallSeconds = 0.0;
        double cpuSeconds = 0.0;          // in the processor's calls only
        double worstBlockCpuSeconds = 0.0;
    };

    // Prepares the processor; offline tells it that no audio device waits for it. What the
    // processor was given before (a state, a program) it completes while it prepares.
    OfflineRenderer (juce::AudioProcessor& processor, TransportPlayHead& playHead, double sampleRate,
                     int blockSize, bool offline = true);
    ~OfflineRenderer();

    // One call with no samples: the plug-in applies what it was given since it was prepared (a
    // state, a program) before the host writes any parameter.
    void applyPendingChanges();

    Stats render (juce::int64 numSamples, const juce::MidiMessageSequence& midi, const Callbacks& callbacks);

    static double threadCpuSeconds();

private:
    void collectMidi (const juce::MidiMessageSequence& midi, int& next, juce::int64 blockStart, int numSamples);
    double processTimed (int numSamples);

    juce::AudioProcessor& processor;
    TransportPlayHead& playHead;
    int blockSize;
    juce::AudioBuffer<float> block;
    juce::MidiBuffer blockMidi;

    JUCE_DECLARE_NON_COPYABLE (OfflineRenderer)
};
