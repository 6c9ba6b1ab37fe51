// SPDX-License-Identifier: GPL-3.0-or-later
// The window program's command line read without a window: every shape of option, and the one line each
// mistake ends the program with.

#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace tintorb::test {

namespace {

[[nodiscard]] CommandLine Parse(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "/usr/bin/tintorb");
    return ParseCommandLine(arguments);
}

}  // namespace

TEST(CommandLine, MistakesEndWithOneLineNamingTheProgram) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases{
        {{"-x", "-y"}, "Unknown options: x, y."},
        {{"--addr", "3"}, "Unknown option 'addr'."},
        {{"--help=3"}, "Unexpected value after '--help'."},
        {{"-a"}, "Missing value after '-a'."},
        {{"--a"}, "Missing value after '--a'."},
        {{"-l", "65", "--address"}, "Missing value after '--address'."},
        {{"-la"}, "bad length 'a': give auto or 1 to 64"},
        {{"-l=7", "--address=3"}, "--address needs a FILE"},
        {{"-l7", "-a", "3", "x"}, "x: no such file"},
        {{"--", "-x"}, "-x: no such file"},
        {{"-"}, "-: no such file"},
        {{"a", "b"}, "give one FILE at most, not 2"},
    };
    for (const auto& [arguments, message] : cases) {
        const CommandLine line = Parse(arguments);
        EXPECT_EQ(line.exitStatus, 2) << message;
        EXPECT_EQ(line.message, "tintorb: " + message);
    }
}

TEST(CommandLine, HelpNamesTheProgramAsStartedAndWinsOverTheRest) {
    const CommandLine line = Parse({"-vh", "missing.bin"});
    EXPECT_EQ(line.exitStatus, 0);
    EXPECT_TRUE(line.message.starts_with("Usage: /usr/bin/tintorb [options] [FILE]\nFinds, shows"));
    EXPECT_TRUE(line.message.ends_with("  FILE                   The file to open."));
}

TEST(CommandLine, OptionsGivenEveryWayReachTheStartOptions) {
    const std::string file = testing::TempDir() + "command_line.bin";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fputs("0123456789", out);
    std::fclose(out);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{file, "--address=$8", "--length", "auto"},
          std::vector<std::string>{"-a$8", "-lauto", file},
          std::vector<std::string>{"-a=$8", "-l=auto", file}}) {
        const CommandLine line = Parse(arguments);
        EXPECT_FALSE(line.exitStatus) << line.message;
        EXPECT_EQ(line.options.file, file);
        EXPECT_EQ(line.options.address, "$8");
        EXPECT_EQ(line.options.length, AutoLength);
    }
    EXPECT_EQ(Parse({file, "-a", "$9"}).message,
              "tintorb: no word at address $9 in " + file + ", which holds 10 bytes");
    std::remove(file.c_str());
}

}  // namespace tintorb::test
