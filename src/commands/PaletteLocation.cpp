// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Generic.h"
#include "app/RecentFiles.h"
#include "app/StatusText.h"
#include "model/NumberText.h"
#include "views/BrowserView.h"
#include "views/PaletteView.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace tintorb {

namespace {

// The address and length boxes take only what a number text of theirs can hold, plus backspace; Enter and
// the control characters of shortcuts (paste among them) are dropped too.
[[nodiscard]] bool PassesNumberKey(char32_t key) {
    return key == 0x08 || key == U'$' || (key >= U'0' && key <= U'9') || (key >= U'A' && key <= U'F') ||
           (key >= U'a' && key <= U'f');
}

// The text of a box that is waiting for its first digit.
[[nodiscard]] bool IsUnfinishedNumber(const std::string& text) {
    return text.empty() || text == "$";
}

// Appended rather than written "$" + text, on which g++ 12 gives a false -Wrestrict warning.
[[nodiscard]] std::string HexPrefixed(std::string_view digits) {
    std::string text(1, '$');
    text.append(digits);
    return text;
}

[[nodiscard]] int ClampedLength(std::int32_t n) {
    return std::clamp(n, 1, MaxPalLength);
}

// The length the menu asks for, 1 to 64, before it is cut to the data. Choosing "Other" with its box empty
// or holding only "$" writes "1" there, so the box shows the length that was used.
[[nodiscard]] int RequestedLength(Controls& controls, const EditorState& state) {
    switch (const int item = controls.ItemIndex(Ctl::menuLength)) {
        case LengthItemAuto:
            return ValidRunLength(state);
        case LengthItemOther:
            if (IsUnfinishedNumber(controls.Text(Ctl::editLength))) {
                controls.SetText(Ctl::editLength, "1");
            }
            return ClampedLength(ReadNumber(controls.Text(Ctl::editLength)).value_or(1));
        case -1:
            // Text typed into the menu itself: a number is taken as the length (the fixed items' own texts
            // "$10" … "$40" read as theirs), anything else as Auto.
            if (const auto typed = ReadNumber(controls.Text(Ctl::menuLength))) {
                return ClampedLength(*typed);
            }
            return ValidRunLength(state);
        default:
            return ClampedLength(16 * item);
    }
}

}  // namespace

void TForm1::editAddressKeyPress(char32_t& Key) {
    NumberBoxKeyPress(Ctl::editAddress, Key);
}

void TForm1::editLengthKeyPress(char32_t& Key) {
    NumberBoxKeyPress(Ctl::editLength, Key);
}

void TForm1::NumberBoxKeyPress(Ctl box, char32_t& Key) {
    constexpr char32_t SelectAllKey = 0x01;  // Ctrl+A
    constexpr char32_t EnterKey = 0x0D;
    const char32_t typed = Key;
    if (!PassesNumberKey(Key)) {
        Key = 0;
    }
    // The box still drops these characters; what they ask for is done instead.
    if (typed == EnterKey) {
        btnReloadClick();
    } else if (typed == SelectAllKey) {
        controls_.Select(box, 0, static_cast<int>(controls_.Text(box).size()));
    }
}

void TForm1::editAddressChange() {
    const std::string text = controls_.Text(Ctl::editAddress);
    if (ReadNumber(text) || IsUnfinishedNumber(text)) {
        return;
    }
    // A letter A-F without "$" can only mean hexadecimal; digits alone stay decimal.
    const std::string hex = HexPrefixed(text);
    if (ReadNumber(hex)) {
        controls_.SetText(Ctl::editAddress, hex);
        controls_.SetCaret(Ctl::editAddress, static_cast<int>(hex.size()));
        return;
    }
    controls_.SetText(Ctl::editAddress, "0");
}

void TForm1::editLengthChange() {
    const std::string text = controls_.Text(Ctl::editLength);
    if (!ReadNumber(text) && !IsUnfinishedNumber(text)) {
        controls_.SetText(Ctl::editLength, "0");
    }
}

void TForm1::menuLengthChange() {
    controls_.SetVisible(Ctl::editLength, controls_.ItemIndex(Ctl::menuLength) == LengthItemOther);
}

void TForm1::ChooseLength(int entries) {
    // An item's index × 16 is its length, and Auto's index is 0, as AutoLength is.
    static_assert(AutoLength == 16 * LengthItemAuto);
    const bool fixed = entries % 16 == 0 && entries / 16 < LengthItemOther;
    const int item = fixed ? entries / 16 : LengthItemOther;
    controls_.SetText(Ctl::menuLength, LengthItems[static_cast<std::size_t>(item)]);
    if (!fixed) {
        controls_.SetText(Ctl::editLength, std::to_string(entries));
    }
}

void TForm1::btnReloadClick() {
    if (State.FileName.empty()) {
        return;
    }
    if (IsUnfinishedNumber(controls_.Text(Ctl::editAddress))) {
        controls_.SetText(Ctl::editAddress, "0");
    }
    PalettePlace place = document_.Place();
    place.PalAddress = ReadNumber(controls_.Text(Ctl::editAddress)).value_or(0);
    document_.Locate(place);
    SetupPalette();
    const std::size_t size = State.FileData.size();
    if (State.PalAddress < 0 || static_cast<std::size_t>(State.PalAddress) >= size) {
        controls_.ShowStatus(PastTheEndStatus(State.PalAddress, size));
    }
}

void TForm1::areaBrowserMouseDown(MouseButton, int X, int Y) {
    const std::int64_t offset = BrowserOffsetAt(X, Y, State.BrowserOffset);
    if (offset < 0 || offset >= static_cast<std::int64_t>(State.FileData.size())) {
        return;
    }
    PalettePlace place = document_.Place();
    place.PalAddress = static_cast<std::int32_t>(offset);
    document_.Locate(place);
    ShowPaletteAddress();
    SetupPalette();
}

void TForm1::barBrowserChange() {
    // One scroll step is one row of the grid.
    const std::int64_t offset = std::int64_t{controls_.ScrollPos(Ctl::barBrowser)} * BrowserColumns * 2;
    document_.SetBrowserOffset(static_cast<std::int32_t>(
        std::clamp<std::int64_t>(offset, 0, std::numeric_limits<std::int32_t>::max())));
    DrawBrowser();
}

void TForm1::ShowPaletteAddress() {
    controls_.SetText(Ctl::editAddress, AddressText(State.PalAddress));
}

void TForm1::SetupPalette() {
    const int n = RequestedLength(controls_, State);
    const auto length = static_cast<std::int32_t>(
        std::min<std::int64_t>(n, WholeWordsFrom(State.PalAddress, State.FileData.size())));
    document_.Locate({State.PalAddress, length, 0, 0});
    ClearPaletteAreas();
    DrawPalette();
    // Kept for the next time the file is opened; a palette made in memory has no file to keep it with.
    if (length > 0 && document_.Stamp()) {
        controls_.SetSetting(PlaceKey(State.FileName), PlaceText({State.PalAddress, length}));
    }
}

}  // namespace tintorb
