// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileImage.h"
#include "support/FormHarness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tintorb::test {

namespace {

struct FileCommandsFixture : ::testing::Test {
    FormHarness h;
    TempDir dir;

    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    void Load(const std::string& path) {
        h.controls.AnswerOpen(path);
        h.form.btnLoadClick();
    }
    [[nodiscard]] Rgb At(Ctl area, int dx, int dy) const {
        const Rect r = RectOf(area);
        return h.form.surface().PixelAt(r.left + dx, r.top + dy);
    }
};

[[nodiscard]] std::vector<std::uint8_t> Bytes(std::size_t size, std::uint8_t fill = 0x0E) {
    return std::vector<std::uint8_t>(size, fill);
}

}  // namespace

struct ScrollCase {
    std::size_t bytes;
    bool enabled;
    int maximum;
};

class ScrollBarSetUp : public FileCommandsFixture, public ::testing::WithParamInterface<ScrollCase> {};

TEST_P(ScrollBarSetUp, FollowsTheRowsOfTheFile) {
    Load(Write("f.bin", Bytes(GetParam().bytes)));
    EXPECT_EQ(h.controls.Enabled(Ctl::barBrowser), GetParam().enabled);
    if (GetParam().enabled) {
        EXPECT_EQ(h.controls.ScrollMax(Ctl::barBrowser), GetParam().maximum);
    }
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
}

INSTANTIATE_TEST_SUITE_P(FileSizes, ScrollBarSetUp,
                         ::testing::Values(ScrollCase{0, false, 0}, ScrollCase{2048, false, 0},
                                           ScrollCase{2049, false, 0}, ScrollCase{2050, true, 1},
                                           ScrollCase{4096, true, 32}, ScrollCase{4098, true, 33},
                                           ScrollCase{65536, true, 992}),
                         [](const auto& info) { return std::to_string(info.param.bytes) + "Bytes"; });

