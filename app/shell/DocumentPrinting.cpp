#include "app/shell/DocumentPrinting.h"

#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <memory>

namespace navora {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kDefaultDotsPerInch = 96.0;
// QTextDocument::print leaves a margin of 2 cm on every side.
constexpr double kPrintMarginPoints = 2.0 / 2.54 * kPointsPerInch;
// A4 is the narrower of A4 and Letter.
constexpr double kNarrowPageWidthPoints = 595.0;

// The width of the document's longest line, in points, laid out unwrapped.
double UnwrappedWidthPoints(const QTextDocument& document) {
  std::unique_ptr<QTextDocument> copy(document.clone());
  copy->setTextWidth(-1);
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double dotsPerInch = screen ? screen->logicalDotsPerInchX() : kDefaultDotsPerInch;
  return copy->idealWidth() * kPointsPerInch / dotsPerInch;
}

void Prepare(QPrinter& printer, const QTextDocument& document) {
  printer.setPageOrientation(OrientationFor(document));
  printer.setDocName(document.metaInformation(QTextDocument::DocumentTitle));
}

}  // namespace

QPageLayout::Orientation OrientationFor(const QTextDocument& document) {
  const double portraitWidth = kNarrowPageWidthPoints - 2 * kPrintMarginPoints;
  return UnwrappedWidthPoints(document) <= portraitWidth ? QPageLayout::Portrait
                                                         : QPageLayout::Landscape;
}

void PrintDocument(QWidget* parent, const QTextDocument& document) {
  QPrinter printer(QPrinter::HighResolution);
  Prepare(printer, document);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) document.print(&printer);
}

void PreviewDocument(QWidget* parent, const QTextDocument& document) {
  QPrinter printer(QPrinter::HighResolution);
  Prepare(printer, document);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                   [&document](QPrinter* target) { document.print(target); });
  preview.exec();
}

bool ExportPdf(const QTextDocument& document, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  {
    QPdfWriter writer(&file);
    writer.setPageOrientation(OrientationFor(document));
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("NAVORA"));
    document.print(&writer);
  }  // the writer ends the file when it goes
  const bool written = file.error() == QFileDevice::NoError && file.size() > 0;
  file.close();
  return written;
}

namespace {

// Draws the page on a printer or PDF writer; false when it cannot be drawn on.
bool PaintPage(QPagedPaintDevice& device, int resolution, const PagePainting& paint) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect printable = device.pageLayout().paintRectPixels(resolution);
  paint(painter, QRect(QPoint(0, 0), printable.size()));
  return painter.end();
}

}  // namespace

bool PrintPainting(QWidget* parent, const QString& title, QPageLayout::Orientation orientation,
                   const PagePainting& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(orientation);
  printer.setDocName(title);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return true;
  return PaintPage(printer, printer.resolution(), paint);
}

void PreviewPainting(QWidget* parent, const QString& title, QPageLayout::Orientation orientation,
                     const PagePainting& paint) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(orientation);
  printer.setDocName(title);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&paint](QPrinter* target) {
    static_cast<void>(PaintPage(*target, target->resolution(), paint));
  });
  preview.exec();
}

bool ExportPdf(const QString& title, QPageLayout::Orientation orientation,
               const PagePainting& paint, const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  bool painted = false;
  {
    QPdfWriter writer(&file);
    writer.setPageOrientation(orientation);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("NAVORA"));
    painted = PaintPage(writer, writer.resolution(), paint);
  }
  const bool written = painted && file.error() == QFileDevice::NoError && file.size() > 0;
  file.close();
  return written;
}

}  // namespace navora
