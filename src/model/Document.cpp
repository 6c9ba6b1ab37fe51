// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Document.h"

#include <algorithm>
#include <utility>

namespace tintorb {

namespace {

// The part of [offset, offset + length) that lies inside an image of the given size, as [begin, end)
// within the run.
struct Inside {
    std::int64_t begin = 0;
    std::int64_t end = 0;
};

[[nodiscard]] Inside InsideImage(std::size_t imageSize, std::int64_t offset, std::int64_t length) {
    const auto size = static_cast<std::int64_t>(imageSize);
    const std::int64_t begin = std::clamp<std::int64_t>(-offset, 0, length);
    const std::int64_t end = std::clamp<std::int64_t>(size - offset, begin, length);
    return {begin, end};
}

}  // namespace

PalettePlace Document::Place() const {
    return {state_.PalAddress, state_.PalLength, state_.SelStart, state_.SelEnd};
}

ByteRange Document::Apply(const Edit& edit) {
    const auto length = static_cast<std::int64_t>(edit.bytes.size());
    Inside inside = InsideImage(state_.FileData.size(), edit.offset, length);
    const auto same = [&](std::int64_t k) {
        return state_.FileData[static_cast<std::size_t>(edit.offset + k)] ==
               edit.bytes[static_cast<std::size_t>(k)];
    };
    // The step keeps only the changed stretch.
    while (inside.begin < inside.end && same(inside.begin)) {
        ++inside.begin;
    }
    while (inside.end > inside.begin && same(inside.end - 1)) {
        --inside.end;
    }
    if (inside.begin == inside.end) {
        return {};
    }
    EditStep step;
    step.offset = edit.offset + inside.begin;
    const auto from = state_.FileData.begin() + step.offset;
    step.before.assign(from, from + (inside.end - inside.begin));
    step.after.assign(edit.bytes.begin() + inside.begin, edit.bytes.begin() + inside.end);
    step.place = Place();
    Write(step.offset, step.after);
    const ByteRange changed{step.offset, inside.end - inside.begin};
    history_.Record(std::move(step));
    return changed;
}

const EditStep* Document::Undo() {
    const EditStep* step = history_.Undo();
    if (step != nullptr) {
        Write(step->offset, step->before);
        Locate(step->place);
    }
    return step;
}

const EditStep* Document::Redo() {
    const EditStep* step = history_.Redo();
    if (step != nullptr) {
        Write(step->offset, step->after);
        Locate(step->place);
    }
    return step;
}

void Document::Locate(const PalettePlace& place) {
    state_.PalAddress = place.PalAddress;
    state_.PalLength = place.PalLength;
    state_.SelStart = place.SelStart;
    state_.SelEnd = place.SelEnd;
}

void Document::Load(const std::string& path) {
    FileBytes data;
    const FileStamp stamp = LoadFileData(data, path);
    Open(std::move(data), path, stamp);
}

void Document::Save() {
    SaveFileData(state_.FileData, state_.FileName);
    MarkSaved(StampOf(state_.FileName));
}

void Document::Open(FileBytes data, std::string fileName, std::optional<FileStamp> stamp) {
    Replace(std::move(data), std::move(fileName));
    state_.BrowserOffset = 0;
    Locate({});
    neverSaved_ = false;
    stamp_ = stamp;
}

void Document::StartFresh(FileBytes data, std::string fileName, const PalettePlace& place) {
    Replace(std::move(data), std::move(fileName));
    Locate(place);
    neverSaved_ = true;
    stamp_.reset();
}

void Document::MarkSaved(std::optional<FileStamp> stamp) {
    savedBlocks_.clear();
    neverSaved_ = false;
    stamp_ = stamp;
}

FileBytes Document::SavedBytes() const {
    FileBytes bytes = state_.FileData;
    for (const auto& [block, saved] : savedBlocks_) {
        const auto begin = static_cast<std::size_t>(block * SavedBlockSize);
        const std::size_t size = std::min(bytes.size() - begin, saved.bytes.size());
        std::copy_n(saved.bytes.begin(), size, bytes.begin() + static_cast<std::ptrdiff_t>(begin));
    }
    return bytes;
}

void Document::Replace(FileBytes data, std::string fileName) {
    state_.FileData = std::move(data);
    state_.WordCount = static_cast<std::int32_t>(state_.FileData.size() / 2);
    state_.FileName = std::move(fileName);
    history_.Clear();
    savedBlocks_.clear();
}

void Document::Write(std::int64_t offset, std::span<const std::uint8_t> bytes) {
    const Inside inside =
        InsideImage(state_.FileData.size(), offset, static_cast<std::int64_t>(bytes.size()));
    FileBytes& image = state_.FileData;
    for (std::int64_t k = inside.begin; k < inside.end;) {
        const std::int64_t block = (offset + k) / SavedBlockSize;
        const std::int64_t blockStart = block * SavedBlockSize;
        const auto [entry, added] = savedBlocks_.try_emplace(block);
        SavedBlock& saved = entry->second;
        if (added) {
            const auto size = std::min(static_cast<std::int64_t>(image.size()) - blockStart, SavedBlockSize);
            std::copy_n(image.begin() + blockStart, size, saved.bytes.begin());
        }
        const std::int64_t end = std::min(inside.end, blockStart + SavedBlockSize - offset);
        for (; k < end; ++k) {
            const std::int64_t at = offset + k;
            std::uint8_t& byte = image[static_cast<std::size_t>(at)];
            const std::uint8_t original = saved.bytes[static_cast<std::size_t>(at - blockStart)];
            const std::uint8_t value = bytes[static_cast<std::size_t>(k)];
            saved.differing += (value != original ? 1 : 0) - (byte != original ? 1 : 0);
            byte = value;
        }
        if (saved.differing == 0) {
            savedBlocks_.erase(entry);
        }
    }
}

}  // namespace tintorb
