// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/LengthMenu.h"
#include "support/FormHarness.h"

namespace tintorb::test {
namespace {

// A form with a file loaded the way a user loads one.
class PaletteLocation : public testing::Test {
  protected:
    void Load(const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir_.File("rom.bin");
        WriteBytes(path, bytes);
        h_.controls.AnswerOpen(path);
        h_.form.btnLoadClick();
    }
    // Types an address into the box and presses "Load".
    void LocateAt(std::string_view address) {
        h_.controls.Paste(Ctl::editAddress, address);
        h_.form.btnReloadClick();
    }
    [[nodiscard]] EditorState& State() { return Mutable(h_.form); }
    [[nodiscard]] std::string Text(Ctl c) const { return h_.controls.Text(c); }

    FormHarness h_;
    TempDir dir_;
};

[[nodiscard]] std::vector<std::uint8_t> Words(std::size_t count, ColourWord w) {
    return WordBytes(std::vector<std::uint16_t>(count, w));
}

[[nodiscard]] std::vector<std::uint8_t> operator+(std::vector<std::uint8_t> a,
                                                  const std::vector<std::uint8_t>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST_F(PaletteLocation, ClickingABrowserCellLocatesTheValidRunThere) {
    // Words from $1F40 on: ten valid ones, then an invalid one.
    Load(Words(4000, 0x1111) + Words(10, 0x0246) + Words(1190, 0xF000));
    h_.controls.Scroll(Ctl::barBrowser, 110);  // the top-left cell shows $1B80; $1F40 is 15 rows below it
    State().SelStart = 2;
    State().SelEnd = 4;

    h_.form.areaBrowserMouseDown(MouseButton::Right, 3, 15 * 16 + 5);

    EXPECT_EQ(Text(Ctl::editAddress), "$1F40");
    EXPECT_EQ(State().PalAddress, 0x1F40);
    EXPECT_EQ(State().PalLength, 10);
    EXPECT_EQ(State().SelStart, 0);
    EXPECT_EQ(State().SelEnd, 0);
    EXPECT_EQ(h_.controls.Lines(Ctl::memoASM).size(), 1u);
    EXPECT_EQ(h_.controls.SelectedText(Ctl::memoASM), "$0246");
}

TEST_F(PaletteLocation, ClickingPastTheDataChangesNothing) {
    Load(Words(3, 0x0EEE) + std::vector<std::uint8_t>{0x0E});
    LocateAt("$2");
    const int presents = h_.controls.PresentCount();

    h_.form.areaBrowserMouseDown(MouseButton::Left, 4 * 16, 0);  // offset 8, one past the last byte

    EXPECT_EQ(Text(Ctl::editAddress), "$2");
    EXPECT_EQ(State().PalAddress, 2);
    EXPECT_EQ(h_.controls.PresentCount(), presents);

    // The odd last byte is still data: its cell locates an empty palette there.
    h_.form.areaBrowserMouseDown(MouseButton::Left, 3 * 16, 0);
    EXPECT_EQ(Text(Ctl::editAddress), "$6");
    EXPECT_EQ(State().PalLength, 0);
}

struct LengthCase {
    const char* name;
    std::vector<std::uint8_t> data;
    const char* address;
    int item;           // menu item chosen, or -1 for menuText typed into the menu
    const char* typed;  // editLength text for "Other", menu text for -1
    int expectedLength;
    const char* lengthTextAfter;
};

void PrintTo(const LengthCase& c, std::ostream* os) {
    *os << c.name;
}

class PaletteLength : public PaletteLocation, public testing::WithParamInterface<LengthCase> {};

TEST_P(PaletteLength, FollowsTheMenuAndTheData) {
    const LengthCase& c = GetParam();
    Load(c.data);
    if (c.item >= 0) {
        h_.controls.ChooseItem(Ctl::menuLength, c.item);
    } else {
        h_.controls.TypeMenuText(Ctl::menuLength, c.typed);
    }
    if (c.item == LengthItemOther) {
        h_.controls.Paste(Ctl::editLength, c.typed);
    }
    LocateAt(c.address);

    EXPECT_EQ(State().PalLength, c.expectedLength);
    if (c.item == LengthItemOther) {
        EXPECT_EQ(Text(Ctl::editLength), c.lengthTextAfter);
    }
}

const std::vector<std::uint8_t> ManyValid = Words(70, 0x0EEE) + Words(10, 0x1000);

INSTANTIATE_TEST_SUITE_P(
    Menu, PaletteLength,
    testing::Values(
        LengthCase{"AutoStopsAtSixtyFour", ManyValid, "0", 0, "", 64, ""},
        LengthCase{"AutoStopsAtTheFirstInvalidWord", Words(5, 0x0222) + Words(5, 0x1000), "0", 0, "", 5, ""},
        LengthCase{"AutoKeepsAnInvalidFirstWord", Words(1, 0x0001) + Words(9, 0x0EEE), "0", 0, "", 1, ""},
        LengthCase{"AutoStopsAtTheEndOfTheData", Words(3, 0x0EEE) + std::vector<std::uint8_t>{0}, "0", 0, "",
                   3, ""},
        LengthCase{"FixedClampedToTheWordsLeft", Words(100, 0x0EEE), "$A0", 4, "", 20, ""},
        LengthCase{"FixedFromAnOddAddress", Words(100, 0x0EEE), "$BB", 2, "", 6, ""},
        LengthCase{"OtherAboveSixtyFour", ManyValid, "0", 5, "100", 64, "100"},
        LengthCase{"OtherZero", ManyValid, "0", 5, "0", 1, "0"},
        LengthCase{"OtherDollarAlone", ManyValid, "0", 5, "$", 1, "1"},
        LengthCase{"OtherEmpty", ManyValid, "0", 5, "", 1, "1"},
        LengthCase{"OtherHexadecimal", ManyValid, "0", 5, "$20", 32, "$20"},
        LengthCase{"OtherNegative", ManyValid, "0", 5, "$FFFFFFFE", 1, "$FFFFFFFE"},
        LengthCase{"TypedItemText", ManyValid, "0", -1, "$20", 32, ""},
        LengthCase{"TypedNumber", ManyValid, "0", -1, "$18", 24, ""},
        LengthCase{"TypedNumberAboveSixtyFour", ManyValid, "0", -1, "99", 64, ""},
        LengthCase{"TypedWordMeansAuto", Words(5, 0x0222) + Words(5, 0x1000), "0", -1, "other", 5, ""}),
    [](const testing::TestParamInfo<LengthCase>& info) { return std::string(info.param.name); });

TEST_F(PaletteLocation, AddressWithNoWholeWordGivesAnEmptyPalette) {
    Load(Words(8, 0x0EEE) + std::vector<std::uint8_t>{0x0E});
    for (const char* address : {"$FFFFFFFE", "-1", "$1000", "18", "16", "$80000000"}) {
        LocateAt("0");
        ASSERT_EQ(State().PalLength, 8);

        LocateAt(address);
        EXPECT_EQ(State().PalLength, 0) << address;
        EXPECT_EQ(State().SelStart, 0);
        EXPECT_TRUE(h_.controls.Lines(Ctl::memoASM).empty()) << address;
        EXPECT_EQ(Text(Ctl::editBits), ResetBitsText);
        EXPECT_FALSE(h_.controls.Enabled(Ctl::editBits));
        const Rect pal = RectOf(Ctl::areaPal);
        EXPECT_EQ(h_.form.surface().PixelAt(pal.left + 1, pal.top + 1), BackgroundColour) << address;
    }
}

TEST_F(PaletteLocation, ReloadNeedsAFile) {
    h_.controls.Type(Ctl::editAddress, "10");
    const int presents = h_.controls.PresentCount();
    h_.form.btnReloadClick();
    EXPECT_EQ(State().PalLength, 0);
    EXPECT_EQ(State().PalAddress, 0);
    EXPECT_EQ(h_.controls.PresentCount(), presents);
    EXPECT_EQ(Text(Ctl::editAddress), "10");
}

TEST_F(PaletteLocation, ReloadReadsTheAddressBox) {
    Load(Words(64, 0x0EEE));
    h_.controls.Type(Ctl::editAddress, "10");
    h_.form.btnReloadClick();
    EXPECT_EQ(State().PalAddress, 10);
    EXPECT_EQ(State().PalLength, 59);

    h_.controls.Paste(Ctl::editAddress, "");
    h_.controls.Type(Ctl::editAddress, "1A");
    EXPECT_EQ(Text(Ctl::editAddress), "$1A");
    h_.form.btnReloadClick();
    EXPECT_EQ(State().PalAddress, 26);

    for (const char* unfinished : {"$", ""}) {
        h_.controls.Paste(Ctl::editAddress, unfinished);
        h_.form.btnReloadClick();
        EXPECT_EQ(Text(Ctl::editAddress), "0");
        EXPECT_EQ(State().PalAddress, 0);
        EXPECT_EQ(State().PalLength, 64);
    }
}

TEST_F(PaletteLocation, NumberBoxesTakeOnlyNumberKeys) {
    for (const Ctl box : {Ctl::editAddress, Ctl::editLength}) {
        h_.controls.Type(box, "g\r\x16-+ x");
        EXPECT_EQ(Text(box), "") << LayoutOf(box).name;
        h_.controls.Type(box, "$");
        EXPECT_EQ(Text(box), "$");
        h_.controls.Type(box, "1f\x08");
        EXPECT_EQ(Text(box), "$1");
        h_.controls.Paste(box, "hello");
        EXPECT_EQ(Text(box), "0") << LayoutOf(box).name;
        h_.controls.Paste(box, "");
    }
    // Only the address box puts the "$" before a letter, and leaves the caret after it.
    h_.controls.Type(Ctl::editAddress, "A");
    EXPECT_EQ(Text(Ctl::editAddress), "$A");
    EXPECT_EQ(h_.controls.Caret(Ctl::editAddress), 2);
    h_.controls.Type(Ctl::editAddress, "b");
    EXPECT_EQ(Text(Ctl::editAddress), "$Ab");
    h_.controls.Type(Ctl::editLength, "A");
    EXPECT_EQ(Text(Ctl::editLength), "0");
}

TEST_F(PaletteLocation, LengthMenuShowsTheBoxOnlyForOther) {
    Load(Words(64, 0x0EEE));
    LocateAt("0");
    EXPECT_FALSE(h_.controls.Visible(Ctl::editLength));

    h_.controls.ChooseItem(Ctl::menuLength, LengthItemOther);
    EXPECT_TRUE(h_.controls.Visible(Ctl::editLength));
    EXPECT_EQ(State().PalLength, 64);  // applies at the next location only

    h_.controls.ChooseItem(Ctl::menuLength, 1);
    EXPECT_FALSE(h_.controls.Visible(Ctl::editLength));
    h_.controls.TypeMenuText(Ctl::menuLength, "Other");  // an item's own text chooses that item
    EXPECT_TRUE(h_.controls.Visible(Ctl::editLength));
    EXPECT_EQ(State().PalLength, 64);
}

}  // namespace
}  // namespace tintorb::test

namespace tintorb::test {

// What the user types into the length menu completes to the first item it begins, case ignored.
TEST(LengthMenu, TypingCompletesToTheFirstItemItBegins) {
    const std::vector<std::pair<std::string_view, std::optional<int>>> cases{{"a", LengthItemAuto},
                                                                             {"oTH", LengthItemOther},
                                                                             {"$", 1},
                                                                             {"$3", 3},
                                                                             {"$30", 3},
                                                                             {"$5", std::nullopt},
                                                                             {"", std::nullopt},
                                                                             {"Autos", std::nullopt}};
    for (const auto& [typed, item] : cases) {
        EXPECT_EQ(LengthCompletion(typed), item) << typed;
    }
    EXPECT_EQ(LengthItemOf("$20"), 2);
    EXPECT_EQ(LengthItemOf("auto"), -1);
}

}  // namespace tintorb::test
