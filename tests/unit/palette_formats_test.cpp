// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/PaletteDialogs.h"
#include "formats/PaletteFile.h"
#include "formats/PaletteFormat.h"
#include "support/FormHarness.h"

namespace tintorb {
namespace {

using test::FormHarness;
using test::Mutable;

[[nodiscard]] std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// Every format gives back the words it was given, less the unused bits where it holds only colours.
TEST(PaletteFormats, RandomPalettesComeBackFromEveryFormat) {
    std::mt19937 random(14);
    for (const PaletteFormatInfo& info : PaletteFormats) {
        for (int round = 0; round < 100; ++round) {
            std::vector<ColourWord> words(
                std::uniform_int_distribution<std::size_t>(1, MaxPalLength)(random));
            for (ColourWord& w : words) {
                w = static_cast<ColourWord>(random());
            }
            const ImportedPalette back = DecodePalette(info.format, EncodePalette(info.format, words, "t"));
            for (ColourWord& w : words) {
                w = info.wholeWords ? w : static_cast<ColourWord>(w & ~InvalidMask);
            }
            ASSERT_EQ(back.words, words) << info.extension;
            ASSERT_EQ(back.leftOut, 0u);
            ASSERT_EQ(back.wholeWords, info.wholeWords);
        }
    }
}

// The dialogs offer each format under its own filter; opening offers every palette file at once first,
// and a search any file last.
TEST(PaletteFormats, TheDialogsFilterByEveryFormat) {
    const std::vector<std::string> exporting = PaletteFilters(PaletteDialog::Export);
    const std::vector<std::string> searching = PaletteFilters(PaletteDialog::Query);
    ASSERT_EQ(exporting.size(), PaletteFormats.size());
    EXPECT_EQ(exporting.front(),
              std::string(PaletteFormats[0].name) + " (*." + std::string(PaletteFormats[0].extension) + ")");
    ASSERT_EQ(searching.size(), PaletteFormats.size() + 2);
    EXPECT_TRUE(searching.front().starts_with("Palette files (*." + std::string(PaletteFormats[0].extension) +
                                              " *."));
    EXPECT_EQ(std::vector(searching.begin() + 1, searching.end() - 1), exporting);
    EXPECT_EQ(searching.back(), "All files (*)");
    EXPECT_EQ(PaletteFilters(PaletteDialog::Import), std::vector(searching.begin(), searching.end() - 1));
}

TEST(PaletteFormats, TheExtensionPicksTheFormat) {
    EXPECT_EQ(PaletteFormatOf("a/b.GPL"), PaletteFormat::Gpl);
    EXPECT_EQ(PaletteFormatOf("x.tar.pal"), PaletteFormat::JascPal);
    EXPECT_EQ(PaletteFormatOf("pal"), std::nullopt);
    EXPECT_EQ(PaletteFormatOf("d.gpl/f"), std::nullopt);
    EXPECT_THROW((void)RequireFormatOf("x.jpg"), FormatError);
}

// A file as a reader takes it: the words it gives and how many it leaves out, or its one error.
struct FileCase {
    PaletteFormat format;
    std::string bytes;
    std::vector<ColourWord> words;
    std::size_t leftOut = 0;
    std::string error;
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.bytes.substr(0, 24);
}

[[nodiscard]] FileCase Good(PaletteFormat format, std::string bytes, std::vector<ColourWord> words,
                            std::size_t leftOut = 0) {
    return {format, std::move(bytes), std::move(words), leftOut, ""};
}

[[nodiscard]] FileCase Bad(PaletteFormat format, std::string bytes, std::string error) {
    return {format, std::move(bytes), {}, 0, std::move(error)};
}

class PaletteFileCase : public ::testing::TestWithParam<FileCase> {};

TEST_P(PaletteFileCase, ReadsAsOtherProgramsWriteOrGivesOneClearError) {
    const FileCase& c = GetParam();
    try {
        const ImportedPalette palette = DecodePalette(c.format, Bytes(c.bytes));
        EXPECT_EQ(palette.words, c.words);
        EXPECT_EQ(palette.leftOut, c.leftOut);
        EXPECT_EQ("", c.error);
    } catch (const FormatError& e) {
        EXPECT_EQ(e.what(), c.error);
    }
}

const std::string Png = "\x89PNG\r\n\x1a\n";
// The header of an 8192 × 8192 image, and nothing more.
const std::string HugePng = Png + std::string(
                                      "\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x20\x00\x00\x00\x20\x00"
                                      "\x08\x02\x00\x00\x00\xFD\xC8\x5D\x0E",
                                      25);

INSTANTIATE_TEST_SUITE_P(
    Formats, PaletteFileCase,
    ::testing::Values(
        Good(PaletteFormat::Gpl,
             "\xEF\xBB\xBFGIMP Palette\r\nName: x\r\n# c\r\n\r\n 255 0 0\tRed\r\n30 60 200\r\n",
             {0x000E, 0x0C22}),
        Good(PaletteFormat::JascPal, "JASC-PAL\r0100\r2\r0 0 0\r255 255 255 128\r\r", {0x0000, 0x0EEE}),
        Good(PaletteFormat::Act, std::string(768, '\0'), std::vector<ColourWord>(64, 0), 192),
        Good(PaletteFormat::Act,
             std::string("\xFF\0\0", 3) + std::string(765, '\0') + std::string("\0\1\xFF\xFF", 4), {0x000E}),
        Good(PaletteFormat::Hex, "; sky\n$0EEE\r\n  dc.w $000E, 224 ; two\n\n0xF111\n",
             {0x0EEE, 0x000E, 0x00E0, 0xF111}),
        Bad(PaletteFormat::Gpl, "GIMP\n0 0 0\n",
            "Not a GIMP palette: the first line is not \"GIMP Palette\""),
        Bad(PaletteFormat::Gpl, "GIMP Palette\n0 256 0\n",
            "Line 2: \"256\" is no colour value from 0 to 255"),
        Bad(PaletteFormat::Gpl, "GIMP Palette\n0 -1 0\n", "Line 2: \"-1\" is no colour value from 0 to 255"),
        Bad(PaletteFormat::Gpl, "GIMP Palette\n0 0\n",
            "Line 2: a colour needs three values from 0 to 255, red, green and blue"),
        Bad(PaletteFormat::Gpl, "GIMP Palette\nred\n",
            "Line 2: \"red\" is neither a colour nor a header field"),
        Bad(PaletteFormat::JascPal, "JASC-PAL\n0200\n", "Line 2: the JASC palette version is not \"0100\""),
        Bad(PaletteFormat::JascPal, "JASC-PAL\n0100\nmany\n", "Line 3: \"many\" is no number of colours"),
        Bad(PaletteFormat::JascPal, "JASC-PAL\n0100\n2\n1 2 3\n",
            "The JASC palette says it holds 2 colours, but it holds 1"),
        Bad(PaletteFormat::Act, std::string(700, '\0'),
            "Not an Adobe color table: it holds 700 bytes, where a table has 768 or 772"),
        Bad(PaletteFormat::Act, std::string(768, '\0') + "\x01\x01\xFF\xFF",
            "The Adobe color table says it holds 257 colours, but it has room for 256"),
        Bad(PaletteFormat::Bin, std::string("\x0E\xEE\x00", 3),
            "Not a file of words: it holds an odd number of bytes (3)"),
        Bad(PaletteFormat::Bin, "", "The palette holds no colours"),
        Bad(PaletteFormat::Hex, "$0EEE\n$10000\n", "Line 2: \"$10000\" is no word from $0000 to $FFFF"),
        Bad(PaletteFormat::Hex, "\x1b[31m\n", "Line 1: \"?[31m\" is no word from $0000 to $FFFF"),
        Bad(PaletteFormat::Png, "GIF89a", "Not a PNG image"),
        Bad(PaletteFormat::Png, Png, "Damaged PNG image: end of stream"),
        Bad(PaletteFormat::Png, HugePng,
            "The PNG image is too large to take a palette from: 8192 x 8192 pixels")));

// ---- In the window ----

struct PaletteFilesInTheWindow : ::testing::Test {
    FormHarness h;
    test::TempDir dir;

