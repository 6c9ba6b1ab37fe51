// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorMessage.h"
#include "app/Generic.h"
#include "app/RecentFiles.h"
#include "app/StatusText.h"
#include "finder/PaletteNames.h"
#include "model/FileImage.h"
#include "views/BrowserView.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace tintorb {

namespace {

// The scroll bar's last position shows the last rows of the image; the rows are counted rounded up, so
// the last, partly filled row can be scrolled into view too.
[[nodiscard]] int BrowserScrollMax(std::int32_t wordCount) {
    const std::int64_t rows = (std::int64_t{wordCount} + BrowserColumns - 1) / BrowserColumns;
    return static_cast<int>(rows - BrowserColumns);
}

}  // namespace

void TForm1::btnLoadClick() {
    if (!MayDropChanges()) {
        return;
    }
    if (const std::optional<std::string> path = controls_.RunOpenDialog()) {
        Load(*path);
    }
}

void TForm1::OpenFile(const std::string& path, bool restorePlace) {
    if (MayDropChanges()) {
        Load(path, restorePlace);
    }
}

void TForm1::OpenRecent(const std::string& path) {
    // Checked before the question about unsaved changes, which would be asked for nothing. A file that
    // cannot be looked at just now (a folder without access) stays listed; opening it says what is wrong.
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        controls_.ForgetRecentFile(path);
        throw FileError(path + " no longer exists and was removed from the recent files");
    }
    OpenFile(path);
}

void TForm1::Start(const StartOptions& options) {
    if (options.length) {
        ChooseLength(*options.length);
    }
    if (options.file.empty()) {
        return;
    }
    OpenFile(options.file, !options.address);
    // Opening showed the palette the user was at last; the command line's choices come over it.
    if (options.length) {
        ChooseLength(*options.length);
    }
    if (options.address) {
        controls_.SetText(Ctl::editAddress, *options.address);
        btnReloadClick();
    } else if (options.length && State.PalLength > 0) {
        btnReloadClick();
    }
}

void TForm1::Load(const std::string& path, bool restorePlace) {
    // Throws before anything is changed: a failed load leaves the editor on the file it had.
    document_.Load(path);
    controls_.RememberRecentFile(path);

    // "[*]" is where the window shows its mark of unsaved changes.
    controls_.SetCaption(std::string(WindowCaption) + " - " + path + "[*]");
    ShowModified();
    controls_.Clear(Ctl::memoASM);
    controls_.SetText(Ctl::editBits, ResetBitsText);
    controls_.SetEnabled(Ctl::editBits, false);
    ClearPaletteAreas();
    DrawBrowser();
    // After the file shows, so that a warning about its names stands in front of it.
    ResetFinds();
    controls_.ShowStatus(LoadedStatus(ShortName(path), State.FileData.size()));
    SetUpScrollBar();
    if (restorePlace) {
        RestorePlace();
    }
    // The Tiles window shows the new file with its own settings, palette or none. Last, so that a palette
    // restored above is drawn into the tiles once, not after a drawing without it: the tiles, decoded
    // there already, are then only compared.
    tiles_.Follow();
}

void TForm1::SetUpScrollBar() {
    // A file that fits the grid needs no scrolling, and its bar no range: a locate or an undo that brings
    // its last bytes into view must find nothing to move. Otherwise moving the position back to the top
    // fires barBrowserChange, which redraws at offset 0 again.
    if (State.WordCount <= BrowserCells) {
        controls_.SetScrollMax(Ctl::barBrowser, 0);
        controls_.SetEnabled(Ctl::barBrowser, false);
        return;
    }
    controls_.SetEnabled(Ctl::barBrowser, true);
    controls_.SetScrollMax(Ctl::barBrowser, BrowserScrollMax(State.WordCount));
    controls_.SetScrollPos(Ctl::barBrowser, 0);
}

