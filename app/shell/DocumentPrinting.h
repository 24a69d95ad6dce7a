#pragma once

// Printing, print preview and PDF export of a text document: a worksheet or
// a log window. Reports are fixed-pitch tables whose rows must not wrap, so
// a document whose widest line does not fit across a portrait page is laid
// out on a landscape page.

#include <QPageLayout>
#include <QPainter>
#include <QRect>
#include <QString>
#include <QTextDocument>
#include <QWidget>
#include <functional>

namespace navora {

// The orientation that keeps the document's longest line on one line of an
// A4 or Letter page (the narrower of the two decides).
QPageLayout::Orientation OrientationFor(const QTextDocument& document);

// Through the print dialog; nothing is printed when it is cancelled.
void PrintDocument(QWidget* parent, const QTextDocument& document);
void PreviewDocument(QWidget* parent, const QTextDocument& document);

// Writes the document as a PDF file at `path`; false when the file could
// not be written.
bool ExportPdf(const QTextDocument& document, const QString& path);

// A drawing of one page (a plot): `paint` draws into `page`, the printable
// rectangle in the device's pixels.
using PagePainting = std::function<void(QPainter& painter, const QRect& page)>;

// Through the print dialog. False when the printer could not be drawn on
// (nothing printed); a cancelled dialog is not a failure.
bool PrintPainting(QWidget* parent, const QString& title, QPageLayout::Orientation orientation,
                   const PagePainting& paint);
void PreviewPainting(QWidget* parent, const QString& title, QPageLayout::Orientation orientation,
                     const PagePainting& paint);
bool ExportPdf(const QString& title, QPageLayout::Orientation orientation,
               const PagePainting& paint, const QString& path);

}  // namespace navora
