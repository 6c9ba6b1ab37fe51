// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Cli.h"

#include "cli/Json.h"
#include "cli/PatchCommands.h"
#include "cli/Reporting.h"
#include "cli/TilesCommand.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string_view>
#include <vector>

#include "finder/ColourSearch.h"
#include "finder/PaletteScan.h"
#include "finder/SearchQuery.h"
#include "formats/Listing.h"
#include "formats/PaletteFile.h"
#include "model/Document.h"
#include "model/FileImage.h"
#include "model/NumberText.h"
#include "model/PaletteWords.h"

namespace tintorb::cli {

namespace {

// The options a command may take.
enum Option : unsigned { NoOptions = 0, ClearUnusedBitsOption = 1, MinOption = 2, JsonOption = 4 };

constexpr std::string_view ClearUnusedBits = "--clear-unused-bits";
constexpr std::string_view Min = "--min";
constexpr std::string_view Json = "--json";

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

struct Arguments {
    std::vector<std::string> operands;
    bool clearUnusedBits = false;
    int minRun = DefaultMinRun;
    bool json = false;
};

struct Subcommand {
    std::string_view name;
    std::string_view usage;
    std::string_view help;
    std::size_t operands;
    unsigned options;
    void (*run)(const Arguments& args, Streams streams);
};

// What every help ends with; the extensions are the format table's.
[[nodiscard]] std::string Overview() {
    std::string text =
        "Reads and writes palettes of 16-bit colour words (0000 BBB0 GGG0 RRR0) in any binary file.\n"
        "\n"
        "ADDR is read as the address box reads it: $1F40 is hexadecimal, 8000 decimal.\n"
        "LEN is 1 to 64, or auto: the run of valid colour words from ADDR.\n"
        "A palette file's format follows its extension:";
    for (const PaletteFormatInfo& format : PaletteFormats) {
        text += " .";
        text += format.extension;
    }
    return text + '\n';
}

// Runs a file operation; a failure names the file, or the text, that it failed on.
template <class Operation>
auto Naming(const std::string& name, Operation&& operation) {
    try {
        return operation();
    } catch (const FileError& e) {
        throw FileError(name + ": " + e.what());
    }
}

// A file's bytes, or a FileError that names it.
[[nodiscard]] FileBytes ReadWhole(const std::string& file) {
    FileBytes bytes;
    Naming(file, [&] { return LoadFileData(bytes, file); });
    return bytes;
}

// FILE read whole as the document, with the palette at ADDR: the address must hold at least one whole word.
[[nodiscard]] Document OpenPalette(const Arguments& args) {
    const std::string& file = args.operands[0];
    const std::string& addressText = args.operands[1];
    Document document;
    Naming(file, [&] { document.Load(file); });
    const EditorState& state = document.State();
    const std::optional<std::int32_t> address = ReadNumber(addressText);
    if (!address) {
        throw Misuse("ADDR \"" + addressText + "\" is no number");
    }
    if (WholeWordsFrom(*address, state.FileData.size()) < 1) {
        throw FileError(file + ": no colour word at " + addressText + " in its " +
                        std::to_string(state.FileData.size()) + " bytes");
    }
    document.Locate({*address, 0, 0, 0});
    return document;
}

// LEN entries from the palette's address, cut at the end of the data.
void SetLength(Document& document, const std::string& lengthText) {
    const EditorState& state = document.State();
    int length = 0;
    if (lengthText == "auto") {
        length = ValidRunLength(state);
    } else if (const std::optional<std::int32_t> n = ReadNumber(lengthText);
               n && *n >= 1 && *n <= MaxPalLength) {
        length = *n;
    } else {
        throw Misuse("LEN \"" + lengthText + "\" is neither a number from 1 to 64 nor auto");
    }
    const auto cut = static_cast<std::int32_t>(
        std::min<std::int64_t>(length, WholeWordsFrom(state.PalAddress, state.FileData.size())));
    document.Locate({state.PalAddress, cut, 0, 0});
}

// The palette's entries; its length is already cut to the data.
[[nodiscard]] std::vector<ColourWord> Entries(const Document& document) {
    const EditorState& state = document.State();
    return WordsAt(state.FileData, state.PalAddress, state.PalLength);
}

// Writes the palette over up to a full palette's entries from ADDR, as one edit of the document, then
// saves the file in place.
void PutAndSave(Document& document, const ImportedPalette& palette, bool clearUnusedBits, std::ostream& out) {
    document.Locate({document.State().PalAddress, MaxPalLength, 0, 0});
    PaletteWords words(document.State());
    const ImportCount count = PutImported(palette, words, 0, words.Size(), clearUnusedBits);
    document.Apply(words.ToEdit());
    Naming(document.State().FileName, [&] { document.Save(); });
    out << ImportSummary(count) << '\n';
}

void RunExport(const Arguments& args, Streams) {
    Document document = OpenPalette(args);
    SetLength(document, args.operands[2]);
    const EditorState& state = document.State();
    const std::string& target = args.operands[3];
    RefuseToReplace(args.operands[0], "OUT", target);
    Naming(target, [&] {
        WritePaletteFile(target, Entries(document), PaletteTitle(state.FileName, state.PalAddress));
    });
}

void RunImport(const Arguments& args, Streams streams) {
    Document document = OpenPalette(args);
    const std::string& source = args.operands[2];
    PutAndSave(document, Naming(source, [&] { return ReadPaletteFile(source); }), args.clearUnusedBits,
               streams.out);
}

void RunListing(const Arguments& args, Streams streams) {
    Document document = OpenPalette(args);
    SetLength(document, args.operands[2]);
    for (const std::string& line : FormatListing(Entries(document))) {
        streams.out << line << '\n';
    }
}

void RunPatch(const Arguments& args, Streams streams) {
    Document document = OpenPalette(args);
    const std::string& listing = args.operands[2];
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(listing.data()), listing.size());
    PutAndSave(document, Naming("listing", [&] { return DecodePalette(PaletteFormat::Hex, bytes); }), false,
               streams.out);
}

// One line a hit, or with --json one JSON array of an object a hit, one a line; then a line on standard
// error if the worst hits were left out.
template <class Hit, class Line, class Object>
void PrintHits(const std::vector<Hit>& hits, bool cut, const Arguments& args, Streams streams, Line line,
               Object object) {
    if (args.json) {
        streams.out << '[';
        for (std::size_t i = 0; i < hits.size(); ++i) {
            streams.out << (i == 0 ? "" : ",\n ") << object(hits[i]).Written();
        }
        streams.out << "]\n";
    } else {
        for (const Hit& hit : hits) {
            line(hit);
            streams.out << '\n';
        }
    }
    if (cut) {
        streams.err << "tintorb-cli: only the best " << MaxHits << " hits are listed\n";
    }
}

void RunScan(const Arguments& args, Streams streams) {
    const FileBytes bytes = ReadWhole(args.operands[0]);
    const ScanResult result = ScanPalettes(bytes, args.minRun);
    std::ostream& out = streams.out;
    PrintHits(
        result.hits, result.cut, args, streams,
        [&](const ScanHit& hit) {
            out << AddressText(hit.address) << ' ' << hit.length << ' ' << ScoreText(hit.score);
        },
        [](const ScanHit& hit) {
            return JsonObject()
                .Number("address", hit.address)
                .Number("length", hit.length)
                .Number("score", ScoreText(hit.score));
        });
}

[[nodiscard]] std::vector<ColourWord> ReadQuery(const std::string& query, std::istream& in) {
    if (query != "-") {
        return Naming(query, [&] { return ReadQueryFile(query); });
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Naming("standard input", [&] { return ParseQueryText(text); });
}

void RunFind(const Arguments& args, Streams streams) {
    const std::vector<ColourWord> query = ReadQuery(args.operands[1], streams.in);
    if (query.empty()) {
        throw FormatError(args.operands[1] + ": no colours to look for");
    }
    const FileBytes bytes = ReadWhole(args.operands[0]);
    const SearchResult result = FindColours(bytes, query);
    std::ostream& out = streams.out;
    PrintHits(
        result.hits, result.cut, args, streams,
        [&](const SearchHit& hit) {
            out << AddressText(hit.address) << ' ' << hit.length << " entries " << hit.queryStart << '-'
                << hit.queryStart + hit.length - 1 << ' ' << MatchName(hit.match);
        },
        [](const SearchHit& hit) {
            return JsonObject()
                .Number("address", hit.address)
                .Number("length", hit.length)
                .Number("query_start", hit.queryStart)
                .Text("match", MatchName(hit.match));
        });
}

constexpr std::array<Subcommand, 6> Subcommands{{
    {"export", "export FILE ADDR LEN OUT",
     "Writes LEN entries of the palette at ADDR in FILE to the palette file OUT. Colour formats get each\n"
     "entry's colour as the editor shows it; .bin and .txt get the words as they are.\n",
     4, NoOptions, RunExport},
    {"import", "import FILE ADDR IN [--clear-unused-bits]",
     "Writes the colours of the palette file IN over the entries from ADDR in FILE, at most 64 and no\n"
     "further than the file's end, and saves FILE in place. Each colour goes to the nearest level of the\n"
     "hardware's ramp, and each entry keeps its unused bits (0xF111) unless --clear-unused-bits is given;\n"
     ".bin and .txt bring whole words. On any error FILE is left untouched.\n",
     3, ClearUnusedBitsOption, RunImport},
    {"listing", "listing FILE ADDR LEN",
     "Prints LEN entries of the palette at ADDR in FILE as assembler lines, dc.w $0EEE,...\n", 3, false,
     RunListing},
    {"patch", "patch FILE ADDR 'dc.w ...'",
     "Writes the words of the listing (dc.w lines, or one $XXXX a line) over the entries from ADDR in FILE\n"
     "and saves FILE in place. On any error FILE is left untouched.\n",
     3, NoOptions, RunPatch},
    {"scan", "scan FILE [--min N] [--json]",
     "Lists every run of at least N valid colour words in FILE (8 unless --min says otherwise, at most 64),\n"
     "at even and at odd offsets, one line each: its address, its length and how palette-like it looks\n"
     "(0 to 1), best first. A run longer than 64 is listed in pieces of 64; a stretch of one repeated word\n"
     "a palette line long stands alone. --json prints one JSON array of\n"
     "{\"address\": 8000, \"length\": 16, \"score\": 0.93}, addresses as byte offsets.\n",
     1, MinOption | JsonOption, RunScan},
    {"find", "find FILE QUERY [--json]",
     "Lists every place in FILE where the colours of QUERY lie: whole and exact, whole but for the unused\n"
     "bits (masked), or a part of at least 4 entries in a row, best first, one line each: its address, its\n"
     "length and which entries of QUERY it holds. QUERY is a palette file, a dump of colour memory\n"
     "(big-endian words, any other name), or - for a listing or $XXXX lines on standard input. --json\n"
     "prints one JSON array of\n"
     "{\"address\": 8000, \"length\": 8, \"query_start\": 0, \"match\": \"exact\"}.\n",
     2, JsonOption, RunFind},
}};

void ShowOverview(std::ostream& out) {
    out << "Usage: tintorb-cli COMMAND ARGUMENTS...\n\nCommands:\n";
    for (const Subcommand& command : Subcommands) {
        out << "  " << command.usage << '\n';
    }
    for (const PatchCommandHelp& command : PatchCommands) {
        out << "  " << command.usage << '\n';
    }
    out << "  " << TilesUsage << '\n';
    out << '\n' << Overview() << "\nEach command takes --help; tintorb-cli --version prints the version.\n";
}

void ShowHelp(const Subcommand& command, std::ostream& out) {
    out << "Usage: tintorb-cli " << command.usage << "\n\n" << command.help << '\n' << Overview();
}

// The run length after --min: a number from 1 to 64.
[[nodiscard]] int MinRunOf(std::span<const std::string> args, std::size_t i) {
    const std::optional<std::int32_t> n = i < args.size() ? ReadNumber(args[i]) : std::nullopt;
    if (!n || *n < 1 || *n > MaxPalLength) {
        throw Misuse("--min takes a number from 1 to 64");
    }
    return *n;
}

[[nodiscard]] Arguments Parse(const Subcommand& command, std::span<const std::string> args) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == ClearUnusedBits && (command.options & ClearUnusedBitsOption) != 0) {
            parsed.clearUnusedBits = true;
        } else if (arg == Json && (command.options & JsonOption) != 0) {
            parsed.json = true;
        } else if (arg == Min && (command.options & MinOption) != 0) {
            parsed.minRun = MinRunOf(args, ++i);
        } else if (arg.starts_with("--")) {
            throw Misuse(std::string(command.name) + ": unknown option " + arg);
        } else {
            parsed.operands.push_back(arg);
        }
    }
    if (parsed.operands.size() != command.operands) {
        throw Misuse("usage: tintorb-cli " + std::string(command.usage));
    }
    return parsed;
}

}  // namespace

int Run(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help") {
        ShowOverview(args.empty() ? err : out);
        return args.empty() ? Misused : Done;
    }
    if (args[0] == "--version") {
        out << "tintorb-cli " << TINTORB_VERSION << '\n';
        return Done;
    }
    if (IsPatchCommand(args[0])) {
        return RunPatchCommand(args, out, err);
    }
    if (IsTilesCommand(args[0])) {
        return RunTilesCommand(args.subspan(1), out, err);
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
    return Reporting(err, [&] { command->run(Parse(*command, rest), {in, out, err}); });
}

}  // namespace tintorb::cli
