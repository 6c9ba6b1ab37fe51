// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileBytes.h"

#include "model/HugePages.h"

namespace tintorb {

namespace {

// Below this the heap serves better: a huge page would mostly stay empty.
constexpr std::size_t Worthwhile = std::size_t{4} << 20;

}  // namespace

void* AllocateImageMemory(std::size_t size) {
    // The bytes of a big image are about to be written whole (read from the file).
    return size < Worthwhile ? ::operator new(size) : AllocateHugePages(size, true);
}

void FreeImageMemory(void* memory, std::size_t size) noexcept {
    if (size < Worthwhile) {
        ::operator delete(memory);
    } else {
        FreeHugePages(memory, size);
    }
}

}  // namespace tintorb
