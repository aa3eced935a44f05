#include "OscilloscopeProcessor.h"

#include "../processor/AudioProcessorBase.h"
#include "WaveLfo.h"

#include <cmath>

namespace
{
    // The LFO's own rule for bringing its phase into [0, 1) at the start of a render call.
    constexpr double phaseReductionBias = 0.499999985;
    constexpr double secondsPerMinute = 60.0;
}

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
int OscilloscopeProcessor::speedType() const noexcept
{
    return state->speedType.currentStep();
}

bool OscilloscopeProcessor::sourceHolds() const noexcept
{
    // A one-shot cycle stops at its end point and its phase stands still there until a note or a
    // change of type; a running cycle is always before it when a render call returns.
    const int type = speedType();
    const bool oneShot = type == WaveLfo::beatOneShot || type == WaveLfo::hertzOneShot;
    return oneShot && source->phase() >= WaveLfo::oneShotEnd;
}

double OscilloscopeProcessor::sourcePhase() const noexcept
{
    // The LFO tells rate and phase as its last render call left them. Its next call starts by
    // taking the synced types' phase from the transport and reducing the phase; the same is done
    // here, so the picture lines up with what that call plays.
    const double rate = source->rate();
    double phase = source->phase();

    switch (speedType())
    {
        case WaveLfo::beatSynced:
            // ppq · 32 / loop length, with the loop length in 128th notes taken from the rate
            phase = context->tempo > 0.0 ? context->ppqPosition * secondsPerMinute * rate / context->tempo : 0.0;
            break;

        case WaveLfo::hertzSynced:
            phase = rate * context->timeInSeconds;
            break;

        default:
            break;
    }

    return phase - (double) std::llrint (phase - phaseReductionBias);
}

void OscilloscopeProcessor::alignTraces (ScopeTraceSet& traces) const noexcept
{
    const double phase = sourcePhase();
    const auto rate = (float) source->rate();

    for (int t = 0; t < ScopeTraceSet::numTraces; ++t)
    {
        auto& trace = traces.trace (t);
        trace.setPosition (phase * trace.getColumns());
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
    if (source == nullptr || sourceHolds())
        return;

    auto& traces = *traceSets.front();
    traces.beginWrite();
    alignTraces (traces);
    captureChannels (traces, buffer, start, count, ScopeTraceSet::inputLeft, ScopeTraceSet::inputRight);
    traces.endWrite();
}

void OscilloscopeProcessor::captureOutput (juce::AudioBuffer<float>& buffer, juce::MidiBuffer&, int start, int count)
{
    if (source == nullptr || sourceHolds())
        return;

    auto& traces = *traceSets.front();
    traces.beginWrite();
    captureChannels (traces, buffer, start, count, ScopeTraceSet::outputLeft, ScopeTraceSet::outputRight);
    traces.endWrite();
}

void OscilloscopeProcessor::noteStarted()
{
    // The synced types keep their place at a note; every other type starts a new picture.
    const int type = speedType();

    if (source == nullptr || type == WaveLfo::beatSynced || type == WaveLfo::hertzSynced)
        return;

    for (auto& traces : traceSets)
    {
        traces->beginWrite();
        traces->clearAll();
        traces->endWrite();
    }
}
