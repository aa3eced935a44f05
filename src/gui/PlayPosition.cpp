#include "PlayPosition.h"

void PlayPosition::setPlayPosition (float newPhase, float newRate)
{
    phase.store (newPhase, std::memory_order_relaxed);
    rate.store (newRate, std::memory_order_relaxed);
    reported.store (true, std::memory_order_relaxed);
}

PlayPosition::Values PlayPosition::get() const noexcept
{
    return { phase.load (std::memory_order_relaxed), rate.load (std::memory_order_relaxed),
             reported.load (std::memory_order_relaxed) };
}
