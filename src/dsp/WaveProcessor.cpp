#include "WaveProcessor.h"

#include "../events/Event.h"
#include "../events/EventKinds.h"
#include "../processor/AudioProcessorBase.h"

WaveProcessor::WaveProcessor (AudioProcessorBase& owner)
    : AudioProcessorMixin (owner)
{
    subscribe (EventKinds::programLoaded);
}

WaveProcessor::~WaveProcessor()
{
    // The StateBlock outlives this node: a wave that plays the spare gets the free storage back.
    for (auto& tables : state->waves)
        if (tables.upperInterpolation == spareStorage.get())
        {
            *spare = *spareStorage;
            tables.upperInterpolation = spare;
        }
}

void WaveProcessor::respond (const Event& event)
{
    // Posted on whichever thread loaded the program, often not the editor's: only a request is
    // recorded here, and the message thread empties the histories before it next touches them.
    if (event.getKind() == EventKinds::programLoaded)
        waveState.requestHistoryClear();
}

//==============================================================================
void WaveProcessor::registerParameters()
{
    // In index order, which puts slots 1 ... 20 of every wave before slots 21 ... 40.
    using Layout = ParameterLayout;

    for (int index = Layout::firstPointParameter; index < Layout::numParameters; ++index)
    {
        const auto point = Layout::pointAt (index);
        auto& record = state->waves[(size_t) point.wave].field (point.slot, point.field);
        record.group = point.wave;
        processor->registerParameter (record, Layout::nameOf (index), ParameterRecord::wavePoint);
    }

    waveState.firstPointParameter = state->waves[0].x (0).index;
}

void WaveProcessor::pointParameterChanged (int index)
{
    const auto* record = processor->getParameterRecord (index);

    if (record == nullptr || record->kind != ParameterRecord::wavePoint)
        return;

    if (auto* wave = getWave (record->group))
        wave->dirty = true;
}

void WaveProcessor::beginBlock (juce::AudioBuffer<float>& buffer)
{
    // Work in proportion to the block keeps the rebuild's share of real time the same at every
    // block size; the idle tick's one-sample buffer gets one slice.
    advanceRebuilds (juce::jmax (1, buffer.getNumSamples() / samplesPerSlice));
}

void WaveProcessor::finishPendingWork()
{
    // Off the audio thread: under the callback lock no processing call runs meanwhile, so the
    // queue and the tables are this thread's alone.
    const juce::ScopedLock lock (processor->getCallbackLock());
    processor->drainParameterQueue();

    while (waveToAdvance() != nullptr)
        advanceRebuilds (1);
}

void WaveProcessor::advanceRebuilds (int slices) noexcept
{
    for (; slices > 0; --slices)
    {
        rebuilding = waveToAdvance();

        if (rebuilding == nullptr)
            return;

        rebuilding->updateStep();
    }
}

Wave* WaveProcessor::waveToAdvance() noexcept
{
    // A wave between its curve and its publication holds the spare, so it goes on first; then
    // the played wave, then the others in order.
    if (rebuilding != nullptr && rebuilding->isMidRebuild())
        return rebuilding;

    if (auto* played = getWave (state->usedWave.currentStep()); played != nullptr && played->isRebuilding())
        return played;

    for (auto& wave : waves)
        if (wave != nullptr && wave->isRebuilding())
            return wave.get();

    return nullptr;
}

Wave* WaveProcessor::getWave (int waveIndex)
{
    return juce::isPositiveAndBelow (waveIndex, numWaves) ? waves[(size_t) waveIndex].get() : nullptr;
}

void WaveProcessor::adoptWave (int w, std::unique_ptr<Wave> wave)
{
    const auto i = (size_t) w;
    waveState.displayTables[i] = &wave->displayTable;
    waveState.displayFlags[i] = &wave->displayUpdated;
    wave->setSpareTable (&spare);
    waves[i] = std::move (wave);
}
