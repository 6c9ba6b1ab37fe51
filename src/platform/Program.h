#pragma once

// Who the program is to the window system, its settings and its messages.

#include <QString>

namespace tintorb {

// Names the application and its version; settings are kept under the same name.
void SetProgramIdentity();

// What Help > About Tintorb says.
[[nodiscard]] QString AboutText();

}  // namespace tintorb
