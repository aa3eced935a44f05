#include "AudioProcessorBase.h"

#include "../events/ActionEvent.h"
#include "../events/EventKinds.h"
#include "FactoryBank.h"
#include "HostParameter.h"

#include <cmath>

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
    const auto factory = FactoryBank::formatTwoBytes();
    auto factoryBank = std::make_unique<BankRecord>();
    BankRecord::read (factory.data(), factory.size(), *factoryBank);
    bank.loadBankData (*factoryBank);
}

AudioProcessorBase::~AudioProcessorBase()
{
    // Members then bases go in reverse order: the nodes before the dispatcher they post to, and
    // all of them before AudioNode frees the shared blocks they borrow.
    stopTimer();
}

void AudioProcessorBase::finishConstruction()
{
    loadProgram (0, false);
    drainParameterQueue();
    initialised = true;

    for (int i = 0; i < parameterCount; ++i)
        hostParameters[(size_t) i]->setDefaultValue (currentValues[(size_t) i]);

    startTimer (idleIntervalMs);
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

void AudioProcessorBase::timerCallback()
{
    idleTick (juce::Time::getApproximateMillisecondCounter());
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
float AudioProcessorBase::normalized (float value) noexcept
{
    // A corrupt chunk or a careless host may send anything; a value that is not a number is 0.
    return std::isnan (value) ? 0.0f : juce::jlimit (0.0f, 1.0f, value);
}

void AudioProcessorBase::registerParameter (ParameterRecord& record, const juce::String& name, int kind)
{
    jassert (parameterCount < numParameters);
    const int index = parameterCount++;
    record.name = name;
    record.kind = kind;
    record.index = index;
    parameterTable[(size_t) index] = &record;

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
    {
        placeholders.push_back (std::make_unique<ParameterRecord>());
        registerParameter (*placeholders.back(), "X (Reserved)", ParameterRecord::placeholder);
    }
}

const ParameterRecord* AudioProcessorBase::getParameterRecord (int index) const noexcept
{
    return isValidIndex (index) ? parameterTable[(size_t) index] : nullptr;
}

const juce::String AudioProcessorBase::getParameterName (int index)
{
    return isValidIndex (index) ? parameterTable[(size_t) index]->name : juce::String();
}

juce::String AudioProcessorBase::getParameterName (int index, int maximumLength)
{
    return getParameterName (index).substring (0, maximumLength);
}

float AudioProcessorBase::getParameter (int index)
{
    return isValidIndex (index) ? currentValues[(size_t) index].load (std::memory_order_relaxed) : 0.0f;
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
    if (! isValidIndex (index))
        return;

    value = normalized (value);
    auto& current = currentValues[(size_t) index];

    if (initialised && value == current.load (std::memory_order_relaxed))
        return;

    current.store (value, std::memory_order_relaxed);

    if (initialised && ! isNonRealtime() && changeQueue.push ({ index, ParameterChange::fromHost, 0.0f }))
        return;

    // Offline, not ready yet, or the queue is full: the value must not be lost, so apply it now.
    applyParameter (index, value);
}

void AudioProcessorBase::setParameterFromGui (int index, float value, bool notifyHost)
{
    if (! isValidIndex (index))
        return;

    value = normalized (value);
    holdUntil[(size_t) index].store (juce::Time::getApproximateMillisecondCounter() + guiHoldMs);
    currentValues[(size_t) index].store (value, std::memory_order_relaxed);

    if (! changeQueue.push ({ index, ParameterChange::fromGui, value }))
        keepOverflowedValue (index);

    if (notifyHost)
        hostParameters[(size_t) index]->sendValueChangedMessageToListeners (value);
}

void AudioProcessorBase::setParameterStepFromGui (int index, int step)
{
    if (auto* record = getParameterRecord (index))
        setParameterFromGui (index, ParameterRecord::valueOfStep (step, record->steps), true);
}

bool AudioProcessorBase::isHeld (int index, juce::uint32 now) const noexcept
{
    // Holds protect a user's live moves; an offline render must not depend on the wall clock,
    // so the drain ignores them there.
    // Time since the hold started, in unsigned arithmetic so the counter's wrap does not matter.
    const auto holdStart = holdUntil[(size_t) index].load() - guiHoldMs;
    return now - holdStart <= guiHoldMs;
}

void AudioProcessorBase::drainParameterQueueAt (juce::uint32 now)
{
    if (changeQueue.isEmpty() && ! hasOverflowed.load())
        return;

    deferred.reset();
    ParameterChange change;

    // At most one queue's worth, so writers that keep pushing cannot hold the drain forever.
    for (int taken = 0; taken < changeQueueCapacity; ++taken)
    {
        const auto position = changeQueue.popCount();

        if (! changeQueue.pop (change))
            break;

        if (position < discardBefore.load())
            continue;

        const auto index = (size_t) change.index;

        if (change.kind == ParameterChange::fromGui)
        {
            deferred.reset (index);
            currentValues[index].store (change.value, std::memory_order_relaxed);
            applyParameter (change.index, change.value);
        }
        else if (! isNonRealtime() && isHeld (change.index, now))
        {
            deferred.set (index);
        }
        else
        {
            applyParameter (change.index, currentValues[index].load (std::memory_order_relaxed));
        }
    }

    // Written when the queue was full, so newer than anything queued for their index.
    applyOverflowedValues();
    requeueDeferred();
}

void AudioProcessorBase::keepOverflowedValue (int index) noexcept
{
    overflowed[(size_t) index / 64].fetch_or (juce::uint64 (1) << (index % 64));
    hasOverflowed.store (true);
}

void AudioProcessorBase::applyOverflowedValues()
{
    if (! hasOverflowed.exchange (false))
        return;

    for (size_t word = 0; word < overflowed.size(); ++word)
    {
        auto bits = overflowed[word].exchange (0);

        for (int bit = 0; bits != 0; ++bit, bits >>= 1)
        {
            if ((bits & 1) == 0)
                continue;

            const auto index = (int) word * 64 + bit;
            deferred.reset ((size_t) index);
            applyParameter (index, currentValues[(size_t) index].load (std::memory_order_relaxed));
        }
    }
}

void AudioProcessorBase::requeueDeferred()
{
    if (deferred.none())
        return;

    for (int index = 0; index < parameterCount; ++index)
        if (deferred.test ((size_t) index))
            changeQueue.push ({ index, ParameterChange::fromHost, 0.0f });
}

void AudioProcessorBase::applyParameter (int index, float value)
{
    auto* record = parameterTable[(size_t) index];

    if (record == nullptr || record->kind == ParameterRecord::placeholder)
        return;

    if (record->isStepped())
    {
        const int step = ParameterRecord::stepOf (value, record->steps);

        if (initialised && step == record->currentStep())
            return;

        record->writeStep (step);
        steppedParameterChanged (index, step);

        if (record->kind == ParameterRecord::wavePoint && waveProcessor != nullptr)
            waveProcessor->pointParameterChanged (index);

        reportStep (index, step);
    }
    else
    {
        if (initialised && value == record->value)
            return;

        record->writeValue (value);
        continuousParameterChanged (index, record->value);

        if (record->kind == ParameterRecord::wavePoint && waveProcessor != nullptr)
            waveProcessor->pointParameterChanged (index);

        reportValue (index, record->value);
    }
}

void AudioProcessorBase::setParameterChangeReceiver (ParameterChangeReceiver* receiver)
{
    if (receiver == nullptr)
        changeReceiver.clearAndWait();
    else
        changeReceiver.set (receiver);
}

void AudioProcessorBase::reportStep (int index, int step)
{
    changeReceiver.with ([=] (ParameterChangeReceiver& receiver) { receiver.queueParameterStep (index, step); });
}

void AudioProcessorBase::reportValue (int index, float value)
{
    changeReceiver.with ([=] (ParameterChangeReceiver& receiver) { receiver.queueParameterValue (index, value); });
}

//==============================================================================
const juce::String AudioProcessorBase::getProgramName (int index)
{
    return isValidProgram (index) ? bank.programs[(size_t) index].getName() : juce::String();
}

void AudioProcessorBase::changeProgramName (int index, const juce::String& newName)
{
    if (! isValidProgram (index))
        return;

    bank.programs[(size_t) index].setName (newName);
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void AudioProcessorBase::storeCurrentProgram()
{
    auto& program = bank.programs[(size_t) currentProgram.load()];

    for (size_t i = 0; i < program.values.size(); ++i)
        program.values[i] = currentValues[i].load (std::memory_order_relaxed);
}

void AudioProcessorBase::getStateInformation (juce::MemoryBlock& block)
{
    storeCurrentProgram();
    block.setSize (BankRecord::currentSize);
    bank.write (static_cast<uint8_t*> (block.getData()));
}

void AudioProcessorBase::getCurrentProgramStateInformation (juce::MemoryBlock& block)
{
    storeCurrentProgram();
    block.setSize (ProgramRecord::currentSize);
    bank.programs[(size_t) currentProgram.load()].write (static_cast<uint8_t*> (block.getData()));
}

void AudioProcessorBase::setStateInformation (const void* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    auto loaded = std::make_unique<BankRecord>();

    if (! BankRecord::read (data, (size_t) size, *loaded) || ! bank.loadBankData (*loaded))
    {
        postString (EventKinds::statusText, bankRefusedMessage);
        return;
    }

    loadProgram (currentProgram.load(), hostNeedsValuesAfterStateLoad());
}

void AudioProcessorBase::setCurrentProgramStateInformation (const void* data, int size)
{
    if (data == nullptr || size <= 0)
        return;

    auto loaded = std::make_unique<ProgramRecord>();
    auto migrated = std::make_unique<ProgramRecord>();

    if (! ProgramRecord::read (data, (size_t) size, *loaded)
        || ! ProgramRecord::loadProgramData (*loaded, *migrated, ProgramRecord::currentVersion))
    {
        postString (EventKinds::statusText, presetRefusedMessage);
        return;
    }

    bank.programs[(size_t) currentProgram.load()] = *migrated;
    loadProgram (currentProgram.load(), hostNeedsValuesAfterStateLoad());
    postString (EventKinds::statusText, presetLoadedMessage);
}

void AudioProcessorBase::loadProgram (int index, bool notifyHost)
{
    if (! isValidProgram (index))
        return;

    if (index != currentProgram.load())
        storeCurrentProgram();

    discardPendingChanges();
    currentProgram = index;

    const auto& program = bank.programs[(size_t) index];
    for (int i = 0; i < parameterCount; ++i)
        setParameterFromGui (i, program.values[(size_t) i], notifyHost);

    postString (EventKinds::programLoaded, {});
    updateHostDisplay (ChangeDetails().withProgramChanged (true));
}

void AudioProcessorBase::discardPendingChanges() noexcept
{
    discardBefore = changeQueue.pushCount();

    for (auto& word : overflowed)
        word = 0;
}
