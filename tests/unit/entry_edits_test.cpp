// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/FormHarness.h"

namespace tintorb::test {
namespace {

constexpr std::uint8_t Filler = 0xA5;

// A loaded file holding the given palette at byte `at`, with `after` filler bytes behind it.
void LoadPalette(FormHarness& h, const std::vector<std::uint16_t>& words, int at = 0, int after = 0) {
    EditorState& s = Mutable(h.form);
    s.FileData.assign(static_cast<std::size_t>(at), Filler);
    const std::vector<std::uint8_t> bytes = WordBytes(words);
    s.FileData.insert(s.FileData.end(), bytes.begin(), bytes.end());
    s.FileData.insert(s.FileData.end(), static_cast<std::size_t>(after), Filler);
    s.WordCount = static_cast<std::int32_t>(s.FileData.size() / 2);
    s.FileName = "loaded.bin";
    s.PalAddress = at;
    s.PalLength = static_cast<std::int32_t>(words.size());
    s.SelStart = 0;
    s.SelEnd = 0;
}

std::vector<std::uint16_t> Entries(const FormHarness& h) {
    std::vector<std::uint16_t> words;
    for (int i = 0; i < h.form.State.PalLength; ++i) {
        words.push_back(h.form.State.GetEntry(i));
    }
    return words;
}

Rgb PaletteCellPixel(const FormHarness& h, int entry) {
    const Rect r = RectOf(Ctl::areaPal);
    return h.form.surface().PixelAt(r.left + 25 * (entry % 16) + 12, r.top + 40 * (entry / 16) + 20);
}

// ---- Level picker, colour dialog, bit view ----

TEST(EntryEdits, LevelSwatchSetsOneChannelOfTheFirstSelectedEntryOnly) {
    FormHarness h;
    std::vector<std::uint16_t> expected(12, 0x0EEE);
    LoadPalette(h, expected);
    Mutable(h.form).SelStart = 2;
    Mutable(h.form).SelEnd = 9;
    h.form.areaRGBMouseDown(MouseButton::Left, 5 * 30 + 3, 30 + 3);
    expected[2] = 0x0EAE;
    EXPECT_EQ(Entries(h), expected);
    EXPECT_EQ(PaletteCellPixel(h, 2), DisplayColour(0x0EAE));

    Mutable(h.form).SelStart = 3;
    h.form.areaRGBMouseDown(MouseButton::Right, 4, 60 + 29);
    expected[3] = 0x00EE;
    EXPECT_EQ(Entries(h), expected);
}

TEST(EntryEdits, ColourDialogTruncatesIntoTheEntryKeepingMaskBitsAndCancelChangesNothing) {
    FormHarness h;
    LoadPalette(h, {0xF111, 0x0000});
    h.controls.AnswerColour(Rgb{255, 255, 255});
    h.form.btnColourClick();
    Mutable(h.form).SelStart = 1;
    h.controls.AnswerColour(Rgb{200, 100, 50});
    h.form.btnColourClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{0xFFFF, 0x026C}));

    const int presents = h.controls.PresentCount();
    h.controls.AnswerColour(std::nullopt);
    h.form.btnColourClick();
    EXPECT_EQ(Entries(h), (std::vector<std::uint16_t>{0xFFFF, 0x026C}));
    EXPECT_EQ(h.controls.PresentCount(), presents);
}

TEST(EntryEdits, BitPressTogglesAnyBitAndTheBrowserStripesAnInvalidWord) {
    FormHarness h;
    LoadPalette(h, {0x0EEE});
    h.form.editBitsMouseDown(MouseButton::Left, 5, 8);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x8EEE);
    const Rect browser = RectOf(Ctl::areaBrowser);
    EXPECT_EQ(h.form.surface().PixelAt(browser.left, browser.top), (Rgb{64, 64, 64}));
    EXPECT_EQ(h.form.surface().PixelAt(browser.left, browser.top + 1), (Rgb{128, 128, 128}));

    // A double-click arrives as two presses; a press past the digits changes nothing but still redraws.
    h.form.editBitsMouseDown(MouseButton::Left, 170, 8);
    h.form.editBitsMouseDown(MouseButton::Left, 170, 8);
    const int presents = h.controls.PresentCount();
    h.form.editBitsMouseDown(MouseButton::Right, 176, 8);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x8EEE);
    EXPECT_GT(h.controls.PresentCount(), presents);

    Mutable(h.form).FileName.clear();
    h.form.editBitsMouseDown(MouseButton::Left, 5, 8);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x8EEE);
}

// ---- Selection in the palette view ----

struct SelectionCase {
    const char* name;
    int palLength;
    int start;
    int end;
    MouseButton button;
    int pressX, pressY;
    int releaseX, releaseY;
    int expectedStart;
    int expectedEnd;
};

class PaletteSelection : public testing::TestWithParam<SelectionCase> {};

TEST_P(PaletteSelection, PressAndReleaseSelectAForwardRun) {
    const SelectionCase c = GetParam();
    FormHarness h;
    LoadPalette(h, std::vector<std::uint16_t>(static_cast<std::size_t>(c.palLength), 0x0EEE));
    Mutable(h.form).SelStart = c.start;
    Mutable(h.form).SelEnd = c.end;
    h.form.areaPalMouseDown(c.button, c.pressX, c.pressY);
    h.form.areaPalMouseUp(c.button, c.releaseX, c.releaseY);
    EXPECT_EQ(h.form.State.SelStart, c.expectedStart);
    EXPECT_EQ(h.form.State.SelEnd, c.expectedEnd);
}

