#pragma once

#include "AudioProcessorBase.h"

// Orvanta2's processor. For now it passes the host's stereo signal through unchanged.
class AudioProcessor : public AudioProcessorBase
{
public:
    static constexpr double tailSeconds = 15.0;

    AudioProcessor();
    ~AudioProcessor() override = default;

    const juce::String getName() const override { return JucePlugin_Name; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return tailSeconds; }

    void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int, int) override {}
};
