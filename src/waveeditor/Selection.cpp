#include "Selection.h"

#include "ResizeHandle.h"
#include "WaveControl.h"

Selection::Selection (ControlEditor& editor, WaveControl& owner, juce::Rectangle<int> area)
    : Control (editor), curveEditor (owner), allowedArea (area)
{
    for (int i = 0; i < numHandles; ++i)
    {
        handles[(size_t) i] = std::make_unique<ResizeHandle> (editor, *this, i);
        addChildComponent (*handles[(size_t) i]);
    }

    setTip ("Click and drag the mouse to move or scale the current selection. Hold ALT to modify vertical values only.");
}

Selection::~Selection()
{
    // The animator may still hold the component; it must not tell a listener that is gone.
    juce::Desktop::getInstance().getAnimator().cancelAnimation (this, false);
    setAnimationListener (nullptr);
    setSelectionListener (nullptr);
}

void Selection::captureReferenceBounds()
{
    referenceBounds = getBounds();
    inner = referenceBounds.reduced (border);
    scaleX = scaleY = 1.0f;
}

void Selection::showHandles (bool shouldShow)
{
    for (auto& handle : handles)
        handle->setVisible (shouldShow);
}

bool Selection::areHandlesShown() const noexcept
{
    return handles.front()->isVisible();
}

void Selection::setSelectionListener (std::unique_ptr<juce::ComponentListener> listener)
{
    if (selectionListener != nullptr)
        removeComponentListener (selectionListener.get());

    selectionListener = std::move (listener);

    if (selectionListener != nullptr)
        addComponentListener (selectionListener.get());
}

void Selection::setAnimationListener (std::unique_ptr<juce::ChangeListener> listener)
{
    auto& animator = juce::Desktop::getInstance().getAnimator();

    if (animationListener != nullptr)
        animator.removeChangeListener (animationListener.get());

    animationListener = std::move (listener);

    if (animationListener != nullptr)
        animator.addChangeListener (animationListener.get());
}

void Selection::recordBeforeChange()
{
    curveEditor.recordDragWaveHistory();
}

void Selection::mouseDown (const juce::MouseEvent&)
{
    recordBeforeChange();
    toFront (true);
    cursorHider.hide();
    showHandles (false);
    startBounds = getBounds();
}

void Selection::mouseDrag (const juce::MouseEvent& e)
{
    const auto delta = e.getOffsetFromDragStart();
    const auto& area = allowedArea;
    int x = juce::jmax (area.getX(), juce::jmin (startBounds.getX() + delta.x, area.getRight() - startBounds.getWidth()));
    int y = juce::jmax (area.getY(), juce::jmin (startBounds.getY() + delta.y, area.getBottom() - startBounds.getHeight()));

    // ALT follows the mouse along the screen's vertical only, ALT+SHIFT along its horizontal.
    if (e.mods.isAltDown() && ! e.mods.isShiftDown())
        x = getX();
    else if (e.mods.isAltDown())
        y = getY();

    setBounds (x, y, startBounds.getWidth(), startBounds.getHeight());
}

void Selection::mouseUp (const juce::MouseEvent& e)
{
    cursorHider.restore();
    showHandles (true);

    // Removing the selection deletes this object: nothing below may touch a member.
    auto& editor = curveEditor;

    if (e.getDistanceFromDragStart() == 0 && (e.mods.isShiftDown() || e.mods.isAltDown() || e.getNumberOfClicks() >= 2))
        editor.removeSelection();

    editor.recordDragWaveHistory();
}

void Selection::paint (juce::Graphics& g)
{
    const auto body = getLocalBounds().reduced (outerInset);

    if (body.isEmpty())
        return;

    g.setColour (juce::Colour (0x1eec7811));
    g.fillRect (body);
    g.setColour (juce::Colours::black);
    g.drawRect (body, 1);
}

void Selection::moved()
{
    inner.setPosition (getX() + border, getY() + border);
}

void Selection::resized()
{
    inner.setSize (getWidth() - minimumSize, getHeight() - minimumSize);
    const int referenceWidth = referenceBounds.getWidth() - minimumSize;
    const int referenceHeight = referenceBounds.getHeight() - minimumSize;
    scaleX = referenceWidth != 0 ? (float) inner.getWidth() / (float) referenceWidth : 1.0f;
    scaleY = referenceHeight != 0 ? (float) inner.getHeight() / (float) referenceHeight : 1.0f;

    const int w = getWidth(), h = getHeight(), s = handleSize, half = s / 2;
    const juce::Point<int> places[numHandles] = { { 0, 0 }, { w / 2 - half, 0 }, { w - s, 0 }, { w - s, h / 2 - half },
                                                  { w - s, h - s }, { w / 2 - half, h - s }, { 0, h - s }, { 0, h / 2 - half } };

    for (int i = 0; i < numHandles; ++i)
        handles[(size_t) i]->setTopLeftPosition (places[i]);
}
