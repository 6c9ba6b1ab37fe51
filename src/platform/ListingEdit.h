#pragma once

// The listing box. Some Qt builds (Debian's 6.4 among them) hand a text box no source at all when a paste
// finds nothing on the clipboard or in the selection, and the stock box reads it regardless and crashes,
// taking every unsaved edit with it. This box takes a missing source as nothing to paste.

#include <QPlainTextEdit>

namespace tintorb {

class ListingEdit : public QPlainTextEdit {
    Q_OBJECT

  public:
    explicit ListingEdit(QWidget* parent) : QPlainTextEdit(parent) {}

    // Public so that the window tests can hand them the missing source that no offscreen clipboard gives.
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace tintorb
