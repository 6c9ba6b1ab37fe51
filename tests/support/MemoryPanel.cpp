// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryPanel.h"

#include <algorithm>
#include <stdexcept>

namespace tintorb::test {

MemoryPanel::MemoryPanel(PanelSession& session, bool settled) : session_(session), settled_(settled) {
    for (const PanelField& field : session.Description().fields) {
        fields_.push_back({.value = field.value, .visible = !field.hidden, .high = field.high});
    }
}

void MemoryPanel::SetRange(int field, int high, int page) {
    FieldState& s = state(field);
    s.high = high;
    s.page = page;
    s.value = std::min(s.value, high);
}

void MemoryPanel::ResetRows(int field) {
    ++state(field).refreshes;
    state(field).current.reset();
}

void MemoryPanel::SetCurrentRow(int field, int row) {
    std::optional<int>& current = state(field).current;
    current = row >= 0 && row < session_.RowCount(field) ? std::optional(row) : std::nullopt;
}

void MemoryPanel::Change(int field, int value) {
    state(field).value = value;
    Fire({.field = field, .value = value});
}

void MemoryPanel::Type(int field, std::string_view text) {
    state(field).text = text;
    Fire({.field = field, .text = std::string(text)});
}

void MemoryPanel::Press(int field, int item) {
    Fire({.field = field, .action = FieldAction::Pressed, .value = item});
}

void MemoryPanel::Activate(int field, int row) {
    SetCurrentRow(field, row);
    Fire({.field = field, .action = FieldAction::Activated, .value = row});
}

void MemoryPanel::Pointer(int field, FieldAction action, int x, int y) {
    Fire({.field = field, .action = action, .x = x, .y = y});
}

void MemoryPanel::Wheel(int field, int angle) {
    Fire({.field = field, .action = FieldAction::Wheel, .value = angle});
}

void MemoryPanel::Key(std::string_view key) {
    const std::vector<std::string>& keys = session_.Description().keys;
    const auto found = std::ranges::find(keys, key);
    if (found == keys.end()) {
        throw std::invalid_argument("the window takes no such key");
    }
    Fire({.action = FieldAction::Key, .value = static_cast<int>(found - keys.begin())});
}

void MemoryPanel::Open() {
    session_.Opened(*this);
    Settle();
}

void MemoryPanel::Close() {
    session_.Closed(*this);
    Settle();
}

void MemoryPanel::Settle() {
    while (settled_ && session_.Working()) {
        session_.Poll(*this);
    }
}

void MemoryPanel::Fire(const PanelEvent& event) {
    session_.Fire(*this, event);
    Settle();
}

std::vector<std::vector<std::string>> MemoryPanel::Rows(int field) const {
    const auto columns =
        static_cast<int>(session_.Description().fields.at(static_cast<std::size_t>(field)).items.size());
    std::vector<std::vector<std::string>> rows;
    for (int row = 0; row < session_.RowCount(field); ++row) {
        std::vector<std::string>& cells = rows.emplace_back();
        for (int column = 0; column < columns; ++column) {
            cells.push_back(session_.Cell(field, row, column));
        }
    }
    return rows;
}

}  // namespace tintorb::test
