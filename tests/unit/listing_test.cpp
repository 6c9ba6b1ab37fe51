// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "formats/Listing.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"

namespace tintorb::test {

namespace {

// A palette of count entries 0x0000, 0x0001, … at the start of the file, entry sel selected.
void LoadCountingPalette(FormHarness& h, int count, int sel) {
    std::vector<std::uint16_t> words;
    for (int i = 0; i < count; ++i) {
        words.push_back(static_cast<std::uint16_t>(i));
    }
    Mutable(h.form).FileData = WordBytes(words);
    Mutable(h.form).PalAddress = 0;
    Mutable(h.form).PalLength = count;
    Mutable(h.form).SelStart = sel;
    Mutable(h.form).SelEnd = sel;
}

TEST(ListingLines, HoldSixteenWordsEach) {
    FormHarness h;
    LoadCountingPalette(h, 17, 0);
    h.form.WriteListing();
    const std::vector<std::string> lines = h.controls.Lines(Ctl::memoASM);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "dc.w $0000,$0001,$0002,$0003,$0004,$0005,$0006,$0007,$0008,$0009,$000A,$000B,$000C,$000D,"
              "$000E,$000F");
    EXPECT_EQ(lines[1], "dc.w $0010");
}

TEST(ListingLines, CountOneLinePerSixteenEntries) {
    for (const auto& [count, expectedLines] :
         std::vector<std::pair<int, std::size_t>>{{16, 1}, {17, 2}, {64, 4}}) {
        FormHarness h;
        LoadCountingPalette(h, count, 0);
        h.form.WriteListing();
        const std::vector<std::string> lines = h.controls.Lines(Ctl::memoASM);
        ASSERT_EQ(lines.size(), expectedLines) << count;
        for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
            EXPECT_EQ(lines[i].size(), 100u) << count << " entries, line " << i;
        }
    }
}

TEST(ListingLines, ReplaceTheWholeContent) {
    FormHarness h;
    h.controls.EditListing("dc.w $0EEE\nsomething typed\nmore");
    LoadCountingPalette(h, 3, 0);
    h.form.WriteListing();
    EXPECT_EQ(h.controls.Lines(Ctl::memoASM), std::vector<std::string>{"dc.w $0000,$0001,$0002"});

    Mutable(h.form).PalLength = 0;
    h.form.WriteListing();
    EXPECT_TRUE(h.controls.Lines(Ctl::memoASM).empty());
    EXPECT_EQ(h.controls.Focus(), Ctl::memoASM);
}

struct HighlightCase {
    int sel;
    int position;
    std::string text;
};

class ListingHighlight : public testing::TestWithParam<HighlightCase> {};

