#pragma once

#include "../events/EventPoster.h"

#include <juce_gui_basics/juce_gui_basics.h>

// Tells the tip area about the control under the mouse: its tip on entering, a blank on leaving.
// It listens to the control and to everything nested in it; a nested control that has a tip of
// its own speaks for itself, so the innermost tip wins.
class TipClient : public juce::MouseListener, public EventPoster
{
public:
    TipClient (juce::Component& owner, EventDispatcher& dispatcher);
    ~TipClient() override;

    void setText (const juce::String& newText) { text = newText; }
    const juce::String& getText() const noexcept { return text; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

private:
    bool speaksFor (const juce::MouseEvent&) const;

    // Weak, because the control's component may be gone before its tip client (see the destructor).
    juce::Component::SafePointer<juce::Component> owner;
    juce::String text;
};
