#pragma once

#include "app/bridge/Notice.h"
#include "engine/common/PositionRecord.h"
#include "engine/position/ExternalFix.h"

namespace navora {

// The task bridge entry of the External Fix command: ComputeExternalFix
// with its messages.

// Returned values of TaskComputeExternalFix besides 0.
inline constexpr int kExternalFixTooEarly = 1;  // told, with the reference's time
inline constexpr int kExternalFixFailed = 2;    // told (a fault), or a refusal without a message

// Returns 0 with `result`; kExternalFixTooEarly for a fix before the
// reference; kExternalFixFailed for any other status: an internal fault
// (statuses from kExternalFixCurrentFailed, or a record outside the domain)
// is told with the stop icon and OK/Cancel, the rest without a message.
int TaskComputeExternalFix(Notice& notice, const PositionRecord& newFix,
                           const PositionRecord& reference, const PositionRecord& lastFix,
                           ExternalFixResult& result);

}  // namespace navora
