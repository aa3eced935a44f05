#include "MouseMovable.h"

#include "AudioEditorBase.h"
#include "Pointer.h"

namespace
{
    constexpr int screenMargin = 10;
}

MouseMovable::MouseMovable (AudioEditorBase& owner, int index, float defaultValueToUse)
    : AudioControl (owner, index), defaultValue (defaultValueToUse)
{
}

void MouseMovable::mouseDown (const juce::MouseEvent& e)
{
    beginGesture();
    cursorHider.hide();

    if (e.mods.isCtrlDown())
        resetToDefault();

    anchor = screenPoint (e);
    dragBase = currentValue;
    fineMode = false;
    bottomLimit = getEditor().getPointer().displayHeightAt (anchor) - screenMargin;
}

void MouseMovable::mouseDrag (const juce::MouseEvent& e)
{
    if (! e.mods.isLeftButtonDown() && ! e.mods.isRightButtonDown())
        return;

    cursorHider.hide();

    // Switching between coarse and fine starts afresh from the anchor, so the value never jumps.
    if (fineMode != e.mods.isShiftDown())
    {
        fineMode = e.mods.isShiftDown();
        rebase (currentValue);
        return;
    }

    const auto position = screenPoint (e);
    const int dy = anchor.y - position.y;

    if (dy == 0)
        return;

    float v = dragBase + (float) dy * (fineMode ? fineDragStep : dragStep);
    const bool clamped = v < 0.0f || v > 1.0f;
    v = juce::jlimit (0.0f, 1.0f, v);

    if (clamped || v == 0.0f || v == 1.0f || position.y == 0 || position.y >= bottomLimit)
        rebase (v);

    if (v != currentValue)
        setValue (v);
}

void MouseMovable::rebase (float value)
{
    dragBase = value;
    getEditor().getPointer().moveTo (anchor);
}

void MouseMovable::mouseUp (const juce::MouseEvent&)
{
    getEditor().getPointer().moveTo (anchor);
    cursorHider.restore();
    endGesture();
}

void MouseMovable::mouseDoubleClick (const juce::MouseEvent&)
{
    resetToDefault();
}

void MouseMovable::mouseWheelMove (const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    const float unit = e.mods.isCtrlDown() ? dragStep * 25.0f : e.mods.isShiftDown() ? fineDragStep * 5.0f : dragStep * 5.0f;
    setValue (juce::jlimit (0.0f, 1.0f, currentValue + wheel.deltaY * unit));
}
