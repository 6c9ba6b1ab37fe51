// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LengthMenu.h"

#include "app/Layout.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace tintorb {

LengthMenu::LengthMenu(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Completion is done here, in place, without a pop-up of its own.
    setCompleter(nullptr);
    for (const std::string_view item : LengthItems) {
        addItem(QString::fromUtf8(item.data(), static_cast<qsizetype>(item.size())));
    }
    setCurrentIndex(LengthItemAuto);
    lineEdit()->installEventFilter(this);
    connect(lineEdit(), &QLineEdit::textEdited, this, &LengthMenu::Typed);
    connect(this, &QComboBox::currentIndexChanged, this, &LengthMenu::IndexChanged);
    connect(this, &QComboBox::activated, this, &LengthMenu::Activated);
}

namespace {

[[nodiscard]] bool Erases(const QKeyEvent& event) {
    return event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete;
}

}  // namespace

// Keys reach the text through the menu while it has the focus, and straight through the edit field
// otherwise; both ways note whether the key erases.
void LengthMenu::keyPressEvent(QKeyEvent* event) {
    erasing_ = Erases(*event);
    QComboBox::keyPressEvent(event);
}

bool LengthMenu::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress) {
        erasing_ = Erases(*static_cast<QKeyEvent*>(event));
    }
    return QComboBox::eventFilter(watched, event);
}

void LengthMenu::Typed(const QString& text) {
    typed_ = true;
    QLineEdit* edit = lineEdit();
    const std::optional<int> completion = LengthCompletion(text.toStdString());
    if (!erasing_ && completion && edit->cursorPosition() == text.size()) {
        const QString item = itemText(*completion);
        edit->setText(item);
        edit->setSelection(static_cast<int>(text.size()), static_cast<int>(item.size() - text.size()));
    }
    erasing_ = false;
    emit Changed();
}

void LengthMenu::IndexChanged() {
    typed_ = false;
    emit Changed();
}

void LengthMenu::Activated() {
    // Choosing the item that is already current after typing changes no index, but it is a choice all the
    // same.
    if (typed_) {
        typed_ = false;
        emit Changed();
    }
}

void LengthMenu::SetText(const QString& text) {
    if (text == currentText()) {
        return;  // an unchanged text fires nothing
    }
    const int item = LengthItemOf(text.toStdString());
    typed_ = item < 0;
    if (item >= 0 && item != currentIndex()) {
        setCurrentIndex(item);  // fires Changed
        return;
    }
    setEditText(text);
    emit Changed();
}

}  // namespace tintorb
