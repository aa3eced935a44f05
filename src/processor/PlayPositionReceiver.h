#pragma once

// Whoever shows where the LFO plays (the editor) hears its phase and rate after every rendered
// range, on the audio thread: an implementation only stores them, never waits or allocates.
class PlayPositionReceiver
{
public:
    virtual ~PlayPositionReceiver() = default;

    virtual void setPlayPosition (float phase, float rate) = 0;
};
