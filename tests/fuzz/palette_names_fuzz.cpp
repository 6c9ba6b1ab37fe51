// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the reader of the side file of palette names, as a hand-written one might be.
// Besides memory and undefined-behaviour faults it checks that the text written back is the text read, byte
// for byte, that naming a palette again adds at most one line, and that what is written reads back the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "finder/PaletteNames.h"
#include "formats/TextLines.h"

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

[[nodiscard]] std::size_t Lines(const std::string& text) {
    return tintorb::codecs::TextLinesWithEnds(text).size();
}

[[nodiscard]] bool SameSkipped(const tintorb::PaletteNames& a, const tintorb::PaletteNames& b) {
    return std::equal(
        a.Skipped().begin(), a.Skipped().end(), b.Skipped().begin(), b.Skipped().end(),
        [](const auto& x, const auto& y) { return x.number == y.number && x.reason == y.reason; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tintorb::PaletteNames names = tintorb::PaletteNames::Parse(text);
    const std::string written = names.Text();
    Require(written == text);
    // The name takes a title from the text itself, whatever it holds.
    const std::string title(text.substr(0, 40));
    const bool named = names.Name(size % 7, static_cast<std::int32_t>(1 + size % 64), title);
    const std::string renamed = names.Text();
    Require(Lines(renamed) <= Lines(written) + 1);
    const tintorb::PaletteNames reread = tintorb::PaletteNames::Parse(renamed);
    Require(reread.Names() == names.Names());
    Require(SameSkipped(reread, names));
    Require(named || names.Text() == written);
    return 0;
}
