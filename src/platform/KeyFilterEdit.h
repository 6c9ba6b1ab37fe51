// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A single-line edit box whose typed characters pass through a filter first, the way the address and
// length boxes want them: every key that produces a character (Enter and the control characters of
// shortcuts such as Ctrl+V included) is offered to the filter, which lets it through or sets it to 0 to
// discard it. Keys that produce no character (arrows, Home, End, Delete) edit as usual, and text pasted
// through the context menu is not filtered. Input methods are off, so that no character reaches the
// text except as a key.

#include <functional>

#include <QKeyEvent>
#include <QLineEdit>

namespace tintorb {

// The character a key press produces, 0 for a key that produces none. Control characters come from the
// key and the Ctrl modifier, so that Ctrl+V is 0x16 on every platform.
[[nodiscard]] char32_t CharacterOf(const QKeyEvent& event);

class KeyFilterEdit : public QLineEdit {
    Q_OBJECT

  public:
    explicit KeyFilterEdit(QWidget* parent) : QLineEdit(parent) {
        setAttribute(Qt::WA_InputMethodEnabled, false);
    }

    void SetKeyFilter(std::function<void(char32_t&)> filter) { filter_ = std::move(filter); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    std::function<void(char32_t&)> filter_;
};

}  // namespace tintorb
