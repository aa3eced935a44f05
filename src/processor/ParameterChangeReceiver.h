#pragma once

// Whoever shows parameter values (the editor) hears every change the processor applies, on the
// thread that applies it, usually the audio thread: an implementation only queues, never waits.
class ParameterChangeReceiver
{
public:
    virtual ~ParameterChangeReceiver() = default;

    virtual void queueParameterStep (int index, int step) = 0;
    virtual void queueParameterValue (int index, float value) = 0;
};
