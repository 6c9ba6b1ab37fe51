// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Generic.h"

#include <algorithm>

namespace tintorb {

void TForm1::FormCreate() {
    // The surface covers the screen, but never less than the client area, so that every drawn area lies
    // on it even on a screen smaller than the window.
    const ScreenSize screen = controls_.Screen();
    surface_.emplace(std::max(screen.width, ClientWidth), std::max(screen.height, ClientHeight));
    surface_->ClearSurface(BackgroundColour, ClientWidth, ClientHeight);
    ClearBrowser();
}

void TForm1::ClearBrowser() {
    const Rect r = RectOf(Ctl::areaBrowser);
    surface_->FillBox(BackgroundColour, r.left, r.top, r.width, r.height);
}

void TForm1::ClearPaletteAreas() {
    for (const Ctl area : {Ctl::areaPal, Ctl::areaRGB}) {
        const Rect r = RectOf(area);
        surface_->FillBox(BackgroundColour, r.left, r.top, r.width, r.height);
    }
}

}  // namespace tintorb
