#pragma once

#include "DisplayTable.h"
#include "WaveSnapshot.h"

#include <array>
#include <atomic>
#include <vector>

// The curve editor's working data. The wave processor keeps it for the life of the plug-in
// instance, so undo histories, the copy buffer and the view switches survive closing the editor.
// Besides the histories' clearing, the processor writes only the display pointers and the first
// point parameter; everything else belongs to the editor on the message thread.
struct WaveState
{
    static constexpr int numWaves = 10;
    static constexpr int numSlots = WaveSnapshot::numSlots;

    struct History
    {
        int position = -1;                   // the entry that matches the current points
        std::vector<WaveSnapshot> entries;   // in time order
    };

    std::array<WaveSnapshot, numWaves> waves {};   // mirror of the point parameters
    WaveSnapshot copyBuffer {};
    bool copyBufferValid = false;
    bool stepsDrawing = false;
    bool showTriplets = false;
    bool valueGrid = false;
    bool snapToGrid = false;
    bool showInput = true;
    bool showOutput = true;
    bool showLeftChannel = true;
    bool showRightChannel = true;

    std::array<const DisplayTable*, numWaves> displayTables {};
    std::array<std::atomic<bool>*, numWaves> displayFlags {};

    std::array<std::array<int, numSlots>, numWaves> selectionOffsetsX {};
    std::array<std::array<int, numSlots>, numWaves> selectionOffsetsY {};

    int firstPointParameter = -1;

    // A program load empties every history. Any thread may ask for it: the request is only a
    // counter, and the histories themselves are emptied by the next history() on the message
    // thread, so the editor never sees them change under its hands and nothing is freed elsewhere.
    void requestHistoryClear() noexcept { programLoads.fetch_add (1, std::memory_order_release); }

    // The undo history of a wave, as it stands after every program load requested so far.
    // Message thread only.
    History& history (int wave)
    {
        auto& h = histories[(size_t) wave];
        const auto loads = programLoads.load (std::memory_order_acquire);

        if (loadsSeen[(size_t) wave] != loads)
        {
            h.position = -1;
            h.entries.clear();
            loadsSeen[(size_t) wave] = loads;
        }

        return h;
    }

private:
    std::array<History, numWaves> histories;
    std::atomic<unsigned int> programLoads { 0 };
    std::array<unsigned int, numWaves> loadsSeen {};
};
