// The editor base inside a processor: the mirror, the change queue, the registry, the GUI link.

#include "GuiTestProcessor.h"
#include "gui/TimerSlave.h"
#include "events/Event.h"
#include "events/EventKinds.h"

#include <gtest/gtest.h>

namespace
{
    using Log = std::vector<juce::String>;

    struct Editor : testing::Test
    {
        GuiTestProcessor processor;
        std::unique_ptr<AudioEditorHelpers> editor = processor.openEditor();
        Log log;

        LoggingControl& addControl (int index, const juce::String& name)
        {
            return editor->addToBackground (std::make_unique<LoggingControl> (*editor, index, log, name), 0, 0);
        }
    };

    struct GestureListener : juce::AudioProcessorParameter::Listener
    {
        void parameterValueChanged (int, float value) override { values.push_back (value); }
        void parameterGestureChanged (int, bool starting) override { gestures.push_back (starting); }
        std::vector<float> values;
        std::vector<bool> gestures;
    };
}

TEST_F (Editor, OpensAtTheBackgroundsSizeAndLinksTheGuiDispatcherWhileItExists)
{
    EXPECT_EQ (editor->getWidth(), 525);
    EXPECT_EQ (editor->getHeight(), 633);
    EXPECT_EQ (processor.getEventDispatcher().getPeer(), &editor->getGuiDispatcher());

    editor.reset();
    EXPECT_EQ (processor.getEventDispatcher().getPeer(), nullptr);
    processor.applyFromHost (GuiTestProcessor::continuous, 0.25f); // reported to no one
}

TEST_F (Editor, TheFirstTickShowsEveryCurrentValueAndReopeningStartsAFreshMirror)
{
    processor.applyFromHost (GuiTestProcessor::threeSteps, 0.5f);
    processor.applyFromHost (GuiTestProcessor::continuous, 0.25f);
    editor.reset();
    editor = processor.openEditor();
    addControl (GuiTestProcessor::threeSteps, "three");
    addControl (GuiTestProcessor::continuous, "level");
    addControl (GuiTestProcessor::placeholder, "reserved");
    editor->refresh();

    EXPECT_EQ (log, (Log { "three 1 step 1", "level 2=0.25" }));

    // What the old editor's mirror held is gone: the new one starts from the processor's values.
    editor->queueParameterValue (GuiTestProcessor::other, 0.75f);
    editor.reset();
    editor = processor.openEditor();
    ASSERT_NE (processor.getParameter (GuiTestProcessor::other), 0.75f);
    EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::other).value, processor.getParameter (GuiTestProcessor::other));
}

TEST_F (Editor, TheProcessorsOpeningValuesNeverOverwriteAChangeReportedMeanwhile)
{
    // A change applied while the editor opens is reported before the processor's opening value of it
    // reaches the mirror: the newer value stays, and the index is delivered once.
    editor.reset();
    editor = std::make_unique<AudioEditorHelpers> (processor);
    addControl (GuiTestProcessor::continuous, "level");
    editor->queueParameterValue (GuiTestProcessor::continuous, 0.9f);
    editor->seedParameterValue (GuiTestProcessor::continuous, 0.1f);
    editor->seedParameterValue (GuiTestProcessor::other, 0.3f);

    editor->refresh();
    EXPECT_EQ (log, Log { "level 2=0.9" });
    EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::other).value, 0.3f);
}

TEST_F (Editor, TenChangesBetweenTwoTicksArriveAsTenNotificationsOfTheLatestValue)
{
    editor->refresh(); // the opening values
    addControl (GuiTestProcessor::continuous, "level");

    // Ten host values, each applied by a drain of its own (a processing call each).
    for (int i = 1; i <= 10; ++i)
        processor.applyFromHost (GuiTestProcessor::continuous, 0.05f * (float) i);

    editor->refresh();
    EXPECT_EQ (log, Log (10, "level 2=0.5"));
}

TEST_F (Editor, AFullQueueDropsTheIndexButTheMirrorKeepsTheValue)
{
    editor->refresh();
    auto& level = addControl (GuiTestProcessor::continuous, "level");
    juce::ignoreUnused (level);

    for (int i = 0; i < EditorChangeQueue::capacity; ++i)
        editor->queueParameterValue (GuiTestProcessor::other, 0.1f);

    editor->queueParameterValue (GuiTestProcessor::continuous, 0.7f);
    EXPECT_EQ (editor->mirrorEntry (GuiTestProcessor::continuous).value, 0.7f);
    editor->refresh();
    EXPECT_TRUE (log.empty());

    editor->queueParameterValue (GuiTestProcessor::continuous, 0.8f);
    editor->refresh();
    EXPECT_EQ (log, Log { "level 2=0.8" });
}

