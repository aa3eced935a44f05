#pragma once

#include "Event.h"

// An event that carries two integers and a flag.
class IntEvent : public Event
{
public:
    IntEvent (int eventKind, int firstValue, int secondValue = 0, bool eventFlag = false) noexcept
        : Event (intType, eventKind), value (firstValue), value2 (secondValue), flag (eventFlag)
    {
    }

    int getInt() const override { return value; }
    int getInt2() const override { return value2; }
    bool getBool() const override { return flag; }

private:
    int value;
    int value2;
    bool flag;
};
