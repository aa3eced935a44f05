#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <vector>

// Orvanta2's artwork, drawn with vector shapes, the palette and the embedded typeface. Every
// image is a function of nothing but its source, so the build draws them afresh each time.
class ArtworkSet
{
public:
    struct Picture
    {
        const char* fileName;
        int width, height, frames;
        std::function<void (juce::Graphics&, int width, int frameHeight, int frame)> drawFrame;
        bool sideBySide = false; // frames run left to right (the switch) instead of top to bottom
    };

    ArtworkSet (juce::Typeface::Ptr regular, juce::Typeface::Ptr bold);

    const std::vector<Picture>& pictures() const noexcept { return list; }

    // Draws every frame of a picture, stacked top to bottom (side by side for the switch).
    juce::Image render (const Picture& picture) const;

    // Where the editor places what the background frames.
    static constexpr int width = 525, height = 633;

private:
    juce::Font font (float height, bool isBold = false) const;

    void drawBackground (juce::Graphics&) const;
    void drawWellGrid (juce::Graphics&) const;
    void drawSection (juce::Graphics&, juce::Rectangle<float> area, const juce::String& title) const;
    void drawFieldLabel (juce::Graphics&, const juce::String& text, int x, int y) const;
    void drawProductLogo (juce::Graphics&, juce::Colour) const;
    void drawCompanyLogo (juce::Graphics&, juce::Colour) const;
    void drawAbout (juce::Graphics&) const;
    void drawKnob (juce::Graphics&, int frame, bool enabled) const;
    void drawSwitch (juce::Graphics&, int frame) const;
    void drawMenu (juce::Graphics&, int width, int frameHeight, int frame) const;
    void drawTextButton (juce::Graphics&, int width, int frameHeight, int frame, const juce::String& text) const;
    void drawShowWave (juce::Graphics&, int width, int frameHeight, int frame) const;
    void drawTick (juce::Graphics&) const;

    juce::Typeface::Ptr regular, bold;
    std::vector<Picture> list;
};
