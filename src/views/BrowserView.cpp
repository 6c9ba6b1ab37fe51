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

// How many cells the grid shows: it stops at the first word at or past the end.
[[nodiscard]] int ShownCellCount(const EditorState& state) {
    const std::int64_t bytesLeft = BrowserDataEnd(state) - state.BrowserOffset;
    return static_cast<int>(std::clamp<std::int64_t>((bytesLeft + 1) / 2, 0, BrowserCells));
}

// The cells tile the browser's rectangle exactly, so a full grid overwrites every pixel of it.
static_assert(RectOf(Ctl::areaBrowser).width == BrowserColumns * BrowserCellSize);
static_assert(RectOf(Ctl::areaBrowser).height == BrowserColumns * BrowserCellSize);

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
    const int shown = ShownCellCount(State);
    // Under a full grid the clear would only be painted over.
    if (shown < BrowserCells) {
        ClearBrowser();
    }
    const Rect grid = RectOf(Ctl::areaBrowser);
    const bool showInvalid = controls_.Checked(Ctl::chkInvalid);
    for (int i = 0; i < shown; ++i) {
        const ColourWord w = State.ReadWordAt(std::int64_t{State.BrowserOffset} + 2 * i);
        const int x = grid.left + BrowserCellSize * (i % BrowserColumns);
        const int y = grid.top + BrowserCellSize * (i / BrowserColumns);
        if (!showInvalid && !IsValidColour(w)) {
            DrawInvalidCell(x, y, BrowserCellSize, BrowserCellSize);
        } else {
            DrawColourCell(w, x, y, BrowserCellSize, BrowserCellSize);
        }
    }
    controls_.Present();
    controls_.SetText(Ctl::lblBrowser,
                      std::string(TopLeftText) + HexText(static_cast<std::uint32_t>(State.BrowserOffset)));
}

void TForm1::barBrowserChange() {
    // One scroll step is one row of the grid.
    const std::int64_t offset = std::int64_t{controls_.ScrollPos(Ctl::barBrowser)} * BrowserColumns * 2;
    State.BrowserOffset = static_cast<std::int32_t>(
        std::clamp<std::int64_t>(offset, 0, std::numeric_limits<std::int32_t>::max()));
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
