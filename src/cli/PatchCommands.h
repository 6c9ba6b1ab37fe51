// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tintorb-cli diff and apply: a patch made from two files, and a patch applied to a file.

#include <array>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

namespace tintorb::cli {

struct PatchCommandHelp {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
};

inline constexpr std::array<PatchCommandHelp, 2> PatchCommands{{
    {"diff", "diff ORIGINAL MODIFIED -o PATCH.ips|PATCH.bps",
     "Writes a patch that turns ORIGINAL into MODIFIED, as IPS or BPS by PATCH's extension, and prints how\n"
     "many records or actions it holds and how many bytes it changes. The files may differ in size. IPS\n"
     "cannot reach bytes at 16 MiB or beyond, nor hold a checksum: BPS can, and checks both files.\n"},
    {"apply", "apply FILE PATCH [-o OUT]",
     "Applies the IPS or BPS patch PATCH to FILE and writes the result to OUT, or over FILE when no -o is\n"
     "given, the way the window saves: FILE is replaced only once the whole result is written. A BPS patch\n"
     "made for another file is refused, with both CRC32s; an IPS patch carries no check. On any error FILE\n"
     "and OUT are left as they were.\n"},
}};

// Whether name is one of the patch commands.
[[nodiscard]] bool IsPatchCommand(std::string_view name);

// Runs the patch command args[0] with the rest of args, with the exit status and error lines of every
// tintorb-cli command (see Cli.h).
int RunPatchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace tintorb::cli
