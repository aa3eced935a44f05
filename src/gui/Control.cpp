#include "Control.h"

#include "ControlEditor.h"
#include "TipClient.h"

Control::Control (ControlEditor& owner)
    : EventHandler (owner.getGuiDispatcher()), dispatcher (owner.getGuiDispatcher())
{
}

Control::~Control() = default;

juce::Component& Control::getComponent()
{
    if (component == nullptr)
        component = dynamic_cast<juce::Component*> (this);

    jassert (component != nullptr); // a control that is not a component
    return *component;
}

void Control::setTip (const juce::String& text)
{
    if (tipClient == nullptr)
    {
        if (text.isEmpty())
            return;

        tipClient = std::make_unique<TipClient> (getComponent(), dispatcher);
    }

    tipClient->setText (text);
}

juce::String Control::getTip() const
{
    return tipClient != nullptr ? tipClient->getText() : juce::String();
}
