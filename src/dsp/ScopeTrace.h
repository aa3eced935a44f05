#pragma once

#include "../processor/AudioNode.h"

#include <array>
#include <atomic>

// One oscilloscope trace: for every screen column of one LFO cycle, the lowest and highest sample
// seen in that column. The audio thread captures; the editor reads the columns on the message
// thread, each one an atomic float, so a reader never blocks the capture (ScopeTraceSet gives
// the editor a consistent copy).
class ScopeTrace : public AudioNode
{
public:
    static constexpr int capacity = 632;
    static constexpr int defaultColumns = 580;
    static_assert (defaultColumns <= capacity);

    // zoomRecord is the "Oscilloscope Zoom" record, or null.
    ScopeTrace (AudioNode& parentNode, const ParameterRecord* zoomRecord, float clearValue = 0.0f) noexcept;

    // Sets every column to the clear value and the position to 0.
    void clear() noexcept;

    // Where the next sample lands (in columns, 0 ... columns) and how fast the cycle runs.
    void setPosition (double column) noexcept { position = column; }
    void setSpeed (float cyclesPerSecond) noexcept { speed = cyclesPerSecond; }
    double getPosition() const noexcept { return position; }
    float getSpeed() const noexcept { return speed; }

    // Gathers n samples into the columns they fall in, advancing the position with the speed.
    void capture (const float* samples, int n) noexcept;

    // How much the editor scales the trace: 2^(13 · v) / 32 for zoom value v.
    float zoom() const noexcept;
    static float zoomOf (float zoomValue) noexcept;

    int getColumns() const noexcept { return columns; }
    float minimum (int column) const noexcept { return minima[(size_t) column].load (std::memory_order_relaxed); }
    float maximum (int column) const noexcept { return maxima[(size_t) column].load (std::memory_order_relaxed); }

private:
    double columnsPerSample() const noexcept;
    void captureSlow (const float* samples, int n, double step) noexcept;
    void captureFast (const float* samples, int n, double step) noexcept;
    void store (int column, float low, float high) noexcept;
    void fill (int first, int last, float low, float high) noexcept;
    int currentColumn() const noexcept;

    const ParameterRecord* zoomRecord;
    float clearValue;
    std::array<std::atomic<float>, capacity> minima;
    std::array<std::atomic<float>, capacity> maxima;
    int columns = defaultColumns;
    float speed = 0.0f;
    double position = 0.0;
    int lastColumn = -1;     // the column whose extremes are being gathered; -1 when none
    float runningMinimum = 0.0f;
    float runningMaximum = 0.0f;
};
