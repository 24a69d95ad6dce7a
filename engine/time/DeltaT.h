#pragma once

#include "engine/common/EngineStatus.h"

namespace navora {

// Answers of LookupDeltaT that are not Delta T values; callers treat any
// value <= kDeltaTUnavailable as "Delta T not available".
inline constexpr double kDeltaTFileMissing = -1666.0;
inline constexpr double kDeltaTUnavailable = -1000.0;

// Delta T = TT - UT1 in seconds for a UT Julian date, interpolated linearly in
// the table "DeltaT.val" of the working directory. The file is opened on the
// first call (and retried on every call while it cannot be opened) and stays
// open. Returns kDeltaTFileMissing when the file cannot be opened or holds no
// usable table, kDeltaTUnavailable when jdUt lies outside the table.
double LookupDeltaT(double jdUt);

// Julian dates the open table answers for. Status 1 when no table is open.
EngineStatus GetDeltaTCoverage(double& firstJd, double& lastJd);

// Called when reading the open table fails; `reason` is the system's error
// text. The default handler prints "Error reading DT file: <reason>" on the
// error output and ends the process with EXIT_FAILURE. If a replacement
// handler returns, the lookup answers kDeltaTUnavailable.
using DeltaTFatalErrorHandler = void (*)(const char* reason);
void SetDeltaTFatalErrorHandler(DeltaTFatalErrorHandler handler);

}  // namespace navora
