// Reads arbitrary bytes as a worksheet file. A worksheet that opens, saved
// and opened again, opens whole (not from its plain text) with the same text,
// and saving it once more gives the same bytes.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/worksheet/SdfFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using navora::RichText;
  using navora::SdfStatus;
  RichText opened;
  const SdfStatus status =
      navora::ReadSdf(std::string_view(reinterpret_cast<const char*>(data), size), opened).status;
  const bool hasDocument = status == SdfStatus::kOk || status == SdfStatus::kPlainTextOnly;
  if (!hasDocument) {
    if (!opened.runs.empty()) std::abort();
    return 0;
  }
  const std::string saved = navora::WriteSdf(opened);
  RichText reopened;
  if (navora::ReadSdf(saved, reopened).status != SdfStatus::kOk ||
      navora::PlainText(reopened) != navora::PlainText(opened)) {
    std::abort();
  }
  const std::string savedAgain = navora::WriteSdf(reopened);
  RichText third;
  if (navora::ReadSdf(savedAgain, third).status != SdfStatus::kOk || third != reopened ||
      navora::WriteSdf(third) != savedAgain) {
    std::abort();
  }
  return 0;
}
