// The file format itself is the SppFile tests'.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/tasks/SkyChartDocument.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

TEST(SkyChartDocument, NewChartsCopyTheirRecordsCountTheTotalAndNumberOn) {
  SkyChartLuminary sun{};
  std::strcpy(sun.name, "Sun");
  sun.zenithDistance = 93.0;
  SkyChartStar stars[kSkyChartMaxStars + 3]{};
  for (int i = 0; i < kSkyChartMaxStars + 3; ++i)
    stars[i].starNumber = static_cast<uint16_t>(i + 1);
  PositionRecord observer;
  observer.latitude = 41.5;

  // More stars than a chart holds are cut at its size; no planets is none.
  const SkyChartDocument document =
      InitialiseSkyChart(&sun, 1, nullptr, 3, stars, kSkyChartMaxStars + 3, observer, 2460400.75);
  const SkyChartState& chart = document.chart;
  EXPECT_EQ(chart.luminaryCount, 1);
  EXPECT_EQ(chart.planetCount, 0);
  EXPECT_EQ(chart.starCount, kSkyChartMaxStars);
  EXPECT_EQ(chart.totalCount, 1 + kSkyChartMaxStars);
  EXPECT_EQ(chart.reserved, 0);
  EXPECT_EQ(chart.luminaries[0].zenithDistance, 93.0);
  EXPECT_EQ(chart.stars[kSkyChartMaxStars - 1].starNumber, kSkyChartMaxStars);
  EXPECT_EQ(chart.observer.latitude, 41.5);
  EXPECT_EQ(chart.planningTime, 2460400.75);
  EXPECT_TRUE(document.modified) << "a new chart is in no file yet";

  SkyChartNumbering numbering;
  EXPECT_EQ(numbering.NextTitle(), "Sky Chart1.spp");
  EXPECT_EQ(numbering.NextTitle(), "Sky Chart2.spp");
  EXPECT_EQ(SkyChartNumbering().NextTitle(), "Sky Chart1.spp") << "each run counts its own";
  EXPECT_EQ(SaveChangesQuestion("Sky Chart2.spp"), "Save changes to Sky Chart2.spp?");
}

TEST(SkyChartDocument, SavedChartReopensAndBadFilesAreTold) {
  testing::TemporaryDirectory folder;
  SkyChartStar star{};
  std::strcpy(star.name, "Kaus Australis");  // the longest name the field holds
  star.starNumber = 34;
  star.selectedMark = kStarBestThree;
  SkyChartDocument saved = InitialiseSkyChart(nullptr, 0, nullptr, 0, &star, 1, {}, 2460400.75);
  RecordingNotice notice;
  const std::string path = folder.File("Sky Chart1.spp");
  ASSERT_EQ(SaveSkyChart(notice, saved, path), 0);
  EXPECT_FALSE(saved.modified);

  SkyChartDocument opened;
  ASSERT_EQ(OpenSkyChart(notice, path, opened), 0);
  EXPECT_FALSE(opened.modified);
  EXPECT_STREQ(opened.chart.stars[0].name, "Kaus Australis");
  EXPECT_EQ(opened.chart.stars[0].selectedMark, kStarBestThree);
  EXPECT_TRUE(notice.shown.empty());

  // A cut-short file, and one that is not there: each told, the document kept.
  {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::ofstream(folder.File("short.spp"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  }
  EXPECT_NE(OpenSkyChart(notice, folder.File("short.spp"), opened), 0);
  EXPECT_NE(OpenSkyChart(notice, folder.File("absent.spp"), opened), 0);
  ASSERT_EQ(notice.shown.size(), 2u);
  EXPECT_EQ(notice.shown[0].text, kNotAChartFileText);
  EXPECT_EQ(notice.shown[1].text,
            "The sky chart file\n" + folder.File("absent.spp") + "\ncannot be read.");
  EXPECT_EQ(opened.chart.stars[0].selectedMark, kStarBestThree);

  // A folder cannot be written over: told, and the chart stays modified.
  SkyChartDocument unsaved = InitialiseSkyChart(nullptr, 0, nullptr, 0, &star, 1, {}, 0.0);
  EXPECT_NE(SaveSkyChart(notice, unsaved, folder.File("")), 0);
  EXPECT_TRUE(unsaved.modified);
  EXPECT_EQ(notice.shown.back().text.rfind("The sky chart could not be saved as\n", 0), 0u);
}

}  // namespace
}  // namespace navora
