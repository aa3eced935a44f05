#include "WaveProcessor.h"

#include "../events/Event.h"
#include "../events/EventKinds.h"
#include "../processor/AudioProcessorBase.h"

WaveProcessor::WaveProcessor (AudioProcessorBase& owner)
    : AudioProcessorMixin (owner)
{
    subscribe (EventKinds::programLoaded);
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

void WaveProcessor::beginBlock (juce::AudioBuffer<float>&)
{
    for (auto& wave : waves)
        if (wave != nullptr)
            wave->updateStep();
}

Wave* WaveProcessor::getWave (int waveIndex)
{
    return juce::isPositiveAndBelow (waveIndex, numWaves) ? waves[(size_t) waveIndex].get() : nullptr;
}

void WaveProcessor::adoptWave (int w, std::unique_ptr<Wave> wave)
{
    const auto i = (size_t) w;
    waveState.displayTables[i] = wave->displayTable.data();
    waveState.displayFlags[i] = &wave->displayUpdated;
    waves[i] = std::move (wave);
}
