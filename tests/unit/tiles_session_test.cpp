// SPDX-License-Identifier: GPL-3.0-or-later
// The Tiles tool window's session on the in-memory controls: it follows the main window's edits, a click
// selects the pixel's entry, its settings stay with each file, and what it cannot show it says.

#include "app/Commands.h"
#include "app/TilesPanel.h"
#include "support/FormHarness.h"

#include <gtest/gtest.h>

namespace tintorb::test {

namespace {

constexpr int TileAt = 0x20;
constexpr int Zoom = 2;

// Sixteen colours, then one 4bpp-packed tile: its top row index 3, the rest index 5.
[[nodiscard]] std::vector<std::uint8_t> Rom() {
    std::vector<std::uint16_t> palette;
    for (int i = 0; i < 16; ++i) {
        palette.push_back(static_cast<std::uint16_t>(i * 0x0222 & 0x0EEE));
    }
    std::vector<std::uint8_t> bytes = WordBytes(palette);
    bytes.insert(bytes.end(), 4, 0x33);
    bytes.insert(bytes.end(), 28, 0x55);
    return bytes;
}

struct TilesHarness : FormHarness {
    TempDir dir;
    TilesSession& tiles = form.Tiles();

    void Load(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        WriteBytes(dir.File(name), bytes);
        controls.AnswerOpen(dir.File(name));
        controls.Press(Ctl::btnLoad);
    }
    void Open(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        Load(name, bytes);
        // The palette at $0, as "Load" beside the address box shows it.
        controls.Press(Ctl::btnReload);
    }
    [[nodiscard]] Rgb PixelAt(int x, int y) const { return tiles.Pixels().PixelAt(x * Zoom, y * Zoom); }
};

}  // namespace

TEST(TilesSession, FollowsEditsAndUndoAndAClickSelectsThePixelsEntry) {
    TilesHarness h;
    h.Open("rom.bin", Rom());
    h.controls.Run(Command::Tiles);
    EXPECT_EQ(h.controls.TilesShown(), 1);
    h.tiles.SetViewport(256);
    EXPECT_TRUE(h.tiles.SetAddress("$20"));
    EXPECT_EQ(h.PixelAt(0, 0), DisplayColour(0x0666));
    EXPECT_EQ(h.PixelAt(7, 7), DisplayColour(0x0AAA));

    h.tiles.Hover(0, 4 * Zoom);
    EXPECT_EQ(h.tiles.HoverText(), "Tile at $20, index 5, entry 5");
    h.tiles.Click(0, 4 * Zoom);
    EXPECT_EQ(h.form.State.SelStart, 5);
    EXPECT_EQ(h.form.State.SelEnd, 5);

    // A level of the selected entry: the tile's pixels of that index change at once, and undo brings them
    // back.
    const int presented = h.controls.TilesPresented();
    h.controls.Mouse(Ctl::areaRGB, MouseAction::Down, MouseButton::Left, 30 * 7 + 5, 5);
    EXPECT_GT(h.controls.TilesPresented(), presented);
    EXPECT_EQ(h.PixelAt(7, 7), DisplayColour(0x0AAE));
    EXPECT_EQ(h.PixelAt(0, 0), DisplayColour(0x0666));
    h.controls.Run(Command::Undo);
    EXPECT_EQ(h.PixelAt(7, 7), DisplayColour(0x0AAA));

    // Bytes under the tile change: decoded again.
    h.form.Apply({TileAt, {0x11}});
    EXPECT_EQ(h.PixelAt(0, 0), DisplayColour(0x0222));
    const std::vector<LegendEntry> legend = h.tiles.Legend();
    EXPECT_EQ(legend[5].uses, 56);
    EXPECT_EQ(legend[15].uses, 0);
}

TEST(TilesSession, SettingsStayWithEachFile) {
    TilesHarness h;
    h.Open("a.bin", Rom());
    h.controls.Run(Command::Tiles);
    h.tiles.SetCodec("2bpp-planar");
    h.tiles.SetAddress("$21");
    h.tiles.SetOrder(2, 3);
    h.tiles.SetLine(2);
    h.tiles.SetZoom(5);
    h.tiles.SetTransparentZero(true);
    const TilesSettings a = h.tiles.Settings();
    // A load alone, no palette shown yet, already shows the new file's tiles.
    h.Load("b.bin", Rom());
    EXPECT_EQ(h.tiles.Settings(), TilesSettings{});
    EXPECT_EQ(h.tiles.Status(),
              "Tiles from $0, 2 in the file. No palette is shown in the main window: every "
              "pixel shows as a checker.");
    h.Open("a.bin", Rom());
    EXPECT_EQ(h.tiles.Settings(), a);
    EXPECT_EQ(h.tiles.Settings().layout, (TileLayout{16, 2, 3}));
}

// What shows no tile says why, in the window; nothing in the file changes.
TEST(TilesSession, SaysWhyNothingOrACheckerShows) {
    TilesHarness h;
    h.Open("rom.bin", Rom());
    h.controls.Run(Command::Tiles);
    h.tiles.SetViewport(64);
    EXPECT_FALSE(h.tiles.SetAddress("$zz"));
    EXPECT_EQ(h.tiles.Status(), "\"$zz\" is no address.");
    h.tiles.SetAddress("$40");
    EXPECT_EQ(h.tiles.Status(), "The start $40 lies past the end of the file, 64 bytes.");
    h.tiles.SetAddress("$21");
    EXPECT_EQ(h.tiles.Status(),
              "No whole tile from $21: a 4bpp-packed tile takes 32 bytes, and the file has 31 from there.");
    h.tiles.SetAddress("$20");
    h.tiles.SetLine(1);
    EXPECT_EQ(
        h.tiles.Status(),
        "Tiles from $20, 1 in the file. Some pixels use entries past the palette's 16, shown as a checker.");
    EXPECT_EQ(h.PixelAt(0, 0), CheckerLight);
    h.tiles.Click(0, 0);
    EXPECT_EQ(h.form.State.SelStart, 0);
    EXPECT_EQ(ReadBytes(h.dir.File("rom.bin")), Rom());
    h.Load("empty.bin", {});
    EXPECT_EQ(h.tiles.Status(), "The start $0 lies past the end of the file, 0 bytes.");
}

TEST(TilesSession, KeysAndTheWheelStepTheStartAndScrollWithinTheRows) {
    TilesHarness h;
    h.Open("rom.bin", std::vector<std::uint8_t>(16 * 1024, 0x02));
    h.controls.Run(Command::Tiles);
    h.tiles.SetViewport(64);  // four rows of 16 tiles at zoom 2, of 32 rows
    EXPECT_EQ(h.tiles.Status(), "Tiles from $0, 512 in the file.");
    // The hover names the tile under the pointer after the tiles move under it, and none once it leaves.
    h.tiles.Hover(0, 0);
    h.tiles.Press(TilesKey::PageDown);
    EXPECT_EQ(h.tiles.HoverText(), "Tile at $800, index 0, entry 0");
    h.tiles.Hover(-1, -1);
    h.tiles.Press(TilesKey::PageUp);
    EXPECT_EQ(h.tiles.HoverText(), "");
    h.tiles.Press(TilesKey::Right);
    h.tiles.Press(TilesKey::Left);
    h.tiles.Press(TilesKey::Left);
    EXPECT_EQ(h.tiles.Settings().start, 0);
    h.tiles.Press(TilesKey::PageDown);
    EXPECT_EQ(h.tiles.FirstRow(), h.tiles.PageRows());
    h.tiles.Wheel(-120 * 100);
    EXPECT_EQ(h.tiles.FirstRow(), h.tiles.LastFirstRow());
    h.tiles.Wheel(120);
    EXPECT_EQ(h.tiles.FirstRow(), h.tiles.LastFirstRow() - 3);
    h.tiles.Press(TilesKey::PageUp);
    h.tiles.Press(TilesKey::PageUp);
    EXPECT_EQ(h.tiles.FirstRow(), h.tiles.LastFirstRow() - 3 - 2 * h.tiles.PageRows());
    h.tiles.SetOrder(2, 4);
    EXPECT_EQ(TileOrderText(TileOrders[static_cast<std::size_t>(h.tiles.OrderIndex())]),
              "Blocks of 2 \u00D7 4");
    h.tiles.SetOrder(3, 1);
    EXPECT_EQ(h.tiles.OrderIndex(), 0);
}

// The window's fields, through the panel: each reaches the session, and each shows what the session holds.
TEST(TilesPanel, FieldsReachTheSessionAndShowWhatItHolds) {
    TilesHarness h;
    h.Open("rom.bin", Rom());
    MemoryPanel& view = h.controls.TilesView();
    h.controls.Run(Command::Tiles);
    view.Pointer(TilesPanel::Area, FieldAction::Resized, 256, 256);
    view.Type(TilesPanel::Start, "$20");
    view.Key("Right");
    EXPECT_EQ(view.Text(TilesPanel::Start), "$21");
    view.Key("Left");
    view.Type(TilesPanel::Start, "zz");
    EXPECT_EQ(view.Text(TilesPanel::Status), "\"zz\" is no address.");
    EXPECT_EQ(view.Text(TilesPanel::Start), "$20");

    view.Change(TilesPanel::Codec, 1);
    view.Change(TilesPanel::Order, 3);
    view.Change(TilesPanel::Line, 2);
    view.Change(TilesPanel::Transparent, 1);
    view.Change(TilesPanel::Zoom, Zoom);
    const TilesSettings& s = h.tiles.Settings();
    EXPECT_EQ(s.codec, "2bpp-planar");
    EXPECT_EQ(std::pair(s.layout.blockWidth, s.layout.blockHeight), TileOrders[3]);
    EXPECT_EQ(std::tuple(s.line, s.zoom, s.transparentZero), std::tuple(2, Zoom, true));
    EXPECT_EQ(std::tuple(view.Value(TilesPanel::Order), view.Value(TilesPanel::Line)), std::tuple(3, 2));
    EXPECT_EQ(view.High(TilesPanel::Bar), h.tiles.LastFirstRow());
    EXPECT_EQ(view.Page(TilesPanel::Bar), h.tiles.PageRows());

    // Back to 4bpp-packed in row order and the first line: the pointer names and picks the pixel's entry.
    view.Change(TilesPanel::Codec, 2);
    view.Change(TilesPanel::Order, 0);
    view.Change(TilesPanel::Line, 0);
    view.Pointer(TilesPanel::Area, FieldAction::PointerMoved, 0, 4 * Zoom);
    EXPECT_EQ(view.Text(TilesPanel::Hover), "Tile at $20, index 5, entry 5");
    const int legendShown = view.Refreshes(TilesPanel::LegendStrip);
    view.Pointer(TilesPanel::Area, FieldAction::PointerPressed, 0, 4 * Zoom);
    EXPECT_EQ(h.form.State.SelStart, 5);
    h.controls.Mouse(Ctl::areaRGB, MouseAction::Down, MouseButton::Left, 30 * 7 + 5, 5);
    EXPECT_GT(view.Refreshes(TilesPanel::LegendStrip), legendShown);

    view.Close();
    EXPECT_FALSE(h.tiles.IsOpen());
}

// The image goes where the user says, but never over the file the tiles come from, and over another file
// only when the user says so.
TEST(TilesSession, ExportWritesAPngButReplacesNoFileUnasked) {
    TilesHarness h;
    const std::vector<std::uint8_t> rom = Rom();
    h.Open("rom.bin", rom);
    h.controls.Run(Command::Tiles);
    h.tiles.SetViewport(256);
    ASSERT_TRUE(h.tiles.SetAddress("$20"));
    const std::string other = h.dir.File("other.png");
    WriteBytes(other, {1, 2, 3});

    h.controls.AnswerExport(h.dir.File("rom.bin"));
    h.tiles.ExportPng();
    EXPECT_EQ(ReadBytes(h.dir.File("rom.bin")), rom);
    EXPECT_EQ(h.controls.Messages().back(), "The tiles cannot be exported over the file they come from");

    h.controls.AnswerExport(other);
    h.controls.AnswerOverwrite(false);
    h.tiles.ExportPng();
    EXPECT_EQ(ReadBytes(other), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_EQ(h.controls.Questions().back(), "other.png already exists. Replace it?");

    h.controls.AnswerExport(other);
    h.controls.AnswerOverwrite(true);
    h.tiles.ExportPng();
    const std::vector<std::uint8_t> png = ReadBytes(other);
    ASSERT_GE(png.size(), 8U);
    EXPECT_EQ(std::vector(png.begin() + 1, png.begin() + 4), (std::vector<std::uint8_t>{'P', 'N', 'G'}));
    EXPECT_EQ(h.controls.Status(), "Exported 1 tile to other.png");
}

}  // namespace tintorb::test
