// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Big blocks of memory straight from the system, aligned to and a whole number of huge pages, with the
// kernel asked to back them with huge pages. On these machines a page fault costs about 11 µs, so a few
// MiB faulted in 4 KiB at a time cost milliseconds; a huge page takes 512 of those faults at once.

#include <cstddef>

namespace tintorb {

inline constexpr std::size_t HugePageSize = std::size_t{2} << 20;

// Zeroed memory for size bytes; throws std::bad_alloc. With populate, the page tables are filled in at
// once, for memory that is about to be written whole; without, each huge page comes at its first touch,
// so that memory nobody touches costs nothing.
[[nodiscard]] void* AllocateHugePages(std::size_t size, bool populate);
// Gives back what AllocateHugePages(size, …) returned.
void FreeHugePages(void* memory, std::size_t size) noexcept;

}  // namespace tintorb
