#include "EventQueue.h"

#include "ActionEvent.h"
#include "IntEvent.h"
#include "StringEvent.h"

bool EventQueue::push (const Event& event, bool forward) noexcept
{
    return ring.pushWith ([&] (Entry& entry)
    {
        entry.type = event.getType();
        entry.kind = event.getKind();
        entry.value = event.getInt();
        entry.value2 = event.getInt2();
        entry.flag = event.getBool();
        entry.forward = forward;
        entry.text = event.getString(); // the slot's text is empty here, so nothing is freed
    });
}

std::unique_ptr<Event> EventQueue::pop (bool& forward)
{
    std::unique_ptr<Event> event;

    ring.popWith ([&] (Entry& entry)
    {
        if (entry.type == Event::intType)
            event = std::make_unique<IntEvent> (entry.kind, entry.value, entry.value2, entry.flag);
        else if (entry.type == Event::stringType)
            event = std::make_unique<StringEvent> (entry.kind, std::move (entry.text));
        else
            event = std::make_unique<ActionEvent> (entry.kind);

        forward = entry.forward;
        entry.text = {}; // released here, on the reading thread, never by a later writer
    });

    return event;
}
