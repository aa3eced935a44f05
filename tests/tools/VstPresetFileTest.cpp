#include "ToolError.h"
#include "VstPresetFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
    VstPresetFile sample (bool isBank)
    {
        VstPresetFile preset;
        preset.isBank = isBank;
        preset.fxId = VstPresetFile::fourCharacterCode ("Hx4n");
        preset.fxVersion = 0x020301;
        preset.count = isBank ? 16 : 1224;
        preset.currentProgram = isBank ? 5 : VstPresetFile::unknownProgram;
        preset.programName = isBank ? juce::String() : juce::String ("Swoosh");
        const char chunk[] = "chunk bytes";
        preset.chunk.append (chunk, sizeof (chunk));
        return preset;
    }

    juce::int32 wordAt (const juce::MemoryBlock& data, size_t offset)
    {
        return (juce::int32) juce::ByteOrder::bigEndianInt (static_cast<const char*> (data.getData()) + offset);
    }
}

TEST (VstPresetFile, WritesThePublicBigEndianLayout)
{
    for (const bool isBank : { true, false })
    {
        const auto data = sample (isBank).serialise();
        const auto headerSize = isBank ? VstPresetFile::bankHeaderSize : VstPresetFile::programHeaderSize;

        ASSERT_EQ (data.getSize(), headerSize + 12);
        EXPECT_EQ (wordAt (data, 0), VstPresetFile::fourCharacterCode ("CcnK"));
        EXPECT_EQ (wordAt (data, 4), (juce::int32) data.getSize() - 8);
        EXPECT_EQ (wordAt (data, 8), VstPresetFile::fourCharacterCode (isBank ? "FBCh" : "FPCh"));
        EXPECT_EQ (wordAt (data, 16), VstPresetFile::fourCharacterCode ("Hx4n"));
        EXPECT_EQ (wordAt (data, 20), 0x020301);
        EXPECT_EQ (wordAt (data, 24), isBank ? 16 : 1224);
        EXPECT_EQ (wordAt (data, headerSize - 4), 12);
        EXPECT_EQ (juce::String (static_cast<const char*> (data.getData()) + headerSize), "chunk bytes");
    }
}

TEST (VstPresetFile, ReadsBackWhatItWrites)
{
    for (const bool isBank : { true, false })
    {
        const auto written = sample (isBank);
        const auto read = VstPresetFile::parse (written.serialise());

        EXPECT_EQ (read.isBank, isBank);
        EXPECT_EQ (read.fxId, written.fxId);
        EXPECT_EQ (read.fxVersion, written.fxVersion);
        EXPECT_EQ (read.count, written.count);
        EXPECT_EQ (read.currentProgram, written.currentProgram);
        EXPECT_EQ (read.programName, written.programName);
        EXPECT_EQ (read.chunk, written.chunk);
    }
}

TEST (VstPresetFile, RefusesWhatItCannotLoad)
{
    auto cut = sample (true).serialise();
    cut.setSize (cut.getSize() - 1);

    const auto withMagic = [] (const char* magic)
    {
        auto data = sample (false).serialise();
        std::memcpy (static_cast<char*> (data.getData()) + 8, magic, 4);
        return data;
    };

    for (const auto& [data, message] : { std::pair { cut, "cut short" }, std::pair { withMagic ("XXXX"), "unknown kind" },
                                         std::pair { withMagic ("FxCk"), "not supported" } })
    {
        try
        {
            VstPresetFile::parse (data);
            ADD_FAILURE() << "accepted: " << message;
        }
        catch (const ToolError& error)
        {
            EXPECT_NE (std::string (error.what()).find (message), std::string::npos) << error.what();
        }
    }
}
