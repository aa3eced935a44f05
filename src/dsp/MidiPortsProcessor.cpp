#include "MidiPortsProcessor.h"

#include "../events/EventKinds.h"
#include "../processor/AudioProcessorBase.h"

const juce::String MidiPortsProcessor::cannotOpenPortMessage ("Error\nCannot open this MIDI port. Please choose another MIDI port.");

// A port opened through juce::MidiInput; deleting it closes the device.
class MidiPortsProcessor::SystemPort : public MidiPortsProcessor::Port
{
public:
    explicit SystemPort (std::unique_ptr<juce::MidiInput> systemInput) : midiInput (std::move (systemInput)) {}

    void start() override { midiInput->start(); }
    void stop() override { midiInput->stop(); }

private:
    std::unique_ptr<juce::MidiInput> midiInput;
};

MidiPortsProcessor::PortOpener MidiPortsProcessor::systemPortOpener()
{
    return [] (const juce::MidiDeviceInfo& device, juce::MidiInputCallback& callback) -> std::unique_ptr<Port>
    {
        auto systemInput = juce::MidiInput::openDevice (device.identifier, &callback);

        if (systemInput == nullptr)
            return nullptr;

        return std::make_unique<SystemPort> (std::move (systemInput));
    };
}

//==============================================================================
MidiPortsProcessor::MidiPortsProcessor (AudioProcessorBase& owner)
    : MidiPortsProcessor (owner, juce::MidiInput::getAvailableDevices(), systemPortOpener())
{
}

MidiPortsProcessor::MidiPortsProcessor (AudioProcessorBase& owner,
                                        juce::Array<juce::MidiDeviceInfo> inputDevices,
                                        PortOpener opener)
    : AudioProcessorMixin (owner),
      collector (std::make_unique<MidiInputCallback>()),
      devices (std::move (inputDevices)),
      inputNames (namesOf (devices)),
      openPort (std::move (opener))
{
    portTimer.start (portWorkIntervalMs, [this] { performPendingPortWork(); });
}

MidiPortsProcessor::~MidiPortsProcessor()
{
    portTimer.stop();
    closeInput();

    if (state->midiIn == midiInRecord.get())
        state->midiIn = nullptr;
}

juce::StringArray MidiPortsProcessor::namesOf (const juce::Array<juce::MidiDeviceInfo>& inputDevices)
{
    juce::StringArray names;

    for (auto& device : inputDevices)
        names.add (device.name);

    return names;
}

//==============================================================================
void MidiPortsProcessor::registerMidiInputParameters()
{
    jassert (midiInRecord == nullptr); // the parameter table would keep pointing at the old record

    // Step 0 is "no port", then one step per input.
    midiInRecord = std::make_unique<ParameterRecord> (ParameterLayout::stepsOf (ParameterLayout::midiIn) + inputNames.size());
    state->midiIn = midiInRecord.get();

    using Layout = ParameterLayout;
    const auto plain = ParameterRecord::plain;
    processor->registerParameter (*state->midiIn, Layout::nameOf (Layout::midiIn), plain);
    processor->registerParameter (state->midiInChannel, Layout::nameOf (Layout::midiInChannel), plain);
    processor->registerParameter (state->midiInOctave, Layout::nameOf (Layout::midiInOctave), plain);
    processor->registerParameter (state->midiInNote, Layout::nameOf (Layout::midiInNote), plain);
}

void MidiPortsProcessor::steppedParameterChanged (int index, int step)
{
    // "Midi In Octave" and "Midi In Note" choose the trigger note, which the processor
    // recomputes from its own hook.
    if (midiInRecord != nullptr && index == midiInRecord->index)
        requestedStep.store (step);
    else if (index == state->midiInChannel.index)
        collector->setChannel (step);
}

//==============================================================================
void MidiPortsProcessor::mergeMidiInput (juce::MidiBuffer& midi)
{
    // Decided once per block, so endBlock clears exactly the blocks that got the port's messages
    // even if the port closes meanwhile.
    portMergedThisBlock = portOpen.load();

    if (portMergedThisBlock)
        collector->takeMessages (midi);
    else
        collector->discardMessages();
}

void MidiPortsProcessor::endBlock (juce::AudioBuffer<float>&, juce::MidiBuffer& midi)
{
    if (portMergedThisBlock)
        midi.clear();
}

//==============================================================================
void MidiPortsProcessor::performPendingPortWork()
{
    const int step = requestedStep.exchange (noRequest);

    if (step != noRequest)
        openInput (step);
}

void MidiPortsProcessor::openInput (int step)
{
    closeInput();

    if (step == noPort)
        return;

    auto opened = openDevice (step - 1);

    if (opened == nullptr)
    {
        postString (EventKinds::errorMessage, cannotOpenPortMessage);
        return;
    }

    input = std::move (opened);
    // Marked open before it starts, so its first messages are merged, not dropped as leftovers.
    portOpen.store (true);
    input->start();
}

std::unique_ptr<MidiPortsProcessor::Port> MidiPortsProcessor::openDevice (int deviceIndex)
{
    // A step outside the list is answered like a port that fails to open.
    if (! juce::isPositiveAndBelow (deviceIndex, devices.size()) || openPort == nullptr)
        return nullptr;

    return openPort (devices.getReference (deviceIndex), *collector);
}

void MidiPortsProcessor::closeInput()
{
    if (input == nullptr)
        return;

    portOpen.store (false);
    input->stop();
    input.reset();
}
