// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "formats/Listing.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"

namespace tintorb::test {
namespace {

// Random palettes inside random loaded files, edited by random sequences of every edit command (with
// random, also out-of-area, mouse positions), undo, redo and save. Whatever the sequence, the bytes around
// the palette never change, the state stays one the views can draw, and the image always equals a plain
// model of the history: a list of versions with a cursor into it.
class RandomEdits {
  public:
    explicit RandomEdits(unsigned seed) : random_(seed), path_(dir_.File("image.bin")) {
        const int length = Between(1, 64);
        const int address = Between(0, 40);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(address + 2 * length + Between(0, 40)));
        for (std::uint8_t& byte : bytes) {
            byte = static_cast<std::uint8_t>(Between(0, 255));
        }
        WriteBytes(path_, bytes);
        h_.controls.AnswerOpen(path_);
        h_.controls.Press(Ctl::btnLoad);
        h_.controls.Paste(Ctl::editAddress, std::to_string(address));
        EditorState& s = Mutable(h_.form);
        s.PalLength = length;
        s.PalAddress = address;
        s.SelStart = Between(0, length - 1);
        s.SelEnd = Between(s.SelStart, length - 1);
        versions_.push_back(bytes);
        saved_ = bytes;
    }

    void Step() {
        const std::vector<std::uint8_t> before = h_.form.State.FileData;
        const PalettePlace placeBefore = h_.form.document().Place();
        switch (const int kind = Between(0, 14)) {
            case 12:
                h_.controls.Run(Command::Undo);
                cursor_ -= cursor_ > 0 ? 1 : 0;
                return;
            case 13:
                h_.controls.Run(Command::Redo);
                cursor_ += cursor_ + 1 < versions_.size() ? 1 : 0;
                return;
            case 14:
                h_.controls.Press(Ctl::btnSave);
                saved_ = h_.form.State.FileData;
                return;
            default:
                Edit(kind);
        }
        if (h_.form.State.FileData != before) {
            versions_.resize(cursor_ + 1);
            places_.resize(cursor_);
            versions_.push_back(h_.form.State.FileData);
            places_.push_back({placeBefore, h_.form.document().Place()});
            ++cursor_;
        }
    }

    void ExpectSound() const {
        const EditorState& s = h_.form.State;
        ASSERT_EQ(s.FileData, versions_[cursor_]);
        const auto paletteEnd = static_cast<std::size_t>(s.PalAddress + 2 * s.PalLength);
        for (std::size_t i = 0; i < s.FileData.size(); ++i) {
            if (i < static_cast<std::size_t>(s.PalAddress) || i >= paletteEnd) {
                ASSERT_EQ(s.FileData[i], versions_[0][i]) << "byte " << i << " outside the palette";
            }
        }
        ASSERT_LE(0, s.SelStart);
        ASSERT_LE(s.SelStart, s.SelEnd);
        ASSERT_LT(s.SelEnd, s.PalLength);
        ASSERT_LE(paletteEnd, s.FileData.size());
        ASSERT_EQ(s.ClipData.size() % 2, 0u);
        const bool modified = s.FileData != saved_;
        ASSERT_EQ(h_.form.document().Modified(), modified);
        ASSERT_EQ(h_.controls.Caption(), "Tintorb 2.1 - " + path_ + (modified ? "*" : ""));
        // Whatever was drawn has been presented, so the window shows it.
        ASSERT_TRUE(h_.form.surface().Dirty().Empty());
    }

    // Undoing everything gives back the loaded bytes and the palette as it stood before the first step;
    // redoing everything the latest bytes.
    void ExpectFullUndoAndRedo() {
        while (h_.form.document().CanUndo()) {
            h_.controls.Run(Command::Undo);
        }
        ASSERT_EQ(h_.form.State.FileData, versions_.front());
        if (!places_.empty()) {
            ASSERT_EQ(h_.form.document().Place(), places_.front().before);
            ASSERT_EQ(ReadNumber(h_.controls.Text(Ctl::editAddress)), h_.form.State.PalAddress);
        }
        while (h_.form.document().CanRedo()) {
            h_.controls.Run(Command::Redo);
        }
        ASSERT_EQ(h_.form.State.FileData, versions_.back());
        if (!places_.empty()) {
            ASSERT_EQ(h_.form.document().Place(), places_.back().after);
        }
        // What the listing shows is the palette as it now is.
        std::vector<ColourWord> entries;
        for (int i = 0; i < h_.form.State.PalLength; ++i) {
            entries.push_back(h_.form.State.GetEntry(i));
        }
        ASSERT_EQ(h_.controls.Lines(Ctl::memoASM), FormatListing(entries));
    }

