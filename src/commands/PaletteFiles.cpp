// SPDX-License-Identifier: GPL-3.0-or-later
// Palettes out to and in from the files other programs use.

#include "app/Generic.h"
#include "app/StatusText.h"
#include "formats/PaletteFile.h"
#include "model/PaletteWords.h"

#include <optional>
#include <string>
#include <vector>

namespace tintorb {

void TForm1::ExportPaletteClick() {
    if (State.PalLength <= 0) {
        return;
    }
    const std::optional<std::string> path = controls_.RunExportDialog();
    if (!path) {
        return;
    }
    if (IsLoadedFile(*path)) {
        controls_.ShowMessage("The palette cannot be exported over the file it comes from");
        return;
    }
    // A selection of more than one entry is exported alone; otherwise the whole palette.
    const bool selection = State.SelEnd > State.SelStart;
    const std::int32_t first = selection ? State.SelStart : 0;
    const std::int32_t last = selection ? State.SelEnd : State.PalLength - 1;
    std::vector<ColourWord> entries;
    for (std::int32_t i = first; i <= last && State.HasEntry(i); ++i) {
        entries.push_back(State.GetEntry(i));
    }
    // The name the user gave the palette, where there is one, titles the file.
    const std::string title = names_.TitleOf(State.PalAddress, State.PalLength)
                                  .value_or(PaletteTitle(State.FileName, State.PalAddress));
    WritePaletteFile(*path, entries, title);
    controls_.ShowStatus(ExportedStatus(entries.size(), ShortName(*path)));
}

void TForm1::ImportPaletteClick() {
    if (State.PalLength <= 0) {
        return;
    }
    const std::optional<std::string> path = controls_.RunImportDialog();
    if (!path) {
        return;
    }
    // Throws before anything is written: a file that is no palette changes nothing.
    const ImportedPalette palette = ReadPaletteFile(*path);
    PaletteWords words(State);
    const ImportCount count = PutImported(palette, words, State.SelStart, State.PalLength, false);
    Apply(words.ToEdit());
    controls_.ShowStatus(ImportedStatus(count));
}

}  // namespace tintorb
