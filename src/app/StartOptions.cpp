// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StartOptions.h"

#include "app/Layout.h"
#include "model/NumberText.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tintorb {

namespace {

// The length of the menu's last fixed item, "$40": as many entries as a palette can hold.
constexpr int MostEntries = 16 * (LengthItemOther - 1);

}  // namespace

std::optional<std::int32_t> ReadAddressArgument(std::string_view text) {
    std::optional<std::int32_t> offset = ReadNumber(text);
    if (!offset) {
        std::string prefixed(1, '$');
        prefixed.append(text);
        offset = ReadNumber(prefixed);
    }
    if (offset && *offset < 0) {
        return std::nullopt;
    }
    return offset;
}

std::optional<int> ReadLengthArgument(std::string_view text) {
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    if (std::ranges::equal(text, std::string_view("auto"), {}, lower)) {
        return AutoLength;
    }
    const std::optional<std::int32_t> entries = ReadNumber(text);
    if (!entries || *entries < 1 || *entries > MostEntries) {
        return std::nullopt;
    }
    return *entries;
}

}  // namespace tintorb
