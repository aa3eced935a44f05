#pragma once

#include <juce_graphics/juce_graphics.h>

// The mouse pointer as drags move it: where it is put back, and how far down the screen it may
// go. The editor's default is the desktop's; tests put in one that records the moves.
class Pointer
{
public:
    virtual ~Pointer() = default;

    virtual void moveTo (juce::Point<int> screenPosition) = 0;
    // The height of the whole display that contains the point.
    virtual int displayHeightAt (juce::Point<int> screenPosition) const = 0;
};
