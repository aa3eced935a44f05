#include "SignalSmoother.h"

#include <cmath>

namespace
{
    constexpr double ln2 = 0.69314718055994530942;
}

SignalSmoother::SignalSmoother (AudioNode& parentNode, SignalBuffer& smoothedBuffer, float cutoffSpeed) noexcept
    : AudioNode (parentNode), buffer (&smoothedBuffer), speed (cutoffSpeed)
{
}

void SignalSmoother::process (int n) noexcept
{
    n = juce::jlimit (0, SignalBuffer::capacity, n);

    if (state == startFromNextValue)
    {
        y1 = y2 = y3 = (double) buffer->samples[0];
        state = running;
    }

    if (buffer->varying)
        filterVarying (n);
    else if (std::abs ((double) buffer->samples[0] - y3) > settleThreshold)
        filterConstant (n);
}

void SignalSmoother::updateCoefficients() noexcept
{
    // Computed once per sample rate; a new rate takes effect at the next span that filters.
    const double sampleRate = context->sampleRateDouble;

    if (sampleRate == cachedSampleRate)
        return;

    cachedSampleRate = sampleRate;
    const double angle = baseCutoffHz * juce::MathConstants<double>::pi / sampleRate;
    const double octaves = std::exp (ln2 * cutoffOctaves * (double) speed);   // 2^(8.5 · v)
    const double e = std::exp (-2.0 * angle * octaves);
    b = e;
    a = 1.0 - e;
}

inline double SignalSmoother::nextOutput (double input) noexcept
{
    y1 = a * input + b * y1 + denormalOffset;
    y2 = a * y1 + b * y2;
    y3 = a * y2 + b * y3;
    return y3;
}

void SignalSmoother::filterVarying (int n) noexcept
{
    updateCoefficients();
    float* x = buffer->data();

    for (int i = 0; i < n; ++i)
        x[i] = (float) nextOutput ((double) x[i]);
}

void SignalSmoother::filterConstant (int n) noexcept
{
    updateCoefficients();
    float* x = buffer->data();
    const double target = (double) x[0];
    buffer->varying = true;

    for (int i = 0; i < n; ++i)
        x[i] = (float) nextOutput (target);
}

