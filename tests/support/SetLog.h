// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A log of the texts that controls read and set, to show that change handlers run nested inside the setter
// that fired them, on the in-memory controls and on the window alike.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/Layout.h"

namespace tintorb::test {

// Records every text read and every text set, with the end of each set, in the order they happen.
template <class Base>
class Logging : public Base {
  public:
    mutable std::vector<std::string> log;

    [[nodiscard]] std::string Text(Ctl c) const override {
        std::string text = Base::Text(c);
        log.push_back("read " + text);
        return text;
    }
    void SetText(Ctl c, std::string_view text) override {
        log.push_back("set " + std::string(text));
        Base::SetText(c, text);
        log.push_back("set done");
    }
};

// Whether `inner` was logged after `opening` and before the end of that set.
[[nodiscard]] inline bool LoggedInside(const std::vector<std::string>& log, const std::string& opening,
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

}  // namespace tintorb::test