    // A file of six words with a palette of the middle four shown, some with unused bits set.
    PaletteFilesInTheWindow() {
        EditorState& s = Mutable(h.form);
        s.FileData = test::WordBytes({0x1111, 0xF111, 0x0EEF, 0x1000, 0x0222, 0x3333});
        s.WordCount = 6;
        s.FileName = dir.File("game.bin");
        s.PalAddress = 2;
        s.PalLength = 4;
    }
    std::string Write(const std::string& name, const std::string& text) {
        test::WriteBytes(dir.File(name), Bytes(text));
        return dir.File(name);
    }
};

TEST_F(PaletteFilesInTheWindow, ImportKeepsUnusedBitsStopsAtThePalettesEndAndIsOneStep) {
    const std::vector<std::uint8_t> before = h.form.State.FileData;
    Mutable(h.form).SelStart = 1;
    h.controls.AnswerImport(Write("in.pal", "JASC-PAL\n0100\n4\n255 0 0\n0 255 0\n0 0 255\n9 9 9\n"));
    h.controls.Run(Command::ImportPalette);
    EXPECT_EQ(h.form.State.FileData, test::WordBytes({0x1111, 0xF111, 0x000F, 0x10E0, 0x0E00, 0x3333}));
    EXPECT_EQ(h.controls.Status(), "Imported 3 colours, 1 left out");
    EXPECT_TRUE(h.form.document().Modified());

    h.controls.AnswerImport(Write("in.txt", "$0002\n"));
    Mutable(h.form).SelStart = 0;
    h.controls.Run(Command::ImportPalette);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x0002);  // a whole word brings its own unused bits

