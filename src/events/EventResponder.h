#pragma once

class Event;
class EventDispatcher;

// Receives the events of the kinds it subscribed to. There is no unsubscription: a responder
// outlives the dispatcher it subscribed with, or dies with it.
class EventResponder
{
public:
    explicit EventResponder (EventDispatcher& dispatcher) noexcept : responderDispatcher (&dispatcher) {}
    virtual ~EventResponder() = default;

    virtual void respond (const Event&) {}

    // Subscribing twice to one kind delivers that kind twice.
    void subscribe (int kind);

private:
    EventDispatcher* responderDispatcher;
};
