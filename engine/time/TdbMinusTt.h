#pragma once

namespace navora {

// TDB - TT in seconds (periodic terms, good to a few microseconds) at jd, and
// jd - (TDB - TT)/86400.
void ConvertTdbToTt(double jd, double& tdbMinusTtSeconds, double& shiftedJd);

}  // namespace navora
