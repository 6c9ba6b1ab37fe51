// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How every tintorb-cli command ends: exit status 0 when done, 1 when a file could not be read or written,
// 2 for a misused command, each failure as one line on standard error.

#include <new>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/FileImage.h"

namespace tintorb::cli {

inline constexpr int Done = 0;
inline constexpr int Failed = 1;
inline constexpr int Misused = 2;

// A command line that asks for something the command does not do.
class Misuse : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A file written from FILE never replaces FILE itself: one mistyped name would lose the file it is made from.
inline void RefuseToReplace(const std::string& file, std::string_view name, const std::string& output) {
    if (SameFile(file, output)) {
        throw Misuse(std::string(name) + " \"" + output + "\" is FILE itself");
    }
}

// Runs command and turns what it throws into its exit status and line.
template <class Command>
int Reporting(std::ostream& err, Command&& command) {
    try {
        command();
        return Done;
    } catch (const Misuse& e) {
        err << "tintorb-cli: " << e.what() << '\n';
        return Misused;
    } catch (const FileError& e) {
        err << "tintorb-cli: " << e.what() << '\n';
        return Failed;
    } catch (const std::bad_alloc&) {
        err << "tintorb-cli: Out of memory\n";
        return Failed;
    }
}

}  // namespace tintorb::cli
