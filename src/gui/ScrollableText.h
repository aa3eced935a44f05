#pragma once

#include "Control.h"
#include "Palette.h"
#include "TimerSlave.h"

// A text that scrolls by itself when it does not fit: it rests at its start, moves until its end
// shows (60 pixels a second sideways on one line, 10 a second upwards for a block), rests there
// and starts again. The editor's refresh tick drives it.
class ScrollableText : public Control, public TimerSlave, public juce::Component
{
public:
    ScrollableText (ControlEditor& owner, const juce::String& initialText);

    void setText (const juce::String& text);
    const juce::String& getText() const noexcept { return text; }

    // One line: line feeds become spaces and the text scrolls sideways. Applies from the next text.
    void setSingleLine (bool shouldBeSingleLine) noexcept { singleLine = shouldBeSingleLine; }
    void setTextColour (juce::Colour colour);

    bool isScrolling() const noexcept { return scrolling; }
    // Where the text is drawn from now: its left edge (one line) or its top (a block).
    int getDrawnOffset() const noexcept;

    void tick() override;
    void paint (juce::Graphics&) override;
    void resized() override { layOut(); }

private:
    void layOut();

    juce::String text;
    int fontType = 3;
    bool singleLine = false;
    juce::TextLayout layout;
    int textWidth = 0;
    int textHeight = 0;
    int horizontalOffset = 0;
    float verticalOffset = 0.0f;
    bool scrolling = false;
    juce::Colour textColour = Palette::valueText;
};
