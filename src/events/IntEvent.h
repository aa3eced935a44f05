#pragma once

#include "Event.h"

// An event that carries two integers and a flag.
class IntEvent : public Event
{
public:
    IntEvent (int kind, int value, int value2 = 0, bool flag = false) noexcept
        : Event (intType, kind), value (value), value2 (value2), flag (flag)
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
