// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Palette files on disk, and how a palette read from one goes over the entries of the file being edited.
// The window and tintorb-cli share all of it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "formats/PaletteFormat.h"
#include "model/PaletteWords.h"

namespace tintorb {

// The format that path's extension names. Throws FormatError for any other name.
[[nodiscard]] PaletteFormat RequireFormatOf(const std::string& path);

// Reads the palette file at path. Throws FileError (FormatError for what is no palette of its format).
[[nodiscard]] ImportedPalette ReadPaletteFile(const std::string& path);
// The same, whatever the file is named.
[[nodiscard]] ImportedPalette ReadPaletteFile(const std::string& path, PaletteFormat format);

// Writes the entries to path in the format its extension names; as a save does, a failure leaves any file
// there as it was. Throws FileError.
void WritePaletteFile(const std::string& path, std::span<const ColourWord> words, std::string_view name);

// The title a palette exported from a file gets: "game.bin $1F40".
[[nodiscard]] std::string PaletteTitle(const std::string& fileName, std::int32_t address);

struct ImportCount {
    std::size_t taken = 0;
    std::size_t leftOut = 0;
};

// Writes the palette's words over the entries from first until end (or the copy's end). A colour keeps
// each entry's unused bits, as the colour dialog does; a whole word brings its own. clearUnusedBits clears
// them either way.
ImportCount PutImported(const ImportedPalette& palette, PaletteWords& words, std::int64_t first,
                        std::int64_t end, bool clearUnusedBits);

// "12 colours taken, 4 left out".
[[nodiscard]] std::string ImportSummary(ImportCount count);
// What the window's status bar says: "Imported 16 colours, 0 left out", "Exported 16 colours to x.gpl".
[[nodiscard]] std::string ImportedStatus(ImportCount count);
[[nodiscard]] std::string ExportedStatus(std::size_t colours, std::string_view name);

}  // namespace tintorb
