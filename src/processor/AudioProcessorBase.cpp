#include "AudioProcessorBase.h"

#include "../events/ActionEvent.h"
#include "../events/EventKinds.h"
#include "../gui/AudioEditorBase.h"
#include "HostParameter.h"

const juce::String AudioProcessorBase::bankRefusedMessage =
    "Unable to load bank. It has been saved with a newer version of the software.";
const juce::String AudioProcessorBase::presetRefusedMessage =
    "Unable to load preset. It has been saved with a newer version of the software.";
const juce::String AudioProcessorBase::presetLoadedMessage = "Loaded preset.";

AudioProcessorBase::AudioProcessorBase()
    : juce::AudioProcessor (BusesProperties()
                                .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                                .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      // The dispatcher member is built below; the handler only keeps its address until then.
      EventHandler (dispatcher)
{
}

AudioProcessorBase::~AudioProcessorBase()
{
    // Members then bases go in reverse order: the nodes before the dispatcher they post to, and
    // all of them before AudioNode frees the shared blocks they borrow.
    stopIdleTick();
}

void AudioProcessorBase::finishConstruction()
{
    loadProgram (0, false);
    drainParameterQueue();
    store.markReady();

    for (int i = 0; i < store.size(); ++i)
        hostParameters[(size_t) i]->setDefaultValue (store.valueOf (i));

    idleTimer.start (idleIntervalMs, [this] { idleTick (juce::Time::getApproximateMillisecondCounter()); });
}

void AudioProcessorBase::prepareToPlay (double sampleRate, int)
{
    // The block size does not matter: rendering never takes more than maxRangeLength at a time.
    context->setSampleRate (sampleRate);

    if (waveProcessor != nullptr)
        waveProcessor->finishPendingWork();

    postAction (EventKinds::processingPrepared);
}

void AudioProcessorBase::releaseResources()
{
    postAction (EventKinds::processingReleased);
}

std::unique_ptr<AudioEditorBase> AudioProcessorBase::createProductEditor()
{
    return nullptr;
}

juce::AudioProcessorEditor* AudioProcessorBase::createEditor()
{
    auto editor = createProductEditor();

    if (editor == nullptr)
        return nullptr;

    // From the latest values written, not from the records, which the audio thread's drain may be
    // writing right now; a value still queued is reported again when the drain applies it.
    for (int i = 0; i < store.size(); ++i)
    {
        const auto* record = store.recordAt (i);
        const float value = store.valueOf (i);

        if (record->kind == ParameterRecord::placeholder)
            continue;

        if (record->isStepped())
            editor->seedParameterStep (i, ParameterRecord::stepOf (value, record->steps));
        else
            editor->seedParameterValue (i, value);
    }

    return editor.release();
}

void AudioProcessorBase::setPlayPositionReceiver (PlayPositionReceiver* receiver)
{
    if (receiver == nullptr)
        playPositionReceiver.clearAndWait();
    else
        playPositionReceiver.set (receiver);
}

bool AudioProcessorBase::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    return layouts.inputBuses.size() == 1 && layouts.outputBuses.size() == 1
        && layouts.getMainInputChannelSet() == juce::AudioChannelSet::stereo()
        && layouts.getMainOutputChannelSet() == juce::AudioChannelSet::stereo();
}

void AudioProcessorBase::processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    juce::ScopedNoDenormals noDenormals;
    lastProcessTime.store (juce::Time::getApproximateMillisecondCounter(), std::memory_order_relaxed);

    drainParameterQueue();
    context->readHostPosition (getPlayHead());

    if (midiPorts != nullptr)
        midiPorts->mergeMidiInput (midi);

    processMidi (midi);

    if (waveProcessor != nullptr)
        waveProcessor->beginBlock (buffer);

    renderInRanges (buffer, midi);

    if (midiPorts != nullptr)
        midiPorts->endBlock (buffer, midi);
}

void AudioProcessorBase::renderInRanges (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi)
{
    // While a range renders, the transport stands at the range's first sample.
    const int numSamples = buffer.getNumSamples();

    for (int start = 0; start < numSamples; start += maxRangeLength)
    {
        const int count = juce::jmin (maxRangeLength, numSamples - start);
        renderRange (buffer, midi, start, count);
        context->advanceTransport (count);
    }
}

void AudioProcessorBase::steppedParameterChanged (int index, int step)
{
    if (midiPorts != nullptr)
        midiPorts->steppedParameterChanged (index, step);
}

void AudioProcessorBase::idleTick (juce::uint32 now)
{
    // Unsigned difference, so the counter's wrap-around after 49 days does not stop the tick.
    if (now - getLastProcessTime() <= hostSilenceBeforeIdleMs)
        return;

    if (isNonRealtime())
        return;

    const juce::ScopedTryLock lock (getCallbackLock());

    if (! lock.isLocked())
        return;

    drainParameterQueue();

    if (waveProcessor != nullptr)
        waveProcessor->beginBlock (idleScratch);
}

