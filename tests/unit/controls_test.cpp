// The in-memory controls stand in for the window in every unit test, so they must fire change handlers the
// way the window does: at once, inside the setter that changed the text. (The window and these controls are
// also held to the same behaviour side by side in the window tests.)

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/Generic.h"
#include "support/MemoryControls.h"

namespace tintorb::test {
namespace {

// Records every text read and every text set, with the end of each set, in the order they happen.
class LoggingControls : public MemoryControls {
  public:
    mutable std::vector<std::string> log;

    [[nodiscard]] std::string Text(Ctl c) const override {
        std::string text = MemoryControls::Text(c);
        log.push_back("read " + text);
        return text;
    }
    void SetText(Ctl c, std::string_view text) override {
        log.push_back("set " + std::string(text));
        MemoryControls::SetText(c, text);
        log.push_back("set done");
    }
};

// Whether `inner` was logged after `opening` and before the end of that set.
[[nodiscard]] bool LoggedInside(const std::vector<std::string>& log, const std::string& opening,
                                const std::string& inner) {
    auto at = std::find(log.begin(), log.end(), opening);
    if (at == log.end()) {
        return false;
    }
    int depth = 1;
    for (++at; at != log.end(); ++at) {
        if (*at == inner) {
            return true;
        }
        if (*at == "set done") {
            if (--depth == 0) {
                return false;
            }
        } else if (at->starts_with("set ")) {
            ++depth;
        }
    }
    return false;
}

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

}  // namespace
}  // namespace tintorb::test
