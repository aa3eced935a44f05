#include "TipClient.h"

#include "Control.h"
#include "../events/EventKinds.h"

TipClient::TipClient (juce::Component& ownerComponent, EventDispatcher& dispatcher)
    : EventPoster (dispatcher), owner (&ownerComponent)
{
    ownerComponent.addMouseListener (this, true);
}

TipClient::~TipClient()
{
    // A control whose component base is destroyed after its Control part still lists us.
    if (owner != nullptr)
        owner->removeMouseListener (this);
}

void TipClient::mouseEnter (const juce::MouseEvent& e)
{
    if (speaksFor (e))
        postString (EventKinds::statusText, text);
}

void TipClient::mouseExit (const juce::MouseEvent& e)
{
    if (speaksFor (e))
        postString (EventKinds::statusText, {});
}

bool TipClient::speaksFor (const juce::MouseEvent& e) const
{
    if (text.isEmpty())
        return false;

    for (auto* c = e.eventComponent; c != nullptr && c != owner.getComponent(); c = c->getParentComponent())
        if (auto* control = dynamic_cast<Control*> (c); control != nullptr && control->hasTip())
            return false;

    return true;
}
