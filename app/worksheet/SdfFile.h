#pragma once

// The worksheet file (".sdf"), read and written byte for byte in the layout
// worksheets have always had:
//   1. the marker "sdf" as a length-prefixed string;
//   2. the worksheet's plain text as a length-prefixed string: one byte per
//      character in Latin-1 (a character beyond Latin-1 is stored as '?'),
//      each '\n' of the text stored as CR LF;
//   3. the rich text as an RTF stream (RtfWriter.h), to the end of the file.
// A length-prefixed string is its length, then its bytes without terminator.
// The length takes one byte when below 255; otherwise the byte 0xFF and a
// 16-bit little-endian length when below 65535; otherwise 0xFF, the 16-bit
// value 0xFFFF and a 32-bit little-endian length. The reader also accepts the
// longer forms for short lengths.
//
// The rich text is the worksheet; the plain text is its copy for readers that
// lack RTF and the way back when the RTF part is damaged: a file whose RTF
// cannot be read opens from its plain text, in the default character format,
// with status kPlainTextOnly, so a worksheet whose first two parts are whole
// is never lost. Files larger than kMaxSdfBytes are refused unread.

#include <cstddef>
#include <string>
#include <string_view>

#include "app/worksheet/RichText.h"
#include "app/worksheet/RtfReader.h"
#include "engine/common/LittleEndianFields.h"  // AppendLengthPrefixed, ReadLengthPrefixed

namespace navora {

inline constexpr std::string_view kSdfMarker = "sdf";
inline constexpr size_t kMaxSdfBytes = kMaxRtfBytes;

enum class SdfStatus {
  kOk,
  kPlainTextOnly,  // the RTF part is damaged: the worksheet is its plain text
  kNotAWorksheet,  // the marker is missing or is not "sdf"
  kTextTruncated,  // the plain text's length runs past the end of the file
  kTooLarge,       // the file is (or would be) larger than kMaxSdfBytes
  kCannotRead,     // the file cannot be opened or read
  kCannotWrite,    // the file cannot be written whole
};

struct SdfReadResult {
  SdfStatus status = SdfStatus::kOk;
  RtfStatus rtfStatus = RtfStatus::kOk;  // why the RTF part was not used
};

// What a status means, in a few words for a message.
const char* DescribeSdfStatus(SdfStatus status);

// The file's bytes for a worksheet.
std::string WriteSdf(const RichText& document);

// Reads a worksheet from a file's bytes. document receives the worksheet on
// kOk and kPlainTextOnly, and is empty otherwise.
SdfReadResult ReadSdf(std::string_view bytes, RichText& document);

// The same from and to a file. The file is written beside its final name
// and renamed over it once complete, so a failed save leaves the previous
// file as it was; a worksheet whose file would exceed kMaxSdfBytes is not
// written (kTooLarge), since it could not be opened again.
SdfReadResult ReadSdfFile(const std::string& path, RichText& document);
SdfStatus WriteSdfFile(const std::string& path, const RichText& document);

}  // namespace navora
