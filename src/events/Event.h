#pragma once

#include <juce_core/juce_core.h>

// An event: a small value identified by its type (which class it is) and its kind (what it means).
// Posting copies it; receivers never own it.
class Event
{
public:
    enum Type
    {
        actionType = 1,
        intType = 2,
        stringType = 4
    };

    Event (int eventType, int eventKind) noexcept : type (eventType), kind (eventKind) {}
    virtual ~Event() = default;

    virtual int getInt() const { return 0; }
    virtual bool getBool() const { return false; }
    virtual int getInt2() const { return 0; }
    virtual juce::String getString() const { return {}; }

    int getType() const noexcept { return type; }
    int getKind() const noexcept { return kind; }

private:
    int type;
    int kind;
};
