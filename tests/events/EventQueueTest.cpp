#include "events/ActionEvent.h"
#include "events/EventQueue.h"
#include "events/IntEvent.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

TEST (EventQueue, HoldsCapacityEventsThenDropsUntilRead)
{
    EventQueue queue;
    for (int i = 0; i < EventQueue::capacity; ++i)
        ASSERT_TRUE (queue.push (IntEvent (2, i), true));

    EXPECT_FALSE (queue.push (IntEvent (2, -1), true));

    bool forward = false;
    auto first = queue.pop (forward);
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (first->getInt(), 0);
    EXPECT_TRUE (forward);

    EXPECT_TRUE (queue.push (IntEvent (2, 1000), false)); // a slot is free again

    for (int i = 1; i < EventQueue::capacity; ++i)
        EXPECT_EQ (queue.pop (forward)->getInt(), i);

    EXPECT_EQ (queue.pop (forward)->getInt(), 1000);
    EXPECT_FALSE (forward);
    EXPECT_EQ (queue.pop (forward), nullptr);
}

TEST (EventQueue, ConcurrentProducersLoseNothingAcceptedAndKeepEachProducersOrder)
{
    constexpr int producers = 4;
    constexpr int eventsPerProducer = 5000;
    EventQueue queue;
    std::atomic<int> accepted { 0 };
    std::atomic<int> finished { 0 };

    std::vector<std::thread> threads;
    for (int p = 0; p < producers; ++p)
        threads.emplace_back ([&, p]
        {
            for (int i = 0; i < eventsPerProducer; ++i)
                if (queue.push (IntEvent (2, p, i), true))
                    ++accepted;
            ++finished;
        });

    std::vector<int> lastSeen (producers, -1);
    int delivered = 0;
    bool inOrder = true;

    auto drain = [&]
    {
        bool forward = false;
        while (auto event = queue.pop (forward))
        {
            auto& last = lastSeen[(size_t) event->getInt()];
            inOrder = inOrder && event->getInt2() > last;
            last = event->getInt2();
            ++delivered;
        }
    };

    while (finished < producers)
        drain();

    for (auto& t : threads)
        t.join();

    drain();
    EXPECT_TRUE (inOrder);
    EXPECT_EQ (delivered, accepted.load());
    EXPECT_GT (delivered, 0);
}
