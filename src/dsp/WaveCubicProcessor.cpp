#include "WaveCubicProcessor.h"

#include "../processor/AudioProcessorBase.h"
#include "WaveCubic.h"

WaveCubicProcessor::WaveCubicProcessor (AudioProcessorBase& owner)
    : WaveProcessor (owner)
{
    // Every wave borrows the processor's shared blocks directly.
    for (int w = 0; w < numWaves; ++w)
        adoptWave (w, std::make_unique<WaveCubic> (owner, state->waves[(size_t) w], &owner.getEventDispatcher()));
}
