// SPDX-License-Identifier: GPL-3.0-or-later
// The commands behind the menu bar: when an item may be enabled, how the command line's numbers read,
// and the list of recent files.

#include "app/Commands.h"
#include "app/RecentFiles.h"
#include "app/StartOptions.h"
#include "model/FileImage.h"
#include "support/FormHarness.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace tintorb::test {

namespace {

using enum Command;

struct Started : FormHarness {
    TempDir dir;
    std::string path = dir.File("rom.bin");

    // 40 valid colour words, each unlike its neighbours.
    Started() {
        std::vector<std::uint16_t> words;
        for (int i = 0; i < 40; ++i) {
            words.push_back(static_cast<std::uint16_t>((i % 8) * 2 + (i / 8) * 0x20));
        }
        WriteBytes(path, WordBytes(words));
    }
    void Open() {
        controls.AnswerOpen(path);
        controls.Run(Load);
    }
    // The file open, its palette at 0 and entries first … last selected by a drag over it.
    void Located(int first, int last) {
        Open();
        controls.Mouse(Ctl::areaBrowser, MouseAction::Down, MouseButton::Left, 0, 0);
        controls.Mouse(Ctl::areaPal, MouseAction::Down, MouseButton::Left, 25 * first, 0);
        controls.Mouse(Ctl::areaPal, MouseAction::Up, MouseButton::Left, 25 * last, 0);
    }
};

struct AvailabilityCase {
    const char* state;
    std::function<void(Started&)> reach;
    std::set<Command> enabled;  // of the commands that may be disabled at all
};

const std::set<Command> MayBeDisabled{Save,         SaveAs,      Reload,        Undo,
                                      Redo,         Copy,        Paste,         Gradient,
                                      Swap,         Reverse,     ImportPalette, ExportPalette,
                                      FindPalettes, NamePalette, CreatePatch,   CreatePatchFromOriginal,
                                      ApplyPatch};

}  // namespace

// A disabled item is one whose command, run anyway, would change nothing and ask nothing.
TEST(CommandAvailable, DisablesExactlyTheCommandsThatWouldDoNothing) {
    const std::vector<AvailabilityCase> cases{
        {"nothing loaded", [](Started&) {}, {}},
        {"file, no palette",
         [](Started& s) { s.Open(); },
         {Save, SaveAs, Reload, FindPalettes, CreatePatch, CreatePatchFromOriginal, ApplyPatch}},
        {"one entry",
         [](Started& s) { s.Located(0, 0); },
         {Save, SaveAs, Reload, ImportPalette, ExportPalette, Copy, FindPalettes, NamePalette, CreatePatch,
          CreatePatchFromOriginal, ApplyPatch}},
        {"two entries",
         [](Started& s) { s.Located(2, 3); },
         {Save, SaveAs, Reload, ImportPalette, ExportPalette, Copy, Swap, Reverse, FindPalettes, NamePalette,
          CreatePatch, CreatePatchFromOriginal, ApplyPatch}},
        {"a palette from the listing, no file",
         [](Started& s) {
             s.controls.EditListing("dc.w $0EEE");
             s.controls.Press(Ctl::btnASM);
         },
         {Save, SaveAs, Reload, ImportPalette, ExportPalette, Copy, Undo, FindPalettes,
          CreatePatchFromOriginal, ApplyPatch}},
        {"copied and edited",
         [](Started& s) {
             s.Located(2, 5);
             s.controls.Run(Copy);
             s.controls.Run(Reverse);
         },
         {Save, SaveAs, Reload, ImportPalette, ExportPalette, Copy, Paste, Gradient, Swap, Reverse, Undo,
          FindPalettes, NamePalette, CreatePatch, CreatePatchFromOriginal, ApplyPatch}},
        {"undone",
         [](Started& s) {
             s.Located(2, 5);
             s.controls.Run(Reverse);
             s.controls.Run(Undo);
         },
         {Save, SaveAs, Reload, ImportPalette, ExportPalette, Copy, Gradient, Swap, Reverse, Redo,
          FindPalettes, NamePalette, CreatePatch, CreatePatchFromOriginal, ApplyPatch}},
    };
    for (const AvailabilityCase& c : cases) {
        SCOPED_TRACE(c.state);
        for (const CommandEntry& command : CommandTable) {
            Started s;
            c.reach(s);
            const bool expected = !MayBeDisabled.contains(command.id) || c.enabled.contains(command.id);
            ASSERT_EQ(CommandAvailable(s.form, command.id), expected) << static_cast<int>(command.id);
            if (expected) {
                continue;
            }
            const auto seen = [&] {
                const EditorState& st = s.form.State;
                return std::tuple(st.FileData, st.ClipData, st.PalAddress, st.PalLength, st.SelStart,
                                  st.SelEnd, s.form.document().Modified(), s.controls.DialogsShown(),
                                  s.controls.Questions().size(), s.controls.FinderShown());
            };
            const auto before = seen();
            s.controls.Run(command.id);
            EXPECT_TRUE(seen() == before) << static_cast<int>(command.id);
        }
    }
}

TEST(StartArguments, ReadAsTheBoxesReadThem) {
    EXPECT_EQ(ReadAddressArgument("$1F40"), 0x1F40);
    EXPECT_EQ(ReadAddressArgument("0x1F40"), 0x1F40);
    EXPECT_EQ(ReadAddressArgument("8000"), 8000);
    EXPECT_EQ(ReadAddressArgument("1F40"), 0x1F40);  // a hexadecimal letter and no "$"
    for (const char* bad : {"", "$", "xyz", "-4", "$FFFFFFFF", "99999999999"}) {
        EXPECT_EQ(ReadAddressArgument(bad), std::nullopt) << bad;
    }
    EXPECT_EQ(ReadLengthArgument("Auto"), AutoLength);
    EXPECT_EQ(ReadLengthArgument("$20"), 32);
    EXPECT_EQ(ReadLengthArgument("64"), 64);
    for (const char* bad : {"", "0", "65", "-1", "all"}) {
        EXPECT_EQ(ReadLengthArgument(bad), std::nullopt) << bad;
    }
}

TEST(RecentFiles, NewestFirstOnceEachAndTenAtMost) {
    std::vector<std::string> files;
    for (const char* path : {"a", "b", "a", "c", "d", "e", "f", "g", "h", "i", "j", "k"}) {
        files = WithRecentFile(std::move(files), path);
    }
    EXPECT_EQ(files, (std::vector<std::string>{"k", "j", "i", "h", "g", "f", "e", "d", "c", "a"}));
    EXPECT_EQ(WithoutRecentFile(files, "h").size(), 9u);
}

// A missing recent file comes off the list at once, without first asking about unsaved changes.
TEST(RecentFiles, AMissingOneIsForgottenWithAnError) {
    Started s;
    s.Located(0, 3);
    s.controls.Run(Reverse);
    const std::string gone = s.dir.File("gone.bin");
    s.controls.RememberRecentFile(gone);
    try {
        s.form.OpenRecent(gone);
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(std::string(error.what()),
                  gone + " no longer exists and was removed from the recent files");
    }
    EXPECT_EQ(s.controls.RecentFiles(), std::vector<std::string>{s.path});
    EXPECT_TRUE(s.controls.Questions().empty());
}

}  // namespace tintorb::test
