// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The storage of a file image: a vector of bytes whose memory suits images of any size. A big image lies
// in huge pages from its first byte to its last (see HugePages.h), and a load can size the vector without
// zeroing bytes that the read overwrites at once.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace tintorb {

// Memory for size bytes, in huge pages from a few MiB up; throws std::bad_alloc.
[[nodiscard]] void* AllocateImageMemory(std::size_t size);
// Gives back what AllocateImageMemory(size) returned.
void FreeImageMemory(void* memory, std::size_t size) noexcept;

template <class T>
class ImageAllocator {
  public:
    using value_type = T;

    ImageAllocator() = default;
    template <class U>
    ImageAllocator(const ImageAllocator<U>&) noexcept {}

    [[nodiscard]] T* allocate(std::size_t n) { return static_cast<T*>(AllocateImageMemory(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { FreeImageMemory(p, n * sizeof(T)); }

    // An element made without a value is left unset (default-initialised); FileBytes only lets that
    // happen through ResizeForOverwrite.
    template <class U>
    void construct(U* p) noexcept {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const ImageAllocator&, const ImageAllocator&) { return true; }
};

class FileBytes : public std::vector<std::uint8_t, ImageAllocator<std::uint8_t>> {
    using Base = std::vector<std::uint8_t, ImageAllocator<std::uint8_t>>;

  public:
    using Base::Base;
    FileBytes() = default;
    explicit FileBytes(size_type n) : Base(n, 0) {}
    // Would leave n bytes unset.
    FileBytes(size_type n, const allocator_type&) = delete;

    // Plain byte vectors (what tests and other formats hold) convert both ways.
    FileBytes(const std::vector<std::uint8_t>& bytes) : Base(bytes.begin(), bytes.end()) {}
    FileBytes& operator=(const std::vector<std::uint8_t>& bytes) {
        assign(bytes.begin(), bytes.end());
        return *this;
    }
    operator std::vector<std::uint8_t>() const { return {begin(), end()}; }

    // New bytes are 0, as in any vector.
    void resize(size_type n) { Base::resize(n, 0); }
    void resize(size_type n, value_type value) { Base::resize(n, value); }
    // New bytes are left unset: only for a caller that overwrites every one of them before reading any.
    void ResizeForOverwrite(size_type n) { Base::resize(n); }

    friend bool operator==(const FileBytes& a, const FileBytes& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
    friend bool operator==(const FileBytes& a, const std::vector<std::uint8_t>& b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end());
    }
};

}  // namespace tintorb
