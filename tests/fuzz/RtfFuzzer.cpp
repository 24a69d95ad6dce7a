// Reads arbitrary bytes as RTF. Whatever the reader returns must survive the
// writer: reading what the writer made of it is lossless for the text, and a
// second write and read changes nothing more (face names lose their ';' and
// control characters once).

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "app/worksheet/RtfReader.h"
#include "app/worksheet/RtfWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using navora::RichText;
  using navora::RtfStatus;
  RichText first;
  navora::ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size), first);
  RichText second;
  RichText third;
  if (navora::ReadRtf(navora::WriteRtf(first), second) != RtfStatus::kOk ||
      navora::PlainText(second) != navora::PlainText(first) ||
      navora::ReadRtf(navora::WriteRtf(second), third) != RtfStatus::kOk || third != second) {
    std::abort();
  }
  return 0;
}
