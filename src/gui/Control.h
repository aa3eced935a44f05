#pragma once

#include "../events/EventHandler.h"

#include <juce_gui_basics/juce_gui_basics.h>

class ControlEditor;

// The base of every control on the editor: it posts and receives events through the editor's
// GUI-side dispatcher. Every concrete control is also a juce::Component.
class Control : public EventHandler
{
public:
    explicit Control (ControlEditor& owner);

    // The control's own component, found once by a cross-cast.
    juce::Component& getComponent();

private:
    juce::Component* component = nullptr;
};
