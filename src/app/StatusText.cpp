// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusText.h"

#include "model/NumberText.h"

#include <algorithm>
#include <filesystem>

namespace tintorb {

std::string ShortName(std::string_view path) {
    return std::filesystem::path(path).filename().string();
}

std::string LoadedStatus(std::string_view name, std::size_t bytes) {
    return "Loaded " + std::string(name) + ": " + CountOf(bytes, "byte", "bytes");
}

std::string SavedStatus(std::string_view name) {
    return "Saved " + std::string(name);
}

std::string PastTheEndStatus(std::int64_t address, std::size_t fileSize) {
    return AddressText(address) + " lies past the end of the file (" + CountOf(fileSize, "byte", "bytes") +
           ")";
}

std::string WordStatus(std::int64_t offset, std::size_t fileSize, ColourWord word) {
    // Every offset of the file is written with as many digits as its last, so that the line stands still
    // while the pointer moves.
    const auto last = static_cast<std::uint32_t>(std::max<std::size_t>(fileSize, 1) - 1);
    const int digits = static_cast<int>(HexText(last).size());
    // Appended piece by piece: "$" + text gives a false -Wrestrict warning on g++ 12.
    std::string text(1, '$');
    text += HexText(static_cast<std::uint32_t>(offset), digits);
    text += " $";
    text += HexText(word, 4);
    if (!IsValidColour(word)) {
        return text + " not a colour word";
    }
    const Levels levels = LevelsOf(word);
    return text + ' ' + std::to_string(levels.red) + ',' + std::to_string(levels.green) + ',' +
           std::to_string(levels.blue);
}

}  // namespace tintorb
