// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TilesCommand.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <vector>

#include "cli/Reporting.h"
#include "model/ColourWord.h"
#include "model/EditorState.h"
#include "model/FileImage.h"
#include "model/NumberText.h"
#include "tiles/TileExport.h"

namespace tintorb::cli {

namespace {

constexpr std::string_view Help =
    "Draws COUNT tiles of 8 x 8 pixels from ADDR in FILE, decoded by the codec NAME, in the colours of the\n"
    "palette at PALADDR in the same file, and writes them to OUT.png as an indexed image whose colour table\n"
    "is the palette line's colours (grey where the palette has no entry).\n"
    "\n"
    "  --codec NAME      1bpp, 2bpp-planar, 4bpp-packed, 4bpp-packed-low, 4bpp-planar or 8bpp\n"
    "  --columns N       tiles across, 1 to 64 (16)\n"
    "  --order ORDER     rows, or blocks:WxH for blocks of W x H tiles (1 to 4 each) whose tiles run down\n"
    "                    each column first (rows)\n"
    "  --palette PALADDR where the palette starts; read as ADDR is\n"
    "  --length LEN      entries in the palette, 1 to 64 or auto (auto)\n"
    "  --line K          which group of 2^bpp entries colours the tiles (0)\n"
    "  --zoom Z          each pixel Z x Z, 1 to 8 (1)\n"
    "\n"
    "ADDR and PALADDR are read as the address box reads them: $1F40 is hexadecimal, 8000 decimal. COUNT is\n"
    "cut where FILE ends. FILE is never changed.\n";

struct TilesArguments {
    std::vector<std::string> operands;
    std::optional<std::string> codec, columns, order, palette, length, line, zoom, output;
};

using Field = std::optional<std::string> TilesArguments::*;

constexpr std::array<std::pair<std::string_view, Field>, 8> Options{{
    {"--codec", &TilesArguments::codec},
    {"--columns", &TilesArguments::columns},
    {"--order", &TilesArguments::order},
    {"--palette", &TilesArguments::palette},
    {"--length", &TilesArguments::length},
    {"--line", &TilesArguments::line},
    {"--zoom", &TilesArguments::zoom},
    {"-o", &TilesArguments::output},
}};

// On one line, as every error is.
[[noreturn]] void Usage() {
    throw Misuse(
        "usage: tintorb-cli tiles FILE ADDR COUNT --codec NAME --palette PALADDR [OPTIONS] -o OUT.png (see "
        "tintorb-cli tiles --help)");
}

[[nodiscard]] TilesArguments Parse(std::span<const std::string> args) {
    TilesArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const auto option =
            std::find_if(Options.begin(), Options.end(), [&](const auto& o) { return o.first == args[i]; });
        if (option == Options.end()) {
            if (args[i].starts_with("--")) {
                throw Misuse("tiles: unknown option " + args[i]);
            }
            parsed.operands.push_back(args[i]);
        } else if (i + 1 < args.size()) {
            // A later value wins, so that a script can add to a command line it was given.
            parsed.*option->second = args[++i];
        } else {
            Usage();
        }
    }
    if (parsed.operands.size() != 3 || !parsed.codec || !parsed.palette || !parsed.output) {
        Usage();
    }
    return parsed;
}

// A number from low to high, or a Misuse that names what it is.
[[nodiscard]] int NumberIn(const std::optional<std::string>& text, int fallback, int low, int high,
                           std::string_view what) {
    if (!text) {
        return fallback;
    }
    const std::optional<std::int32_t> n = ReadNumber(*text);
    if (!n || *n < low || *n > high) {
        throw Misuse(std::string(what) + " \"" + *text + "\" is no number from " + std::to_string(low) +
                     " to " + std::to_string(high));
    }
    return *n;
}

// "rows", or "blocks:WxH" with sides of 1 to 4.
void ReadOrder(const std::optional<std::string>& text, TileLayout& layout) {
    if (!text || *text == "rows") {
        return;
    }
    const auto side = [](char c) { return c >= '1' && c <= '0' + MaxBlockSide ? c - '0' : 0; };
    if (text->size() == 10 && text->starts_with("blocks:") && (*text)[8] == 'x' && side((*text)[7]) &&
        side((*text)[9])) {
        layout.blockWidth = side((*text)[7]);
        layout.blockHeight = side((*text)[9]);
        return;
    }
    throw Misuse("--order \"" + *text + "\" is neither rows nor blocks:WxH with W and H from 1 to 4");
}

[[nodiscard]] std::int64_t AddressIn(const std::string& text, std::string_view what) {
    const std::optional<std::int32_t> address = ReadNumber(text);
    if (!address || *address < 0) {
        throw Misuse(std::string(what) + " \"" + text + "\" is no address");
    }
    return *address;
}

// The palette's entries from PALADDR: LEN of them, or the run of valid colour words.
[[nodiscard]] std::vector<ColourWord> PaletteOf(EditorState& state, const TilesArguments& args,
                                                const std::string& file) {
    state.PalAddress = static_cast<std::int32_t>(AddressIn(*args.palette, "PALADDR"));
    const std::int64_t words = WholeWordsFrom(state.PalAddress, state.FileData.size());
    if (words < 1) {
        throw Misuse(file + ": no palette at " + *args.palette + " in its " +
                     std::to_string(state.FileData.size()) + " bytes");
    }
    const int length = args.length == "auto" ? 0 : NumberIn(args.length, 0, 1, MaxPalLength, "--length");
    state.PalLength = static_cast<std::int32_t>(
        std::min<std::int64_t>(length != 0 ? length : ValidRunLength(state), words));
    return WordsAt(state.FileData, state.PalAddress, state.PalLength);
}

void Tiles(std::span<const std::string> rest, std::ostream& out) {
    const TilesArguments args = Parse(rest);
    const std::string& file = args.operands[0];
    TileRun run;
    run.codec = FindTileCodec(*args.codec);
    if (run.codec == nullptr) {
        throw Misuse("--codec \"" + *args.codec + "\" is no codec (try tintorb-cli tiles --help)");
    }
    run.layout.columns = NumberIn(args.columns, run.layout.columns, 1, MaxTileColumns, "--columns");
    ReadOrder(args.order, run.layout);
    const int lines = std::max(1, MaxPalLength >> run.codec->bitsPerPixel);
    const int line = NumberIn(args.line, 0, 0, lines - 1, "--line");
    const int zoom = NumberIn(args.zoom, 1, 1, 8, "--zoom");
    const std::int32_t count =
        NumberIn(args.operands[2], 0, 1, std::numeric_limits<std::int32_t>::max(), "COUNT");
    run.start = AddressIn(args.operands[1], "ADDR");

    EditorState state;
    const FileBytes& bytes = state.FileData;
    try {
        (void)LoadFileData(state.FileData, file);
    } catch (const FileError& e) {
        throw FileError(file + ": " + e.what());
    }
    const std::int64_t tiles = std::min<std::int64_t>(count, run.Count(bytes.size()));
    if (tiles < 1) {
        throw Misuse(file + ": no whole " + *args.codec + " tile at " + args.operands[1] + " in its " +
                     std::to_string(bytes.size()) + " bytes");
    }
    RefuseToReplace(file, "OUT.png", *args.output);
    const std::vector<ColourWord> palette = PaletteOf(state, args, file);
    const std::vector<std::uint8_t> png =
        EncodeTilesPng(bytes, run, tiles, LineColours(palette, run.codec->bitsPerPixel, line), zoom);
    try {
        SaveFileData(png, *args.output);
    } catch (const FileError& e) {
        throw FileError(*args.output + ": " + e.what());
    }
    out << tiles << (tiles == 1 ? " tile" : " tiles") << " written\n";
}

}  // namespace

bool IsTilesCommand(std::string_view name) {
    return name == "tiles";
}

int RunTilesCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
        out << "Usage: tintorb-cli " << TilesUsage << "\n\n" << Help;
        return Done;
    }
    return Reporting(err, [&] { Tiles(args, out); });
}

}  // namespace tintorb::cli
