// The plot window driven by its keys: the view commands stop at their
// limits; an archived plot only views; fonts the plot cannot use are refused
// with their messages. Editing and solving a live plot is the Compute Fix
// test's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <cstring>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/plots/SightPlotWindow.h"

namespace navora {
namespace {

// A plot of one sight at `latitude`, no fix calculated.
SightPlotDocument PlotAt(double latitude, SightPlotKind kind) {
  SightPlotDocument document;
  document.kind = kind;
  SightPlotState& state = document.state;
  state.nLegs = 1;
  state.nSights = 1;
  state.legs[0].reduction.latitude = state.legs[0].end.latitude = latitude;
  state.solution.latitude = latitude;
  state.solution.longitude = -30.0;
  std::strncpy(state.reduced[0].bodyName, "Sun", sizeof state.reduced[0].bodyName - 1);
  state.reduced[0].hc = state.reduced[0].ho = 40.0;
  state.reduced[0].included = state.sights[0].included = 1;
  RecomputeSightFlags(state);
  return document;
}

void Press(QWidget& window, Qt::Key key, int times = 1,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  for (int i = 0; i < times; ++i) QTest::keyClick(&window, key, modifiers);
}

struct ShownPlot {
  explicit ShownPlot(SightPlotDocument document)
      : window(std::move(document), notice, nullptr, SightPlotWindow::DefaultFont()) {
    window.resize(900, 600);
    window.show();
    QApplication::setActiveWindow(&window);
    window.setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  RecordingNotice notice;
  SightPlotWindow window;
};

TEST(SightPlotWindow, ViewKeysStopAtTheirLimits) {
  ShownPlot plot(PlotAt(77.5, SightPlotKind::kArchived));
  SightPlotWindow& window = plot.window;
  const SightPlotView& view = window.View();

  // The limits themselves are the view model's; here the keys reach them and
  // the commands past them are disabled. At scale 1 the top edge would pass 79.
  Press(window, Qt::Key_Up);
  EXPECT_DOUBLE_EQ(view.centreLatitude, 77.5);
  EXPECT_FALSE(window.Action(SightPlotWindow::kNorth)->isEnabled());
  Press(window, Qt::Key_Plus, 7);
  EXPECT_DOUBLE_EQ(view.scale, 64.0);
  EXPECT_FALSE(window.Action(SightPlotWindow::kZoomIn)->isEnabled());
  Press(window, Qt::Key_Down);
  Press(window, Qt::Key_Home);
  EXPECT_DOUBLE_EQ(view.scale, 1.0);
  EXPECT_DOUBLE_EQ(view.centreLatitude, 77.5);
  Press(window, Qt::Key_Minus, 2);
  EXPECT_DOUBLE_EQ(view.scale, 0.5);
  EXPECT_FALSE(window.Action(SightPlotWindow::kZoomOut)->isEnabled());

  // The wheel zooms about the pointer: the position under it stays there.
  Press(window, Qt::Key_Home);
  const SightPlotLayout layout = window.Layout();
  const QPointF pointer = layout.chart.center() + QPointF(layout.chart.width() / 4, 0);
  const GeoPosition under = ChartProjection(layout, view).ToPosition({pointer.x(), pointer.y()});
  QWheelEvent wheel(pointer, window.mapToGlobal(pointer), {}, QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&window, &wheel);
  EXPECT_DOUBLE_EQ(view.scale, 2.0);
  const GeoPosition after = ChartProjection(layout, view).ToPosition({pointer.x(), pointer.y()});
  EXPECT_NEAR(after.latitude, under.latitude, 1e-9);
  EXPECT_NEAR(after.longitude, under.longitude, 1e-9);
}

TEST(SightPlotWindow, AnArchivedPlotOnlyViews) {
  ShownPlot plot(PlotAt(40.0, SightPlotKind::kArchived));
  SightPlotWindow& window = plot.window;
  EXPECT_EQ(window.Action(SightPlotWindow::kCalculateFix), nullptr);
  EXPECT_EQ(window.AddRemoveMenu(), nullptr);
  Press(window, Qt::Key_A, 1, Qt::AltModifier);
  Press(window, Qt::Key_Return);
  EXPECT_EQ(window.Document().state.sights[0].included, 1);
  EXPECT_EQ(window.StatusText(), kPlotAwaitingFixText);
  EXPECT_FALSE(window.Save(true));
}

TEST(SightPlotWindow, FontsThePlotCannotUseAreRefused) {
  QFont huge = SightPlotWindow::DefaultFont();
  huge.setPointSize(400);
  QFont nameless = SightPlotWindow::DefaultFont();
  nameless.setFamily(QString());
  const struct {
    QFont font;
    const char* message;
  } kRefused[] = {
      {huge,
       "The chosen font makes the plot too large to\nfit into memory. Please choose a smaller "
       "font."},
      {nameless, "Could not create new font!"},
  };
  for (const auto& refused : kRefused) {
    ShownPlot plot(PlotAt(40.0, SightPlotKind::kLive));
    const QImage before = plot.window.Image();
    EXPECT_FALSE(plot.window.SetPlotFont(refused.font));
    ASSERT_EQ(plot.notice.shown.size(), 1u);
    EXPECT_EQ(plot.notice.shown[0].text, refused.message);
    EXPECT_EQ(plot.window.PlotFont(), SightPlotWindow::DefaultFont());
    EXPECT_EQ(plot.window.Image(), before);
  }
}

}  // namespace
}  // namespace navora
