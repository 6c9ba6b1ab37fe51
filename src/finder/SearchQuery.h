// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The palette a colour search looks for, from wherever the user has it.

#include <string>
#include <string_view>
#include <vector>

#include "model/ColourWord.h"

namespace tintorb {

// The words of a palette file of any format the import reads; a file of any other name is taken as a dump
// of colour memory, big-endian words. At most a palette's worth. Throws FileError (FormatError).
[[nodiscard]] std::vector<ColourWord> ReadQueryFile(const std::string& path);

// The words in text as the clipboard holds it: a listing ("dc.w $0EEE,...") or one "$XXXX" a line.
// Throws FormatError.
[[nodiscard]] std::vector<ColourWord> ParseQueryText(std::string_view text);

}  // namespace tintorb
