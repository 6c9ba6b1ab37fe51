// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which handler of the form each control event, command and shortcut runs, written down once. The Qt
// window and the in-memory controls both wire themselves from these tables, so a test through the
// in-memory controls runs the same wiring as the window.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Controls.h"
#include "app/Generic.h"
#include "app/Layout.h"
#include "app/MouseRouter.h"

namespace tintorb {

enum class Command {
    Load,
    Save,
    SaveAs,
    ImportPalette,
    ExportPalette,
    CreatePatch,
    CreatePatchFromOriginal,
    ApplyPatch,
    Quit,
    Undo,
    Redo,
    Copy,
    Paste,
    Gradient,
    Swap,
    Reverse,
    FindPalettes,
    NamePalette,
    ShowInvalid,
    Tiles,
    KeyboardShortcuts,
    About,
    Reload,
    Colour,
    ListingToPalette,
};

// The menu bar's menus, in their order on the bar.
enum class Menu { None, File, Edit, Palette, View, Help };

inline constexpr std::array<std::string_view, 6> MenuTitles{"",         "&File", "&Edit",
                                                            "&Palette", "&View", "&Help"};

struct CommandEntry {
    Command id;
    // The button (or check box) that runs it, if it has one.
    std::optional<Ctl> control;
    void (TForm1::*run)();
    // Key sequences in the portable form "Ctrl+Shift+Z"; empty where there is none.
    std::array<std::string_view, 2> shortcuts{};
    // The menu that lists it, in table order; "&" marks the item's access key.
    Menu menu = Menu::None;
    std::string_view text;
    // A separator goes above the item.
    bool startsGroup = false;
};

// Table order is menu order. The range commands keep their hands off Ctrl+C and Ctrl+V, which the text
// boxes need for their own copy and paste.
inline constexpr std::array<CommandEntry, 25> CommandTable{{
    {Command::Load, Ctl::btnLoad, &TForm1::btnLoadClick, {"Ctrl+O"}, Menu::File, "&Open…"},
    {Command::Save, Ctl::btnSave, &TForm1::btnSaveClick, {"Ctrl+S"}, Menu::File, "&Save", true},
    {Command::SaveAs, Ctl::btnSaveAs, &TForm1::btnSaveAsClick, {"Ctrl+Shift+S"}, Menu::File, "Save &As…"},
    {Command::ImportPalette,
     std::nullopt,
     &TForm1::ImportPaletteClick,
     {},
     Menu::File,
     "&Import Palette…",
     true},
    {Command::ExportPalette, std::nullopt, &TForm1::ExportPaletteClick, {}, Menu::File, "&Export Palette…"},
    {Command::CreatePatch, std::nullopt, &TForm1::CreatePatchClick, {}, Menu::File, "Create &Patch…", true},
    {Command::CreatePatchFromOriginal,
     std::nullopt,
     &TForm1::CreatePatchFromOriginalClick,
     {},
     Menu::File,
     "Create Patch from Another Ori&ginal…"},
    {Command::ApplyPatch, std::nullopt, &TForm1::ApplyPatchClick, {}, Menu::File, "App&ly Patch…"},
    {Command::Quit, std::nullopt, &TForm1::Quit, {"Ctrl+Q"}, Menu::File, "&Quit", true},
    {Command::Undo, std::nullopt, &TForm1::Undo, {"Ctrl+Z"}, Menu::Edit, "&Undo"},
    {Command::Redo, std::nullopt, &TForm1::Redo, {"Ctrl+Shift+Z", "Ctrl+Y"}, Menu::Edit, "&Redo"},
    {Command::Copy, Ctl::btnCopy, &TForm1::btnCopyClick, {"Ctrl+Shift+C"}, Menu::Edit, "&Copy Entries", true},
    {Command::Paste, Ctl::btnPaste, &TForm1::btnPasteClick, {"Ctrl+Shift+V"}, Menu::Edit, "&Paste Entries"},
    {Command::Gradient, Ctl::btnGradient, &TForm1::btnGradientClick, {"Ctrl+G"}, Menu::Edit, "&Gradient"},
    {Command::Swap, Ctl::btnSwap, &TForm1::btnSwapClick, {"Ctrl+Shift+X"}, Menu::Edit, "S&wap"},
    {Command::Reverse, Ctl::btnReverse, &TForm1::btnReverseClick, {"Ctrl+Shift+R"}, Menu::Edit, "Re&verse"},
    {Command::FindPalettes,
     std::nullopt,
     &TForm1::FindPalettesClick,
     {"Ctrl+F"},
     Menu::Palette,
     "&Find Palettes…"},
    {Command::NamePalette,
     std::nullopt,
     &TForm1::NamePaletteClick,
     {"Ctrl+D"},
     Menu::Palette,
     "&Name This Palette…"},
    {Command::ShowInvalid,
     Ctl::chkInvalid,
     &TForm1::chkInvalidClick,
     {},
     Menu::View,
     "Show &Invalid Palettes"},
    {Command::Tiles, std::nullopt, &TForm1::TilesClick, {"Ctrl+T"}, Menu::View, "&Tiles…", true},
    {Command::KeyboardShortcuts,
     std::nullopt,
     &TForm1::ShowKeyboardShortcuts,
     {"F1"},
     Menu::Help,
     "&Keyboard Shortcuts"},
    {Command::About, std::nullopt, &TForm1::ShowAbout, {}, Menu::Help, "&About Tintorb"},
    {Command::Reload, Ctl::btnReload, &TForm1::btnReloadClick, {}, Menu::None, "Load Palette at Address"},
    {Command::Colour, Ctl::btnColour, &TForm1::btnColourClick, {}, Menu::None, "Advanced Colour…"},
    {Command::ListingToPalette,
     Ctl::btnASM,
     &TForm1::btnASMClick,
     {},
     Menu::None,
     "Update Palette from Listing"},
}};

[[nodiscard]] constexpr const CommandEntry& CommandOf(Command id) {
    return CommandTable[static_cast<std::size_t>(id)];
}

// The command a button or check box runs when clicked.
[[nodiscard]] constexpr std::optional<Command> CommandOfControl(Ctl c) {
    for (const CommandEntry& entry : CommandTable) {
        if (entry.control == c) {
            return entry.id;
        }
    }
    return std::nullopt;
}

// What a command's key pressed in a text box is for. The undo keys undo the box's own typing while it has
// some, and the document after that; the palette commands' keys, which a box may know as its own (some
// desktops delete with Ctrl+D), are meant for the window wherever the focus is; every other key is the box's.
enum class KeyInBox { Box, BoxUndoFirst, Window };
[[nodiscard]] constexpr KeyInBox KeyInBoxOf(std::optional<Command> command) {
    if (command == Command::Undo || command == Command::Redo) {
        return KeyInBox::BoxUndoFirst;
    }
    if (command == Command::FindPalettes || command == Command::NamePalette) {
        return KeyInBox::Window;
    }
    return KeyInBox::Box;
}

// Whether running the command now could do anything; its menu item and shortcut are disabled otherwise.
[[nodiscard]] bool CommandAvailable(const TForm1& form, Command command);

// Handlers of a control whose text or position changed.
struct ChangeWiring {
    Ctl control;
    void (TForm1::*run)();
};

inline constexpr std::array<ChangeWiring, 4> ChangeTable{{
    {Ctl::editAddress, &TForm1::editAddressChange},
    {Ctl::editLength, &TForm1::editLengthChange},
    {Ctl::menuLength, &TForm1::menuLengthChange},
    {Ctl::barBrowser, &TForm1::barBrowserChange},
}};

// Handlers that see each typed character first and may drop it.
struct KeyWiring {
    Ctl control;
    void (TForm1::*run)(char32_t&);
};

inline constexpr std::array<KeyWiring, 2> KeyTable{{
    {Ctl::editAddress, &TForm1::editAddressKeyPress},
    {Ctl::editLength, &TForm1::editLengthKeyPress},
}};

// Handlers of the mouse over an area (and over the bit view, which is a control of its own).
struct MouseWiring {
    Ctl area;
    MouseAction action;
    void (*run)(TForm1&, MouseButton, int, int);
    // How the Keyboard Shortcuts dialog tells the user about it; not listed when empty.
    std::string_view gesture;
    std::string_view effect;
};

inline constexpr std::array<MouseWiring, 7> MouseTable{{
    {Ctl::areaPal, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaPalMouseDown(b, x, y); },
     "Left press on a palette entry", "Select it; release on another entry to select the run between"},
    {Ctl::areaPal, MouseAction::Up, [](TForm1& f, MouseButton b, int x, int y) { f.areaPalMouseUp(b, x, y); },
     "Right click on a palette entry", "Extend the selection to that entry"},
    {Ctl::areaRGB, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaRGBMouseDown(b, x, y); }, "Click on a level swatch",
     "Set that red, green or blue level of the selected entry"},
    {Ctl::areaBrowser, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaBrowserMouseDown(b, x, y); },
     "Click on a browser cell", "Locate a palette at that word"},
    {Ctl::areaBrowser, MouseAction::Move,
     [](TForm1& f, MouseButton, int x, int y) { f.areaBrowserMouseMove(x, y); }, "Pointer over the browser",
     "Show the offset of the word under it"},
    {Ctl::areaBrowserOut, MouseAction::Move,
     [](TForm1& f, MouseButton, int x, int y) { f.areaBrowserOutMouseMove(x, y); }, "", ""},
    {Ctl::editBits, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.editBitsMouseDown(b, x, y); }, "Click on a bit",
     "Toggle that bit of the selected entry"},
}};

