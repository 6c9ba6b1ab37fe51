// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"

namespace tintorb {

namespace {

[[nodiscard]] int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Hexadecimal digits up to 0xFFFFFFFF, any number of leading zeros.
[[nodiscard]] std::optional<std::uint32_t> ReadHexDigits(std::string_view digits) {
    if (digits.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return static_cast<std::uint32_t>(value);
}

// Decimal digits whose magnitude fits the signed 32-bit range on the given side.
[[nodiscard]] std::optional<std::int32_t> ReadDecimalDigits(std::string_view digits, bool negative) {
    if (digits.empty()) {
        return std::nullopt;
    }
    const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) {
            return std::nullopt;
        }
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace

std::optional<std::int32_t> ReadNumber(std::string_view text) {
    // The common "$1F40": eight digits or fewer cannot overflow, so they are read in one plain loop.
    if (text.size() >= 2 && text.size() <= 9 && text.front() == '$') {
        std::uint32_t value = 0;
        for (const char c : text.substr(1)) {
            const int digit = HexDigitValue(c);
            if (digit < 0) {
                return std::nullopt;
            }
            value = value << 4 | static_cast<std::uint32_t>(digit);
        }
        return static_cast<std::int32_t>(value);
    }
    // The common "16": nine decimal digits or fewer cannot overflow either.
    if (!text.empty() && text.size() <= 9) {
        std::uint32_t value = 0;
        std::size_t digits = 0;
        for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
            value = value * 10 + static_cast<std::uint32_t>(text[digits] - '0');
        }
        if (digits == text.size()) {
            return static_cast<std::int32_t>(value);
        }
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::size_t prefix = 0;
    if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
        prefix = 1;
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        prefix = 2;
    }
    if (prefix == 0) {
        return ReadDecimalDigits(text, negative);
    }
    const std::optional<std::uint32_t> value = ReadHexDigits(text.substr(prefix));
    if (!value) {
        return std::nullopt;
    }
    // Unsigned wrap-around gives the negation modulo 2^32; the cast keeps the 32 bits as they are.
    return static_cast<std::int32_t>(negative ? 0u - *value : *value);
}

std::string HexText(std::uint32_t value, int minDigits) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), Digits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minDigits) {
        text.insert(0, static_cast<std::size_t>(minDigits) - text.size(), '0');
    }
    return text;
}

std::string CountOf(std::uint64_t count, std::string_view one, std::string_view many) {
    return GroupedNumber(count).append(1, ' ').append(count == 1 ? one : many);
}

std::string GroupedNumber(std::uint64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), 1, ',');
    }
    return digits;
}

std::string AddressText(std::int64_t address) {
    // Appended rather than written "$" + digits, on which g++ 12 gives a false -Wrestrict warning.
    std::string text(1, '$');
    text.append(HexText(static_cast<std::uint32_t>(address)));
    return text;
}

}  // namespace tintorb
