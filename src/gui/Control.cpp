#include "Control.h"

#include "ControlEditor.h"

Control::Control (ControlEditor& owner)
    : EventHandler (owner.getGuiDispatcher())
{
}

juce::Component& Control::getComponent()
{
    if (component == nullptr)
        component = dynamic_cast<juce::Component*> (this);

    jassert (component != nullptr); // a control that is not a component
    return *component;
}
