#pragma once

#include "../events/DetachableTimer.h"
#include "../processor/AudioProcessorMixin.h"
#include "../processor/ParameterRecord.h"
#include "MidiInputCallback.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <atomic>
#include <functional>
#include <memory>

// The processing node that lets notes come from a system MIDI input as well as from the host:
// owns the open input and the collector that gathers its messages, merges them into each block,
// and keeps the four "Midi In" parameters.
//
// Opening and closing a port is slow system work, and parameter changes reach this node on the
// audio thread too. So a change of "Midi In" only records the wanted port; the message thread
// closes the old port and opens the new one at its next timer tick.
class MidiPortsProcessor : public AudioProcessorMixin
{
public:
    // An open MIDI input as the node sees it; deleting it closes the port.
    class Port
    {
    public:
        virtual ~Port() = default;
        virtual void start() = 0;
        virtual void stop() = 0;
    };

    // Opens a device for the collector, or answers null when it cannot. Message thread.
    using PortOpener = std::function<std::unique_ptr<Port> (const juce::MidiDeviceInfo& device,
                                                            juce::MidiInputCallback& callback)>;

    static constexpr int noPort = 0; // step 0 of "Midi In": MIDI from the host only
    static constexpr int portWorkIntervalMs = 50;
    static const juce::String cannotOpenPortMessage;

    // With the system's MIDI inputs, listed once for the life of the node.
    explicit MidiPortsProcessor (AudioProcessorBase& owner);
    MidiPortsProcessor (AudioProcessorBase& owner, juce::Array<juce::MidiDeviceInfo> inputDevices, PortOpener opener);
    ~MidiPortsProcessor() override;

    // Opens ports through juce::MidiInput.
    static PortOpener systemPortOpener();

    // Audio thread, never waits: with a port open, adds what it sent since the last block at
    // sample 0; with none, drops anything left over from a closed one.
    void mergeMidiInput (juce::MidiBuffer& midi) override;
    // When the block got the port's messages, empties the block's MIDI after rendering.
    void endBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    // Any thread. "Midi In" asks for its port; "Midi In Channel" sets the collector's filter.
    void steppedParameterChanged (int index, int step) override;

    // "Midi In" (one step more than there are inputs), "Midi In Channel", "Midi In Octave" and
    // "Midi In Note", in this order. Creates the "Midi In" record and puts it into the StateBlock.
    void registerMidiInputParameters() override;
    juce::StringArray getMidiInputNames() override { return inputNames; }
    bool isMidiInputClosed() override { return ! portOpen.load(); }

    // Message thread: closes the current port and opens the one "Midi In" last asked for, if it
    // asked since the previous call. The timer calls this; so can tests.
    void performPendingPortWork();

private:
    class SystemPort;

    static constexpr int noRequest = -1;

    void openInput (int step);
    std::unique_ptr<Port> openDevice (int deviceIndex);
    void closeInput();
    static juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& inputDevices);

    std::unique_ptr<MidiInputCallback> collector;
    juce::Array<juce::MidiDeviceInfo> devices;
    juce::StringArray inputNames;
    PortOpener openPort;
    std::unique_ptr<Port> input;                 // message thread only
    std::unique_ptr<ParameterRecord> midiInRecord;
    std::atomic<int> requestedStep { noRequest };
    std::atomic<bool> portOpen { false };
    bool portMergedThisBlock = false;            // audio thread only

    DetachableTimer portTimer;   // stopped first by the destructor, before anything its work touches

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiPortsProcessor)
};
