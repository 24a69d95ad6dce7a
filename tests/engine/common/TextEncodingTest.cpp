#include "engine/common/TextEncoding.h"

#include <gtest/gtest.h>

namespace navora {
namespace {

TEST(Latin1ToUtf8, AsciiPassesUnchanged) {
  EXPECT_EQ(Latin1ToUtf8("N  12o30,0 | W"), "N  12o30,0 | W");
  EXPECT_EQ(Latin1ToUtf8(""), "");
}

TEST(Latin1ToUtf8, HighBytesBecomeTwoByteSequences) {
  EXPECT_EQ(Latin1ToUtf8("12\xB0" "30.0"), "12\xC2\xB0" "30.0");  // degree sign
  EXPECT_EQ(Latin1ToUtf8("\x80"), "\xC2\x80");
  EXPECT_EQ(Latin1ToUtf8("\xFF"), "\xC3\xBF");
  EXPECT_EQ(Latin1ToUtf8("\xE9t\xE9"), "\xC3\xA9t\xC3\xA9");
}

TEST(Latin1ToUtf8, EmbeddedNulIsKept) {
  const std::string_view withNul("a\0\xB0", 3);
  EXPECT_EQ(Latin1ToUtf8(withNul), std::string("a\0\xC2\xB0", 4));
}

}  // namespace
}  // namespace navora
