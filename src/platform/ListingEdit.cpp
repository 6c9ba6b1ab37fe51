// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ListingEdit.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

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

namespace {

// How far a glyph may reach beyond its cell, so that a repaint of the changed characters takes it whole.
constexpr int GlyphOverhang = 3;

}  // namespace

void ListingEdit::ReplaceLine(const QTextBlock& block, const QString& line) {
    const QString old = block.text();
    const qsizetype shorter = std::min(old.size(), line.size());
    qsizetype prefix = 0;
    while (prefix < shorter && old[prefix] == line[prefix]) {
        ++prefix;
    }
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && old[old.size() - 1 - suffix] == line[line.size() - 1 - suffix]) {
        ++suffix;
    }
    QTextDocument* text = document();
    QAbstractTextDocumentLayout* layout = text->documentLayout();
    const qreal heightBefore = blockBoundingRect(block).height();
    {
        // The layout would have the whole line repainted, and painting a line costs far more than the few
        // characters an edit changes; one edit block also lays the line out once, not per cursor move.
        const QSignalBlocker quiet(layout);
        QTextCursor cursor(text);
        cursor.beginEditBlock();
        cursor.setPosition(block.position() + static_cast<int>(prefix));
        cursor.setPosition(block.position() + static_cast<int>(old.size() - suffix), QTextCursor::KeepAnchor);
        cursor.insertText(line.mid(prefix, line.size() - prefix - suffix));
        cursor.endEditBlock();
    }
    const QTextLayout* lines = block.layout();
    if (blockBoundingRect(block).height() != heightBefore || lines->lineCount() != 1) {
        // The line wrapped anew and moved the ones below: what the layout would have said, said now.
        emit layout->documentSizeChanged(layout->documentSize());
        emit layout->update();
        return;
    }
    // From the first changed character to the last, or to the edge when the rest of the line moved.
    const QRectF place = blockBoundingGeometry(block).translated(contentOffset());
    const QTextLine only = lines->lineAt(0);
    const qreal left = only.cursorToX(static_cast<int>(prefix));
    const qreal right = old.size() == line.size() ? only.cursorToX(static_cast<int>(line.size() - suffix))
                                                  : viewport()->width() - place.left();
    viewport()->update(static_cast<int>(std::floor(place.left() + left)) - GlyphOverhang,
                       static_cast<int>(std::floor(place.top())),
                       static_cast<int>(std::ceil(right - left)) + 2 * GlyphOverhang,
                       static_cast<int>(std::ceil(place.height())));
}

void ListingEdit::SelectRange(int from, int to) {
    const QTextCursor current = textCursor();
    if (current.anchor() == from && current.position() == to) {
        ensureCursorVisible();
        return;
    }
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
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
