// Loads the built VST 2, VST 3 and LV2 plug-ins through JUCE's own plug-in hosting.

#include "JucePluginLoader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace
{
    using Format = PluginFormatUnderTest;

    class JuceHosting : public testing::TestWithParam<Format> {};
}

TEST_P (JuceHosting, LoadsTheBuiltPluginAndPansWithEqualPower)
{
    juce::String error;
    auto plugin = loadPlugin (GetParam(), error);
    ASSERT_NE (plugin, nullptr) << error;

    EXPECT_EQ (plugin->getName(), "Orvanta2");
    EXPECT_EQ (plugin->getPluginDescription().manufacturerName, "Vostrelle");
    if (GetParam().describesItselfFully)
    {
        EXPECT_TRUE (plugin->getPluginDescription().version.startsWith ("2.3.1"));
        EXPECT_DOUBLE_EQ (plugin->getTailLengthSeconds(), 15.0);
    }

    EXPECT_TRUE (plugin->acceptsMidi());
    EXPECT_FALSE (plugin->producesMidi());
    EXPECT_EQ (plugin->getTotalNumInputChannels(), 2);
    EXPECT_EQ (plugin->getTotalNumOutputChannels(), 2);

    // Besides the 1224, a format may add a bypass parameter, and VST 3 its program selector,
    // which is how VST 3 hosts switch programs; nothing else.
    auto parameters = plugin->getParameters();
    parameters.removeIf ([] (auto* p) { return p->getName (64) == "Bypass" || p->getName (64) == "Program"; });
    ASSERT_EQ (parameters.size(), 1224);
    EXPECT_LE (plugin->getParameters().size(), juce::String (GetParam().name) == "VST3" ? 1226 : 1225);

    EXPECT_EQ (parameters[0]->getName (64), "Loop Length");
    EXPECT_TRUE (parameters[14]->getName (64).startsWith ("Oscilloscope Zo"));
    EXPECT_EQ (parameters[1223]->getName (64), "Wave10.40 Type");
    if (GetParam().describesItselfFully)
        EXPECT_EQ (parameters[16]->getCurrentValueAsText(), "1.00"); // "Mix" of program 0

    parameters[16]->setValue (0.5f);
    EXPECT_FLOAT_EQ (parameters[16]->getValue(), 0.5f);
    parameters[16]->setValue (1.0f);

    // The same signal on both channels: whatever the LFO does, program 0 pans at full mix with
    // equal power, left² + right² = 2 · input².
    plugin->prepareToPlay (48000.0, 1000);
    juce::AudioBuffer<float> buffer (2, 1000);
    juce::MidiBuffer midi;
    float worst = 0.0f, largestGap = 0.0f;

    for (int block = 0; block < 10; ++block)
    {
        for (int i = 0; i < 1000; ++i)
            for (int channel = 0; channel < 2; ++channel)
                buffer.setSample (channel, i, std::sin (0.02f * (float) (1000 * block + i)));

        plugin->processBlock (buffer, midi);

        for (int i = 0; i < 1000; ++i)
        {
            const float in = std::sin (0.02f * (float) (1000 * block + i));
            const float l = buffer.getSample (0, i), r = buffer.getSample (1, i);
            worst = std::max (worst, std::abs (l * l + r * r - 2.0f * in * in));
            largestGap = std::max (largestGap, std::abs (l - r));
        }
    }

    plugin->releaseResources();
    EXPECT_LT (worst, 1e-5f);
    EXPECT_GT (largestGap, 0.01f) << "the signal moves between the channels";
}

// VST 3 hosts restore a saved state alone, without choosing a program afterwards. (LV2 hosts do
// too, but JUCE's own LV2 hosting restores almost nothing of any plug-in's state.)
class JuceHostingStateAlone : public JuceHosting {};

TEST_P (JuceHostingStateAlone, ARestoredStateIsOnItsProgramWithItsEditedValues)
{
    constexpr int program = 7, otherProgram = 2, speed = 5, mix = 16, firstPointY = 25;
    juce::String error;
    auto saved = loadPlugin (GetParam(), error);
    ASSERT_NE (saved, nullptr) << error;
    saved->setCurrentProgram (program);
    saved->getParameters()[mix]->setValue (0.3f);
    saved->getParameters()[firstPointY]->setValue (0.75f);

    juce::MemoryBlock state;
    saved->getStateInformation (state);

    auto restored = loadPlugin (GetParam(), error);
    ASSERT_NE (restored, nullptr) << error;
    restored->setCurrentProgram (otherProgram);
    restored->setStateInformation (state.getData(), (int) state.getSize());

    EXPECT_EQ (restored->getCurrentProgram(), program);
    EXPECT_EQ (restored->getProgramName (restored->getCurrentProgram()), "Slow Walker");
    EXPECT_FLOAT_EQ (restored->getParameters()[speed]->getValue(), 0.115f);   // the program's own value
    EXPECT_FLOAT_EQ (restored->getParameters()[mix]->getValue(), 0.3f);
    EXPECT_FLOAT_EQ (restored->getParameters()[firstPointY]->getValue(), 0.75f);
}

INSTANTIATE_TEST_SUITE_P (Formats, JuceHostingStateAlone,
                          testing::Values (builtPluginFormats()[1]),
                          [] (const auto& info) { return std::string (info.param.name); });

INSTANTIATE_TEST_SUITE_P (Formats, JuceHosting, testing::ValuesIn (builtPluginFormats()),
                          [] (const auto& info) { return std::string (info.param.name); });

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
