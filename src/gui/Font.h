#pragma once

#include <juce_graphics/juce_graphics.h>

// The editor's typeface at its fixed heights. "Verdana" is what the editor asks for; the face it
// gets is the embedded DejaVu Sans, so text looks and measures the same on every machine.
// juce::Font is final, so this class holds one and converts to it wherever a font is wanted.
class Font
{
public:
    static constexpr const char* typefaceName = "Verdana";

    // Type 0 ... 5 picks the height (any other type is 0's); the style flags are JUCE's. Bold
    // gets the embedded bold face; italic has no face of its own and stays upright.
    Font (int type, int styleFlags);

    operator const juce::Font&() const noexcept { return font; }
    const juce::Font& get() const noexcept { return font; }

    static float heightOf (int type) noexcept;

    // The embedded faces, decoded once.
    static juce::Typeface::Ptr embeddedTypeface (bool bold);

private:
    juce::Font font;
};
