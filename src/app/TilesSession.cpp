// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TilesSession.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "app/Controls.h"
#include "app/Generic.h"
#include "app/StatusText.h"
#include "finder/PaletteScan.h"
#include "model/FileImage.h"
#include "model/NumberText.h"
#include "tiles/TileExport.h"
#include "views/PaletteView.h"

namespace tintorb {

namespace {

// Where a file's settings are kept.
[[nodiscard]] std::string SettingsKey(const std::string& file) {
    return "tiles:" + file;
}

[[nodiscard]] std::int64_t FieldNumber(std::string_view value, std::int64_t low, std::int64_t high,
                                       std::int64_t fallback) {
    std::int64_t n = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), n);
    return error == std::errc{} && end == value.data() + value.size() && n >= low && n <= high ? n : fallback;
}

}  // namespace

std::string TileOrderText(std::pair<int, int> order) {
    if (order == std::pair{1, 1}) {
        return "Row by row";
    }
    return "Blocks of " + std::to_string(order.first) + " \u00D7 " + std::to_string(order.second);
}

std::string SettingsText(const TilesSettings& s) {
    std::ostringstream text;
    text << "codec=" << s.codec << " start=" << s.start << " columns=" << s.layout.columns
         << " block=" << s.layout.blockWidth << 'x' << s.layout.blockHeight << " line=" << s.line
         << " zoom=" << s.zoom << " transparent=" << (s.transparentZero ? 1 : 0);
    return text.str();
}

TilesSettings ReadSettingsText(std::string_view text) {
    TilesSettings s;
    std::istringstream fields{std::string(text)};
    std::string field;
    while (fields >> field) {
        const std::size_t equals = field.find('=');
        const std::string_view name = std::string_view(field).substr(0, equals);
        const std::string_view value =
            equals == std::string::npos ? "" : std::string_view(field).substr(equals + 1);
        if (name == "codec" && FindTileCodec(value) != nullptr) {
            s.codec = value;
        } else if (name == "start") {
            s.start = FieldNumber(value, 0, std::int64_t{1} << 40, 0);
        } else if (name == "columns") {
            s.layout.columns = static_cast<int>(FieldNumber(value, 1, MaxTileColumns, s.layout.columns));
        } else if (name == "block" && value.size() == 3 && value[1] == 'x') {
            s.layout.blockWidth = static_cast<int>(FieldNumber(value.substr(0, 1), 1, MaxBlockSide, 1));
            s.layout.blockHeight = static_cast<int>(FieldNumber(value.substr(2), 1, MaxBlockSide, 1));
        } else if (name == "line") {
            s.line = static_cast<int>(FieldNumber(value, 0, MaxPalLength - 1, 0));
        } else if (name == "zoom") {
            s.zoom = static_cast<int>(FieldNumber(value, 1, MaxTileZoom, s.zoom));
        } else if (name == "transparent") {
            s.transparentZero = value == "1";
        }
    }
    return s;
}

void TilesSession::Open() {
    open_ = true;
    settingsFile_.clear();
    pointer_.reset();
    hover_.clear();
    controls_.ShowTiles();
    Follow();
}

void TilesSession::Follow() {
    if (!open_) {
        return;
    }
    const std::string& file = form_.State.FileName;
    if (file != settingsFile_) {
        settingsFile_ = file;
        settings_ = file.empty() ? TilesSettings{} : ReadSettingsText(controls_.Setting(SettingsKey(file)));
        firstRow_ = 0;
    }
    Refresh();
}

void TilesSession::FollowEdit(ByteRange changed) {
    edited_ = changed;
    Follow();
    edited_.reset();
}

void TilesSession::SetCodec(std::string_view name) {
    if (FindTileCodec(name) != nullptr) {
        settings_.codec = name;
        Changed();
    }
}

bool TilesSession::SetAddress(std::string_view text) {
    const std::optional<std::int32_t> address = ReadNumber(text);
    if (!address || *address < 0) {
        status_ = std::string(1, '"').append(text).append("\" is no address.");
        controls_.PresentTiles();
        return false;
    }
    settings_.start = *address;
    Changed();
    return true;
}

