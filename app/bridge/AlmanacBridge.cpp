#include "app/bridge/AlmanacBridge.h"

namespace navora {
namespace {

constexpr char kHeadingFailed[] = "An error returned from the\n almanac heading routine.";
constexpr char kRowFailed[] = "An error was returned from\n the Almanac manager.";

constexpr int kTaskStops = 1;

}  // namespace

int TaskAlmanacHeading(Notice& notice, PlaceContext& context, double jdUtc, double dut1Seconds,
                       AlmanacKind kind, double intervalDays, int16_t& lineCount,
                       AlmanacHeadingLines& lines) {
  int16_t lastLineIndex = 0;
  if (ComputeAlmanacHeading(context, jdUtc, dut1Seconds, kind, intervalDays, lines,
                            lastLineIndex) != kStatusOk) {
    notice.Show(kHeadingFailed, kNoticeOk);
    return kTaskStops;
  }
  lineCount = static_cast<int16_t>(lastLineIndex + 1);
  return 0;
}

int TaskAlmanac(Notice& notice, PlaceContext& context, double jdUtc, double dut1Seconds,
                AlmanacKind kind, int16_t starNumber, double intervalDays, AlmanacLine& row) {
  if (ComputeAlmanacRow(context, jdUtc, dut1Seconds, kind, starNumber, intervalDays, row) !=
      kStatusOk) {
    notice.Show(kRowFailed, kNoticeOk);
    return kTaskStops;
  }
  return 0;
}

}  // namespace navora
