// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's one window. It assembles the form's three roles, each a class of its own (the controls as
// widgets, the dialogs, the shell with its menus and tool window), hosts the widgets in a client area of
// the layout's size below the menu bar, and hands each widget event, menu item and shortcut to the form's
// handler through the one dispatcher, which reports file errors.

#include "app/Controls.h"
#include "app/Dispatcher.h"
#include "app/Generic.h"
#include "app/MouseRouter.h"
#include "app/StartOptions.h"
#include "platform/WidgetControls.h"
#include "platform/WindowDialogs.h"
#include "platform/WindowShell.h"

#include <QMainWindow>

class QCloseEvent;

namespace tintorb {

class MainWindow : public QMainWindow,
                   public Controls,
                   public WidgetControls,
                   public WindowDialogs,
                   public WindowShell {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] TForm1& Form() { return form_; }
    // Does what the command line asked for, as the user would with the window's controls.
    void Start(const StartOptions& options);

    // Moves the shown window where all of it, or as much as fits with its top-left corner, is on its screen.
    void KeepOnScreen();

    // The area of the layout's size below the menu bar, which every control is placed in.
    [[nodiscard]] QWidget* ClientArea() const { return client_; }

  protected:
    // Hands one routed mouse event to the form's handler for its area, if the area has one.
    virtual void DeliverMouse(const RoutedMouse& event);
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Undo and redo keys in a text box: the box's own undo while it has one, the document's after that.
    // A file dragged over a text box is the window's, not text for the box.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // Each control's event to the form's handler.
    void Connect();
    void ConnectShortcuts();
    // The window is as large as the client area, the menu bar above it and the status bar below.
    void FixWindowSize();
    // Takes a drag of files, or refuses it; false when the drag carries no files.
    bool TakeFileDrag(QEvent* event);
    // A file error ended a handler: the mouse is let go of before its box shows.
    void ReportError(const FileError& error);

    Dispatcher dispatcher_{[this](const FileError& error) { ReportError(error); },
                           [this] { RefreshCommands(); }};
    TForm1 form_{*this};
    QWidget* client_ = nullptr;
};

}  // namespace tintorb
