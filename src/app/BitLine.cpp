// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BitLine.h"

#include <algorithm>

namespace tintorb {

void BitLine::SetText(std::u16string_view text) {
    text_.clear();
    colours_.clear();
    caret_ = 0;
    Insert(text, Rgb{});
    caret_ = 0;
}

void BitLine::Insert(std::u16string_view text, Rgb colour) {
    text_.insert(static_cast<std::size_t>(caret_), text);
    colours_.insert(colours_.begin() + caret_, text.size(), colour);
    caret_ += static_cast<int>(text.size());
}

void BitLine::Erase(int position) {
    text_.erase(static_cast<std::size_t>(position), 1);
    colours_.erase(colours_.begin() + position);
}

void BitLine::SetCaret(int position) {
    caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
}

void BitLine::Press(BitLineKey key) {
    switch (key) {
        case BitLineKey::Left:
            return SetCaret(caret_ - 1);
        case BitLineKey::Right:
            return SetCaret(caret_ + 1);
        case BitLineKey::Home:
            return SetCaret(0);
        case BitLineKey::End:
            return SetCaret(static_cast<int>(text_.size()));
        case BitLineKey::Backspace:
            if (caret_ > 0) {
                Erase(--caret_);
            }
            return;
        case BitLineKey::Delete:
            if (caret_ < static_cast<int>(text_.size())) {
                Erase(caret_);
            }
            return;
    }
}

}  // namespace tintorb
