#pragma once

#include "Event.h"

// An event that carries a text. juce::String shares its text by reference count, so copying an
// event whose text already exists does not allocate; the audio side only posts prebuilt texts.
class StringEvent : public Event
{
public:
    StringEvent (int eventKind, juce::String eventText) noexcept : Event (stringType, eventKind), text (std::move (eventText)) {}

    juce::String getString() const override { return text; }

private:
    juce::String text;
};
