// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorMessage.h"
#include "app/MouseRouter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string_view>

namespace tintorb::test {
namespace {

struct AreaCase {
    std::string_view name;
    int x;
    int y;
    std::optional<Ctl> area;  // nothing: outside the client area
};

TEST(AreaAt, FindsTheTopmostAreaUnderAClientPoint) {
    constexpr AreaCase Cases[] = {
        {"browser's top-left pixel", 416, 32, Ctl::areaBrowser},
        {"browser's bottom-right pixel", 927, 543, Ctl::areaBrowser},
        {"margin left of the browser", 415, 32, Ctl::areaBrowserOut},
        {"margin below the browser", 927, 544, Ctl::areaBrowserOut},
        {"margin's last pixel", 944, 568, Ctl::areaBrowserOut},
        {"palette's first pixel", 8, 136, Ctl::areaPal},
        {"palette left of the margin", 399, 295, Ctl::areaPal},
        {"palette and margin overlap", 403, 200, Ctl::areaBrowserOut},
        {"picker", 247, 425, Ctl::areaRGB},
        {"no area", 0, 0, Ctl::imgMain},
        {"last client pixel", 952, 656, Ctl::imgMain},
        {"left of the client area", -1, 10, std::nullopt},
        {"below the client area", 10, 657, std::nullopt},
    };
    for (const AreaCase& c : Cases) {
        EXPECT_EQ(AreaAt(c.x, c.y), c.area) << c.name;
    }
}

TEST(ErrorMessageText, MakesTheTextASentence) {
    constexpr std::string_view Cases[][2] = {
        {"File not found", "File not found."},
        {"Disk full.", "Disk full."},
        {"Stop!", "Stop!"},            // ends in a character that sorts before the full stop
        {"I/O error ", "I/O error "},  // a space too
        {"I/O error 5", "I/O error 5."},
        {"/tmp/", "/tmp/."},  // a slash sorts after it
    };
    for (const auto& c : Cases) {
        EXPECT_EQ(ErrorMessageText(c[0]), c[1]);
    }
}

}  // namespace
}  // namespace tintorb::test
