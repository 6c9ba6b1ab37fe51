// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one writer of the editor state. Everything else reads it through State(); a user's change of bytes
// goes through Apply, which records it so that it can be undone, and the document knows at every moment
// whether its bytes differ from the file as last loaded or saved.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/EditHistory.h"
#include "model/EditorState.h"
#include "model/FileImage.h"

namespace tintorb {

namespace test {
struct StateAccess;
}

// New bytes for the file image, written from offset on. Only the part inside the image is written.
struct Edit {
    std::int64_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

// Bytes offset … offset + length − 1 of the file image.
struct ByteRange {
    std::int64_t offset = 0;
    std::int64_t length = 0;

    [[nodiscard]] constexpr std::int64_t End() const { return offset + length; }
    // Whether any of the bytes lies in [from, from + count).
    [[nodiscard]] constexpr bool Overlaps(std::int64_t from, std::int64_t count) const {
        return length > 0 && count > 0 && from < End() && offset < from + count;
    }

    // Of count two-byte words from byte base on, the words [first, last) that hold any of the bytes.
    struct Words {
        std::int64_t first = 0;
        std::int64_t last = 0;
    };
    [[nodiscard]] constexpr Words WordsFrom(std::int64_t base, std::int64_t count) const {
        if (length <= 0 || count <= 0) {
            return {};
        }
        // Word i holds bytes base + 2i and base + 2i + 1. Truncating toward zero differs from rounding down
        // only below word 0, which the clamp takes away.
        return {std::clamp<std::int64_t>((offset - base) / 2, 0, count),
                std::clamp<std::int64_t>((End() - base + 1) / 2, 0, count)};
    }
};

class Document {
  public:
    [[nodiscard]] const EditorState& State() const { return state_; }
    [[nodiscard]] PalettePlace Place() const;

    // Writes the edit and records it as one step; an edit that changes no byte records nothing. Returns
    // the bytes that changed, from the first to the last (none when no byte changed).
    ByteRange Apply(const Edit& edit);
    // Takes back (or does again) the latest step and puts the palette where it stood when the step was taken.
    // Returns the step, or null when there is none.
    const EditStep* Undo();
    const EditStep* Redo();
    [[nodiscard]] bool CanUndo() const { return history_.CanUndo(); }
    [[nodiscard]] bool CanRedo() const { return history_.CanRedo(); }

    // Moving the palette or its selection changes no byte, so it is no step of its own.
    void Locate(const PalettePlace& place);
    void SetBrowserOffset(std::int32_t offset) { state_.BrowserOffset = offset; }
    void SetClipData(std::vector<std::uint8_t> bytes) { state_.ClipData = std::move(bytes); }

    // Reads the file at path as the document. Throws FileError before anything is changed: a failed load
    // leaves the document as it was.
    void Load(const std::string& path);
    // Writes the bytes to the file they were loaded from, which then counts as unmodified. Throws FileError.
    void Save();
    // A file just read: the history starts afresh and the document is unmodified.
    void Open(FileBytes data, std::string fileName, std::optional<FileStamp> stamp);
    // A document made in memory, which counts as modified until it is first saved.
    void StartFresh(FileBytes data, std::string fileName, const PalettePlace& place);
    // The bytes are now what the file holds, and the file looks like stamp.
    void MarkSaved(std::optional<FileStamp> stamp);
    [[nodiscard]] bool Modified() const { return neverSaved_ || !savedBlocks_.empty(); }
    // The bytes as the file held them when last loaded or saved: the image with its unsaved changes taken
    // back. The image never changes size, so the file had as many.
    [[nodiscard]] FileBytes SavedBytes() const;
    // How the file looked when it was last loaded or saved; nothing for a document never read from disk.
    [[nodiscard]] const std::optional<FileStamp>& Stamp() const { return stamp_; }

  private:
    void Replace(FileBytes data, std::string fileName);
    // Writes the part of bytes that lies inside the image, keeping savedBlocks_ up to date.
    void Write(std::int64_t offset, std::span<const std::uint8_t> bytes);

    EditorState state_;
    EditHistory history_;
    // The file as last loaded or saved, in blocks, for every block of the image that now differs from it:
    // a click costs one block, and a patch over megabytes a lookup a block rather than one a byte.
    static constexpr std::int64_t SavedBlockSize = 4096;
    struct SavedBlock {
        std::array<std::uint8_t, SavedBlockSize> bytes;
        std::int64_t differing = 0;  // how many of its bytes the image now has otherwise
    };
    std::unordered_map<std::int64_t, SavedBlock> savedBlocks_;  // by block number
    bool neverSaved_ = false;
    std::optional<FileStamp> stamp_;

    friend struct test::StateAccess;
};

}  // namespace tintorb
