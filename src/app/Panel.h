// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A tool window as data: its fields (boxes, lists, buttons, lines of text, a pixel area, a legend, a table)
// with their captions and rows, and the two sides that meet in them. The window builds itself from the
// description and hands every user action to the session's one entry point; the session shows what it holds
// through the field operations of PanelControls. The in-memory controls stand in for the window in the
// tests, so that a tool window's behaviour is core code tested without Qt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/DirtyRegion.h"
#include "model/ColourWord.h"

namespace tintorb {

class Surface;

enum class FieldKind {
    Number,      // a number box from low to high, with a suffix
    Choice,      // a drop-down list of items
    Text,        // a one-line text box; it fires when its editing is finished
    Check,       // a check box
    Button,      // a push button
    MenuButton,  // a button that opens a menu of items, each an action of its own
    Label,       // a line of text
    Progress,    // a progress bar from 0 to high
    Pixels,      // an area that shows a surface of the session's; the pointer, the wheel and its size fire
    ScrollBar,   // a vertical scroll bar
    Legend,      // a palette line's colours, each with how many pixels use it
    Table,       // rows of cell texts, one column perhaps a strip of colours
};

struct PanelField {
    FieldKind kind = FieldKind::Label;
    // The widget's object name, by which the window tests find it; may be empty.
    std::string name{};
    // A button's or check box's own caption; of any other field, the label before it. With its & mnemonic.
    std::string caption{};
    // The row of the window it lies in; rows run top to bottom, the fields of one left to right.
    int row = 0;
    // The field's share of its row's spare width; spare width lies before a field pushed right.
    int stretch = 0;
    bool pushedRight = false;
    int low = 0;
    int high = 0;
    int value = 0;
    std::string suffix{};
    // A list's items, a menu's actions, a table's columns (their widths in columnWidths).
    std::vector<std::string> items{};
    std::vector<int> columnWidths{};
    // A text box is at least as wide as this text; a pixel area at least this many pixels on each side.
    std::string widthOf{};
    int minimumSide = 0;
    // A label's text wraps at its width; a field starts hidden.
    bool wrap = false;
    bool hidden = false;
    // A number box whose value is stepped fires once the steps end: when it has kept a value this long.
    int settleMs = 0;
    // The table's column of colour strips, and its column of numbers, aligned right.
    int stripColumn = -1;
    int numberColumn = -1;
};

struct PanelDescription {
    std::string name{};
    std::string title{};
    int width = 0;
    int height = 0;
    // In tab order.
    std::vector<PanelField> fields{};
    // Keys the window itself takes, in the portable text of key sequences ("Left", "PgUp").
    std::vector<std::string> keys{};
    // The field that takes the keys when the window opens.
    std::optional<int> focus{};
};

enum class FieldAction { Changed, Pressed, Activated, PointerMoved, PointerPressed, Wheel, Resized, Key };

// What the user did. Key events name no field: value is the key's place in the description's keys.
struct PanelEvent {
    int field = -1;
    FieldAction action = FieldAction::Changed;
    // The new value, the menu's item, the activated row, the wheel's angle or the key.
    int value = 0;
    // The pointer's place, or the area's new size.
    int x = 0;
    int y = 0;
    std::string text{};
};

// One entry of a palette line, for a legend: its colour when the palette has it, and how many pixels use it.
struct LegendEntry {
    int entry = 0;
    std::optional<Rgb> colour{};
    std::int64_t uses = 0;
    friend bool operator==(const LegendEntry&, const LegendEntry&) = default;
};

// What a session does to its window's fields. Setting a field's value or text fires nothing back.
class PanelControls {
  public:
    virtual ~PanelControls() = default;

    // A number box's or scroll bar's value, a list's chosen item, a check box's 0 or 1, a progress bar's.
    [[nodiscard]] virtual int Value(int field) const = 0;
    virtual void SetValue(int field, int value) = 0;
    [[nodiscard]] virtual std::string Text(int field) const = 0;
    virtual void SetText(int field, std::string_view text) = 0;
    virtual void SetEnabled(int field, bool enabled) = 0;
    virtual void SetVisible(int field, bool visible) = 0;
    // A scroll bar's highest value and its page.
    virtual void SetRange(int field, int high, int page) = 0;
    // A pixel area, legend or table reads what it shows from the session again; a table keeps its rows.
    virtual void Refresh(int field) = 0;
    // A table lists new rows; the current row is none until set.
    virtual void ResetRows(int field) = 0;
    [[nodiscard]] virtual std::optional<int> CurrentRow(int field) const = 0;
    virtual void SetCurrentRow(int field, int row) = 0;
    // The host's clock, in milliseconds.
    [[nodiscard]] virtual std::int64_t Now() const = 0;
};

// A tool window's behaviour, as its host drives it.
class PanelSession {
  public:
    virtual ~PanelSession() = default;

    [[nodiscard]] virtual const PanelDescription& Description() const = 0;
    // The one entry point of the user's actions.
    virtual void Fire(PanelControls& panel, const PanelEvent& event) = 0;
    // Shows what the session holds now.
    virtual void Present(PanelControls& panel) = 0;
    // The window was opened, or brought to the front; it was closed.
    virtual void Opened(PanelControls&) {}
    virtual void Closed(PanelControls&) {}
    // Whether work is under way that the host polls for, and the poll.
    [[nodiscard]] virtual bool Working() const { return false; }
    virtual void Poll(PanelControls&) {}

    // What the fields that read the session show: a pixel area's surface, a legend's entries, a table's
    // rows, cells, column titles and colour strips. Rows past the end show empty.
    [[nodiscard]] virtual const Surface* Pixels(int) const { return nullptr; }
    // A pixel area's size, from its top left, without drawing its surface.
    [[nodiscard]] virtual PixelBox PixelsBox(int) const { return {}; }
    // Draws the box of a pixel area's surface into target, a surface over exactly the box, straight into the
    // memory a window shows it from; false where the session only offers its surface.
    virtual bool DrawPixels(int, Surface&, PixelBox) const { return false; }
    // The boxes of a pixel area's surface drawn since this was last asked, which the area repaints alone;
    // nothing where the session keeps no such boxes, and the whole area repaints. Asking starts anew.
    [[nodiscard]] virtual std::optional<DirtyRegion> TakeChangedPixels(int) const { return std::nullopt; }
    [[nodiscard]] virtual std::vector<LegendEntry> Legend(int) const { return {}; }
    [[nodiscard]] virtual int RowCount(int) const { return 0; }
    [[nodiscard]] virtual std::string Cell(int, int, int) const { return {}; }
    [[nodiscard]] virtual std::string ColumnTitle(int, int) const { return {}; }
    [[nodiscard]] virtual std::vector<Rgb> Strip(int, int) const { return {}; }
};

}  // namespace tintorb
