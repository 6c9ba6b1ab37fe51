// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An in-memory stand-in for a tool window: it keeps each field's state as the window's widgets would, hands
// the user's actions to the session's one entry point, and does the session's work at once, polling it until
// it ends (or leaves the polls to the test). Tests drive a panel through it and read back what a user would
// see.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Panel.h"

namespace tintorb::test {

class MemoryPanel : public PanelControls {
  public:
    // Unsettled, the session's work goes on until the test polls it.
    explicit MemoryPanel(PanelSession& session, bool settled = true);

    // PanelControls interface.
    [[nodiscard]] int Value(int field) const override { return state(field).value; }
    void SetValue(int field, int value) override { state(field).value = value; }
    [[nodiscard]] std::string Text(int field) const override { return state(field).text; }
    void SetText(int field, std::string_view text) override { state(field).text = text; }
    void SetEnabled(int field, bool enabled) override { state(field).enabled = enabled; }
    void SetVisible(int field, bool visible) override { state(field).visible = visible; }
    void SetRange(int field, int high, int page) override;
    void Refresh(int field) override { ++state(field).refreshes; }
    void ResetRows(int field) override;
    [[nodiscard]] std::optional<int> CurrentRow(int field) const override { return state(field).current; }
    void SetCurrentRow(int field, int row) override;
    [[nodiscard]] std::int64_t Now() const override { return now_; }

    // What a user does. A number box's, list's, check box's or scroll bar's new value; a text box's text
    // as its editing ends; a button pressed, or an item of its menu; a table's row activated; the pointer,
    // the wheel or a new size on a pixel area; one of the window's keys, by its name.
    void Change(int field, int value);
    void Type(int field, std::string_view text);
    void Press(int field, int item = 0);
    void Activate(int field, int row);
    void Pointer(int field, FieldAction action, int x, int y);
    void Wheel(int field, int angle);
    void Key(std::string_view key);
    // The window opens, or closes.
    void Open();
    void Close();
    // Polls the session until its work has ended; polls it once.
    void Settle();
    void Poll() { session_.Poll(*this); }
    // Time passes on the panel's clock.
    void Wait(std::int64_t milliseconds) { now_ += milliseconds; }

    // What the window is made of.
    [[nodiscard]] const PanelDescription& Description() const { return session_.Description(); }

    // What a user sees.
    [[nodiscard]] bool Visible(int field) const { return state(field).visible; }
    [[nodiscard]] bool Enabled(int field) const { return state(field).enabled; }
    [[nodiscard]] int High(int field) const { return state(field).high; }
    [[nodiscard]] int Page(int field) const { return state(field).page; }
    // How often a pixel area, legend or table was shown anew.
    [[nodiscard]] int Refreshes(int field) const { return state(field).refreshes; }
    // A table's rows as the session lists them, each its cells' texts.
    [[nodiscard]] std::vector<std::vector<std::string>> Rows(int field) const;

  private:
    struct FieldState {
        int value = 0;
        std::string text{};
        bool enabled = true;
        bool visible = true;
        int high = 0;
        int page = 0;
        int refreshes = 0;
        std::optional<int> current{};
    };

    [[nodiscard]] FieldState& state(int field) { return fields_.at(static_cast<std::size_t>(field)); }
    [[nodiscard]] const FieldState& state(int field) const {
        return fields_.at(static_cast<std::size_t>(field));
    }
    void Fire(const PanelEvent& event);

    PanelSession& session_;
    bool settled_;
    std::vector<FieldState> fields_;
    std::int64_t now_ = 0;
};

}  // namespace tintorb::test
