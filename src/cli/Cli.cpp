#include "cli/Cli.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <new>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "formats/PaletteFile.h"
#include "model/EditorState.h"
#include "model/FileImage.h"
#include "model/NumberText.h"
#include "model/PaletteWords.h"
#include "views/Listing.h"

namespace tintorb::cli {

namespace {

constexpr int Done = 0;
constexpr int Failed = 1;
constexpr int Misused = 2;

constexpr std::string_view ClearUnusedBits = "--clear-unused-bits";

// A command line that asks for something no command does.
class UsageError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct Arguments {
    std::vector<std::string> operands;
    bool clearUnusedBits = false;
};

struct Subcommand {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
    std::size_t operands;
    bool takesClearUnusedBits;
    int (*run)(const Arguments& args, std::ostream& out);
};

constexpr std::string_view Overview =
    "Reads and writes palettes of 16-bit colour words (0000 BBB0 GGG0 RRR0) in any binary file.\n"
    "\n"
    "ADDR is read as the address box reads it: $1F40 is hexadecimal, 8000 decimal.\n"
    "LEN is 1 to 64, or auto: the run of valid colour words from ADDR.\n"
    "A palette file's format follows its extension: .gpl .pal .act .png .bin .txt\n";

// Runs a file operation; a failure names the file, or the text, that it failed on.
template <class Operation>
auto Naming(const std::string& name, Operation&& operation) {
    try {
        return operation();
    } catch (const FileError& e) {
        throw FileError(name + ": " + e.what());
    }
}

// FILE read whole, with the palette at ADDR: the address must hold at least one whole word.
[[nodiscard]] EditorState OpenPalette(const Arguments& args) {
    const std::string& file = args.operands[0];
    const std::string& addressText = args.operands[1];
    EditorState state;
    Naming(file, [&] { return LoadFileData(state.FileData, file); });
    const std::optional<std::int32_t> address = ReadNumber(addressText);
    if (!address) {
        throw UsageError("ADDR \"" + addressText + "\" is no number");
    }
    if (WholeWordsFrom(*address, state.FileData.size()) < 1) {
        throw FileError(file + ": no colour word at " + addressText + " in its " +
                        std::to_string(state.FileData.size()) + " bytes");
    }
    state.WordCount = static_cast<std::int32_t>(state.FileData.size() / 2);
    state.FileName = file;
    state.PalAddress = *address;
    return state;
}

// LEN entries from the palette's address, cut at the end of the data.
void SetLength(EditorState& state, const std::string& lengthText) {
    int length = 0;
    if (lengthText == "auto") {
        length = ValidRunLength(state);
    } else if (const std::optional<std::int32_t> n = ReadNumber(lengthText);
               n && *n >= 1 && *n <= MaxPalLength) {
        length = *n;
    } else {
        throw UsageError("LEN \"" + lengthText + "\" is neither a number from 1 to 64 nor auto");
    }
    state.PalLength = static_cast<std::int32_t>(
        std::min<std::int64_t>(length, WholeWordsFrom(state.PalAddress, state.FileData.size())));
}

[[nodiscard]] std::vector<ColourWord> Entries(const EditorState& state) {
    std::vector<ColourWord> entries;
    for (std::int32_t i = 0; i < state.PalLength; ++i) {
        entries.push_back(state.GetEntry(i));
    }
    return entries;
}

// Writes the palette over up to a full palette's entries from ADDR, then saves the file in place.
int PutAndSave(EditorState& state, const ImportedPalette& palette, bool clearUnusedBits, std::ostream& out) {
    state.PalLength = MaxPalLength;
    PaletteWords words(state);
    const ImportCount count = PutImported(palette, words, 0, words.Size(), clearUnusedBits);
    const Edit edit = words.ToEdit();
    std::copy(edit.bytes.begin(), edit.bytes.end(), state.FileData.begin() + edit.offset);
    Naming(state.FileName, [&] { SaveFileData(state.FileData, state.FileName); });
    out << ImportSummary(count) << '\n';
    return Done;
}

int RunExport(const Arguments& args, std::ostream&) {
    EditorState state = OpenPalette(args);
    SetLength(state, args.operands[2]);
    const std::string& target = args.operands[3];
    Naming(target,
           [&] { WritePaletteFile(target, Entries(state), PaletteTitle(state.FileName, state.PalAddress)); });
    return Done;
}

int RunImport(const Arguments& args, std::ostream& out) {
    EditorState state = OpenPalette(args);
    const std::string& source = args.operands[2];
    return PutAndSave(state, Naming(source, [&] { return ReadPaletteFile(source); }), args.clearUnusedBits,
                      out);
}

int RunListing(const Arguments& args, std::ostream& out) {
    EditorState state = OpenPalette(args);
    SetLength(state, args.operands[2]);
    for (const std::string& line : FormatListing(Entries(state))) {
        out << line << '\n';
    }
    return Done;
}

int RunPatch(const Arguments& args, std::ostream& out) {
    EditorState state = OpenPalette(args);
    const std::string& listing = args.operands[2];
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(listing.data()), listing.size());
    return PutAndSave(state, Naming("listing", [&] { return DecodePalette(PaletteFormat::Hex, bytes); }),
                      false, out);
}

constexpr std::array<Subcommand, 4> Subcommands{{
    {"export", "export FILE ADDR LEN OUT",
     "Writes LEN entries of the palette at ADDR in FILE to the palette file OUT. Colour formats get each\n"
     "entry's colour as the editor shows it; .bin and .txt get the words as they are.\n",
     4, false, RunExport},
    {"import", "import FILE ADDR IN [--clear-unused-bits]",
     "Writes the colours of the palette file IN over the entries from ADDR in FILE, at most 64 and no\n"
     "further than the file's end, and saves FILE in place. Each colour goes to the nearest level of the\n"
     "hardware's ramp, and each entry keeps its unused bits (0xF111) unless --clear-unused-bits is given;\n"
     ".bin and .txt bring whole words. On any error FILE is left untouched.\n",
     3, true, RunImport},
    {"listing", "listing FILE ADDR LEN",
     "Prints LEN entries of the palette at ADDR in FILE as assembler lines, dc.w $0EEE,...\n", 3, false,
     RunListing},
    {"patch", "patch FILE ADDR 'dc.w ...'",
     "Writes the words of the listing (dc.w lines, or one $XXXX a line) over the entries from ADDR in FILE\n"
     "and saves FILE in place. On any error FILE is left untouched.\n",
     3, false, RunPatch},
}};

void ShowOverview(std::ostream& out) {
    out << "Usage: tintorb-cli COMMAND ARGUMENTS...\n\nCommands:\n";
    for (const Subcommand& command : Subcommands) {
        out << "  " << command.usage << '\n';
    }
    out << '\n' << Overview << "\nEach command takes --help.\n";
}

void ShowHelp(const Subcommand& command, std::ostream& out) {
    out << "Usage: tintorb-cli " << command.usage << "\n\n" << command.help << '\n' << Overview;
}

[[nodiscard]] Arguments Parse(const Subcommand& command, std::span<const std::string> args) {
    Arguments parsed;
    for (const std::string& arg : args) {
        if (arg == ClearUnusedBits && command.takesClearUnusedBits) {
            parsed.clearUnusedBits = true;
        } else if (arg.starts_with("--")) {
            throw UsageError(std::string(command.name) + ": unknown option " + arg);
        } else {
            parsed.operands.push_back(arg);
        }
    }
    if (parsed.operands.size() != command.operands) {
        throw UsageError("usage: tintorb-cli " + std::string(command.usage));
    }
    return parsed;
}

}  // namespace

int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help") {
        ShowOverview(args.empty() ? err : out);
        return args.empty() ? Misused : Done;
    }
    const auto command = std::find_if(Subcommands.begin(), Subcommands.end(),
                                      [&](const Subcommand& c) { return c.name == args[0]; });
    if (command == Subcommands.end()) {
        err << "tintorb-cli: unknown command " << args[0] << " (try tintorb-cli --help)\n";
        return Misused;
    }
    const std::span<const std::string> rest = args.subspan(1);
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        ShowHelp(*command, out);
        return Done;
    }
    try {
        return command->run(Parse(*command, rest), out);
    } catch (const UsageError& e) {
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
