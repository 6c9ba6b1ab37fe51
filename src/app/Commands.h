#pragma once

// Which handler of the form each control event, command and shortcut runs, written down once. The Qt
// window and the in-memory controls both wire themselves from these tables, so a test through the
// in-memory controls runs the same wiring as the window.

#include <array>
#include <optional>
#include <string_view>

#include "app/Controls.h"
#include "app/Generic.h"
#include "app/Layout.h"
#include "app/MouseRouter.h"

namespace tintorb {

enum class Command {
    Copy,
    Paste,
    Gradient,
    Load,
    Save,
    SaveAs,
    Reload,
    Colour,
    Swap,
    Reverse,
    ListingToPalette,
    ShowInvalid,
    Undo,
    Redo,
    ImportPalette,
    ExportPalette,
};

struct CommandEntry {
    Command id;
    // The button (or check box) that runs it, if it has one.
    std::optional<Ctl> control;
    void (TForm1::*run)();
    // Key sequences in the portable form "Ctrl+Shift+Z"; empty where there is none.
    std::array<std::string_view, 2> shortcuts{};
};

inline constexpr std::array<CommandEntry, 16> CommandTable{{
    {Command::Copy, Ctl::btnCopy, &TForm1::btnCopyClick},
    {Command::Paste, Ctl::btnPaste, &TForm1::btnPasteClick},
    {Command::Gradient, Ctl::btnGradient, &TForm1::btnGradientClick},
    {Command::Load, Ctl::btnLoad, &TForm1::btnLoadClick},
    {Command::Save, Ctl::btnSave, &TForm1::btnSaveClick},
    {Command::SaveAs, Ctl::btnSaveAs, &TForm1::btnSaveAsClick},
    {Command::Reload, Ctl::btnReload, &TForm1::btnReloadClick},
    {Command::Colour, Ctl::btnColour, &TForm1::btnColourClick},
    {Command::Swap, Ctl::btnSwap, &TForm1::btnSwapClick},
    {Command::Reverse, Ctl::btnReverse, &TForm1::btnReverseClick},
    {Command::ListingToPalette, Ctl::btnASM, &TForm1::btnASMClick},
    {Command::ShowInvalid, Ctl::chkInvalid, &TForm1::chkInvalidClick},
    {Command::Undo, std::nullopt, &TForm1::Undo, {"Ctrl+Z"}},
    {Command::Redo, std::nullopt, &TForm1::Redo, {"Ctrl+Shift+Z", "Ctrl+Y"}},
    // File menu: "Import Palette..." and "Export Palette...".
    {Command::ImportPalette, std::nullopt, &TForm1::ImportPaletteClick},
    {Command::ExportPalette, std::nullopt, &TForm1::ExportPaletteClick},
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

// Whether the command could do anything now; a menu item shows it as enabled or not.
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
};

inline constexpr std::array<MouseWiring, 7> MouseTable{{
    {Ctl::areaPal, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaPalMouseDown(b, x, y); }},
    {Ctl::areaPal, MouseAction::Up,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaPalMouseUp(b, x, y); }},
    {Ctl::areaRGB, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaRGBMouseDown(b, x, y); }},
    {Ctl::areaBrowser, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.areaBrowserMouseDown(b, x, y); }},
    {Ctl::areaBrowser, MouseAction::Move,
     [](TForm1& f, MouseButton, int x, int y) { f.areaBrowserMouseMove(x, y); }},
    {Ctl::areaBrowserOut, MouseAction::Move,
     [](TForm1& f, MouseButton, int x, int y) { f.areaBrowserOutMouseMove(x, y); }},
    {Ctl::editBits, MouseAction::Down,
     [](TForm1& f, MouseButton b, int x, int y) { f.editBitsMouseDown(b, x, y); }},
}};

// Runs the form's handler for a change, a key, a mouse event or a command, if the tables name one.
void RunChange(TForm1& form, Ctl control);
void RunKey(TForm1& form, Ctl control, char32_t& key);
void RunMouse(TForm1& form, const RoutedMouse& event);
void RunCommand(TForm1& form, Command command);

}  // namespace tintorb
