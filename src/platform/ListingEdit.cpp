#include "platform/ListingEdit.h"

namespace tintorb {

bool ListingEdit::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && QPlainTextEdit::canInsertFromMimeData(source);
}

void ListingEdit::insertFromMimeData(const QMimeData* source) {
    if (source != nullptr) {
        QPlainTextEdit::insertFromMimeData(source);
    }
}

}  // namespace tintorb
