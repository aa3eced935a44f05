#include "ResizeHandle.h"

#include "Selection.h"

namespace
{
    constexpr int visualSize = 7;
    // How close a handle may push its edge towards the opposite one.
    constexpr int lastAllowedGap = Selection::minimumSize + Selection::inset;
}

ResizeHandle::ResizeHandle (ControlEditor& editor, Selection& owner, int handleIndex)
    : Control (editor), selection (owner), index (handleIndex)
{
    setSize (Selection::handleSize, Selection::handleSize);
    setTip ("Click and drag the mouse to resize the current selection. Hold ALT to resize relative to the center.");
}

void ResizeHandle::mouseEnter (const juce::MouseEvent&)
{
    hovering = true;
    repaint();
}

void ResizeHandle::mouseExit (const juce::MouseEvent&)
{
    hovering = false;
    repaint();
}

void ResizeHandle::mouseDown (const juce::MouseEvent&)
{
    selection.recordBeforeChange();
    toFront (false);
    selection.getCursorHider().hide();
    selection.showHandles (false);
    start = selection.getBounds();
}

ResizeHandle::Span ResizeHandle::dragSpan (int startPos, int startSize, int delta, bool lowEdge, bool highEdge,
                                           int areaStart, int areaSize, bool aboutCentre) const noexcept
{
    if (! lowEdge && ! highEdge)
        return { startPos, startSize };

    const int areaEnd = areaStart + areaSize;
    int pos = startPos, size = startSize;

    if (lowEdge)
    {
        const int wanted = startPos + delta;
        pos = juce::jmax (areaStart, juce::jmin (wanted, startPos + startSize - lastAllowedGap));
        size = wanted < areaStart ? startPos + startSize - areaStart : juce::jmax (Selection::minimumSize, startSize - delta);
    }
    else
    {
        size = juce::jmin (juce::jmax (Selection::minimumSize, startSize + delta), areaEnd - pos);
    }

    if (aboutCentre)
    {
        const int centre = startPos + startSize / 2;
        size = juce::jmax (Selection::minimumSize, 2 * size - startSize);
        pos = centre - size / 2;

        if (pos < areaStart)
        {
            size = 2 * (centre - areaStart);
            pos = areaStart;
        }

        if (pos + size > areaEnd)
        {
            size = 2 * (areaEnd - centre);
            pos = centre - size / 2;
        }
    }

    return { pos, size };
}

void ResizeHandle::mouseDrag (const juce::MouseEvent& e)
{
    const auto delta = e.getOffsetFromDragStart();
    const auto area = selection.getAllowedArea();
    const bool aboutCentre = e.mods.isAltDown();
    const auto across = dragSpan (start.getX(), start.getWidth(), delta.x, movesLeft(), movesRight(),
                                  area.getX(), area.getWidth(), aboutCentre);
    const auto down = dragSpan (start.getY(), start.getHeight(), delta.y, movesTop(), movesBottom(),
                                area.getY(), area.getHeight(), aboutCentre);
    selection.setBounds (across.start, down.start, across.size, down.size);
}

void ResizeHandle::mouseUp (const juce::MouseEvent& e)
{
    selection.mouseUp (e.getEventRelativeTo (&selection));
}

void ResizeHandle::paint (juce::Graphics& g)
{
    const auto square = hovering ? getLocalBounds() : getLocalBounds().withSizeKeepingCentre (visualSize, visualSize);
    g.setColour (juce::Colours::white);
    g.fillRect (square);
    g.setColour (juce::Colours::black);
    g.drawRect (square, 1);
}
