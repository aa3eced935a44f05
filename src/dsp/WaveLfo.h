#pragma once

#include "../processor/AudioNode.h"

// Plays the curve of one wave as an LFO and writes one value per sample into a signal buffer.
// Its rate comes from "Speed Type" with "Loop Length" (tempo synced) or "Speed" (hertz), or from
// the last note. "Synced" types take the phase from the host transport, "Retrig." and "1-Shot"
// types restart at every note, and a "1-Shot" cycle ends by gliding to the wave's end value and
// holding it. Audio thread only.
class WaveLfo : public AudioNode
{
public:
    // The steps of "Speed Type".
    using SpeedType = ParameterLayout::SpeedTypeStep;
    static constexpr SpeedType beatSynced = ParameterLayout::beatSynced, beatRetrig = ParameterLayout::beatRetrig,
                               beatOneShot = ParameterLayout::beatOneShot, hertzSynced = ParameterLayout::hertzSynced,
                               hertzRetrig = ParameterLayout::hertzRetrig, hertzOneShot = ParameterLayout::hertzOneShot,
                               pitchToRate = ParameterLayout::pitchToRate;

    static constexpr int numLoopLengths = (int) ParameterLayout::loopLengthSteps.size();
    static constexpr double oneShotEnd = 63.0 / 64.0;   // where a one-shot cycle stops playing
    static constexpr float endRampSeconds = 0.2f;

    WaveLfo (AudioNode& parentNode, const ParameterRecord& loopLengthRecord, const ParameterRecord& speedRecord,
             const ParameterRecord& speedTypeRecord, SignalBuffer& outputBuffer);

    // Plays wave w (0 ... 9) from now on, without touching the phase.
    void setWave (int w) noexcept;

    // Restarts the cycle at startPhase and ends a one-shot hold. The velocity is not used.
    void noteOn (int noteNumber, float velocity, double startPhase) noexcept;

    // Writes n values (at most 512) into the output buffer.
    void render (int n) noexcept;

    // Cycles per second and the phase in cycles, as the last render call left them.
    double rate() const noexcept { return currentRate; }
    double phase() const noexcept { return currentPhase; }

    // What the next render call starts from, with the parameters and transport as they are now:
    // its rate, and its phase once a synced type took the transport's and it was reduced to [0, 1).
    struct Start
    {
        double rate;
        double phase;
    };

    Start nextStart() const noexcept { return startFor (speedType->currentStep()); }

    // Whether the next render call holds a one-shot cycle's end value instead of playing.
    bool isHolding() const noexcept { return holding && isOneShot (speedType->currentStep()); }

    // Whether a note restarts the cycle: every type but the synced ones.
    bool restartsAtNotes() const noexcept;

private:
    static int loopLengthOfStep (int step) noexcept;
    static int levelForRate (double cyclesPerSecond) noexcept;
    static bool isOneShot (int type) noexcept { return type == beatOneShot || type == hertzOneShot; }

    void playWave (int type, int n) noexcept;
    void playSilence (int type, int n) noexcept;
    void updateRateAndPhase (int type) noexcept;
    Start startFor (int type) const noexcept;
    static double reduced (double phase) noexcept;
    float hertzRate() const noexcept;
    float endValue() const noexcept;
    void holdFill (int m) noexcept;
    void startEndRamp (int m) noexcept;

    const ParameterRecord* loopLength;
    const ParameterRecord* speed;
    const ParameterRecord* speedType;
    int note = 0;
    double currentRate = 0.0;
    double currentPhase = 0.0;
    bool holding = false;
    const WaveTables* played;
    SignalBuffer* output;
    float* cursor = nullptr;
    float rampValue = 0.0f;
    float rampStep = 0.0f;
    int rampRemaining = 0;
    bool oneShot = false;   // what this render call chose; the next call acts on it
};
