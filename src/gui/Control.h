#pragma once

#include "../events/EventHandler.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

class ControlEditor;
class TipClient;

// The base of every control on the editor: it posts and receives events through the editor's
// GUI-side dispatcher, and may have a tip that the tip area shows while the mouse is over it.
// Every concrete control is also a juce::Component.
class Control : public EventHandler
{
public:
    explicit Control (ControlEditor& owner);
    ~Control() override;

    // The control's own component, found once by a cross-cast.
    juce::Component& getComponent();

    // An empty tip creates nothing; once there is a tip, an empty one silences it.
    void setTip (const juce::String& text);
    bool hasTip() const noexcept { return tipClient != nullptr; }
    TipClient* getTipClient() const noexcept { return tipClient.get(); }
    juce::String getTip() const;

private:
    EventDispatcher& dispatcher;
    juce::Component* component = nullptr;
    std::unique_ptr<TipClient> tipClient;
};
