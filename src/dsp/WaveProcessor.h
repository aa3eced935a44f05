#pragma once

#include "../processor/AudioProcessorMixin.h"
#include "Wave.h"
#include "WaveState.h"

#include <array>
#include <memory>

// The processing node that owns the ten drawn waves: registers their point parameters, marks a
// wave for rebuilding when one of its points changes, advances the rebuilds once per processing
// call and publishes the waves and the editor's working data.
class WaveProcessor : public AudioProcessorMixin
{
public:
    static constexpr int numWaves = StateBlock::numWaves;
    static_assert (numWaves == WaveState::numWaves);

    explicit WaveProcessor (AudioProcessorBase& owner);
    ~WaveProcessor() override = default;

    // Event kind 4, a program was loaded: empties every undo history.
    void respond (const Event& event) override;

    // The 1200 point parameters, slots 1 ... 20 of every wave first, then slots 21 ... 40.
    void registerParameters() override;
    void pointParameterChanged (int index) override;
    // Advances the rebuild of every wave whose points changed by one stage.
    void beginBlock (juce::AudioBuffer<float>& buffer) override;

    Wave* getWave (int waveIndex) override;
    WaveState* getWaveState() override { return &waveState; }

protected:
    // Takes wave w and publishes its display table to the editor.
    void adoptWave (int w, std::unique_ptr<Wave> wave);

private:
    std::array<std::unique_ptr<Wave>, numWaves> waves;
    WaveState waveState;
};
