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
