// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Which area a mouse event over the surface belongs to. The areas are not widgets of their own: they are
// rectangles of the layout, stacked in creation order, and the surface view hands each event to the
// topmost one under the pointer, or to the one a left press captured.

#include <optional>

#include "app/Controls.h"
#include "app/Layout.h"

namespace tintorb {

enum class MouseAction { Down, Move, Up };

struct RoutedMouse {
    // The area that receives the event; imgMain when the pointer is over no area (nothing handles it).
    Ctl area = Ctl::imgMain;
    MouseAction action = MouseAction::Move;
    // The button pressed or released; a move carries Left and it means nothing there.
    MouseButton button = MouseButton::Left;
    // Relative to the area's rectangle; negative or past its edge while a captured drag is outside it.
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const RoutedMouse&, const RoutedMouse&) = default;
};

// The topmost area containing the client point, imgMain where no area lies, nothing outside the client area.
[[nodiscard]] std::optional<Ctl> AreaAt(int x, int y);

// A left press captures the area it lands on: until the left button is released, every event goes there.
// Other buttons capture nothing, so their moves and release go to whatever area is under the pointer then.
// `covered` says a windowed control lies at the point: the pointer is then over no area at all.
class MouseRouter {
  public:
    [[nodiscard]] std::optional<RoutedMouse> Press(MouseButton button, int x, int y, bool covered);
    [[nodiscard]] std::optional<RoutedMouse> Move(int x, int y, bool covered);
    [[nodiscard]] std::optional<RoutedMouse> Release(MouseButton button, int x, int y, bool covered);

    // Ends a capture without a release, as when an error interrupts a drag.
    void ReleaseCapture() { captured_.reset(); }
    [[nodiscard]] std::optional<Ctl> Captured() const { return captured_; }

  private:
    [[nodiscard]] std::optional<RoutedMouse> Route(MouseAction action, MouseButton button, int x, int y,
                                                   bool covered) const;

    std::optional<Ctl> captured_;
};

}  // namespace tintorb
