#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The framework's text label: a fixed font, bottom-left, never squeezed, no border. Enabling or
// disabling it changes nothing by itself; its owner recolours it.
class Label : public juce::Label
{
public:
    Label (int fontType, const juce::String& text);

    void setTextColour (juce::Colour colour) { setColour (juce::Label::textColourId, colour); }

    // JUCE's look and feel draws a disabled label at half opacity; this one is drawn alike either
    // way, in the colour its owner gives it.
    void paint (juce::Graphics&) override;

protected:
    void enablementChanged() override {}
};
