#pragma once

#include "../events/EventDispatcherAudio.h"
#include "../events/EventHandler.h"
#include "AudioNode.h"
#include "AudioProcessorMixin.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

// The framework's plug-in processor: owns the shared blocks, the audio-side event dispatcher and
// the signal nodes, and turns each host call into rendered ranges of at most 512 samples.
class AudioProcessorBase : public juce::AudioProcessor,
                           public EventHandler,
                           private juce::Timer,
                           public AudioNode
{
public:
    static constexpr int maxRangeLength = 512;
    static constexpr int idleIntervalMs = 50;
    static constexpr juce::uint32 hostSilenceBeforeIdleMs = 1200;

    AudioProcessorBase();
    ~AudioProcessorBase() override;

    //==============================================================================
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;

    using juce::AudioProcessor::processBlock;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }

    // There is no bank yet: one unnamed program and no saved state.
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}

    //==============================================================================
    // Called after a stepped parameter took a new step; the MIDI ports node hears every one.
    virtual void steppedParameterChanged (int index, int step);
    virtual void continuousParameterChanged (int /*index*/, float /*value*/) {}
    // Handles the block's incoming MIDI before anything is rendered.
    virtual void processMidi (juce::MidiBuffer&) {}
    // Renders samples start ... start + count - 1 of the block; count is at most maxRangeLength.
    virtual void renderRange (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count) = 0;

    //==============================================================================
    EventDispatcherAudio& getEventDispatcher() noexcept { return dispatcher; }

    // Setting a node replaces, and deletes, the previous one.
    void setWaveProcessor (std::unique_ptr<AudioProcessorMixin> node) { waveProcessor = std::move (node); }
    void setMidiPorts (std::unique_ptr<AudioProcessorMixin> node) { midiPorts = std::move (node); }
    AudioProcessorMixin* getWaveProcessor() const noexcept { return waveProcessor.get(); }
    AudioProcessorMixin* getMidiPorts() const noexcept { return midiPorts.get(); }

    bool isInitialised() const noexcept { return initialised; }
    juce::uint32 getLastProcessTime() const noexcept { return lastProcessTime.load (std::memory_order_relaxed); }

    // The idle tick's work for the millisecond counter value now: when the host has not processed
    // for more than 1.2 s and is not rendering offline, rebuild what the audio thread would have,
    // under the callback lock if it is free. Never waits. Message thread.
    void idleTick (juce::uint32 now);

protected:
    // The last step of a concrete processor's constructor: marks the processor ready and starts
    // the idle tick.
    void finishConstruction();

private:
    void timerCallback() override;
    void renderInRanges (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi);

    // Written by the audio thread, read by the idle tick; a stale read only shifts one idle tick.
    std::atomic<juce::uint32> lastProcessTime { 0 };
    bool initialised = false;

    EventDispatcherAudio dispatcher;
    std::unique_ptr<AudioProcessorMixin> waveProcessor;
    std::unique_ptr<AudioProcessorMixin> midiPorts;

    juce::AudioBuffer<float> idleScratch { 1, 1 };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioProcessorBase)
};
