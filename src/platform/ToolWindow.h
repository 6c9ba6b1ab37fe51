// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A tool window beside the main window, built from its session's panel description: a widget for each field,
// in rows. It hands every user action to the session's one entry point through the dispatcher, which shows
// the file errors that end it, shows what the session says, and polls the session while it is working. It
// holds no behaviour of its own.

#include <memory>
#include <vector>

#include "app/Panel.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

class QAction;

namespace tintorb {

class Dispatcher;
class FieldWidget;

class ToolWindow : public QWidget, public PanelControls {
  public:
    ToolWindow(QWidget& parent, PanelSession& session, Dispatcher& dispatcher);
    ~ToolWindow() override;

    // Shows the window in front, the description's field taking the keys.
    void Raise();
    // Raises the window and tells the session it opened.
    void Open();
    // Shows what the session holds now, and polls it while it works.
    void Present();

    // For the window tests: a field's widget, and an item of a field's menu.
    [[nodiscard]] QWidget* FieldWidget(int field) const;
    [[nodiscard]] QAction* Action(int field, int item) const;

    [[nodiscard]] int Value(int field) const override;
    void SetValue(int field, int value) override;
    [[nodiscard]] std::string Text(int field) const override;
    void SetText(int field, std::string_view text) override;
    void SetEnabled(int field, bool enabled) override;
    void SetVisible(int field, bool visible) override;
    void SetRange(int field, int high, int page) override;
    void Refresh(int field) override;
    void ResetRows(int field) override;
    [[nodiscard]] std::optional<int> CurrentRow(int field) const override;
    void SetCurrentRow(int field, int row) override;
    [[nodiscard]] std::int64_t Now() const override { return clock_.elapsed(); }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void Build();
    [[nodiscard]] tintorb::FieldWidget& Field(int field) const;
    void Fire(const PanelEvent& event);
    void PollWhileWorking();

    PanelSession& session_;
    Dispatcher& dispatcher_;
    std::vector<std::unique_ptr<tintorb::FieldWidget>> fields_;
    QElapsedTimer clock_;
    QTimer poll_;
};

}  // namespace tintorb
