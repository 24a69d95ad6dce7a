#include "app/worksheet/SdfFile.h"

#include <cstdint>
#include <cstdio>

#include "app/worksheet/RtfWriter.h"
#include "app/worksheet/Utf8.h"
#include "engine/common/DocumentFile.h"
#include "engine/common/TextEncoding.h"

namespace navora {
namespace {

std::string ToFileText(const std::string& text) {
  std::string crlf;
  crlf.reserve(text.size() + text.size() / 16);  // a CR for each line
  for (const char c : Utf8ToLatin1(text)) {
    if (c == '\n') crlf.push_back('\r');
    crlf.push_back(c);
  }
  return crlf;
}

// CR LF and a lone CR both end a line.
std::string FromFileText(std::string_view latin1) {
  std::string lines;
  for (size_t i = 0; i < latin1.size(); ++i) {
    if (latin1[i] == '\r') {
      lines.push_back('\n');
      if (i + 1 < latin1.size() && latin1[i + 1] == '\n') ++i;
    } else {
      lines.push_back(latin1[i]);
    }
  }
  return Latin1ToUtf8(lines);
}

}  // namespace

const char* DescribeSdfStatus(SdfStatus status) {
  switch (status) {
    case SdfStatus::kOk:
      return "read";
    case SdfStatus::kPlainTextOnly:
      return "the rich text is damaged; the plain text was used";
    case SdfStatus::kNotAWorksheet:
      return "not a NAVORA worksheet (no \"sdf\" marker)";
    case SdfStatus::kTextTruncated:
      return "the worksheet's text runs past the end of the file";
    case SdfStatus::kTooLarge:
      return "the file is too large for a worksheet";
    case SdfStatus::kCannotRead:
      return "the file cannot be read";
    case SdfStatus::kCannotWrite:
      return "the file cannot be written";
  }
  return "unknown";
}

std::string WriteSdf(const RichText& document) {
  const std::string text = ToFileText(PlainText(document));
  const std::string rtf = WriteRtf(document);
  std::string file;
  file.reserve(kSdfMarker.size() + text.size() + rtf.size() + 16);  // 16: both prefixes
  AppendLengthPrefixed(file, kSdfMarker);
  AppendLengthPrefixed(file, text);
  file += rtf;
  return file;
}

SdfReadResult ReadSdf(std::string_view bytes, RichText& document) {
  document.runs.clear();
  SdfReadResult result;
  size_t position = 0;
  std::string_view marker;
  std::string_view text;
  if (bytes.size() > kMaxSdfBytes) {
    result.status = SdfStatus::kTooLarge;
  } else if (!ReadLengthPrefixed(bytes, position, marker) || marker != kSdfMarker) {
    result.status = SdfStatus::kNotAWorksheet;
  } else if (!ReadLengthPrefixed(bytes, position, text)) {
    result.status = SdfStatus::kTextTruncated;
  } else {
    result.rtfStatus = ReadRtf(bytes.substr(position), document);
    if (result.rtfStatus != RtfStatus::kOk) {
      result.status = SdfStatus::kPlainTextOnly;
      document.runs.clear();
      AppendText(document, FromFileText(text), CharFormat{});
    }
  }
  return result;
}

SdfReadResult ReadSdfFile(const std::string& path, RichText& document) {
  document.runs.clear();
  std::string bytes;
  if (!ReadFileUpTo(path, kMaxSdfBytes, bytes)) return {SdfStatus::kCannotRead};
  if (bytes.size() > kMaxSdfBytes) return {SdfStatus::kTooLarge};
  return ReadSdf(bytes, document);
}

SdfStatus WriteSdfFile(const std::string& path, const RichText& document) {
  const std::string bytes = WriteSdf(document);
  if (bytes.size() > kMaxSdfBytes) return SdfStatus::kTooLarge;  // it could not be opened again
  return ReplaceFile(path, bytes) ? SdfStatus::kOk : SdfStatus::kCannotWrite;
}

}  // namespace navora
