// Going to a palette the finder lists, naming palettes in the side file, and the rows the finder shows.

#include "app/Commands.h"
#include "app/FindRows.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"
#include "views/BrowserView.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tintorb::test {

namespace {

// 3000 words, all valid, each unlike its neighbours: a palette may be located anywhere in them.
[[nodiscard]] std::vector<std::uint8_t> Rom() {
    std::vector<std::uint16_t> words;
    for (int i = 0; i < 3000; ++i) {
        words.push_back(static_cast<std::uint16_t>((i * 0x2A) & 0x0EEE));
    }
    return WordBytes(words);
}

struct Opened : FormHarness {
    TempDir dir;
    std::string path = dir.File("rom.bin");

    explicit Opened(const std::string& sideFile = {}) {
        WriteBytes(path, Rom());
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
        for (int y = area.top; y < area.top + area.height; y += 4) {
            for (int x = area.left; x < area.left + area.width; x += 4) {
                cells.push_back(form.surface().PixelAt(x, y));
            }
        }
        const EditorState& s = form.State;
        return std::tuple(s.PalAddress, s.PalLength, s.SelStart, s.SelEnd, controls.Text(Ctl::editAddress),
                          controls.Text(Ctl::menuLength), controls.ItemIndex(Ctl::menuLength),
                          controls.Text(Ctl::editLength), controls.Visible(Ctl::editLength),
                          controls.Lines(Ctl::memoASM), cells);
    }
};

}  // namespace

// Going to a palette is typing its address, choosing its length and pressing "Load"; and the browser then
// shows it, however far it had to scroll.
TEST(LocatePalette, IsTypingTheAddressChoosingTheLengthAndLoad) {
    const std::int64_t size = static_cast<std::int64_t>(Rom().size());
    for (const std::int64_t address : {std::int64_t{0}, std::int64_t{1}, std::int64_t{0x7F1},
                                       std::int64_t{0x1000}, size - 40, size - 1, size + 10}) {
        for (const int length : {1, 7, 16, 33, 64}) {
            SCOPED_TRACE(testing::Message() << address << " " << length);
            Opened typed;
            // From a scroll position that shows neither end of the file.
            typed.controls.Scroll(Ctl::barBrowser, 40);
            typed.controls.Paste(Ctl::editAddress, AddressText(address));
            if (length % 16 == 0) {
                typed.controls.ChooseItem(Ctl::menuLength, length / 16);
            } else {
                typed.controls.ChooseItem(Ctl::menuLength, LengthItemOther);
                typed.controls.Paste(Ctl::editLength, std::to_string(length));
            }
            typed.controls.Press(Ctl::btnReload);

            Opened located;
            located.controls.Scroll(Ctl::barBrowser, 40);
            located.form.LocatePalette(address, length);
            EXPECT_EQ(located.Shown(), typed.Shown());

            const EditorState& s = located.form.State;
            if (s.PalLength > 0) {
                EXPECT_LE(s.BrowserOffset, s.PalAddress);
                EXPECT_LE(s.PalAddress + 2 * s.PalLength, s.BrowserOffset + 2 * BrowserCells);
            } else {
                EXPECT_EQ(s.BrowserOffset, 40 * 2 * BrowserColumns);  // nothing to show, nothing moves
            }
        }
    }
}

