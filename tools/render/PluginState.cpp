#include "PluginState.h"

#include "ToolError.h"
#include "VstPresetFile.h"

#include <cstring>

namespace
{
    const char* const vst3StateTag = "IComponent";
    const char* const vst3StateRoot = "VST3PluginState";
    const char* const juceTrailerIdentifier = "JUCEPrivateData";
    const char* const lv2ChunkProperty = ":StateString>";
    constexpr int versionParts = 3;
    constexpr int versionPartBits = 8;
    constexpr int versionPartMask = 0xff;

    std::string path (const juce::File& file) { return file.getFullPathName().toStdString(); }
}

void PluginState::load (juce::AudioPluginInstance& plugin, const juce::File& file)
{
    juce::MemoryBlock data;

    if (! file.existsAsFile() || ! file.loadFileAsData (data))
        throw ToolError ("cannot read the state file " + path (file));

    if (data.isEmpty())
        throw ToolError ("the state file " + path (file) + " is empty");

    if (! VstPresetFile::looksLikePreset (data))
    {
        loadChunk (plugin, data, false, file);
        return;
    }

    VstPresetFile preset;

    try
    {
        preset = VstPresetFile::parse (data);
    }
    catch (const ToolError& error)
    {
        throw ToolError (path (file) + ": " + error.what());
    }

    const auto& description = plugin.getPluginDescription();

    if (formatOf (plugin) == "VST" && preset.fxId != 0 && preset.fxId != description.uniqueId)
        throw ToolError (path (file) + " is a preset of another plug-in (ID "
                         + juce::String::toHexString (preset.fxId).toStdString() + ")");

    loadChunk (plugin, preset.chunk, ! preset.isBank, file);

    // The bank numbers programs as the plug-in does; an LV2 host lists them in an order of its own.
    if (preset.isBank && formatOf (plugin) != "LV2"
        && juce::isPositiveAndBelow ((int) preset.currentProgram, plugin.getNumPrograms()))
        plugin.setCurrentProgram (preset.currentProgram);
}

void PluginState::loadChunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk, bool program,
                             const juce::File& file)
{
    if (program && formatOf (plugin) != "VST")
        throw ToolError ("a single program (.fxp) loads only into a VST 2 plug-in; use a bank (.fxb)");

    // A plug-in answers nothing when it refuses a chunk; it just keeps the state it had.
    const auto before = getChunk (plugin, program);
    setChunk (plugin, chunk, program);

    if (chunk != before && getChunk (plugin, program) == before)
        throw ToolError ("the plug-in refused the state in " + path (file) + " (not its own, or from a newer version)");
}

juce::MemoryBlock PluginState::serialise (juce::AudioPluginInstance& plugin, const juce::File& file)
{
    const bool asBank = file.hasFileExtension ("fxb");
    const bool asProgram = file.hasFileExtension ("fxp");

    if (! asBank && ! asProgram)
        return getChunk (plugin, false);

    const auto& description = plugin.getPluginDescription();
    VstPresetFile preset;
    preset.isBank = asBank;
    preset.fxId = formatOf (plugin) == "VST" ? description.uniqueId : 0;
    preset.fxVersion = fxVersionOf (description);
    preset.count = asBank ? plugin.getNumPrograms() : plugin.getParameters().size();
    preset.currentProgram = plugin.getCurrentProgram();
    preset.programName = plugin.getProgramName (plugin.getCurrentProgram());
    preset.chunk = getChunk (plugin, asProgram);
    return preset.serialise();
}

juce::MemoryBlock PluginState::getChunk (juce::AudioPluginInstance& plugin, bool program)
{
    const auto format = formatOf (plugin);

    if (format == "VST")
    {
        juce::MemoryBlock chunk;

        if (! juce::VSTPluginFormat::getChunkData (&plugin, chunk, program) || chunk.isEmpty())
            throw ToolError ("the plug-in gives no state chunk");

        return chunk;
    }

    if (program)
        throw ToolError ("a single program's chunk is only available from a VST 2 plug-in; save a bank (.fxb)");

    if (format == "VST3")
        return getVst3Chunk (plugin);

    if (format == "LV2")
        return getLv2Chunk (plugin);

    throw ToolError ("cannot take the state chunk of a " + format.toStdString() + " plug-in");
}

void PluginState::setChunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk, bool program)
{
    const auto format = formatOf (plugin);

    if (format == "VST")
    {
        juce::VSTPluginFormat::setChunkData (&plugin, chunk.getData(), (int) chunk.getSize(), program);
        return;
    }

    if (program)
        throw ToolError ("a single program (.fxp) loads only into a VST 2 plug-in; use a bank (.fxb)");

    if (format == "VST3")
        setVst3Chunk (plugin, chunk);
    else if (format == "LV2")
        setLv2Chunk (plugin, chunk);
    else
        throw ToolError ("cannot load a state chunk into a " + format.toStdString() + " plug-in");
}

