#pragma once

#include "AudioProcessorBase.h"

// Orvanta2's processor: creates its signal nodes and registers the product's 1224 parameters in
// their fixed order. For now it passes the host's stereo signal through unchanged.
class AudioProcessor : public AudioProcessorBase
{
public:
    static constexpr double tailSeconds = 15.0;
    static constexpr int firstPointParameter = 24;

    AudioProcessor();
    ~AudioProcessor() override = default;

    const juce::String getName() const override { return JucePlugin_Name; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }
    double getTailLengthSeconds() const override { return tailSeconds; }

    // The host's input is already in the buffer, which is the output too.
    void renderRange (juce::AudioBuffer<float>&, juce::MidiBuffer&, int, int) override {}

private:
    void registerParameters();
};
