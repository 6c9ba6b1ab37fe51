// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// tintorb-cli: palettes in and out of a file from scripts, with no window.

#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace tintorb::cli {

// Runs the command line's arguments (the program's name left out) and returns the exit status: 0 done,
// 1 a file could not be read or written (the file being edited is then untouched), 2 a misused command.
// Errors go to err as one line each; in is read for "-" where a command takes text.
int Run(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace tintorb::cli
