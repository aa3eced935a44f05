#pragma once

#include <atomic>
#include <thread>

// A pointer that one thread sets and clears while other threads, the audio thread among them,
// may use the object behind it. A user raises a counter before it reads the pointer, so clearing
// the pointer and then seeing the counter at zero proves no thread still holds the old object.
// Users never wait; only the clearing thread does, for the length of one use.
template <typename Object>
class HandOverPointer
{
public:
    void set (Object* object) noexcept { pointer.store (object); }

    // Clears the pointer and returns once no use of the old object is in flight.
    void clearAndWait() noexcept
    {
        pointer.store (nullptr);

        while (users.load() != 0)
            std::this_thread::yield();
    }

    // Calls use (Object&) if an object is set; returns whether one was.
    template <typename Use>
    bool with (Use&& use) noexcept (noexcept (use (std::declval<Object&>())))
    {
        users.fetch_add (1);
        auto* object = pointer.load();

        if (object != nullptr)
            use (*object);

        users.fetch_sub (1);
        return object != nullptr;
    }

    Object* get() const noexcept { return pointer.load(); }

private:
    std::atomic<Object*> pointer { nullptr };
    std::atomic<int> users { 0 };
};
