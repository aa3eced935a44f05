#pragma once

#include "../processor/AudioProcessorMixin.h"
#include "ScopeTraceSet.h"

#include <memory>
#include <vector>

class WaveLfo;

// Captures the input and output of every render range into the traces the curve editor draws
// behind the curve. The traces follow the phase and rate of the LFO that pans the signal, so one
// LFO cycle always spans the same columns. Capture stops while a one-shot cycle holds its end
// value; a note in a type that restarts at notes clears the picture.
class OscilloscopeProcessor : public AudioProcessorMixin
{
public:
    explicit OscilloscopeProcessor (AudioProcessorBase& owner);
    ~OscilloscopeProcessor() override = default;

    // "Oscilloscope Zoom".
    void registerParameters() override;

    // Slot 0 is the only one: the LFO whose phase and rate drive the traces (not owned).
    void setScopeSource (int slot, WaveLfo* lfo) override;
    // The traces of slot 0, or null.
    ScopeTraceSet* getScopeTraces (int slot) override;

    void captureInput (juce::AudioBuffer<float>& buffer, int start, int count) override;
    void captureOutput (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count) override;
    void noteStarted() override;

private:
    int speedType() const noexcept;
    bool sourceHolds() const noexcept;
    double sourcePhase() const noexcept;
    void alignTraces (ScopeTraceSet& traces) const noexcept;
    void captureChannels (ScopeTraceSet& traces, const juce::AudioBuffer<float>& buffer, int start, int count,
                          int leftTrace, int rightTrace) const noexcept;

    WaveLfo* source = nullptr;
    std::vector<std::unique_ptr<ScopeTraceSet>> traceSets;
};
