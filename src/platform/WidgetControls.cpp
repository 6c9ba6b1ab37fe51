// SPDX-License-Identifier: GPL-3.0-or-later
// Each control operation on the widget that shows the control.

#include "platform/WidgetControls.h"

#include <algorithm>

#include "app/Dispatcher.h"
#include "app/Generic.h"
#include "platform/BitsView.h"
#include "platform/KeyFilterEdit.h"
#include "platform/LengthMenu.h"
#include "platform/ListingEdit.h"
#include "platform/QtText.h"
#include "platform/SurfaceView.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegion>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tintorb {

std::string WidgetControls::Text(Ctl c) const {
    const QWidget* widget = widgets_[static_cast<std::size_t>(c)];
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        text = label->text();
    } else if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        text = edit->text();
    } else if (const auto* menu = qobject_cast<const QComboBox*>(widget)) {
        text = menu->currentText();
    } else if (const auto* memo = qobject_cast<const QPlainTextEdit*>(widget)) {
        text = memo->toPlainText();
    } else if (const auto* bits = qobject_cast<const BitsView*>(widget)) {
        text = bits->Text();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        text = button->text();
    }
    return text.toStdString();
}

void WidgetControls::SetText(Ctl c, std::string_view text) {
    QWidget* widget = widgets_[static_cast<std::size_t>(c)];
    const QString value = ToQString(text);
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(value);
        FitLabel(label);
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(value);
    } else if (auto* menu = qobject_cast<LengthMenu*>(widget)) {
        menu->SetText(value);
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->setPlainText(value);
    } else if (auto* bits = qobject_cast<BitsView*>(widget)) {
        bits->Edit([&](BitLine& line) { line.SetText(value.toStdU16String()); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(value);
    }
    dispatcher_->RethrowPending();
}

void WidgetControls::SetCaret(Ctl c, int position) {
    QWidget* widget = widgets_[static_cast<std::size_t>(c)];
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setCursorPosition(position);
    } else if (auto* bits = qobject_cast<BitsView*>(widget)) {
        bits->Edit([&](BitLine& line) { line.SetCaret(position); });
    } else if (qobject_cast<QPlainTextEdit*>(widget) != nullptr) {
        Select(c, position, 0);
    }
}

void WidgetControls::SetVisible(Ctl c, bool visible) {
    if (QWidget* widget = widgets_[static_cast<std::size_t>(c)]) {
        widget->setVisible(visible);
    }
}

void WidgetControls::SetEnabled(Ctl c, bool enabled) {
    if (QWidget* widget = widgets_[static_cast<std::size_t>(c)]) {
        widget->setEnabled(enabled);
    }
}

bool WidgetControls::Checked(Ctl c) const {
    const auto* box = qobject_cast<const QCheckBox*>(widgets_[static_cast<std::size_t>(c)]);
    return box != nullptr && box->isChecked();
}

int WidgetControls::ItemIndex(Ctl c) const {
    const auto* menu = qobject_cast<const LengthMenu*>(widgets_[static_cast<std::size_t>(c)]);
    return menu != nullptr ? menu->ItemIndex() : -1;
}

void WidgetControls::SetScrollMax(Ctl c, int maximum) {
    if (auto* bar = qobject_cast<QScrollBar*>(widgets_[static_cast<std::size_t>(c)])) {
        // The minimum stays 0; a lower maximum pulls the position down with it, which fires the change.
        bar->setMaximum(std::max(maximum, 0));
    }
    dispatcher_->RethrowPending();
}

void WidgetControls::SetScrollPos(Ctl c, int position) {
    if (auto* bar = qobject_cast<QScrollBar*>(widgets_[static_cast<std::size_t>(c)])) {
        bar->setValue(position);
    }
    dispatcher_->RethrowPending();
}

int WidgetControls::ScrollPos(Ctl c) const {
    const auto* bar = qobject_cast<const QScrollBar*>(widgets_[static_cast<std::size_t>(c)]);
    return bar != nullptr ? bar->value() : 0;
}

std::vector<std::string> WidgetControls::Lines(Ctl c) const {
    std::vector<std::string> lines;
    const auto* memo = qobject_cast<const QPlainTextEdit*>(widgets_[static_cast<std::size_t>(c)]);
    if (memo == nullptr) {
        return lines;
    }
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
        lines.push_back(block.text().toStdString());
    }
    // A break after the last line starts no line of its own.
    if (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

void WidgetControls::SetLines(Ctl c, std::span<const std::string> lines) {
    auto* memo = WidgetAs<ListingEdit>(c);
    if (memo == nullptr) {
        return;
    }
    QTextDocument* document = memo->document();
    // What the program writes is no step of the box's own undo: Ctrl+Z there undoes only the user's typing
    // since this refresh.
    document->setUndoRedoEnabled(false);
    if (document->blockCount() == static_cast<int>(lines.size())) {
        // The same number of lines: only what differs is replaced, so one changed entry costs one line's
        // layout and paint instead of the whole box's. The caret stays, shifted with the text.
        std::size_t i = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next(), ++i) {
            const QString line = QString::fromStdString(lines[i]);
            if (block.text() != line) {
                memo->ReplaceLine(block, line);
            }
        }
        document->setModified(false);
    } else {
        QStringList text;
        text.reserve(static_cast<qsizetype>(lines.size()));
        for (const std::string& line : lines) {
            text.append(QString::fromStdString(line));
        }
        memo->setPlainText(text.join(QLatin1Char('\n')));
    }
    document->setUndoRedoEnabled(true);
    document->clearUndoRedoStacks();
}

void WidgetControls::Clear(Ctl c) {
    QWidget* widget = widgets_[static_cast<std::size_t>(c)];
    if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) {
        memo->clear();
    } else if (auto* bits = qobject_cast<BitsView*>(widget)) {
        bits->Edit([](BitLine& line) { line.SetText({}); });
    } else {
        SetText(c, {});
    }
}

void WidgetControls::SetFocus(Ctl c) {
    if (QWidget* widget = widgets_[static_cast<std::size_t>(c)]) {
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void WidgetControls::Select(Ctl c, int start, int length) {
    if (auto* box = qobject_cast<QLineEdit*>(widgets_[static_cast<std::size_t>(c)])) {
        box->setSelection(start, length);
        return;
    }
    auto* memo = WidgetAs<ListingEdit>(c);
    if (memo == nullptr) {
        return;
    }
    // Positions count each line break as one character; the last position is the end of the text.
    const int end = memo->document()->characterCount() - 1;
    const int from = std::clamp(start, 0, end);
    const int to = std::clamp(from + std::max(length, 0), from, end);
    memo->SelectRange(from, to);
}

void WidgetControls::SetInsertColour(Ctl c, Rgb colour) {
    if (auto* bits = WidgetAs<BitsView>(c)) {
        bits->Edit([&](BitLine& line) { line.SetInsertColour(colour); });
    }
}

void WidgetControls::InsertText(Ctl c, std::string_view text) {
    if (auto* bits = WidgetAs<BitsView>(c)) {
        bits->Edit([&](BitLine& line) { line.InsertText(ToQString(text).toStdU16String()); });
    }
}

void WidgetControls::Present() {
    // Only what was drawn since the last present, at once: the controls that lie over other parts of the
    // surface are left alone, and so is every part of the surface that was not drawn.
    const DirtyRegion drawn = form_->surface().TakeDirty();
    QRegion region;
    for (const PixelBox& box : drawn.Boxes()) {
        region += QRect(box.left, box.top, box.Width(), box.Height());
    }
    if (!region.isEmpty()) {
        surface_->repaint(region);
    }
}

}  // namespace tintorb
