// navora-cli worksheet text: a worksheet's text on standard output, and the
// file and the reason on the error output when it cannot be read.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/worksheet/SdfFile.h"
#include "tests/app/cli/CliRun.h"
#include "tests/app/worksheet/SampleWorksheets.h"

namespace navora {
namespace {

using testing::CliRun;

CliRun RunWorksheet(const std::string& arguments) {
  return testing::RunCli("worksheet " + arguments);
}

TEST(WorksheetCommand, PrintsTheTextOfAWorksheet) {
  const CliRun run =
      RunWorksheet("text '" + std::string(NAVORA_FIXTURE_DIR) + "/worksheet/almanac_report.sdf'");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, PlainText(testing::AlmanacReport()));
}

TEST(WorksheetCommand, DamagedRichTextPrintsThePlainTextCopyAndSaysSo) {
  testing::TemporaryDirectory directory;
  const std::string path = directory.File("cut.sdf");
  std::string bytes = WriteSdf(testing::FormattedNotes());
  bytes.resize(bytes.size() - 3);  // the closing brace is lost
  testing::WriteBytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end()));
  const CliRun run = RunWorksheet("text '" + path + "'");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  // The plain-text copy holds Latin-1 only.
  EXPECT_EQ(run.out,
            "Noon sight {log}\n?? = 0\xC2\xB0"
            "12' E\t? anchored\ncheck C:\\logs ?\n");
  EXPECT_EQ(run.err, "navora-cli worksheet: " + path +
                         ": the rich text is damaged; the plain text was used (the rich text "
                         "ends before its groups close)\n");
}

TEST(WorksheetCommand, UnreadableFileExitsOneNamingFileAndReason) {
  testing::TemporaryDirectory directory;
  const std::string other = directory.File("notes.txt");
  testing::WriteBytes(other, {'h', 'e', 'l', 'l', 'o'});
  const std::string missing = directory.File("missing.sdf");
  struct Case {
    std::string path;
    std::string reason;
  };
  for (const Case& test : {Case{other, "not a NAVORA worksheet (no \"sdf\" marker)"},
                           Case{missing, "the file cannot be read"}}) {
    const CliRun run = RunWorksheet("text '" + test.path + "'");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "navora-cli worksheet: cannot open " + test.path + ": " + test.reason + "\n");
  }
}

TEST(WorksheetCommand, BadArgumentsExitTwoWithOneLine) {
  for (const char* arguments : {"", "show a.sdf", "text", "text a.sdf b.sdf"}) {
    SCOPED_TRACE(arguments);
    const CliRun run = RunWorksheet(arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

}  // namespace
}  // namespace navora
