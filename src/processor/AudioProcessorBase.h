#pragma once

#include "../events/DetachableTimer.h"
#include "../events/EventDispatcherAudio.h"
#include "../events/EventHandler.h"
#include "AudioNode.h"
#include "AudioProcessorMixin.h"
#include "ParameterStore.h"
#include "PlayPositionReceiver.h"
#include "ProgramBank.h"
#include "SignalBuffer.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>
#include <memory>

class AudioEditorBase;
class HostParameter;

// The framework's plug-in processor: owns the shared blocks, the audio-side event dispatcher, the
// parameter store, the bank of programs and the signal nodes, and turns each host call into
// rendered ranges of at most 512 samples.
//
// Threads: processBlock on the audio thread under the callback lock; prepareToPlay and
// releaseResources on a host thread; the program, chunk and parameter calls on host threads or
// the message thread (see ParameterStore and ProgramBank for what each may do); the idle tick on
// the message thread, which only try-locks the callback lock.
class AudioProcessorBase : public juce::AudioProcessor,
                           public EventHandler,
                           private ParameterStore::Listener,
                           public AudioNode
{
public:
    static constexpr int maxRangeLength = SignalBuffer::capacity;
    static constexpr int idleIntervalMs = 50;
    static constexpr juce::uint32 hostSilenceBeforeIdleMs = 1200;
    static constexpr int numParameters = ParameterStore::numParameters;
    static constexpr int changeQueueCapacity = ParameterStore::changeQueueCapacity;
    static constexpr juce::uint32 guiHoldMs = ParameterStore::guiHoldMs;

    AudioProcessorBase();
    ~AudioProcessorBase() override;

    //==============================================================================
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override;

    using juce::AudioProcessor::processBlock;
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;

    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    // The product's editor, its mirror and change queue seeded with every parameter that is not
    // a placeholder, so its first refresh tick shows every current value. Message thread.
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }

    //==============================================================================
    // Programs and saved state. The host saves the bank as a chunk of 78788 bytes and a single
    // program (a preset file) as one of 4924; chunks of every older layout load and are migrated.
    static const juce::String bankRefusedMessage;
    static const juce::String presetRefusedMessage;
    static const juce::String presetLoadedMessage;

    int getNumPrograms() override { return ProgramBank::numPrograms; }
    int getCurrentProgram() override { return programs.current(); }
    void setCurrentProgram (int index) override { loadProgram (index, false); }
    const juce::String getProgramName (int index) override;
    void changeProgramName (int index, const juce::String& newName) override;
    void getStateInformation (juce::MemoryBlock& block) override;
    void getCurrentProgramStateInformation (juce::MemoryBlock& block) override;
    void setStateInformation (const void* data, int size) override;
    void setCurrentProgramStateInformation (const void* data, int size) override;

    // Makes a program current: keeps the edits of the one left in the bank, drops every change
    // still waiting in the queue and queues all values of the new one, holding off host
    // automation for 1.2 s.
    virtual void loadProgram (int index, bool notifyHost);
    // Copies the current parameter values into the current program.
    virtual void storeCurrentProgram();

    const BankRecord& getBank() const noexcept { return programs.record(); }

    //==============================================================================
    // The parameter store. Parameters are addressed by index 0 ... 1223 everywhere; their order
    // is the order of registration. These override JUCE's old parameter calls so that both
    // routes answer alike; hosts reach the store through one HostParameter per index.
    int getNumParameters() override { return numParameters; }
    const juce::String getParameterName (int index) override;
    juce::String getParameterName (int index, int maximumLength) override;
    float getParameter (int index) override;
    const juce::String getParameterText (int index) override;
    juce::String getParameterText (int index, int maximumLength) override;
    // From the host, on any thread: queued for the next drain, so values are only ever applied
    // under the callback lock.
    void setParameter (int index, float value) override;

    // From the editor or a program load, on the message thread: holds off host automation of the
    // parameter for 1.2 s and queues the value; notifyHost lets the host record it.
    void setParameterFromGui (int index, float value, bool notifyHost);
    void setParameterStepFromGui (int index, int step);

    // Applies every queued change. Only under the callback lock: from processBlock, the idle tick
    // and the constructor.
    void drainParameterQueue() { drainParameterQueueAt (juce::Time::getApproximateMillisecondCounter()); }
    // The same, for the millisecond counter value now, which decides whether a hold has passed.
    void drainParameterQueueAt (juce::uint32 now) { store.drain (now, ! isNonRealtime()); }
    // Writes a value into the parameter's record and tells whoever depends on it.
    void applyParameter (int index, float value) { store.apply (index, value); }

    // Puts a record at the next index under the given name. Registration happens once, in the
    // constructor (nodes through their registerParameters hook); at most numParameters records.
    void registerParameter (ParameterRecord& record, const juce::String& name, int kind);
    // Registers n placeholders: visible to the host, saved with programs, never applied.
    void addReservedParameters (int n);

    int getParameterCount() const noexcept { return store.size(); }
    juce::uint32 getHoldUntil (int index) const noexcept { return store.holdUntil (index); }
    const ParameterRecord* getParameterRecord (int index) const noexcept { return store.recordAt (index); }

    // The editor receives every applied change while it is set. Clearing waits until no report is
    // in flight, so the receiver can be destroyed right after.
    void setParameterChangeReceiver (ParameterChangeReceiver* receiver) { store.setChangeReceiver (receiver); }

    // The editor hears the LFO's play position while it is set. Clearing waits until no hand-over
    // is in flight, so the receiver can be destroyed right after.
    void setPlayPositionReceiver (PlayPositionReceiver* receiver);

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

    bool isInitialised() const noexcept { return store.isReady(); }
    juce::uint32 getLastProcessTime() const noexcept { return lastProcessTime.load (std::memory_order_relaxed); }

    // The idle tick's work for the millisecond counter value now: when the host has not processed
    // for more than 1.2 s and is not rendering offline, rebuild what the audio thread would have,
    // under the callback lock if it is free. Never waits. Message thread.
    void idleTick (juce::uint32 now);
    // Ends the idle tick, waiting for one in progress. A concrete processor calls it first in its
    // destructor: a host may destroy it on its own thread while the message thread ticks.
    void stopIdleTick() { idleTimer.stop(); }

    // The editor tells when it opens and closes (message thread), so that work done only for it
    // runs only while it is there.
    virtual void editorShown (bool /*shown*/) {}


