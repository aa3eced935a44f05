#pragma once

#include "AudioControl.h"
#include "CursorHider.h"

// A control moved by vertical drags (200 pixels span the range, 4000 with SHIFT), the wheel,
// and reset to its default by a double-click or a CTRL-click. While it is dragged the cursor is
// hidden and the pointer is put back at the mouse-down point whenever the value stops at an end
// of the range or the pointer nears the screen's edge, so a drag never runs out of screen.
class MouseMovable : public AudioControl, public juce::Component
{
public:
    static constexpr float dragStep = 0.005f;
    static constexpr float fineDragStep = 0.00025f;

    MouseMovable (AudioEditorBase& editor, int parameterIndex, float defaultValue);

    void resetToDefault() { setValue (defaultValue); }

    void valueChanged (float value) override { currentValue = value; }
    float getCurrentValue() const noexcept { return currentValue; }

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void mouseDoubleClick (const juce::MouseEvent&) override;
    void mouseWheelMove (const juce::MouseEvent&, const juce::MouseWheelDetails&) override;

    bool isCursorHidden() const noexcept { return cursorHider.isHidden(); }

private:
    static juce::Point<int> screenPoint (const juce::MouseEvent& e) { return e.getScreenPosition(); }
    void rebase (float value);

    const float defaultValue;
    float currentValue = 0.0f;
    juce::Point<int> anchor;
    int bottomLimit = 0;
    float dragBase = 0.0f;
    bool fineMode = false;
    CursorHider cursorHider { *this };
};
