// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LengthMenu.h"

#include <algorithm>
#include <cctype>

#include "app/Layout.h"

namespace tintorb {

int LengthItemOf(std::string_view text) {
    const auto item = std::ranges::find(LengthItems, text);
    return item == LengthItems.end() ? -1 : static_cast<int>(item - LengthItems.begin());
}

std::optional<int> LengthCompletion(std::string_view typed) {
    const auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
    const auto completes = [&](std::string_view item) {
        return !typed.empty() && item.size() >= typed.size() &&
               std::ranges::equal(item.substr(0, typed.size()), typed, {}, lower, lower);
    };
    const auto item = std::ranges::find_if(LengthItems, completes);
    return item == LengthItems.end() ? std::nullopt
                                     : std::optional(static_cast<int>(item - LengthItems.begin()));
}

}  // namespace tintorb
