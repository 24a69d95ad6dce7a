#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/app/cli/CliRun.h"

namespace navora {
namespace {

using testing::CliRun;

constexpr size_t kBlockBytes = 8000;
constexpr size_t kStartJdOffset = 2652;

// Writes `value` as a little-endian double at `offset` of the file.
void PutDouble(const std::string& path, size_t offset, double value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  unsigned char bytes[8];
  std::memcpy(bytes, &value, 8);  // little-endian host
  file.seekp(static_cast<std::streamoff>(offset));
  file.write(reinterpret_cast<const char*>(bytes), 8);
}

double GetDouble(const std::string& path, size_t offset) {
  std::ifstream file(path, std::ios::binary);
  file.seekg(static_cast<std::streamoff>(offset));
  unsigned char bytes[8] = {};
  file.read(reinterpret_cast<char*>(bytes), 8);
  double value = 0.0;
  std::memcpy(&value, bytes, 8);
  return value;
}

class DamagedData : public ::testing::Test {
 public:
  void SetUp() override {
    for (const char* name : {"1970-2025.eph", "DeltaT.val"}) {
      std::filesystem::copy_file(name, directory_.File(name),
                                 std::filesystem::copy_options::overwrite_existing);
    }
  }

  std::string Ephemeris() const { return directory_.File("1970-2025.eph"); }
  std::string DeltaT() const { return directory_.File("DeltaT.val"); }

 protected:
  testing::TemporaryDirectory directory_;
};

TEST_F(DamagedData, EveryDamageIsRefusedByNameAndPrintsNoTable) {
  struct Damage {
    const char* what;
    const char* file;
    void (*spoil)(const DamagedData&);
  };
  const Damage kDamage[] = {
      {"ephemeris cut short", "1970-2025.eph",
       [](const DamagedData& d) { std::filesystem::resize_file(d.Ephemeris(), 4000000); }},
      {"a record's dates disagree with the header", "1970-2025.eph",
       [](const DamagedData& d) {
         PutDouble(d.Ephemeris(), 300 * kBlockBytes,
                   GetDouble(d.Ephemeris(), 300 * kBlockBytes) + 1);
       }},
      {"header start shifted by a day", "1970-2025.eph",
       [](const DamagedData& d) {
         PutDouble(d.Ephemeris(), kStartJdOffset, GetDouble(d.Ephemeris(), kStartJdOffset) + 1.0);
       }},
      {"NaN coefficients", "1970-2025.eph",
       [](const DamagedData& d) {
         PutDouble(d.Ephemeris(), 200 * kBlockBytes + 8 * 500, std::nan(""));
       }},
      {"NaN Delta T", "DeltaT.val",
       [](const DamagedData& d) { PutDouble(d.DeltaT(), 16 * 200 + 8, std::nan("")); }},
      {"Delta T cut inside a record", "DeltaT.val",
       [](const DamagedData& d) { std::filesystem::resize_file(d.DeltaT(), 16 * 300 + 5); }},
  };
  for (const Damage& damage : kDamage) {
    SetUp();
    damage.spoil(*this);
    for (const char* command : {"almanac all", "check-data"}) {
      const CliRun run = testing::RunCliIn(directory_.path(), command);
      EXPECT_EQ(run.exitCode, 1) << damage.what << ": " << command;
      EXPECT_NE(run.err.find(directory_.path() + "/" + damage.file + " refused: "),
                std::string::npos)
          << damage.what << ": " << run.err;
      if (std::string(command) == "almanac all") {
        EXPECT_EQ(run.out, "") << damage.what;
      }
    }
  }
}

TEST_F(DamagedData, IntactCopiesGiveTheGoldenPage) {
  const CliRun run = testing::RunCliIn(directory_.path(), "almanac all");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, testing::ReadFile(NAVORA_FIXTURE_DIR "/tasks/all_2000_01_01.txt"));
}

TEST(CliOutput, AWriteThatFailsIsAFailure) {
  const CliRun run = testing::RunCli("almanac all >/dev/full");
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("the output could not be written"), std::string::npos) << run.err;
}

}  // namespace
}  // namespace navora
