#include "app/bridge/PositionBridge.h"

#include "app/bridge/ReferencePositionBridge.h"

namespace navora {

namespace {

constexpr char kInternalFault[] =
    "There is an error somewhere in this function.Please contact the program's manufacturer.";

}  // namespace

int TaskComputeExternalFix(Notice& notice, const PositionRecord& newFix,
                           const PositionRecord& reference, const PositionRecord& lastFix,
                           ExternalFixResult& result) {
  const EngineStatus status = ComputeExternalFix(newFix, reference, lastFix, result);
  if (status == kStatusOk) return 0;
  if (status == kExternalFixBeforeReference) {
    notice.Show(TimeTooEarlyMessage(reference.time), kNoticeOk);
    return kExternalFixTooEarly;
  }
  // A damaged record is as much a fault of the program's data as a failed current.
  if (status >= kExternalFixCurrentFailed || status == kStatusOutOfDomain) {
    notice.Show(kInternalFault, kNoticeOkCancelStop);
  }
  return kExternalFixFailed;
}

}  // namespace navora
