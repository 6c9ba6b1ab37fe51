// SPDX-License-Identifier: GPL-3.0-or-later
// The in-memory controls stand in for the window in every unit test, so they must fire change handlers the
// way the window does: at once, inside the setter that changed the text. (The window and these controls are
// also held to the same behaviour side by side in the window tests.)

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Generic.h"
#include "support/MemoryControls.h"
#include "support/SetLog.h"

namespace tintorb::test {
namespace {

using LoggingControls = Logging<MemoryControls>;

struct Started {
    LoggingControls controls;
    TForm1 form{controls};
    Started() {
        controls.Attach(form);
        form.FormCreate();
    }
};

TEST(MemoryControlsNesting, AChangeHandlerRunsBeforeTheSetterThatFiredItReturns) {
    Started s;
    // Typing a letter fires the address box's handler, which sets "$A"; that set fires the handler again,
    // and the second run reads "$A" while the handler's own set is still in progress.
    s.controls.Type(Ctl::editAddress, "A");
    EXPECT_EQ(s.controls.Text(Ctl::editAddress), "$A");
    EXPECT_TRUE(LoggedInside(s.controls.log, "set A", "read A"));
    EXPECT_TRUE(LoggedInside(s.controls.log, "set $A", "read $A"));
    EXPECT_TRUE(LoggedInside(s.controls.log, "set A", "set $A"));
}

TEST(MemoryControlsListing, AnEditedListingKeepsNoSelectionFromTheTextBefore) {
    MemoryControls controls;
    controls.SetLines(Ctl::memoASM, std::vector<std::string>{"dc.w $0EEE"});
    controls.Select(Ctl::memoASM, 5, 5);
    controls.EditListing("");
    EXPECT_EQ(controls.SelectedText(Ctl::memoASM), "");
}

}  // namespace
}  // namespace tintorb::test
