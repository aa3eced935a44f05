#pragma once

#include "../gui/Control.h"

class ControlEditor;
class CursorHider;
class Selection;

// One of a selection's eight handles: 0 top-left, then clockwise (1 top middle, 2 top-right,
// 3 right middle ... 7 left middle). Dragging it moves the edges it sits on, never below the
// selection's minimum size nor out of its allowed area; with ALT about the centre.
class ResizeHandle : public Control,
                     public juce::Component
{
public:
    ResizeHandle (ControlEditor& editor, Selection& selection, int index);

    int getIndex() const noexcept { return index; }
    bool isHovering() const noexcept { return hovering; }

    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;
    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;

private:
    bool movesLeft() const noexcept { return index == 0 || index == 6 || index == 7; }
    bool movesRight() const noexcept { return index == 2 || index == 3 || index == 4; }
    bool movesTop() const noexcept { return index == 0 || index == 1 || index == 2; }
    bool movesBottom() const noexcept { return index == 4 || index == 5 || index == 6; }

    // One axis of a drag: the new start and size of the selection along it.
    struct Span { int start, size; };
    Span dragSpan (int startPos, int startSize, int delta, bool lowEdge, bool highEdge,
                   int areaStart, int areaSize, bool aboutCentre) const noexcept;

    Selection& selection;
    int index;
    juce::Rectangle<int> start;   // the selection's bounds at mouse-down
    bool hovering = false;
};
