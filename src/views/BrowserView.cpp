#include "views/BrowserView.h"

#include "app/Generic.h"
#include "model/NumberText.h"

#include <algorithm>
#include <cstdint>
#include <limits>
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

// What a cell shows, as one number: Striped for a word that is no colour, else the pixel of its display
// colour (never 0, as a pixel's fourth byte is 255).
inline constexpr std::uint32_t Striped = 0;

[[nodiscard]] constexpr std::uint32_t CellLook(ColourWord w, bool showInvalid) {
    return !showInvalid && !IsValidColour(w) ? Striped : PixelOf(DisplayColour(w));
}

}  // namespace

void TForm1::DrawColourCell(ColourWord w, int x, int y, int width, int height) {
    surface_->FillBox(DisplayColour(w), x, y, width, height);
}

void TForm1::DrawInvalidCell(int x, int y, int width, int height) {
    for (int r = 0; r < height; ++r) {
        surface_->DrawHLine(r % 2 == 0 ? InvalidStripeEven : InvalidStripeOdd, x, y + r, width);
    }
}

void TForm1::DrawBrowser() {
    const CellRange shown = ShownCells(State.BrowserOffset, BrowserDataEnd(State));
    // Under a full grid the clear would only be painted over.
    if (shown.first > 0 || shown.last < BrowserCells) {
        ClearBrowser();
    }
    const Rect grid = RectOf(Ctl::areaBrowser);
    const bool showInvalid = controls_.Checked(Ctl::chkInvalid);
    const auto wordAt = [&](int i) { return State.ReadWordAt(std::int64_t{State.BrowserOffset} + 2 * i); };

    // Neighbouring cells of a grid row that look alike are drawn as one wider cell: the pixels are the
    // same, and the long runs of non-colour words that fill most files cost a few rows instead of many.
    for (int i = shown.first; i < shown.last;) {
        const int rowEnd = std::min(shown.last, (i / BrowserColumns + 1) * BrowserColumns);
        const ColourWord w = wordAt(i);
        const std::uint32_t look = CellLook(w, showInvalid);
        int next = i + 1;
        while (next < rowEnd && CellLook(wordAt(next), showInvalid) == look) {
            ++next;
        }
        const int x = grid.left + BrowserCellSize * (i % BrowserColumns);
        const int y = grid.top + BrowserCellSize * (i / BrowserColumns);
        const int width = BrowserCellSize * (next - i);
        if (look == Striped) {
            DrawInvalidCell(x, y, width, BrowserCellSize);
        } else {
            DrawColourCell(w, x, y, width, BrowserCellSize);
        }
        i = next;
    }
    controls_.Present();
    controls_.SetText(Ctl::lblBrowser,
                      std::string(TopLeftText) + HexText(static_cast<std::uint32_t>(State.BrowserOffset)));
}

void TForm1::barBrowserChange() {
    // One scroll step is one row of the grid.
    const std::int64_t offset = std::int64_t{controls_.ScrollPos(Ctl::barBrowser)} * BrowserColumns * 2;
    document_.SetBrowserOffset(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(offset, 0, std::numeric_limits<std::int32_t>::max())));
    DrawBrowser();
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
    } else {
        controls_.SetText(Ctl::lblBrowserMouse, NoWordUnderMouseText);
    }
}

void TForm1::areaBrowserOutMouseMove(int, int) {
    controls_.SetText(Ctl::lblBrowserMouse, NoWordUnderMouseText);
}

}  // namespace tintorb
