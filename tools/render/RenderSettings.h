#pragma once

#include <juce_core/juce_core.h>

// Everything one render is asked to do, as given on the command line.
struct RenderSettings
{
    static constexpr double defaultDemoSampleRate = 48000.0;
    static constexpr double defaultDemoSeconds = 6.0;
    static constexpr double defaultTempo = 120.0;
    static constexpr int defaultBlockSize = 512;
    static constexpr int defaultBitsPerSample = 24;

    juce::File input;  // none: the built-in demo signal
    juce::File output;
    double demoSeconds = defaultDemoSeconds;

    juce::File plugin; // none: the freshly built VST 2 plug-in
    juce::String lv2Uri;

    juce::String program; // index or name; empty keeps the plug-in's current program
    double tempo = defaultTempo;
    int timeSigNumerator = 4;
    int timeSigDenominator = 4;
    double sampleRate = 0.0; // 0: the input file's rate, or the demo's default
    int blockSize = defaultBlockSize;
    int bitsPerSample = defaultBitsPerSample;

    juce::StringArray parameterAssignments; // "Name=Value"
    juce::String noteList;                  // "seconds:note, ..."
    juce::File midiFile;
    juce::File stateToLoad;
    juce::File stateToSave;

    bool writePicture = true;
    bool showProgress = true; // still only on a terminal, for renders longer than a second
    bool showHelp = false;

    bool usesDemoSignal() const { return input == juce::File(); }
    // The picture lands next to the audio: out.wav gives out.png.
    juce::File pictureFile() const { return output.withFileExtension ("png"); }
};
