#pragma once

#include "EventDispatcher.h"

// The processor's dispatcher: delivers every post at once, on the posting thread.
class EventDispatcherAudio : public EventDispatcher
{
public:
    void post (const Event& event, bool forward) override { dispatchNow (event, forward); }
};
