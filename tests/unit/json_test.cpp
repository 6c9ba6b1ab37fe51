// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace tintorb::test {

namespace {

using cli::JsonObject;
using cli::JsonString;

struct Escape {
    std::string_view text;
    std::string_view json;
};

class JsonStrings : public ::testing::TestWithParam<Escape> {};

TEST_P(JsonStrings, EscapeWhatJsonForbidsAndKeepTheRest) {
    EXPECT_EQ(JsonString(GetParam().text), GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStrings,
    ::testing::Values(Escape{"", "\"\""}, Escape{"exact", "\"exact\""}, Escape{"a\"b\\c", R"("a\"b\\c")"},
                      Escape{"tab\there\nnew\rline", R"("tab\there\nnew\rline")"},
                      Escape{std::string_view("\0\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
                      Escape{"/\x7f caf\xc3\xa9", "\"/\x7f caf\xc3\xa9\""}));

TEST(JsonObjects, FieldsInTheOrderAdded) {
    EXPECT_EQ(JsonObject().Written(), "{}");
    EXPECT_EQ(JsonObject().Number("address", -8000).Number("score", "0.93").Text("name", "a \"b\"").Written(),
              R"({"address": -8000, "score": 0.93, "name": "a \"b\""})");
}

}  // namespace

}  // namespace tintorb::test
