#pragma once

#include "../processor/AudioNode.h"

// Moves a stereo span between left and right by a modulation signal in -1 ... 1 with an
// equal-power law that is unity at the centre (+1 is hard left at +3 dB), blended with the dry
// signal by a mix signal: 0 is dry, 1 is fully panned. All buffers live in the StateBlock.
class PanStage : public AudioNode
{
public:
    PanStage (AudioNode& parentNode, const SignalPair& inputPair, SignalBuffer& modulationBuffer,
              const SignalBuffer& mixBuffer, SignalPair& outputPair) noexcept;

    // Writes n output samples (at most 512). Expands a constant modulation buffer over the span.
    void render (int n) noexcept;

private:
    const SignalPair* input;
    SignalBuffer* modulation;
    const SignalBuffer* mix;
    SignalPair* output;
};
