// SPDX-License-Identifier: GPL-3.0-or-later
// What the window does around the form's controls, on the in-memory controls: the status bar's lines, the
// keys and the wheel, the tooltips, the place remembered per file, the listing copied as text, and where
// the window goes on a small screen.

#include "app/Commands.h"
#include "app/RecentFiles.h"
#include "app/Tips.h"
#include "app/WindowPlacement.h"
#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tintorb::test {

namespace {

constexpr std::size_t RomSize = std::size_t{1} << 20;

// rom.bin of 1 MiB, with a colour word and a word that is none at $1F40, opened.
struct OpenRom : FormHarness {
    TempDir dir;
    std::string path = dir.File("rom.bin");

    OpenRom() {
        std::vector<std::uint8_t> rom(RomSize, 0x00);
        rom[0x1F40] = 0x0E, rom[0x1F41] = 0xEE, rom[0x1F42] = 0xF0, rom[0x1F43] = 0x0A;
        WriteBytes(path, rom);
        Open(path);
    }
    void Open(const std::string& file) {
        controls.AnswerOpen(file);
        controls.Run(Command::Load);
    }
    void Locate(std::string_view address) {
        controls.SetText(Ctl::editAddress, "");
        controls.Type(Ctl::editAddress, std::string(address) + "\r");
    }
};

}  // namespace

// What the window walk leaves out: the listing read whole, import, and the exported palette's title.
TEST(StatusBar, SaysWhatTheListingImportAndExportDid) {
    OpenRom h;
    h.controls.ChooseItem(Ctl::menuLength, 1);
    h.Locate("$1F40");
    h.controls.EditListing("dc.w $0EEE");
    h.controls.Press(Ctl::btnASM);
    EXPECT_EQ(h.controls.Status(), "Read 1 entry from the listing");

    h.controls.AnswerTitle("Sky");
    h.controls.Run(Command::NamePalette);
    h.controls.AnswerExport(h.dir.File("x.gpl"));
    h.controls.Run(Command::ExportPalette);
    EXPECT_EQ(h.controls.Status(), "Exported 16 colours to x.gpl");
    std::stringstream gpl;
    gpl << std::ifstream(h.dir.File("x.gpl")).rdbuf();
    EXPECT_NE(gpl.str().find("\nName: Sky\n"), std::string::npos) << gpl.str();
    h.controls.AnswerImport(h.dir.File("x.gpl"));
    h.controls.Run(Command::ImportPalette);
    EXPECT_EQ(h.controls.Status(), "Imported 16 colours, 0 left out");
    EXPECT_TRUE(h.controls.Messages().empty());
}

TEST(Wheel, ScrollsTheBrowserThreeRowsANotchOnlyOverItsCells) {
    OpenRom h;
    const Rect grid = RectOf(Ctl::areaBrowser);
    RunWheel(h.form, grid.left + 5, grid.top + 5, -120);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 3);
    for (int step = 0; step < 6; ++step) {  // a touchpad's small steps add up
        RunWheel(h.form, grid.left + 5, grid.top + 5, 20);
    }
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
    RunWheel(h.form, grid.left + 5, grid.top + 5, 120);  // already at the top
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
    const Rect palette = RectOf(Ctl::areaPal);
    RunWheel(h.form, palette.left + 5, palette.top + 5, -120);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
}

TEST(RememberedPlace, ReopeningShowsTheLastPaletteUnlessTheCommandLineSaysWhere) {
    OpenRom h;
    h.controls.ChooseItem(Ctl::menuLength, 2);
    h.Locate("$F0000");
    const std::string other = h.dir.File("other.bin");
    WriteBytes(other, std::vector<std::uint8_t>(64, 0));
    h.Open(other);
    EXPECT_EQ(h.form.State.PalLength, 0);

    h.form.OpenRecent(h.path);
    EXPECT_EQ(h.form.State.PalAddress, 0xF0000);
    EXPECT_EQ(h.form.State.PalLength, 32);
    EXPECT_LE(h.form.State.BrowserOffset, 0xF0000);
    EXPECT_GT(h.form.State.BrowserOffset + 2 * BrowserCells, 0xF0000);

    h.Open(other);
    h.form.Start({h.path, "$100", std::nullopt});
    EXPECT_EQ(h.form.State.PalAddress, 0x100);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
}

TEST(CopyEntries, PutsTheListingTextOnTheSystemClipboard) {
    OpenRom h;
    h.controls.ChooseItem(Ctl::menuLength, 2);
    h.Locate("$1F40");
    h.controls.Mouse(Ctl::areaPal, MouseAction::Down, MouseButton::Left, 5, 5);
    h.controls.Mouse(Ctl::areaPal, MouseAction::Up, MouseButton::Left, 5, 45);  // entries 0 to 16
    h.controls.Press(Ctl::btnCopy);
    std::string first = "dc.w $0EEE,$F00A";
    for (int i = 2; i < 16; ++i) {
        first += ",$0000";
    }
    EXPECT_EQ(h.controls.Clipboard(), first + "\ndc.w $0000\n");
}

TEST(ToolTips, EveryControlThatTakesInputHasOneLineWithItsShortcut) {
    for (const ControlLayout& control : Layout) {
        const std::string tip = ToolTipOf(control.id);
        const bool takesInput = control.kind != ControlKind::Image && control.kind != ControlKind::Area &&
                                control.kind != ControlKind::Label && control.kind != ControlKind::Bevel;
        EXPECT_EQ(!tip.empty(), takesInput) << control.name;
        EXPECT_EQ(tip.find('\n'), std::string::npos) << control.name;
        if (const std::optional<Command> command = CommandOfControl(control.id)) {
            const std::string_view shortcut = CommandOf(*command).shortcuts[0];
            EXPECT_EQ(shortcut.empty() || tip.ends_with(" (" + std::string(shortcut) + ")"), true) << tip;
        }
    }
}

struct PlacementCase {
    int width, height;
    Rect available;
    Point expected;
};

TEST(PlaceOnScreen, KeepsTheTopLeftCornerAndAsMuchAsFitsInView) {
    const Point wanted{192, 124};
    for (const PlacementCase& c : std::vector<PlacementCase>{
             {953, 700, {0, 0, 1920, 1080}, {192, 124}},       // fits where it is asked for
             {953, 700, {0, 0, 1024, 768}, {71, 68}},          // moved in just enough
             {1906, 1400, {0, 0, 1366, 768}, {0, 0}},          // too large: its corner shows
             {953, 700, {1920, 30, 1280, 1024}, {1920, 124}},  // a second screen, a panel on top
             {953, 700, {0, 200, 800, 600}, {0, 200}},
         }) {
        EXPECT_EQ(PlaceOnScreen(c.width, c.height, c.available, wanted), c.expected)
            << c.width << "x" << c.height << " on " << c.available.width << "x" << c.available.height;
    }
}

}  // namespace tintorb::test
