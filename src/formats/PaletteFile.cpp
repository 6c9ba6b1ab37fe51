// SPDX-License-Identifier: GPL-3.0-or-later
#include "formats/PaletteFile.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "model/FileImage.h"
#include "model/NumberText.h"

namespace tintorb {

namespace {

// No palette comes near this; a larger file is no palette, and is not read into memory.
constexpr std::int64_t LargestPaletteFile = std::int64_t{64} << 20;

[[nodiscard]] std::string Colours(std::size_t n) {
    return CountOf(n, "colour", "colours");
}

}  // namespace

PaletteFormat RequireFormatOf(const std::string& path) {
    if (const std::optional<PaletteFormat> format = PaletteFormatOf(path)) {
        return *format;
    }
    std::string known;
    for (const PaletteFormatInfo& info : PaletteFormats) {
        known += (known.empty() ? "." : ", .") + std::string(info.extension);
    }
    throw FormatError("Unknown palette format: a palette file's name ends in " + known);
}

ImportedPalette ReadPaletteFile(const std::string& path) {
    return ReadPaletteFile(path, RequireFormatOf(path));
}

ImportedPalette ReadPaletteFile(const std::string& path, PaletteFormat format) {
    if (const std::optional<FileStamp> stamp = StampOf(path); stamp && stamp->size > LargestPaletteFile) {
        throw FormatError("The file is too large to be a palette");
    }
    FileBytes bytes;
    LoadFileData(bytes, path);
    return DecodePalette(format, bytes);
}

void WritePaletteFile(const std::string& path, std::span<const ColourWord> words, std::string_view name) {
    SaveFileData(EncodePalette(RequireFormatOf(path), words, name), path);
}

std::string PaletteTitle(const std::string& fileName, std::int32_t address) {
    return std::filesystem::path(fileName).filename().string() + " " + AddressText(address);
}

ImportCount PutImported(const ImportedPalette& palette, PaletteWords& words, std::int64_t first,
                        std::int64_t end, bool clearUnusedBits) {
    end = std::min(end, words.Size());
    ImportCount count;
    for (const ColourWord imported : palette.words) {
        const std::int64_t i = first + static_cast<std::int64_t>(count.taken);
        if (i < 0 || i >= end) {
            break;
        }
        ColourWord w =
            palette.wholeWords ? imported : static_cast<ColourWord>((words.Get(i) & InvalidMask) | imported);
        if (clearUnusedBits) {
            w = static_cast<ColourWord>(w & ~InvalidMask);
        }
        words.Put(w, i);
        ++count.taken;
    }
    count.leftOut = palette.leftOut + palette.words.size() - count.taken;
    return count;
}

std::string ImportSummary(ImportCount count) {
    return Colours(count.taken) + " taken, " + std::to_string(count.leftOut) + " left out";
}

std::string ImportedStatus(ImportCount count) {
    return "Imported " + Colours(count.taken) + ", " + std::to_string(count.leftOut) + " left out";
}

std::string ExportedStatus(std::size_t colours, std::string_view name) {
    return "Exported " + Colours(colours) + " to " + std::string(name);
}

}  // namespace tintorb
