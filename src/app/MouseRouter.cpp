// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MouseRouter.h"

namespace tintorb {

std::optional<Ctl> AreaAt(int x, int y) {
    // imgMain is stretched over the whole client area at start-up, whatever its size in the layout.
    if (!Rect{0, 0, ClientWidth, ClientHeight}.Contains(x, y)) {
        return std::nullopt;
    }
    // A later control lies above an earlier one, so the last area that contains the point is on top.
    for (auto it = Layout.rbegin(); it != Layout.rend(); ++it) {
        if (it->kind == ControlKind::Area && it->rect.Contains(x, y)) {
            return it->id;
        }
    }
    return Ctl::imgMain;
}

std::optional<RoutedMouse> MouseRouter::Route(MouseAction action, MouseButton button, int x, int y,
                                              bool covered) const {
    std::optional<Ctl> area = captured_;
    if (!area) {
        if (covered) {
            return std::nullopt;
        }
        area = AreaAt(x, y);
        if (!area) {
            return std::nullopt;
        }
    }
    const Rect r = RectOf(*area);
    return RoutedMouse{*area, action, button, x - r.left, y - r.top};
}

std::optional<RoutedMouse> MouseRouter::Press(MouseButton button, int x, int y, bool covered) {
    std::optional<RoutedMouse> routed = Route(MouseAction::Down, button, x, y, covered);
    if (routed && button == MouseButton::Left && !captured_) {
        captured_ = routed->area;
    }
    return routed;
}

std::optional<RoutedMouse> MouseRouter::Move(int x, int y, bool covered) {
    return Route(MouseAction::Move, MouseButton::Left, x, y, covered);
}

std::optional<RoutedMouse> MouseRouter::Release(MouseButton button, int x, int y, bool covered) {
    std::optional<RoutedMouse> routed = Route(MouseAction::Up, button, x, y, covered);
    if (button == MouseButton::Left) {
        captured_.reset();
    }
    return routed;
}

}  // namespace tintorb
