// The chart window: the modified mark in its title until saved and the save
// question on closing a modified chart. The fonts a plot refuses are the
// sight plot window test's.

#include <gtest/gtest.h>

#include <QApplication>

#include "app/bridge/RecordingNotice.h"
#include "app/plots/SkyChartWindow.h"
#include "support/TemporaryDirectory.h"

namespace navora {
namespace {

TEST(SkyChartWindow, ModifiedChartAsksBeforeClosingUntilSaved) {
  testing::TemporaryDirectory folder;
  RecordingNotice notice;
  SkyChartWindow window(InitialiseSkyChart(nullptr, 0, nullptr, 0, nullptr, 0, {}, 2460400.75),
                        notice, SkyChartWindow::DefaultFont());
  window.SetTitle(QStringLiteral("Sky Chart1.spp"));
  window.resize(800, 560);
  window.show();
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Sky Chart1.spp( modified )"));

  notice.answers = {NoticeAnswer::kCancel};
  EXPECT_FALSE(window.close());
  ASSERT_EQ(notice.shown.size(), 1u);
  EXPECT_EQ(notice.shown[0].text, "Save changes to Sky Chart1.spp?");
  EXPECT_EQ(notice.shown[0].style, kNoticeYesNoCancelQuestion);

  const QString path = QString::fromStdString(folder.File("evening.spp"));
  ASSERT_TRUE(window.SaveAs(path));
  EXPECT_EQ(window.windowTitle(), QStringLiteral("evening.spp"));
  EXPECT_TRUE(window.close()) << "a saved chart closes unasked";
  EXPECT_EQ(notice.shown.size(), 1u);
}

}  // namespace
}  // namespace navora
