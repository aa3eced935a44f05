#pragma once

#include <juce_events/juce_events.h>

#include <functional>
#include <mutex>

// A message-thread timer whose owner may go away on any thread. Hosts delete plug-ins on threads
// of their own while the plug-in's message thread may be inside a timer callback, and
// juce::Timer::stopTimer does not wait for that callback. Here the callback runs under a lock that
// stop() takes too: once stop() returns, the callback has ended and never runs again. The juce
// timer itself is deleted on the message thread, where none of its callbacks can be running.
class DetachableTimer
{
public:
    DetachableTimer() = default;
    ~DetachableTimer() { stop(); }

    // Message thread or construction: calls callback every intervalMs on the message thread.
    void start (int intervalMs, std::function<void()> callback);

    // Any thread. Safe to call more than once.
    void stop();

private:
    struct Ticker : juce::Timer
    {
        void timerCallback() override;

        std::mutex lock;
        std::function<void()> callback;
    };

    Ticker* ticker = nullptr;   // owned; deleted by stop(), on the message thread

    JUCE_DECLARE_NON_COPYABLE (DetachableTimer)
};
