#include "engine/common/TextEncoding.h"

#include <gtest/gtest.h>

namespace navora {
namespace {

TEST(Latin1ToUtf8, AsciiKeptHighBytesDoubled) {
  EXPECT_EQ(Latin1ToUtf8("N  12o30,0 |"), "N  12o30,0 |");
  EXPECT_EQ(Latin1ToUtf8("12\xB0" "30.0"), "12\xC2\xB0" "30.0");  // degree sign
  EXPECT_EQ(Latin1ToUtf8("\x80\xE9\xFF"), "\xC2\x80\xC3\xA9\xC3\xBF");
  EXPECT_EQ(Latin1ToUtf8(std::string_view("a\0\xB0", 3)), std::string("a\0\xC2\xB0", 4));
}

}  // namespace
}  // namespace navora
