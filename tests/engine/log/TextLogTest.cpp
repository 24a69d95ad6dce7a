#include "engine/log/TextLog.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/log/TextLogCipher.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using testing::TemporaryDirectory;
using Lines = std::vector<std::string>;
const std::string kHyphens(78, '-');

class TextLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = scratch_.path();
    ASSERT_EQ(SetTextLogDirectory(log_, (directory_ + "/").c_str()), 0);
    SeedTextLogKeys(log_, 12345);
  }

  std::string FileBytes() const {
    std::ifstream in(directory_ + "/navora.slf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  Lines ReadAll() {
    Lines lines;
    std::string line;
    for (bool first = true; ReadTextLogLine(log_, first, line) == 0; first = false) {
      lines.push_back(line);
    }
    return lines;
  }

  TemporaryDirectory scratch_;
  std::string directory_;
  TextLog log_;  // closed before the directory goes
};

TEST_F(TextLogTest, DirectoryLengthAndUnopenableLog) {
  EXPECT_EQ(SetTextLogDirectory(log_, std::string(256, 'd').c_str()), 1);
  ASSERT_EQ(SetTextLogDirectory(log_, (directory_ + "/missing/").c_str()), 0);
  EXPECT_EQ(OpenTextLog(log_), 1);
  const std::string line = "x";
  EXPECT_EQ(WriteTextLogLines(log_, &line, 1), 2);
  std::string read;
  EXPECT_EQ(ReadTextLogLine(log_, true, read), 2);
}

TEST_F(TextLogTest, StoredFormAndSeparatorReadBack) {
  EXPECT_TRUE(TextLogFileIsMissingOrEmpty(log_));
  ASSERT_EQ(OpenTextLog(log_), 0);
  const Lines lines = {"DR UPDATE", "", std::string(78, 'w'), "$ not a rule", "DR UPDATE"};
  ASSERT_EQ(WriteTextLogLines(log_, lines.data(), 5), 0);
  EXPECT_FALSE(TextLogFileIsMissingOrEmpty(log_));
  EXPECT_EQ(ReadAll(), (Lines{lines[0], lines[1], lines[2], kHyphens, lines[4], kHyphens}));
  std::string line;
  EXPECT_EQ(ReadTextLogLine(log_, false, line), 1);

  // Complemented key, then each byte shifted by the key, then a line feed.
  const std::string bytes = FileBytes();
  const unsigned char key = static_cast<unsigned char>(~static_cast<unsigned char>(bytes[0]));
  EXPECT_GE(key, 'A');
  EXPECT_LE(key, 'Z');
  std::string stored(1, bytes[0]);
  for (const char c : lines[0]) stored.push_back(static_cast<char>(c + key));
  EXPECT_EQ(bytes.substr(0, 11), stored + "\n");
  // The same clear line again, under another key.
  const size_t last = 11 + 2 + 80 + 14;
  EXPECT_NE(bytes.substr(last, 11), bytes.substr(0, 11));
}

TEST_F(TextLogTest, UnstorableBatchesAreRefusedWhole) {
  ASSERT_EQ(OpenTextLog(log_), 0);
  const Lines tooLong = {"fine", std::string(79, 'x')};
  EXPECT_EQ(WriteTextLogLines(log_, tooLong.data(), 0), 1);
  EXPECT_EQ(WriteTextLogLines(log_, tooLong.data(), 2), 2);
  ReportLine unterminated;
  std::fill(std::begin(unterminated), std::end(unterminated), 'x');
  EXPECT_EQ(WriteTextLogLines(log_, &unterminated, 1), 2);
  // Every key would turn one of these bytes into a line feed.
  std::string unkeyable;
  for (int c = 0xB0; c <= 0xC9; ++c) unkeyable.push_back(static_cast<char>(c));
  EXPECT_EQ(WriteTextLogLines(log_, &unkeyable, 1), 2);
  EXPECT_EQ(FileBytes(), "");
}

TEST_F(TextLogTest, EveryByteValueSurvivesWithoutSplittingTheLine) {
  ASSERT_EQ(OpenTextLog(log_), 0);
  // 0xB0 under key 'Z' would store as a line feed unless another key is taken.
  Lines lines;
  for (int start = 1; start < 256; start += 64) {
    std::string chunk;
    for (int c = start; c < start + 64 && c < 256; ++c) chunk.push_back(static_cast<char>(c));
    lines.push_back(chunk);
  }
  Lines expected;
  for (uint32_t seed = 0; seed < 40; ++seed) {
    SeedTextLogKeys(log_, seed);
    ASSERT_EQ(WriteTextLogLines(log_, lines.data(), static_cast<int>(lines.size())), 0);
    expected.insert(expected.end(), lines.begin(), lines.end());
    expected.push_back(kHyphens);
  }
  EXPECT_EQ(ReadAll(), expected);
}

TEST_F(TextLogTest, DamagedFileIsReadWithinBoundsAndAppendedCleanly) {
  // An over-long stored line, a normal one, and a last line cut off without
  // its line feed.
  std::ofstream(directory_ + "/navora.slf", std::ios::binary)
      << ScrambleTextLogLine(std::string(99, 'L'), 'C') << "\n"
      << ScrambleTextLogLine("next", 'Q') << "\n"
      << ScrambleTextLogLine("cut", 'D');
  ASSERT_EQ(OpenTextLog(log_), 0);
  EXPECT_EQ(ReadAll(), (Lines{std::string(79, 'L'), "next", "cut"}));
  const std::string line = "after the crash";
  ASSERT_EQ(WriteTextLogLines(log_, &line, 1), 0);
  EXPECT_EQ(ReadAll(), (Lines{std::string(79, 'L'), "next", "cut", line, kHyphens}));
}

TEST_F(TextLogTest, ReadingResumesAfterAWrite) {
  const Lines first = {"one", "two"};
  const std::string third = "three";
  ASSERT_EQ(OpenTextLog(log_), 0);
  ASSERT_EQ(WriteTextLogLines(log_, first.data(), 2), 0);
  std::string line;
  ASSERT_EQ(ReadTextLogLine(log_, true, line), 0);
  ASSERT_EQ(WriteTextLogLines(log_, &third, 1), 0);
  ASSERT_EQ(ReadTextLogLine(log_, false, line), 0);
  EXPECT_EQ(line, "two");
}

TEST_F(TextLogTest, WriteThatDoesNotReachTheFileIsReported) {
  ASSERT_EQ(OpenTextLog(log_), 0);
  const std::string line(20, 'p');
  ASSERT_EQ(WriteTextLogLines(log_, &line, 1), 0);
  const rlim_t used = FileBytes().size();
  // Room for one more 20-character line and one byte of its separator.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit original;
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &original), 0);
  rlimit limited = original;
  limited.rlim_cur = used + 23;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
  const EngineStatus oneLine = WriteTextLogLines(log_, &line, 1);
  const Lines two = {line, line};
  const EngineStatus twoLines = WriteTextLogLines(log_, two.data(), 2);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &original), 0);  // later tests write freely
  EXPECT_EQ(oneLine, 1);
  EXPECT_EQ(twoLines, 2);
  // Nothing half-written stays behind to garble the lines that follow.
  EXPECT_EQ(ReadAll(), (Lines{line, kHyphens, line}));
}

}  // namespace
}  // namespace navora
