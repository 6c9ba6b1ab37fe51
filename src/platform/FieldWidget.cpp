// SPDX-License-Identifier: GPL-3.0-or-later
// The adaptors of the fields that hold their own state: boxes, lists, buttons, lines of text, bars.

#include "platform/FieldWidget.h"

#include "platform/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

namespace tintorb {

namespace {

// Boxes repaint on any set, the same value included, and the session sets them on every edit.
template <class Held, class Value, class Setter>
void SetChanged(Held* widget, Value now, Value value, Setter set) {
    if (now != value) {
        const QSignalBlocker quiet(widget);
        (widget->*set)(value);
    }
}

class NumberField : public FieldOf<QSpinBox> {
  public:
    explicit NumberField(const FieldContext& c) : FieldOf(new QSpinBox(&c.parent)) {
        widget_->setRange(c.field.low, c.field.high);
        widget_->setSuffix(ToQString(c.field.suffix));
        widget_->setValue(c.field.value);
        if (c.field.settleMs == 0) {
            QObject::connect(widget_, &QSpinBox::valueChanged, widget_,
                             [c](int value) { c.Fire(FieldAction::Changed, value); });
            return;
        }
        auto* settled = new QTimer(widget_);
        settled->setSingleShot(true);
        settled->setInterval(c.field.settleMs);
        QObject::connect(widget_, &QSpinBox::valueChanged, settled, qOverload<>(&QTimer::start));
        QObject::connect(settled, &QTimer::timeout, widget_,
                         [c, box = widget_] { c.Fire(FieldAction::Changed, box->value()); });
    }
    [[nodiscard]] int Value() const override { return widget_->value(); }
    void SetValue(int value) override { SetChanged(widget_, widget_->value(), value, &QSpinBox::setValue); }
};

class ChoiceField : public FieldOf<QComboBox> {
  public:
    explicit ChoiceField(const FieldContext& c) : FieldOf(new QComboBox(&c.parent)) {
        for (const std::string& item : c.field.items) {
            widget_->addItem(ToQString(item));
        }
        QObject::connect(widget_, &QComboBox::currentIndexChanged, widget_,
                         [c](int index) { c.Fire(FieldAction::Changed, index); });
    }
    [[nodiscard]] int Value() const override { return widget_->currentIndex(); }
    void SetValue(int value) override {
        SetChanged(widget_, widget_->currentIndex(), value, &QComboBox::setCurrentIndex);
    }
};

class TextField : public FieldOf<QLineEdit> {
  public:
    explicit TextField(const FieldContext& c) : FieldOf(new QLineEdit(&c.parent)) {
        if (!c.field.widthOf.empty()) {
            widget_->setMinimumWidth(widget_->fontMetrics().horizontalAdvance(ToQString(c.field.widthOf)) +
                                     16);
        }
        QObject::connect(widget_, &QLineEdit::editingFinished, widget_,
                         [c, box = widget_] { c.Fire(FieldAction::Changed, 0, box->text().toStdString()); });
    }
    [[nodiscard]] std::string Text() const override { return widget_->text().toStdString(); }
    // The text the user is typing stays until the editing ends.
    void SetText(std::string_view text) override {
        if (!widget_->hasFocus()) {
            SetChanged(widget_, widget_->text(), ToQString(text), &QLineEdit::setText);
        }
    }
};

class CheckField : public FieldOf<QCheckBox> {
  public:
    explicit CheckField(const FieldContext& c)
        : FieldOf(new QCheckBox(ToQString(c.field.caption), &c.parent)) {
        QObject::connect(widget_, &QCheckBox::toggled, widget_,
                         [c](bool on) { c.Fire(FieldAction::Changed, on ? 1 : 0); });
    }
    [[nodiscard]] int Value() const override { return widget_->isChecked() ? 1 : 0; }
    void SetValue(int value) override {
        SetChanged(widget_, widget_->isChecked(), value != 0, &QCheckBox::setChecked);
    }
};

// A push button; with items, it opens a menu of them instead.
class ButtonField : public FieldOf<QPushButton> {
  public:
    explicit ButtonField(const FieldContext& c)
        : FieldOf(new QPushButton(ToQString(c.field.caption), &c.parent)) {
        if (c.field.kind == FieldKind::Button) {
            QObject::connect(widget_, &QPushButton::clicked, widget_, [c] { c.Fire(FieldAction::Pressed); });
            return;
        }
        auto* menu = new QMenu(widget_);
        for (int item = 0; item < static_cast<int>(c.field.items.size()); ++item) {
            QAction* action = menu->addAction(ToQString(c.field.items[static_cast<std::size_t>(item)]));
            QObject::connect(action, &QAction::triggered, widget_,
                             [c, item] { c.Fire(FieldAction::Pressed, item); });
        }
        widget_->setMenu(menu);
    }
    [[nodiscard]] QAction* Action(int item) const override {
        return widget_->menu() != nullptr ? widget_->menu()->actions().value(item) : nullptr;
    }
};

class LabelField : public FieldOf<QLabel> {
  public:
    explicit LabelField(const FieldContext& c) : FieldOf(new QLabel(&c.parent)) {
        widget_->setWordWrap(c.field.wrap);
    }
    [[nodiscard]] std::string Text() const override { return widget_->text().toStdString(); }
    void SetText(std::string_view text) override { widget_->setText(ToQString(text)); }
};

class ProgressField : public FieldOf<QProgressBar> {
  public:
    explicit ProgressField(const FieldContext& c) : FieldOf(new QProgressBar(&c.parent)) {
        widget_->setRange(0, c.field.high);
    }
    [[nodiscard]] int Value() const override { return widget_->value(); }
    void SetValue(int value) override { widget_->setValue(value); }
};

class ScrollBarField : public FieldOf<QScrollBar> {
  public:
    explicit ScrollBarField(const FieldContext& c) : FieldOf(new QScrollBar(Qt::Vertical, &c.parent)) {
        QObject::connect(widget_, &QScrollBar::valueChanged, widget_,
                         [c](int value) { c.Fire(FieldAction::Changed, value); });
    }
    [[nodiscard]] int Value() const override { return widget_->value(); }
    void SetValue(int value) override { SetChanged(widget_, widget_->value(), value, &QScrollBar::setValue); }
    // A page step set repaints the bar even when it is the same, and the session sets both on every change.
    void SetRange(int high, int page) override {
        SetChanged(widget_, widget_->maximum(), high, &QScrollBar::setMaximum);
        SetChanged(widget_, widget_->pageStep(), page, &QScrollBar::setPageStep);
    }
};

}  // namespace

std::unique_ptr<FieldWidget> MakeFieldWidget(const FieldContext& c) {
    switch (c.field.kind) {
        case FieldKind::Number:
            return std::make_unique<NumberField>(c);
        case FieldKind::Choice:
            return std::make_unique<ChoiceField>(c);
        case FieldKind::Text:
            return std::make_unique<TextField>(c);
        case FieldKind::Check:
            return std::make_unique<CheckField>(c);
        case FieldKind::Button:
        case FieldKind::MenuButton:
            return std::make_unique<ButtonField>(c);
        case FieldKind::Label:
            return std::make_unique<LabelField>(c);
        case FieldKind::Progress:
            return std::make_unique<ProgressField>(c);
        case FieldKind::ScrollBar:
            return std::make_unique<ScrollBarField>(c);
        case FieldKind::Pixels:
            return MakePixelArea(c);
        case FieldKind::Legend:
            return MakeLegend(c);
        case FieldKind::Table:
            return MakeTable(c);
    }
    return nullptr;
}

}  // namespace tintorb
