#pragma once

#include "../dsp/WaveTables.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

// Sample rate, host transport and lookup tables shared by every node of one plug-in instance.
class DspContext
{
public:
    static constexpr int numNotes = 128;
    static constexpr int numLevels = WaveTables::numLevels;
    static constexpr int topLevelSize = WaveTables::topLevelSize;
    static constexpr int interpolationFactor = WaveTables::interpolationFactor;
    static constexpr double defaultSampleRate = 44100.0;
    static constexpr double defaultTempo = 120.0;

    DspContext();

    void setSampleRate (double newRate);

    // Takes tempo and playing state from the host. Position and time are taken only while the
    // host plays; while it is stopped they keep running from where they were.
    void readHostPosition (juce::AudioPlayHead* playHead);

    // Moves position and time by n samples (n may be negative) at the current tempo.
    void advanceTransport (int n);

    float sampleRate = (float) defaultSampleRate;
    double sampleRateDouble = defaultSampleRate;
    std::array<float, numNotes> noteFrequencies {};

    std::array<int, numLevels> levelSizes {};
    std::array<int, numLevels> interpolationSizes {};
    std::array<int, numLevels> levelOffsets {};
    std::array<int, numLevels> interpolationOffsets {};

    double playing = 1.0;
    double tempo = defaultTempo;
    double ppqPosition = 0.0;
    double timeInSeconds = 0.0;

private:
    void fillNoteFrequencies();
    void fillLevelLayout();
};