void TilesSession::StepStart(int bytes) {
    settings_.start = std::max<std::int64_t>(0, settings_.start + bytes);
    Changed();
}

void TilesSession::Press(TilesKey key) {
    switch (key) {
        case TilesKey::Left:
        case TilesKey::Right:
            return StepStart(key == TilesKey::Left ? -1 : 1);
        case TilesKey::PageUp:
        case TilesKey::PageDown:
            return ScrollPages(key == TilesKey::PageUp ? -1 : 1);
    }
}

void TilesSession::SetColumns(int columns) {
    settings_.layout.columns = std::clamp(columns, 1, MaxTileColumns);
    Changed();
}

void TilesSession::SetOrder(int blockWidth, int blockHeight) {
    settings_.layout.blockWidth = std::clamp(blockWidth, 1, MaxBlockSide);
    settings_.layout.blockHeight = std::clamp(blockHeight, 1, MaxBlockSide);
    Changed();
}

int TilesSession::OrderIndex() const {
    const auto order =
        std::ranges::find(TileOrders, std::pair{settings_.layout.blockWidth, settings_.layout.blockHeight});
    return order == TileOrders.end() ? 0 : static_cast<int>(order - TileOrders.begin());
}

void TilesSession::SetLine(int line) {
    settings_.line = std::clamp(line, 0, MaxPalLength - 1);
    Changed();
}

void TilesSession::SetZoom(int zoom) {
    settings_.zoom = std::clamp(zoom, 1, MaxTileZoom);
    Changed();
}

void TilesSession::SetTransparentZero(bool transparent) {
    settings_.transparentZero = transparent;
    Changed();
}

void TilesSession::SetViewport(int height) {
    viewHeight_ = std::max(height, 0);
    Refresh();
}

void TilesSession::ScrollTo(std::int64_t row) {
    firstRow_ = row;
    Refresh();
}

int TilesSession::PageRows() const {
    const int side = TileSide * settings_.zoom;
    return std::max(1, (viewHeight_ + side - 1) / side);
}

TileRun TilesSession::Run() const {
    return {FindTileCodec(settings_.codec), settings_.start, settings_.layout};
}

std::vector<ColourWord> TilesSession::Palette() const {
    const EditorState& state = form_.State;
    return WordsAt(state.FileData, state.PalAddress, std::max(state.PalLength, 0));
}

std::pair<std::int64_t, std::int64_t> TilesSession::ShownTiles(const TileRun& run) const {
    const std::int64_t count = run.Count(form_.State.FileData.size());
    const TileLayout& layout = run.layout;
    const std::int64_t first = firstRow_ / layout.blockHeight * layout.BandTiles();
    const std::int64_t end =
        (firstRow_ + PageRows() + layout.blockHeight - 1) / layout.blockHeight * layout.BandTiles();
    return {std::min(first, count), std::min(end, count)};
}

std::optional<std::string> TilesSession::Empty() const {
    const EditorState& state = form_.State;
    const TileRun run = Run();
    // An empty file is open all the same: it has no byte from the start on, as the next check says.
    if (state.FileName.empty()) {
        return "No file is open.";
    }
    if (run.start >= static_cast<std::int64_t>(state.FileData.size())) {
        return "The start " + AddressText(run.start) + " lies past the end of the file, " +
               std::to_string(state.FileData.size()) + " bytes.";
    }
    if (run.Count(state.FileData.size()) == 0) {
        return "No whole tile from " + AddressText(run.start) + ": a " + settings_.codec + " tile takes " +
               std::to_string(run.codec->bytesPerTile) + " bytes, and the file has " +
               std::to_string(state.FileData.size() - run.start) + " from there.";
    }
    return std::nullopt;
}

