#pragma once

#include "../processor/AudioNode.h"

// The base of every voice that the note tracking starts, stops and renders. A voice renders the
// span that the processor has placed in the StateBlock.
class ToneBase : public AudioNode
{
public:
    explicit ToneBase (AudioNode& parentNode) noexcept;
    virtual ~ToneBase() = default;

    // Remembers the note; flag and value carry the note tracking's voice-start details.
    virtual void noteOn (int noteNumber, int velocity, int flag, int value) noexcept;
    virtual void noteOff (int /*noteNumber*/, int /*velocity*/) noexcept {}
    // The voice went back to the free pool.
    virtual void voiceFreed() noexcept {}
    // The voice is about to be reused.
    virtual void voiceReset() noexcept {}

    virtual bool isFinished() const noexcept = 0;
    // Renders the next n samples (at most 512) of the current span.
    virtual void render (int n) noexcept = 0;

    int getNote() const noexcept { return note; }

protected:
    int note = 0;
};