TEST_F (Editor, AStepWriteSendsStepOverStepsAndExactlyOneForTheTopStep)
{
    struct Case { int index, step; float sent; };
    const Case cases[] = {
        { GuiTestProcessor::twoSteps, 1, 1.0f }, { GuiTestProcessor::twoSteps, 0, 0.0f },
        { GuiTestProcessor::threeSteps, 2, 1.0f }, { GuiTestProcessor::threeSteps, 1, 1.0f / 3.0f },
    };

    for (const auto& c : cases)
    {
        GestureListener host;
        auto* parameter = processor.getParameters()[c.index];
        parameter->addListener (&host);
        editor->setParameterStep (c.index, c.step);
        parameter->removeListener (&host);

        EXPECT_EQ (processor.getParameter (c.index), c.sent) << c.index << " step " << c.step;
        EXPECT_EQ (host.values, std::vector<float> { c.sent });
        EXPECT_TRUE (editor->mirrorEntry (c.index).isStep);
        EXPECT_EQ (editor->mirrorEntry (c.index).step, c.step);
    }
}

TEST_F (Editor, AWriteNotifiesEveryControlOfTheParameterInOrderWithinTheCall)
{
    addControl (GuiTestProcessor::continuous, "first");
    addControl (GuiTestProcessor::other, "elsewhere");
    addControl (GuiTestProcessor::continuous, "second");

    editor->setParameterValue (GuiTestProcessor::continuous, 0.5f);
    EXPECT_EQ (log, (Log { "first 2=0.5", "second 2=0.5" }));
    EXPECT_EQ (processor.getParameter (GuiTestProcessor::continuous), 0.5f);
}

TEST_F (Editor, GesturesOpenAndCloseTheHostsGesture)
{
    GestureListener host;
    processor.getParameters()[GuiTestProcessor::continuous]->addListener (&host);
    editor->beginGesture (GuiTestProcessor::continuous);
    editor->endGesture (GuiTestProcessor::continuous);
    processor.getParameters()[GuiTestProcessor::continuous]->removeListener (&host);
    EXPECT_EQ (host.gestures, (std::vector<bool> { true, false }));
}

TEST_F (Editor, TheTickTicksTimerSlavesInOrderAfterDeliveringAndStartShowsTheTip)
{
    struct Slave : TimerSlave
    {
        Slave (ControlEditor& e, Log& l, juce::String n) : TimerSlave (e), log (l), name (std::move (n)) {}
        void tick() override { log.push_back (name); }
        Log& log;
        juce::String name;
    };

    struct TipReader : EventHandler
    {
        using EventHandler::EventHandler;
        void respond (const Event& e) override { text = e.getString(); }
        juce::String text;
    } tips (editor->getGuiDispatcher());
    tips.subscribe (EventKinds::statusText);

    Slave a (*editor, log, "a"), b (*editor, log, "b");
    addControl (GuiTestProcessor::continuous, "level");
    editor->refresh();
    ASSERT_EQ (log.size(), 3u);
    EXPECT_TRUE (log[0].startsWith ("level 2="));
    EXPECT_EQ (log[1], "a");
    EXPECT_EQ (log[2], "b");

    editor->getGuiDispatcher().deliverQueued();
    EXPECT_EQ (tips.text, "tip");
}

TEST_F (Editor, DisablingAParametersControlsDisablesEachOfThem)
{
    auto& first = addControl (GuiTestProcessor::continuous, "first");
    auto& second = addControl (GuiTestProcessor::continuous, "second");
    editor->setParameterControlsEnabled (GuiTestProcessor::continuous, false);
    EXPECT_FALSE (first.isEnabled());
    EXPECT_FALSE (second.isEnabled());
}

TEST_F (Editor, PaintsTheBackgroundArtwork)
{
    const auto snapshot = editor->createComponentSnapshot (editor->getLocalBounds());
    const auto& background = editor->getBackground().getImage();

    for (auto [x, y] : { std::pair { 0, 0 }, { 340, 20 }, { 100, 300 }, { 524, 632 } })
        EXPECT_EQ (snapshot.getPixelAt (x, y).getARGB(), background.getPixelAt (x, y).getARGB()) << x << ", " << y;
}