juce::String PluginState::formatOf (juce::AudioPluginInstance& plugin)
{
    return plugin.getPluginDescription().pluginFormatName;
}

juce::int32 PluginState::fxVersionOf (const juce::PluginDescription& description)
{
    // "2.3.1" is 0x020301, the way VST 2 plug-ins number their versions.
    juce::StringArray parts;
    parts.addTokens (description.version, ".", {});
    juce::int32 version = 0;

    for (int i = 0; i < versionParts; ++i)
        version = (version << versionPartBits) | (parts[i].getIntValue() & versionPartMask);

    return version;
}

//==============================================================================
juce::MemoryBlock PluginState::getVst3Chunk (juce::AudioPluginInstance& plugin)
{
    juce::MemoryBlock hostState;
    plugin.getStateInformation (hostState);
    const auto xml = juce::AudioProcessor::getXmlFromBinary (hostState.getData(), (int) hostState.getSize());
    const auto* component = xml != nullptr ? xml->getChildByName (vst3StateTag) : nullptr;
    juce::MemoryBlock state;

    if (component == nullptr || ! state.fromBase64Encoding (component->getAllSubText()) || state.isEmpty())
        throw ToolError ("the VST 3 plug-in gives no state");

    return withoutJuceTrailer (state);
}

void PluginState::setVst3Chunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk)
{
    juce::XmlElement xml (vst3StateRoot);
    xml.createNewChildElement (vst3StateTag)->addTextElement (chunk.toBase64Encoding());

    juce::MemoryBlock hostState;
    juce::AudioProcessor::copyXmlToBinary (xml, hostState);
    plugin.setStateInformation (hostState.getData(), (int) hostState.getSize());
}

juce::MemoryBlock PluginState::withoutJuceTrailer (const juce::MemoryBlock& state)
{
    // chunk, int64 0, private data, int64 size of the private data, "JUCEPrivateData"
    const auto identifierLength = std::strlen (juceTrailerIdentifier);
    const auto size = state.getSize();
    const auto* bytes = static_cast<const char*> (state.getData());

    if (size < identifierLength + 2 * sizeof (juce::int64)
        || std::memcmp (bytes + size - identifierLength, juceTrailerIdentifier, identifierLength) != 0)
        return state;

    const auto privateSize = (juce::uint64) juce::ByteOrder::littleEndianInt64 (bytes + size - identifierLength
                                                                               - sizeof (juce::int64));
    const auto trailerSize = privateSize + identifierLength + 2 * sizeof (juce::int64);

    if (trailerSize > size)
        return state;

    return { bytes, (size_t) (size - trailerSize) };
}

//==============================================================================
juce::MemoryBlock PluginState::getLv2Chunk (juce::AudioPluginInstance& plugin)
{
    juce::MemoryBlock hostState;
    plugin.getStateInformation (hostState);
    const auto turtle = hostState.toString();
    const auto text = findLv2ChunkText (turtle);
    juce::MemoryBlock chunk;

    if (text.isEmpty() || ! chunk.fromBase64Encoding (turtle.substring (text.getStart(), text.getEnd())))
        throw ToolError ("the LV2 plug-in's state holds no chunk");

    return chunk;
}

void PluginState::setLv2Chunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk)
{
    // The plug-in's current state with its chunk exchanged: the rest of it names the plug-in
    // and its ports as the host's LV2 library expects.
    juce::MemoryBlock hostState;
    plugin.getStateInformation (hostState);
    const auto turtle = hostState.toString();
    const auto text = findLv2ChunkText (turtle);

    if (text.isEmpty())
        throw ToolError ("the LV2 plug-in keeps no chunk in its state");

    const auto replaced = turtle.replaceSection (text.getStart(), text.getLength(), chunk.toBase64Encoding());
    plugin.setStateInformation (replaced.toRawUTF8(), (int) replaced.getNumBytesAsUTF8());
}

juce::Range<int> PluginState::findLv2ChunkText (const juce::String& turtle)
{
    const auto property = turtle.indexOf (lv2ChunkProperty);

    if (property < 0)
        return {};

    const auto open = turtle.indexOfChar (property, '"');
    const auto close = open < 0 ? -1 : turtle.indexOfChar (open + 1, '"');

    if (close < 0)
        return {};

    return { open + 1, close };
}
