#include "OfflineRenderer.h"

#include "QuietStderr.h"

#include <ctime>

namespace
{
    constexpr int stereo = 2;
    constexpr double nanosecondsPerSecond = 1.0e9;
    constexpr int midiBytesReserved = 2048; // no allocation for the events of a usual block
}

OfflineRenderer::OfflineRenderer (juce::AudioProcessor& p, TransportPlayHead& head, double sampleRate,
                                  int samplesPerBlock, bool offline)
    : processor (p),
      playHead (head),
      blockSize (samplesPerBlock),
      block (juce::jmax (stereo, p.getTotalNumInputChannels(), p.getTotalNumOutputChannels()), samplesPerBlock)
{
    processor.setPlayHead (&playHead);
    processor.setNonRealtime (offline);
    processor.setRateAndBufferSizeDetails (sampleRate, blockSize);

    // An LV2 plug-in is instantiated again here, with its load-time messages.
    const QuietStderr quiet;
    processor.prepareToPlay (sampleRate, blockSize);
    blockMidi.ensureSize (midiBytesReserved);
}

OfflineRenderer::~OfflineRenderer()
{
    processor.releaseResources();
    processor.setPlayHead (nullptr);
}

void OfflineRenderer::applyPendingChanges()
{
    playHead.setSamplePosition (0);
    blockMidi.clear();
    processTimed (0);
}

OfflineRenderer::Stats OfflineRenderer::render (juce::int64 numSamples, const juce::MidiMessageSequence& midi,
                                                const Callbacks& callbacks)
{
    Stats stats;
    int nextEvent = 0;
    const auto wallStart = juce::Time::getHighResolutionTicks();

    for (juce::int64 position = 0; position < numSamples; position += blockSize)
    {
        const auto count = (int) juce::jmin ((juce::int64) blockSize, numSamples - position);

        if (callbacks.beforeBlock)
            callbacks.beforeBlock (position);

        block.clear();
        callbacks.readInput (block, count);
        collectMidi (midi, nextEvent, position, count);
        playHead.setSamplePosition (position);

        const double seconds = processTimed (count);
        stats.cpuSeconds += seconds;
        stats.worstBlockCpuSeconds = juce::jmax (stats.worstBlockCpuSeconds, seconds);
        ++stats.blocks;

        // A plug-in with one output channel plays it on both sides.
        if (processor.getTotalNumOutputChannels() == 1)
            block.copyFrom (1, 0, block, 0, 0, count);

        callbacks.writeOutput (block, count);
        stats.samples += count;

        if (callbacks.progress)
            callbacks.progress (stats.samples, numSamples);
    }

    stats.wallSeconds = juce::Time::highResolutionTicksToSeconds (juce::Time::getHighResolutionTicks() - wallStart);
    return stats;
}

void OfflineRenderer::collectMidi (const juce::MidiMessageSequence& midi, int& next, juce::int64 blockStart, int numSamples)
{
    blockMidi.clear();
    const auto blockEnd = (double) (blockStart + numSamples);

    for (; next < midi.getNumEvents(); ++next)
    {
        const auto& message = midi.getEventPointer (next)->message;

        if (message.getTimeStamp() >= blockEnd)
            break;

        const auto offset = juce::jlimit (0, juce::jmax (0, numSamples - 1),
                                          (int) (message.getTimeStamp() - (double) blockStart));
        blockMidi.addEvent (message, offset);
    }
}

double OfflineRenderer::processTimed (int numSamples)
{
    juce::AudioBuffer<float> view (block.getArrayOfWritePointers(), block.getNumChannels(), numSamples);
    const juce::ScopedLock lock (processor.getCallbackLock());
    const double start = threadCpuSeconds();
    processor.processBlock (view, blockMidi);
    return threadCpuSeconds() - start;
}

double OfflineRenderer::threadCpuSeconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec / nanosecondsPerSecond;
}
