// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tintorb-cli tiles: a part of a file drawn as tiles in a palette of the same file, written as a PNG image.

#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tintorb::cli {

inline constexpr std::string_view TilesUsage =
    "tiles FILE ADDR COUNT --codec NAME [--columns N] [--order rows|blocks:WxH] --palette PALADDR\n"
    "        [--length LEN] [--line K] [--zoom Z] -o OUT.png";

[[nodiscard]] bool IsTilesCommand(std::string_view name);

// Runs tiles with the arguments after its name, with the exit status and error lines of every tintorb-cli
// command (see Cli.h).
int RunTilesCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tintorb::cli