// A setting changed: it is kept for the file, and the tiles show it.
void TilesSession::Changed() {
    if (!settingsFile_.empty()) {
        controls_.SetSetting(SettingsKey(settingsFile_), SettingsText(settings_));
    }
    Refresh();
}

void TilesSession::Refresh() {
    if (!open_) {
        return;
    }
    const TileRun run = Run();
    const FileBytes& data = form_.State.FileData;
    rows_ = run.layout.Rows(run.Count(data.size()));
    firstRow_ = std::clamp<std::int64_t>(firstRow_, 0, LastFirstRow());
    Decode(run);
    Recolour();
    SayWhatShows();
    if (pointer_) {
        hover_ = HoverAt(pointer_->first, pointer_->second);
    }
    controls_.PresentTiles();
}

// Decodes again only when the settings, the rows or the bytes under them changed.
void TilesSession::Decode(const TileRun& run) {
    const FileBytes& data = form_.State.FileData;
    const std::int64_t count = run.Count(data.size());
    const auto [first, end] = ShownTiles(run);
    const std::int64_t at = count == 0 ? 0 : run.Address(first);
    const auto bytes = std::span(data).subspan(
        static_cast<std::size_t>(at), static_cast<std::size_t>((end - first) * run.codec->bytesPerTile));
    if (decodedSettings_ == settings_ && decodedFirstRow_ == firstRow_ && decodedRows_ == PageRows() &&
        Decoded(at, bytes)) {
        return;
    }
    decodedSettings_ = settings_;
    decodedFirstRow_ = firstRow_;
    decodedRows_ = PageRows();
    decodedBytes_.assign(bytes.begin(), bytes.end());
    decodedAt_ = at;
    decodedFileSize_ = data.size();
    sheet_.Decode(data, run, firstRow_, count == 0 ? 0 : PageRows());
    uses_ = sheet_.IndexCounts();
    const int side = TileSide * settings_.zoom;
    if (pixels_.Width() != sheet_.Width() * settings_.zoom || pixels_.Height() != PageRows() * side) {
        pixels_ = Surface(sheet_.Width() * settings_.zoom, PageRows() * side);
    }
    colouredPalette_.reset();
}

bool TilesSession::Decoded(std::int64_t at, std::span<const std::uint8_t> bytes) const {
    const bool untouched = edited_ && !edited_->Overlaps(at, static_cast<std::int64_t>(bytes.size())) &&
                           at == decodedAt_ && bytes.size() == decodedBytes_.size() &&
                           form_.State.FileData.size() == decodedFileSize_;
    return untouched || std::ranges::equal(bytes, decodedBytes_);
}

// A palette edit changes one entry or a few: only the tiles that use them are drawn again.
void TilesSession::Recolour() {
    std::vector<ColourWord> palette = Palette();
    if (colouredPalette_ == palette) {
        return;
    }
    TileColours colours =
        MakeTileColours(palette, Run().codec->bitsPerPixel, settings_.line, settings_.transparentZero);
    DirtyRegion drawn;
    if (colouredPalette_) {
        drawn = sheet_.ChangedBoxes(settings_.zoom, ChangedIndices(colours_, colours));
    } else {
        drawn.Add(PixelsBox());
    }
    for (const PixelBox& box : drawn.Boxes()) {
        changed_.Add(box);
        stale_.Add(box);
    }
    colours_ = colours;
    colouredPalette_ = std::move(palette);
}

const Surface& TilesSession::Pixels() const {
    for (const PixelBox& box : stale_.Boxes()) {
        Surface part = pixels_.Part(box);
        DrawPixels(part, box);
    }
    stale_.Clear();
    return pixels_;
}

void TilesSession::SayWhatShows() {
    if (const std::optional<std::string> why = Empty()) {
        status_ = *why;
        return;
    }
    const TileRun run = Run();
    const int bpp = run.codec->bitsPerPixel;
    const auto palette = static_cast<std::int64_t>(colouredPalette_->size());
    status_ = "Tiles from " + AddressText(run.start) + ", " +
              std::to_string(run.Count(form_.State.FileData.size())) + " in the file.";
    if (palette == 0) {
        status_ += " No palette is shown in the main window: every pixel shows as a checker.";
        return;
    }
    for (int i = 0; i < (1 << bpp); ++i) {
        if (uses_[i] > 0 && (std::int64_t{settings_.line} << bpp) + i >= palette) {
            status_ += " Some pixels use entries past the palette's " + std::to_string(palette) +
                       ", shown as a checker.";
            return;
        }
    }
}

