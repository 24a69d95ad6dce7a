#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTextDocument>
#include <cstring>
#include <string>

#include "app/bridge/RecordingNotice.h"
#include "app/plots/PlotPalette.h"
#include "app/plots/SightPlotWindow.h"
#include "app/shell/DocumentPrinting.h"
#include "app/shell/WorksheetWindow.h"
#include "support/ScratchSession.h"

namespace navora {
namespace {

// A worksheet of `lines` report rows `width` characters wide.
void FillWorksheet(WorksheetWindow& sheet, int lines, int width) {
  std::string text;
  for (int i = 0; i < lines; ++i) text += std::string(static_cast<size_t>(width), '0' + i % 10) + "\r\n";
  sheet.AppendReport(text);
}

// The pages of the PDF file at `path`; -1 unless it is one.
int PdfPages(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const QByteArray bytes = file.readAll();
  if (!bytes.startsWith("%PDF")) return -1;
  return bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page ");
}

TEST(WorksheetPrinting, ReportRowsFitAcrossThePageWithoutWrapping) {
  testing::ScratchSession session;
  const struct {
    int width;
    QPageLayout::Orientation orientation;
  } cases[] = {{78, QPageLayout::Portrait}, {150, QPageLayout::Landscape}};
  for (const auto& c : cases) {
    WorksheetWindow sheet;
    FillWorksheet(sheet, 3, c.width);
    EXPECT_EQ(OrientationFor(*sheet.Editor().document()), c.orientation) << c.width;
  }
}

TEST(WorksheetPrinting, ExportsAPdfFileOfEveryPage) {
  testing::ScratchSession session;
  WorksheetWindow sheet;
  FillWorksheet(sheet, 200, 78);  // several pages
  const QString path = QString::fromStdString(session.File("report.pdf"));
  ASSERT_TRUE(ExportPdf(*sheet.Editor().document(), path));
  EXPECT_GE(PdfPages(path), 3);

  EXPECT_FALSE(ExportPdf(*sheet.Editor().document(),
                         QString::fromStdString(session.File("no/such/dir/report.pdf"))));
}

// The plot prints on one page, on white paper: the same drawing scaled to
// the page in the printer's colours.
TEST(PlotPrinting, ExportsOnePageOnWhitePaper) {
  testing::ScratchSession session;
  SightPlotDocument document;
  document.kind = SightPlotKind::kArchived;
  SightPlotState& state = document.state;
  state.nLegs = state.nSights = 1;
  state.legs[0].end.latitude = state.solution.latitude = 40.0;
  std::strncpy(state.reduced[0].bodyName, "Vega", sizeof state.reduced[0].bodyName - 1);
  state.reduced[0].hc = state.reduced[0].ho = 40.0;
  state.reduced[0].included = state.sights[0].included = 1;
  RecomputeSightFlags(state);
  RecordingNotice notice;
  SightPlotWindow plot(document, notice, nullptr, SightPlotWindow::DefaultFont());
  const PagePainting page = [&plot](QPainter& painter, const QRect& area) {
    plot.PaintOn(painter, area, PrinterPlotPalette());
  };

  QImage paper(1100, 850, QImage::Format_RGB32);
  paper.fill(Qt::white);
  {
    QPainter painter(&paper);
    page(painter, paper.rect());
  }
  for (const QPoint corner : {QPoint(3, 3), QPoint(paper.width() - 3, paper.height() - 3)}) {
    EXPECT_GT(paper.pixelColor(corner).lightness(), 230) << "no dark screen ground on paper";
  }

  const QString path = QString::fromStdString(session.File("plot.pdf"));
  ASSERT_TRUE(ExportPdf(plot.Title(), QPageLayout::Landscape, page, path));
  EXPECT_EQ(PdfPages(path), 1);
}

}  // namespace
}  // namespace navora
