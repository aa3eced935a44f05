#pragma once

#include <juce_core/juce_core.h>

// A VST 2 preset file holding an opaque chunk: a single program (.fxp, 'FPCh') or a whole bank
// (.fxb, 'FBCh'). Big-endian header 'CcnK', byte size, fxMagic, version, fxID, fxVersion, count,
// then a 28-byte program name (.fxp) or 128 reserved bytes (.fxb), the chunk size and the chunk.
class VstPresetFile
{
public:
    bool isBank = true;
    juce::int32 fxId = 0;
    juce::int32 fxVersion = 0;
    juce::int32 count = 0;         // programs of a bank; parameters of a program
    static constexpr juce::int32 unknownProgram = -1;
    juce::int32 currentProgram = unknownProgram; // a version 2 bank keeps it in the reserved bytes
    juce::String programName;
    juce::MemoryBlock chunk;

    static bool looksLikePreset (const juce::MemoryBlock& data);

    // Throws ToolError for a file that is not a chunk preset or is cut short.
    static VstPresetFile parse (const juce::MemoryBlock& data);
    juce::MemoryBlock serialise() const;

    static juce::int32 fourCharacterCode (const char* code);

    static constexpr size_t programHeaderSize = 60;
    static constexpr size_t bankHeaderSize = 160;
    static constexpr int programNameBytes = 28;
    static constexpr int bankReservedBytes = 128;
};
