#pragma once

namespace navora {

// TDB - TT in seconds at jd, and jd - (TDB - TT)/86400.
// Model: the two largest periodic terms of the TDB - TT series, the annual
// term (through the Earth's mean anomaly and orbital eccentricity) and the
// Jupiter term; the time argument is counted from 1950 Jan 1, 0h. They agree
// with the full series to 7.6 microseconds at four test dates 1970-2017 (the
// test allows 20). The result is always within +-1.7 ms.
void ConvertTdbToTt(double jd, double& tdbMinusTtSeconds, double& shiftedJd);

}  // namespace navora
