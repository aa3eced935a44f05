#include "CursorHider.h"

void CursorHider::hide()
{
    if (hidden)
        return;

    saved = owner.getMouseCursor();
    owner.setMouseCursor (juce::MouseCursor::NoCursor);
    hidden = true;
}

void CursorHider::restore()
{
    if (! hidden)
        return;

    owner.setMouseCursor (saved);
    hidden = false;
}
