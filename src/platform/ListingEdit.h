// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The listing box. Debian's Qt 6.4 crashes inside the stock text box when it pastes while nothing owns the
// clipboard or the selection: the box is handed a source it cannot read, and every unsaved edit goes with
// the program. This box never hands the stock code a clipboard source: it pastes the clipboard's plain
// text itself, by key, by middle click and from its context menu, and takes a missing source as nothing.

#include <QClipboard>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace tintorb {

class ListingEdit : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ListingEdit(QWidget* parent) : QPlainTextEdit(parent) {}

    // Public so that the window tests can hand them the missing source that no offscreen clipboard gives.
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

    // Inserts the clipboard's (or the selection's) text at the caret, replacing the selected text.
    void PasteText(QClipboard::Mode mode);
    // Replaces the characters of one line that differ from its new text, and repaints only those.
    void ReplaceLine(const QTextBlock& block, const QString& line);
    // Selects from..to (the caret at to) unless that is the selection already.
    void SelectRange(int from, int to);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};

}  // namespace tintorb
