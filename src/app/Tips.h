// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What each command and control does, in one line: the status tip of a menu item and the tooltip of a
// control. Written beside the command table and the layout, which say what runs and where it sits.

#include <string>
#include <string_view>

#include "app/Commands.h"
#include "app/Layout.h"

namespace tintorb {

// The one line on what the command does.
[[nodiscard]] std::string_view CommandTip(Command id);

// The control's tooltip: what it does, followed by its first shortcut in brackets where it has one; empty
// for a control that has none (labels, bevels, the areas of the surface).
[[nodiscard]] std::string ToolTipOf(Ctl c);

}  // namespace tintorb
