#pragma once

#include <juce_core/juce_core.h>

class Event;
class EventDispatcher;

// Posts events to one dispatcher. The convenience posts always set the forward flag, so the
// event also reaches the other side while an editor is open.
class EventPoster
{
public:
    explicit EventPoster (EventDispatcher& dispatcher) noexcept : posterDispatcher (&dispatcher) {}
    virtual ~EventPoster() = default;

    void postAction (int kind);
    void postString (int kind, const juce::String& text);
    void postEvent (const Event& event, bool forward);

private:
    EventDispatcher* posterDispatcher;
};
