// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw/Surface.h"

#include "model/HugePages.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace tintorb {

namespace {

// One pixel at least, so that an empty surface still owns memory.
[[nodiscard]] std::size_t PixelBytes(int width, int height) {
    return std::max<std::size_t>(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 1) * 4;
}

[[nodiscard]] bool SamePixels(const std::uint32_t* a, const std::uint32_t* b, std::size_t n) {
    return std::memcmp(a, b, n * 4) == 0;
}

// The pixels first … end − 1 of two runs that differ, from the first difference to the last; the runs must
// differ somewhere. Sixteen pixels at a time while they agree, as an edit changes a few cells of a long row.
struct Span {
    std::size_t first = 0;
    std::size_t end = 0;
};

[[nodiscard]] Span DifferingSpan(const std::uint32_t* a, const std::uint32_t* b, std::size_t n) {
    constexpr std::size_t Step = 16;
    Span span{0, n};
    while (span.first + Step <= n && SamePixels(a + span.first, b + span.first, Step)) {
        span.first += Step;
    }
    while (a[span.first] == b[span.first]) {
        ++span.first;
    }
    while (span.end >= span.first + Step && SamePixels(a + span.end - Step, b + span.end - Step, Step)) {
        span.end -= Step;
    }
    while (a[span.end - 1] == b[span.end - 1]) {
        --span.end;
    }
    return span;
}

}  // namespace

void Surface::FreePixels::operator()(std::uint32_t* pixels) const {
    if (bytes >= HugePageSize) {
        FreeHugePages(pixels, bytes);
    } else {
        std::free(pixels);
    }
}

Surface::Surface(int width, int height)
    : own_(nullptr, FreePixels{PixelBytes(std::max(width, 0), std::max(height, 0))}),
      stride_(static_cast<std::ptrdiff_t>(std::max(width, 0)) * 4),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)) {
    const std::size_t bytes = own_.get_deleter().bytes;
    void* pixels = bytes >= HugePageSize ? AllocateHugePages(bytes, false) : std::calloc(bytes, 1);
    if (pixels == nullptr) {
        throw std::bad_alloc();
    }
    own_.reset(static_cast<std::uint32_t*>(pixels));
    row0_ = reinterpret_cast<std::uint8_t*>(own_.get());
}

Surface::Surface(std::uint8_t* row0, std::ptrdiff_t stride, int width, int height)
    : own_(nullptr, FreePixels{0}),
      row0_(row0),
      stride_(stride),
      width_(std::max(width, 0)),
      height_(std::max(height, 0)) {}

Surface Surface::Part(PixelBox box) const {
    const PixelBox part =
        ClipBox(box.left, box.top, std::int64_t{box.right} - box.left, std::int64_t{box.bottom} - box.top);
    if (part.Empty()) {
        return {row0_, stride_, 0, 0};
    }
    return {reinterpret_cast<std::uint8_t*>(Row(part.top) + part.left), stride_, part.Width(), part.Height()};
}

Rgb Surface::PixelAt(int x, int y) const {
    std::uint8_t bytes[4];
    std::memcpy(bytes, Row(y) + x, 4);
    return {bytes[2], bytes[1], bytes[0]};
}

void Surface::VRun(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t len) {
    const ClippedRun run = ClipRun(y, len, height_);
    if (x < 0 || x >= width_ || run.length <= 0) {
        return;
    }
    for (std::int64_t row = run.start; row < run.start + run.length; ++row) {
        Row(static_cast<int>(row))[x] = pixel;
    }
    dirty_.Add({static_cast<int>(x), static_cast<int>(run.start), static_cast<int>(x) + 1,
                static_cast<int>(run.start + run.length)});
}

void Surface::DrawVLine(Rgb colour, int x, int y, int len) {
    VRun(PixelOf(colour), x, y, len);
}

PixelBox Surface::ClipBox(std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) const {
    const ClippedRun columns = ClipRun(x, std::max<std::int64_t>(w, 0), width_);
    const ClippedRun rows = ClipRun(y, std::max<std::int64_t>(h, 0), height_);
    if (columns.length <= 0 || rows.length <= 0) {
        return {};
    }
    return {static_cast<int>(columns.start), static_cast<int>(rows.start),
            static_cast<int>(columns.start + columns.length), static_cast<int>(rows.start + rows.length)};
}

