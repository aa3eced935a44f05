#pragma once

class ControlEditor;

// A control that the editor's refresh tick calls every 50 ms. It registers itself on
// construction and is never unregistered, so it lives as long as the editor.
class TimerSlave
{
public:
    explicit TimerSlave (ControlEditor& editor);
    virtual ~TimerSlave() = default;

    virtual void tick() = 0;
};
