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
