#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <cmath>
#include <cstring>
#include <memory>

#include "app/plots/SightPlotWindow.h"
#include "app/shell/MainWindow.h"
#include "app/shell/NightPalette.h"
#include "app/shell/QtNotice.h"
#include "app/shell/WorksheetWindow.h"
#include "support/ModalScript.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

// Bounds of a picture fit for dark-adapted eyes: no channel near full
// strength, green and blue (the colours that spoil night vision) kept low,
// and the text still clearly there.
constexpr int kBrightest = 235;
constexpr int kMostGreenOrBlue = 100;
constexpr int kLeastTextRed = 150;

// Every test leaves the program in day colours for the next.
struct DayAfterwards {
  ~DayAfterwards() { SetNightPalette(false); }
};

QAction& NightAction(MainWindow& window) {
  auto* action = window.findChild<QAction*>("NightPalette");
  EXPECT_NE(action, nullptr);
  return *action;
}

void ExpectDimRed(const QImage& picture, const char* what) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  int reddest = 0;
  int brightest = 0;
  int greenest = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor pixel = image.pixelColor(x, y);
      reddest = std::max(reddest, pixel.red());
      brightest = std::max({brightest, pixel.red(), pixel.green(), pixel.blue()});
      greenest = std::max({greenest, pixel.green(), pixel.blue()});
    }
  }
  EXPECT_LE(brightest, kBrightest) << what;
  EXPECT_LE(greenest, kMostGreenOrBlue) << what;
  EXPECT_GE(reddest, kLeastTextRed) << what << ": the text must stay readable";
}

TEST(NightPaletteTest, MenuSwitchesTheApplicationAndBackToTheDayPalettes) {
  testing::ScratchSession session;
  DayAfterwards day;
  const QPalette dayPalette = QApplication::palette();
  const QPalette dayToolTip = QToolTip::palette();
  MainWindow window(session.state, session.notice);
  const QBrush dayArea = window.MdiArea().background();
  const QPalette night = NightPalette();

  NightAction(window).trigger();
  EXPECT_TRUE(NightPaletteOn());
  for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Text,
                                         QPalette::Highlight}) {
    EXPECT_EQ(QApplication::palette().color(role), night.color(role)) << role;
    EXPECT_EQ(QToolTip::palette().color(role), night.color(role)) << role;
  }
  EXPECT_LE(window.MdiArea().background().color().lightness(),
            night.color(QPalette::Window).lightness());

  NightAction(window).trigger();
  EXPECT_FALSE(NightPaletteOn());
  EXPECT_FALSE(NightAction(window).isChecked());
  EXPECT_EQ(QApplication::palette(), dayPalette);
  EXPECT_EQ(QToolTip::palette(), dayToolTip);
  EXPECT_EQ(window.MdiArea().background(), dayArea);
}

TEST(NightPaletteTest, ChoiceIsRestoredOnTheNextStart) {
  testing::ScratchSession session;
  DayAfterwards day;
  for (const bool night : {true, false}) {
    {
      MainWindow window(session.state, session.notice);
      window.SetNightPaletteShown(night);
    }
    SetNightPalette(false);  // the program ended
    MainWindow next(session.state, session.notice);
    EXPECT_EQ(NightPaletteOn(), night);
    EXPECT_EQ(NightAction(next).isChecked(), night);
    EXPECT_EQ(QApplication::palette().color(QPalette::Base) == NightPalette().color(QPalette::Base),
              night);
  }
}

