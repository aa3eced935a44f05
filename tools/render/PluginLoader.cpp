#include "PluginLoader.h"

#include "QuietStderr.h"
#include "ToolError.h"

#include <regex>

PluginLoader::PluginLoader()
{
    formats.addDefaultFormats();
}

juce::File PluginLoader::defaultPlugin()
{
    return juce::File (ORVANTA_DEFAULT_PLUGIN);
}

std::unique_ptr<juce::AudioPluginInstance> PluginLoader::load (const juce::File& file, const juce::String& lv2Uri,
                                                               double sampleRate, int blockSize)
{
    return create (describe (file, lv2Uri), sampleRate, blockSize);
}

juce::PluginDescription PluginLoader::describe (const juce::File& file, const juce::String& lv2Uri)
{
    if (! file.exists())
        throw ToolError ("plug-in not found: " + file.getFullPathName().toStdString());

    // A library inside an LV2 bundle belongs to the bundle.
    const auto bundle = file.getParentDirectory();
    const bool isLv2 = file.hasFileExtension ("lv2") || bundle.hasFileExtension ("lv2");
    const auto lv2Bundle = file.hasFileExtension ("lv2") ? file : bundle;

    juce::String formatName, identifier;

    if (isLv2)
    {
        formatName = "LV2";
        identifier = chooseLv2Uri (lv2Bundle, lv2Uri);
        const QuietStderr quiet;
        formatNamed (formatName).searchPathsForPlugins (juce::FileSearchPath (lv2Bundle.getParentDirectory().getFullPathName()),
                                                       false, false);
    }
    else if (file.hasFileExtension ("vst3"))
    {
        formatName = "VST3";
        identifier = file.getFullPathName();
    }
    else if (file.existsAsFile() && file.hasFileExtension ("so"))
    {
        formatName = "VST";
        identifier = file.getFullPathName();
    }
    else
    {
        throw ToolError ("not a plug-in file (a VST 2 .so, a .vst3 or an .lv2 bundle): "
                         + file.getFullPathName().toStdString());
    }

    const QuietStderr quiet;
    auto& format = formatNamed (formatName);
    juce::OwnedArray<juce::PluginDescription> found;
    format.findAllTypesForFile (found, identifier);

    if (found.isEmpty())
        throw ToolError ("no " + formatName.toStdString() + " plug-in loads from " + file.getFullPathName().toStdString());

    return *found[0];
}

std::unique_ptr<juce::AudioPluginInstance> PluginLoader::create (const juce::PluginDescription& description,
                                                                 double sampleRate, int blockSize)
{
    const QuietStderr quiet;
    juce::String error;
    auto instance = formats.createPluginInstance (description, sampleRate, blockSize, error);

    if (instance == nullptr)
        throw ToolError ("the plug-in " + description.fileOrIdentifier.toStdString() + " does not load: "
                         + error.toStdString());

    return instance;
}

juce::AudioPluginFormat& PluginLoader::formatNamed (const juce::String& name)
{
    for (auto* format : formats.getFormats())
        if (format->getName() == name)
            return *format;

    throw ToolError ("this build has no " + name.toStdString() + " hosting");
}

juce::String PluginLoader::chooseLv2Uri (const juce::File& bundle, const juce::String& wanted)
{
    const auto uris = readLv2Uris (bundle);

    if (wanted.isNotEmpty())
    {
        if (! uris.contains (wanted))
            throw ToolError ("the LV2 bundle " + bundle.getFullPathName().toStdString() + " has no plug-in "
                             + wanted.toStdString());
        return wanted;
    }

    if (uris.size() != 1)
        throw ToolError ("the LV2 bundle " + bundle.getFullPathName().toStdString() + " declares "
                         + std::to_string (uris.size()) + " plug-ins; choose one with --lv2-uri");

    return uris[0];
}

juce::StringArray PluginLoader::readLv2Uris (const juce::File& bundle)
{
    const auto manifest = bundle.getChildFile ("manifest.ttl").loadFileAsString().toStdString();
    // A subject declared as a plug-in: <uri> a lv2:Plugin
    static const std::regex pluginSubject (R"(<([^>]+)>\s+a\s+lv2:Plugin\b)");

    juce::StringArray uris;

    for (std::sregex_iterator match (manifest.begin(), manifest.end(), pluginSubject), end; match != end; ++match)
        uris.addIfNotAlreadyThere (juce::String ((*match)[1].str()));

    return uris;
}
