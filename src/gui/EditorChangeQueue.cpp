#include "EditorChangeQueue.h"

#include <cstring>

std::uint64_t EditorChangeQueue::packValue (float value) noexcept
{
    std::uint32_t bits = 0;
    std::memcpy (&bits, &value, sizeof bits);
    return writtenBit | bits;
}

std::uint64_t EditorChangeQueue::packStep (int step) noexcept
{
    return writtenBit | stepBit | (std::uint32_t) step;
}

bool EditorChangeQueue::store (int index, std::uint64_t word) noexcept
{
    if (! isValid (index))
        return false;

    mirror[(size_t) index].store (word, std::memory_order_release);
    return true;
}

bool EditorChangeQueue::storeFirst (int index, std::uint64_t word) noexcept
{
    if (! isValid (index))
        return false;

    std::uint64_t unwritten = 0;
    return mirror[(size_t) index].compare_exchange_strong (unwritten, word, std::memory_order_acq_rel) && push (index);
}

EditorChangeQueue::Entry EditorChangeQueue::entry (int index) const noexcept
{
    if (! isValid (index))
        return {};

    const auto word = mirror[(size_t) index].load (std::memory_order_acquire);
    const auto bits = (std::uint32_t) word;
    Entry e;
    e.isStep = (word & stepBit) != 0;

    if (e.isStep)
        e.step = (int) bits;
    else
        std::memcpy (&e.value, &bits, sizeof bits);

    return e;
}
