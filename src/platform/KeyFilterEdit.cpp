// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/KeyFilterEdit.h"

namespace tintorb {

namespace {

constexpr char32_t Backspace = 0x08;
constexpr char32_t CarriageReturn = 0x0D;
constexpr char32_t Escape = 0x1B;

}  // namespace

char32_t CharacterOf(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return CarriageReturn;
        case Qt::Key_Backspace:
            return Backspace;
        case Qt::Key_Escape:
            return Escape;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return 0;  // these move the focus or edit; they type nothing
        default:
            break;
    }
    // Ctrl with a letter types that letter's control character (Ctrl+A is 1). Ctrl+Alt is AltGr on some
    // keyboards, which types ordinary characters, so it is left to the text.
    const bool control = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
    if (control && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char32_t>(key - Qt::Key_A + 1);
    }
    const QList<uint> text = event.text().toUcs4();
    if (text.isEmpty()) {
        return 0;
    }
    return static_cast<char32_t>(text.constFirst());
}

void KeyFilterEdit::keyPressEvent(QKeyEvent* event) {
    char32_t key = CharacterOf(*event);
    if (key != 0 && filter_) {
        filter_(key);
        if (key == 0) {
            event->accept();  // discarded: the box never sees the key
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

}  // namespace tintorb
