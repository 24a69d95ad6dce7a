#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tasks/WorksheetNaming.h"

namespace navora {
namespace {

TEST(WorksheetNaming, NewTitleCountsPastTheOpenWorksheetsInOneWalk) {
  struct Case {
    std::vector<std::string> open;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {{}, "WorkSheet1.sdf"},
      {{"WorkSheet1.sdf", "WorkSheet2.sdf"}, "WorkSheet3.sdf"},
      {{"WorkSheet1.sdf( modified )", "WorkSheet2.sdf"}, "WorkSheet3.sdf"},
      {{"WorkSheet2.sdf"}, "WorkSheet1.sdf"},
      {{"voyage.sdf", "WorkSheet1.sdf", "notes.sdf"}, "WorkSheet2.sdf"},
      // One walk: a lower number met after a higher one is not looked at again.
      {{"WorkSheet2.sdf", "WorkSheet1.sdf"}, "WorkSheet2.sdf"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NewWorksheetTitle(c.open), c.expected) << ::testing::PrintToString(c.open);
  }
}

TEST(WorksheetNaming, ModifiedMarkFollowsTheTitleOnceAndComesOffWhole) {
  EXPECT_EQ(ShownTitle("WorkSheet1.sdf", true), "WorkSheet1.sdf( modified )");
  EXPECT_EQ(ShownTitle("WorkSheet1.sdf( modified )", true), "WorkSheet1.sdf( modified )");
  EXPECT_EQ(ShownTitle("WorkSheet1.sdf", false), "WorkSheet1.sdf");
  EXPECT_EQ(TitleWithoutMark("WorkSheet1.sdf( modified )"), "WorkSheet1.sdf");
  EXPECT_EQ(TitleWithoutMark("log.sdf"), "log.sdf");
}

TEST(WorksheetNaming, SavedNamesEndInTheWorksheetExtension) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"/data/passage", "/data/passage.sdf"},
      {"/data/passage.", "/data/passage.sdf"},
      {"/data/passage.sdf", "/data/passage.sdf"},
      {"/data/passage.SDF", "/data/passage.SDF"},
      {"/data/passage.txt", "/data/passage.txt.sdf"},
      {"/data/v1.2/passage", "/data/v1.2/passage.sdf"},
  };
  for (const auto& [chosen, saved] : cases) EXPECT_EQ(WithWorksheetExtension(chosen), saved);
}

}  // namespace
}  // namespace navora
