#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Hides the mouse cursor over a component while it is dragged and brings the component's own
// cursor back afterwards.
class CursorHider
{
public:
    explicit CursorHider (juce::Component& component) noexcept : owner (component) {}

    // Hides the cursor unless it is hidden already; the cursor shown before is kept.
    void hide();
    void restore();

    bool isHidden() const noexcept { return hidden; }

private:
    juce::Component& owner;
    juce::MouseCursor saved;
    bool hidden = false;
};
