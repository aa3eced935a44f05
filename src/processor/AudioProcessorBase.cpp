#include "AudioProcessorBase.h"

#include "../events/ActionEvent.h"
#include "../events/EventKinds.h"

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
    stopTimer();
}

void AudioProcessorBase::finishConstruction()
{
    initialised = true;
    startTimer (idleIntervalMs);
}

void AudioProcessorBase::prepareToPlay (double sampleRate, int)
{
    // The block size does not matter: rendering never takes more than maxRangeLength at a time.
    context->setSampleRate (sampleRate);
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

    if (waveProcessor != nullptr)
        waveProcessor->beginBlock (idleScratch);
}
