#include "WaveHistory.h"

#include <cmath>

WaveHistory::WaveHistory (WaveState& s, int w) noexcept : state (s), wave (w) {}

bool WaveHistory::equal (const WaveSnapshot& a, const WaveSnapshot& b) noexcept
{
    for (int i = 0; i < WaveSnapshot::numSlots; ++i)
        if (a.x[(size_t) i] != b.x[(size_t) i] || a.type[(size_t) i] != b.type[(size_t) i]
            || std::abs (a.y[(size_t) i] - b.y[(size_t) i]) > 1.0e-6f)
            return false;

    return true;
}

const WaveSnapshot& WaveHistory::current() const noexcept
{
    return state.waves[(size_t) wave];
}

void WaveHistory::record()
{
    auto& h = state.history (wave);

    if (h.position >= 0 && equal (h.entries[(size_t) h.position], current()))
        return;

    ++h.position;

    if ((size_t) h.position < h.entries.size())
    {
        h.entries[(size_t) h.position] = current();
        h.entries.resize ((size_t) h.position + 1);
    }
    else
    {
        h.entries.push_back (current());
    }
}

std::optional<WaveSnapshot> WaveHistory::undo()
{
    auto& h = state.history (wave);

    if (h.position < 1 || equal (h.entries[(size_t) h.position - 1], current()))
        return std::nullopt;

    --h.position;
    return h.entries[(size_t) h.position];
}

std::optional<WaveSnapshot> WaveHistory::redo()
{
    auto& h = state.history (wave);

    if ((size_t) (h.position + 1) >= h.entries.size())
        return std::nullopt;

    ++h.position;
    return h.entries[(size_t) h.position];
}

void WaveHistory::copy()
{
    state.copyBuffer = current();
    state.copyBufferValid = true;
}

std::optional<WaveSnapshot> WaveHistory::paste() const
{
    if (! state.copyBufferValid)
        return std::nullopt;

    return state.copyBuffer;
}
