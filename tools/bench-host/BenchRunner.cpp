#include "BenchRunner.h"

#include "DemoSignal.h"
#include "MemoryProbe.h"
#include "OfflineRenderer.h"
#include "PassThroughProcessor.h"
#include "PluginLoader.h"
#include "TransportPlayHead.h"

namespace
{
    constexpr double memorySampleRate = 48000.0;
    constexpr int memoryBlockSize = 512;
    constexpr double benchTempo = 120.0;
    constexpr int benchBeatsPerBar = 4;
    constexpr int benchBeatUnit = 4;

    // Plays the signal from its start, over and over.
    OfflineRenderer::Callbacks loopingInput (const juce::AudioBuffer<float>& signal, juce::int64& position)
    {
        OfflineRenderer::Callbacks callbacks;
        callbacks.readInput = [&signal, &position] (juce::AudioBuffer<float>& block, int numSamples)
        {
            for (int i = 0; i < numSamples; ++i, ++position)
                for (int channel = 0; channel < DemoSignal::numChannels; ++channel)
                    block.setSample (channel, i, signal.getSample (channel, (int) (position % signal.getNumSamples())));
        };
        callbacks.writeOutput = [] (const juce::AudioBuffer<float>&, int) {};
        return callbacks;
    }
}

BenchRunner::BenchRunner (const BenchSettings& s, PluginLoader& l) : settings (s), loader (l)
{
}

std::vector<BenchRunner::Subject> BenchRunner::subjects()
{
    std::vector<Subject> all;
    all.push_back ({ "pass-through (in-process)", [] (double, int) { return std::make_unique<PassThroughProcessor>(); } });
    all.push_back (pluginSubject (settings.plugin == juce::File() ? PluginLoader::defaultPlugin() : settings.plugin));

    for (const auto& other : settings.others)
        all.push_back (pluginSubject (other));

    return all;
}

BenchRunner::Subject BenchRunner::pluginSubject (const juce::File& file)
{
    const auto description = loader.describe (file, settings.lv2Uri);
    auto& pluginLoader = loader;

    return { description.name + " (" + description.pluginFormatName + ")",
             [description, &pluginLoader] (double sampleRate, int blockSize) -> std::unique_ptr<juce::AudioProcessor>
             {
                 return pluginLoader.create (description, sampleRate, blockSize);
             } };
}

const juce::AudioBuffer<float>& BenchRunner::signalAt (double sampleRate)
{
    auto found = signals.find (sampleRate);

    if (found == signals.end())
        found = signals.emplace (sampleRate, DemoSignal::make (sampleRate, settings.seconds)).first;

    return found->second;
}

BenchRunner::MemoryResult BenchRunner::measureMemory (const Subject& subject)
{
    struct Running
    {
        std::unique_ptr<juce::AudioProcessor> processor;
        std::unique_ptr<TransportPlayHead> playHead;
        std::unique_ptr<OfflineRenderer> renderer;
    };

    MemoryResult result;
    result.plugin = subject.label;
    result.instances = settings.instances;
    result.fromPeak = MemoryProbe::resetPeak();
    const auto measureKib = [&] { return result.fromPeak ? MemoryProbe::peakKib() : MemoryProbe::residentKib(); };

    const auto& signal = signalAt (memorySampleRate);
    const auto before = measureKib();
    std::vector<Running> running;
    juce::int64 afterFirst = before;

    for (int i = 0; i < settings.instances; ++i)
    {
        Running instance;
        instance.processor = subject.create (memorySampleRate, memoryBlockSize);
        instance.playHead = std::make_unique<TransportPlayHead> (memorySampleRate, benchTempo, benchBeatsPerBar, benchBeatUnit);
        instance.renderer = std::make_unique<OfflineRenderer> (*instance.processor, *instance.playHead, memorySampleRate,
                                                               memoryBlockSize, false);
        juce::int64 position = 0;
        instance.renderer->render (memoryBlockSize, {}, loopingInput (signal, position));
        running.push_back (std::move (instance));

        if (i == 0)
            afterFirst = measureKib();
    }

    const auto afterAll = measureKib();
    result.firstInstanceKib = afterFirst - before;
    result.perInstanceKib = settings.instances > 1 ? (afterAll - afterFirst) / (settings.instances - 1)
                                                   : result.firstInstanceKib;

    // Renderers release their processors before the processors go.
    for (auto& instance : running)
        instance.renderer.reset();

    return result;
}

BenchRunner::CaseResult BenchRunner::measure (const Subject& subject, double sampleRate, int blockSize, bool changePrograms)
{
    auto processor = subject.create (sampleRate, blockSize);
    TransportPlayHead playHead (sampleRate, benchTempo, benchBeatsPerBar, benchBeatUnit);
    OfflineRenderer renderer (*processor, playHead, sampleRate, blockSize, false);

    const auto& signal = signalAt (sampleRate);
    juce::int64 position = 0;
    auto callbacks = loopingInput (signal, position);
    renderer.render ((juce::int64) (warmUpSeconds * sampleRate), {}, callbacks);

    const auto changeEvery = (juce::int64) (settings.programChangeSeconds * sampleRate);
    juce::int64 nextChange = changeEvery;

    if (changePrograms)
        callbacks.beforeBlock = [&] (juce::int64 blockStart)
        {
            if (blockStart < nextChange)
                return;

            nextChange += changeEvery;
            const auto numPrograms = juce::jmax (1, processor->getNumPrograms());
            processor->setCurrentProgram ((processor->getCurrentProgram() + 1) % numPrograms);
        };

    const auto numSamples = (juce::int64) signal.getNumSamples();
    const auto stats = renderer.render (numSamples, {}, callbacks);
    const auto audioSeconds = (double) numSamples / sampleRate;

    CaseResult result;
    result.plugin = subject.label;
    result.scenario = changePrograms ? "program-change" : "steady";
    result.sampleRate = sampleRate;
    result.blockSize = blockSize;
    result.audioSeconds = audioSeconds;
    result.cpuPerSecond = stats.cpuSeconds / audioSeconds;
    result.realTimeFactor = audioSeconds / juce::jmax (1.0e-9, stats.cpuSeconds);
    result.worstBlockShare = stats.worstBlockCpuSeconds / ((double) blockSize / sampleRate);
    return result;
}
