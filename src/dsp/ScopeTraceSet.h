#pragma once

#include "ScopeTrace.h"

#include <array>
#include <atomic>
#include <memory>

// The four traces of one oscilloscope view: input left and right, output left and right.
//
// The editor copies them on the message thread while the audio thread captures, through a
// sequence lock: the capture makes the sequence odd before it writes and even again after, and a
// copy counts only when it saw the same even sequence before and after reading. The audio thread
// never waits; a copy that keeps meeting a capture gives up and keeps the previous picture.
class ScopeTraceSet
{
public:
    enum TraceIndex
    {
        inputLeft = 0,
        inputRight,
        outputLeft,
        outputRight,
        numTraces
    };

    struct Snapshot
    {
        struct Columns
        {
            std::array<float, ScopeTrace::capacity> minimum {}, maximum {};
        };

        int columns = 0;
        std::array<Columns, numTraces> traces;
    };

    // Attempts of a copy before it gives up on a capture that keeps running.
    static constexpr int maxCopyAttempts = 16;

    ScopeTraceSet (AudioNode& parentNode, const ParameterRecord* zoomRecord, float clearValue = 0.0f);

    ScopeTrace& trace (int index) noexcept { return *traces[(size_t) index]; }
    const ScopeTrace& trace (int index) const noexcept { return *traces[(size_t) index]; }

    void clearAll() noexcept;

    // Audio thread: brackets every change of the columns.
    void beginWrite() noexcept;
    void endWrite() noexcept;

    // Message thread: copies all four traces as one capture left them. Returns false, leaving
    // the copy incomplete, when every attempt overlapped a capture.
    bool copySnapshot (Snapshot& snapshot) const noexcept;

private:
    std::array<std::unique_ptr<ScopeTrace>, numTraces> traces;
    std::atomic<juce::uint32> sequence { 0 };
};
