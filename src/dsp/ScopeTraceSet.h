#pragma once

#include "ScopeTrace.h"
#include "../events/SequenceLock.h"

#include <array>
#include <atomic>
#include <memory>

// The four traces of one oscilloscope view: input left and right, output left and right.
//
// The editor copies them on the message thread while the audio thread captures, through a
// sequence lock. The audio thread never waits; a copy that keeps meeting a capture gives up and
// keeps the previous picture.
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

    ScopeTraceSet (AudioNode& parentNode, const ParameterRecord* zoomRecord, float clearValue = 0.0f);

    ScopeTrace& trace (int index) noexcept { return *traces[(size_t) index]; }
    const ScopeTrace& trace (int index) const noexcept { return *traces[(size_t) index]; }

    void clearAll() noexcept;

    // Audio thread: brackets every change of the columns.
    void beginWrite() noexcept { lock.beginWrite(); }
    void endWrite() noexcept { lock.endWrite(); }

    // Message thread: copies all four traces as one capture left them. Returns false, leaving
    // the copy incomplete, when every attempt overlapped a capture.
    bool copySnapshot (Snapshot& snapshot) const noexcept;

private:
    std::array<std::unique_ptr<ScopeTrace>, numTraces> traces;
    SequenceLock lock;
};
