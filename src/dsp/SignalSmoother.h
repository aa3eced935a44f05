#pragma once

#include "../processor/AudioNode.h"

// Removes zipper noise from a control signal with a third-order low-pass (three identical
// one-pole stages in double precision), smoothing its SignalBuffer in place. While the value is
// steady it does no work and leaves the buffer constant.
class SignalSmoother : public AudioNode
{
public:
    enum State
    {
        notStarted = 0,
        startFromNextValue = 1,   // the next call jumps to the value instead of rising to it
        running = 2
    };

    static constexpr double baseCutoffHz = 50.0;
    static constexpr double cutoffOctaves = 8.5;
    // Once the output is this close to a constant target, the target is passed on unfiltered.
    static constexpr double settleThreshold = 1.0 / 16384.0;
    // Added in the first stage to keep the filter states away from denormal numbers.
    static constexpr double denormalOffset = 1e-14;

    // speed is the cutoff setting v: the cutoff is 50 · 2^(8.5 · v) Hz.
    SignalSmoother (AudioNode& parentNode, SignalBuffer& smoothedBuffer, float speed) noexcept;

    void setState (State newState) noexcept { state = newState; }
    State getState() const noexcept { return state; }

    // Smooths entries 0 ... n - 1 (n at most 512) of the buffer.
    void process (int n) noexcept;

private:
    void updateCoefficients() noexcept;
    double nextOutput (double input) noexcept;
    void filterVarying (int n) noexcept;
    void filterConstant (int n) noexcept;

    SignalBuffer* buffer;
    State state = notStarted;
    float speed;
    double y1 = 0.0, y2 = 0.0, y3 = 0.0;
    double b = 0.0;   // feedback
    double a = 0.0;   // input gain
    double cachedSampleRate = 0.0;
};
