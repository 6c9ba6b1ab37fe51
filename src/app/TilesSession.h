// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// View > Tiles: what the tool window does, with no window in it. It draws a part of the file as tiles in
// the colours of the palette being edited and follows every change the main window shows: bytes under the
// tiles are decoded again, a palette change only re-colours. A click on a pixel selects its entry as a click
// on the palette cell would. The window only shows what this holds and passes the user's input on.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/Panel.h"
#include "draw/Surface.h"
#include "model/Document.h"
#include "tiles/TileSheet.h"

namespace tintorb {

class Controls;
class TForm1;

inline constexpr int MaxTileZoom = 8;

// What the window's boxes hold; remembered per file.
struct TilesSettings {
    std::string codec = "4bpp-packed";
    std::int64_t start = 0;
    TileLayout layout;
    int line = 0;
    int zoom = 2;
    bool transparentZero = false;
    friend bool operator==(const TilesSettings&, const TilesSettings&) = default;
};

// The settings as one line of text, and back; a field that cannot be read keeps its default.
[[nodiscard]] std::string SettingsText(const TilesSettings& settings);
[[nodiscard]] TilesSettings ReadSettingsText(std::string_view text);

// Tile orders the window offers: row order, then the block sizes games use most.
inline constexpr std::array<std::pair<int, int>, 8> TileOrders{
    {{1, 1}, {1, 2}, {2, 1}, {2, 2}, {2, 4}, {3, 3}, {4, 2}, {4, 4}}};
// "Row by row", "Blocks of 2 × 4".
[[nodiscard]] std::string TileOrderText(std::pair<int, int> order);

// The keys the window passes on: the arrows step the start a byte, the page keys scroll a page.
enum class TilesKey { Left, Right, PageUp, PageDown };

class TilesSession {
  public:
    TilesSession(TForm1& form, Controls& controls) : form_(form), controls_(controls) {}

    // View > Tiles: shows the window with the file's own settings.
    void Open();
    // The window was closed: nothing is drawn until it opens again.
    void Close() { open_ = false; }
    [[nodiscard]] bool IsOpen() const { return open_; }
    // The main window showed a change: an edit, an undo or redo, an import, another file or palette.
    void Follow();
    // The same after an edit of the bytes in changed alone: tiles whose bytes lie elsewhere need no
    // comparing with the bytes they were decoded from.
    void FollowEdit(ByteRange changed);

    // The user's changes in the window. SetAddress returns false, and says why, for text that is no
    // address.
    void SetCodec(std::string_view name);
    bool SetAddress(std::string_view text);
    void StepStart(int bytes);
    void SetColumns(int columns);
    void SetOrder(int blockWidth, int blockHeight);
    void SetLine(int line);
    void SetZoom(int zoom);
    void SetTransparentZero(bool transparent);
    // The tile area's height in pixels (it is as wide as the tiles: the window scrolls it sideways), and the
    // first row of tiles shown in it.
    void SetViewport(int height);
    void ScrollTo(std::int64_t row);
    void ScrollPages(int pages) { ScrollTo(firstRow_ + std::int64_t{pages} * PageRows()); }
    void Press(TilesKey key);
    // The mouse wheel turned by angle eighths of a degree, positive away from the user.
    void Wheel(int angle) { ScrollTo(firstRow_ - angle / 40); }
    // The pointer over, or a left click on, a pixel of the tile area.
    void Hover(int x, int y);
    void Click(int x, int y);
    // "Export Tiles as PNG…": the shown tiles at zoom 1, in the line's colours.
    void ExportPng();

    // What the window shows.
    [[nodiscard]] const TilesSettings& Settings() const { return settings_; }
    // The tile area's pixels, drawn when asked: a window that draws them where it shows them (DrawPixels)
    // leaves this surface undrawn.
    [[nodiscard]] const Surface& Pixels() const;
    [[nodiscard]] PixelBox PixelsBox() const { return {0, 0, pixels_.Width(), pixels_.Height()}; }
    // Draws the box of the tile area's pixels into target, a surface over exactly the box.
    void DrawPixels(Surface& target, PixelBox box) const {
        sheet_.DrawBox(target, box, colours_, settings_.zoom);
    }
    // The boxes of pixels drawn since the last call, which starts a new region.
    DirtyRegion TakeChanged() { return std::exchange(changed_, DirtyRegion{}); }
    [[nodiscard]] std::int64_t Rows() const { return rows_; }
    [[nodiscard]] std::int64_t FirstRow() const { return firstRow_; }
    // The last first row: the one that shows the last row at the bottom.
    [[nodiscard]] std::int64_t LastFirstRow() const { return std::max<std::int64_t>(rows_ - PageRows(), 0); }
    // The place of the layout's order in TileOrders; row order for one not offered.
    [[nodiscard]] int OrderIndex() const;
    [[nodiscard]] int PageRows() const;
    [[nodiscard]] const std::string& Status() const { return status_; }
    [[nodiscard]] const std::string& HoverText() const { return hover_; }
    // The shown line's entries, each with how many pixels of the shown tiles use it.
    [[nodiscard]] std::vector<LegendEntry> Legend() const;

  private:
    [[nodiscard]] TileRun Run() const;
    [[nodiscard]] std::vector<ColourWord> Palette() const;
    // The tiles the shown rows hold, first to one past the last; whole bands of blocks.
    [[nodiscard]] std::pair<std::int64_t, std::int64_t> ShownTiles(const TileRun& run) const;
    // Why no tile shows, or nothing when tiles do.
    [[nodiscard]] std::optional<std::string> Empty() const;
    void Changed();
    void Refresh();
    void Decode(const TileRun& run);
    // Whether bytes, at the address at, are those the sheet was decoded from.
    [[nodiscard]] bool Decoded(std::int64_t at, std::span<const std::uint8_t> bytes) const;
    void Recolour();
    void SayWhatShows();
    // What the pointer at (x, y) of the tile area points at, or nothing off the tiles.
    [[nodiscard]] std::string HoverAt(int x, int y) const;

    TForm1& form_;
    Controls& controls_;
    bool open_ = false;
    std::string settingsFile_;
    TilesSettings settings_;
    int viewHeight_ = 0;
    std::int64_t rows_ = 0;
    std::int64_t firstRow_ = 0;
    TileSheet sheet_;
    // Sized at each decode; its boxes in stale_ are drawn by the next Pixels.
    mutable Surface pixels_{0, 0};
    mutable DirtyRegion stale_;
    // What the sheet was decoded from: the settings, the first row and the bytes, so that a change that
    // leaves them alone only re-colours.
    std::optional<TilesSettings> decodedSettings_;
    std::int64_t decodedFirstRow_ = -1;
    int decodedRows_ = 0;
    std::vector<std::uint8_t> decodedBytes_;
    std::int64_t decodedAt_ = 0;
    std::size_t decodedFileSize_ = 0;
    // While FollowEdit runs, the bytes its edit changed.
    std::optional<ByteRange> edited_;
    std::array<std::int64_t, 256> uses_{};
    std::optional<std::vector<ColourWord>> colouredPalette_;
    TileColours colours_;  // of colouredPalette_
    DirtyRegion changed_;
    std::string status_;
    std::string hover_;
    // Where the pointer last was over the tile area: a scroll or a new start moves other tiles under it.
    std::optional<std::pair<int, int>> pointer_;
};

}  // namespace tintorb
