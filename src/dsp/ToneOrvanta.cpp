#include "ToneOrvanta.h"

ToneOrvanta::ToneOrvanta (AudioNode& parentNode)
    : ToneBase (parentNode)
{
    auto& s = *state;
    lfo = std::make_unique<WaveLfo> (*this, s.loopLength, s.speed, s.speedType, s.lfoOutput);
    pan = std::make_unique<PanStage> (*this, s.input, s.lfoOutput, s.mixBuffer, s.output);
}

void ToneOrvanta::noteOn (int noteNumber, int velocity, int flag, int value) noexcept
{
    ToneBase::noteOn (noteNumber, velocity, flag, value);
    lfo->noteOn (noteNumber, (float) velocity, 0.0);
}

void ToneOrvanta::render (int n) noexcept
{
    lfo->render (n);
    pan->render (n);
}
