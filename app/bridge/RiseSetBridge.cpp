#include "app/bridge/RiseSetBridge.h"

namespace navora {
namespace {

constexpr char kHeaderFailed[] = "An error has returned from Rise/Set.";
constexpr char kDayFailed[] = "An error returned from Rise/Set.";

}  // namespace

int TaskRiseSetHeader(Notice& notice, RiseSetTableState& table, BodyId body,
                      const PositionRecord& reference, float timeZoneHours, double heightOfEyeM,
                      uint16_t& lineCount, ReportLine* lines) {
  const EngineStatus status = FormatRiseSetHeader(table.carry, body, reference, timeZoneHours,
                                                  heightOfEyeM, lineCount, lines);
  if (status != kStatusOk) notice.Show(kHeaderFailed, kNoticeOk);
  return status;
}

int TaskRiseSetDay(Notice& notice, PlaceContext& places, RiseSetTableState& table, double startUtc,
                   double ut1MinusUtc, float timeZoneHours, BodyId body, double heightOfEyeM,
                   const PositionRecord& reference, double& transitUtc, uint16_t& lineCount,
                   ReportLine* lines, double& transitHourAngleRate) {
  const EngineStatus status =
      ComputeRiseSetDay(places, table, startUtc, ut1MinusUtc, timeZoneHours, body, heightOfEyeM,
                        reference, transitUtc, lineCount, lines, transitHourAngleRate);
  if (status != kStatusOk && status != kRiseSetNoEventAfterReference) {
    notice.Show(kDayFailed, kNoticeOk);
  }
  return status;
}

}  // namespace navora