TEST(NamePalette, SuggestsAWriteThenRenamesInTheSideFile) {
    Opened o("# my names\n");
    o.form.LocatePalette(0x20, 16);
    o.controls.AnswerTitle("Title screen");
    o.controls.Run(Command::NamePalette);
    o.form.LocatePalette(0x20, 16);
    o.controls.AnswerTitle("  ");
    EXPECT_THROW(o.controls.Run(Command::NamePalette), FileError);  // a name cannot be blank
    o.controls.AnswerTitle("Intro");
    o.controls.Run(Command::NamePalette);
    o.controls.Run(Command::NamePalette);  // cancelled

    const std::vector<std::pair<std::string, std::string>> asked{
        {"Title of the palette of 16 entries at $20:", "Palette at $20"},
        {"Title of the palette of 16 entries at $20:", "Title screen"},
        {"Title of the palette of 16 entries at $20:", "Title screen"},
        {"Title of the palette of 16 entries at $20:", "Intro"},
    };
    EXPECT_EQ(o.controls.TitlesAsked(), asked);
    EXPECT_EQ(o.form.Names().Names(), (std::vector<NamedPalette>{{0x20, 16, "Intro"}}));
    EXPECT_EQ(PaletteNames::Parse(o.SideFile()).Names(), o.form.Names().Names());
    EXPECT_TRUE(o.SideFile().starts_with("# my names\n"));
    EXPECT_EQ(o.controls.NamesShown(), 3);  // the load, and the two names given

    // Another file has names of its own, and the finder's results of this one go.
    Opened other;
    EXPECT_TRUE(other.form.Names().Names().empty());
    EXPECT_EQ(other.controls.FinderCleared(), 1);
}

// A hand-written line the program cannot read is reported once, with its number, and left as it was.
TEST(NamePalette, KeepsTheLinesItCouldNotRead) {
    Opened o("$10 16 Good\nnonsense here\n\n$20 99 Too long\n");
    ASSERT_EQ(o.controls.Messages().size(), 1u);
    const std::string& message = o.controls.Messages()[0];
    EXPECT_TRUE(message.starts_with("rom.bin.palettes: line 2 skipped: ")) << message;
    EXPECT_NE(message.find("\nrom.bin.palettes: line 4 skipped: "), std::string::npos) << message;
    EXPECT_EQ(o.form.Names().Names().size(), 1u);

    o.form.LocatePalette(0x40, 8);
    o.controls.AnswerTitle("Sprites");
    o.controls.Run(Command::NamePalette);
    const std::string text = o.SideFile();
    EXPECT_NE(text.find("nonsense here\n\n$20 99 Too long\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Sprites"), std::string::npos) << text;
}

TEST(NamePalette, AnUnreadableSideFileStillLetsTheFileLoad) {
    TempDir dir;
    const std::string path = dir.File("rom.bin");
    WriteBytes(path, Rom());
    std::filesystem::create_directory(path + ".palettes");  // there, but no file to read
    FormHarness h;
    h.controls.AnswerOpen(path);
    h.controls.Run(Command::Load);
    EXPECT_EQ(h.form.State.FileName, path);
    ASSERT_EQ(h.controls.Messages().size(), 1u);
    EXPECT_TRUE(
        h.controls.Messages()[0].starts_with("The palette names in rom.bin.palettes could not be read: "));
}

TEST(FindRows, NameEveryRowAndListEveryNamedPalette) {
    PaletteNames names = PaletteNames::Parse("$10 4 Short one\n$40 16 Found\n");
    const std::vector<std::uint8_t> bytes = Rom();
    const std::vector<ScanHit> hits{{0x40, 16, 0.9}, {0x100, 64, 0.5}};
    const std::vector<FindRow> rows = ScanRows(hits, names, bytes);
    const double shortScore = PaletteScore(WordsAt(bytes, 0x10, 4), 0x10);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (FindRow{0x40, 16, "$40", "0.90", "Found"}));
    EXPECT_EQ(rows[shortScore > 0.5 ? 1 : 2].title, "Short one");

    const std::vector<SearchHit> found{{0x40, 16, 0, MatchKind::Exact}, {0x81, 5, 3, MatchKind::Part}};
    EXPECT_EQ(SearchRows(found, names),
              (std::vector<FindRow>{{0x40, 16, "$40", "entries 0–15, exact", "Found"},
                                    {0x81, 5, "$81", "entries 3–7, part", ""}}));
}

}  // namespace tintorb::test
