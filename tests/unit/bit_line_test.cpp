// SPDX-License-Identifier: GPL-3.0-or-later
// The bit view's line: coloured runs at the caret, and the keys that move the caret or erase.

#include "app/BitLine.h"

#include <gtest/gtest.h>

namespace tintorb::test {

TEST(BitLine, RunsGoInAtTheCaretAndKeysStayInsideTheText) {
    constexpr Rgb Red{255, 0, 0};
    BitLine line;
    line.SetText(u"0000");
    EXPECT_EQ(line.Caret(), 0);
    line.SetCaret(2);
    line.SetInsertColour(Red);
    line.InsertText(u"11");
    EXPECT_EQ(line.Text(), u"001100");
    EXPECT_EQ(line.Caret(), 4);
    EXPECT_EQ(line.ColourAt(1), Rgb{});
    EXPECT_EQ(line.ColourAt(3), Red);
    line.Press(BitLineKey::Backspace);
    line.Type(u"x");
    EXPECT_EQ(line.Text(), u"001x00");
    EXPECT_EQ(line.ColourAt(3), Rgb{});
    line.Press(BitLineKey::End);
    line.Press(BitLineKey::Delete);
    line.Press(BitLineKey::Right);
    EXPECT_EQ(line.Caret(), 6);
    line.Press(BitLineKey::Home);
    line.Press(BitLineKey::Backspace);
    line.Press(BitLineKey::Left);
    line.Press(BitLineKey::Delete);
    EXPECT_EQ(line.Text(), u"01x00");
    EXPECT_EQ(line.Caret(), 0);
}

}  // namespace tintorb::test
