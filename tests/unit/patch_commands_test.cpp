// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"
#include "patches/Crc32.h"
#include "patches/Patch.h"
#include "support/FormHarness.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace tintorb::test {

namespace {

struct PatchCommands : ::testing::Test {
    TempDir dir;
    std::vector<std::uint8_t> original = std::vector<std::uint8_t>(5000, 0x0E);
    std::string originalPath = dir.File("game.bin");

    PatchCommands() { WriteBytes(originalPath, original); }

    static void Load(FormHarness& h, const std::string& path) {
        h.controls.AnswerOpen(path);
        RunCommand(h.form, Command::Load);
    }
    static void ApplyPatchFrom(FormHarness& h, const std::string& patch) {
        h.controls.AnswerOpen(patch);
        RunCommand(h.form, Command::ApplyPatch);
    }
};

[[nodiscard]] std::string Hex32(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

}  // namespace

// Unsaved edits go into the patch, which turns a fresh copy of the original into the edited image in one
// step that undoes and redoes.
TEST_F(PatchCommands, ThePatchOfTheEditsAppliesToTheOriginalAsOneStep) {
    for (const char* name : {"edits.ips", "edits.bps"}) {
        SCOPED_TRACE(name);
        FormHarness editor;
        Load(editor, originalPath);
        editor.form.Apply({10, {1, 2, 3}});
        editor.form.Apply({4000, std::vector<std::uint8_t>(40, 0xAA)});
        editor.controls.AnswerSave(dir.File(name));
        RunCommand(editor.form, Command::CreatePatch);
        EXPECT_TRUE(editor.form.document().Modified());
        EXPECT_EQ(ReadBytes(originalPath), original);
        EXPECT_EQ(editor.controls.Messages().back().find(" patch written: "), 3u);

        FormHarness other;
        Load(other, originalPath);
        ApplyPatchFrom(other, dir.File(name));
        EXPECT_EQ(other.form.State.FileData, editor.form.State.FileData);
        EXPECT_NE(other.controls.Messages().back().find("43 bytes changed"), std::string::npos);
        EXPECT_TRUE(other.form.document().Modified());
        RunCommand(other.form, Command::Undo);
        EXPECT_EQ(other.form.State.FileData, original);
        EXPECT_FALSE(other.form.document().CanUndo());
        RunCommand(other.form, Command::Redo);
        EXPECT_EQ(other.form.State.FileData, editor.form.State.FileData);
    }
}

// Once the edits are saved, the untouched original still gives the patch of them all.
TEST_F(PatchCommands, APatchAgainstAnotherOriginalHoldsTheSavedEditsToo) {
    const std::string edited = dir.File("edited.bin");
    WriteBytes(edited, original);
    FormHarness h;
    Load(h, edited);
    h.form.Apply({7, {1}});
    RunCommand(h.form, Command::Save);
    h.form.Apply({9, {2}});
    h.controls.AnswerOpen(originalPath);
    h.controls.AnswerSave(dir.File("all.ips"));
    RunCommand(h.form, Command::CreatePatchFromOriginal);
    EXPECT_EQ(h.controls.Messages().back(), "IPS patch written: 1 record, 2 bytes changed");
    FileBytes patched;
    (void)ApplyPatch(original, ReadBytes(dir.File("all.ips")), patched);
    EXPECT_EQ(patched, h.form.State.FileData);
}

// A patch that cannot apply, or cannot be written, leaves the image, its history and the files alone.
TEST_F(PatchCommands, APatchThatCannotApplyChangesNothing) {
    std::vector<std::uint8_t> other = original;
    other[0] = 0xFF;
    WriteBytes(dir.File("other.bin"), other);
    std::vector<std::uint8_t> longer = original;
    longer.push_back(1);
    WriteBytes(dir.File("for-other.bps"), CreatePatch(PatchFormat::Bps, other, original).bytes);
    WriteBytes(dir.File("longer.ips"), CreatePatch(PatchFormat::Ips, original, longer).bytes);
    FormHarness h;
    Load(h, originalPath);
    try {
        ApplyPatchFrom(h, dir.File("for-other.bps"));
        ADD_FAILURE() << "applied";
    } catch (const PatchError& e) {
        EXPECT_EQ(std::string(e.what()), "The BPS patch was made for another original: it expects CRC32 " +
                                             Hex32(Crc32(other)) + " (5000 bytes), this one has CRC32 " +
                                             Hex32(Crc32(original)) + " (5000 bytes)");
    }
    EXPECT_THROW(ApplyPatchFrom(h, dir.File("longer.ips")), PatchError);
    h.controls.AnswerSave(dir.File("edits.txt"));
    EXPECT_THROW(RunCommand(h.form, Command::CreatePatch), PatchError);
    EXPECT_EQ(h.form.State.FileData, original);
    EXPECT_FALSE(h.form.document().CanUndo());
    EXPECT_FALSE(std::filesystem::exists(dir.File("edits.txt")));
    WriteBytes(dir.File("kept.ips"), {1, 2, 3});
    h.controls.AnswerSave(dir.File("kept.ips"));
    h.controls.AnswerOverwrite(false);
    RunCommand(h.form, Command::CreatePatch);
    EXPECT_EQ(h.controls.Questions().back(), "kept.ips already exists. Replace it?");
    EXPECT_EQ(ReadBytes(dir.File("kept.ips")), (std::vector<std::uint8_t>{1, 2, 3}));
}

}  // namespace tintorb::test
