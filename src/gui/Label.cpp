#include "Label.h"

#include "Font.h"

Label::Label (int fontType, const juce::String& text)
    : juce::Label ({}, text)
{
    setFont (Font (fontType, juce::Font::plain));
    setJustificationType (juce::Justification::bottomLeft);
    setMinimumHorizontalScale (1.0f);
    setBorderSize ({ 0, 0, 0, 0 });
}

void Label::paint (juce::Graphics& g)
{
    g.fillAll (findColour (backgroundColourId));

    if (isBeingEdited())
        return;

    const auto labelFont = getFont();
    const auto area = getBorderSize().subtractedFrom (getLocalBounds());
    g.setColour (findColour (textColourId));
    g.setFont (labelFont);
    g.drawFittedText (getText(), area, getJustificationType(),
                      juce::jmax (1, (int) ((float) area.getHeight() / labelFont.getHeight())), getMinimumHorizontalScale());
}
