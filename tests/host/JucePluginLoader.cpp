#include "JucePluginLoader.h"

std::unique_ptr<juce::AudioPluginInstance> loadPlugin (const PluginFormatUnderTest& format, juce::String& error)
{
    juce::AudioPluginFormatManager manager;
    manager.addDefaultFormats();

    for (auto* pluginFormat : manager.getFormats())
    {
        if (pluginFormat->getName() != format.name)
            continue;

        // LV2 plug-ins are found by URI among the bundles of the folders searched.
        const juce::FileSearchPath folder (juce::File (format.path).getParentDirectory().getFullPathName());
        pluginFormat->searchPathsForPlugins (folder, false, false);

        juce::OwnedArray<juce::PluginDescription> found;
        pluginFormat->findAllTypesForFile (found, format.identifier);

        if (found.isEmpty())
        {
            error = "no plug-in found at " + juce::String (format.identifier);
            return nullptr;
        }

        return manager.createPluginInstance (*found[0], 48000.0, 512, error);
    }

    error = "JUCE has no " + juce::String (format.name) + " hosting";
    return nullptr;
}

std::vector<PluginFormatUnderTest> builtPluginFormats()
{
    return { { "VST", ORVANTA_VST2_PLUGIN, ORVANTA_VST2_PLUGIN, true },
             { "VST3", ORVANTA_VST3_PLUGIN, ORVANTA_VST3_PLUGIN, true },
             { "LV2", ORVANTA_LV2_PLUGIN, ORVANTA_LV2_URI, false } };
}
