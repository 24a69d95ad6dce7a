// The RTF writer and reader: what the writer emits reads back to the same
// runs, ordinary word-processor RTF reads to its text, and damaged streams
// end in a status.

#include <gtest/gtest.h>

#include <string>

#include "app/worksheet/RtfReader.h"
#include "app/worksheet/RtfWriter.h"
#include "tests/app/worksheet/SampleWorksheets.h"

namespace navora {
namespace {

RichText OneRun(const std::string& text, const CharFormat& format = CharFormat{}) {
  RichText document;
  AppendText(document, text, format);
  return document;
}

struct EncodingCase {
  const char* what;
  std::string text;  // UTF-8
  std::string written;
};

TEST(Rtf, CharactersAreWrittenInTheirRtfFormAndReadBack) {
  const EncodingCase cases[] = {
      {"degree sign as a Latin-1 byte",
       "49\xC2\xB0"
       "30'",
       "49\\'b030'"},
      {"Latin-1 letters", "\xC3\xA9t\xC3\xA9", "\\'e9t\\'e9"},
      {"Greek", "\xCE\x94\xCE\xBB", "\\u916?\\u955?"},
      {"above U+7FFF as a negative unit", "\xEF\xBC\xA1", "\\u-223?"},
      {"beyond U+FFFF as a surrogate pair", "\xF0\x9F\xA7\xAD", "\\u-10178?\\u-8723?"},
      {"C1 control not taken for code page 1252", "\xC2\x93", "\\u147?"},
      {"RTF's own characters", "\\{x}", "\\\\\\{x\\}"},
      {"lines and tabs", "a\tb\nc", "a\\tab b\\par\r\nc"},
      {"other control characters", std::string("a\rb\x01", 4), "a\\'0db\\'01"},
  };
  for (const EncodingCase& test : cases) {
    SCOPED_TRACE(test.what);
    const RichText document = OneRun(test.text);
    const std::string rtf = WriteRtf(document);
    EXPECT_NE(rtf.find(" " + test.written + "}"), std::string::npos) << rtf;
    RichText read;
    ASSERT_EQ(ReadRtf(rtf, read), RtfStatus::kOk);
    EXPECT_EQ(read, document);
  }
}

TEST(Rtf, FormatsRoundTripAndOnlyChangesAreWritten) {
  const RichText notes = testing::FormattedNotes();
  const std::string rtf = WriteRtf(notes);
  EXPECT_TRUE(
      rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl"
                      "{\\f0\\fnil\\fcharset0 Arial;}{\\f1\\fnil\\fcharset0 Courier New;}}"))
      << rtf;
  EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;}"),
            std::string::npos);
  EXPECT_NE(rtf.find("\\f0\\fs24\\b\\i0\\ulnone\\cf1 Noon"), std::string::npos);
  EXPECT_NE(rtf.find("\\f1\\fs18\\b0\\cf0 "), std::string::npos);
  EXPECT_NE(rtf.find("\\i0\\ul\\cf2 check"), std::string::npos);
  RichText read;
  ASSERT_EQ(ReadRtf(rtf, read), RtfStatus::kOk);
  EXPECT_EQ(read, notes);

  ASSERT_EQ(ReadRtf(WriteRtf(RichText{}), read), RtfStatus::kOk);
  EXPECT_TRUE(read.runs.empty());

  // Face names are text like any other, less the ';' that ends an entry.
  CharFormat mincho;
  mincho.face = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D;{\xC3\xA9}";
  ASSERT_EQ(ReadRtf(WriteRtf(OneRun("x", mincho)), read), RtfStatus::kOk);
  mincho.face = "\xEF\xBC\xAD\xEF\xBC\xB3 \xE6\x98\x8E\xE6\x9C\x9D{\xC3\xA9}";
  EXPECT_EQ(read, OneRun("x", mincho));
}