//==============================================================================
void AudioProcessorBase::registerParameter (ParameterRecord& record, const juce::String& name, int kind)
{
    const int index = store.add (record, name, kind);

    // The ID is what saved host sessions refer to, so it is made of what never changes: the index
    // (first, so hosts that sort parameters by ID keep their order) and the name.
    const auto slug = kind == ParameterRecord::placeholder ? juce::String ("reserved")
                                                           : name.toLowerCase().replaceCharacters (" .", "__");
    const auto id = juce::String::formatted ("p%04d_", index) + slug;
    auto hostParameter = std::make_unique<HostParameter> (*this, index, id, name);
    hostParameters[(size_t) index] = hostParameter.get();
    addParameter (hostParameter.release());
}

void AudioProcessorBase::addReservedParameters (int n)
{
    for (int i = 0; i < n; ++i)
        registerParameter (store.createPlaceholder(), ParameterLayout::placeholderName, ParameterRecord::placeholder);
}

const juce::String AudioProcessorBase::getParameterName (int index)
{
    const auto* record = store.recordAt (index);
    return record != nullptr ? record->name : juce::String();
}

juce::String AudioProcessorBase::getParameterName (int index, int maximumLength)
{
    return getParameterName (index).substring (0, maximumLength);
}

float AudioProcessorBase::getParameter (int index)
{
    return store.valueOf (index);
}

const juce::String AudioProcessorBase::getParameterText (int index)
{
    return HostParameter::formatValue (getParameter (index));
}

juce::String AudioProcessorBase::getParameterText (int index, int maximumLength)
{
    return getParameterText (index).substring (0, maximumLength);
}

void AudioProcessorBase::setParameter (int index, float value)
{
    store.writeFromHost (index, value);
}

void AudioProcessorBase::setParameterFromGui (int index, float value, bool notifyHost)
{
    if (! store.isValidIndex (index))
        return;

    store.writeFromGui (index, value);

    if (notifyHost)
        hostParameters[(size_t) index]->sendValueChangedMessageToListeners (ParameterStore::normalized (value));
}

void AudioProcessorBase::setParameterStepFromGui (int index, int step)
{
    if (auto* record = getParameterRecord (index))
        setParameterFromGui (index, ParameterRecord::valueOfStep (step, record->steps), true);
}

void AudioProcessorBase::parameterStepApplied (int index, const ParameterRecord& record, int step)
{
    steppedParameterChanged (index, step);

    if (record.kind == ParameterRecord::wavePoint && waveProcessor != nullptr)
        waveProcessor->pointParameterChanged (index);
}

void AudioProcessorBase::parameterValueApplied (int index, const ParameterRecord& record, float value)
{
    continuousParameterChanged (index, value);

    if (record.kind == ParameterRecord::wavePoint && waveProcessor != nullptr)
        waveProcessor->pointParameterChanged (index);
}

//==============================================================================
const juce::String AudioProcessorBase::getProgramName (int index)
{
    return programs.nameOf (index);
}

void AudioProcessorBase::changeProgramName (int index, const juce::String& newName)
{
    if (programs.rename (index, newName))
        updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void AudioProcessorBase::storeCurrentProgram()
{
    programs.storeCurrent (store);
}

void AudioProcessorBase::getStateInformation (juce::MemoryBlock& block)
{
    storeCurrentProgram();
    programs.writeBank (block, savesCurrentProgramWithState());
}

void AudioProcessorBase::getCurrentProgramStateInformation (juce::MemoryBlock& block)
{
    storeCurrentProgram();
    programs.writeCurrentProgram (block);
}

void AudioProcessorBase::setStateInformation (const void* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    if (! programs.readBank (data, (size_t) size))
    {
        postString (EventKinds::statusText, bankRefusedMessage);
        return;
    }

    loadProgram (programs.current(), hostNeedsValuesAfterStateLoad());
}

void AudioProcessorBase::setCurrentProgramStateInformation (const void* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    if (! programs.readCurrentProgram (data, (size_t) size))
    {
        postString (EventKinds::statusText, presetRefusedMessage);
        return;
    }

    loadProgram (programs.current(), hostNeedsValuesAfterStateLoad());
    postString (EventKinds::statusText, presetLoadedMessage);
}

void AudioProcessorBase::loadProgram (int index, bool notifyHost)
{
    if (! ProgramBank::isValid (index))
        return;

    if (index != programs.current())
        storeCurrentProgram();

    store.discardPending();
    programs.setCurrent (index);

    const auto& program = programs.program (index);
    for (int i = 0; i < store.size(); ++i)
        setParameterFromGui (i, program.values[(size_t) i], notifyHost);

    postString (EventKinds::programLoaded, {});
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
}
