#pragma once

// Conversion between the worksheet file's rich text and the editor's
// QTextDocument, keeping what a worksheet file can hold: text, and per run
// the font family, size (to the half-point), bold, italic, underline and
// colour. Other formatting of the editor (tables, images, alignment) is not
// kept: the file has no place for it.

#include <QTextDocument>

#include "app/worksheet/RichText.h"

namespace navora {

// Replaces the content of `document` with `text`.
void ToTextDocument(const RichText& text, QTextDocument& document);

// The runs of `document`; a run without its own family or size takes the
// document's default font, and one without a colour of its own has none.
RichText FromTextDocument(const QTextDocument& document);

}  // namespace navora
