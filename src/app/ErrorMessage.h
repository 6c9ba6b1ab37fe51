// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text an error box shows for a failed file operation.

#include <string>
#include <string_view>

namespace tintorb {

// The error's text as a sentence: "." is added unless the text already ends in "." or in a character that
// sorts before it (a space, "!", ")", "-", ...), so "File not found" reads "File not found.".
[[nodiscard]] std::string ErrorMessageText(std::string_view what);

}  // namespace tintorb
