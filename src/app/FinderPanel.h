// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Palette > Find Palettes… as a panel: the window's fields, the user's actions handed to the find session,
// and what it holds written back: the rows it found, the status line, and the progress of work that takes a
// moment. Activating a row locates that palette in the main window.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/FindSession.h"
#include "app/Panel.h"

namespace tintorb {

class Dialogs;
class Shell;
class TForm1;

class FinderPanel : public PanelSession {
  public:
    // The fields, in the order of the description's.
    enum Field { Minimum, ScanButton, SearchButton, Table, Status, Progress, Cancel };
    // The items of the Search menu.
    enum SearchSource { FromClipboard, FromFile };

    // The session's work runs on the jobs start makes; a search's colours come from a file chosen in
    // dialogs or from the shell's clipboard.
    FinderPanel(TForm1& form, Dialogs& dialogs, const Shell& shell, StartFindJob start);

    [[nodiscard]] FindSession& Session() { return session_; }
    [[nodiscard]] const PanelDescription& Description() const override { return description_; }
    void Fire(PanelControls& panel, const PanelEvent& event) override;
    // Opened, the window scans the file when there is nothing listed yet.
    void Opened(PanelControls& panel) override;
    // Closed, its work stops.
    void Closed(PanelControls& panel) override;
    void Present(PanelControls& panel) override;
    [[nodiscard]] bool Working() const override { return session_.Working(); }
    void Poll(PanelControls& panel) override;

    // Another document: the results and any work under way go; a shown window scans the new file.
    void Clear(PanelControls& panel, bool shown);
    // The names changed: the table shows the new ones.
    void ShowNames(PanelControls& panel);
    // Lists every named palette.
    void ListNames(PanelControls& panel);
    // The file's bytes changed: the rows and their strips show them.
    void FileChanged(PanelControls& panel, std::int64_t offset, std::size_t length);

    [[nodiscard]] int RowCount(int field) const override;
    [[nodiscard]] std::string Cell(int field, int row, int column) const override;
    [[nodiscard]] std::string ColumnTitle(int field, int column) const override;
    // A palette's colours, read from the file as it is now, so that edits show at once.
    [[nodiscard]] std::vector<Rgb> Strip(int field, int row) const override;

  private:
    void Scan(PanelControls& panel);
    void Search(PanelControls& panel, int source);
    // Work just started: progress shows once it has taken a moment.
    void Started(PanelControls& panel);
    void ShowRows(PanelControls& panel);
    [[nodiscard]] const FindRow* ShownRow(int row) const;

    TForm1& form_;
    Dialogs& dialogs_;
    const Shell& shell_;
    FindSession session_;
    PanelDescription description_;
    std::int64_t startedAt_ = 0;
    // The rows the table shows, and the session's count of them; the session's own may be newer.
    std::vector<FindRow> shown_;
    bool shownSearched_ = false;
    std::size_t shownVersion_ = 0;
};

}  // namespace tintorb
