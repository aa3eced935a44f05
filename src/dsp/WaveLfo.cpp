#include "WaveLfo.h"

#include "Wave.h"

#include <cmath>

#if defined (__SSE2__)
 #include <emmintrin.h>
#endif

namespace
{
    // "Loop Length" steps in 128th notes. "3 Bars (12/4)" is 392, not 384, on purpose.
    constexpr int loopLengths[WaveLfo::numLoopLengths] = {
        1, 2, 4, 8, 16, 24, 32, 48, 64, 96, 128, 192, 256, 392, 512, 1024, 2048, 4096
    };

    // A loop of L 128th notes at a tempo in beats per minute plays tempo / (1.875 · L) cycles per
    // second: 60 seconds per minute over 32 128th notes per beat.
    constexpr double tempoDivisor = 60.0 / 32.0;
    constexpr double pulsesPerBeat = 32.0;        // 128th notes per quarter note
    constexpr float slowestHertz = 0.02f;
    constexpr float hertzOctaves = 18.0f;         // "Speed" spans 0.02 Hz ... 5242.88 Hz

    // Just below one half, so that reducing a phase a hair below an integer gives a value a hair
    // below 0 rather than one a hair below 1.
    constexpr double phaseReductionBias = 0.499999985;

    // The rate at which a cycle advances one level-0 sample per sample at 44.1 kHz (44100 / 8192).
    constexpr float levelZeroRate = (float) (44100.0 / DspContext::topLevelSize);
    static_assert (levelZeroRate == 5.38330078125f);
    // The last level, 4 samples per cycle, is never played.
    constexpr int highestPlayedLevel = DspContext::numLevels - 2;

    // Nearest integer, ties to even: the processor never changes the FPU's rounding mode. The SSE
    // conversion is what llrint does, without the library call in the per-sample loop.
    inline long long roundToEven (double x) noexcept
    {
       #if defined (__SSE2__)
        return _mm_cvtsd_si64 (_mm_set_sd (x));
       #else
        return std::llrint (x);
       #endif
    }
}

WaveLfo::WaveLfo (AudioNode& parentNode, const ParameterRecord& loopLengthRecord, const ParameterRecord& speedRecord,
                  const ParameterRecord& speedTypeRecord, SignalBuffer& outputBuffer)
    : AudioNode (parentNode),
      loopLength (&loopLengthRecord),
      speed (&speedRecord),
      speedType (&speedTypeRecord),
      played (&state->waves[0]),
      output (&outputBuffer)
{
}

void WaveLfo::setWave (int w) noexcept
{
    if (juce::isPositiveAndBelow (w, StateBlock::numWaves))
        played = &state->waves[(size_t) w];
}

void WaveLfo::noteOn (int noteNumber, float, double startPhase) noexcept
{
    note = noteNumber;
    holding = false;
    currentPhase = startPhase;
}

//==============================================================================
void WaveLfo::render (int n) noexcept
{
    n = juce::jlimit (0, SignalBuffer::capacity, n);
    const int type = speedType->currentStep();

    if (holding && isOneShot (type))
    {
        // Rate and phase stand still while the end value is held.
        output->varying = true;
        cursor = output->data();
        holdFill (n);
        return;
    }

    holding = false;

    if (played->hasPoints)
        playWave (type, n);
    else
        playSilence (type, n);
}

void WaveLfo::playSilence (int type, int n) noexcept
{
    // The phase keeps running, so the wave comes in at the right place once it is drawn.
    output->varying = false;
    output->samples[0] = 0.0f;
    updateRateAndPhase (type);
    currentPhase += currentRate / context->sampleRateDouble * n;
    rampRemaining = 0;
}

