// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ListingEdit.h"

#include <memory>

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextCursor>

namespace tintorb {

bool ListingEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && QPlainTextEdit::canInsertFromMimeData(source);
}

void ListingEdit::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

void ListingEdit::PasteText(QClipboard::Mode mode) {
    const QClipboard* clipboard = QGuiApplication::clipboard();
    if (isReadOnly() || (mode == QClipboard::Selection && !clipboard->supportsSelection())) {
        return;
    }
    const QString text = clipboard->text(mode);
    if (!text.isEmpty()) {
        insertPlainText(text);
    }
}

void ListingEdit::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        PasteText(QClipboard::Clipboard);
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ListingEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::MiddleButton) {
        QPlainTextEdit::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    setTextCursor(cursorForPosition(event->position().toPoint()));
    PasteText(QClipboard::Selection);
}

void ListingEdit::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu(createStandardContextMenu(event->pos()));
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QStringLiteral("edit-paste")) {
            action->disconnect();
            connect(action, &QAction::triggered, this, [this] { PasteText(QClipboard::Clipboard); });
        }
    }
    menu->exec(event->globalPos());
}

}  // namespace tintorb
