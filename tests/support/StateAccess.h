// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writable access to a form's editor state, for tests that set up a state directly (stale or odd ones
// included) instead of reaching it through events.

#include "app/Generic.h"

namespace tintorb::test {

struct StateAccess {
    [[nodiscard]] static EditorState& Of(TForm1& form) { return form.document_.state_; }
};

[[nodiscard]] inline EditorState& Mutable(TForm1& form) {
    return StateAccess::Of(form);
}

}  // namespace tintorb::test
