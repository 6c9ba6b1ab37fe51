// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PaletteWords.h"

#include <algorithm>
#include <utility>

namespace tintorb {

PaletteWords::PaletteWords(const EditorState& state) : address_(state.PalAddress) {
    words_.reserve(static_cast<std::size_t>(std::max(state.PalLength, 0)));
    for (std::int64_t i = 0; i < state.PalLength && state.HasEntry(i); ++i) {
        words_.push_back(state.GetEntry(i));
    }
}

ColourWord PaletteWords::Get(std::int64_t i) const {
    return Holds(i) ? words_[static_cast<std::size_t>(i)] : ColourWord{0};
}

void PaletteWords::Put(std::int64_t value, std::int64_t i) {
    if (Holds(i)) {
        words_[static_cast<std::size_t>(i)] = static_cast<ColourWord>(value & 0xFFFF);
    }
}

void PaletteWords::Exchange(std::int64_t i, std::int64_t j) {
    const ColourWord a = Get(i);
    Put(Get(j), i);
    Put(a, j);
}

Edit PaletteWords::EntryEdit(const EditorState& state, std::int64_t i, ColourWord w) {
    return {state.EntryOffset(i), {static_cast<std::uint8_t>(w >> 8), static_cast<std::uint8_t>(w & 0xFF)}};
}

Edit PaletteWords::ToEdit() const {
    Edit edit{address_, {}};
    edit.bytes.reserve(2 * words_.size());
    for (const ColourWord w : words_) {
        edit.bytes.push_back(static_cast<std::uint8_t>(w >> 8));
        edit.bytes.push_back(static_cast<std::uint8_t>(w & 0xFF));
    }
    return edit;
}

}  // namespace tintorb
