#pragma once

#include <juce_audio_formats/juce_audio_formats.h>

#include <memory>

// What a render plays into the plug-in, in stereo: an audio file (a mono one in both channels)
// read block by block, or the built-in demo signal.
class InputSignal
{
public:
    static InputSignal fromFile (const juce::File& file);
    static InputSignal demo (double sampleRate, double seconds);

    // Fills the buffer's first numSamples samples with the next part of the signal.
    void read (juce::AudioBuffer<float>& buffer, int numSamples);

    double getSampleRate() const noexcept { return sampleRate; }
    juce::int64 getLengthInSamples() const noexcept { return length; }
    double getLengthInSeconds() const noexcept { return (double) length / sampleRate; }

private:
    InputSignal() = default;

    std::unique_ptr<juce::AudioFormatReader> reader;
    std::unique_ptr<juce::PositionableAudioSource> source;
    double sampleRate = 0.0;
    juce::int64 length = 0;
};
