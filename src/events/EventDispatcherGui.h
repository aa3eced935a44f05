#pragma once

#include "EventDispatcher.h"
#include "EventQueue.h"

#include <juce_events/juce_events.h>

// The editor's dispatcher: queues what it is given, one ring per event type, and delivers the
// queues on the message thread every 30 ms, actions first, then integer events, then texts.
class EventDispatcherGui : public EventDispatcher, private juce::Timer
{
public:
    static constexpr int deliveryIntervalMs = 30;

    EventDispatcherGui();
    ~EventDispatcherGui() override;

    // Safe from any thread; drops the event when its type's ring is full.
    void post (const Event& event, bool forward) override;

    // Delivers everything queued so far. Message thread only.
    void deliverQueued();

private:
    void timerCallback() override { deliverQueued(); }
    EventQueue& queueFor (int type);
    void deliver (EventQueue& queue);

    EventQueue actions, ints, strings;
};