// A worksheet carrying colours of its own (black, white, green on yellow)
// and a selection, opened before and after the switch to night.
TEST(NightPaletteTest, WorksheetsShowOnlyDimRedAndKeepTheirOwnColours) {
  testing::ScratchSession session;
  DayAfterwards day;
  auto fill = [](WorksheetWindow& worksheet) {
    worksheet.resize(480, 240);
    worksheet.AppendReport("SUN  GHA 179 12.4  DEC N23 26.2\r\n");
    QTextCursor cursor(worksheet.Editor().document());
    cursor.movePosition(QTextCursor::End);
    for (const auto& [text, background] :
         {std::pair{Qt::black, Qt::white}, {Qt::white, Qt::black}, {Qt::green, Qt::yellow}}) {
      QTextCharFormat format;
      format.setForeground(QColor(text));
      format.setBackground(QColor(background));
      cursor.insertText(QStringLiteral("MOON HP 58.9 SD 16.1\n"), format);
    }
    QTextCursor selection(worksheet.Editor().document());
    selection.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor, 3);
    worksheet.Editor().setTextCursor(selection);
    worksheet.show();
  };
  WorksheetWindow before;
  fill(before);
  SetNightPalette(true);
  WorksheetWindow after;
  fill(after);
  QApplication::processEvents();
  for (WorksheetWindow* worksheet : {&before, &after}) {
    ExpectDimRed(worksheet->grab().toImage(), worksheet == &before ? "opened by day" : "at night");
    QTextCursor white(worksheet->Editor().document()->findBlockByNumber(2));
    white.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(white.charFormat().foreground().color(), QColor(Qt::white));
  }

  SetNightPalette(false);
  QApplication::processEvents();
  const QImage daylight = after.grab().toImage();
  EXPECT_EQ(daylight.pixelColor(daylight.width() - 30, daylight.height() - 30),
            QApplication::palette().color(QPalette::Base));
}

TEST(NightPaletteTest, MessageBoxesShowOnlyDimRed) {
  testing::ScratchSession session;
  DayAfterwards day;
  SetNightPalette(true);
  QtNotice notice(nullptr);
  QImage picture;
  testing::ModalScript box({[&picture](QDialog& shown) { picture = shown.grab().toImage(); }});
  notice.Show("The almanac file could not be read.", kNoticeOkStop);
  ASSERT_TRUE(box.Finished());
  ExpectDimRed(picture, "message box");
}

// A plot open when the palette is switched redraws in the night colours.
TEST(NightPaletteTest, OpenPlotsFollowTheSwitch) {
  testing::ScratchSession session;
  DayAfterwards day;
  MainWindow window(session.state, session.notice);
  SightPlotDocument document;
  document.kind = SightPlotKind::kArchived;
  SightPlotState& state = document.state;
  state.nLegs = state.nSights = 1;
  state.legs[0].end.latitude = state.solution.latitude = 40.0;
  std::strncpy(state.reduced[0].bodyName, "Vega", sizeof state.reduced[0].bodyName - 1);
  state.reduced[0].hc = state.reduced[0].ho = 40.0;
  state.reduced[0].included = state.sights[0].included = 1;
  RecomputeSightFlags(state);
  auto* plot = new SightPlotWindow(document, session.notice, nullptr,
                                   SightPlotWindow::DefaultFont());
  window.ShowPlot(plot);
  window.show();
  QApplication::processEvents();
  const QImage daylight = plot->Image();

  NightAction(window).trigger();
  QApplication::processEvents();
  ExpectDimRed(plot->Image(), "plot at night");
  NightAction(window).trigger();
  QApplication::processEvents();
  EXPECT_EQ(plot->Image(), daylight);
}

// Included and excluded sights must stay apart by colour at night, and no
// colour of the night plot may be one that spoils dark adaptation.
TEST(NightPaletteTest, NightPlotKeepsItsElementsApartInReds) {
  const PlotPalette night = PlotPaletteFor(true);
  const QColor included = night.includedElement;
  const QColor excluded = night.excludedElement;
  const double distance = std::hypot(included.red() - excluded.red(),
                                     included.green() - excluded.green(),
                                     included.blue() - excluded.blue());
  EXPECT_GE(distance, 100.0);
  EXPECT_GE(std::abs(included.hslHue() - excluded.hslHue()), 15) << "apart in hue, not only strength";

  std::vector<QColor> colours = {night.background, night.chartBackground, night.grid,
                                 night.gridLabel,  night.frame,           night.text,
                                 night.panelBackground, included,        excluded,
                                 night.fixMarker,  night.ellipse};
  colours.insert(colours.end(), night.legTrack.begin(), night.legTrack.end());
  for (const QColor& colour : colours) {
    EXPECT_LE(colour.green(), colour.red()) << colour.name().toStdString();
    EXPECT_LE(colour.blue(), colour.red()) << colour.name().toStdString();
    EXPECT_LE(std::max(colour.green(), colour.blue()), 120) << colour.name().toStdString();
  }
  const QColor text = night.text;
  EXPECT_GE(text.red() - night.background.red(), kLeastTextRed - 10) << "text on the ground";
  EXPECT_NE(PlotPaletteFor(false).background, night.background);
}

}  // namespace
}  // namespace navora
