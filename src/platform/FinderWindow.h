// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Palette > Find Palettes…: a tool window beside the main window that shows its find session: the palettes
// a scan of the file found, or the places a colour search found, each with a strip of its colours and its
// name. Activating a row locates that palette in the main window. Scans and searches run on a worker
// thread; when one takes a moment, a progress bar and Cancel show.

#include <memory>
#include <vector>

#include "app/FindSession.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QAction;
class QBoxLayout;
class QCloseEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

namespace tintorb {

class Dispatcher;
class FinderModel;
class TForm1;
class WindowDialogs;

class FinderWindow : public QWidget {
    Q_OBJECT

  public:
    // A tool window of parent's that lists what it finds in form's file; activating a row runs through
    // dispatcher, and a search's file is chosen in dialogs.
    FinderWindow(QWidget& parent, TForm1& form, Dispatcher& dispatcher, WindowDialogs& dialogs);
    ~FinderWindow() override;

    // Shows the window in front, scanning the file when there is nothing listed yet.
    void Open();
    // Shows the window in front, listing every named palette.
    void OpenNames();
    // Another document: the results and any work under way go; a shown window scans the new file.
    void Clear();
    // The names changed: the table shows the new ones.
    void ShowNames();
    // The file's bytes changed: the rows and their strips show them.
    void FileChanged();

    // For the window tests: the table, the search's two sources, and whether work is under way.
    [[nodiscard]] QTableView* Table() const { return table_; }
    [[nodiscard]] QAction* SearchClipboardAction() const { return fromClipboard_; }
    [[nodiscard]] QAction* SearchFileAction() const { return fromFile_; }
    [[nodiscard]] bool Busy() const { return session_.Busy(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The minimum length, Scan and Search colours, in a row above the table.
    [[nodiscard]] QBoxLayout* BuildQuestionRow();
    void BuildTable();
    // The status text, the progress bar and Cancel, in a row below the table.
    [[nodiscard]] QBoxLayout* BuildStatusRow();
    void ConnectWork();
    // Shows the window in front, the rows taking the keys.
    void Raise();
    void Scan();
    void SearchClipboard();
    void SearchFile();
    void Search(std::vector<ColourWord> query);
    // Work just started: polled until it ends.
    void Started();
    void Poll();
    // Shows what the session holds: its rows when they are new, its status, and the progress of work that
    // takes a moment.
    void Show();
    void ShowRows();
    void Activate(int row);

    TForm1& form_;
    Dispatcher& dispatcher_;
    WindowDialogs& dialogs_;
    FindSession session_;
    FinderModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QSpinBox* minimum_ = nullptr;
    QLabel* status_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QAction* fromClipboard_ = nullptr;
    QAction* fromFile_ = nullptr;

    QElapsedTimer started_;
    QTimer poll_;
    QTimer rescan_;
    // The rows the table shows, by the session's count.
    std::size_t shownRows_ = 0;
};

}  // namespace tintorb
