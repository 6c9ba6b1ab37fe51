// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window's fixed layout, written down once: the Qt window builds its widgets from it and the drawing
// code takes its area rectangles from it.

#include <array>
#include <cstddef>
#include <string_view>

namespace tintorb {

// Every control of the window, in creation order (which is also the stacking order of the image, label
// and bevel controls: a later one lies above an earlier one).
enum class Ctl {
    imgMain,
    areaPal,
    areaRGB,
    lblLength,
    Bevel1,
    lblBrowser,
    lblBrowserMouse,
    areaBrowserOut,
    areaBrowser,
    Bevel2,
    chkInvalid,
    btnCopy,
    btnPaste,
    btnGradient,
    btnLoad,
    btnSave,
    btnSaveAs,
    menuLength,
    editAddress,
    memoASM,
    editLength,
    btnReload,
    btnColour,
    barBrowser,
    btnSwap,
    btnReverse,
    btnASM,
    editBits,
};

enum class ControlKind {
    Image,
    Area,
    Label,
    Bevel,
    CheckBox,
    PushButton,
    DropDown,
    Edit,
    Memo,
    ScrollBar,
    BitView
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    [[nodiscard]] constexpr bool Contains(int x, int y) const {
        return x >= left && x < left + width && y >= top && y < top + height;
    }
    friend constexpr bool operator==(Rect, Rect) = default;
};

struct ControlLayout {
    Ctl id;
    std::string_view name;
    ControlKind kind;
    Rect rect;
    std::string_view text;
    bool visible = true;
    bool enabled = true;
};

inline constexpr std::string_view WindowCaption = "Tintorb 2.1";
inline constexpr std::string_view ProgramVersion = "2.1";
static_assert(WindowCaption.ends_with(ProgramVersion));
inline constexpr std::string_view ProgramLicence = "Licence: GNU General Public License, version 3 or later.";
inline constexpr int ClientWidth = 953;
inline constexpr int ClientHeight = 657;
inline constexpr int WindowLeft = 192;
inline constexpr int WindowTop = 124;

inline constexpr std::array<ControlLayout, 28> Layout{{
    {Ctl::imgMain, "imgMain", ControlKind::Image, {0, 0, 57, 57}, ""},
    {Ctl::areaPal, "areaPal", ControlKind::Area, {8, 136, 400, 160}, ""},
    {Ctl::areaRGB, "areaRGB", ControlKind::Area, {8, 336, 240, 90}, ""},
    {Ctl::lblLength, "lblLength", ControlKind::Label, {192, 8, 33, 13}, "Length"},
    {Ctl::Bevel1, "Bevel1", ControlKind::Bevel, {8, 120, 401, 9}, ""},
    {Ctl::lblBrowser, "lblBrowser", ControlKind::Label, {416, 16, 58, 13}, "Top Left: $0"},
    {Ctl::lblBrowserMouse, "lblBrowserMouse", ControlKind::Label, {520, 16, 75, 13}, "Under Mouse: x"},
    {Ctl::areaBrowserOut, "areaBrowserOut", ControlKind::Area, {400, 8, 545, 561}, ""},
    {Ctl::areaBrowser, "areaBrowser", ControlKind::Area, {416, 32, 512, 512}, ""},
    {Ctl::Bevel2, "Bevel2", ControlKind::Bevel, {8, 456, 401, 9}, ""},
    {Ctl::chkInvalid, "chkInvalid", ControlKind::CheckBox, {816, 8, 129, 17}, "Show Invalid Palettes"},
    {Ctl::btnCopy, "btnCopy", ControlKind::PushButton, {8, 304, 73, 25}, "Copy"},
    {Ctl::btnPaste, "btnPaste", ControlKind::PushButton, {88, 304, 73, 25}, "Paste"},
    {Ctl::btnGradient, "btnGradient", ControlKind::PushButton, {168, 304, 73, 25}, "Gradient"},
    {Ctl::btnLoad, "btnLoad", ControlKind::PushButton, {8, 8, 169, 49}, "Load File or ROM"},
    {Ctl::btnSave, "btnSave", ControlKind::PushButton, {8, 64, 81, 49}, "Save Changes"},
    {Ctl::btnSaveAs, "btnSaveAs", ControlKind::PushButton, {96, 64, 81, 49}, "Save File As..."},
    {Ctl::menuLength, "menuLength", ControlKind::DropDown, {192, 24, 65, 21}, "Auto"},
    {Ctl::editAddress, "editAddress", ControlKind::Edit, {192, 72, 121, 21}, ""},
    {Ctl::memoASM, "memoASM", ControlKind::Memo, {8, 552, 937, 97}, ""},
    {Ctl::editLength, "editLength", ControlKind::Edit, {264, 24, 65, 21}, "", false},
    {Ctl::btnReload, "btnReload", ControlKind::PushButton, {320, 72, 57, 25}, "Load"},
    {Ctl::btnColour, "btnColour", ControlKind::PushButton, {256, 336, 145, 41}, "Advanced Colour Menu..."},
    {Ctl::barBrowser, "barBrowser", ControlKind::ScrollBar, {928, 32, 17, 513}, "", true, false},
    {Ctl::btnSwap, "btnSwap", ControlKind::PushButton, {248, 304, 73, 25}, "Swap"},
    {Ctl::btnReverse, "btnReverse", ControlKind::PushButton, {328, 304, 73, 25}, "Reverse"},
    {Ctl::btnASM, "btnASM", ControlKind::PushButton, {8, 520, 161, 25}, "Update ASM Changes to Palette"},
    {Ctl::editBits, "editBits", ControlKind::BitView, {8, 432, 185, 17}, "0000000000000000", true, false},
}};

[[nodiscard]] constexpr const ControlLayout& LayoutOf(Ctl id) {
    return Layout[static_cast<std::size_t>(id)];
}
[[nodiscard]] constexpr Rect RectOf(Ctl id) {
    return LayoutOf(id).rect;
}

inline constexpr std::array<Ctl, 18> TabOrder{
    Ctl::chkInvalid, Ctl::btnCopy,    Ctl::btnPaste,    Ctl::btnGradient, Ctl::btnLoad,    Ctl::btnSave,
    Ctl::btnSaveAs,  Ctl::menuLength, Ctl::editAddress, Ctl::memoASM,     Ctl::editLength, Ctl::btnReload,
    Ctl::btnColour,  Ctl::barBrowser, Ctl::btnSwap,     Ctl::btnReverse,  Ctl::btnASM,     Ctl::editBits,
};

// The length menu's items; an item's index × 16 is its fixed length, and the last lets the user type one.
inline constexpr std::array<std::string_view, 6> LengthItems{"Auto", "$10", "$20", "$30", "$40", "Other"};
inline constexpr int LengthItemAuto = 0;
inline constexpr int LengthItemOther = 5;

inline constexpr std::string_view AddressCaption = "Address (add $ for hex)";
inline constexpr std::string_view ResetBitsText = "0000000000000000";

// Browser scroll bar: one step is one row of 32 words, a page is 32 rows.
inline constexpr int BrowserLargeChange = 32;

static_assert([] {
    for (std::size_t i = 0; i < Layout.size(); ++i) {
        if (static_cast<std::size_t>(Layout[i].id) != i) {
            return false;
        }
    }
    return true;
}());

}  // namespace tintorb
