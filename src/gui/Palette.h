#pragma once

#include <juce_graphics/juce_graphics.h>

// The colours every part of the editor shares, the artwork included.
namespace Palette
{
    const juce::Colour lightText { 0xFFF5F5F5 };    // names, enabled menu text, popup outline
    const juce::Colour valueText { 0xFFDCDCDC };    // values, popup menu text
    const juce::Colour dimText { 0xFF5A5A5A };      // disabled text
    const juce::Colour highlight { 0xFFEC7811 };    // hover and selection
    const juce::Colour dimHighlight { 0xFF9F632B }; // hovered but disabled, popup section headers
}
