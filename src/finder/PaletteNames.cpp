// SPDX-License-Identifier: GPL-3.0-or-later
#include "finder/PaletteNames.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

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

// Reads the name on a line into palette, or says why there is none.
[[nodiscard]] std::optional<std::string> ReadLine(std::string_view line, NamedPalette& palette) {
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
    palette.address = *address;
    palette.length = *length;
    palette.title = title;
    return std::nullopt;
}

// The breaks a line may end with; the first is none, for a last line without one.
constexpr std::array<std::string_view, 4> LineBreaks{"", "\n", "\r\n", "\r"};
constexpr std::uint8_t NoBreak = 0;

[[nodiscard]] std::uint8_t BreakOf(std::string_view end) {
    if (end.empty()) {
        return NoBreak;
    }
    return end.size() == 2 ? 2 : end.front() == '\n' ? 1 : 3;
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
    return Parse(std::string(text));
}

PaletteNames PaletteNames::Parse(std::string text) {
    PaletteNames names;
    names.byteOrderMark_ = text.starts_with(codecs::ByteOrderMark);
    if (names.byteOrderMark_) {
        // A second mark belongs to the first line, which then reads as no name, and is kept with it.
        text.erase(0, codecs::ByteOrderMark.size());
    }
    names.text_ = std::move(text);
    // Room for every line at once: a shared side file may hold hundreds of thousands.
    const auto breaks = static_cast<std::size_t>(std::count(names.text_.begin(), names.text_.end(), '\n'));
    names.lines_.reserve(breaks + 1);
    names.names_.reserve(breaks + 1);
    names.lineOfName_.reserve(breaks + 1);
    codecs::ForEachTextLine(names.text_, [&](const codecs::TextLine& whole) {
        const std::size_t number = names.lines_.size() + 1;
        names.lines_.push_back({static_cast<std::uint64_t>(whole.text.data() - names.text_.data()),
                                static_cast<std::uint32_t>(whole.text.size()), BreakOf(whole.end)});
        // Trailing blanks are no part of a title.
        const std::string_view line = codecs::Trimmed(whole.text);
        if (line.empty() || line.starts_with('#')) {
            return;
        }
        NamedPalette& palette = names.names_.emplace_back();
        if (std::optional<std::string> reason = ReadLine(line, palette)) {
            names.names_.pop_back();
            names.skipped_.push_back({number, std::move(*reason)});
            return;
        }
        names.lineOfName_.push_back(static_cast<std::uint32_t>(number - 1));
    });
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
    const std::string text = LineOf(palette);
    if (same != names_.end()) {
        *same = std::move(palette);
        // The renamed line keeps its place and its line break; its old text stays unused in text_.
        Line& line = lines_[lineOfName_[static_cast<std::size_t>(same - names_.begin())]];
        line.begin = text_.size();
        line.size = static_cast<std::uint32_t>(text.size());
        text_ += text;
        return true;
    }
    if (!lines_.empty() && lines_.back().end == NoBreak) {
        lines_.back().end = DefaultEnd();
    }
    lineOfName_.push_back(static_cast<std::uint32_t>(lines_.size()));
    names_.push_back(std::move(palette));
    AddLine(text, DefaultEnd());
    return true;
}

void PaletteNames::AddLine(std::string_view text, std::uint8_t end) {
    lines_.push_back({text_.size(), static_cast<std::uint32_t>(text.size()), end});
    text_ += text;
}

// Added lines break as the file's last line does, so that a file kept with CRLF stays so.
std::uint8_t PaletteNames::DefaultEnd() const {
    for (auto line = lines_.rbegin(); line != lines_.rend(); ++line) {
        if (line->end != NoBreak) {
            return line->end;
        }
    }
    return BreakOf("\n");
}

std::string PaletteNames::Text() const {
    std::string text(byteOrderMark_ ? codecs::ByteOrderMark : std::string_view{});
    text.reserve(text_.size() + text.size());
    for (const Line& line : lines_) {
        text.append(text_, line.begin, line.size).append(LineBreaks[line.end]);
    }
    return text;
}

std::vector<NamedPalette> NearestNames(std::span<const NamedPalette> names, std::optional<std::int64_t> place,
                                       std::size_t count) {
    std::vector<NamedPalette> nearest(names.begin(), names.begin() + std::min(count, names.size()));
    if (place && count < names.size()) {
        std::vector<const NamedPalette*> all;
        all.reserve(names.size());
        for (const NamedPalette& named : names) {
            all.push_back(&named);
        }
        const auto distance = [&](const NamedPalette* p) {
            return p->address > *place ? p->address - *place : *place - p->address;
        };
        std::nth_element(
            all.begin(), all.begin() + static_cast<std::ptrdiff_t>(count), all.end(),
            [&](const NamedPalette* a, const NamedPalette* b) {
                return std::pair{distance(a), a - names.data()} < std::pair{distance(b), b - names.data()};
            });
        for (std::size_t i = 0; i < count; ++i) {
            nearest[i] = *all[i];
        }
    }
    std::stable_sort(nearest.begin(), nearest.end(),
                     [](const NamedPalette& a, const NamedPalette& b) { return a.address < b.address; });
    return nearest;
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
    return PaletteNames::Parse(LoadFileText(path));
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
