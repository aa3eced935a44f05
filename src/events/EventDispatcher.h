#pragma once

#include "HandOverPointer.h"

#include <map>
#include <vector>

class Event;
class EventResponder;

// Delivers events to the responders subscribed to their kind, and forwards them to the peer
// dispatcher on the other side (audio or GUI) while the two are linked.
class EventDispatcher
{
public:
    EventDispatcher() = default;
    virtual ~EventDispatcher() = default;

    // Responders subscribe while the plug-in or its editor is being built, never while events flow.
    void addResponder (EventResponder& responder, int kind);

    virtual void post (const Event& event, bool forward) = 0;

    // Forwards a copy to the peer (which never forwards it back), then calls the kind's responders
    // in subscription order on the calling thread.
    void dispatchNow (const Event& event, bool forward);

    // Links two dispatchers as each other's peers.
    static void link (EventDispatcher& audioSide, EventDispatcher& guiSide);

    // Unlinks them. Returns only when no forward into either is still running, so the caller may
    // destroy one of them at once. Only the unlinking thread waits; a poster never does.
    static void unlink (EventDispatcher& audioSide, EventDispatcher& guiSide);

    EventDispatcher* getPeer() const noexcept { return peer.get(); }

private:
    std::map<int, std::vector<EventResponder*>> responders;
    HandOverPointer<EventDispatcher> peer;

    EventDispatcher (const EventDispatcher&) = delete;
    EventDispatcher& operator= (const EventDispatcher&) = delete;
};