// As a word processor saves it: a header full of tables and destinations the
// worksheet does not keep, code page 1252 quotes, \uN with a two-byte
// fallback, a picture with binary data, and formats in nested groups.
TEST(Rtf, WordProcessorDocumentReadsToItsText) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff1\\deflang2057"
      "{\\fonttbl{\\f0\\froman\\fcharset0\\fprq2{\\*\\panose 02020603050405020304}Times New Roman;}"
      "{\\f1\\fmodern\\fcharset0\\fprq1 Courier New{\\*\\falt Courier};}}\r\n"
      "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;}\r\n"
      "{\\stylesheet{\\ql \\f1\\fs20 Normal;}{\\s1 heading 1;}}\r\n"
      "{\\*\\generator Some Writer 1.0;}{\\info{\\title Log}{\\author Mate}}\r\n"
      "\\paperw11906\\paperh16838\\viewkind4\\uc1\\pard\\plain\\fs20 "
      "Fix at 12:00: \\'9349\\'b030'N\\'94\r\n"
      "{\\b\\f0 bold}{\\i\\cf2  red italic}\\par\n"
      "\\uc2 Smaller\\u8804\\'3c\\'3dthan{\\*\\bkmkstart here}\\line "
      "{\\pict\\pngblip\\picw10 \\bin4 }}{{ 89504e47}"
      "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}\\par\n"
      "}trailing bytes after the document";
  RichText read;
  ASSERT_EQ(ReadRtf(rtf, read), RtfStatus::kOk);
  CharFormat plain{"Courier New", 20, false, false, false, std::nullopt};
  CharFormat bold = plain;
  bold.face = "Times New Roman";
  bold.bold = true;
  CharFormat redItalic = plain;
  redItalic.italic = true;
  redItalic.colour = RgbColour{192, 0, 0};
  RichText expected;
  AppendText(expected,
             "Fix at 12:00: \xE2\x80\x9C"
             "49\xC2\xB0"
             "30'N\xE2\x80\x9D",
             plain);
  AppendText(expected, "bold", bold);
  AppendText(expected, " red italic", redItalic);
  AppendText(expected, "\nSmaller\xE2\x89\xA4than\nlink\n", plain);
  EXPECT_EQ(read, expected);
}

struct StatusCase {
  const char* what;
  std::string rtf;
  RtfStatus status;
};

TEST(Rtf, StreamsThatCannotBeReadWholeEndInAStatus) {
  const StatusCase cases[] = {
      {"empty", "", RtfStatus::kNotRtf},
      {"plain text", "hello", RtfStatus::kNotRtf},
      {"cut inside a group", "{\\rtf1 text{\\b more", RtfStatus::kTruncated},
      {"cut inside a control word", "{\\rtf1 text\\u12", RtfStatus::kTruncated},
      {"cut inside binary data", "{\\rtf1 {\\pict\\bin999999 abc", RtfStatus::kTruncated},
      {"nested too deeply", "{\\rtf1" + std::string(kMaxRtfDepth + 1, '{'), RtfStatus::kTooDeep},
      {"nested to the limit",
       "{\\rtf1" + std::string(kMaxRtfDepth - 1, '{') + std::string(kMaxRtfDepth, '}'),
       RtfStatus::kOk},
      {"huge parameters", "{\\rtf1\\uc99999999999\\u99999999999 x\\fs-99999999999 y}",
       RtfStatus::kOk},
  };
  for (const StatusCase& test : cases) {
    SCOPED_TRACE(test.what);
    RichText read;
    EXPECT_EQ(ReadRtf(test.rtf, read), test.status);
  }
  // What was read before the cut is kept for the caller to judge.
  RichText read;
  ASSERT_EQ(ReadRtf("{\\rtf1 text{\\b more", read), RtfStatus::kTruncated);
  EXPECT_EQ(PlainText(read), "textmore");
}

TEST(Rtf, DamagedUnicodeBecomesReplacementCharacters) {
  RichText read;
  // A high surrogate without its partner, a lone low surrogate, and a pair
  // split by a group boundary.
  ASSERT_EQ(ReadRtf("{\\rtf1\\uc0\\u-10180 a\\u-8659 b{\\u-10180}\\u-8659 }", read),
            RtfStatus::kOk);
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(PlainText(read), replacement + "a" + replacement + "b" + replacement + replacement);
  // Malformed UTF-8 in memory is written as U+FFFD, never as raw bytes.
  EXPECT_NE(WriteRtf(OneRun("x\xC3")).find("x\\u-3?"), std::string::npos);
}

}  // namespace
}  // namespace navora
