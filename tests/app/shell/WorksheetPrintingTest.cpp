#include <gtest/gtest.h>

#include <QFile>
#include <QTextDocument>
#include <string>

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
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GT(bytes.size(), 4000);
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);

  EXPECT_FALSE(ExportPdf(*sheet.Editor().document(),
                         QString::fromStdString(session.File("no/such/dir/report.pdf"))));
}

}  // namespace
}  // namespace navora
