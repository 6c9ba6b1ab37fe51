// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One field of a tool window as a widget: built from its description, it hands what the user does to the
// window, and does what the session's field operations ask of it. One adaptor per kind of field; what a kind
// has no use for does nothing.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/Panel.h"

class QAction;
class QWidget;

namespace tintorb {

class FieldWidget {
  public:
    virtual ~FieldWidget() = default;

    [[nodiscard]] virtual QWidget* Widget() const = 0;
    [[nodiscard]] virtual int Value() const { return 0; }
    // Setting a value, text or range fires nothing back to the session.
    virtual void SetValue(int) {}
    [[nodiscard]] virtual std::string Text() const { return {}; }
    virtual void SetText(std::string_view) {}
    virtual void SetRange(int, int) {}
    virtual void Refresh() {}
    virtual void ResetRows() {}
    [[nodiscard]] virtual std::optional<int> CurrentRow() const { return std::nullopt; }
    virtual void SetCurrentRow(int) {}
    // An item of a button's menu.
    [[nodiscard]] virtual QAction* Action(int) const { return nullptr; }
};

// What a field is built from: its place among the session's fields, and where its events go.
struct FieldContext {
    QWidget& parent;
    const PanelField& field;
    int index;
    const PanelSession& session;
    std::function<void(const PanelEvent&)> fire;

    void Fire(FieldAction action, int value = 0, std::string text = {}) const {
        fire({.field = index, .action = action, .value = value, .text = std::move(text)});
    }
};

[[nodiscard]] std::unique_ptr<FieldWidget> MakeFieldWidget(const FieldContext& context);
// The fields that read the session: a pixel area, a legend, a table.
[[nodiscard]] std::unique_ptr<FieldWidget> MakePixelArea(const FieldContext& context);
[[nodiscard]] std::unique_ptr<FieldWidget> MakeLegend(const FieldContext& context);
[[nodiscard]] std::unique_ptr<FieldWidget> MakeTable(const FieldContext& context);

// An adaptor over one widget of its own.
template <class Held>
class FieldOf : public FieldWidget {
  public:
    explicit FieldOf(Held* widget) : widget_(widget) {}
    [[nodiscard]] QWidget* Widget() const override { return widget_; }

  protected:
    Held* widget_;
};

}  // namespace tintorb
