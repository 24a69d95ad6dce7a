// Sky charts in the main window: a computed chart opens titled with the
// run's number, saves, and reopens from File Open and the recently-used list
// drawn exactly as before; it follows the night palette; a damaged file is
// told and opens no window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiSubWindow>
#include <QSettings>
#include <algorithm>
#include <cstring>
#include <fstream>

#include "app/plots/SkyChartWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/NightPalette.h"
#include "app/shell/SettingsStore.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

constexpr int kSkyChartFilter = 5;

QList<SkyChartWindow*> Charts(MainWindow& window) {
  QList<SkyChartWindow*> charts;
  for (QMdiSubWindow* frame : window.MdiArea().subWindowList(QMdiArea::CreationOrder)) {
    if (auto* chart = qobject_cast<SkyChartWindow*>(frame->widget())) charts.append(chart);
  }
  return charts;
}

SkyChartState Evening() {
  SkyChartState chart;
  chart.planningTime = 2460400.8;
  chart.observer.latitude = 41.5;
  chart.observer.longitude = -70.25;
  SkyChartLuminary& sun = chart.luminaries[chart.luminaryCount++];
  std::strcpy(sun.name, "Sun");
  sun.zenithDistance = sun.lightZenithDistance = sun.sunZenithDistance = 95.0;
  sun.azimuth = sun.lightAzimuth = sun.sunAzimuth = 285.0;
  sun.illuminatedFraction = 1.0;
  const struct {
    const char* name;
    double z, a, magnitude;
    char mark;
  } stars[] = {{"Vega", 40.0, 60.0, 0.0, kStarBestThree},
               {"Arcturus", 45.0, 250.0, 0.0, kStarSelected},
               {"Kochab", 50.0, 5.0, 2.1, ' '}};
  for (const auto& s : stars) {
    SkyChartStar& star = chart.stars[chart.starCount++];
    std::strcpy(star.name, s.name);
    star.starNumber = static_cast<uint16_t>(chart.starCount);
    star.zenithDistance = s.z;
    star.azimuth = s.a;
    star.magnitude = s.magnitude;
    star.selectedMark = s.mark;
  }
  chart.totalCount = chart.luminaryCount + chart.starCount;
  return chart;
}

TEST(SkyChartFiles, ChartSavesAndReopensFromFileOpenAndTheRecentList) {
  testing::ScratchSession session;
  MainWindow window(session.state, session.notice);
  window.show();
  SkyChartWindow* first = window.ShowSkyChart(Evening());
  SkyChartWindow* second = window.ShowSkyChart(Evening());
  EXPECT_EQ(first->Title(), QStringLiteral("Sky Chart1.spp"));
  EXPECT_EQ(second->Title(), QStringLiteral("Sky Chart2.spp"));
  EXPECT_TRUE(second->parentWidget()->windowTitle().endsWith(QStringLiteral("( modified )")));

  const QString path = QString::fromStdString(session.File("evening.spp"));
  ASSERT_TRUE(second->SaveAs(path));
  QApplication::processEvents();
  const QImage saved = second->Image();
  const QSettings settings(kSettingsOrganisation, kSettingsApplication);
  EXPECT_EQ(settings.value("Recent File List/File1").toString(), path);
  EXPECT_EQ(LoadPath(kSpPlotPathSection).value_or(QString()),
            QString::fromStdString(session.File("")).chopped(1));

  ASSERT_TRUE(window.OpenPath(path, kSkyChartFilter));
  ASSERT_EQ(Charts(window).size(), 3);
  SkyChartWindow* reopened = Charts(window).back();
  QApplication::processEvents();
  EXPECT_EQ(reopened->Title(), QStringLiteral("evening.spp"));
  EXPECT_FALSE(reopened->IsModified());
  EXPECT_EQ(reopened->Image(), saved);

  // The recently-used entry opens it as a chart again.
  const QList<QAction*> actions = window.findChildren<QAction*>();
  const auto recent = std::find_if(actions.begin(), actions.end(), [](QAction* action) {
    return action->isVisible() && action->text() == QStringLiteral("&1 evening.spp");
  });
  ASSERT_NE(recent, actions.end());
  (*recent)->trigger();
  EXPECT_EQ(Charts(window).size(), 4);

  // At night every chart redraws in the dim reds; the bounds are the night
  // palette test's.
  window.SetNightPaletteShown(true);
  QApplication::processEvents();
  const QImage night = reopened->Image().convertToFormat(QImage::Format_RGB32);
  int brightest = 0, greenest = 0;
  for (int y = 0; y < night.height(); ++y) {
    for (int x = 0; x < night.width(); ++x) {
      const QColor p = night.pixelColor(x, y);
      brightest = std::max({brightest, p.red(), p.green(), p.blue()});
      greenest = std::max({greenest, p.green(), p.blue()});
    }
  }
  window.SetNightPaletteShown(false);
  SetNightPalette(false);
  EXPECT_LE(brightest, 235);
  EXPECT_LE(greenest, 100);
  EXPECT_TRUE(session.notice.shown.empty());
}

TEST(SkyChartFiles, DamagedFileIsToldAndOpensNoWindow) {
  testing::ScratchSession session;
  MainWindow window(session.state, session.notice);
  const std::string damaged = session.File("damaged.spp");
  std::ofstream(damaged, std::ios::binary) << std::string("\x02\x00\x00\x00\xff\xff", 6);
  EXPECT_FALSE(window.OpenPath(QString::fromStdString(damaged), kSkyChartFilter));
  ASSERT_EQ(session.notice.shown.size(), 1u);
  EXPECT_EQ(session.notice.shown[0].text, kNotAChartFileText);
  EXPECT_TRUE(Charts(window).isEmpty());
}

}  // namespace
}  // namespace navora