constexpr int Cell(int column) {
    return 25 * column + 12;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PaletteSelection,
    testing::Values(
        SelectionCase{"LeftOfRow1", 32, 0, 0, MouseButton::Left, Cell(3), 5, -10, 45, 3, 16},
        SelectionCase{"RightOfRow0", 32, 0, 0, MouseButton::Left, Cell(3), 5, 410, 5, 3, 16},
        SelectionCase{"RightClickForward", 32, 2, 2, MouseButton::Right, Cell(5), 5, Cell(5), 5, 2, 5},
        SelectionCase{"RightClickBackward", 32, 2, 2, MouseButton::Right, Cell(1), 5, Cell(1), 5, 1, 2},
        SelectionCase{"PressBesideEntries", 20, 2, 9, MouseButton::Left, Cell(14), 45, -100, 5, 2, 2},
        SelectionCase{"PressAboveTheArea", 20, 2, 9, MouseButton::Left, Cell(5), -50, 999, 5, 2, 2},
        SelectionCase{"ReleaseAboveTheArea", 20, 2, 9, MouseButton::Right, 999, 5, Cell(15), -50, 2, 9}),
    [](const testing::TestParamInfo<SelectionCase>& info) { return std::string(info.param.name); });

// ---- Listing written back ----

TEST(ListingWriteBack, WithoutAFileBuildsAFreshPaletteThatSaveChangesWrites) {
    TempDir dir;
    FormHarness h;
    h.controls.SetExecutableDir(dir.Path().string() + "/");
    h.controls.EditListing("dc.w $0E00,$00E0");
    h.form.btnASMClick();

    const EditorState& s = h.form.State;
    EXPECT_EQ(s.PalLength, 64);
    EXPECT_EQ(s.WordCount, 64);
    EXPECT_EQ(s.FileName, dir.File("palette.bin"));
    EXPECT_EQ(h.controls.Caption(), WindowCaption);
    std::vector<std::uint16_t> expected(64, 0x0000);
    expected[0] = 0x0E00;
    expected[1] = 0x00E0;
    EXPECT_EQ(Entries(h), expected);
    EXPECT_EQ(PaletteCellPixel(h, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(PaletteCellPixel(h, 1), (Rgb{0, 255, 0}));
    EXPECT_EQ(PaletteCellPixel(h, 63), (Rgb{0, 0, 0}));

    h.form.btnSaveClick();
    EXPECT_EQ(ReadBytes(dir.File("palette.bin")), WordBytes(expected));
}

TEST(ListingWriteBack, StoresAtMostPalLengthValuesAndKeepsTheEntriesAfterTheLast) {
    FormHarness h;
    LoadPalette(h, std::vector<std::uint16_t>(16, 0x0EEE), 3, 5);
    const std::vector<std::uint8_t> before = h.form.State.FileData;
    std::string listing = "dc.w $0000";
    for (int i = 1; i < 20; ++i) {
        listing += ",$000" + std::string(1, "0123456789ABCDEF"[i % 16]);
    }
    h.controls.EditListing(listing);
    h.form.btnASMClick();

    std::vector<std::uint16_t> expected;
    for (int i = 0; i < 16; ++i) {
        expected.push_back(static_cast<std::uint16_t>(i));
    }
    EXPECT_EQ(Entries(h), expected);
    EXPECT_EQ(std::vector(h.form.State.FileData.begin(), h.form.State.FileData.begin() + 3),
              std::vector(before.begin(), before.begin() + 3));
    EXPECT_EQ(std::vector(h.form.State.FileData.end() - 5, h.form.State.FileData.end()),
              std::vector(before.end() - 5, before.end()));

    h.controls.EditListing("dc.w $0EEE,$0E00");
    h.form.btnASMClick();
    expected[0] = 0x0EEE;
    expected[1] = 0x0E00;
    EXPECT_EQ(Entries(h), expected);
}

// Only a failed load followed by a browser click leaves FileData and PalAddress like this.
TEST(ListingWriteBack, FreshPaletteHoldsOnlyTheWholeWordsThatFitAfterTheAddress) {
    FormHarness h;
    EditorState& s = Mutable(h.form);
    s.FileData.assign(40, 0x11);
    s.PalAddress = 101;
    h.controls.EditListing(
        "dc.w $0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE,$0EEE");
    h.form.btnASMClick();

    ASSERT_EQ(s.FileData.size(), 128u);
    EXPECT_EQ(s.PalLength, 13);
    std::vector<std::uint8_t> expected(128, 0);
    std::fill(expected.begin(), expected.begin() + 40, 0x11);
    for (int i = 0; i < 13; ++i) {
        expected[static_cast<std::size_t>(101 + 2 * i)] = 0x0E;
        expected[static_cast<std::size_t>(102 + 2 * i)] = 0xEE;
    }
    EXPECT_EQ(s.FileData, expected);

    FormHarness beyond;
    Mutable(beyond.form).FileData.assign(300, 0x22);
    Mutable(beyond.form).PalAddress = 200;
    beyond.controls.EditListing("dc.w $0EEE");
    beyond.form.btnASMClick();
    EXPECT_EQ(beyond.form.State.PalLength, 0);
    EXPECT_EQ(beyond.form.State.FileData, std::vector<std::uint8_t>(128, 0x22));
    EXPECT_EQ(beyond.controls.PresentCount(), 0);
}

}  // namespace
}  // namespace tintorb::test
