#pragma once

#include "../dsp/WaveState.h"

#include <optional>

// The undo history of one wave and the copy buffer, over the curve editor's WaveState.
// Nothing here writes points: undo, redo and paste hand back the snapshot to restore, and the
// curve editor writes it through its point setters (so the mirror follows), or posts the message
// named below when there is nothing to restore.
class WaveHistory
{
public:
    static constexpr const char* noEditToUndo = "There is no edit to undo.";
    static constexpr const char* noEditToRedo = "There is no edit to redo.";
    static constexpr const char* copied = "Copied waveform to buffer.";
    static constexpr const char* pasted = "Pasted waveform from buffer.";
    static constexpr const char* nothingToPaste = "There is no copied waveform to paste from buffer.";

    WaveHistory (WaveState& state, int wave) noexcept;

    // x and type equal, y within 1e-6, in all slots.
    static bool equal (const WaveSnapshot& a, const WaveSnapshot& b) noexcept;

    // Adds the wave's current points, unless they equal the entry at the position; an entry
    // recorded after an undo drops the redo entries.
    void record();

    // Call record() first, so that changes made since the last record are a step of their own.
    std::optional<WaveSnapshot> undo();
    std::optional<WaveSnapshot> redo();

    // The copy buffer takes all 40 slots of the wave, used or not.
    void copy();
    std::optional<WaveSnapshot> paste() const;

private:
    const WaveSnapshot& current() const noexcept;

    WaveState& state;
    int wave;
};
