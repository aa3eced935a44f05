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
    constexpr int initProgram = 15, hardLeftProgram = 2;

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
    EXPECT_NE (effect.flags & effFlagsHasEditor, 0);
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

TEST (Vst2Host, InitProgramPassesAudioThroughUnchangedInBlocksOfAnySize)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    plugin->dispatch (effSetProgram, 0, initProgram); // no points: nothing moves

    for (int numSamples : { 0, 1, 511, 512, 1000, 4096 })
        EXPECT_EQ (passThroughError (*plugin, numSamples), 0.0f) << numSamples << " samples";
}

TEST (Vst2Host, AcceptsBypassAndThenPassesAudioThroughUntouched)
{
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    plugin->dispatch (effSetProgram, 0, hardLeftProgram);

    EXPECT_EQ (plugin->dispatch (effSetBypass, 0, 1), 1);
    for (int block = 0; block < 4; ++block)
        EXPECT_EQ (passThroughError (*plugin, 700), 0.0f);

    EXPECT_EQ (plugin->dispatch (effSetBypass, 0, 0), 1);
    for (int block = 0; block < 3; ++block)
        passThroughError (*plugin, 700);
    EXPECT_GT (passThroughError (*plugin, 700), 0.1f); // panned hard left again
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
    // Offline, so host values apply at once instead of waiting out the hold of program 0.
    Vst2Plugin::LoadOptions options;
    options.offline = true;
    auto plugin = loadPlugin (options);
    ASSERT_NE (plugin, nullptr);
    plugin->resume();
    passThroughError (*plugin, 64); // the wrapper asks for the process level at the first call
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

    // With "Mix" at 0 the signal comes out dry, exactly, once the mix smoother has settled.
    effect.setParameter (&effect, 16, 0.0f);
    for (int block = 0; block < 100; ++block)
        passThroughError (*plugin, 512);
    EXPECT_EQ (passThroughError (*plugin, 256), 0.0f);
}

TEST (Vst2Host, AHostValueWrittenAfterAProgramChangeIsKept)
{
    constexpr int mix = 16;
    struct Case { bool offline; int program; float value; };

    for (auto c : { Case { true, 7, 0.25f }, Case { false, 4, 0.5f } })
    {
        Vst2Plugin::LoadOptions options;
        options.offline = c.offline;
        auto plugin = loadPlugin (options);
        ASSERT_NE (plugin, nullptr);
        plugin->resume();
        passThroughError (*plugin, 64);
        auto& effect = plugin->effect();

        plugin->dispatch (effSetProgram, 0, c.program);
        effect.setParameter (&effect, mix, c.value);
        for (int block = 0; block < 2; ++block)
            passThroughError (*plugin, 512);

        // Realtime the host's value still waits for the program's hold, but it is the value.
        EXPECT_EQ (effect.getParameter (&effect, mix), c.value) << (c.offline ? "offline" : "realtime");
        EXPECT_EQ (plugin->getString (effGetParamDisplay, mix), std::string (c.value == 0.25f ? "0.25" : "0.50"));
    }
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

namespace
{
    // Root mean square of samples [from, to) of a channel.
    double rms (const std::vector<float>& samples, size_t from, size_t to)
    {
        double sum = 0.0;
        for (size_t i = from; i < to; ++i)
            sum += (double) samples[i] * samples[i];
        return std::sqrt (sum / (double) (to - from));
    }
}

TEST (Vst2Host, PansASineAsTheDrawnWaveSays)
{
    constexpr double rate = 48000.0;
    auto plugin = loadPlugin();
    ASSERT_NE (plugin, nullptr);
    plugin->resume();

    // "Hard Left": one point at the top, so after the first blocks (the waves are drawn over two
    // processing calls) the whole signal goes left with the pan law's +3 dB.
    plugin->dispatch (effSetProgram, 0, hardLeftProgram);
    constexpr int block = 512;
    std::vector<float> in ((size_t) block), left ((size_t) block), right ((size_t) block);
    for (int i = 0; i < block; ++i)
        in[(size_t) i] = 0.5f * std::sin (2.0f * 3.14159265f * 440.0f * (float) i / (float) rate);
    for (int call = 0; call < 3; ++call)
        plugin->processStereo (in.data(), in.data(), left.data(), right.data(), block);

    for (int i = 0; i < block; ++i)
    {
        ASSERT_EQ (right[(size_t) i], 0.0f) << i;
        ASSERT_FLOAT_EQ (left[(size_t) i], 1.4142135f * in[(size_t) i]) << i;
    }

    // "Left to Right": beat synced over 2 bars, so 4 s per cycle at the 120 bpm a host without a
    // transport implies. Its curve is high (left) around a quarter of the cycle and low (right)
    // around three quarters.
    auto sweep = loadPlugin();
    ASSERT_NE (sweep, nullptr);
    sweep->resume();
    const size_t total = (size_t) (4.0 * rate);
    std::vector<float> sine (total), outLeft (total), outRight (total);
    for (size_t i = 0; i < total; ++i)
        sine[i] = 0.5f * std::sin (2.0f * 3.14159265f * 440.0f * (float) i / (float) rate);
    for (size_t at = 0; at < total; at += block)
        sweep->processStereo (sine.data() + at, sine.data() + at, outLeft.data() + at, outRight.data() + at, block);

    auto window = [&] (double seconds) { return (size_t) (seconds * rate); };
    const double quarterLeft = rms (outLeft, window (0.9), window (1.1));
    const double quarterRight = rms (outRight, window (0.9), window (1.1));
    const double threeQuarterLeft = rms (outLeft, window (2.9), window (3.1));
    const double threeQuarterRight = rms (outRight, window (2.9), window (3.1));
    EXPECT_GT (quarterLeft, 3.0 * quarterRight);
    EXPECT_GT (threeQuarterRight, 3.0 * threeQuarterLeft);
    // Equal power: the two gains squared always add up to 2.
    EXPECT_NEAR (quarterLeft * quarterLeft + quarterRight * quarterRight, 2.0 * rms (sine, window (0.9), window (1.1)) * rms (sine, window (0.9), window (1.1)), 1e-3);
}
