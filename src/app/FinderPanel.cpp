// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FinderPanel.h"

#include <utility>

#include "app/Controls.h"
#include "app/Generic.h"
#include "finder/SearchQuery.h"
#include "formats/PaletteFormat.h"

namespace tintorb {

namespace {

// Work that ends this soon shows no progress bar: it would only flicker.
constexpr std::int64_t QuietMs = 100;
constexpr int ProgressSteps = 1000;
// Stepping through lengths with the arrows scans once, for the length the steps end at.
constexpr int RescanDelayMs = 250;

[[nodiscard]] PanelDescription Describe() {
    using enum FieldKind;
    std::vector<PanelField> fields{
        {.kind = Number,
         .caption = "&Minimum length:",
         .low = 1,
         .high = MaxPalLength,
         .value = DefaultMinRun,
         .settleMs = RescanDelayMs},
        {.kind = Button, .name = "scan", .caption = "S&can"},
        {.kind = MenuButton,
         .caption = "&Search colours\u2026",
         .pushedRight = true,
         .items = {"From the &Clipboard", "From a &File\u2026"}},
        {.kind = FieldKind::Table,
         .row = 1,
         .columnWidths = {80, 56, 192, 130},
         .stripColumn = ColoursColumn,
         .numberColumn = LengthColumn},
        {.kind = Label, .name = "status", .row = 2, .stretch = 1},
        {.kind = FieldKind::Progress, .name = "progress", .row = 2, .high = ProgressSteps, .hidden = true},
        {.kind = Button, .name = "cancel", .caption = "Cancel", .row = 2, .hidden = true},
    };
    for (int column = 0; column < FindColumnCount; ++column) {
        fields[FinderPanel::Table].items.emplace_back(FindColumnTitle(column, false));
    }
    return {.name = "findPalettes",
            .title = "Find Palettes",
            .width = 620,
            .height = 480,
            .fields = std::move(fields),
            .focus = FinderPanel::Table};
}

// The colours listed on the clipboard. What is wrong with its text is said as the clipboard's, so that the
// message does not read as if the palette or the file were at fault.
[[nodiscard]] std::vector<ColourWord> ClipboardColours(const std::string& text) {
    if (text.find_first_not_of(" \t\r\n") == std::string::npos) {
        throw FormatError("The clipboard holds no colours");
    }
    try {
        return ParseQueryText(text);
    } catch (const FormatError& error) {
        throw FormatError(std::string("The clipboard: ") + error.what());
    }
}

}  // namespace

FinderPanel::FinderPanel(TForm1& form, Dialogs& dialogs, const Shell& shell, StartFindJob start)
    : form_(form),
      dialogs_(dialogs),
      shell_(shell),
      session_(form, std::move(start)),
      description_(Describe()) {}

void FinderPanel::Fire(PanelControls& panel, const PanelEvent& event) {
    switch (event.field) {
        case Minimum:
        case ScanButton:
            Scan(panel);
            break;
        case SearchButton:
            Search(panel, event.value);
            break;
        case Cancel:
            session_.Stop("Cancelled");
            break;
        case Table:
            if (const FindRow* row = ShownRow(event.value)) {
                const FindRow found = *row;
                form_.LocatePalette(found.address, found.length);
            }
            break;
        default:
            break;
    }
    Present(panel);
}

void FinderPanel::Scan(PanelControls& panel) {
    session_.Scan(panel.Value(Minimum));
    Started(panel);
}

void FinderPanel::Search(PanelControls& panel, int source) {
    std::optional<std::string> file;
    if (source == FromFile && !(file = dialogs_.RunQueryDialog())) {
        return;
    }
    session_.Search(file ? ReadQueryFile(*file) : ClipboardColours(shell_.ClipboardText()));
    Started(panel);
}

void FinderPanel::Started(PanelControls& panel) {
    startedAt_ = panel.Now();
}

void FinderPanel::Opened(PanelControls& panel) {
    if (session_.Open(panel.Value(Minimum))) {
        Started(panel);
    }
    Present(panel);
}

void FinderPanel::Closed(PanelControls& panel) {
    session_.Stop();
    Present(panel);
}

void FinderPanel::Poll(PanelControls& panel) {
    session_.Poll();
    Present(panel);
}

void FinderPanel::Clear(PanelControls& panel, bool shown) {
    session_.Clear();
    Present(panel);
    if (shown) {
        Scan(panel);
        Present(panel);
    }
}

void FinderPanel::ShowNames(PanelControls& panel) {
    session_.ShowNames();
    Present(panel);
}

void FinderPanel::ListNames(PanelControls& panel) {
    session_.ListNames();
    Present(panel);
}

void FinderPanel::FileChanged(PanelControls& panel, std::int64_t offset, std::size_t length) {
    const std::vector<std::size_t> rerated = session_.FileChanged(offset, length);
    if (session_.RowsVersion() == shownVersion_) {
        for (const std::size_t i : rerated) {
            shown_[i].rating = session_.Rows()[i].rating;
        }
    }
    // The strips read the file as it is now.
    panel.Refresh(Table);
    Present(panel);
}

void FinderPanel::Present(PanelControls& panel) {
    if (session_.RowsVersion() != shownVersion_) {
        ShowRows(panel);
    }
    panel.SetText(Status, session_.Status());
    panel.SetEnabled(Minimum, session_.MinimumApplies());
    const bool slow = session_.Busy() && panel.Now() - startedAt_ > QuietMs;
    if (slow) {
        panel.SetValue(Progress, static_cast<int>(session_.Done() * ProgressSteps));
    }
    panel.SetVisible(Progress, slow);
    panel.SetVisible(Cancel, slow);
}

// The row kept current is the one that lists the same palette as the current row did.
void FinderPanel::ShowRows(PanelControls& panel) {
    const std::optional<int> was = panel.CurrentRow(Table);
    const int current = RowToKeep(session_.Rows(), was ? ShownRow(*was) : nullptr);
    shownVersion_ = session_.RowsVersion();
    shown_ = session_.Rows();
    shownSearched_ = session_.RowsSearched();
    panel.ResetRows(Table);
    panel.SetCurrentRow(Table, current);
}

const FindRow* FinderPanel::ShownRow(int row) const {
    return row >= 0 && row < static_cast<int>(shown_.size()) ? &shown_[static_cast<std::size_t>(row)]
                                                             : nullptr;
}

int FinderPanel::RowCount(int) const {
    return static_cast<int>(shown_.size());
}

std::string FinderPanel::Cell(int, int row, int column) const {
    const FindRow* shown = ShownRow(row);
    return shown && column != ColoursColumn ? FindCellText(*shown, column) : std::string();
}

std::string FinderPanel::ColumnTitle(int, int column) const {
    return std::string(FindColumnTitle(column, shownSearched_));
}

std::vector<Rgb> FinderPanel::Strip(int, int row) const {
    std::vector<Rgb> colours;
    if (const FindRow* shown = ShownRow(row)) {
        for (std::int32_t i = 0; i < shown->length; ++i) {
            colours.push_back(DisplayColour(form_.State.ReadWordAt(shown->address + 2 * std::int64_t{i})));
        }
    }
    return colours;
}

}  // namespace tintorb
