// SPDX-License-Identifier: GPL-3.0-or-later
// Going to a palette the finder lists, and naming palettes in the side file beside the file.

#include "app/Commands.h"
#include "app/MenuItems.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <tuple>

namespace tintorb::test {

namespace {

constexpr int RomWords = 3000;

// rom.bin, all valid words each unlike its neighbours, opened with the side file given (none when empty).
struct Opened : FormHarness {
    TempDir dir;
    std::string path = dir.File("rom.bin");

    explicit Opened(const std::string& sideFile = {}) {
        std::vector<std::uint16_t> words;
        for (int i = 0; i < RomWords; ++i) {
            words.push_back(static_cast<std::uint16_t>((i * 0x2A) & 0x0EEE));
        }
        WriteBytes(path, WordBytes(words));
        if (!sideFile.empty()) {
            std::ofstream(path + ".palettes", std::ios::binary) << sideFile;
        }
        controls.AnswerOpen(path);
        controls.Run(Command::Load);
    }
    [[nodiscard]] std::string SideFile() const {
        std::ostringstream text;
        text << std::ifstream(path + ".palettes", std::ios::binary).rdbuf();
        return text.str();
    }
    // What a user sees of the palette: its place, the boxes, the listing and the palette view's pixels.
    [[nodiscard]] auto Shown() const {
        std::vector<Rgb> cells;
        const Rect area = RectOf(Ctl::areaPal);
        for (int i = 0; i < area.width * area.height; i += 7) {
            cells.push_back(form.surface().PixelAt(area.left + i % area.width, area.top + i / area.width));
        }
        const EditorState& s = form.State;
        return std::tuple(s.PalAddress, s.PalLength, s.SelStart, s.SelEnd, controls.Text(Ctl::editAddress),
                          controls.Text(Ctl::menuLength), controls.Text(Ctl::editLength),
                          controls.Visible(Ctl::editLength), controls.Lines(Ctl::memoASM), cells);
    }
};

}  // namespace

// Going to a palette is typing its address, choosing its length and pressing "Load"; and the browser then
// shows it, however far it had to scroll.
TEST(LocatePalette, IsTypingTheAddressChoosingTheLengthAndLoad) {
    for (const std::int64_t address :
         {0, 1, 0x7F1, 0x1000, 2 * RomWords - 40, 2 * RomWords - 1, 2 * RomWords + 10}) {
        for (const int length : {1, 7, 16, 33, 64}) {
            SCOPED_TRACE(testing::Message() << address << " " << length);
            Opened typed;
            typed.controls.Scroll(Ctl::barBrowser, 40);  // showing neither end of the file
            typed.controls.Paste(Ctl::editAddress, AddressText(address));
            typed.controls.ChooseItem(Ctl::menuLength, length % 16 == 0 ? length / 16 : LengthItemOther);
            if (length % 16 != 0) {
                typed.controls.Paste(Ctl::editLength, std::to_string(length));
            }
            typed.controls.Press(Ctl::btnReload);

            Opened located;
            located.controls.Scroll(Ctl::barBrowser, 40);
            located.form.LocatePalette(address, length);
            EXPECT_EQ(located.Shown(), typed.Shown());
            const EditorState& s = located.form.State;
            const std::int64_t shown = s.PalLength > 0 ? s.PalAddress : 40 * 2 * BrowserColumns;
            EXPECT_LE(s.BrowserOffset, shown);
            EXPECT_LE(shown + 2 * s.PalLength, s.BrowserOffset + 2 * BrowserCells);
        }
    }
}

// A file that fits the grid has no scroll bar to move, even after a larger file had one scrolled: going to
// its last, odd word must leave the browser at the top.
TEST(LocatePalette, LeavesTheBrowserOfAFileThatFitsTheGridAtTheTop) {
    Opened o;
    o.controls.Scroll(Ctl::barBrowser, 40);
    const std::string small = o.dir.File("small.bin");
    WriteBytes(small, std::vector<std::uint8_t>(2 * BrowserCells + 1, 0));
    o.controls.AnswerOpen(small);
    o.controls.Run(Command::Load);
    o.form.LocatePalette(2 * BrowserCells - 1, 16);
    EXPECT_EQ(o.form.State.PalLength, 1);
    EXPECT_EQ(o.form.State.BrowserOffset, 0);
}

TEST(NamePalette, SuggestsATitleThenRenamesInTheSideFile) {
    Opened o("# my names\n");
    o.form.LocatePalette(0x20, 16);
    for (const char* title : {"Title screen", "  ", "Intro"}) {
        o.controls.AnswerTitle(title);
        try {
            o.controls.Run(Command::NamePalette);
        } catch (const FileError&) {
            EXPECT_STREQ(title, "  ");  // a blank title is refused, and changes nothing
        }
    }
    o.controls.Run(Command::NamePalette);  // cancelled
    const std::string prompt = "Title of the palette of 16 entries at $20:";
    EXPECT_EQ(o.controls.TitlesAsked(),
              (std::vector<std::pair<std::string, std::string>>{{prompt, "Palette at $20"},
                                                                {prompt, "Title screen"},
                                                                {prompt, "Title screen"},
                                                                {prompt, "Intro"}}));
    EXPECT_EQ(o.form.Names().Names(), (std::vector<NamedPalette>{{0x20, 16, "Intro"}}));
    EXPECT_EQ(o.SideFile(), "# my names\n$20 16 Intro\n");
    EXPECT_EQ(o.controls.NamesShown(), 3);  // the load, and the two names given

    // Another file has names of its own, and the finder's results of this one go.
    Opened other;
    EXPECT_TRUE(other.form.Names().Names().empty());
    EXPECT_EQ(other.controls.FinderCleared(), 1);
}

// A hand-written line the program cannot read is reported once, with its number, and left as it was; a side
// file that cannot be read at all costs the names, not the file.
TEST(NamePalette, KeepsTheLinesItCouldNotRead) {
    Opened o("$10 16 Good\nnonsense here\n\n$20 99 Too long\n");
    ASSERT_EQ(o.controls.Messages().size(), 1u);
    const std::string& message = o.controls.Messages()[0];
    EXPECT_TRUE(message.starts_with("rom.bin.palettes: line 2 skipped: ")) << message;
    EXPECT_NE(message.find("\nrom.bin.palettes: line 4 skipped: "), std::string::npos) << message;
    o.form.LocatePalette(0x40, 8);
    o.controls.AnswerTitle("Sprites");
    o.controls.Run(Command::NamePalette);
    EXPECT_EQ(o.SideFile(), "$10 16 Good\nnonsense here\n\n$20 99 Too long\n$40 8 Sprites\n");

    std::filesystem::remove(o.path + ".palettes");
    std::filesystem::create_directory(o.path + ".palettes");
    o.controls.AnswerOpen(o.path);
    o.controls.Run(Command::Load);
    EXPECT_TRUE(o.form.Names().Names().empty());
    EXPECT_TRUE(o.controls.Messages().back().starts_with(
        "The palette names in rom.bin.palettes could not be read: "));
}

// A side file with a doubled byte order mark, CRLF lines and thousands of names: the first line stays
// skipped through a rename, every byte of it is kept, and the menu shows the nearest few of the names.
TEST(NamePalette, KeepsASharedSideFileOfManyNamesAsItWas) {
    constexpr std::size_t Names = 5000;
    TempDir dir;
    const std::string path = dir.File("game.bin");
    WriteBytes(path, std::vector<std::uint8_t>(0x8000, 0x02));
    std::string side = "\xEF\xBB\xBF\xEF\xBB\xBF$1F40 16 T\r\n";
    for (std::size_t i = 0; i < Names; ++i) {
        side += AddressText(static_cast<std::int64_t>(2 * i)) + " 16 name " + std::to_string(i) + "\r\n";
    }
    std::ofstream(path + ".palettes", std::ios::binary) << side;
    FormHarness h;
    for (std::size_t load = 0; load < 2; ++load) {
        h.controls.AnswerOpen(path);
        h.controls.Run(Command::Load);
        ASSERT_EQ(h.controls.Messages().size(), load + 1);
        EXPECT_NE(h.controls.Messages().back().find("line 1 skipped"), std::string::npos);
        EXPECT_EQ(h.form.Names().Names().size(), Names + load);
        if (load == 0) {
            h.controls.Type(Ctl::editAddress, "$6000");
            h.controls.Press(Ctl::btnReload);
            h.controls.AnswerTitle("Mine");
            h.controls.Run(Command::NamePalette);
            const std::vector<std::uint8_t> kept = ReadBytes(path + ".palettes");
            EXPECT_EQ(std::string(kept.begin(), kept.end()),
                      side + "$6000 " + std::to_string(h.form.State.PalLength) + " Mine\r\n");
        }
    }
    h.form.LocatePalette(0x6000, 16);
    const std::vector<NamedItem> items = NamedMenuItems(h.form);
    ASSERT_EQ(items.size(), 30u);
    EXPECT_NE(items.front().text.find("$26D6"), std::string::npos);
    EXPECT_TRUE(items[29].text.starts_with("Mine\t$6000, "));
    h.controls.Finder().ListNames();
    EXPECT_EQ(h.controls.Finder().Rows().size(), Names + 1);
}

}  // namespace tintorb::test
