#include "EventDispatcher.h"

#include "Event.h"
#include "EventResponder.h"

void EventDispatcher::addResponder (EventResponder& responder, int kind)
{
    responders[kind].push_back (&responder);
}

void EventDispatcher::dispatchNow (const Event& event, bool forward)
{
    if (forward)
        peer.with ([&event] (EventDispatcher& other) { other.post (event, false); });

    auto found = responders.find (event.getKind());

    if (found == responders.end())
        return;

    for (auto* responder : found->second)
        responder->respond (event);
}

void EventDispatcher::link (EventDispatcher& audioSide, EventDispatcher& guiSide)
{
    guiSide.peer.set (&audioSide);
    audioSide.peer.set (&guiSide);
}

void EventDispatcher::unlink (EventDispatcher& audioSide, EventDispatcher& guiSide)
{
    audioSide.peer.clearAndWait();
    guiSide.peer.clearAndWait();
}
