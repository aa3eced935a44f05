#pragma once

#include <juce_core/juce_core.h>

// What orvanta-bench measures, as given on the command line.
struct BenchSettings
{
    static constexpr double defaultSeconds = 10.0;
    static constexpr int defaultInstances = 4;
    // Every program in turn, fast enough that each of Orvanta2's 16 comes up in 1.6 s.
    static constexpr double defaultProgramChangeSeconds = 0.1;

    double seconds = defaultSeconds; // of audio per case
    juce::Array<double> sampleRates { 44100.0, 48000.0 };
    juce::Array<int> blockSizes { 64, 128, 512, 4096 };
    juce::File plugin;               // none: the freshly built VST 2 plug-in
    juce::Array<juce::File> others;  // more plug-in files to compare with
    juce::String lv2Uri;
    int instances = defaultInstances; // created together to measure memory per instance
    double programChangeSeconds = defaultProgramChangeSeconds;
    bool showHelp = false;
};
