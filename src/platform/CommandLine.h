// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's command line: tintorb [FILE] [--address ADDR] [--length N|auto], --help, --version.

#include <optional>

#include "app/StartOptions.h"

#include <QString>
#include <QStringList>

namespace tintorb {

struct CommandLine {
    StartOptions options;
    // Set when the program ends without a window: 0 after --help or --version, 2 after a mistake.
    std::optional<int> exitStatus;
    // The help or the version for standard output, or one line about the mistake for standard error.
    QString message;
};

// Reads the arguments, the program's own path first. A file given must exist; whether it can be read is
// left to opening it, which reports a failure in the window.
[[nodiscard]] CommandLine ParseCommandLine(const QStringList& arguments);

}  // namespace tintorb
