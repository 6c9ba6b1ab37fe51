// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the status bar says after a command of the form, and about the word under the pointer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/ColourWord.h"

namespace tintorb {

// The name messages call a file by: its last path component.
[[nodiscard]] std::string ShortName(std::string_view path);

// "Loaded rom.bin: 1,048,576 bytes".
[[nodiscard]] std::string LoadedStatus(std::string_view name, std::size_t bytes);
// "Saved rom.bin".
[[nodiscard]] std::string SavedStatus(std::string_view name);
// "$123459 lies past the end of the file (1,048,576 bytes)".
[[nodiscard]] std::string PastTheEndStatus(std::int64_t address, std::size_t fileSize);
// "$01F40 $0EEE 7,7,7", or "$01F42 $F00A not a colour word": the offset as wide as the file's last one,
// the word, and its red, green and blue levels.
[[nodiscard]] std::string WordStatus(std::int64_t offset, std::size_t fileSize, ColourWord word);

}  // namespace tintorb
