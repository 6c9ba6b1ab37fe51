// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary listing text to the listing reader: the first byte chooses how many values it may read,
// the rest is split into lines at "\n". Besides memory and undefined-behaviour faults it checks that the
// reader keeps to its limit, reads values strictly in order, and that whatever it read, written out as a
// listing again, reads back the same.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/Listing.h"

namespace {

using tintorb::ColourWord;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

[[nodiscard]] std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

// The pieces of a short line, joined again by their delimiter, give the line back.
void CheckFieldsRejoin(const std::string& line) {
    if (line.size() > 256) {
        return;
    }
    const auto commas = static_cast<int>(std::count(line.begin(), line.end(), ','));
    std::string joined;
    for (int n = 0; n <= commas; ++n) {
        joined += (n ? "," : "") + tintorb::GetField(line, ",", n);
    }
    Require(joined == line);
    Require(tintorb::GetField(line, ",", commas + 1).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const int max = static_cast<int>(data[0]) - 16;
    const std::vector<std::string> lines =
        SplitLines(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));

    const std::vector<ColourWord> values = tintorb::ParseListing(lines, max);
    Require(static_cast<int>(values.size()) <= std::max(max, 0));

    const std::vector<ColourWord> fewer = tintorb::ParseListing(lines, static_cast<int>(values.size() / 2));
    Require(std::equal(fewer.begin(), fewer.end(), values.begin()) && fewer.size() == values.size() / 2);

    const std::vector<std::string> written = tintorb::FormatListing(values);
    Require(tintorb::ParseListing(written, static_cast<int>(values.size())) == values);

    const bool anyDirective = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("dc.w") != std::string::npos;
    });
    Require(anyDirective || values.empty());

    CheckFieldsRejoin(lines.front());
    return 0;
}