void Surface::FillBox(Rgb colour, int x, int y, int w, int h) {
    const PixelBox box = ClipBox(x, y, w, h);
    if (box.Empty()) {
        return;
    }
    const std::uint32_t pixel = PixelOf(colour);
    for (int row = box.top; row < box.bottom; ++row) {
        std::fill_n(Row(row) + box.left, box.Width(), pixel);
    }
    dirty_.Add(box);
}

void Surface::RepeatLines(int x, int y, int w, int h, std::span<const std::uint32_t* const> lines) {
    const PixelBox box = ClipBox(x, y, w, h);
    if (box.Empty() || lines.empty()) {
        return;
    }
    const auto width = static_cast<std::size_t>(box.Width());
    const std::ptrdiff_t skipped = std::ptrdiff_t{box.left} - x;
    // Only the pixels that differ are written and reported drawn: a row that already shows its line costs
    // one comparison, and an edit of one cell repaints that cell alone.
    PixelBox changed{box.right, box.bottom, box.left, box.top};
    std::optional<Span> previous;
    for (int row = box.top; row < box.bottom; ++row) {
        const auto r = static_cast<std::size_t>(std::int64_t{row} - y);
        const std::uint32_t* line = lines[r % lines.size()] + skipped;
        std::uint32_t* out = Row(row) + box.left;
        if (SamePixels(out, line, width)) {
            continue;
        }
        // The rows of a changed cell differ where the row above did: when the row agrees outside that span,
        // the span is written as it is, without a search.
        const bool asAbove = previous && SamePixels(out, line, previous->first) &&
                             SamePixels(out + previous->end, line + previous->end, width - previous->end);
        const Span span = asAbove ? *previous : DifferingSpan(out, line, width);
        previous = span;
        std::memcpy(out + span.first, line + span.first, (span.end - span.first) * 4);
        changed = {std::min(changed.left, box.left + static_cast<int>(span.first)),
                   std::min(changed.top, row), std::max(changed.right, box.left + static_cast<int>(span.end)),
                   row + 1};
    }
    dirty_.Add(changed);
}

void Surface::FillCellRow(int x, int y, int cellWidth, int cellHeight, std::span<const std::uint32_t> pixels,
                          std::span<const CellFrame> frames) {
    if (cellWidth <= 0 || cellHeight <= 0) {
        return;
    }
    // Only the columns that lie on the surface are built.
    const PixelBox box =
        ClipBox(x, y, std::int64_t{cellWidth} * static_cast<std::int64_t>(pixels.size()), cellHeight);
    if (box.Empty()) {
        return;
    }
    std::size_t depth = 0;
    for (const CellFrame& frame : frames) {
        depth = std::max(depth, std::min(frame.outlines.size(), MaxCellOutlines));
    }
    // Line d < depth shows the rows d away from the top or bottom edge, line depth every other row. On the
    // stack for the rows the views draw; wider ones (the surface allows them) on the heap.
    const auto width = static_cast<std::size_t>(box.Width());
    constexpr std::size_t NearWidth = 1024;
    std::array<std::array<std::uint32_t, NearWidth>, MaxCellOutlines + 1> near;
    std::vector<std::uint32_t> far(width > NearWidth ? width * (depth + 1) : 0);
    std::array<const std::uint32_t*, MaxCellOutlines + 1> lines{};
    for (std::size_t d = 0; d <= depth; ++d) {
        const std::span<std::uint32_t> line =
            width > NearWidth ? std::span(far).subspan(d * width, width) : std::span(near[d]).first(width);
        BuildCellLine(line, box, x, cellWidth, pixels, frames, d);
        lines[d] = line.data();
    }
    // The framed edge rows one by one, the rows between them in one go.
    const std::int64_t top = box.top - std::int64_t{y};
    const std::int64_t bottom = box.bottom - std::int64_t{y};
    const auto edge = static_cast<std::int64_t>(depth);
    for (std::int64_t r = top; r < bottom; ++r) {
        const std::int64_t fromEdge = std::min(r, std::int64_t{cellHeight} - 1 - r);
        if (fromEdge >= edge) {
            const std::int64_t end = std::min(bottom, std::int64_t{cellHeight} - edge);
            RepeatLines(box.left, static_cast<int>(y + r), box.Width(), static_cast<int>(end - r),
                        std::span(&lines[depth], 1));
            r = end - 1;
        } else {
            RepeatLines(box.left, static_cast<int>(y + r), box.Width(), 1,
                        std::span(&lines[static_cast<std::size_t>(fromEdge)], 1));
        }
    }
}

