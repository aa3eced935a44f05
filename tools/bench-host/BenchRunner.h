#pragma once

#include "BenchSettings.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class PluginLoader;

// Measures each plug-in the way a host plays it: fresh instances, prepared at a sample rate and
// block size, fed a stereo signal block after block on this thread.
class BenchRunner
{
public:
    struct Subject
    {
        juce::String label;
        std::function<std::unique_ptr<juce::AudioProcessor> (double sampleRate, int blockSize)> create;
    };

    struct CaseResult
    {
        juce::String plugin;
        juce::String scenario; // "steady" or "program-change"
        double sampleRate = 0.0;
        int blockSize = 0;
        double audioSeconds = 0.0;
        double cpuPerSecond = 0.0;   // CPU seconds per second of audio
        double realTimeFactor = 0.0; // seconds of audio per CPU second
        double worstBlockShare = 0.0; // the slowest block's CPU time over the block's period
    };

    struct MemoryResult
    {
        juce::String plugin;
        int instances = 0;
        juce::int64 firstInstanceKib = 0; // with the library's code and data
        juce::int64 perInstanceKib = 0;   // each further instance
        bool fromPeak = false;            // VmHWM; else VmRSS
    };

    static constexpr double warmUpSeconds = 0.25;

    BenchRunner (const BenchSettings& settings, PluginLoader& loader);

    // The pass-through baseline, the plug-in, then the other plug-in files.
    std::vector<Subject> subjects();

    MemoryResult measureMemory (const Subject& subject);
    CaseResult measure (const Subject& subject, double sampleRate, int blockSize, bool changePrograms);

private:
    Subject pluginSubject (const juce::File& file);
    const juce::AudioBuffer<float>& signalAt (double sampleRate);

    const BenchSettings& settings;
    PluginLoader& loader;
    std::map<double, juce::AudioBuffer<float>> signals;
};
