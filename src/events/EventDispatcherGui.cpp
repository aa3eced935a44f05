#include "EventDispatcherGui.h"

#include "Event.h"

EventDispatcherGui::EventDispatcherGui()
{
    startTimer (deliveryIntervalMs);
}

EventDispatcherGui::~EventDispatcherGui()
{
    stopTimer();
}

void EventDispatcherGui::post (const Event& event, bool forward)
{
    queueFor (event.getType()).push (event, forward);
}

void EventDispatcherGui::deliverQueued()
{
    deliver (actions);
    deliver (ints);
    deliver (strings);
}

EventQueue& EventDispatcherGui::queueFor (int type)
{
    if (type == Event::intType)
        return ints;

    if (type == Event::stringType)
        return strings;

    return actions;
}

void EventDispatcherGui::deliver (EventQueue& queue)
{
    // At most one ring's worth per tick, so a responder that posts again cannot keep us here.
    for (int i = 0; i < EventQueue::capacity; ++i)
    {
        bool forward = false;
        auto event = queue.pop (forward);

        if (event == nullptr)
            return;

        dispatchNow (*event, forward);
    }
}