  private:
    void Edit(int kind) {
        switch (kind) {
            case 0:
                h_.controls.Mouse(Ctl::areaPal, MouseAction::Down, AnyButton(), Between(-60, 460),
                                  Between(-60, 220));
                break;
            case 1:
                h_.controls.Mouse(Ctl::areaPal, MouseAction::Up, AnyButton(), Between(-60, 460),
                                  Between(-60, 220));
                break;
            case 2:
                h_.controls.Mouse(Ctl::areaRGB, MouseAction::Down, AnyButton(), Between(-10, 300),
                                  Between(-10, 120));
                break;
            case 3:
                h_.controls.AnswerColour(Between(0, 3) == 0 ? std::nullopt : std::optional(AnyColour()));
                h_.controls.Press(Ctl::btnColour);
                break;
            case 4:
                h_.controls.Mouse(Ctl::editBits, MouseAction::Down, AnyButton(), Between(0, 200), 8);
                break;
            case 5:
                h_.controls.EditListing(AnyListing());
                h_.controls.Press(Ctl::btnASM);
                break;
            default: {
                constexpr Ctl RangeButtons[] = {Ctl::btnCopy, Ctl::btnPaste,   Ctl::btnGradient,
                                                Ctl::btnSwap, Ctl::btnReverse, Ctl::btnCopy};
                h_.controls.Press(RangeButtons[kind - 6]);
                break;
            }
        }
    }

    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    MouseButton AnyButton() { return static_cast<MouseButton>(Between(0, 2)); }
    Rgb AnyColour() {
        return {static_cast<std::uint8_t>(Between(0, 255)), static_cast<std::uint8_t>(Between(0, 255)),
                static_cast<std::uint8_t>(Between(0, 255))};
    }
    std::string AnyListing() {
        std::string text;
        const int lines = Between(0, 6);
        for (int line = 0; line < lines; ++line) {
            text += "dc.w ";
            const int values = Between(0, 20);
            for (int v = 0; v < values; ++v) {
                text += (v == 0 ? "$" : ",$") + HexText(static_cast<std::uint32_t>(Between(0, 0xFFFF)), 4);
            }
            text += "\n";
        }
        return text;
    }

    struct Places {
        PalettePlace before;
        PalettePlace after;
    };

    std::mt19937 random_;
    TempDir dir_;
    std::string path_;
    FormHarness h_;
    std::vector<std::vector<std::uint8_t>> versions_;  // the image after each step in effect or undone
    std::vector<Places> places_;                       // the palette around each step
    std::size_t cursor_ = 0;                           // versions_[cursor_] is in effect
    std::vector<std::uint8_t> saved_;
};

TEST(EditProperties, RandomCommandSequencesMatchAPlainModelOfTheHistory) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        RandomEdits edits(seed);
        for (int step = 0; step < 60; ++step) {
            SCOPED_TRACE(testing::Message() << "step " << step);
            edits.Step();
            edits.ExpectSound();
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
        edits.ExpectFullUndoAndRedo();
        if (testing::Test::HasFatalFailure()) {
            return;
        }
    }
}

TEST(EditHistory, KeepsTheLatestStepsUpToItsLimit) {
    EditHistory history;
    for (std::int64_t i = 0; i < 10'005; ++i) {
        history.Record({i, {0}, {1}, {}});
    }
    EXPECT_EQ(history.Size(), 10'000u);
    std::int64_t oldest = -1;
    while (const EditStep* step = history.Undo()) {
        oldest = step->offset;
    }
    EXPECT_EQ(oldest, 5);
}

}  // namespace
}  // namespace tintorb::test

namespace tintorb::test {
namespace {

TEST(UndoScrolling, TheBrowserMovesOnlyWhenTheChangedWordIsOutOfView) {
    FormHarness h;
    TempDir dir;
    const std::string path = dir.File("big.bin");
    WriteBytes(path, std::vector<std::uint8_t>(8192, 0));
    h.controls.AnswerOpen(path);
    h.controls.Press(Ctl::btnLoad);
    h.controls.Scroll(Ctl::barBrowser, 40);
    h.controls.Mouse(Ctl::areaBrowser, MouseAction::Down, MouseButton::Left, 0, 16 * 2);  // row 42
    h.controls.Mouse(Ctl::areaRGB, MouseAction::Down, MouseButton::Left, 5 * 30 + 5, 5);

    h.controls.Scroll(Ctl::barBrowser, 30);  // row 42 still in view
    h.controls.Run(Command::Undo);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 30);
    h.controls.Scroll(Ctl::barBrowser, 96);
    h.controls.Run(Command::Redo);
    EXPECT_EQ(h.controls.ScrollPos(Ctl::barBrowser), 42);
    EXPECT_EQ(h.form.State.BrowserOffset, 42 * 64);
    EXPECT_EQ(h.form.State.GetEntry(0), 0x000A);
}

}  // namespace
}  // namespace tintorb::test
