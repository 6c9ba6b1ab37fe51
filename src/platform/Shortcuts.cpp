// SPDX-License-Identifier: GPL-3.0-or-later
// How the text boxes share the undo keys with the document, leave the palette commands' keys and dragged
// files to the window.

#include "platform/KeyFilterEdit.h"
#include "platform/LengthMenu.h"
#include "platform/MainWindow.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QList>
#include <QPlainTextEdit>

namespace tintorb {

namespace {

// The command whose shortcut the key is, if any: the one whose action carries it.
[[nodiscard]] std::optional<Command> CommandOfKey(const WindowShell& shell, const QKeyEvent& key) {
    const QKeySequence pressed(key.keyCombination());
    for (const CommandEntry& command : CommandTable) {
        if (const QAction* action = shell.ActionOf(command.id);
            action && action->shortcuts().contains(pressed)) {
            return command.id;
        }
    }
    return std::nullopt;
}

[[nodiscard]] bool BoxCanUndo(QObject* box, Command id) {
    const bool undo = id == Command::Undo;
    if (const auto* memo = qobject_cast<const QPlainTextEdit*>(box)) {
        return undo ? memo->document()->isUndoAvailable() : memo->document()->isRedoAvailable();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(box)) {
        return undo ? edit->isUndoAvailable() : edit->isRedoAvailable();
    }
    return false;
}

// Runs the box's own undo or redo if it has one to run; false when it has none.
bool UndoInBox(QObject* box, Command id) {
    if (!BoxCanUndo(box, id)) {
        return false;
    }
    const bool undo = id == Command::Undo;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(box)) {
        undo ? memo->undo() : memo->redo();
    } else if (auto* edit = qobject_cast<QLineEdit*>(box)) {
        undo ? edit->undo() : edit->redo();
    }
    return true;
}

}  // namespace

void MainWindow::ConnectShortcuts() {
    // The listing takes drops on its viewport, the other boxes on themselves.
    const auto* memo = WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    for (QWidget* box : std::initializer_list<QWidget*>{WidgetOf(Ctl::memoASM), memo->viewport(),
                                                        WidgetOf(Ctl::editAddress), WidgetOf(Ctl::editLength),
                                                        WidgetAs<LengthMenu>(Ctl::menuLength)->lineEdit()}) {
        box->installEventFilter(this);
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (TakeFileDrag(event)) {
        return true;
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return QMainWindow::eventFilter(watched, event);
    }
    const std::optional<Command> id = CommandOfKey(*this, *static_cast<QKeyEvent*>(event));
    const KeyInBox use = KeyInBoxOf(id);
    if (use == KeyInBox::Window && event->type() == QEvent::ShortcutOverride) {
        return true;  // left unaccepted, so the window's action takes it
    }
    if (use != KeyInBox::BoxUndoFirst) {
        return QMainWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed for the box while it has typing to take back; otherwise left to the window's action.
        if (BoxCanUndo(watched, *id)) {
            event->accept();
        }
        return true;
    }
    if (!UndoInBox(watched, *id)) {
        dispatcher_.Fire([&] { RunCommand(form_, *id); });
    }
    return true;
}

}  // namespace tintorb