void Surface::BuildCellLine(std::span<std::uint32_t> line, PixelBox box, int x, int cellWidth,
                            std::span<const std::uint32_t> pixels, std::span<const CellFrame> frames,
                            std::size_t fromEdge) {
    // The columns of cell k that lie in the box, relative to the box.
    const auto columns = [&](std::size_t k) {
        const std::int64_t start = x + static_cast<std::int64_t>(k) * cellWidth;
        return std::pair{std::max<std::int64_t>(start, box.left) - box.left,
                         std::min<std::int64_t>(start + cellWidth, box.right) - box.left};
    };
    for (std::size_t k = 0; k < pixels.size(); ++k) {
        const auto [left, right] = columns(k);
        if (right > left) {
            std::fill(line.begin() + left, line.begin() + right, pixels[k]);
        }
    }
    // Outline l of a cell covers its pixels l away from its nearest edge, as nested DrawBox calls would.
    for (const CellFrame& frame : frames) {
        if (frame.cell >= pixels.size()) {
            continue;
        }
        const auto [left, right] = columns(frame.cell);
        const std::int64_t start = x + static_cast<std::int64_t>(frame.cell) * cellWidth - box.left;
        const std::size_t outlines = std::min(frame.outlines.size(), MaxCellOutlines);
        for (std::int64_t c = left; c < right; ++c) {
            const auto level = static_cast<std::size_t>(
                std::min({c - start, start + cellWidth - 1 - c, static_cast<std::int64_t>(fromEdge)}));
            if (level < outlines) {
                line[static_cast<std::size_t>(c)] = PixelOf(frame.outlines[level]);
            }
        }
    }
}

void Surface::Box(std::uint32_t pixel, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    HRun(pixel, x, y, w);
    VRun(pixel, x, y + 1, h - 2);
    VRun(pixel, x + w - 1, y + 1, h - 2);
    HRun(pixel, x, y + h - 1, w);
}

void Surface::DrawBox(Rgb colour, int x, int y, int w, int h) {
    Box(PixelOf(colour), x, y, w, h);
}

void Surface::DrawFrame(Rgb colour, int x, int y, int w, int h, int n) {
    // Outline l has its top row at y + l, its bottom row at y + h - 1 - l, its left column at x + l and its
    // right column at x + w - 1 - l, and draws nothing unless one of them lies on the surface. So only the
    // levels in these four spans are drawn; as every level has the same colour, their order does not
    // matter, and a huge n costs no more than a small one.
    const std::int64_t left = x;
    const std::int64_t top = y;
    const std::int64_t right = left + w;
    const std::int64_t bottom = top + h;
    std::array<std::pair<std::int64_t, std::int64_t>, 4> spans{{
        {-top, height_ - top},
        {bottom - height_, bottom},
        {-left, width_ - left},
        {right - width_, right},
    }};
    std::sort(spans.begin(), spans.end());
    const std::uint32_t pixel = PixelOf(colour);
    std::int64_t drawnUpTo = 0;
    for (const auto& [first, end] : spans) {
        const std::int64_t stop = std::min<std::int64_t>(end, n);
        for (std::int64_t l = std::max(first, drawnUpTo); l < stop; ++l) {
            Box(pixel, left + l, top + l, w - 2 * l, h - 2 * l);
        }
        drawnUpTo = std::max(drawnUpTo, stop);
    }
}

void Surface::ClearSurface(Rgb colour, int clientW, int clientH) {
    const int width = std::min(std::max(clientW, 0), width_);
    const int height = std::min(std::max(clientH, 0), height_);
    if (width == 0 || height == 0) {
        return;
    }
    HRun(PixelOf(colour), 0, 0, width);
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    for (int row = 1; row < height; ++row) {
        std::memcpy(Row(row), Row(0), rowBytes);
    }
    dirty_.Add({0, 0, width, height});
}

}  // namespace tintorb
