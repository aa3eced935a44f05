#include "ReferenceHost.h"

const ReferenceHost::Plugin ReferenceHost::vst2 { "VST", ORVANTA_VST2_PLUGIN, ORVANTA_VST2_PLUGIN };
const ReferenceHost::Plugin ReferenceHost::vst3 { "VST3", ORVANTA_VST3_PLUGIN, ORVANTA_VST3_PLUGIN };
const ReferenceHost::Plugin ReferenceHost::lv2 { "LV2", ORVANTA_LV2_PLUGIN, ORVANTA_LV2_URI };

namespace
{
    class PlayingTransport : public juce::AudioPlayHead
    {
    public:
        PlayingTransport (double rate, double tempo) : sampleRate (rate), bpm (tempo) {}

        juce::Optional<PositionInfo> getPosition() const override
        {
            PositionInfo info;
            info.setIsPlaying (true);
            info.setBpm (bpm);
            info.setTimeSignature (TimeSignature { 4, 4 });
            info.setTimeInSamples (position);
            info.setTimeInSeconds ((double) position / sampleRate);
            info.setPpqPosition ((double) position / sampleRate * bpm / 60.0);
            return info;
        }

        juce::int64 position = 0;

    private:
        double sampleRate, bpm;
    };

    int programNamed (juce::AudioProcessor& processor, const juce::String& name)
    {
        for (int i = 0; i < processor.getNumPrograms(); ++i)
            if (processor.getProgramName (i) == name)
                return i;

        return -1;
    }
}

std::unique_ptr<juce::AudioPluginInstance> ReferenceHost::load (const Plugin& plugin, double sampleRate, int blockSize)
{
    juce::AudioPluginFormatManager manager;
    manager.addDefaultFormats();

    for (auto* format : manager.getFormats())
    {
        if (format->getName() != plugin.format)
            continue;

        format->searchPathsForPlugins (juce::FileSearchPath (juce::File (plugin.path).getParentDirectory().getFullPathName()),
                                       false, false);
        juce::OwnedArray<juce::PluginDescription> found;
        format->findAllTypesForFile (found, plugin.identifier);

        if (found.isEmpty())
            return nullptr;

        juce::String error;
        return manager.createPluginInstance (*found[0], sampleRate, blockSize, error);
    }

    return nullptr;
}

juce::AudioProcessorParameter* ReferenceHost::parameterNamed (juce::AudioProcessor& processor, const juce::String& name)
{
    for (auto* parameter : processor.getParameters())
        if (parameter->getName (64) == name)
            return parameter;

    return nullptr;
}

juce::AudioBuffer<float> ReferenceHost::render (const Plugin& plugin, const juce::AudioBuffer<float>& input,
                                                double sampleRate, const Render& settings)
{
    auto instance = load (plugin, sampleRate, settings.blockSize);

    if (instance == nullptr)
        return {};

    PlayingTransport transport (sampleRate, settings.bpm);
    instance->setPlayHead (&transport);
    instance->setNonRealtime (true);
    instance->prepareToPlay (sampleRate, settings.blockSize);

    juce::AudioBuffer<float> block (2, settings.blockSize);
    juce::MidiBuffer midi;

    if (settings.program.isNotEmpty())
        instance->setCurrentProgram (programNamed (*instance, settings.program));

    juce::AudioBuffer<float> empty (2, 0);
    instance->processBlock (empty, midi);

    for (const auto& [name, value] : settings.values)
        parameterNamed (*instance, name)->setValue (value);

    juce::AudioBuffer<float> output (2, input.getNumSamples());

    for (int start = 0; start < input.getNumSamples(); start += settings.blockSize)
    {
        const int count = juce::jmin (settings.blockSize, input.getNumSamples() - start);
        juce::AudioBuffer<float> view (block.getArrayOfWritePointers(), 2, count);

        for (int channel = 0; channel < 2; ++channel)
            view.copyFrom (channel, 0, input, channel, start, count);

        midi.clear();
        for (const auto& note : settings.notes)
            if (note.sample >= start && note.sample < start + count)
                midi.addEvent (note.on ? juce::MidiMessage::noteOn (1, note.noteNumber, (juce::uint8) 100)
                                       : juce::MidiMessage::noteOff (1, note.noteNumber),
                               (int) (note.sample - start));

        transport.position = start;
        instance->processBlock (view, midi);

        for (int channel = 0; channel < 2; ++channel)
            output.copyFrom (channel, start, view, channel, 0, count);
    }

    instance->releaseResources();
    return output;
}