TEST_F(FileCommandsFixture, LoadingResetsTheEditorOntoTheNewFile) {
    Load(Write("a.bin", Bytes(65536)));
    h.controls.Scroll(Ctl::barBrowser, 10);
    h.controls.Paste(Ctl::editAddress, "$10");
    Mutable(h.form).PalAddress = 0x10;
    Mutable(h.form).PalLength = 4;
    Mutable(h.form).SelStart = 1;
    Mutable(h.form).SelEnd = 2;
    Mutable(h.form).ClipData = {0x0E, 0xEE};
    h.controls.SetLines(Ctl::memoASM, std::vector<std::string>{"dc.w $0EEE"});
    h.controls.SetEnabled(Ctl::editBits, true);
    h.form.surface().FillBox({1, 2, 3}, 0, 0, 953, 657);

    const std::string b = Write("b.bin", Bytes(4096, 0x00));
    Load(b);
    EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1 - " + b);
    EXPECT_EQ(h.form.State.FileName, b);
    EXPECT_EQ(h.form.State.WordCount, 2048);
    EXPECT_EQ(h.form.State.BrowserOffset, 0);
    EXPECT_EQ(h.form.State.PalAddress, 0);
    EXPECT_EQ(h.form.State.PalLength, 0);
    EXPECT_EQ(h.form.State.SelStart, 0);
    EXPECT_EQ(h.form.State.SelEnd, 0);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 0);
    EXPECT_EQ(h.controls.Text(Ctl::lblBrowser), "Top Left: $0");
    EXPECT_TRUE(h.controls.Lines(Ctl::memoASM).empty());
    EXPECT_EQ(h.controls.Text(Ctl::editBits), "0000000000000000");
    EXPECT_FALSE(h.controls.Enabled(Ctl::editBits));
    EXPECT_EQ(At(Ctl::areaPal, 0, 0), BackgroundColour);
    EXPECT_EQ(At(Ctl::areaPal, 399, 159), BackgroundColour);
    EXPECT_EQ(At(Ctl::areaRGB, 239, 89), BackgroundColour);
    EXPECT_EQ(At(Ctl::areaBrowser, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(h.controls.Text(Ctl::editAddress), "$10");
    EXPECT_EQ(h.form.State.ClipData, (std::vector<std::uint8_t>{0x0E, 0xEE}));
}

TEST_F(FileCommandsFixture, ASmallFileAfterAScrolledOneStartsAtTheTop) {
    Load(Write("a.bin", Bytes(65536)));
    h.controls.Scroll(Ctl::barBrowser, 10);
    Load(Write("b.bin", Bytes(100)));
    EXPECT_FALSE(h.controls.Enabled(Ctl::barBrowser));
    EXPECT_EQ(h.form.State.BrowserOffset, 0);
    EXPECT_EQ(h.controls.Text(Ctl::lblBrowser), "Top Left: $0");
}

TEST_F(FileCommandsFixture, SaveWritesBackEveryByteIncludingAnOddLastOne) {
    const std::string a = Write("a.bin", {1, 2, 3, 4, 5});
    Load(a);
    Mutable(h.form).FileData[4] = 0x99;
    h.form.btnSaveClick();
    EXPECT_EQ(ReadBytes(a), (std::vector<std::uint8_t>{1, 2, 3, 4, 0x99}));
}

TEST_F(FileCommandsFixture, SaveAsWritesACopyAndSaveStillWritesTheLoadedFile) {
    const std::string a = Write("a.bin", {1, 2, 3, 4});
    const std::string b = dir.File("b.bin");
    Load(a);
    h.controls.AnswerSave(b);
    h.form.btnSaveAsClick();
    EXPECT_EQ(ReadBytes(b), (std::vector<std::uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1 - " + a);

    Mutable(h.form).FileData[0] = 0x77;
    h.form.btnSaveClick();
    EXPECT_EQ(ReadBytes(a), (std::vector<std::uint8_t>{0x77, 2, 3, 4}));
    EXPECT_EQ(ReadBytes(b), (std::vector<std::uint8_t>{1, 2, 3, 4}));

    h.controls.AnswerSave(std::nullopt);
    h.form.btnSaveAsClick();
    EXPECT_EQ(ReadBytes(b), (std::vector<std::uint8_t>{1, 2, 3, 4}));

    // Another file, also behind a link, is replaced only when the user says so; the loaded one is not asked
    // for.
    std::filesystem::create_symlink(b, dir.File("link.bin"));
    for (const bool replace : {false, true}) {
        h.controls.AnswerSave(dir.File("link.bin"));
        h.controls.AnswerOverwrite(replace);
        h.form.btnSaveAsClick();
        EXPECT_EQ(h.controls.Questions().back(), "link.bin already exists. Replace it?");
        EXPECT_EQ(ReadBytes(b)[0], replace ? 0x77 : 1);
    }
    h.controls.AnswerSave(a);
    h.form.btnSaveAsClick();
    EXPECT_EQ(h.controls.Questions().size(), 2u);
}

TEST_F(FileCommandsFixture, WithoutDataTheCommandsDoNothing) {
    h.form.btnSaveClick();
    h.form.btnSaveAsClick();
    EXPECT_EQ(h.controls.DialogsShown(), 0);
    h.form.btnLoadClick();  // cancelled
    EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1");
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(FileCommandsFixture, AFailedLoadChangesNothing) {
    const std::string a = Write("a.bin", Bytes(4096, 0x00));
    Load(a);
    const std::vector<std::uint8_t> before = h.form.State.FileData;
    const int presents = h.controls.PresentCount();

    for (const auto& [path, message] : {std::pair{dir.File("missing.bin"), "File not found"},
                                        std::pair{dir.Path().string(), "File access denied"}}) {
        h.controls.AnswerOpen(path);
        try {
            h.form.btnLoadClick();
            ADD_FAILURE() << "no error for " << path;
        } catch (const FileError& e) {
            EXPECT_STREQ(e.what(), message);
        }
        EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1 - " + a);
        EXPECT_EQ(h.form.State.FileName, a);
        EXPECT_EQ(h.form.State.FileData, before);
        EXPECT_EQ(h.form.State.WordCount, 2048);
        EXPECT_EQ(h.controls.ScrollMax(Ctl::barBrowser), 32);
        EXPECT_EQ(h.controls.PresentCount(), presents);
    }

    Mutable(h.form).FileData[0] = 0x55;
    h.form.btnSaveClick();
    EXPECT_EQ(ReadBytes(a)[0], 0x55);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.bin")));
}

}  // namespace tintorb::test

namespace tintorb::test {

namespace {

struct UnsavedChanges : FileCommandsFixture {
    std::string path = Write("a.bin", Bytes(8));

    UnsavedChanges() {
        Load(path);
        h.form.areaBrowserMouseDown(MouseButton::Left, 0, 0);
    }
    void EditFirstEntry(std::string_view value) {
        h.controls.EditListing("dc.w " + std::string(value));
        h.controls.Press(Ctl::btnASM);
    }
};

}  // namespace

TEST_F(UnsavedChanges, AreAskedAboutBeforeTheWindowClosesOrAnotherFileLoads) {
    EXPECT_TRUE(h.form.QueryClose());
    EXPECT_TRUE(h.controls.Questions().empty());

    EditFirstEntry("$0222");
    EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1 - " + path + "*");
    h.controls.AnswerSaveChanges(SaveAnswer::Cancel);
    EXPECT_FALSE(h.form.QueryClose());
    EXPECT_EQ(h.controls.Questions().back(), "Save changes to a.bin?");
    h.controls.AnswerSaveChanges(SaveAnswer::Cancel);
    const int dialogs = h.controls.DialogsShown();
    h.controls.Press(Ctl::btnLoad);
    EXPECT_EQ(h.controls.DialogsShown(), dialogs);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x0222);

    h.controls.AnswerSaveChanges(SaveAnswer::Discard);
    EXPECT_TRUE(h.form.QueryClose());
    EXPECT_EQ(ReadBytes(path), Bytes(8));

    h.controls.AnswerSaveChanges(SaveAnswer::Save);
    EXPECT_TRUE(h.form.QueryClose());
    EXPECT_EQ(ReadBytes(path)[1], 0x22);
    EXPECT_EQ(h.controls.Caption(), "Tintorb 2.1 - " + path);
    EXPECT_EQ(h.controls.Questions().size(), 4u);

    // Undoing back past the save makes the image differ from the file again.
    h.controls.Run(Command::Undo);
    EXPECT_TRUE(h.form.document().Modified());
    h.controls.AnswerSaveChanges(SaveAnswer::Discard);
    Load(Write("b.bin", Bytes(4)));
    EXPECT_EQ(h.form.State.FileName, dir.File("b.bin"));
    EXPECT_FALSE(h.form.document().CanUndo());
    EXPECT_FALSE(h.form.document().Modified());
}

TEST_F(UnsavedChanges, AFileChangedOnDiskIsOverwrittenOnlyWhenTheUserSaysSo) {
    EditFirstEntry("$0222");
    h.controls.Press(Ctl::btnSave);  // unchanged on disk: no question
    EXPECT_TRUE(h.controls.Questions().empty());

    EditFirstEntry("$0444");
    std::vector<std::uint8_t> appended = ReadBytes(path);
    appended.push_back(0x99);
    WriteBytes(path, appended);
    h.controls.AnswerOverwrite(false);
    h.controls.Press(Ctl::btnSave);
    EXPECT_EQ(h.controls.Questions(),
              std::vector<std::string>{"a.bin changed on disk since it was loaded. Overwrite it?"});
    EXPECT_EQ(ReadBytes(path), appended);
    EXPECT_TRUE(h.form.document().Modified());

    // A copy elsewhere does not ask.
    h.controls.AnswerSave(dir.File("copy.bin"));
    h.controls.Press(Ctl::btnSaveAs);
    EXPECT_EQ(h.controls.Questions().size(), 1u);

    h.controls.AnswerOverwrite(true);
    h.controls.Press(Ctl::btnSave);
    EXPECT_EQ(ReadBytes(path), h.form.State.FileData);
    EXPECT_FALSE(h.form.document().Modified());
}

TEST_F(UnsavedChanges, AFailedLoadKeepsTheHistoryAndAFreshPaletteStartsANewOne) {
    EditFirstEntry("$0222");
    h.controls.AnswerSaveChanges(SaveAnswer::Discard);
    EXPECT_THROW(Load(dir.File("missing.bin")), FileError);
    EXPECT_TRUE(h.form.document().CanUndo());

    FormHarness fresh;
    fresh.controls.EditListing("dc.w $0EEE,$0222");
    fresh.controls.Press(Ctl::btnASM);
    EXPECT_TRUE(fresh.form.document().Modified());
    fresh.controls.Run(Command::Undo);
    EXPECT_EQ(fresh.form.State.FileData, Bytes(128, 0));
    EXPECT_FALSE(fresh.form.document().CanUndo());
    EXPECT_TRUE(fresh.form.document().Modified());
}

}  // namespace tintorb::test
