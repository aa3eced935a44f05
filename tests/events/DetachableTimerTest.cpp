#include "events/DetachableTimer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace juce
{
    // JUCE's Linux message loop, one message at a time (what a plug-in's own message thread runs).
    bool dispatchNextMessageOnSystemQueue (bool returnIfNoPendingMessages);
}

namespace
{
    // Something a timer works on, which a host deletes on a thread of its own.
    struct Owner
    {
        Owner() { timer.start (1, [this] { ++ticks; inside = true; std::this_thread::yield(); inside = false; }); }
        ~Owner() { timer.stop(); alive = false; }

        std::atomic<int> ticks { 0 };
        std::atomic<bool> inside { false };
        std::atomic<bool> alive { true };
        DetachableTimer timer;
    };

    // Runs the message loop here until done is set.
    void dispatchUntil (const std::atomic<bool>& done)
    {
        while (! done.load())
            juce::dispatchNextMessageOnSystemQueue (true);
    }

    // Delivers what the timer thread posts for a while: a few of the timer's periods.
    void dispatchForAWhile()
    {
        const auto end = juce::Time::getMillisecondCounter() + 10;
        while (juce::Time::getMillisecondCounter() < end)
            juce::dispatchNextMessageOnSystemQueue (true);
    }
}

TEST (DetachableTimerConcurrent, AnOwnerDeletedOnAnotherThreadIsNeverCalledAgain)
{
    for (int round = 0; round < 20; ++round)
    {
        auto owner = std::make_unique<Owner>();
        std::atomic<bool> deleted { false };
        int ticksSeen = 0;

        std::thread host ([&]
        {
            while (owner->ticks.load() < 3)
                std::this_thread::yield();

            // Deleting waits for a callback in progress; none starts afterwards.
            owner->timer.stop();
            EXPECT_FALSE (owner->inside.load());
            ticksSeen = owner->ticks.load();
            deleted = true;
        });

        dispatchUntil (deleted);
        host.join();

        dispatchForAWhile();
        EXPECT_EQ (owner->ticks.load(), ticksSeen);
    }
}
