// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A working copy of the palette's entries: a command changes the words here and hands them to the
// document as one edit, so that the whole command is one step.

#include <cstdint>
#include <vector>

#include "model/ColourWord.h"
#include "model/Document.h"
#include "model/EditorState.h"

namespace tintorb {

class PaletteWords {
  public:
    // The entries of the palette that lie wholly inside the image.
    explicit PaletteWords(const EditorState& state);

    // How many entries the copy holds: the palette's, up to the image's end.
    [[nodiscard]] std::int64_t Size() const { return static_cast<std::int64_t>(words_.size()); }

    // An entry outside the copy reads as 0 and is not written, as in the image itself.
    [[nodiscard]] ColourWord Get(std::int64_t i) const;
    void Put(std::int64_t value, std::int64_t i);
    void Exchange(std::int64_t i, std::int64_t j);

    // All the entries, high byte first, from the palette's address.
    [[nodiscard]] Edit ToEdit() const;
    // One entry's new word as an edit of just its two bytes: a change of one entry need not copy the rest.
    [[nodiscard]] static Edit EntryEdit(const EditorState& state, std::int64_t i, ColourWord w);

  private:
    [[nodiscard]] bool Holds(std::int64_t i) const { return i >= 0 && i < Size(); }

    std::int64_t address_;
    std::vector<ColourWord> words_;
};

}  // namespace tintorb
