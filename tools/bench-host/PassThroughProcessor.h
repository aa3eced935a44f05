#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The benchmark's baseline: a stereo processor that leaves its input as it is, driven through the
// same host path as the plug-ins, so what it costs is the cost of the path itself.
class PassThroughProcessor : public juce::AudioProcessor
{
public:
    PassThroughProcessor();

    const juce::String getName() const override { return "pass-through"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}

    using juce::AudioProcessor::processBlock;
    // The output is the input, already in the buffer.
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}

    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return true; }
    bool producesMidi() const override { return false; }

    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }

    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}

    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}
};
