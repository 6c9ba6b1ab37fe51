// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The off-screen pixel surface that the browser, the palette and the level picker are drawn into.
// Each pixel is four bytes: blue, green, red, 255. Rows are reached from row 0 by a signed stride, so a
// bottom-up bitmap can be wrapped as well as the surface's own top-down memory.

#include "draw/DirtyRegion.h"
#include "model/ColourWord.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

namespace tintorb {

// The 32-bit value whose bytes in memory are blue, green, red, 255 on any byte order.
[[nodiscard]] constexpr std::uint32_t PixelOf(Rgb c) {
    return std::bit_cast<std::uint32_t>(std::array<std::uint8_t, 4>{c.b, c.g, c.r, 255});
}

class Surface {
  public:
    // Allocates width × height pixels, top-down, every byte 0. The memory comes from the system already
    // zeroed, so the rows nobody draws (most of a screen-sized surface) are never touched, and in huge
    // pages, so that the rows that are drawn fault in a few pieces instead of a thousand.
    Surface(int width, int height);
    // Wraps pixel memory owned elsewhere. stride is the signed distance in bytes from row 0 to row 1.
    Surface(std::uint8_t* row0, std::ptrdiff_t stride, int width, int height);

    [[nodiscard]] int Width() const { return width_; }
    [[nodiscard]] int Height() const { return height_; }
    [[nodiscard]] std::uint8_t* Row0() const { return row0_; }
    [[nodiscard]] std::ptrdiff_t Stride() const { return stride_; }
    // A surface over the box of this one's pixels, cut to this one; it owns nothing.
    [[nodiscard]] Surface Part(PixelBox box) const;

    // The colour stored at (x, y); (x, y) must lie on the surface.
    [[nodiscard]] Rgb PixelAt(int x, int y) const;

    // A horizontal run of |len| pixels; a negative len runs from x + len to x - 1. Clipped to the surface.
    void DrawHLine(Rgb colour, int x, int y, int len) { HRun(PixelOf(colour), x, y, len); }
    // The same on column x.
    void DrawVLine(Rgb colour, int x, int y, int len);
    // A filled rectangle, clipped to the surface.
    void FillBox(Rgb colour, int x, int y, int w, int h);
    // A one-pixel outline; the corners belong to the horizontal lines.
    void DrawBox(Rgb colour, int x, int y, int w, int h);
    // n nested outlines, the outermost on (x, y, w, h).
    void DrawFrame(Rgb colour, int x, int y, int w, int h, int n);
    // Paints the client area: row 0 once, then copied into each following row.
    void ClearSurface(Rgb colour, int clientW, int clientH);
    // Fills a w-wide box with copies of the given lines of w pixels each: row r of the box is line
    // r mod lines.size(). Clipped to the surface. Pixels that already hold their colour are neither written
    // nor reported drawn.
    void RepeatLines(int x, int y, int w, int h, std::span<const std::uint32_t* const> lines);
    // Cells of one size side by side from (x, y), cell k filled with pixels[k], some of them framed. The few
    // distinct lines are built once and copied into every row: for cells a few dozen pixels wide, far
    // cheaper than a fill per cell and row, and a frame drawn into the lines leaves a row that is shown
    // already as it is.
    static constexpr std::size_t MaxCellOutlines = 4;
    struct CellFrame {
        std::size_t cell = 0;
        // Nested one-pixel outlines on the cell's edge and inside it, outermost first (at most
        // MaxCellOutlines), as DrawBox draws them.
        std::span<const Rgb> outlines;
    };
    void FillCellRow(int x, int y, int cellWidth, int cellHeight, std::span<const std::uint32_t> pixels,
                     std::span<const CellFrame> frames = {});

    // Everything drawn since the last TakeDirty, which starts a new region.
    [[nodiscard]] const DirtyRegion& Dirty() const { return dirty_; }
    DirtyRegion TakeDirty() { return std::exchange(dirty_, DirtyRegion{}); }

  private:
    void HRun(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t len);
    void VRun(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t len);
    void Box(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h);
    // The line of FillCellRow's rows fromEdge away from a cell's top or bottom edge, over the box's columns.
    static void BuildCellLine(std::span<std::uint32_t> line, PixelBox box, int x, int cellWidth,
                              std::span<const std::uint32_t> pixels, std::span<const CellFrame> frames,
                              std::size_t fromEdge);

    [[nodiscard]] std::uint32_t* Row(int y) const {
        return reinterpret_cast<std::uint32_t*>(row0_ + static_cast<std::ptrdiff_t>(y) * stride_);
    }

    // The clipped box of columns x … x + w − 1 and rows y … y + h − 1, in 64 bits as the runs are.
    [[nodiscard]] PixelBox ClipBox(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) const;

    struct FreePixels {
        std::size_t bytes;
        void operator()(std::uint32_t* pixels) const;
    };
    std::unique_ptr<std::uint32_t[], FreePixels> own_;
    DirtyRegion dirty_;
    std::uint8_t* row0_ = nullptr;
    std::ptrdiff_t stride_ = 0;
    int width_ = 0;
    int height_ = 0;
};

// A run of |len| cells from pos (from pos + len when len is negative), cut to 0 … limit − 1. The runs work in
// 64 bits: callers' coordinates may be anything, and neither the clipping nor the outline arithmetic of
// DrawBox and DrawFrame may overflow.
struct ClippedRun {
    std::int64_t start = 0;
    std::int64_t length = 0;
};

[[nodiscard]] constexpr ClippedRun ClipRun(std::int64_t pos, std::int64_t len, std::int64_t limit) {
    ClippedRun run{len < 0 ? pos + len : pos, len < 0 ? -len : len};
    if (run.start + run.length > limit) {
        run.length = limit - run.start;
    }
    if (run.start < 0) {
        run.length += run.start;
        run.start = 0;
    }
    return run;
}

// Inline, as the browser's stripes are thousands of short runs per redraw.
inline void Surface::HRun(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t len) {
    const ClippedRun run = ClipRun(x, len, width_);
    if (y < 0 || y >= height_ || run.length <= 0) {
        return;
    }
    std::fill_n(Row(static_cast<int>(y)) + run.start, run.length, pixel);
    dirty_.Add({static_cast<int>(run.start), static_cast<int>(y), static_cast<int>(run.start + run.length),
                static_cast<int>(y) + 1});
}

}  // namespace tintorb
