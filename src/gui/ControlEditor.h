#pragma once

#include "../events/EventDispatcherGui.h"
#include "../events/EventHandler.h"

#include <vector>

class TimerSlave;

// The editor's part in the event system: its GUI-side dispatcher, linked with the processor's
// for as long as the editor exists, and the controls that want the refresh tick.
class ControlEditor : public EventHandler
{
public:
    // Links the new GUI dispatcher with the processor's.
    explicit ControlEditor (EventDispatcher& processorDispatcher);
    // Unlinks it before it goes, waiting until no forward from the audio side is still running.
    ~ControlEditor() override;

    void registerTimerSlave (TimerSlave& slave) { timerSlaves.push_back (&slave); }

    EventDispatcherGui& getGuiDispatcher() noexcept { return guiDispatcher; }

protected:
    void tickTimerSlaves();

private:
    EventDispatcher& processorSide;
    EventDispatcherGui guiDispatcher;
    std::vector<TimerSlave*> timerSlaves;
};
