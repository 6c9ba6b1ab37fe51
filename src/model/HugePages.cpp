// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/HugePages.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TINTORB_ASAN 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define TINTORB_ASAN 1
#endif
#ifdef TINTORB_ASAN
#include <sanitizer/asan_interface.h>
#endif

namespace tintorb {

namespace {

constexpr std::uintptr_t HugePage = HugePageSize;

[[nodiscard]] constexpr std::uintptr_t RoundUp(std::uintptr_t n, std::uintptr_t unit) {
    return (n + unit - 1) / unit * unit;
}

}  // namespace

#if defined(MAP_ANONYMOUS)

void* AllocateHugePages(std::size_t size, bool populate) {
    const std::uintptr_t rounded = RoundUp(size, HugePage);
    if (size == 0 || rounded < size || rounded + HugePage < rounded) {
        throw std::bad_alloc();
    }
    // One huge page more than needed, so that an aligned start lies inside; both ends go back at once.
    void* mapped =
        ::mmap(nullptr, rounded + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) {
        throw std::bad_alloc();
    }
    const auto begin = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t start = RoundUp(begin, HugePage);
    if (start > begin) {
        ::munmap(mapped, start - begin);
    }
    if (begin + HugePage > start) {
        ::munmap(reinterpret_cast<void*>(start + rounded), begin + HugePage - start);
    }
    auto* memory = reinterpret_cast<std::uint8_t*>(start);
    // Advice only: where the kernel lacks either, pages come one fault at a time as before.
#ifdef MADV_HUGEPAGE
    [[maybe_unused]] const int huge = ::madvise(memory, rounded, MADV_HUGEPAGE);
#endif
#ifdef MADV_POPULATE_WRITE
    if (populate) {
        [[maybe_unused]] const int populated = ::madvise(memory, rounded, MADV_POPULATE_WRITE);
    }
#else
    (void)populate;
#endif
#ifdef TINTORB_ASAN
    // The rounding is no part of the block: a touch there must fail as it would on the heap.
    ASAN_POISON_MEMORY_REGION(memory + size, rounded - size);
#endif
    return memory;
}

void FreeHugePages(void* memory, std::size_t size) noexcept {
    const std::uintptr_t rounded = RoundUp(size, HugePage);
#ifdef TINTORB_ASAN
    // The addresses may be mapped again for anything else.
    ASAN_UNPOISON_MEMORY_REGION(memory, rounded);
#endif
    ::munmap(memory, rounded);
}

#else

void* AllocateHugePages(std::size_t size, bool) {
    void* memory = std::calloc(size, 1);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}

void FreeHugePages(void* memory, std::size_t) noexcept {
    std::free(memory);
}

#endif

}  // namespace tintorb
