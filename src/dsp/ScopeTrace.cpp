#include "ScopeTrace.h"

#include <cmath>

namespace
{
    constexpr float zoomOctaves = 13.0f;
    constexpr float zoomBase = 0.03125f;
    constexpr float zoomWithoutRecord = 0.5f;   // 2^6.5 / 32, about 2.83
}

ScopeTrace::ScopeTrace (AudioNode& parentNode, const ParameterRecord* zoom, float valueWhenClear) noexcept
    : AudioNode (parentNode),
      zoomRecord (zoom),
      clearValue (valueWhenClear),
      runningMinimum (valueWhenClear),
      runningMaximum (valueWhenClear)
{
    clear();
}

void ScopeTrace::clear() noexcept
{
    for (size_t i = 0; i < (size_t) capacity; ++i)
    {
        minima[i].store (clearValue, std::memory_order_relaxed);
        maxima[i].store (clearValue, std::memory_order_relaxed);
    }

    position = 0.0;
}

float ScopeTrace::zoom() const noexcept
{
    return zoomOf (zoomRecord != nullptr ? zoomRecord->storage : zoomWithoutRecord);
}

float ScopeTrace::zoomOf (float zoomValue) noexcept
{
    return std::pow (2.0f, zoomOctaves * zoomValue) * zoomBase;
}

double ScopeTrace::columnsPerSample() const noexcept
{
    if (! (speed > 0.0f))
        return 0.0;

    // The period and its share per column in single precision, the rest in double.
    const float secondsPerColumn = (1.0f / speed) / (float) columns;
    const double step = 1.0 / ((double) secondsPerColumn * context->sampleRateDouble);
    return std::isfinite (step) ? step : 0.0;
}

int ScopeTrace::currentColumn() const noexcept
{
    return juce::jlimit (0, columns - 1, (int) position);
}

void ScopeTrace::store (int column, float low, float high) noexcept
{
    minima[(size_t) column].store (low, std::memory_order_relaxed);
    maxima[(size_t) column].store (high, std::memory_order_relaxed);
}

void ScopeTrace::fill (int first, int last, float low, float high) noexcept
{
    for (int column = juce::jmax (0, first); column <= juce::jmin (last, columns - 1); ++column)
        store (column, low, high);
}

void ScopeTrace::capture (const float* samples, int n) noexcept
{
    if (n <= 0)
        return;

    const double step = columnsPerSample();

    if (step < 1.0)
        captureSlow (samples, n, step);
    else
        captureFast (samples, n, step);
}

void ScopeTrace::captureSlow (const float* samples, int n, double step) noexcept
{
    // Several samples per column. A column's extremes are stored when the next column begins, in
    // that next column. The running state lives in locals: the compiler cannot tell the member
    // floats apart from the samples and would otherwise go through memory for every sample.
    double pos = position;
    int last = lastColumn;
    float low = runningMinimum;
    float high = runningMaximum;
    int column = currentColumn();

    for (int i = 0; i < n; ++i)
    {
        const float x = samples[i];

        if (column != last)
        {
            store (column, low, high);
            last = column;
            low = high = x;
        }
        else if (x < low)
        {
            low = x;
        }
        else if (x > high)
        {
            high = x;
        }

        pos += step;
        column = (int) pos;

        if (column >= columns)
        {
            pos -= columns;
            column = (int) pos;
            last = -1;
        }
    }

    position = pos;
    lastColumn = last;
    runningMinimum = low;
    runningMaximum = high;
}

void ScopeTrace::captureFast (const float* samples, int n, double step) noexcept
{
    // One sample spans one or more columns. When the span covers more than the screen, only the
    // samples that still show are drawn: the last screen's worth and two more.
    if ((long long) (n * step) > columns)
    {
        const int shown = (int) (columns / step) + 2;

        if (shown < n)
        {
            position = std::fmod (position + step * (n - shown), (double) columns);
            lastColumn = (int) position - 1;
            samples += n - shown;
            n = shown;
        }
    }

    int column = currentColumn();

    for (int i = 0; i < n; ++i)
    {
        const float x = samples[i];
        fill (lastColumn + 1, column, runningMinimum, runningMaximum);
        lastColumn = column;
        runningMinimum = runningMaximum = x;
        position += step;
        column = (int) position;

        if (column >= columns)
        {
            fill (lastColumn + 1, columns - 1, x, x);
            // At a low sample rate and a high note rate one step can cross more than a screen.
            position = std::fmod (position, (double) columns);
            column = (int) position;
            lastColumn = -1;
        }
    }
}
