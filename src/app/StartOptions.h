// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the program is asked to do as it starts, read from its command line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintorb {

// The length menu's Auto, as a length asked for at start-up.
inline constexpr int AutoLength = 0;

struct StartOptions {
    // The file to open; empty for none.
    std::string file;
    // The palette's address as the address box holds it.
    std::optional<std::string> address;
    // Entries, 1 to 64, or AutoLength.
    std::optional<int> length;
};

// The byte offset an address text names, read as the address box reads it: "$1F40", "0x1F40", "8000"
// (decimal), and a text with a hexadecimal letter but no prefix ("1F40") as hexadecimal. Nothing for a text
// the box would turn into "0", nor for a negative offset, which names no place in a file.
[[nodiscard]] std::optional<std::int32_t> ReadAddressArgument(std::string_view text);

// "auto" in any case, or a number text of 1 to 64 entries.
[[nodiscard]] std::optional<int> ReadLengthArgument(std::string_view text);

}  // namespace tintorb
