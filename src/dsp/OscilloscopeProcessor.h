#pragma once

#include "../processor/AudioProcessorMixin.h"
#include "ScopeTraceSet.h"

#include <atomic>
#include <memory>
#include <vector>

class WaveLfo;

// Captures the input and output of every render range into the traces the curve editor draws
// behind the curve. The traces follow the phase and rate of the LFO that pans the signal, so one
// LFO cycle always spans the same columns. Capture stops while a one-shot cycle holds its end
// value; a note in a type that restarts at notes clears the picture. Nothing is captured until the
// editor turns capture on.
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

    // The editor turns capture on while it shows the traces; off, the spans cost nothing. The
    // picture left from before is redrawn column by column and is whole again within one LFO cycle.
    void setScopeCaptureEnabled (bool enabled) override { captureEnabled.store (enabled, std::memory_order_relaxed); }

    void captureInput (juce::AudioBuffer<float>& buffer, int start, int count) override;
    void captureOutput (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi, int start, int count) override;
    void noteStarted() override;

private:
    bool capturing() const noexcept;
    void alignTraces (ScopeTraceSet& traces) const noexcept;
    void captureChannels (ScopeTraceSet& traces, const juce::AudioBuffer<float>& buffer, int start, int count,
                          int leftTrace, int rightTrace) const noexcept;

    WaveLfo* source = nullptr;
    std::vector<std::unique_ptr<ScopeTraceSet>> traceSets;
    // Set on the message thread, read once per span on the audio thread: a span seen late only
    // starts or stops the picture one span later.
    std::atomic<bool> captureEnabled { false };
};
