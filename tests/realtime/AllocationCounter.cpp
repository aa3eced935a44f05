#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

extern "C"
{
    void* __libc_malloc (size_t);
    void* __libc_calloc (size_t, size_t);
    void* __libc_realloc (void*, size_t);
    void* __libc_memalign (size_t, size_t);
    void __libc_free (void*);
}

namespace
{
    // Initial-exec TLS needs no allocation on first use, so the hooks may read it.
    __attribute__ ((tls_model ("initial-exec"))) thread_local bool counting = false;
    std::atomic<long> counted { 0 };

    void note() noexcept
    {
        if (counting)
            counted.fetch_add (1, std::memory_order_relaxed);
    }

    void* allocate (size_t size)
    {
        note();
        if (void* p = __libc_malloc (size == 0 ? 1 : size))
            return p;
        throw std::bad_alloc();
    }

    void* allocateAligned (size_t size, std::align_val_t alignment)
    {
        note();
        if (void* p = __libc_memalign ((size_t) alignment, size == 0 ? 1 : size))
            return p;
        throw std::bad_alloc();
    }

    void release (void* p) noexcept
    {
        if (p != nullptr)
            note();
        __libc_free (p);
    }
}

AllocationCounter::Scope::Scope() noexcept { counting = true; }
AllocationCounter::Scope::~Scope() { counting = false; }
long AllocationCounter::calls() noexcept { return counted.load(); }
void AllocationCounter::reset() noexcept { counted.store (0); }

//==============================================================================
extern "C"
{
    void* malloc (size_t size) { note(); return __libc_malloc (size); }
    void* calloc (size_t n, size_t size) { note(); return __libc_calloc (n, size); }
    void* realloc (void* p, size_t size) { note(); return __libc_realloc (p, size); }
    void free (void* p) { release (p); }
    void* memalign (size_t alignment, size_t size) { note(); return __libc_memalign (alignment, size); }
    void* aligned_alloc (size_t alignment, size_t size) { note(); return __libc_memalign (alignment, size); }

    int posix_memalign (void** result, size_t alignment, size_t size)
    {
        note();
        *result = __libc_memalign (alignment, size);
        return *result != nullptr ? 0 : 12; // ENOMEM
    }
}

void* operator new (size_t size) { return allocate (size); }
void* operator new[] (size_t size) { return allocate (size); }
void* operator new (size_t size, const std::nothrow_t&) noexcept { note(); return __libc_malloc (size == 0 ? 1 : size); }
void* operator new[] (size_t size, const std::nothrow_t&) noexcept { note(); return __libc_malloc (size == 0 ? 1 : size); }
void* operator new (size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void* operator new[] (size_t size, std::align_val_t a) { return allocateAligned (size, a); }
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, size_t) noexcept { release (p); }
void operator delete[] (void* p, size_t) noexcept { release (p); }
void operator delete (void* p, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { release (p); }
void operator delete (void* p, size_t, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, size_t, std::align_val_t) noexcept { release (p); }
