// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The steps that can be taken back and done again. A step holds only the bytes it changed and where the
// palette stood when it was taken, so even a long history of whole-palette edits costs little memory.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace tintorb {

// Where the palette lies and which entries are selected.
struct PalettePlace {
    std::int32_t PalAddress = 0;
    std::int32_t PalLength = 0;
    std::int32_t SelStart = 0;
    std::int32_t SelEnd = 0;
    friend bool operator==(const PalettePlace&, const PalettePlace&) = default;
};

struct EditStep {
    std::int64_t offset = 0;  // of the first changed byte in the file image
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;  // as many bytes as before
    // An edit of bytes never moves the palette, so one place serves both undo and redo.
    PalettePlace place;
};

class EditHistory {
  public:
    static constexpr std::size_t DefaultLimit = 10'000;

    explicit EditHistory(std::size_t limit = DefaultLimit) : limit_(limit < 1 ? 1 : limit) {}

    // A new step drops every step that was undone, and the oldest one once the limit is passed.
    void Record(EditStep step);
    // The step to take back (or do again), which then counts as undone (or done); null when there is none.
    [[nodiscard]] const EditStep* Undo();
    [[nodiscard]] const EditStep* Redo();
    [[nodiscard]] bool CanUndo() const { return done_ > 0; }
    [[nodiscard]] bool CanRedo() const { return done_ < steps_.size(); }
    [[nodiscard]] std::size_t Size() const { return steps_.size(); }
    void Clear();

  private:
    std::deque<EditStep> steps_;
    std::size_t done_ = 0;  // steps_[0, done_) are in effect
    std::size_t limit_;
};

}  // namespace tintorb
