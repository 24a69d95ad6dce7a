#include "engine/log/TextLog.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/log/TextLogCipher.h"
#include "engine/log/TextLogPending.h"

namespace navora {
namespace {

namespace fs = std::filesystem;

const std::string kHyphens(78, '-');

class TextLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/navora-textlog-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    directory_ = pattern;
    ASSERT_EQ(SetTextLogDirectory((directory_ + "/").c_str()), 0);
    SeedTextLogKeys(12345);
  }
  void TearDown() override {
    CloseTextLog();
    fs::remove_all(directory_);
  }

  std::string FileBytes() const {
    std::ifstream in(directory_ + "/navora.slf", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void WriteRawFile(const std::string& bytes) const {
    std::ofstream(directory_ + "/navora.slf", std::ios::binary) << bytes;
  }
  static std::vector<std::string> ReadAll() {
    std::vector<std::string> lines;
    std::string line;
    for (bool first = true; ReadTextLogLine(first, line) == 0; first = false) {
      lines.push_back(line);
    }
    return lines;
  }
  static std::vector<std::string> StoredLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
      lines.push_back(bytes.substr(start, end - start));
    }
    return lines;
  }

  std::string directory_;
};

TEST_F(TextLogTest, DirectoryIsLimitedTo255Characters) {
  EXPECT_EQ(SetTextLogDirectory(std::string(255, 'd').c_str()), 0);
  EXPECT_EQ(SetTextLogDirectory(std::string(256, 'd').c_str()), 1);
  EXPECT_EQ(TextLogPath(), std::string(255, 'd') + "navora.slf");
}

TEST_F(TextLogTest, UnopenableOrClosedLogReportsFailure) {
  ASSERT_EQ(SetTextLogDirectory((directory_ + "/missing/").c_str()), 0);
  EXPECT_EQ(OpenTextLog(), 1);
  const std::string line = "x";
  EXPECT_EQ(WriteTextLogLines(&line, 1), 2);
  std::string read;
  EXPECT_EQ(ReadTextLogLine(true, read), 2);
}

TEST_F(TextLogTest, LinesAndSeparatorRoundTrip) {
  EXPECT_TRUE(TextLogFileIsMissingOrEmpty());
  ASSERT_EQ(OpenTextLog(), 0);
  EXPECT_TRUE(TextLogFileIsMissingOrEmpty());
  const std::vector<std::string> lines = {"CELESTIAL FIX", "", std::string(78, 'w'),
                                          "$ not a rule"};
  ASSERT_EQ(WriteTextLogLines(lines.data(), 3), 0);
  EXPECT_FALSE(TextLogFileIsMissingOrEmpty());

  const std::vector<std::string> expected = {lines[0], lines[1], lines[2], kHyphens};
  EXPECT_EQ(ReadAll(), expected);
  std::string line;
  EXPECT_EQ(ReadTextLogLine(false, line), 1);

  // Every stored line: complemented key, then each byte shifted by the key.
  const std::vector<std::string> stored = StoredLines(FileBytes());
  ASSERT_EQ(stored.size(), 4u);
  for (size_t i = 0; i < stored.size(); ++i) {
    const unsigned char key = static_cast<unsigned char>(~static_cast<unsigned char>(stored[i][0]));
    EXPECT_GE(key, 'A');
    EXPECT_LE(key, 'Z');
    const std::string clear = i < 3 ? lines[i] : "$";
    ASSERT_EQ(stored[i].size(), clear.size() + 1);
    for (size_t j = 0; j < clear.size(); ++j) {
      EXPECT_EQ(static_cast<unsigned char>(stored[i][j + 1]),
                static_cast<unsigned char>(clear[j] + key));
    }
  }

  // A clear line that merely starts with '$' is also shown as a rule.
  ASSERT_EQ(WriteTextLogLines(&lines[3], 1), 0);
  EXPECT_EQ(ReadAll().at(4), kHyphens);
}

TEST_F(TextLogTest, SameLineIsStoredUnderDifferentKeysAndReadsBackTheSame) {
  ASSERT_EQ(OpenTextLog(), 0);
  const std::vector<std::string> lines(10, "Course 245.0 Speed 12.5");
  ASSERT_EQ(WriteTextLogLines(lines.data(), 10), 0);
  std::vector<std::string> stored = StoredLines(FileBytes());
  stored.pop_back();
  EXPECT_NE(stored[0], stored[1]);
  std::vector<std::string> read = ReadAll();
  read.pop_back();
  EXPECT_EQ(read, lines);
}

TEST_F(TextLogTest, SeedMakesTheStoredBytesRepeatable) {
  const std::string line = "DR UPDATE";
  ASSERT_EQ(OpenTextLog(), 0);
  ASSERT_EQ(WriteTextLogLines(&line, 1), 0);
  const std::string first = FileBytes();
  CloseTextLog();
  fs::remove(directory_ + "/navora.slf");
  SeedTextLogKeys(12345);
  ASSERT_EQ(OpenTextLog(), 0);
  ASSERT_EQ(WriteTextLogLines(&line, 1), 0);
  EXPECT_EQ(FileBytes(), first);
}

