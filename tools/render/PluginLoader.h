#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// Loads a plug-in file through JUCE's hosting, the way a host does: a VST 2 library (.so), a
// VST 3 bundle (.vst3) or an LV2 bundle (.lv2, found by its plug-in URI).
class PluginLoader
{
public:
    PluginLoader();

    // lv2Uri picks the plug-in of an LV2 bundle; empty takes the bundle's only one.
    std::unique_ptr<juce::AudioPluginInstance> load (const juce::File& file, const juce::String& lv2Uri,
                                                     double sampleRate, int blockSize);

    // The same in two steps, for a host that creates many instances of one plug-in.
    juce::PluginDescription describe (const juce::File& file, const juce::String& lv2Uri);
    std::unique_ptr<juce::AudioPluginInstance> create (const juce::PluginDescription& description,
                                                       double sampleRate, int blockSize);

    // The plug-in URIs an LV2 bundle's manifest declares.
    static juce::StringArray readLv2Uris (const juce::File& bundle);

    // The freshly built VST 2 plug-in, as known when the tools were built.
    static juce::File defaultPlugin();

private:
    juce::AudioPluginFormat& formatNamed (const juce::String& name);
    juce::String chooseLv2Uri (const juce::File& bundle, const juce::String& wanted);

    juce::AudioPluginFormatManager formats;
};
