// Loads the built Orvanta2.so through the project's own VST 2 host, as a DAW would.

#include "Vst2Plugin.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace
{
    constexpr const char* pluginPath = ORVANTA_VST2_PLUGIN;

    std::unique_ptr<Vst2Plugin> loadPlugin (Vst2Plugin::LoadOptions options = {})
    {
        std::string error;
        auto plugin = Vst2Plugin::load (pluginPath, options, error);
        EXPECT_NE (plugin, nullptr) << error;
        return plugin;
    }

    int fourCharacterCode (const char (&code)[5])
    {
        return (code[0] << 24) | (code[1] << 16) | (code[2] << 8) | code[3];
    }

    // Processes a stereo test signal and returns the largest difference between output and input.
    float passThroughError (Vst2Plugin& plugin, int numSamples)
    {
        std::vector<float> left ((size_t) numSamples + 1), right ((size_t) numSamples + 1);
        for (size_t i = 0; i < left.size(); ++i)
        {
            left[i] = std::sin (0.05f * (float) i);
            right[i] = -0.25f + 0.001f * (float) i;
        }

        // Outputs pre-filled with garbage, so a plug-in that writes nothing fails.
        std::vector<float> outLeft (left.size(), 9.0f), outRight (left.size(), 9.0f);
        plugin.processStereo (left.data(), right.data(), outLeft.data(), outRight.data(), numSamples);

        float worst = 0.0f;
        for (size_t i = 0; i < (size_t) numSamples; ++i)
            worst = std::max ({ worst, std::abs (outLeft[i] - left[i]), std::abs (outRight[i] - right[i]) });

        // Nothing is written past the end of the block.
        EXPECT_EQ (outLeft[(size_t) numSamples], 9.0f);
        return worst;
    }
}

TEST (Vst2Host, BothEntryPointsCreateAnEffectOnlyForAHostThatReportsAVersion)
{
    for (auto entry : { Vst2Plugin::Entry::vstPluginMain, Vst2Plugin::Entry::main })
    {
        Vst2Plugin::LoadOptions options;
        options.entry = entry;
        std::string error;

        options.hostVersion = 0;
        EXPECT_FALSE (Vst2Plugin::entryCreatesEffect (pluginPath, options, error));

        options.hostVersion = 2400;
        EXPECT_TRUE (Vst2Plugin::entryCreatesEffect (pluginPath, options, error)) << error;
    }
}

TEST (Vst2Host, ReportsTheIdentityAndCapabilities)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    auto& effect = plugin->effect();

    EXPECT_EQ (plugin->getString (effGetEffectName), "Orvanta2");
    EXPECT_EQ (plugin->getString (effGetProductString), "Orvanta2");
    EXPECT_EQ (plugin->getString (effGetVendorString), "Vostrelle");
    EXPECT_EQ (plugin->dispatch (effGetVendorVersion), 131841);
    EXPECT_EQ (effect.version, 131841);
    EXPECT_EQ (effect.uniqueID, fourCharacterCode ("Hx4n"));
    EXPECT_EQ (plugin->dispatch (effGetVstVersion), 2400);
    EXPECT_EQ (plugin->dispatch (effGetPlugCategory), kPlugCategEffect);
    EXPECT_EQ (effect.numInputs, 2);
    EXPECT_EQ (effect.numOutputs, 2);
    EXPECT_EQ (effect.initialDelay, 0);

    EXPECT_NE (effect.flags & effFlagsCanReplacing, 0);
    EXPECT_NE (effect.flags & effFlagsProgramChunks, 0);
    EXPECT_EQ (effect.flags & effFlagsIsSynth, 0);
    EXPECT_EQ (effect.flags & effFlagsCanDoubleReplacing, 0);
    EXPECT_EQ (effect.flags & effFlagsHasEditor, 0); // no editor yet
}

TEST (Vst2Host, AnswersCanDoQueries)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);

    const std::pair<const char*, int> answers[] = {
        { "receiveVstEvents", 1 }, { "receiveVstMidiEvent", 1 }, { "receiveVstMidiEvents", 1 },
        { "sendVstEvents", -1 }, { "sendVstMidiEvent", -1 }, { "sendVstMidiEvents", -1 },
        { "receiveVstTimeInfo", 1 }, { "conformsToWindowRules", 1 }, { "bypass", 1 },
        { "openCloseAnyThread", -1 }, { "offline", 0 }, { "sendVstTimeInfo", 0 }, { "midiProgramNames", 0 },
    };

    for (auto& [query, answer] : answers)
        EXPECT_EQ (plugin->canDo (query), answer) << query;
}

TEST (Vst2Host, LabelsItsPinsByChannelNumberAsAStereoPair)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);

    for (bool input : { true, false })
        for (int index : { 0, 1 })
        {
            std::string label;
            int flags = 0;
            ASSERT_TRUE (plugin->getPinLabel (input, index, label, flags));
            EXPECT_EQ (label, std::to_string (index + 1));
            EXPECT_NE (flags & kVstPinIsActive, 0);
            EXPECT_EQ ((flags & kVstPinIsStereo) != 0, index == 0); // marks the first of the pair
        }

    std::string label;
    int flags = 0;
    EXPECT_FALSE (plugin->getPinLabel (true, 2, label, flags));
}

