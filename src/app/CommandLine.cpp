// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/NumberText.h"

namespace tintorb {

namespace {

// Mistakes stop the program before any window opens.
constexpr int UsageStatus = 2;

enum class Option { Help, Version, Address, Length };

struct OptionName {
    Option option;
    std::string_view shortName;
    std::string_view longName;
    bool takesValue;
};

constexpr std::array<OptionName, 4> Options{{
    {Option::Help, "h", "help", false},
    {Option::Version, "v", "version", false},
    {Option::Address, "a", "address", true},
    {Option::Length, "l", "length", true},
}};

// The help after "Usage: " and the program as it was started.
constexpr std::string_view HelpBody =
    " [options] [FILE]\n"
    "Finds, shows and edits colour palettes inside binary files.\n"
    "\n"
    "Options:\n"
    "  -h, --help             Show this help.\n"
    "  -v, --version          Show the version.\n"
    "  -a, --address <ADDR>   Show the palette at byte offset ADDR, as \"Load\" beside\n"
    "                         the address box does: $1F40 or 0x1F40 (hexadecimal),\n"
    "                         8000 (decimal).\n"
    "  -l, --length <N|auto>  Set the length menu: auto, or 1 to 64 entries.\n"
    "\n"
    "Arguments:\n"
    "  FILE                   The file to open.";

// What the arguments hold, before any of it is checked.
struct Reading {
    std::vector<std::string> files;
    std::array<std::vector<std::string>, Options.size()> values;
    std::array<bool, Options.size()> given{};
    std::vector<std::string> unknown;
    // A mistake of the command line's shape, such as an option without its value.
    std::string mistake;

    [[nodiscard]] bool Given(Option o) const { return given[static_cast<std::size_t>(o)]; }
    [[nodiscard]] const std::string& Value(Option o) const {
        return values[static_cast<std::size_t>(o)].back();
    }
};

// Either name serves after "--"; after "-" only a short one can match, letter by letter.
[[nodiscard]] const OptionName* Find(std::string_view name) {
    const auto found = std::ranges::find_if(
        Options, [&](const OptionName& o) { return o.shortName == name || o.longName == name; });
    return found == Options.end() ? nullptr : &*found;
}

class Reader {
  public:
    explicit Reader(std::span<const std::string> arguments) : arguments_(arguments) {}

    [[nodiscard]] Reading Read() {
        bool optionsEnded = false;
        for (next_ = 1; next_ < arguments_.size(); ++next_) {
            const std::string& argument = arguments_[next_];
            if (optionsEnded || argument == "-" || !argument.starts_with('-')) {
                reading_.files.push_back(argument);
            } else if (argument == "--") {
                optionsEnded = true;
            } else if (argument.starts_with("--")) {
                ReadLong(argument);
            } else {
                ReadShort(argument);
            }
        }
        return std::move(reading_);
    }

  private:
    // --name, --name=value, or --name followed by its value.
    void ReadLong(const std::string& argument) {
        const std::string_view name = std::string_view(argument).substr(2, argument.find('=', 2) - 2);
        if (const OptionName* option = Find(name)) {
            ReadValue(*option, argument);
        } else {
            reading_.unknown.emplace_back(name);
        }
    }

    // -abc: each letter an option; a letter that takes a value takes the rest ("-aX", "-a=X") or the next
    // argument.
    void ReadShort(const std::string& argument) {
        for (std::size_t pos = 1; pos < argument.size(); ++pos) {
            const OptionName* option = Find(std::string_view(argument).substr(pos, 1));
            if (option == nullptr) {
                reading_.unknown.push_back(argument.substr(pos, 1));
                continue;
            }
            if (!option->takesValue) {
                Note(*option, {});
            } else if (pos + 1 < argument.size()) {
                pos += argument[pos + 1] == '=' ? 1 : 0;
                Note(*option, argument.substr(pos + 1));
                return;
            } else {
                ReadValue(*option, argument);
            }
        }
    }

    // The value after "=" in the argument, or else the next argument, for an option that takes one.
    void ReadValue(const OptionName& option, const std::string& argument) {
        const std::size_t assign = argument.find('=');
        if (!option.takesValue) {
            if (assign != std::string::npos) {
                reading_.mistake = "Unexpected value after '" + argument.substr(0, assign) + "'.";
            }
            Note(option, {});
        } else if (assign != std::string::npos) {
            Note(option, argument.substr(assign + 1));
        } else if (++next_ < arguments_.size()) {
            Note(option, arguments_[next_]);
        } else {
            reading_.mistake = "Missing value after '" + argument + "'.";
        }
    }