// Keys and gestures that run no command of the table, as the Keyboard Shortcuts dialog lists them after it.
struct Gesture {
    std::string_view gesture;
    std::string_view effect;
};

inline constexpr std::array<Gesture, 4> OtherGestures{{
    // Every press of a double click reaches its handler, so a double click does what two clicks do.
    {"Double click", "Two clicks: a bit toggles and toggles back, elsewhere it acts as one click"},
    {"Enter in the address or length box", "Show the palette there, as Load does"},
    {"Ctrl+A in the address or length box", "Select the box's text"},
    {"Wheel over the browser", "Scroll three rows a notch, as the scroll bar does"},
}};

// One line of Help > Keyboard Shortcuts: a command's keys (as the table writes them, for the window to show
// in its platform's way) or a mouse gesture, and what it does. Read from the same tables that wire them, so
// the list cannot disagree with what the keys do.
struct ShortcutLine {
    std::vector<std::string_view> keys;
    std::string_view gesture;
    std::string does;
};
[[nodiscard]] std::vector<ShortcutLine> ShortcutLines();

// Runs the form's handler for a change, a key, a mouse event or a command, if the tables name one.
void RunChange(TForm1& form, Ctl control);
void RunKey(TForm1& form, Ctl control, char32_t& key);
void RunMouse(TForm1& form, const RoutedMouse& event);
// The wheel turned by angleDelta (120 a notch, positive away from the user) over the area at the client
// point (x, y).
void RunWheel(TForm1& form, int x, int y, int angleDelta);
void RunCommand(TForm1& form, Command command);

}  // namespace tintorb