TEST (Vst2Host, ReportsA15SecondTailAtTheCurrentRate)
{
    for (double rate : { 48000.0, 44100.0 })
    {
        Vst2Plugin::LoadOptions options;
        options.sampleRate = rate;
        auto plugin = loadPlugin (options);
        ASSERT_NE (plugin, nullptr);
        plugin->resume();
        EXPECT_EQ (plugin->dispatch (effGetTailSize), (t_fstPtrInt) (15 * rate));
    }
}

TEST (Vst2Host, PassesAudioThroughUnchangedInBlocksOfAnySize)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();

    for (int numSamples : { 0, 1, 511, 512, 1000, 4096 })
        EXPECT_EQ (passThroughError (*plugin, numSamples), 0.0f) << numSamples << " samples";
}

TEST (Vst2Host, AcceptsBypassAndStillPassesAudioThrough)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();

    EXPECT_EQ (plugin->dispatch (effSetBypass, 0, 1), 1);
    EXPECT_EQ (passThroughError (*plugin, 700), 0.0f);
    EXPECT_EQ (plugin->dispatch (effSetBypass, 0, 0), 1);
    EXPECT_EQ (passThroughError (*plugin, 700), 0.0f);
}

TEST (Vst2Host, Lists1224AutomatableParametersWithShortNamesAndTwoDecimalTexts)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    ASSERT_EQ (plugin->effect().numParams, 1224);

    const std::pair<int, const char*> names[] = {
        { 0, "Loop Length" }, { 3, "X (Reserved)" }, { 14, "Oscilloscope Zo" }, { 16, "Mix" },
        { 24, "Wave1.1 X" }, { 25, "Wave1.1 Y" }, { 623, "Wave10.20 Type" }, { 624, "Wave1.21 X" },
        { 1223, "Wave10.40 Type" },
    };

    for (auto& [index, name] : names)
    {
        EXPECT_EQ (plugin->getString (effGetParamName, index), name) << index;
        EXPECT_EQ (plugin->getString (effGetParamLabel, index), "") << index;
        EXPECT_EQ (plugin->dispatch (effCanBeAutomated, index), 1) << index;
    }
}

TEST (Vst2Host, ParameterValuesRoundTripThroughTheHostInterface)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    auto& effect = plugin->effect();

    const std::pair<int, float> writes[] = { { 16, 0.25f }, { 4, 3.0f / 7.0f }, { 3, 0.7f }, { 1000, 1.0f } };
    for (auto& [index, value] : writes)
        effect.setParameter (&effect, index, value);

    for (auto& [index, value] : writes)
        EXPECT_EQ (effect.getParameter (&effect, index), value) << index;

    EXPECT_EQ (plugin->getString (effGetParamDisplay, 16), "0.25");
    EXPECT_EQ (plugin->getString (effGetParamDisplay, 4), "0.43");
    EXPECT_EQ (plugin->getString (effGetParamDisplay, 1000), "1.00");

    effect.setParameter (&effect, 16, 2.0f); // out of range: clamped
    EXPECT_EQ (effect.getParameter (&effect, 16), 1.0f);

    // Audio still passes through after the queued changes are applied.
    EXPECT_EQ (passThroughError (*plugin, 256), 0.0f);
}

TEST (Vst2Host, ShowsSixteenProgramsAndSavesAndRestoresThemAsChunks)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    auto& effect = plugin->effect();

    EXPECT_EQ (effect.numPrograms, 16);
    EXPECT_EQ (plugin->dispatch (effGetProgram), 0);
    EXPECT_EQ (plugin->getString (effGetProgramName), "Left to Right");
    EXPECT_EQ (plugin->getString (effGetProgramNameIndexed, 14), "Shrill");
    EXPECT_EQ (plugin->getString (effGetProgramNameIndexed, 16), "");

    plugin->dispatch (effSetProgram, 0, 5);
    EXPECT_EQ (plugin->getString (effGetProgramName), "Swoosh");
    effect.setParameter (&effect, 16, 0.25f);

    void* data = nullptr;
    const auto bankSize = plugin->dispatch (effGetChunk, 0, 0, &data);
    ASSERT_EQ (bankSize, 78788);
    const std::vector<char> bank ((const char*) data, (const char*) data + bankSize);
    const auto presetSize = plugin->dispatch (effGetChunk, 1, 0, &data);
    EXPECT_EQ (presetSize, 4924);

    // A second instance, as when the project is opened again. The bank does not say which
    // program was current: hosts restore that themselves.
    auto reopened = loadPlugin();
    ASSERT_NE (reopened, nullptr);
    reopened->dispatch (effSetChunk, 0, bankSize, const_cast<char*> (bank.data()));
    reopened->dispatch (effSetProgram, 0, 5);
    EXPECT_EQ (reopened->getString (effGetProgramName), "Swoosh");
    EXPECT_EQ (reopened->effect().getParameter (&reopened->effect(), 16), 0.25f);

    void* again = nullptr;
    ASSERT_EQ (reopened->dispatch (effGetChunk, 0, 0, &again), 78788);
    EXPECT_EQ (std::memcmp (again, bank.data(), bank.size()), 0);
}
