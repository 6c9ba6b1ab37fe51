// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/NumberText.h"

#include <gtest/gtest.h>

#include <climits>

namespace tintorb::test {

struct Reading {
    const char* text;
    std::optional<std::int32_t> value;
};

void PrintTo(const Reading& r, std::ostream* os) {
    *os << '\'' << r.text << '\'';
}

class NumberTextRead : public ::testing::TestWithParam<Reading> {};

TEST_P(NumberTextRead, ReadsOnlyWhatTheRulesAllow) {
    EXPECT_EQ(ReadNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Decimal, NumberTextRead,
                         ::testing::Values(Reading{"0", 0}, Reading{"123", 123}, Reading{"   42", 42},
                                           Reading{"+7", 7}, Reading{"-7", -7},
                                           Reading{"000000000000000000042", 42},
                                           Reading{"2147483647", INT_MAX}, Reading{"2147483648", {}},
                                           Reading{"-2147483648", INT_MIN}, Reading{"-2147483649", {}},
                                           Reading{"99999999999999999999", {}}));

INSTANTIATE_TEST_SUITE_P(Hexadecimal, NumberTextRead,
                         ::testing::Values(Reading{"$1F40", 8000}, Reading{"x1f", 31}, Reading{"X1F", 31},
                                           Reading{"0x1F", 31}, Reading{"0Xa", 10}, Reading{" -$10", -16},
                                           Reading{"+$10", 16}, Reading{"$0000000000FF", 255},
                                           Reading{"$7FFFFFFF", INT_MAX}, Reading{"$80000000", INT_MIN},
                                           Reading{"$FFFFFFFF", -1}, Reading{"-$FFFFFFFF", 1},
                                           Reading{"-0x80000000", INT_MIN}, Reading{"$100000000", {}}));

INSTANTIATE_TEST_SUITE_P(NoNumber, NumberTextRead,
                         ::testing::Values(Reading{"", {}}, Reading{"   ", {}}, Reading{"\t5", {}},
                                           Reading{"5 ", {}}, Reading{"- 5", {}}, Reading{"-", {}},
                                           Reading{"+", {}}, Reading{"--1", {}}, Reading{"$", {}},
                                           Reading{"x", {}}, Reading{"0x", {}}, Reading{"-$", {}},
                                           Reading{"$ 1", {}}, Reading{"$G", {}}, Reading{"0x-1", {}},
                                           Reading{"12a", {}}, Reading{"1e3", {}}, Reading{"00x1", {}}));

TEST(NumberTextHex, UppercaseAndPaddedToTheMinimum) {
    EXPECT_EQ(HexText(0), "0");
    EXPECT_EQ(HexText(0x1F40), "1F40");
    EXPECT_EQ(HexText(0xEEE, 4), "0EEE");
    EXPECT_EQ(HexText(0xABCDEF, 4), "ABCDEF");
    EXPECT_EQ(HexText(0xA, 8), "0000000A");
    EXPECT_EQ(HexText(0xFFFFFFFF), "FFFFFFFF");
}

}  // namespace tintorb::test
