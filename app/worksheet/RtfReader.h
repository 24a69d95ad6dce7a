#pragma once

// Reads an RTF stream into runs of text: the streams RtfWriter writes and
// ordinary word-processor RTF.
//
// Understood: groups; control words with an optional signed parameter and
// their delimiters (a space is swallowed); control symbols; "\'hh" (code page
// 1252, which is Latin-1 above 0x9F); "\uN" with the "\ucN" count of fallback
// characters to skip, surrogate pairs joined; "\bin N" data skipped. The font
// table gives faces for "\fN" ("\deffN" the default), the colour table colours
// for "\cfN". Character format: "\plain", "\f", "\fs" (half-points), "\b",
// "\i", "\ul"/"\ulnone"/"\ul0", "\cf". "\par", "\line", "\row", "\sect" and
// "\page" end a line ('\n'), "\tab" and "\cell" give '\t'. Skipped: every
// "{\*\...}" destination and the stylesheet, info, pictures, objects, headers,
// footers, footnotes, field instructions, list tables and other known
// non-text destinations; unknown control words are ignored.
//
// Limits: input up to kMaxRtfBytes, groups nested up to kMaxRtfDepth, up to
// kMaxRtfTableEntries fonts and colours, face names up to kMaxRtfFaceBytes.
// Work and output grow at most linearly with the input, and the reader never
// fails on content it does not know; it refuses only what it cannot read
// whole, and then says why by the status.

#include <cstddef>
#include <string_view>

#include "app/worksheet/RichText.h"

namespace navora {

inline constexpr size_t kMaxRtfBytes = size_t{256} << 20;
inline constexpr int kMaxRtfDepth = 200;
inline constexpr int kMaxRtfTableEntries = 4096;
inline constexpr size_t kMaxRtfFaceBytes = 256;

enum class RtfStatus {
  kOk,
  kNotRtf,     // does not begin with "{\rtf"
  kTooLarge,   // more than kMaxRtfBytes
  kTooDeep,    // groups nested deeper than kMaxRtfDepth
  kTruncated,  // ends before its groups close
};

// What a status means, in a few words for a message.
const char* DescribeRtfStatus(RtfStatus status);

// Replaces document with the runs of rtf. On a status other than kOk the
// document holds what was read before the fault.
RtfStatus ReadRtf(std::string_view rtf, RichText& document);

}  // namespace navora
