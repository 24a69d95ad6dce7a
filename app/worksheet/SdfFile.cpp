#include "app/worksheet/SdfFile.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "app/worksheet/RtfWriter.h"
#include "app/worksheet/Utf8.h"
#include "engine/common/TextEncoding.h"

namespace navora {
namespace {

constexpr uint8_t kLength16Follows = 0xFF;     // the byte length escape
constexpr uint16_t kLength32Follows = 0xFFFF;  // the 16-bit length escape

void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool ReadLittleEndian(std::string_view bytes, size_t& position, int width, uint32_t& value) {
  if (bytes.size() - position < static_cast<size_t>(width)) return false;
  value = 0;
  for (int i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[position + i])) << (8 * i);
  }
  position += width;
  return true;
}

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

void AppendLengthPrefixed(std::string& out, std::string_view bytes) {
  const size_t length = bytes.size();
  if (length < kLength16Follows) {
    AppendLittleEndian(out, static_cast<uint32_t>(length), 1);
  } else if (length < kLength32Follows) {
    AppendLittleEndian(out, kLength16Follows, 1);
    AppendLittleEndian(out, static_cast<uint32_t>(length), 2);
  } else {
    AppendLittleEndian(out, kLength16Follows, 1);
    AppendLittleEndian(out, kLength32Follows, 2);
    AppendLittleEndian(out, static_cast<uint32_t>(length), 4);
  }
  out.append(bytes);
}

bool ReadLengthPrefixed(std::string_view bytes, size_t& position, std::string_view& value) {
  size_t at = position;
  uint32_t length = 0;
  if (!ReadLittleEndian(bytes, at, 1, length)) return false;
  if (length == kLength16Follows && !ReadLittleEndian(bytes, at, 2, length)) return false;
  if (length == kLength32Follows && !ReadLittleEndian(bytes, at, 4, length)) return false;
  if (bytes.size() - at < length) return false;
  value = bytes.substr(at, length);
  position = at + length;
  return true;
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
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return {SdfStatus::kCannotRead};
  std::string bytes;
  char buffer[1 << 16];
  size_t count = 0;
  while (bytes.size() <= kMaxSdfBytes && (count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, count);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return {SdfStatus::kCannotRead};
  if (bytes.size() > kMaxSdfBytes) return {SdfStatus::kTooLarge};
  return ReadSdf(bytes, document);
}

SdfStatus WriteSdfFile(const std::string& path, const RichText& document) {
  const std::string bytes = WriteSdf(document);
  if (bytes.size() > kMaxSdfBytes) return SdfStatus::kTooLarge;  // it could not be opened again
  const std::string partial = path + ".partial";
  std::FILE* file = std::fopen(partial.c_str(), "wb");
  if (file == nullptr) return SdfStatus::kCannotWrite;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
                       std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
  if (std::fclose(file) != 0 || !written || std::rename(partial.c_str(), path.c_str()) != 0) {
    std::remove(partial.c_str());
    return SdfStatus::kCannotWrite;
  }
  return SdfStatus::kOk;
}

}  // namespace navora