void TForm1::RestorePlace() {
    const std::optional<RememberedPlace> place = ReadPlaceText(controls_.Setting(PlaceKey(State.FileName)));
    if (place && static_cast<std::uint64_t>(place->address) < State.FileData.size()) {
        LocatePalette(place->address, place->length);
    }
}

void TForm1::btnSaveClick() {
    SaveChanges();
}

bool TForm1::SaveChanges() {
    if (State.FileName.empty()) {
        return false;
    }
    // Another program may have written the file since; saving would silently throw its work away.
    const std::optional<FileStamp>& loaded = document_.Stamp();
    if (loaded && StampOf(State.FileName) != loaded &&
        !controls_.AskOverwrite(ShortName(State.FileName) +
                                " changed on disk since it was loaded. Overwrite it?")) {
        return false;
    }
    document_.Save();
    ShowModified();
    controls_.ShowStatus(SavedStatus(ShortName(State.FileName)));
    return true;
}

void TForm1::btnSaveAsClick() {
    if (State.FileData.empty()) {
        return;
    }
    const std::optional<std::string> path = controls_.RunSaveDialog();
    if (!path) {
        return;
    }
    const bool loadedFile = IsLoadedFile(*path);
    // The loaded file itself is what "Save Changes" replaces anyway.
    if (!loadedFile && !MayReplace(*path)) {
        return;
    }
    // The copy goes elsewhere; "Save Changes" keeps writing to the file that was loaded. A copy written
    // over that very file saves it all the same.
    SaveFileData(State.FileData, *path);
    if (loadedFile) {
        document_.MarkSaved(StampOf(State.FileName));
        ShowModified();
    }
    controls_.ShowStatus(SavedStatus(ShortName(*path)));
}

bool TForm1::IsLoadedFile(const std::string& path) const {
    return !State.FileName.empty() && SameFile(path, State.FileName);
}

// A name typed by mistake must not replace another file unasked.
bool TForm1::MayReplace(const std::string& path) {
    return !StampOf(path) || controls_.AskOverwrite(ShortName(path) + " already exists. Replace it?");
}

void TForm1::ResetFinds() {
    controls_.ClearFinder();
    names_ = {};
    // A document made in memory has no side file yet.
    if (document_.Stamp()) {
        ReadNames();
    }
    controls_.ShowNames();
}

void TForm1::ReadNames() {
    const std::string sideFile = ShortName(SideFilePath(State.FileName));
    // The file itself loaded; a side file that cannot be read costs only the names, so it is said here
    // rather than failing the load.
    try {
        names_ = ReadPaletteNames(State.FileName);
    } catch (const FileError& error) {
        controls_.ShowMessage("The palette names in " + sideFile +
                              " could not be read: " + ErrorMessageText(error.what()));
        return;
    }
    // A message box of a few lines; a file that is no list of names at all would give one line each.
    constexpr std::size_t ShownLines = 10;
    const std::vector<SkippedLine>& lines = names_.Skipped();
    std::string skipped;
    for (std::size_t i = 0; i < std::min(lines.size(), ShownLines); ++i) {
        skipped += (skipped.empty() ? "" : "\n") + sideFile + ": line " + std::to_string(lines[i].number) +
                   " skipped: " + lines[i].reason;
    }
    if (lines.size() > ShownLines) {
        skipped += "\n… and " + std::to_string(lines.size() - ShownLines) + " more lines skipped";
    }
    if (!skipped.empty()) {
        controls_.ShowMessage(skipped);
    }
}

bool TForm1::QueryClose() {
    return MayDropChanges();
}

bool TForm1::MayDropChanges() {
    if (!document_.Modified()) {
        return true;
    }
    switch (controls_.AskSaveChanges("Save changes to " + ShortName(State.FileName) + "?")) {
        case SaveAnswer::Save:
            // A save that fails throws, which ends the close or load that asked.
            return SaveChanges();
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

}  // namespace tintorb