std::vector<LegendEntry> TilesSession::Legend() const {
    const int bpp = Run().codec->bitsPerPixel;
    const std::vector<ColourWord> palette = colouredPalette_.value_or(std::vector<ColourWord>{});
    std::vector<LegendEntry> legend;
    for (int i = 0; i < (1 << bpp); ++i) {
        const std::optional<ColourWord> word = EntryOfIndex(palette, bpp, settings_.line, i);
        legend.push_back({(settings_.line << bpp) + i,
                          word ? std::optional(DisplayColour(*word)) : std::nullopt, uses_[i]});
    }
    return legend;
}

std::string TilesSession::HoverAt(int x, int y) const {
    const int zoom = settings_.zoom;
    const std::optional<TilePixel> pixel = x < 0 || y < 0 ? std::nullopt : sheet_.PixelAt(x / zoom, y / zoom);
    return pixel ? "Tile at " + AddressText(Run().Address(pixel->tile)) + ", index " +
                       std::to_string(pixel->index) + ", entry " +
                       std::to_string((settings_.line << Run().codec->bitsPerPixel) + pixel->index)
                 : std::string();
}

void TilesSession::Hover(int x, int y) {
    pointer_ = {x, y};
    hover_ = HoverAt(x, y);
    controls_.PresentTiles();
}

void TilesSession::Click(int x, int y) {
    const int zoom = settings_.zoom;
    const std::optional<TilePixel> pixel = x < 0 || y < 0 ? std::nullopt : sheet_.PixelAt(x / zoom, y / zoom);
    if (!pixel) {
        return;
    }
    const int entry = (settings_.line << Run().codec->bitsPerPixel) + pixel->index;
    if (entry >= form_.State.PalLength) {
        status_ = "Entry " + std::to_string(entry) + " lies past the palette's " +
                  std::to_string(form_.State.PalLength) + " entries.";
        controls_.PresentTiles();
        return;
    }
    // Exactly a press and release on the entry's palette cell.
    const int cellX = entry % PaletteColumns * PaletteCellWidth + PaletteCellWidth / 2;
    const int cellY = entry / PaletteColumns * PaletteCellHeight + PaletteCellHeight / 2;
    form_.areaPalMouseDown(MouseButton::Left, cellX, cellY);
    form_.areaPalMouseUp(MouseButton::Left, cellX, cellY);
}

void TilesSession::ExportPng() {
    if (const std::optional<std::string> why = Empty()) {
        controls_.ShowMessage(*why);
        return;
    }
    const std::optional<std::string> path = controls_.RunPngExportDialog();
    if (!path) {
        return;
    }
    // The image never goes over the file the tiles come from, nor over another file unasked.
    if (form_.IsLoadedFile(*path)) {
        controls_.ShowMessage("The tiles cannot be exported over the file they come from");
        return;
    }
    if (!form_.MayReplace(*path)) {
        return;
    }
    const TileRun run = Run();
    const auto [first, end] = ShownTiles(run);
    TileRun shown = run;
    shown.start = run.Address(first);
    const std::int64_t count = std::max<std::int64_t>(end - first, 1);
    const std::vector<std::uint8_t> png =
        EncodeTilesPng(form_.State.FileData, shown, count,
                       LineColours(Palette(), run.codec->bitsPerPixel, settings_.line), 1);
    SaveFileData(png, *path);
    controls_.ShowStatus("Exported " + CountOf(static_cast<std::uint64_t>(count), "tile", "tiles") + " to " +
                         ShortName(*path));
}

}  // namespace tintorb
