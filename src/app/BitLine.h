// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the one-line bit view holds: characters, each with its own colour, and a caret. The form inserts
// runs of one colour at the caret; once the view is enabled the user may also type and erase, which is only
// shown. Characters are counted as the window's text counts them, in UTF-16 units, so that each fills one
// cell of the view.

#include <string>
#include <string_view>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb {

// The keys that move the caret or erase; every other key types or goes elsewhere.
enum class BitLineKey { Left, Right, Home, End, Backspace, Delete };

class BitLine {
  public:
    [[nodiscard]] const std::u16string& Text() const { return text_; }
    [[nodiscard]] int Caret() const { return caret_; }
    // The colour of the character at index i.
    [[nodiscard]] Rgb ColourAt(int i) const { return colours_.at(static_cast<std::size_t>(i)); }

    // Replaces the whole text with one run in the default colour; the caret goes to the start.
    void SetText(std::u16string_view text);
    void SetInsertColour(Rgb colour) { insertColour_ = colour; }
    // Inserts a run at the caret in the insertion colour; the caret follows it.
    void InsertText(std::u16string_view text) { Insert(text, insertColour_); }
    // What the user types goes in at the caret in the default colour.
    void Type(std::u16string_view text) { Insert(text, Rgb{}); }
    void SetCaret(int position);
    void Press(BitLineKey key);

  private:
    void Insert(std::u16string_view text, Rgb colour);
    void Erase(int position);

    std::u16string text_;
    std::vector<Rgb> colours_;
    Rgb insertColour_{};
    int caret_ = 0;
};

}  // namespace tintorb
