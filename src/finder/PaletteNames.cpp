#include "finder/PaletteNames.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <variant>

#include "formats/TextLines.h"
#include "model/EditorState.h"
#include "model/FileImage.h"
#include "model/NumberText.h"

namespace tintorb {

namespace {

// No hand-written list of names comes near this; a larger file is not one, and is not read.
constexpr std::int64_t LargestSideFile = std::int64_t{16} << 20;

[[nodiscard]] bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// The first field of text (up to a space or tab), and the rest after the blanks that follow it.
[[nodiscard]] std::pair<std::string_view, std::string_view> SplitField(std::string_view text) {
    const auto end = std::find_if(text.begin(), text.end(), IsBlank);
    const auto rest = std::find_if_not(end, text.end(), IsBlank);
    return {{text.begin(), end}, {rest, text.end()}};
}

// The name on a line, or why there is none.
[[nodiscard]] std::variant<NamedPalette, std::string> ReadLine(std::string_view line) {
    const auto [addressField, afterAddress] = SplitField(line);
    const auto [lengthField, title] = SplitField(afterAddress);
    const std::optional<std::int32_t> address = ReadNumber(addressField);
    if (!address || *address < 0) {
        return codecs::Quoted(addressField) + " is no address";
    }
    const std::optional<std::int32_t> length = ReadNumber(lengthField);
    if (!length || *length < 1 || *length > MaxPalLength) {
        return codecs::Quoted(lengthField) + " is no length from 1 to 64";
    }
    if (title.empty()) {
        return std::string("the title is missing");
    }
    return NamedPalette{*address, *length, std::string(title)};
}

// A title as it can stand on a line: one line, no control characters, no blanks at either end.
[[nodiscard]] std::string CleanTitle(std::string_view title) {
    std::string clean(title);
    std::replace_if(
        clean.begin(), clean.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; },
        ' ');
    return std::string(codecs::Trimmed(clean));
}

[[nodiscard]] std::string LineOf(const NamedPalette& palette) {
    std::string line = AddressText(palette.address);
    line.append(1, ' ').append(std::to_string(palette.length)).append(1, ' ').append(palette.title);
    return line;
}

}  // namespace

PaletteNames PaletteNames::Parse(std::string_view text) {
    PaletteNames names;
    const std::vector<std::string_view> lines = codecs::TextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // Trailing blanks (and a CR left by an editor) are no part of a title.
        const std::string_view line = codecs::Trimmed(lines[i]);
        names.lines_.push_back({std::string(lines[i]), std::nullopt});
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        auto read = ReadLine(line);
        if (auto* reason = std::get_if<std::string>(&read)) {
            names.skipped_.push_back({i + 1, std::move(*reason)});
            continue;
        }
        names.lines_.back().name = names.names_.size();
        names.names_.push_back(std::get<NamedPalette>(std::move(read)));
    }
    return names;
}

std::optional<std::string> PaletteNames::TitleOf(std::int64_t address, std::int32_t length) const {
    for (const NamedPalette& palette : names_) {
        if (palette.address == address && palette.length == length) {
            return palette.title;
        }
    }
    return std::nullopt;
}

bool PaletteNames::Name(std::int64_t address, std::int32_t length, std::string_view title) {
    NamedPalette palette{address, length, CleanTitle(title)};
    if (palette.title.empty()) {
        return false;
    }
    const auto same = std::find_if(names_.begin(), names_.end(), [&](const NamedPalette& p) {
        return p.address == address && p.length == length;
    });
    if (same != names_.end()) {
        *same = std::move(palette);
        const auto index = static_cast<std::size_t>(same - names_.begin());
        for (Line& line : lines_) {
            if (line.name == index) {
                line.text = LineOf(*same);
            }
        }
        return true;
    }
    lines_.push_back({LineOf(palette), names_.size()});
    names_.push_back(std::move(palette));
    return true;
}

std::string PaletteNames::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.text;
        text += '\n';
    }
    return text;
}

std::string SideFilePath(const std::string& filePath) {
    return filePath + ".palettes";
}

PaletteNames ReadPaletteNames(const std::string& filePath) {
    const std::string path = SideFilePath(filePath);
    std::error_code error;
    if (!std::filesystem::exists(path, error) && !error) {
        // What a new side file starts with, for whoever reads or writes it next by hand.
        return PaletteNames::Parse("# Palettes of " + std::filesystem::path(filePath).filename().string() +
                                   ": address, length (1 to 64), title\n");
    }
    if (const std::optional<FileStamp> stamp = StampOf(path); stamp && stamp->size > LargestSideFile) {
        throw FileError("The file is too large to be a list of palette names");
    }
    FileBytes bytes;
    LoadFileData(bytes, path);
    return PaletteNames::Parse({reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

PaletteNames SavePaletteName(const std::string& filePath, const NamedPalette& palette) {
    PaletteNames names = ReadPaletteNames(filePath);
    if (!names.Name(palette.address, palette.length, palette.title)) {
        throw FileError("A palette's name cannot be empty");
    }
    const std::string text = names.Text();
    SaveFileData({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, SideFilePath(filePath));
    return names;
}

}  // namespace tintorb
