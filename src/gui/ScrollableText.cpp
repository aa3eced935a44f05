#include "ScrollableText.h"

#include "Font.h"

namespace
{
    constexpr int lineRestOffset = 100;       // about 1.7 s at 3 pixels a tick before it moves
    constexpr float blockRestOffset = 20.0f;  // 2 s at half a pixel a tick
    constexpr int baseline = 13;
}

ScrollableText::ScrollableText (ControlEditor& owner, const juce::String& initialText)
    : Control (owner), TimerSlave (owner), text (initialText)
{
}

void ScrollableText::setText (const juce::String& newText)
{
    text = singleLine ? newText.replaceCharacter ('\n', ' ') : newText;
    layOut();
}

void ScrollableText::setTextColour (juce::Colour colour)
{
    textColour = colour;
    layOut();
}

void ScrollableText::layOut()
{
    juce::AttributedString attributed (text);
    attributed.setFont (Font (fontType, juce::Font::plain));
    attributed.setColour (textColour);
    attributed.setJustification (juce::Justification::topLeft);

    if (singleLine)
    {
        layout.createLayout (attributed, 100000.0f, 10000000.0f);
        textWidth = (int) (layout.getWidth() + 5.0f);
        horizontalOffset = lineRestOffset;
        scrolling = textWidth > getWidth();
    }
    else
    {
        layout.createLayout (attributed, (float) getWidth(), 10000000.0f);
        verticalOffset = blockRestOffset;
        textHeight = (int) layout.getHeight();
        scrolling = textHeight > getHeight();
    }

    repaint();
}

void ScrollableText::tick()
{
    if (! scrolling)
        return;

    if (singleLine)
    {
        horizontalOffset -= 3;

        if (textWidth - getWidth() + 150 < 3 - horizontalOffset)
            horizontalOffset = lineRestOffset;
    }
    else
    {
        verticalOffset -= 0.5f;

        if (-verticalOffset > (float) (textHeight - getHeight() + 30))
            verticalOffset = blockRestOffset;
    }

    repaint();
}

int ScrollableText::getDrawnOffset() const noexcept
{
    if (singleLine)
        return juce::jmax (juce::jmin (horizontalOffset, 0), juce::jmin (getWidth() - textWidth, 0));

    return juce::jmax (juce::jmin ((int) verticalOffset, 0), juce::jmin (getHeight() - textHeight, 0));
}

void ScrollableText::paint (juce::Graphics& g)
{
    if (singleLine)
    {
        g.setFont (Font (fontType, juce::Font::plain));
        g.setColour (textColour);
        g.drawSingleLineText (text, getDrawnOffset(), baseline);
        return;
    }

    layout.draw (g, juce::Rectangle<int> (0, getDrawnOffset(), getWidth(), textHeight + 10).toFloat());
}
