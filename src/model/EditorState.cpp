#include "model/EditorState.h"

namespace tintorb {

bool EditorState::HasWordAt(std::int64_t offset) const {
    return offset >= 0 && offset + 2 <= static_cast<std::int64_t>(FileData.size());
}

ColourWord EditorState::ReadWordAt(std::int64_t offset) const {
    if (!HasWordAt(offset)) {
        return 0;
    }
    const auto at = static_cast<std::size_t>(offset);
    return static_cast<ColourWord>(FileData[at] << 8 | FileData[at + 1]);
}

void EditorState::PutEntry(std::int64_t value, std::int64_t i) {
    const std::int64_t offset = EntryOffset(i);
    if (!HasWordAt(offset)) {
        return;
    }
    const auto at = static_cast<std::size_t>(offset);
    FileData[at] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
    FileData[at + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace tintorb
