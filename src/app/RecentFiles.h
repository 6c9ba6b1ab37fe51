// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The list of files opened lately, newest first, as File > Open Recent shows it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

inline constexpr std::size_t MaxRecentFiles = 10;

// The list with path at its top, once, and at most MaxRecentFiles long.
[[nodiscard]] std::vector<std::string> WithRecentFile(std::vector<std::string> files, std::string_view path);
[[nodiscard]] std::vector<std::string> WithoutRecentFile(std::vector<std::string> files,
                                                         std::string_view path);

// Where a palette was last located in a file, so that reopening the file shows it again. Kept in the
// settings beside the list, under a key of the file's absolute path.
struct RememberedPlace {
    std::int64_t address = 0;
    int length = 0;
    friend bool operator==(const RememberedPlace&, const RememberedPlace&) = default;
};

[[nodiscard]] std::string PlaceKey(std::string_view path);
// "8000,16": the address and the length in decimal.
[[nodiscard]] std::string PlaceText(RememberedPlace place);
// Nothing for a text that is no place, such as a setting never written.
[[nodiscard]] std::optional<RememberedPlace> ReadPlaceText(std::string_view text);

}  // namespace tintorb
