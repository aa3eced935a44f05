#include "TimerSlave.h"

#include "ControlEditor.h"

TimerSlave::TimerSlave (ControlEditor& editor)
{
    editor.registerTimerSlave (*this);
}
