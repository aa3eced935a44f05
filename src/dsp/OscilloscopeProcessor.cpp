#include "OscilloscopeProcessor.h"

#include "../processor/AudioProcessorBase.h"
#include "WaveLfo.h"


OscilloscopeProcessor::OscilloscopeProcessor (AudioProcessorBase& owner)
    : AudioProcessorMixin (owner)
{
    traceSets.push_back (std::make_unique<ScopeTraceSet> (*this, &state->oscilloscopeZoom));
}

void OscilloscopeProcessor::registerParameters()
{
    processor->registerParameter (state->oscilloscopeZoom, ParameterLayout::nameOf (ParameterLayout::oscilloscopeZoom),
                                  ParameterRecord::plain);
}

void OscilloscopeProcessor::setScopeSource (int slot, WaveLfo* lfo)
{
    if (slot == 0)
        source = lfo;
}

ScopeTraceSet* OscilloscopeProcessor::getScopeTraces (int slot)
{
    return juce::isPositiveAndBelow (slot, (int) traceSets.size()) ? traceSets[(size_t) slot].get() : nullptr;
}

//==============================================================================
bool OscilloscopeProcessor::capturing() const noexcept
{
    // While a one-shot cycle holds its end value the picture stays as it is.
    return source != nullptr && captureEnabled.load (std::memory_order_relaxed) && ! source->isHolding();
}

void OscilloscopeProcessor::alignTraces (ScopeTraceSet& traces) const noexcept
{
    // Where the LFO's next render call starts, so the span lines up with what that call plays.
    const auto start = source->nextStart();
    const auto rate = (float) start.rate;

    for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
    {
        auto& trace = traces.trace (t);
        trace.setPosition (start.phase * trace.getColumns());
        trace.setSpeed (rate);
    }
}

void OscilloscopeProcessor::captureChannels (ScopeTraceSet& traces, const juce::AudioBuffer<float>& buffer, int start,
                                             int count, int leftTrace, int rightTrace) const noexcept
{
    if (buffer.getNumChannels() < 1 || start < 0 || count <= 0 || start + count > buffer.getNumSamples())
        return;

    // A mono configuration shows channel 0 in both traces.
    const bool stereo = processor->getTotalNumInputChannels() >= 2 && buffer.getNumChannels() >= 2;
    traces.trace (leftTrace).capture (buffer.getReadPointer (0, start), count);
    traces.trace (rightTrace).capture (buffer.getReadPointer (stereo ? 1 : 0, start), count);
}

void OscilloscopeProcessor::captureInput (juce::AudioBuffer<float>& buffer, int start, int count)
{
    if (! capturing())
        return;

    auto& traces = *traceSets.front();
    traces.beginWrite();
    alignTraces (traces);
    captureChannels (traces, buffer, start, count, ScopeTraceSet::inputLeft, ScopeTraceSet::inputRight);
    traces.endWrite();
}

void OscilloscopeProcessor::captureOutput (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int start, int count)
{
    if (! capturing())
        return;

    auto& traces = *traceSets.front();
    traces.beginWrite();
    captureChannels (traces, buffer, start, count, ScopeTraceSet::outputLeft, ScopeTraceSet::outputRight);
    traces.endWrite();
}

void OscilloscopeProcessor::noteStarted()
{
    // The synced types keep their place at a note; every other type starts a new picture.
    if (source == nullptr || ! source->restartsAtNotes())
        return;

    for (auto& traces : traceSets)
    {
        traces->beginWrite();
        traces->clearAll();
        traces->endWrite();
    }
}
