// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ToolWindow.h"

#include "app/Dispatcher.h"
#include "platform/FieldWidget.h"
#include "platform/QtText.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>

namespace tintorb {

namespace {

constexpr int PollMs = 20;

// Fields that take the window's spare height, and the buttons and boxes that carry their own caption.
[[nodiscard]] bool Grows(FieldKind kind) {
    return kind == FieldKind::Pixels || kind == FieldKind::Table;
}
[[nodiscard]] bool CaptionOwn(FieldKind kind) {
    return kind == FieldKind::Button || kind == FieldKind::MenuButton || kind == FieldKind::Check;
}

}  // namespace

ToolWindow::ToolWindow(QWidget& parent, PanelSession& session, Dispatcher& dispatcher)
    : QWidget(&parent, Qt::Tool), session_(session), dispatcher_(dispatcher) {
    const PanelDescription& description = session.Description();
    setObjectName(ToQString(description.name));
    setWindowTitle(ToQString(description.title));
    Build();
    resize(description.width, description.height);
    clock_.start();
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, [this] {
        session_.Poll(*this);
        if (!session_.Working()) {
            poll_.stop();
        }
    });
}

// The fields go after this part of the window: a box losing its focus as it goes must not reach the session.
ToolWindow::~ToolWindow() {
    for (QObject* child : findChildren<QObject*>()) {
        child->blockSignals(true);
    }
}

// Creation order is tab order: the fields' order.
void ToolWindow::Build() {
    const std::vector<PanelField>& fields = session_.Description().fields;
    auto* layout = new QVBoxLayout(this);
    QHBoxLayout* row = nullptr;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const PanelField& field = fields[i];
        if (i == 0 || field.row != fields[i - 1].row) {
            row = new QHBoxLayout;
            layout->addLayout(row, Grows(field.kind) ? 1 : 0);
        }
        fields_.push_back(MakeFieldWidget(
            {*this, field, static_cast<int>(i), session_, [this](const PanelEvent& event) { Fire(event); }}));
        QWidget* widget = fields_.back()->Widget();
        widget->setObjectName(ToQString(field.name));
        widget->setVisible(!field.hidden);
        if (field.pushedRight) {
            row->addStretch();
        }
        if (!field.caption.empty() && !CaptionOwn(field.kind)) {
            auto* caption = new QLabel(ToQString(field.caption), this);
            caption->setBuddy(widget);
            row->addWidget(caption);
        }
        row->addWidget(widget, field.stretch);
    }
}

tintorb::FieldWidget& ToolWindow::Field(int field) const {
    return *fields_.at(static_cast<std::size_t>(field));
}

QWidget* ToolWindow::FieldWidget(int field) const {
    return Field(field).Widget();
}

QAction* ToolWindow::Action(int field, int item) const {
    return Field(field).Action(item);
}

void ToolWindow::Raise() {
    show();
    raise();
    activateWindow();
    if (const std::optional<int> focus = session_.Description().focus) {
        FieldWidget(*focus)->setFocus();
    }
}

void ToolWindow::Open() {
    Raise();
    session_.Opened(*this);
    PollWhileWorking();
}

void ToolWindow::Present() {
    session_.Present(*this);
    PollWhileWorking();
}

void ToolWindow::Fire(const PanelEvent& event) {
    dispatcher_.Fire([&] { session_.Fire(*this, event); });
    PollWhileWorking();
}

void ToolWindow::PollWhileWorking() {
    if (session_.Working() && !poll_.isActive()) {
        poll_.start();
    }
}

int ToolWindow::Value(int field) const {
    return Field(field).Value();
}

void ToolWindow::SetValue(int field, int value) {
    Field(field).SetValue(value);
}

std::string ToolWindow::Text(int field) const {
    return Field(field).Text();
}

void ToolWindow::SetText(int field, std::string_view text) {
    Field(field).SetText(text);
}

void ToolWindow::SetEnabled(int field, bool enabled) {
    FieldWidget(field)->setEnabled(enabled);
}

void ToolWindow::SetVisible(int field, bool visible) {
    FieldWidget(field)->setVisible(visible);
}

void ToolWindow::SetRange(int field, int high, int page) {
    Field(field).SetRange(high, page);
}

void ToolWindow::Refresh(int field) {
    Field(field).Refresh();
}

void ToolWindow::ResetRows(int field) {
    Field(field).ResetRows();
}

std::optional<int> ToolWindow::CurrentRow(int field) const {
    return Field(field).CurrentRow();
}

void ToolWindow::SetCurrentRow(int field, int row) {
    Field(field).SetCurrentRow(row);
}

// The keys the session takes, by the key alone, whatever modifiers are held.
void ToolWindow::keyPressEvent(QKeyEvent* event) {
    const std::vector<std::string>& keys = session_.Description().keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const QKeySequence key = QKeySequence::fromString(ToQString(keys[i]), QKeySequence::PortableText);
        if (!key.isEmpty() && key[0].key() == event->key()) {
            return Fire({.action = FieldAction::Key, .value = static_cast<int>(i)});
        }
    }
    QWidget::keyPressEvent(event);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
    session_.Closed(*this);
    PollWhileWorking();
    QWidget::closeEvent(event);
}

}  // namespace tintorb
