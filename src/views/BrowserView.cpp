// SPDX-License-Identifier: GPL-3.0-or-later
#include "views/BrowserView.h"

#include "app/Generic.h"
#include "app/StatusText.h"
#include "model/NumberText.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tintorb {

namespace {

inline constexpr Rgb InvalidStripeEven{64, 64, 64};
inline constexpr Rgb InvalidStripeOdd{128, 128, 128};

inline constexpr std::string_view TopLeftText = "Top Left: $";
inline constexpr std::string_view UnderMouseText = "Under Mouse: $";
inline constexpr std::string_view NoWordUnderMouseText = "Under Mouse: x";

// Byte offset one past the last word the browser may show: the words counted at load time, but never
// more than the image holds, so a stale count cannot make the grid read past it.
[[nodiscard]] std::int64_t BrowserDataEnd(const EditorState& state) {
    const auto imageWords = static_cast<std::int64_t>(state.FileData.size() / 2);
    return 2 * std::clamp<std::int64_t>(state.WordCount, 0, imageWords);
}

// The cells [first, last) whose words lie in [0, end): the grid stops at the first word past the end.
struct CellRange {
    int first = 0;
    int last = 0;
};

[[nodiscard]] CellRange ShownCells(std::int64_t browserOffset, std::int64_t end) {
    // The first cell whose byte offset is at least the given one.
    const auto cellFrom = [&](std::int64_t offset) {
        const std::int64_t distance = offset - browserOffset;
        return static_cast<int>(std::min<std::int64_t>(distance <= 0 ? 0 : (distance + 1) / 2, BrowserCells));
    };
    const int last = cellFrom(end);
    return {std::min(cellFrom(0), last), last};
}

// The cells tile the browser's rectangle exactly, so a full grid overwrites every pixel of it.
static_assert(RectOf(Ctl::areaBrowser).width == BrowserColumns * BrowserCellSize);
static_assert(RectOf(Ctl::areaBrowser).height == BrowserColumns * BrowserCellSize);

// A grid row's pixel lines: the even lines of its cells, and the odd ones, which differ only where a word
// that is no colour is drawn in stripes.
struct GridRowLines {
    std::array<std::uint32_t, BrowserColumns * BrowserCellSize> even;
    std::array<std::uint32_t, BrowserColumns * BrowserCellSize> odd;
};

}  // namespace

void TForm1::DrawBrowserCells(int from, int to) {
    const CellRange shown = ShownCells(State.BrowserOffset, BrowserDataEnd(State));
    const Rect grid = RectOf(Ctl::areaBrowser);
    const bool showInvalid = controls_.Checked(Ctl::chkInvalid);
    const std::uint32_t background = PixelOf(BackgroundColour);
    const std::uint32_t stripeEven = PixelOf(InvalidStripeEven);
    const std::uint32_t stripeOdd = PixelOf(InvalidStripeOdd);

    // Each grid row's part is built once as two pixel lines and copied into its sixteen pixel rows: far
    // cheaper than drawing cell by cell, and the same whatever mix of colours and stripes the row holds. The
    // rows cover the cells past the data too, in the background colour, so no clear goes first.
    GridRowLines lines;
    for (int row = std::max(from, 0) / BrowserColumns; row * BrowserColumns < std::min(to, BrowserCells);
         ++row) {
        const int firstColumn = std::max(from - row * BrowserColumns, 0);
        const int endColumn = std::min(to - row * BrowserColumns, BrowserColumns);
        bool striped = false;
        for (int column = firstColumn; column < endColumn; ++column) {
            const int i = row * BrowserColumns + column;
            std::uint32_t evenPixel = background;
            std::uint32_t oddPixel = background;
            if (i >= shown.first && i < shown.last) {
                // Inside the shown range both bytes of the word lie inside the image.
                const ColourWord w =
                    WordAt(State.FileData.data() + (std::int64_t{State.BrowserOffset} + 2 * i));
                if (!showInvalid && !IsValidColour(w)) {
                    evenPixel = stripeEven;
                    oddPixel = stripeOdd;
                    striped = true;
                } else {
                    evenPixel = oddPixel = PixelOf(DisplayColour(w));
                }
            }
            std::fill_n(lines.even.data() + column * BrowserCellSize, BrowserCellSize, evenPixel);
            std::fill_n(lines.odd.data() + column * BrowserCellSize, BrowserCellSize, oddPixel);
        }
        const int left = firstColumn * BrowserCellSize;
        const std::array<const std::uint32_t*, 2> pattern{
            lines.even.data() + left, (striped ? lines.odd.data() : lines.even.data()) + left};
        surface_->RepeatLines(grid.left + left, grid.top + BrowserCellSize * row,
                              (endColumn - firstColumn) * BrowserCellSize, BrowserCellSize, pattern);
    }
}

void TForm1::DrawBrowserWords(ByteRange changed) {
    const ByteRange::Words cells = changed.WordsFrom(State.BrowserOffset, BrowserCells);
    DrawBrowserCells(static_cast<int>(cells.first), static_cast<int>(cells.last));
}

void TForm1::DrawBrowser() {
    DrawBrowserCells(0, BrowserCells);
    controls_.Present();
    controls_.SetText(Ctl::lblBrowser,
                      std::string(TopLeftText) + HexText(static_cast<std::uint32_t>(State.BrowserOffset)));
}

void TForm1::chkInvalidClick() {
    DrawBrowser();
}

void TForm1::areaBrowserMouseMove(int X, int Y) {
    // While a press on the grid holds the mouse, moves arrive from anywhere; off the grid no cell is under
    // the pointer, as in the margin around it.
    const Rect grid = RectOf(Ctl::areaBrowser);
    const bool overGrid = X >= 0 && Y >= 0 && X < grid.width && Y < grid.height;
    const std::int64_t offset = BrowserOffsetAt(X, Y, State.BrowserOffset);
    if (overGrid && offset >= 0 && offset < static_cast<std::int64_t>(State.FileData.size())) {
        controls_.SetText(Ctl::lblBrowserMouse,
                          std::string(UnderMouseText) + HexText(static_cast<std::uint32_t>(offset)));
        if (State.HasWordAt(offset)) {
            controls_.ShowStatus(WordStatus(offset, State.FileData.size(), State.ReadWordAt(offset)));
        }
    } else {
        controls_.SetText(Ctl::lblBrowserMouse, NoWordUnderMouseText);
    }
}

void TForm1::areaBrowserMouseWheel(int angleDelta) {
    // A notch of 120 scrolls three rows, as a scroll bar turns a notch into three steps of one row.
    constexpr int TurnPerRow = 40;
    wheelTurn_ += angleDelta;
    const int rows = wheelTurn_ / TurnPerRow;
    wheelTurn_ -= rows * TurnPerRow;
    if (rows != 0) {
        controls_.SetScrollPos(Ctl::barBrowser, controls_.ScrollPos(Ctl::barBrowser) - rows);
    }
}

void TForm1::areaBrowserOutMouseMove(int, int) {
    controls_.SetText(Ctl::lblBrowserMouse, NoWordUnderMouseText);
}

}  // namespace tintorb
