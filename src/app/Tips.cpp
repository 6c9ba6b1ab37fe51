// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Tips.h"

#include <array>

namespace tintorb {

namespace {

// In the command table's order.
constexpr std::array<std::string_view, CommandTable.size()> CommandTips{{
    "Open a file or ROM image to look for palettes in",
    "Write the edited image back over the loaded file",
    "Write the edited image to another file",
    "Read colours from a palette file into the palette, from the selected entry on",
    "Write the palette, or its selected entries, to a palette file",
    "Write the changes since the last load or save as an IPS or BPS patch",
    "Write the differences from another original file as an IPS or BPS patch",
    "Apply an IPS or BPS patch to the image, as one step that can be undone",
    "Close the window, asking about unsaved changes first",
    "Undo the last change to the image",
    "Redo the change just undone",
    "Copy the selected entries, also as listing text for other programs",
    "Paste the copied entries over the palette from the selected entry on",
    "Fill the selected entries with a gradient between the first and the last",
    "Swap the first and the last of the selected entries",
    "Reverse the order of the selected entries",
    "Find runs of colour words in the file, or places with given colours",
    "Give the palette shown a name, kept beside the file",
    "Show words that are no colour words in the browser too",
    "Draw any part of the file as tiles in this palette",
    "List every key and mouse gesture the window answers",
    "Show the program's version and licence",
    "Show the palette at the typed address",
    "Choose the selected entry's colour in the colour dialog",
    "Write the listing's values into the palette's entries",
}};

[[nodiscard]] std::string_view ControlTip(Ctl c) {
    switch (c) {
        case Ctl::menuLength:
            return "Length of the palette: Auto finds the run of colour words, Other takes a typed length";
        case Ctl::editLength:
            return "Number of entries, at most 64; Enter shows the palette";
        case Ctl::editAddress:
            return "Address of the palette in the file, decimal or $hexadecimal; Enter shows the palette";
        case Ctl::memoASM:
            return "The palette as assembler listing; edit it, then update the palette from it";
        case Ctl::editBits:
            return "The selected entry's 16 bits; click a bit to toggle it";
        case Ctl::barBrowser:
            return "Scroll through the file; the wheel over the browser scrolls too";
        default:
            return {};
    }
}

}  // namespace

std::string_view CommandTip(Command id) {
    return CommandTips[static_cast<std::size_t>(id)];
}

std::string ToolTipOf(Ctl c) {
    const std::optional<Command> command = CommandOfControl(c);
    if (!command) {
        return std::string(ControlTip(c));
    }
    std::string tip(CommandTip(*command));
    if (const std::string_view shortcut = CommandOf(*command).shortcuts[0]; !shortcut.empty()) {
        tip += " (" + std::string(shortcut) + ")";
    }
    return tip;
}

}  // namespace tintorb
