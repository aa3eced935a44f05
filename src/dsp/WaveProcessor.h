#pragma once

#include "../processor/AudioProcessorMixin.h"
#include "Wave.h"
#include "WaveState.h"

#include <array>
#include <memory>

// The processing node that owns the ten drawn waves: registers their point parameters, marks a
// wave for rebuilding when one of its points changes, advances the rebuilds in slices of bounded
// work per processing call (the played wave first) and publishes the waves and the editor's
// working data.
class WaveProcessor : public AudioProcessorMixin
{
public:
    static constexpr int numWaves = StateBlock::numWaves;
    static_assert (numWaves == WaveState::numWaves);

    // A call gets one slice of rebuild work per this many samples it renders.
    static constexpr int samplesPerSlice = 64;

    explicit WaveProcessor (AudioProcessorBase& owner);
    ~WaveProcessor() override;

    // Event kind 4, a program was loaded: empties every undo history.
    void respond (const Event& event) override;

    // The 1200 point parameters, slots 1 ... 20 of every wave first, then slots 21 ... 40.
    void registerParameters() override;
    void pointParameterChanged (int index) override;
    // Advances the rebuilds by a budget that grows with the block's length.
    void beginBlock (juce::AudioBuffer<float>& buffer) override;
    // Applies the queued parameter changes and completes every rebuild, under the callback lock.
    void finishPendingWork() override;

    Wave* getWave (int waveIndex) override;
    WaveState* getWaveState() override { return &waveState; }

protected:
    // Takes wave w and publishes its display table to the editor.
    void adoptWave (int w, std::unique_ptr<Wave> wave);

private:
    void advanceRebuilds (int slices) noexcept;
    Wave* waveToAdvance() noexcept;

    std::array<std::unique_ptr<Wave>, numWaves> waves;
    WaveState waveState;

    // One spare for all waves: only one wave is mid-rebuild at a time.
    std::unique_ptr<WaveTables::UpperInterpolation> spareStorage = std::make_unique<WaveTables::UpperInterpolation>();
    WaveTables::UpperInterpolation* spare = spareStorage.get();
    Wave* rebuilding = nullptr;
};
