#pragma once

#include "PanStage.h"
#include "ToneBase.h"
#include "WaveLfo.h"

#include <memory>

// The pan-modulation voice: its LFO plays the drawn wave and the pan stage moves the input
// between left and right by it. It plays all the time; a note only restarts the LFO.
class ToneOrvanta : public ToneBase
{
public:
    explicit ToneOrvanta (AudioNode& parentNode);

    void noteOn (int noteNumber, int velocity, int flag, int value) noexcept override;
    bool isFinished() const noexcept override { return false; }
    void render (int n) noexcept override;

    WaveLfo& getLfo() noexcept { return *lfo; }

private:
    // Destroyed in reverse order: the pan stage, then the LFO.
    std::unique_ptr<WaveLfo> lfo;
    std::unique_ptr<PanStage> pan;
};
