#include "TipView.h"

#include "../events/Event.h"
#include "../events/EventKinds.h"

TipView::TipView (ControlEditor& owner, const juce::String& initialText)
    : ScrollableText (owner, initialText)
{
    subscribe (EventKinds::statusText);
}

void TipView::respond (const Event& event)
{
    setText (event.getString());
}
