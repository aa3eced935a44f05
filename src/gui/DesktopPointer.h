#pragma once

#include "Pointer.h"

// The system's pointer, moved through JUCE's main mouse source.
class DesktopPointer : public Pointer
{
public:
    void moveTo (juce::Point<int> screenPosition) override;
    int displayHeightAt (juce::Point<int> screenPosition) const override;
};
