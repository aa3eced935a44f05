#include "ToneBase.h"

ToneBase::ToneBase (AudioNode& parentNode) noexcept
    : AudioNode (parentNode)
{
}

void ToneBase::noteOn (int noteNumber, int, int, int) noexcept
{
    note = noteNumber;
}
