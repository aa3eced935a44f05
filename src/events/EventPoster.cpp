#include "EventPoster.h"

#include "ActionEvent.h"
#include "EventDispatcher.h"
#include "StringEvent.h"

void EventPoster::postAction (int kind)
{
    postEvent (ActionEvent (kind), true);
}

void EventPoster::postString (int kind, const juce::String& text)
{
    postEvent (StringEvent (kind, text), true);
}

void EventPoster::postEvent (const Event& event, bool forward)
{
    posterDispatcher->post (event, forward);
}
