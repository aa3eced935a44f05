#pragma once

#include "EventPoster.h"
#include "EventResponder.h"

// Takes part in the event system both ways, through one dispatcher.
class EventHandler : public EventResponder, public EventPoster
{
public:
    explicit EventHandler (EventDispatcher& dispatcher) noexcept
        : EventResponder (dispatcher), EventPoster (dispatcher)
    {
    }
};
