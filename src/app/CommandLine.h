// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's command line: tintorb [FILE] [--address ADDR] [--length N|auto], --help, --version.
// Options are read the way most programs read them: "--address X", "--address=X", "-a X", "-aX", short
// options run together ("-hv"), and "--" ending the options.

#include <optional>
#include <span>
#include <string>

#include "app/StartOptions.h"

namespace tintorb {

struct CommandLine {
    StartOptions options;
    // Set when the program ends without a window: 0 after --help or --version, 2 after a mistake.
    std::optional<int> exitStatus;
    // The help or the version for standard output, or one line about the mistake for standard error.
    std::string message;
};

// Reads the arguments, the program's own path first. A file given must exist; whether it can be read is
// left to opening it, which reports a failure in the window.
[[nodiscard]] CommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace tintorb
