// SPDX-License-Identifier: GPL-3.0-or-later
// The one dispatch point: a file error ends the handler it was thrown in and every handler around it, and
// is shown once, after the outermost one.

#include "app/Dispatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintorb::test {

TEST(Dispatcher, AnErrorOfANestedHandlerEndsTheOuterOneAndIsShownOnce) {
    std::vector<std::string> log;
    Dispatcher dispatcher([&](const FileError& e) { log.push_back(std::string("shown ") + e.what()); },
                          [&] { log.emplace_back("settled"); });
    dispatcher.Fire([&] {
        // A setter fires the control's handler at once, then hands its error on.
        dispatcher.Fire([] { throw FileError("nested"); });
        log.emplace_back("setter returned");
        dispatcher.RethrowPending();
        log.emplace_back("outer went on");
    });
    dispatcher.Fire([&] { log.emplace_back("next handler"); });
    EXPECT_EQ(log, (std::vector<std::string>{"setter returned", "shown nested", "settled", "next handler",
                                             "settled"}));
}

}  // namespace tintorb::test