void WaveLfo::playWave (int type, int n) noexcept
{
    // A switch into or out of the one-shot types is acted on from the next call.
    const bool watchForEnd = oneShot;
    oneShot = isOneShot (type);
    output->varying = true;
    cursor = output->data();

    updateRateAndPhase (type);
    const int level = levelForRate (currentRate);
    const auto size = (long long) context->interpolationSizes[(size_t) level];
    const float* table = played->interpolationLevel (level);
    const double increment = currentRate / context->sampleRateDouble;

    for (int i = 0; i < n; ++i)
    {
        // The size is a power of two, so the mask is the modulo, also for a phase a hair below 0.
        *cursor++ = table[roundToEven (currentPhase * (double) size) & (size - 1)];
        currentPhase += increment;

        if (watchForEnd && currentPhase >= oneShotEnd)
        {
            startEndRamp (n - i - 1);
            return;
        }
    }
}

void WaveLfo::updateRateAndPhase (int type) noexcept
{
    const auto start = startFor (type);
    currentRate = start.rate;
    currentPhase = start.phase;
}

WaveLfo::Start WaveLfo::startFor (int type) const noexcept
{
    Start start { currentRate, currentPhase };

    switch (type)
    {
        case beatSynced:
        case beatRetrig:
        case beatOneShot:
        {
            const auto length = (double) loopLengthOfStep (loopLength->currentStep());
            start.rate = context->tempo / (tempoDivisor * length);

            if (type == beatSynced)
                start.phase = context->ppqPosition * pulsesPerBeat / length;

            break;
        }

        case hertzSynced:
        case hertzRetrig:
        case hertzOneShot:
        {
            const float hertz = hertzRate();
            start.rate = hertz;

            if (type == hertzSynced)
                start.phase = (double) hertz * context->timeInSeconds;

            break;
        }

        case pitchToRate:
            start.rate = context->noteFrequencies[(size_t) juce::jlimit (0, DspContext::numNotes - 1, note)];
            break;

        default:
            break;
    }

    start.phase = reduced (start.phase);
    return start;
}

double WaveLfo::reduced (double phase) noexcept
{
    return phase - (double) roundToEven (phase - phaseReductionBias);
}

bool WaveLfo::restartsAtNotes() const noexcept
{
    const int type = speedType->currentStep();
    return type != beatSynced && type != hertzSynced;
}

float WaveLfo::hertzRate() const noexcept
{
    // The record's normalized value; -1 before the first write counts as 0.
    const float s = juce::jmax (0.0f, speed->value);
    return slowestHertz * std::pow (2.0f, hertzOctaves * s);
}

int WaveLfo::loopLengthOfStep (int step) noexcept
{
    return juce::isPositiveAndBelow (step, numLoopLengths) ? loopLengths[step] : 0;
}

int WaveLfo::levelForRate (double cyclesPerSecond) noexcept
{
    // In single precision throughout: at exact powers of two (5512.5 Hz is 1024 times the level-0
    // rate) the product of the float logarithm and factor rounds up to the whole number, where
    // the same product in double precision would stay just below it.
    const float r = (float) cyclesPerSecond;

    if (r < levelZeroRate)
        return 0;

    const float inverseLn2 = (float) (1.0 / std::log (2.0));
    return juce::jmin (highestPlayedLevel, (int) (std::log (r / levelZeroRate) * inverseLn2));
}

//==============================================================================
float WaveLfo::endValue() const noexcept
{
    return Wave::endValueOf (*played);
}

void WaveLfo::startEndRamp (int m) noexcept
{
    const float target = endValue();
    rampRemaining = (int) (context->sampleRate * endRampSeconds);
    rampValue = *(cursor - 1);
    rampStep = rampRemaining > 0 ? (target - rampValue) / (float) rampRemaining : 0.0f;
    holding = true;
    holdFill (m);
}

void WaveLfo::holdFill (int m) noexcept
{
    // A whole call of end value is a constant buffer; samples already written in this call stay.
    if (rampRemaining == 0 && cursor == output->data())
    {
        output->varying = false;
        output->samples[0] = endValue();
        return;
    }

    if (m <= rampRemaining)
    {
        rampRemaining -= m;

        for (int i = 0; i < m; ++i)
            *cursor++ = (rampValue += rampStep);

        return;
    }

    for (; rampRemaining > 0; --rampRemaining, --m)
        *cursor++ = (rampValue += rampStep);

    const float value = endValue();

    for (; m > 0; --m)
        *cursor++ = value;
}
