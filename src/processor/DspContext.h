#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <array>

// Sample rate, host transport and lookup tables shared by every node of one plug-in instance.
class DspContext
{
public:
    static constexpr int numNotes = 128;
    static constexpr int numLevels = 12;
    static constexpr int topLevelSize = 8192;         // curve points of the finest wave-table level
    static constexpr int interpolationFactor = 32;    // interpolated values per curve point
    static constexpr double defaultSampleRate = 44100.0;
    static constexpr double defaultTempo = 120.0;
    static constexpr double secondsPerMinute = 60.0;

    // The level layout: level k holds 8192 >> k curve points, the levels one after the other.
    static constexpr int levelSizeOf (int k) noexcept { return topLevelSize >> k; }
    static constexpr int levelOffsetOf (int k) noexcept { return 2 * topLevelSize - (2 * topLevelSize >> k); }
    static constexpr int interpolationOffsetOf (int k) noexcept { return interpolationFactor * levelOffsetOf (k); }

    DspContext();

    void setSampleRate (double newRate);

    // Takes tempo and playing state from the host. Position and time are taken only while the
    // host plays; while it is stopped they keep running from where they were. A playing host
    // that gives a time but no beat position gets the beat position of that time at the tempo.
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
    void takePlayingPosition (const juce::AudioPlayHead::PositionInfo& position);
    void fillNoteFrequencies();
    void fillLevelLayout();
};
