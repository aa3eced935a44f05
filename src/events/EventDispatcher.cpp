#include "EventDispatcher.h"

#include "Event.h"
#include "EventResponder.h"

#include <thread>

void EventDispatcher::addResponder (EventResponder& responder, int kind)
{
    responders[kind].push_back (&responder);
}

void EventDispatcher::dispatchNow (const Event& event, bool forward)
{
    if (forward)
        forwardToPeer (event);

    auto found = responders.find (event.getKind());

    if (found == responders.end())
        return;

    for (auto* responder : found->second)
        responder->respond (event);
}

void EventDispatcher::forwardToPeer (const Event& event)
{
    ++forwardsInFlight;

    if (auto* target = peer.load())
        target->post (event, false);

    --forwardsInFlight;
}

void EventDispatcher::link (EventDispatcher& audioSide, EventDispatcher& guiSide)
{
    guiSide.peer = &audioSide;
    audioSide.peer = &guiSide;
}

void EventDispatcher::unlink (EventDispatcher& audioSide, EventDispatcher& guiSide)
{
    audioSide.peer = nullptr;
    guiSide.peer = nullptr;
    audioSide.waitUntilPeerUnused();
    guiSide.waitUntilPeerUnused();
}

void EventDispatcher::waitUntilPeerUnused() const
{
    // A forward copies one event into a ring, so this wait is a few hundred nanoseconds at most.
    while (forwardsInFlight.load() != 0)
        std::this_thread::yield();
}
