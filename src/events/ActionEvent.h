#pragma once

#include "Event.h"

// An event that carries nothing but its kind.
class ActionEvent : public Event
{
public:
    explicit ActionEvent (int eventKind) noexcept : Event (actionType, eventKind) {}
};
