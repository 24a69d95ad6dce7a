#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/log/ArchivedTextLog.h"
#include "engine/log/TextLog.h"
#include "engine/log/TextLogCipher.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

using Lines = std::vector<std::string>;

// The archive must read exactly as the live log read the same bytes, for
// every shape of stored line the live reader meets.
TEST(ArchivedTextLogTest, ReadsAsTheLiveLogReadsTheSameFile) {
  testing::TemporaryDirectory scratch;
  TextLog log;
  ASSERT_EQ(SetTextLogDirectory(log, (scratch.path() + "/").c_str()), 0);
  ASSERT_EQ(OpenTextLog(log), 0);
  SeedTextLogKeys(log, 77);
  const Lines batch = {"                                 INITIAL FIX", " ", std::string(78, 'x'),
                       "$ not a separator to the writer"};
  ASSERT_EQ(WriteTextLogLines(log, batch.data(), static_cast<int>(batch.size())), 0);
  // A line longer than the reader's limit and a last line cut off by a crash.
  {
    std::ofstream out(TextLogPath(log), std::ios::binary | std::ios::app);
    out << ScrambleTextLogLine(std::string(90, 'y'), 'K') << '\n'
        << "\n"
        << ScrambleTextLogLine("cut", 'Q');
  }
  Lines live;
  std::string line;
  for (bool first = true; ReadTextLogLine(log, first, line) == 0; first = false) {
    live.push_back(line);
  }
  CloseTextLog(log);

  const std::string archive = scratch.File("log00001.saf");
  std::filesystem::rename(TextLogPath(log), archive);
  Lines archived = {"stale"};
  ASSERT_EQ(ReadArchivedTextLog(archive, archived), 0);
  EXPECT_EQ(archived, live);
  ASSERT_EQ(archived.size(), 8u);
  EXPECT_EQ(archived[3], std::string(78, '-'));  // written "$..." reads as a separator
  EXPECT_EQ(archived[4], std::string(78, '-'));
  EXPECT_EQ(archived[5], std::string(79, 'y'));  // key and 79 characters fill the limit
  EXPECT_EQ(archived[6], "");
  EXPECT_EQ(archived[7], "cut");
}

TEST(ArchivedTextLogTest, RefusesWhatIsNoReadableLogAndKeepsTheLines) {
  testing::TemporaryDirectory scratch;
  const std::string huge = scratch.File("huge.log");
  std::ofstream(huge).put('x');
  std::filesystem::resize_file(huge, kArchivedTextLogMaxBytes + 1);
  std::ofstream(scratch.File("empty.bak"));

  const struct {
    std::string path;
    EngineStatus status;
    Lines lines;
  } cases[] = {
      {scratch.File("missing.saf"), kArchivedLogUnreadable, {"kept"}},
      {scratch.path(), kArchivedLogUnreadable, {"kept"}},
      {huge, kArchivedLogTooLarge, {"kept"}},
      {scratch.File("empty.bak"), kStatusOk, {}},
  };
  for (const auto& c : cases) {
    Lines lines = {"kept"};
    EXPECT_EQ(ReadArchivedTextLog(c.path, lines), c.status) << c.path;
    EXPECT_EQ(lines, c.lines) << c.path;
  }
}

}  // namespace
}  // namespace navora
