// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EditorState.h"

#include <algorithm>

namespace tintorb {

bool EditorState::HasWordAt(std::int64_t offset) const {
    return offset >= 0 && offset + 2 <= static_cast<std::int64_t>(FileData.size());
}

ColourWord EditorState::ReadWordAt(std::int64_t offset) const {
    if (!HasWordAt(offset)) {
        return 0;
    }
    return WordAt(FileData.data() + offset);
}

std::int64_t WholeWordsFrom(std::int64_t address, std::size_t dataLength) {
    const auto length = static_cast<std::int64_t>(dataLength);
    if (address < 0 || address > length) {
        return 0;
    }
    return (length - address) / 2;
}

int ValidRunLength(const EditorState& state) {
    int n = 0;
    while (n < MaxPalLength && state.HasEntry(n) && IsValidColour(state.GetEntry(n))) {
        ++n;
    }
    return std::max(n, 1);
}

}  // namespace tintorb
