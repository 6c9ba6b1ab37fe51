// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How every typed number is read (address, length, listing fields) and how offsets and words are written.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tintorb {

// Reads optional leading spaces, an optional sign, then decimal digits or a hexadecimal prefix ("$", "x",
// "X", "0x", "0X") and hexadecimal digits. The value must fit in 32 bits; hexadecimal with bit 31 set reads
// negative, and "-" before hexadecimal negates modulo 2^32. Anything else is no number.
[[nodiscard]] std::optional<std::int32_t> ReadNumber(std::string_view text);

// Uppercase hexadecimal, zero-padded to at least minDigits digits.
[[nodiscard]] std::string HexText(std::uint32_t value, int minDigits = 1);

// A count in decimal with its thousands set off by commas: "1,048,576".
[[nodiscard]] std::string GroupedNumber(std::uint64_t value);
// A grouped count and its noun, one or many: "1 byte", "1,048,576 bytes".
[[nodiscard]] std::string CountOf(std::uint64_t count, std::string_view one, std::string_view many);

// An address as the address box shows it: "$1F40".
[[nodiscard]] std::string AddressText(std::int64_t address);

}  // namespace tintorb
