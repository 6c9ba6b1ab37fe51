// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the number reader. Besides memory and undefined-behaviour faults it checks the
// reader against a plain model of the number grammar built on std::from_chars, and that every value read
// is written back, in decimal and in hexadecimal, as text that reads as the same value.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "model/NumberText.h"

namespace {

using tintorb::ReadNumber;

[[nodiscard]] std::optional<std::int32_t> ModelRead(std::string_view t) {
    while (!t.empty() && t.front() == ' ') {
        t.remove_prefix(1);
    }
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    int base = 10;
    if (t.starts_with("0x") || t.starts_with("0X")) {
        base = 16;
        t.remove_prefix(2);
    } else if (t.starts_with("$") || t.starts_with("x") || t.starts_with("X")) {
        base = 16;
        t.remove_prefix(1);
    }
    if (t.empty()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), magnitude, base);
    if (error != std::errc{} || end != t.data() + t.size()) {
        return std::nullopt;
    }
    if (base == 16) {
        if (magnitude > 0xFFFFFFFFu) {
            return std::nullopt;
        }
        const auto bits = static_cast<std::uint32_t>(magnitude);
        return static_cast<std::int32_t>(negative ? 0u - bits : bits);
    }
    if (magnitude > (negative ? 2147483648u : 2147483647u)) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
}

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::int32_t> value = ReadNumber(text);
    Require(value == ModelRead(text));
    if (!value) {
        return 0;
    }
    Require(text.find('\t') == std::string::npos);
    Require(ReadNumber(std::to_string(*value)) == value);
    Require(ReadNumber("$" + tintorb::HexText(static_cast<std::uint32_t>(*value))) == value);
    Require(ReadNumber("  " + text) == value);
    Require(!ReadNumber(text + " "));
    return 0;
}
