#include "app/shell/RichTextDocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

namespace navora {
namespace {

constexpr double kHalfPointsPerPoint = 2.0;

QTextCharFormat ToCharFormat(const CharFormat& format) {
  QTextCharFormat result;
  result.setFontFamilies(QStringList{QString::fromStdString(format.face)});
  result.setFontPointSize(format.halfPoints / kHalfPointsPerPoint);
  result.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  result.setFontItalic(format.italic);
  result.setFontUnderline(format.underline);
  if (format.colour) {
    result.setForeground(QColor(format.colour->red, format.colour->green, format.colour->blue));
  }
  return result;
}

CharFormat FromCharFormat(const QTextCharFormat& format, const QFont& defaultFont) {
  CharFormat result;
  const QStringList families = format.fontFamilies().toStringList();
  result.face = (families.isEmpty() ? defaultFont.family() : families.front()).toStdString();
  const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                       : defaultFont.pointSizeF();
  result.halfPoints = static_cast<int32_t>(std::lround(points * kHalfPointsPerPoint));
  result.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                            : defaultFont.bold();
  result.italic =
      format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
  const bool ownUnderline = format.hasProperty(QTextFormat::TextUnderlineStyle) ||
                            format.hasProperty(QTextFormat::FontUnderline);
  result.underline = ownUnderline ? format.fontUnderline() : defaultFont.underline();
  if (format.hasProperty(QTextFormat::ForegroundBrush) &&
      format.foreground().style() != Qt::NoBrush) {
    const QColor colour = format.foreground().color();
    result.colour =
        RgbColour{static_cast<uint8_t>(colour.red()), static_cast<uint8_t>(colour.green()),
                  static_cast<uint8_t>(colour.blue())};
  }
  return result;
}

// The editor's separators within a paragraph become the file's line end.
std::string ToUtf8(QString text) {
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  text.remove(QChar::ObjectReplacementCharacter);
  return text.toStdString();
}

}  // namespace

void ToTextDocument(const RichText& text, QTextDocument& document) {
  document.clear();
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (const TextRun& run : text.runs) {
    // insertText makes each '\n' a paragraph break.
    cursor.insertText(QString::fromStdString(run.text), ToCharFormat(run.format));
  }
  cursor.endEditBlock();
}

RichText FromTextDocument(const QTextDocument& document) {
  RichText text;
  const QFont defaultFont = document.defaultFont();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    // The line end goes with the line's last piece, so as not to split runs.
    QTextCharFormat last = block.charFormat();
    for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
      const QTextFragment piece = fragment.fragment();
      if (!piece.isValid()) continue;
      last = piece.charFormat();
      AppendText(text, ToUtf8(piece.text()), FromCharFormat(last, defaultFont));
    }
    if (block.next().isValid()) AppendText(text, "\n", FromCharFormat(last, defaultFont));
  }
  return text;
}

}  // namespace navora