    void Note(const OptionName& option, std::string value) {
        const auto index = static_cast<std::size_t>(option.option);
        reading_.given[index] = true;
        if (option.takesValue) {
            reading_.values[index].push_back(std::move(value));
        }
    }

    std::span<const std::string> arguments_;
    std::size_t next_ = 1;
    Reading reading_;
};

// The mistake that stops the command line from being read at all; empty when there is none.
[[nodiscard]] std::string ShapeMistake(const Reading& reading) {
    if (!reading.mistake.empty()) {
        return reading.mistake;
    }
    if (reading.unknown.size() == 1) {
        return "Unknown option '" + reading.unknown.front() + "'.";
    }
    if (reading.unknown.empty()) {
        return {};
    }
    std::string names = reading.unknown.front();
    for (std::size_t i = 1; i < reading.unknown.size(); ++i) {
        names += ", " + reading.unknown[i];
    }
    return "Unknown options: " + names + ".";
}

[[nodiscard]] std::string ProgramName(std::span<const std::string> arguments) {
    return arguments.empty() ? std::string("tintorb")
                             : std::filesystem::path(arguments[0]).filename().string();
}

[[nodiscard]] CommandLine Mistake(std::span<const std::string> arguments, const std::string& text) {
    return {{}, UsageStatus, ProgramName(arguments) + ": " + text};
}

// Each of these reads one argument into options; what is wrong with it, if anything.
using Mistaken = std::optional<std::string>;

[[nodiscard]] Mistaken ReadLength(const Reading& reading, StartOptions& options) {
    if (!reading.Given(Option::Length)) {
        return {};
    }
    const std::string& text = reading.Value(Option::Length);
    options.length = ReadLengthArgument(text);
    if (!options.length) {
        return "bad length '" + text + "': give auto or 1 to 64";
    }
    return {};
}

[[nodiscard]] Mistaken ReadAddress(const Reading& reading, const std::filesystem::path& file,
                                   StartOptions& options) {
    if (!reading.Given(Option::Address)) {
        return {};
    }
    const std::string& text = reading.Value(Option::Address);
    const std::optional<std::int32_t> offset = ReadAddressArgument(text);
    if (!offset) {
        return "bad address '" + text + "': give a byte offset such as $1F40, 0x1F40 or 8000";
    }
    // A palette needs a whole word at its address.
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error)) {
        const auto size = static_cast<std::int64_t>(std::filesystem::file_size(file, error));
        if (std::int64_t{*offset} + 2 > size) {
            return "no word at address $" + HexText(static_cast<std::uint32_t>(*offset)) + " in " +
                   reading.files.front() + ", which holds " + std::to_string(size) + " bytes";
        }
    }
    options.address = text;
    return {};
}

[[nodiscard]] Mistaken ReadArguments(const Reading& reading, StartOptions& options) {
    if (reading.files.size() > 1) {
        return "give one FILE at most, not " + std::to_string(reading.files.size());
    }
    if (Mistaken mistake = ReadLength(reading, options)) {
        return mistake;
    }
    if (reading.files.empty()) {
        return reading.Given(Option::Address) ? Mistaken("--address needs a FILE") : Mistaken();
    }
    const std::filesystem::path file(reading.files.front());
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        return reading.files.front() + ": no such file";
    }
    options.file = std::filesystem::absolute(file, error).lexically_normal().string();
    return ReadAddress(reading, file, options);
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
    const Reading reading = Reader(arguments).Read();
    if (const std::string mistake = ShapeMistake(reading); !mistake.empty()) {
        return Mistake(arguments, mistake);
    }
    if (reading.Given(Option::Help)) {
        // The usage line names the program as it was started, path and all.
        const std::string program = arguments.empty() ? std::string("tintorb") : arguments[0];
        return {{}, 0, "Usage: " + program + std::string(HelpBody)};
    }
    if (reading.Given(Option::Version)) {
        return {{}, 0, "Tintorb " TINTORB_VERSION};
    }
    CommandLine line;
    if (const Mistaken mistake = ReadArguments(reading, line.options)) {
        return Mistake(arguments, *mistake);
    }
    return line;
}

}  // namespace tintorb
