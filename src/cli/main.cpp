// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "model/FileImage.h"

int main(int argc, char* argv[]) {
    tintorb::IgnoreFileSizeSignal();
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tintorb::cli::Run(args, std::cin, std::cout, std::cerr);
}