    h.controls.Run(Command::Undo);
    h.controls.Run(Command::Undo);
    EXPECT_EQ(h.form.State.FileData, before);
}

TEST_F(PaletteFilesInTheWindow, AFileThatIsNoPaletteChangesNothing) {
    const std::vector<std::uint8_t> before = h.form.State.FileData;
    h.controls.AnswerImport(Write("bad.gpl", "GIMP Palette\n1 2 300\n"));
    EXPECT_THROW(h.controls.Run(Command::ImportPalette), FormatError);
    EXPECT_EQ(h.form.State.FileData, before);
    EXPECT_FALSE(h.form.document().CanUndo());
    EXPECT_TRUE(h.controls.Messages().empty());
}

TEST_F(PaletteFilesInTheWindow, ExportWritesTheSelectionOrElseTheWholePalette) {
    h.controls.AnswerExport(dir.File("all.txt"));
    h.controls.Run(Command::ExportPalette);
    EXPECT_EQ(test::ReadBytes(dir.File("all.txt")), Bytes("$F111\n$0EEF\n$1000\n$0222\n"));

    Mutable(h.form).SelStart = 1;
    Mutable(h.form).SelEnd = 2;
    h.controls.AnswerExport(dir.File("sel.gpl"));
    h.controls.Run(Command::ExportPalette);
    EXPECT_EQ(
        test::ReadBytes(dir.File("sel.gpl")),
        Bytes("GIMP Palette\nName: game.bin $2\nColumns: 16\n#\n255 255 255\t$0EEF\n  0   0   0\t$1000\n"));

    // Never over the file the palette comes from.
    const std::vector<std::uint8_t> before = test::WordBytes({0x1111, 0xF111});
    test::WriteBytes(h.form.State.FileName, before);
    h.controls.AnswerExport(h.form.State.FileName);
    h.controls.Run(Command::ExportPalette);
    EXPECT_EQ(test::ReadBytes(h.form.State.FileName), before);
    EXPECT_EQ(h.controls.Messages().back(), "The palette cannot be exported over the file it comes from");
}

TEST_F(PaletteFilesInTheWindow, NeitherIsAvailableWithoutAPalette) {
    Mutable(h.form).PalLength = 0;
    for (const Command command : {Command::ImportPalette, Command::ExportPalette}) {
        EXPECT_FALSE(CommandAvailable(h.form, command));
        h.controls.Run(command);
    }
    EXPECT_EQ(h.controls.DialogsShown(), 0);
}

}  // namespace
}  // namespace tintorb
