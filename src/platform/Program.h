// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who the program is to the window system, its settings and its messages.

#include <QIcon>
#include <QString>

namespace tintorb {

// Names the application and its version; settings are kept under the same name.
void SetProgramIdentity();

// What Help > About Tintorb says.
[[nodiscard]] QString AboutText();

// Four palette cells: what the program is about, at a glance in the task bar.
[[nodiscard]] QIcon ProgramIcon();

}  // namespace tintorb
