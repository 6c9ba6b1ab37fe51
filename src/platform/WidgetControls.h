// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The form's controls as Qt widgets: each control of the layout table built in the client area, and the
// control operations on them. Setting a text or a scroll position fires the control's change handler from
// inside the Qt call, before it returns. The areas are regions of one surface view, which shows the form's
// surface.

#include <array>
#include <string>
#include <vector>

#include "app/Controls.h"
#include "app/Layout.h"

#include <QWidget>

class QLabel;

namespace tintorb {

class Dispatcher;
class SurfaceView;
class TForm1;

class WidgetControls : public virtual ControlOperations {
  public:
    // The widget that shows a control. The areas are regions of the surface view, so they answer it.
    [[nodiscard]] QWidget* WidgetOf(Ctl c) const;
    // The caption above the address box.
    [[nodiscard]] QLabel* AddressLabel() const { return addressCaption_; }

    [[nodiscard]] std::string Text(Ctl c) const override;
    void SetText(Ctl c, std::string_view text) override;
    void SetCaret(Ctl c, int position) override;
    void SetVisible(Ctl c, bool visible) override;
    void SetEnabled(Ctl c, bool enabled) override;
    [[nodiscard]] bool Checked(Ctl c) const override;
    [[nodiscard]] int ItemIndex(Ctl c) const override;
    void SetScrollMax(Ctl c, int maximum) override;
    void SetScrollPos(Ctl c, int position) override;
    [[nodiscard]] int ScrollPos(Ctl c) const override;
    [[nodiscard]] std::vector<std::string> Lines(Ctl c) const override;
    void SetLines(Ctl c, std::span<const std::string> lines) override;
    void Clear(Ctl c) override;
    void SetFocus(Ctl c) override;
    void Select(Ctl c, int start, int length) override;
    // The listing box counts a line break as one character.
    [[nodiscard]] int LineBreakLength(Ctl) const override { return 1; }
    void SetInsertColour(Ctl c, Rgb colour) override;
    void InsertText(Ctl c, std::string_view text) override;
    void Present() override;

  protected:
    // The area of the layout's size, in the form's font, that every control is placed in.
    [[nodiscard]] static QWidget* NewClientArea(QWidget* parent);
    // Every control of the layout in client; creation order is stacking order, and the tab order follows
    // the layout's. form's surface is what Present shows, and dispatcher where the handlers that the
    // setters fire hand on their errors.
    void BuildControls(QWidget* client, TForm1& form, Dispatcher& dispatcher);
    // The widget of a control as the kind of widget it is; null when it is no such widget.
    template <class Widget>
    [[nodiscard]] Widget* WidgetAs(Ctl c) const {
        return qobject_cast<Widget*>(widgets_[static_cast<std::size_t>(c)]);
    }
    [[nodiscard]] SurfaceView* SurfaceWidget() const { return surface_; }

  private:
    [[nodiscard]] QWidget* BuildControl(QWidget* client, const ControlLayout& entry);
    void BuildAddressCaption(QWidget* client);
    void SetTabOrder();
    // Labels size themselves to their text and paint their own background behind it; the pointer passes
    // through them to the areas below.
    static void FitLabel(QLabel* label);

    std::array<QWidget*, Layout.size()> widgets_{};
    SurfaceView* surface_ = nullptr;
    QLabel* addressCaption_ = nullptr;
    TForm1* form_ = nullptr;
    Dispatcher* dispatcher_ = nullptr;
};

}  // namespace tintorb
