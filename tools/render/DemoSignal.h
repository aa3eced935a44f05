#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// The built-in input when no file is given: a chord of soft tones over quiet noise, the same in
// both channels, so whatever panning the plug-in applies shows plainly.
class DemoSignal
{
public:
    static juce::AudioBuffer<float> make (double sampleRate, double seconds);

    static constexpr int numChannels = 2;
};
