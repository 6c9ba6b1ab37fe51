#pragma once

// The list of files opened lately, newest first, as File > Open Recent shows it.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tintorb {

inline constexpr std::size_t MaxRecentFiles = 10;

// The list with path at its top, once, and at most MaxRecentFiles long.
[[nodiscard]] std::vector<std::string> WithRecentFile(std::vector<std::string> files, std::string_view path);
[[nodiscard]] std::vector<std::string> WithoutRecentFile(std::vector<std::string> files,
                                                         std::string_view path);

}  // namespace tintorb
