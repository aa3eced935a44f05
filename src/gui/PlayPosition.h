#pragma once

#include "../processor/PlayPositionReceiver.h"

#include <atomic>

// Where the LFO plays, as the audio thread last handed it over, for the editor's displays.
// Written by the audio thread, read by the message thread: each is a whole atomic float, and a
// phase from one range with a rate from the next is harmless for a display.
class PlayPosition final : public PlayPositionReceiver
{
public:
    struct Values
    {
        float phase = 0.0f, rate = 0.0f;
        bool reported = false;   // false until the first rendered range since the editor opened
    };

    void setPlayPosition (float phase, float rate) override;
    Values get() const noexcept;

private:
    std::atomic<float> phase { 0.0f }, rate { 0.0f };
    std::atomic<bool> reported { false };
};
