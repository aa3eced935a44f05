#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

// The plug-in's own state chunk, whatever format it is hosted in, and the files it travels in:
// VST 2 presets (.fxb for the bank, .fxp for the current program) or the bare bank chunk.
class PluginState
{
public:
    // Loads a .fxb/.fxp chunk preset, or a file holding just the bank chunk. Throws ToolError.
    static void load (juce::AudioPluginInstance& plugin, const juce::File& file);

    // The bytes of a state file for the name given: .fxb, .fxp, or else the bare bank chunk.
    static juce::MemoryBlock serialise (juce::AudioPluginInstance& plugin, const juce::File& file);

    // The plug-in's bank chunk, or the chunk of its current program.
    static juce::MemoryBlock getChunk (juce::AudioPluginInstance& plugin, bool program);
    static void setChunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk, bool program);

private:
    static void loadChunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk, bool program,
                           const juce::File& file);
    static juce::String formatOf (juce::AudioPluginInstance& plugin);
    static juce::int32 fxVersionOf (const juce::PluginDescription& description);

    // A VST 3 plug-in's component state: for a JUCE plug-in, the chunk and then JUCE's own
    // trailer; the host keeps it in an XML document.
    static juce::MemoryBlock getVst3Chunk (juce::AudioPluginInstance& plugin);
    static void setVst3Chunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk);
    static juce::MemoryBlock withoutJuceTrailer (const juce::MemoryBlock& state);

    // An LV2 JUCE plug-in keeps its chunk as one base64 string property of its Turtle state.
    static juce::MemoryBlock getLv2Chunk (juce::AudioPluginInstance& plugin);
    static void setLv2Chunk (juce::AudioPluginInstance& plugin, const juce::MemoryBlock& chunk);
    static juce::Range<int> findLv2ChunkText (const juce::String& turtle);
};
