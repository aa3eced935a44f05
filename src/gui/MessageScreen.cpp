#include "MessageScreen.h"

#include "Font.h"
#include "Palette.h"
#include "../events/Event.h"
#include "../events/EventKinds.h"

#include <Resources.h>

namespace
{
    constexpr int okButtonStyle = 3;   // normal and hovered pictures
    constexpr float corner = 8.0f;
    constexpr int titleBarHeight = 39;
}

MessageScreen::MessageScreen (ControlEditor& owner, int editorWidth, int editorHeight)
    : Control (owner),
      panelX ((editorWidth - panelWidth) / 2),
      panelY ((editorHeight - panelHeight) / 2),
      okButton (owner, Resources::button_ok_png, Resources::button_ok_pngSize, okButtonStyle)
{
    setBounds (0, 0, editorWidth, editorHeight);
    setOpaque (false);
    setWantsKeyboardFocus (true);

    title.setTextColour (Palette::valueText);
    title.setBounds (panelX + 12, panelY + 10, 360, 20);
    addAndMakeVisible (title);

    okButton.setTopLeftPosition (panelX + panelWidth - okButton.getWidth() - 20, panelY + panelHeight - 34);
    okButton.onClick = [this] { setVisible (false); };
    addAndMakeVisible (okButton);

    subscribe (EventKinds::errorMessage);
}

void MessageScreen::respond (const Event& event)
{
    show (event.getString());
}

void MessageScreen::show (const juce::String& message)
{
    const int lineFeed = message.indexOfChar ('\n');
    title.setText (lineFeed < 0 ? message : message.substring (0, lineFeed), juce::dontSendNotification);
    body = lineFeed < 0 ? juce::String() : message.substring (lineFeed + 1);

    // Focus can only go to a showing component.
    setVisible (true);
    toFront (true);
    repaint();
}

void MessageScreen::paint (juce::Graphics& g)
{
    const auto panel = getPanel().toFloat();
    g.fillAll (juce::Colour (0xB3000000));
    g.setColour (juce::Colour (0xE66E6E6E));
    g.fillRoundedRectangle (panel, corner);
    g.setColour (juce::Colour (0xE6000000));
    g.fillRoundedRectangle (panel.withHeight ((float) titleBarHeight), corner);
    g.setColour (Palette::lightText);
    g.drawRoundedRectangle (panel, corner, 1.0f);

    juce::GlyphArrangement text;
    text.addJustifiedText (Font (4, juce::Font::plain), body, (float) panelX + 20.0f, (float) panelY + 62.0f, 360.0f,
                           juce::Justification::left);
    g.setColour (juce::Colours::black);
    text.draw (g);
}

bool MessageScreen::keyPressed (const juce::KeyPress& key)
{
    if (key == juce::KeyPress::returnKey || key == juce::KeyPress::escapeKey)
        setVisible (false);

    return true;
}
