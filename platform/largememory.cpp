#include "platform/largememory.h"

#include <sys/mman.h>

#include <cstdint>

namespace varnok {

namespace {

// The large page size of x86-64 and most 64-bit ARM systems; elsewhere the alignment is
// merely larger than needed.
constexpr std::size_t kLargePage = 2 * 1024 * 1024;

} // namespace

#if defined(__SANITIZE_ADDRESS__)

// Under AddressSanitizer the memory comes from operator new, whose bounds it checks.
void* AllocateLargeMemory(std::size_t bytes)
{
    return ::operator new(bytes, std::align_val_t(kLargePage));
}

void FreeLargeMemory(void* memory, std::size_t /*bytes*/) noexcept
{
    ::operator delete(memory, std::align_val_t(kLargePage));
}

#else

namespace {

std::size_t roundUpToLargePage(std::size_t bytes)
{
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* AllocateLargeMemory(std::size_t bytes)
{
    if (bytes == 0 || bytes > SIZE_MAX - 2 * kLargePage)
        throw std::bad_alloc();
    // Map one large page more than needed, then give back the parts before and after the
    // aligned stretch: the kernel only uses large pages for whole aligned stretches.
    const std::size_t length = roundUpToLargePage(bytes);
    const std::size_t mapped = length + kLargePage;
    void* const raw =
        ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (start + kLargePage - 1) / kLargePage * kLargePage;
    const std::size_t head = aligned - start;
    if (head > 0)
        ::munmap(raw, head);
    if (const std::size_t tail = mapped - head - length; tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + length), tail);
    void* const memory = reinterpret_cast<void*>(aligned);
    // Only advice: without large pages the memory is used as it is.
    static_cast<void>(::madvise(memory, length, MADV_HUGEPAGE));
    return memory;
}

void FreeLargeMemory(void* memory, std::size_t bytes) noexcept
{
    if (memory)
        ::munmap(memory, roundUpToLargePage(bytes));
}

#endif

} // namespace varnok
