#pragma once

#include "Event.h"

// An event that carries nothing but its kind.
class ActionEvent : public Event
{
public:
    explicit ActionEvent (int kind) noexcept : Event (actionType, kind) {}
};
