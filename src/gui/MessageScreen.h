#pragma once

#include "Button.h"
#include "Label.h"

// The message screen: an error posted by any part of the plug-in, shown as a title and a body
// on a panel over the whole darkened editor until OK, Return, Escape or a loss of focus. While
// it has the focus it takes every key.
class MessageScreen : public Control, public juce::Component
{
public:
    static constexpr int panelWidth = 400;
    static constexpr int panelHeight = 280;

    MessageScreen (ControlEditor& owner, int editorWidth, int editorHeight);

    // The text before the first line feed is the title, the rest the body.
    void respond (const Event&) override;
    void show (const juce::String& message);

    void paint (juce::Graphics&) override;
    bool keyPressed (const juce::KeyPress&) override;
    void focusLost (FocusChangeType) override { setVisible (false); }

    juce::String getTitle() const { return title.getText(); }
    const juce::String& getBody() const noexcept { return body; }
    juce::Rectangle<int> getPanel() const noexcept { return { panelX, panelY, panelWidth, panelHeight }; }
    juce::Button& getOkButton() noexcept { return okButton; }

private:
    const int panelX, panelY;
    Label title { 4, {} };
    juce::String body;
    ::Button okButton;
};
