#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The simulated transport of an offline render: playing from the start of bar 1 at a fixed tempo
// and time signature. The renderer moves it to each block's first sample.
class TransportPlayHead : public juce::AudioPlayHead
{
public:
    TransportPlayHead (double sampleRate, double bpm, int timeSigNumerator, int timeSigDenominator);

    void setSamplePosition (juce::int64 samples) noexcept { position = samples; }
    juce::int64 getSamplePosition() const noexcept { return position; }

    juce::Optional<PositionInfo> getPosition() const override;

    double getBpm() const noexcept { return bpm; }
    double quarterNotesPerBar() const noexcept;

private:
    double sampleRate;
    double bpm;
    int numerator;
    int denominator;
    juce::int64 position = 0;
};
