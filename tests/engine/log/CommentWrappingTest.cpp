#include "engine/log/CommentWrapping.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace navora {
namespace {

using Lines = std::vector<std::string>;

TEST(CommentWrappingTest, CommentIsHeadedAndEmptyCommentLogsNothing) {
  Lines lines = {"stale"};
  EXPECT_EQ(FormatCommentLines("", lines), 1);
  EXPECT_TRUE(lines.empty());
  ASSERT_EQ(FormatCommentLines(std::string(100, 'a'), lines), 0);
  EXPECT_EQ(lines, (Lines{"", "COMMENT:", std::string(78, 'a'), std::string(22, 'a')}));
}

TEST(CommentWrappingTest, BreakFallsAtTheSpaceAfter78OrAfterTheLastSpace) {
  const std::string first78 = std::string(70, 'b') + " " + std::string(7, 'c');
  // The 79th character is a space: break after the 78th, drop that space.
  EXPECT_EQ(WrapTextLines(first78 + " tail"), (Lines{first78, "tail"}));
  // Otherwise the last space within the first 78 ends the line.
  EXPECT_EQ(WrapTextLines(first78 + "dd tail"),
            (Lines{std::string(70, 'b') + " ", std::string(7, 'c') + "dd tail"}));
  // Only the one space at the break is dropped.
  EXPECT_EQ(WrapTextLines(std::string(78, 'e') + "   f"), (Lines{std::string(78, 'e'), "  f"}));
  EXPECT_EQ(WrapTextLines(std::string(78, 'g') + " "), (Lines{std::string(78, 'g')}));
}

TEST(CommentWrappingTest, LineEndsAreCrLfOrLoneLf) {
  EXPECT_EQ(WrapTextLines("one\r\ntwo\nthree"), (Lines{"one", "two", "three"}));
  EXPECT_EQ(WrapTextLines("a\r\n\r\nb\n"), (Lines{"a", "", "b"}));
  EXPECT_EQ(WrapTextLines("carriage\rreturn"), (Lines{"carriage\rreturn"}));
}

}  // namespace
}  // namespace navora
