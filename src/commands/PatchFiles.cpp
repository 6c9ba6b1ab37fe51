// SPDX-License-Identifier: GPL-3.0-or-later
// Patches out of and into the window: the changes since the file was last loaded or saved written as a
// patch, and a patch applied to the image in memory as one step that can be undone.

#include "app/Generic.h"
#include "patches/Changes.h"
#include "patches/Patch.h"

#include <optional>
#include <string>

namespace tintorb {

namespace {

// The edit that turns bytes into result, of the same size: the stretch from the first changed byte to the
// last, which the document trims to the bytes that change.
[[nodiscard]] Edit EditBetween(const FileBytes& bytes, const FileBytes& result) {
    const std::size_t first = NextDifference(bytes, result, 0, bytes.size());
    std::size_t end = bytes.size();
    while (end > first && bytes[end - 1] == result[end - 1]) {
        --end;
    }
    return {static_cast<std::int64_t>(first),
            std::vector<std::uint8_t>(result.begin() + static_cast<std::ptrdiff_t>(first),
                                      result.begin() + static_cast<std::ptrdiff_t>(end))};
}

}  // namespace

void TForm1::CreatePatchClick() {
    if (document_.Stamp()) {
        // Unsaved edits go into the patch; the file itself is not saved.
        WritePatch(document_.SavedBytes());
    }
}

void TForm1::CreatePatchFromOriginalClick() {
    if (State.FileData.empty()) {
        return;
    }
    if (const std::optional<std::string> path = controls_.RunOpenDialog()) {
        FileBytes original;
        (void)LoadFileData(original, *path);
        WritePatch(original);
    }
}

void TForm1::WritePatch(const FileBytes& original) {
    const std::optional<std::string> path = controls_.RunSaveDialog();
    if (!path) {
        return;
    }
    const std::optional<PatchFormat> format = PatchFormatOf(*path);
    if (!format) {
        throw PatchError("A patch is saved as .ips or .bps, and its name must end in one of them");
    }
    if (IsLoadedFile(*path)) {
        throw PatchError("A patch cannot be saved over the file it is made for");
    }
    if (!MayReplace(*path)) {
        return;
    }
    const MadePatch made = CreatePatch(*format, original, State.FileData);
    SaveFileData(made.bytes, *path);
    const std::string summary = CreatedSummary(*format, made.counts);
    controls_.ShowStatus(summary);
    controls_.ShowMessage(summary);
}

void TForm1::ApplyPatchClick() {
    if (State.FileData.empty()) {
        return;
    }
    const std::optional<std::string> path = controls_.RunOpenDialog();
    if (!path) {
        return;
    }
    FileBytes patch;
    (void)LoadFileData(patch, *path);
    // Everything is checked before the image is touched: a patch that fails changes nothing.
    FileBytes result;
    const AppliedPatch applied = ApplyPatch(State.FileData, patch, result);
    if (result.size() != State.FileData.size()) {
        throw PatchError("The patch makes the file " + std::to_string(result.size()) +
                         " bytes long instead of " + std::to_string(State.FileData.size()) +
                         ", and the editor keeps a file's size: apply it with tintorb-cli apply");
    }
    Apply(EditBetween(State.FileData, result));
    const std::string summary = AppliedSummary(applied);
    controls_.ShowStatus(summary);
    controls_.ShowMessage(summary);
}

}  // namespace tintorb
