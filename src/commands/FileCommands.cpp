#include "app/Generic.h"
#include "model/FileImage.h"
#include "views/BrowserView.h"

#include <cstdint>
#include <optional>
#include <string>

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
    const std::optional<std::string> path = controls_.RunOpenDialog();
    if (!path) {
        return;
    }
    // Throws before anything is changed: a failed load leaves the editor on the file it had.
    LoadFileData(State.FileData, *path);

    State.FileName = *path;
    controls_.SetCaption(std::string(WindowCaption) + " - " + *path);
    State.WordCount = static_cast<std::int32_t>(State.FileData.size() / 2);
    State.BrowserOffset = 0;
    State.PalAddress = 0;
    State.PalLength = 0;
    State.SelStart = 0;
    State.SelEnd = 0;

    controls_.Clear(Ctl::memoASM);
    controls_.SetText(Ctl::editBits, ResetBitsText);
    controls_.SetEnabled(Ctl::editBits, false);
    ClearPaletteAreas();
    DrawBrowser();

    // A file that fits the grid needs no scrolling. Otherwise moving the position back to the top fires
    // barBrowserChange, which redraws at offset 0 again.
    if (State.WordCount <= BrowserCells) {
        controls_.SetEnabled(Ctl::barBrowser, false);
        return;
    }
    controls_.SetEnabled(Ctl::barBrowser, true);
    controls_.SetScrollMax(Ctl::barBrowser, BrowserScrollMax(State.WordCount));
    controls_.SetScrollPos(Ctl::barBrowser, 0);
}

void TForm1::btnSaveClick() {
    if (State.FileName.empty()) {
        return;
    }
    SaveFileData(State.FileData, State.FileName);
}

void TForm1::btnSaveAsClick() {
    if (State.FileData.empty()) {
        return;
    }
    const std::optional<std::string> path = controls_.RunSaveDialog();
    if (!path) {
        return;
    }
    // The copy goes elsewhere; "Save Changes" keeps writing to the file that was loaded.
    SaveFileData(State.FileData, *path);
}

}  // namespace tintorb
