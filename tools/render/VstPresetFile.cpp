#include "VstPresetFile.h"

#include "ToolError.h"

#include <cstring>

namespace
{
    constexpr size_t wordSize = 4;
    constexpr size_t magicOffset = 8;
    constexpr size_t versionOffset = 12;
    constexpr size_t fxIdOffset = 16;
    constexpr size_t fxVersionOffset = 20;
    constexpr size_t countOffset = 24;
    constexpr size_t nameOrReservedOffset = 28;
    constexpr juce::int32 programFormatVersion = 1;
    constexpr juce::int32 bankFormatVersion = 2;
    constexpr size_t byteSizeExcluded = 8; // the byte size counts from after itself

    juce::int32 readWord (const juce::MemoryBlock& data, size_t offset)
    {
        return (juce::int32) juce::ByteOrder::bigEndianInt (static_cast<const char*> (data.getData()) + offset);
    }

    void writeWord (juce::MemoryOutputStream& out, juce::int32 value)
    {
        out.writeIntBigEndian (value);
    }
}

juce::int32 VstPresetFile::fourCharacterCode (const char* code)
{
    return (juce::int32) juce::ByteOrder::bigEndianInt (code);
}

bool VstPresetFile::looksLikePreset (const juce::MemoryBlock& data)
{
    return data.getSize() >= wordSize && readWord (data, 0) == fourCharacterCode ("CcnK");
}

VstPresetFile VstPresetFile::parse (const juce::MemoryBlock& data)
{
    if (! looksLikePreset (data) || data.getSize() < magicOffset + wordSize)
        throw ToolError ("not a VST 2 preset file");

    const auto magic = readWord (data, magicOffset);
    VstPresetFile preset;

    if (magic == fourCharacterCode ("FPCh"))
        preset.isBank = false;
    else if (magic == fourCharacterCode ("FBCh"))
        preset.isBank = true;
    else if (magic == fourCharacterCode ("FxCk") || magic == fourCharacterCode ("FxBk"))
        throw ToolError ("presets that list parameter values (FxCk, FxBk) are not supported, only chunk presets");
    else
        throw ToolError ("unknown kind of VST 2 preset");

    const auto headerSize = preset.isBank ? bankHeaderSize : programHeaderSize;

    if (data.getSize() < headerSize)
        throw ToolError ("the preset file is cut short");

    preset.fxId = readWord (data, fxIdOffset);
    preset.fxVersion = readWord (data, fxVersionOffset);
    preset.count = readWord (data, countOffset);

    if (preset.isBank)
    {
        // Only a version 2 bank says which program was current.
        preset.currentProgram = readWord (data, versionOffset) >= bankFormatVersion
                                    ? readWord (data, nameOrReservedOffset) : unknownProgram;
    }
    else
    {
        const auto* name = static_cast<const char*> (data.getData()) + nameOrReservedOffset;
        preset.programName = juce::String::fromUTF8 (name, (int) strnlen (name, programNameBytes));
    }

    const auto chunkSize = readWord (data, headerSize - wordSize);

    if (chunkSize < 0 || (size_t) chunkSize > data.getSize() - headerSize)
        throw ToolError ("the preset file is cut short: its chunk is missing bytes");

    preset.chunk.replaceAll (static_cast<const char*> (data.getData()) + headerSize, (size_t) chunkSize);
    return preset;
}

juce::MemoryBlock VstPresetFile::serialise() const
{
    const auto headerSize = isBank ? bankHeaderSize : programHeaderSize;
    juce::MemoryOutputStream out;

    writeWord (out, fourCharacterCode ("CcnK"));
    writeWord (out, (juce::int32) (headerSize + chunk.getSize() - byteSizeExcluded));
    writeWord (out, fourCharacterCode (isBank ? "FBCh" : "FPCh"));
    writeWord (out, isBank ? bankFormatVersion : programFormatVersion);
    writeWord (out, fxId);
    writeWord (out, fxVersion);
    writeWord (out, count);

    if (isBank)
    {
        writeWord (out, currentProgram);
        out.writeRepeatedByte (0, (size_t) bankReservedBytes - wordSize);
    }
    else
    {
        char name[programNameBytes] = {};
        programName.copyToUTF8 (name, programNameBytes);
        out.write (name, programNameBytes);
    }

    writeWord (out, (juce::int32) chunk.getSize());
    out.write (chunk.getData(), chunk.getSize());
    return out.getMemoryBlock();
}
