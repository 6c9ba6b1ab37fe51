// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary clipboard text to the reader of a colour search's query. Besides memory and
// undefined-behaviour faults it checks that the reader either refuses the text with a FormatError or gives
// at most a palette's worth of words, and that those words, pasted again as "$XXXX" lines, read the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "finder/SearchQuery.h"
#include "formats/PaletteFormat.h"
#include "model/EditorState.h"
#include "model/NumberText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<tintorb::ColourWord> words;
    try {
        words = tintorb::ParseQueryText(text);
    } catch (const tintorb::FormatError&) {
        return 0;
    }
    if (words.size() > tintorb::MaxPalLength) {
        std::abort();
    }
    std::string lines;
    for (const tintorb::ColourWord word : words) {
        lines += "$" + tintorb::HexText(word, 4) + "\n";
    }
    if (!words.empty() && tintorb::ParseQueryText(lines) != words) {
        std::abort();
    }
    return 0;
}
