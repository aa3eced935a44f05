#pragma once

#include <cstddef>

// Counts calls of the allocator (operator new and delete in every form, and the malloc family)
// made on a thread while it is inside a Scope. Other threads, and this one outside a scope, are
// not counted. Only in an executable of its own without sanitizers, which replace the allocator
// themselves.
class AllocationCounter
{
public:
    class Scope
    {
    public:
        Scope() noexcept;
        ~Scope();
        Scope (const Scope&) = delete;
        Scope& operator= (const Scope&) = delete;
    };

    // Calls counted since the last reset, on every thread.
    static long calls() noexcept;
    static void reset() noexcept;
};
