#include "ControlEditor.h"

#include "TimerSlave.h"

ControlEditor::ControlEditor (EventDispatcher& processorDispatcher)
    // The dispatcher member is built below; the handler only keeps its address until then.
    : EventHandler (guiDispatcher), processorSide (processorDispatcher)
{
    EventDispatcher::link (processorSide, guiDispatcher);
}

ControlEditor::~ControlEditor()
{
    EventDispatcher::unlink (processorSide, guiDispatcher);
}

void ControlEditor::tickTimerSlaves()
{
    for (auto* slave : timerSlaves)
        slave->tick();
}