protected:
    // Builds the product's editor; null when the processor has none.
    virtual std::unique_ptr<AudioEditorBase> createProductEditor();

public:
    // Hands the play position to the editor, if one is open. Audio thread; never waits.
    void reportPlayPosition (float phase, float rate) noexcept
    {
        playPositionReceiver.with ([=] (PlayPositionReceiver& receiver) { receiver.setPlayPosition (phase, rate); });
    }

    // The last step of a concrete processor's constructor: applies the queued values, marks the
    // processor ready and starts the idle tick.
    void finishConstruction();

private:
    void renderInRanges (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi);
    void parameterStepApplied (int index, const ParameterRecord& record, int step) override;
    void parameterValueApplied (int index, const ParameterRecord& record, float value) override;
    // VST 2 hosts choose the program themselves after restoring a state, and know its size; the
    // other formats restore the state alone, so it has to say which program was current.
    bool savesCurrentProgramWithState() const noexcept
    {
        return wrapperType != wrapperType_VST && wrapperType != wrapperType_Undefined;
    }
    // Whether parameter values restored from a chunk must be announced to the host.
    bool hostNeedsValuesAfterStateLoad() const noexcept { return wrapperType == wrapperType_LV2; }

    ParameterStore store { *this };
    ProgramBank programs;

    // Written by the audio thread, read by the idle tick; a stale read only shifts one idle tick.
    std::atomic<juce::uint32> lastProcessTime { 0 };

    EventDispatcherAudio dispatcher;
    std::unique_ptr<AudioProcessorMixin> waveProcessor;
    std::unique_ptr<AudioProcessorMixin> midiPorts;

    std::array<HostParameter*, numParameters> hostParameters {}; // owned by juce::AudioProcessor

    // The audio thread raises the pointer's user count around each hand-over, so the editor's
    // destructor, which clears it and waits for the count, never frees a receiver in use.
    HandOverPointer<PlayPositionReceiver> playPositionReceiver;

    juce::AudioBuffer<float> idleScratch { 1, 1 };
    DetachableTimer idleTimer;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (AudioProcessorBase)
};
