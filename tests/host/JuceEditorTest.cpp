// The built plug-ins' editors, opened through JUCE's plug-in hosting in real windows while audio
// is processed. Needs a display (labelled "display"; scripts/test.sh gives it Xvfb).

#include "JucePluginLoader.h"
#include "XErrorsIgnored.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
    void runMessageLoop (int milliseconds)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
    }

    class JuceEditor : public testing::TestWithParam<PluginFormatUnderTest> {};
}

TEST_P (JuceEditor, OpensAt525By633OnTheDesktopWhileAudioRunsAndClosesCleanly)
{
    juce::String error;
    auto plugin = loadPlugin (GetParam(), error);
    ASSERT_NE (plugin, nullptr) << error;
    ASSERT_TRUE (plugin->hasEditor());

    plugin->prepareToPlay (48000.0, 512);
    std::atomic<bool> running { true };
    std::thread audio ([&] {
        juce::AudioBuffer<float> buffer (2, 512);
        juce::MidiBuffer midi;
        while (running)
        {
            buffer.clear();
            plugin->processBlock (buffer, midi);
        }
    });

    for (int cycle = 0; cycle < 3; ++cycle)
    {
        // Unloading a scanned copy of the plug-in puts Xlib's default handler back, so ours is set
        // again before every window.
        ignoreXErrors();
        std::unique_ptr<juce::AudioProcessorEditor> editor (plugin->createEditorIfNeeded());
        ASSERT_NE (editor, nullptr);
        editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar);
        ignoreXErrors();
        editor->setVisible (true);
        runMessageLoop (300);

        EXPECT_EQ (editor->getWidth(), 525) << "cycle " << cycle;
        EXPECT_EQ (editor->getHeight(), 633) << "cycle " << cycle;
        EXPECT_TRUE (editor->isShowing());
        editor.reset();
        runMessageLoop (50);
    }

    running = false;
    audio.join();
    plugin->releaseResources();
}

INSTANTIATE_TEST_SUITE_P (Formats, JuceEditor, testing::ValuesIn (builtPluginFormats()),
                          [] (const auto& info) { return std::string (info.param.name); });

int main (int argc, char** argv)
{
    testing::InitGoogleTest (&argc, argv);
    juce::ScopedJuceInitialiser_GUI juce;
    return RUN_ALL_TESTS();
}
