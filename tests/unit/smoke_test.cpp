// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "support/FormHarness.h"

namespace tintorb::test {

TEST(FormCreate, ClearsTheClientAreaToTheBackground) {
    FormHarness h;
    EXPECT_EQ(h.form.surface().PixelAt(0, 0), BackgroundColour);
}

}  // namespace tintorb::test
