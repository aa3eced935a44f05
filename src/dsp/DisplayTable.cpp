#include "DisplayTable.h"

void DisplayTable::write (const float* values) noexcept
{
    lock.beginWrite();

    for (size_t i = 0; i < (size_t) size; ++i)
        entries[i].store (values[i], std::memory_order_relaxed);

    lock.endWrite();
}

void DisplayTable::clear() noexcept
{
    lock.beginWrite();

    for (auto& entry : entries)
        entry.store (0.0f, std::memory_order_relaxed);

    lock.endWrite();
}

bool DisplayTable::copyTo (Values& copy) const noexcept
{
    return lock.read ([&]
    {
        for (size_t i = 0; i < (size_t) size; ++i)
            copy[i] = entries[i].load (std::memory_order_relaxed);
    });
}