TEST_F(TextLogTest, RejectedBatchesLeaveTheFileUntouched) {
  ASSERT_EQ(OpenTextLog(), 0);
  const std::vector<std::string> lines = {"fine", std::string(79, 'x')};
  EXPECT_EQ(WriteTextLogLines(lines.data(), 0), 1);
  EXPECT_EQ(WriteTextLogLines(lines.data(), 2), 2);
  EXPECT_EQ(FileBytes(), "");

  ReportLine unterminated;
  std::fill(std::begin(unterminated), std::end(unterminated), 'x');
  EXPECT_EQ(WriteTextLogLines(&unterminated, 1), 2);
  EXPECT_EQ(FileBytes(), "");
}

TEST_F(TextLogTest, EveryByteValueSurvivesWithoutSplittingTheLine) {
  ASSERT_EQ(OpenTextLog(), 0);
  // Byte 0xB0 under key 'Z' would store as a line feed; the writer must
  // choose another key. Chunks of 64 keep each line within 78 characters.
  std::vector<std::string> lines;
  for (int start = 1; start < 256; start += 64) {
    std::string chunk;
    for (int c = start; c < start + 64 && c < 256; ++c) chunk.push_back(static_cast<char>(c));
    lines.push_back(chunk);
  }
  for (int seed = 0; seed < 40; ++seed) {
    SeedTextLogKeys(static_cast<uint32_t>(seed));
    ASSERT_EQ(WriteTextLogLines(lines.data(), static_cast<int>(lines.size())), 0);
  }
  const std::vector<std::string> read = ReadAll();
  ASSERT_EQ(read.size(), 40 * (lines.size() + 1));
  for (size_t i = 0; i < read.size(); ++i) {
    const size_t inBatch = i % (lines.size() + 1);
    EXPECT_EQ(read[i], inBatch < lines.size() ? lines[inBatch] : kHyphens) << i;
  }
}

TEST_F(TextLogTest, LineThatNoKeyCanStoreIsRefused) {
  ASSERT_EQ(OpenTextLog(), 0);
  std::string line;
  for (int c = 0xB0; c <= 0xC9; ++c) line.push_back(static_cast<char>(c));
  EXPECT_EQ(WriteTextLogLines(&line, 1), 2);
  EXPECT_EQ(FileBytes(), "");
}

TEST_F(TextLogTest, DamagedFilesReadWithinTheirBounds) {
  // A stored line of 100 bytes, a normal one, then a last line cut short
  // without its line feed.
  const std::string longClear(99, 'L');
  const std::string file = ScrambleTextLogLine(longClear, 'C') + "\n" +
                           ScrambleTextLogLine("next", 'Q') + "\n" +
                           ScrambleTextLogLine("cut", 'D');
  WriteRawFile(file);
  ASSERT_EQ(OpenTextLog(), 0);
  const std::vector<std::string> expected = {std::string(79, 'L'), "next", "cut"};
  EXPECT_EQ(ReadAll(), expected);

  // The next batch starts on a line of its own.
  const std::string line = "after the crash";
  ASSERT_EQ(WriteTextLogLines(&line, 1), 0);
  const std::vector<std::string> appended = {std::string(79, 'L'), "next", "cut", line, kHyphens};
  EXPECT_EQ(ReadAll(), appended);
}

TEST_F(TextLogTest, ReadingResumesAfterAWriteAndReopeningAppends) {
  const std::vector<std::string> first = {"one", "two"};
  const std::string third = "three";
  ASSERT_EQ(OpenTextLog(), 0);
  ASSERT_EQ(WriteTextLogLines(first.data(), 2), 0);
  std::string line;
  ASSERT_EQ(ReadTextLogLine(true, line), 0);
  ASSERT_EQ(WriteTextLogLines(&third, 1), 0);
  ASSERT_EQ(ReadTextLogLine(false, line), 0);
  EXPECT_EQ(line, "two");

  CloseTextLog();
  ASSERT_EQ(OpenTextLog(), 0);
  ASSERT_EQ(WriteTextLogLines(&third, 1), 0);
  const std::vector<std::string> expected = {"one",    "two",   kHyphens, "three",
                                             kHyphens, "three", kHyphens};
  EXPECT_EQ(ReadAll(), expected);
}

TEST_F(TextLogTest, WriteThatDoesNotReachTheFileIsReported) {
  ASSERT_EQ(OpenTextLog(), 0);
  const std::string line(20, 'p');
  ASSERT_EQ(WriteTextLogLines(&line, 1), 0);
  const rlim_t used = FileBytes().size();
  // Room for one more 20-character line and a byte of its separator.
  std::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit = {used + 23, used + 23};
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_EQ(WriteTextLogLines(&line, 1), 1);
  const std::vector<std::string> two = {line, line};
  EXPECT_EQ(WriteTextLogLines(two.data(), 2), 2);
  // Nothing half-written stays behind to garble the lines that follow.
  const std::vector<std::string> expected = {line, kHyphens, line};
  EXPECT_EQ(ReadAll(), expected);
}

TEST(TextLogPendingTest, LinesGainCarriageReturnAndLineFeed) {
  ClearPendingLogText();
  const std::vector<std::string> lines = {"COMMENT:", ""};
  AppendPendingLogText(lines.data(), 2);
  ReportLine report = "                                  DR UPDATE";
  AppendPendingLogText(&report, 1);
  EXPECT_EQ(PendingLogText(), "COMMENT:\r\n\r\n                                  DR UPDATE\r\n");
  ClearPendingLogText();
  EXPECT_EQ(PendingLogText(), "");
}

}  // namespace
}  // namespace navora