TEST_P(ListingHighlight, SelectsTheSelectedEntrysDollarAndDigits) {
    FormHarness h;
    LoadCountingPalette(h, 64, GetParam().sel);
    h.form.WriteListing();
    EXPECT_EQ(h.controls.Focus(), Ctl::memoASM);
    EXPECT_EQ(h.controls.Selection(Ctl::memoASM), std::make_pair(GetParam().position, 5));
    EXPECT_EQ(h.controls.SelectedText(Ctl::memoASM), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Entries, ListingHighlight,
                         testing::Values(HighlightCase{0, 5, "$0000"}, HighlightCase{15, 95, "$000F"},
                                         HighlightCase{17, 113, "$0011"}, HighlightCase{63, 401, "$003F"}));

TEST(ListingHighlight, IsEmptyForASelectionOutsideThePalette) {
    FormHarness h;
    LoadCountingPalette(h, 3, 5);
    h.form.WriteListing();
    EXPECT_EQ(h.controls.SelectedText(Ctl::memoASM), "");
}

struct FieldCase {
    std::string text;
    std::string delimiter;
    int n;
    std::string piece;
};

class ListingFields : public testing::TestWithParam<FieldCase> {};

TEST_P(ListingFields, CutTheTextAtEveryDelimiter) {
    EXPECT_EQ(GetField(GetParam().text, GetParam().delimiter, GetParam().n), GetParam().piece);
}

INSTANTIATE_TEST_SUITE_P(Pieces, ListingFields,
                         testing::Values(FieldCase{"abc", ",", 0, "abc"}, FieldCase{"abc", ",", 1, ""},
                                         FieldCase{"a,b,", ",", 1, "b"}, FieldCase{"a,b,", ",", 2, ""},
                                         FieldCase{"a,,b", ",", 1, ""}, FieldCase{"a,,b", ",", 2, "b"},
                                         FieldCase{"x dc.w 1 dc.w 2", "dc.w", 1, " 1 "},
                                         FieldCase{"DC.W 1", "dc.w", 1, ""}, FieldCase{"a,b", ",", -1, ""},
                                         FieldCase{"a,b", "", 0, "a,b"}));

struct ReadingCase {
    std::string name;
    std::vector<std::string> lines;
    int max;
    std::vector<ColourWord> values;
};

class ListingReading : public testing::TestWithParam<ReadingCase> {};

TEST_P(ListingReading, ReadsTheValuesOfItsDirectives) {
    EXPECT_EQ(ParseListing(GetParam().lines, GetParam().max), GetParam().values);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ListingReading,
    testing::Values(
        ReadingCase{"SpacesAndComment", {"dc.w $0EEE, $000E ; sky"}, 64, {0x0EEE, 0x000E}},
        ReadingCase{
            "TabAndFourSpellings", {"dc.w\t$0EEE,3822,0x0EEE,x0eee"}, 64, {0x0EEE, 0x0EEE, 0x0EEE, 0x0EEE}},
        ReadingCase{"EmptyFieldEndsTheLine", {"dc.w $0EEE,,$000E", "dc.w $0002"}, 64, {0x0EEE, 0x0002}},
        ReadingCase{"NoNumberReadsAsZero", {"dc.w $0EEE,zz,$000E"}, 64, {0x0EEE, 0, 0x000E}},
        ReadingCase{"DirectiveIsCaseSensitive", {"DC.W $0EEE"}, 64, {}},
        ReadingCase{"NoDirective", {"$0EEE"}, 64, {}},
        ReadingCase{"DirectiveInsideAComment", {"; dc.w $0EEE"}, 64, {0x0EEE}},
        ReadingCase{"SecondDirectiveInAComment", {"dc.w $0EEE ; was dc.w $0000"}, 64, {0x0EEE}},
        ReadingCase{
            "LowSixteenBits", {"dc.w $10000,-1,$FFFFFFFF,65537"}, 64, {0x0000, 0xFFFF, 0xFFFF, 0x0001}},
        ReadingCase{"BlankLines", {"", "dc.w $0001", "   ", "", "dc.w $0002"}, 64, {0x0001, 0x0002}},
        ReadingCase{"TrailingCommaEndsTheLine", {"dc.w $0001,", "dc.w $0002"}, 64, {0x0001, 0x0002}},
        ReadingCase{"StopsAtMax", {"dc.w 1,2,3", "dc.w 4"}, 2, {1, 2}},
        ReadingCase{"NothingBeyondMax", {"dc.w 1,2", "dc.w 3"}, 2, {1, 2}},
        ReadingCase{"NoValuesForMaxZero", {"dc.w 1"}, 0, {}},
        ReadingCase{"NoValuesForNegativeMax", {"dc.w 1"}, -5, {}}),
    [](const testing::TestParamInfo<ReadingCase>& info) { return info.param.name; });

// The listing is meant to be edited and read back, so whatever it writes must read as the same entries,
// whatever the words, the length, or where the palette lies in the file.
TEST(ListingRoundTrip, ReadsBackEveryPaletteItWrites) {
    std::mt19937 random(20240607);
    FormHarness h;
    for (int trial = 0; trial < 400; ++trial) {
        const int length = 1 + trial % 64;
        const int address = static_cast<int>(random() % 7);
        Mutable(h.form).FileData.resize(static_cast<std::size_t>(address + 2 * length));
        for (std::uint8_t& byte : Mutable(h.form).FileData) {
            byte = static_cast<std::uint8_t>(random());
        }
        Mutable(h.form).PalAddress = address;
        Mutable(h.form).PalLength = length;
        Mutable(h.form).SelStart = static_cast<int>(random() % static_cast<unsigned>(length));
        h.form.WriteListing();

        std::vector<ColourWord> palette;
        for (int i = 0; i < length; ++i) {
            palette.push_back(h.form.State.GetEntry(i));
        }
        ASSERT_EQ(ParseListing(h.controls.Lines(Ctl::memoASM), 64), palette) << "trial " << trial;
        ASSERT_EQ(h.controls.SelectedText(Ctl::memoASM), "$" + HexText(palette[h.form.State.SelStart], 4));
    }
}

}  // namespace

}  // namespace tintorb::test
