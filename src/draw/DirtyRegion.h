// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What has been drawn on the surface since it was last shown: the window repaints only these boxes, so
// an edit of one area neither copies the whole surface to the screen nor repaints the controls that lie
// over other parts of it.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace tintorb {

// Columns left … right − 1 of rows top … bottom − 1.
struct PixelBox {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr bool Empty() const { return left >= right || top >= bottom; }
    [[nodiscard]] constexpr int Width() const { return right - left; }
    [[nodiscard]] constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(PixelBox, PixelBox) = default;
};

// A few boxes. A box that overlaps or touches another merges with it, so the cells of one area grow one
// box while areas with controls between them stay apart.
class DirtyRegion {
  public:
    static constexpr std::size_t MaxBoxes = 4;

    constexpr void Add(PixelBox box) {
        if (box.Empty()) {
            return;
        }
        for (std::size_t i = 0; i < count_;) {
            if (Touch(boxes_[i], box)) {
                box = Union(boxes_[i], box);
                boxes_[i] = boxes_[--count_];
                i = 0;
            } else {
                ++i;
            }
        }
        // Out of room: the last box takes the new one in, covering more than was drawn, never less.
        if (count_ == MaxBoxes) {
            box = Union(boxes_[--count_], box);
        }
        boxes_[count_++] = box;
    }

    [[nodiscard]] constexpr std::span<const PixelBox> Boxes() const { return {boxes_.data(), count_}; }
    [[nodiscard]] constexpr bool Empty() const { return count_ == 0; }
    constexpr void Clear() { count_ = 0; }

  private:
    [[nodiscard]] static constexpr bool Touch(PixelBox a, PixelBox b) {
        return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
    }
    [[nodiscard]] static constexpr PixelBox Union(PixelBox a, PixelBox b) {
        return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
    }

    std::array<PixelBox, MaxBoxes> boxes_{};
    std::size_t count_ = 0;
};

}  // namespace tintorb
