// The worksheet file: its bytes, its length prefixes, and what a damaged file
// still gives back.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/worksheet/SdfFile.h"
#include "support/TemporaryDirectory.h"
#include "tests/app/worksheet/SampleWorksheets.h"

namespace navora {
namespace {

std::string Fixture(const std::string& name) {
  std::ifstream file(std::string(NAVORA_FIXTURE_DIR) + "/worksheet/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

struct Golden {
  const char* file;
  RichText document;
};

TEST(SdfFile, GoldenFilesAreWrittenAndReadByteForByte) {
  const Golden goldens[] = {{"almanac_report.sdf", testing::AlmanacReport()},
                            {"formatted_notes.sdf", testing::FormattedNotes()}};
  for (const Golden& golden : goldens) {
    SCOPED_TRACE(golden.file);
    const std::string bytes = Fixture(golden.file);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(WriteSdf(golden.document), bytes);
    RichText read;
    EXPECT_EQ(ReadSdf(bytes, read).status, SdfStatus::kOk);
    EXPECT_EQ(read, golden.document);
  }
  // The plain-text copy is Latin-1 with CR LF line ends.
  EXPECT_EQ(Fixture("almanac_report.sdf").substr(0, 10), std::string("\x03sdf\x46SUN  ", 10));
  EXPECT_NE(Fixture("almanac_report.sdf")
                .find("358\xB0"
                      "07,2'"),
            std::string::npos);
  EXPECT_NE(Fixture("almanac_report.sdf").find("UT\r\n GHA"), std::string::npos);
}

struct PrefixCase {
  size_t length;
  std::vector<uint8_t> prefix;
};

TEST(SdfFile, LengthPrefixTakesOneThreeOrSevenBytes) {
  const PrefixCase cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {65534, {0xFF, 0xFE, 0xFF}},
      {65535, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
      {65536, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
  };
  for (const PrefixCase& test : cases) {
    SCOPED_TRACE(test.length);
    const std::string text(test.length, 'x');
    std::string out;
    AppendLengthPrefixed(out, text);
    ASSERT_EQ(out.size(), test.prefix.size() + test.length);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + test.prefix.size()), test.prefix);

    // A worksheet whose text has this length is written with this prefix and
    // reads back whole; one byte short of its end, the text is truncated.
    RichText document;
    AppendText(document, text, CharFormat{});
    const std::string file = WriteSdf(document);
    EXPECT_EQ(file.substr(4, test.prefix.size()), out.substr(0, test.prefix.size()));
    RichText read;
    EXPECT_EQ(ReadSdf(file, read).status, SdfStatus::kOk);
    EXPECT_EQ(read, document);
    const std::string cut = file.substr(0, 4 + out.size() - 1);
    EXPECT_EQ(ReadSdf(cut, read).status, SdfStatus::kTextTruncated);
  }
}

TEST(SdfFile, LongerPrefixFormsAreAcceptedForShortStrings) {
  size_t position = 0;
  std::string_view value;
  const std::string escaped16("\xFF\x03\x00sdf", 6);
  ASSERT_TRUE(ReadLengthPrefixed(escaped16, position, value));
  EXPECT_EQ(value, "sdf");
  position = 0;
  const std::string escaped32("\xFF\xFF\xFF\x03\x00\x00\x00sdf", 10);
  ASSERT_TRUE(ReadLengthPrefixed(escaped32, position, value));
  EXPECT_EQ(value, "sdf");
  EXPECT_EQ(position, escaped32.size());
}

struct DamageCase {
  const char* what;
  std::string bytes;
  SdfStatus status;
};

TEST(SdfFile, DamageIsNamedAndADamagedRichTextOpensFromThePlainText) {
  const std::string header(
      "\x03sdf\x0C"
      "49\xB0"
      "N\r\nline 2",
      17);
  const DamageCase cases[] = {
      {"empty", "", SdfStatus::kNotAWorksheet},
      {"other marker", std::string("\x03sdx\x00", 5), SdfStatus::kNotAWorksheet},
      {"marker cut", "\x03sd", SdfStatus::kNotAWorksheet},
      {"16-bit length cut", std::string("\x03sdf\xFF\x10", 6), SdfStatus::kTextTruncated},
      {"32-bit length past the end", std::string("\x03sdf\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 11),
       SdfStatus::kTextTruncated},
      {"no rich text", header, SdfStatus::kPlainTextOnly},
      {"rich text cut", header + "{\\rtf1{\\b bold}", SdfStatus::kPlainTextOnly},
      {"rich text nested too deeply", header + "{\\rtf1" + std::string(300, '{'),
       SdfStatus::kPlainTextOnly},
  };
  for (const DamageCase& test : cases) {
    SCOPED_TRACE(test.what);
    RichText read;
    EXPECT_EQ(ReadSdf(test.bytes, read).status, test.status);
    if (test.status == SdfStatus::kPlainTextOnly) {
      RichText expected;
      AppendText(expected, "49\xC2\xB0N\nline 2", CharFormat{});
      EXPECT_EQ(read, expected);
    } else {
      EXPECT_TRUE(read.runs.empty());
    }
  }
}

TEST(SdfFile, SavedWorksheetOpensAgainAndAFailedSaveKeepsTheOldFile) {
  testing::TemporaryDirectory directory;
  const std::string path = directory.File("WorkSheet1.sdf");
  ASSERT_EQ(WriteSdfFile(path, testing::FormattedNotes()), SdfStatus::kOk);
  RichText read;
  EXPECT_EQ(ReadSdfFile(path, read).status, SdfStatus::kOk);
  EXPECT_EQ(read, testing::FormattedNotes());

  const std::string missing = directory.File("no-such-dir/WorkSheet2.sdf");
  EXPECT_EQ(WriteSdfFile(missing, read), SdfStatus::kCannotWrite);
  EXPECT_EQ(ReadSdfFile(missing, read).status, SdfStatus::kCannotRead);
  EXPECT_TRUE(read.runs.empty());
}

}  // namespace
}  // namespace navora
