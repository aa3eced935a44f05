#pragma once

#include "../gui/Control.h"
#include "../gui/CursorHider.h"

#include <array>
#include <memory>
#include <vector>

class ControlEditor;
class ResizeHandle;
class WaveControl;

// The rectangle around selected points of the curve editor, a child of it. Dragging its body
// moves the points, its eight handles scale them; the curve editor writes the points from the
// rectangle whenever it moves or changes size.
//
// The points sit in the inner rectangle, 12 px inside the bounds: 4 px of outer margin, then
// the 8 px band the handles straddle.
class Selection : public Control,
                  public juce::Component
{
public:
    static constexpr int handleSize = 9;
    static constexpr int outerInset = 4;
    static constexpr int inset = 8;
    static constexpr int border = outerInset + inset;     // bounds to inner rectangle
    static constexpr int minimumSize = 2 * border;        // an inner rectangle of no size
    static constexpr int numHandles = 8;

    Selection (ControlEditor& editor, WaveControl& curveEditor, juce::Rectangle<int> allowedArea);
    ~Selection() override;

    // Where the selection may be, in the curve editor's pixels.
    void setAllowedArea (juce::Rectangle<int> area) noexcept { allowedArea = area; }
    juce::Rectangle<int> getAllowedArea() const noexcept { return allowedArea; }

    void setPoints (std::vector<int> slots) { points = std::move (slots); }
    const std::vector<int>& getPoints() const noexcept { return points; }

    // The bounds the points were fitted to: from here on, changes of size are scales.
    void captureReferenceBounds();
    juce::Rectangle<int> getReferenceBounds() const noexcept { return referenceBounds; }
    juce::Rectangle<int> getInner() const noexcept { return inner; }
    float getScaleX() const noexcept { return scaleX; }
    float getScaleY() const noexcept { return scaleY; }

    void showHandles (bool shouldShow);
    bool areHandlesShown() const noexcept;
    ResizeHandle& getHandle (int index) const noexcept { return *handles[(size_t) index]; }
    CursorHider& getCursorHider() noexcept { return cursorHider; }

    // The curve editor's listeners while it follows the selection; owned here, so that they go
    // with it.
    void setSelectionListener (std::unique_ptr<juce::ComponentListener>);
    bool hasSelectionListener() const noexcept { return selectionListener != nullptr; }
    void setAnimationListener (std::unique_ptr<juce::ChangeListener>);
    bool hasAnimationListener() const noexcept { return animationListener != nullptr; }

    // A selection made without a rubber band has recorded nothing yet: a press on it records the
    // points first, so that its first move can be undone too.
    void recordBeforeChange();

    void mouseDown (const juce::MouseEvent&) override;
    void mouseDrag (const juce::MouseEvent&) override;
    void mouseUp (const juce::MouseEvent&) override;
    void paint (juce::Graphics&) override;
    void moved() override;
    void resized() override;

private:
    WaveControl& curveEditor;
    juce::Rectangle<int> inner, startBounds, allowedArea, referenceBounds;
    float scaleX = 1.0f, scaleY = 1.0f;
    std::array<std::unique_ptr<ResizeHandle>, numHandles> handles;
    std::unique_ptr<juce::ComponentListener> selectionListener;
    std::unique_ptr<juce::ChangeListener> animationListener;
    std::vector<int> points;
    CursorHider cursorHider { *this };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Selection)
};
