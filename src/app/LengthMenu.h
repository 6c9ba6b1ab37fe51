// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The length menu's choice: which item a text is, and which item what the user types completes to.

#include <optional>
#include <string_view>

namespace tintorb {

// The item whose text is exactly text; -1 for a text that is no item's.
[[nodiscard]] int LengthItemOf(std::string_view text);

// The first item that begins with typed, case ignored; nothing for an empty text or one no item begins with.
[[nodiscard]] std::optional<int> LengthCompletion(std::string_view typed);

}  // namespace tintorb
