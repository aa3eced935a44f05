#include "events/ActionEvent.h"
#include "events/EventDispatcherAudio.h"
#include "events/EventDispatcherGui.h"
#include "events/EventHandler.h"
#include "events/IntEvent.h"
#include "events/StringEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace
{
    // Records "name:kind" for every event it receives into a log shared by several responders.
    class Recorder : public EventHandler
    {
    public:
        Recorder (EventDispatcher& dispatcher, std::vector<std::string>& sharedLog, std::string responderName)
            : EventHandler (dispatcher), log (sharedLog), name (std::move (responderName))
        {
        }

        void respond (const Event& event) override
        {
            log.push_back (name + ":" + std::to_string (event.getKind()));
            last.reset (new StringEvent (event.getKind(), event.getString()));
            lastInt = event.getInt();
            lastInt2 = event.getInt2();
            lastFlag = event.getBool();
        }

        std::vector<std::string>& log;
        std::string name;
        std::unique_ptr<Event> last;
        int lastInt = 0, lastInt2 = 0;
        bool lastFlag = false;
    };

    struct LinkedDispatchers : testing::Test
    {
        LinkedDispatchers() { EventDispatcher::link (audio, gui); }
        ~LinkedDispatchers() override { EventDispatcher::unlink (audio, gui); }

        EventDispatcherAudio audio;
        EventDispatcherGui gui;
        std::vector<std::string> log;
    };
}

TEST (EventDispatcherAudio, DeliversAtOnceInSubscriptionOrderAndOnlyToTheKind)
{
    EventDispatcherAudio audio;
    std::vector<std::string> log;
    Recorder a (audio, log, "a"), b (audio, log, "b");
    b.subscribe (4);
    a.subscribe (4);
    a.subscribe (4);
    a.subscribe (19);

    a.postString (4, {});
    a.postAction (7); // nobody subscribed

    EXPECT_EQ (log, (std::vector<std::string> { "b:4", "a:4", "a:4" }));
}

TEST_F (LinkedDispatchers, AudioSidePostReachesAudioRespondersNowAndGuiRespondersAtTheTick)
{
    Recorder processorSide (audio, log, "audio"), editorSide (gui, log, "gui");
    processorSide.subscribe (4);
    editorSide.subscribe (4);

    processorSide.postString (4, {});
    EXPECT_EQ (log, (std::vector<std::string> { "audio:4" }));

    gui.deliverQueued();
    EXPECT_EQ (log, (std::vector<std::string> { "audio:4", "gui:4" }));

    // The copy the GUI side delivered was not forwarded back.
    gui.deliverQueued();
    EXPECT_EQ (log.size(), 2u);
}

TEST_F (LinkedDispatchers, GuiSidePostReachesAudioSubscribersFirstAtTheNextTick)
{
    Recorder processorSide (audio, log, "audio"), editorSide (gui, log, "gui");
    processorSide.subscribe (57);
    editorSide.subscribe (57);

    editorSide.postAction (57);
    EXPECT_TRUE (log.empty());

    gui.deliverQueued();
    EXPECT_EQ (log, (std::vector<std::string> { "audio:57", "gui:57" }));
}

TEST_F (LinkedDispatchers, DeliversByTypeActionsThenIntsThenStringsEachInPostingOrder)
{
    Recorder editorSide (gui, log, "gui");
    for (int kind : { 1, 2, 3, 4, 5 })
        editorSide.subscribe (kind);

    editorSide.postString (1, "first");
    editorSide.postEvent (IntEvent (2, 0), true);
    editorSide.postAction (3);
    editorSide.postEvent (IntEvent (4, 0), true);
    editorSide.postAction (5);
    gui.deliverQueued();

    EXPECT_EQ (log, (std::vector<std::string> { "gui:3", "gui:5", "gui:2", "gui:4", "gui:1" }));
}

TEST_F (LinkedDispatchers, QueuedEventsKeepTheirFields)
{
    Recorder editorSide (gui, log, "gui");
    editorSide.subscribe (8);
    editorSide.subscribe (1);

    editorSide.postEvent (IntEvent (8, -5, 77, true), true);
    editorSide.postString (1, "Loaded preset.");
    gui.deliverQueued();

    EXPECT_EQ (editorSide.lastInt, 0); // the string event came last and has no integers
    EXPECT_EQ (editorSide.last->getString(), "Loaded preset.");

    editorSide.postEvent (IntEvent (8, -5, 77, true), true);
    gui.deliverQueued();
    EXPECT_EQ (editorSide.lastInt, -5);
    EXPECT_EQ (editorSide.lastInt2, 77);
    EXPECT_TRUE (editorSide.lastFlag);
}

TEST_F (LinkedDispatchers, AFullQueueDropsOnlyNewEventsOfItsOwnType)
{
    Recorder editorSide (gui, log, "gui");
    editorSide.subscribe (1);
    editorSide.subscribe (19);

    for (int i = 0; i < EventQueue::capacity + 1; ++i)
        editorSide.postString (1, juce::String (i));
    editorSide.postAction (19);
    gui.deliverQueued();

    ASSERT_EQ (log.size(), (size_t) EventQueue::capacity + 1);
    EXPECT_EQ (log.front(), "gui:19");
    EXPECT_EQ (editorSide.last->getString(), juce::String (EventQueue::capacity - 1));
}

TEST (EventDispatcherConcurrent, UnlinkWaitsForForwardsInFlightSoTheGuiSideCanBeDestroyed)
{
    EventDispatcherAudio audio;
    std::atomic<bool> stop { false };
    std::atomic<int> posts { 0 };

    std::thread audioThread ([&]
    {
        while (! stop)
        {
            audio.post (ActionEvent (19), true);
            ++posts;
        }
    });

    // Each round links a fresh GUI dispatcher, lets the audio thread forward into it, then
    // unlinks and destroys it while the audio thread keeps posting.
    for (int round = 0; round < 200; ++round)
    {
        auto gui = std::make_unique<EventDispatcherGui>();
        EventDispatcher::link (audio, *gui);
        const int target = posts + 5;
        while (posts < target) {}
        EventDispatcher::unlink (audio, *gui);
        EXPECT_EQ (audio.getPeer(), nullptr);
    }

    stop = true;
    audioThread.join();
}
