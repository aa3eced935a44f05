#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The framework's text label: a fixed font, bottom-left, never squeezed, no border. Enabling or
// disabling it changes nothing by itself; its owner recolours it.
class Label : public juce::Label
{
public:
    Label (int fontType, const juce::String& text);

    void setTextColour (juce::Colour colour) { setColour (juce::Label::textColourId, colour); }

protected:
    void enablementChanged() override {}
};
