#pragma once

#include <cstddef>
#include <new>

namespace varnok {

// Memory for tables that grow to megabytes and are filled soon after they are made (the
// grid's cells and texts while an index file is read). Such memory is mapped on its own,
// aligned to the system's large pages and marked for them: filling it then costs one page
// fault per two megabytes instead of one per four kilobytes, which on virtual machines is
// most of the time a large read takes. Where large pages are off it is ordinary memory.

/** At least `bytes` bytes, throws std::bad_alloc. Free with FreeLargeMemory(p, bytes). */
[[nodiscard]] void* AllocateLargeMemory(std::size_t bytes);
void FreeLargeMemory(void* memory, std::size_t bytes) noexcept;

// A standard allocator that takes requests of a megabyte or more from AllocateLargeMemory
// and smaller ones from operator new.
template <class T> class LargeMemoryAllocator {
public:
    using value_type = T;

    LargeMemoryAllocator() = default;
    template <class U> explicit LargeMemoryAllocator(const LargeMemoryAllocator<U>&) noexcept {}

    [[nodiscard]] T* allocate(std::size_t count)
    {
        if (count > kMostElements)
            throw std::bad_array_new_length();
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeRequest)
            return static_cast<T*>(::operator new(bytes, std::align_val_t(alignof(T))));
        return static_cast<T*>(AllocateLargeMemory(bytes));
    }

    void deallocate(T* memory, std::size_t count) noexcept
    {
        const std::size_t bytes = count * sizeof(T);
        if (bytes < kLargeRequest)
            ::operator delete(memory, std::align_val_t(alignof(T)));
        else
            FreeLargeMemory(memory, bytes);
    }

    template <class U> bool operator==(const LargeMemoryAllocator<U>&) const noexcept
    {
        return true;
    }

private:
    static constexpr std::size_t kLargeRequest = 1024 * 1024;
    static constexpr std::size_t kMostElements = static_cast<std::size_t>(-1) / sizeof(T);
};

} // namespace varnok
