#include "app/tasks/PlanningCourse.h"

#include <algorithm>
#include <array>
#include <span>

#include "app/bridge/PlanningBridge.h"
#include "engine/common/Angles.h"
#include "engine/common/BodyId.h"
#include "engine/planning/FixPrecision.h"
#include "engine/planning/PlanningTables.h"
#include "engine/position/DeadReckoning.h"
#include "engine/position/ReportLine.h"

namespace navora {
namespace {

// A refused dead-reckoning advance (the checks passed, so only a damaged
// reference reaches it).
constexpr char kAdvanceFailed[] =
    "The reference position is not a valid\nlatitude and longitude; check the\nvoyage log.";

bool Interrupted(TaskContext& context) {
  return context.interruptRequested && context.interruptRequested();
}

constexpr bool kStarTable = true;

TaskOutcome TableFailure(TaskContext& context, bool starTable) {
  TellPlanningTableFailure(context.notice, starTable);
  return TaskOutcome::kStopped;
}

template <size_t N>
void AppendLines(TaskContext& context, const ReportLine (&lines)[N], int count) {
  for (int i = 0; i < count && i < static_cast<int>(N); ++i) context.sink.AppendLine(lines[i]);
}

TaskOutcome StarTable(TaskContext& context, const SightPlanningRequest& request,
                      const PlanningObserver& observer, SelectedStarsResult& first) {
  const PositionRecord& at = observer.position;
  ReportLine heading[kPlanningHeaderMaxLines];
  int count = 0;
  if (FormatPlanningHeader(kPlanningHeaderStars, at.latitude, at.longitude, request.heightOfEyeM,
                           heading, count) != kStatusOk) {
    return TableFailure(context, kStarTable);
  }
  AppendLines(context, heading, count);
  PlanningTableState table;
  for (int k = 0; k < kPlanningInstantCount; ++k) {
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    SelectedStarsResult result;
    if (TaskSelectedStars(context.notice, context.places,
                          observer.timeUtc + k * kPlanningStepDays, request.ut1MinusUtc,
                          at.latitude, at.longitude, request.heightOfEyeM, result) != 0) {
      return TaskOutcome::kStopped;
    }
    if (k == 0) first = result;
    ReportLine lines[kPlanningRowMaxLines];
    if (FormatSelectedStarsRow(table, k, result, request.heightOfEyeM, lines, count) !=
        kStatusOk) {
      return TableFailure(context, kStarTable);
    }
    AppendLines(context, lines, count);
  }
  return TaskOutcome::kCompleted;
}

TaskOutcome BodiesTable(TaskContext& context, const SightPlanningRequest& request,
                        const PlanningObserver& observer) {
  const PositionRecord& at = observer.position;
  ReportLine heading[kPlanningHeaderMaxLines];
  int count = 0;
  if (FormatPlanningHeader(kPlanningHeaderBodies, at.latitude, at.longitude, request.heightOfEyeM,
                           heading, count) != kStatusOk) {
    return TableFailure(context, !kStarTable);
  }
  AppendLines(context, heading, count);
  PlanningTableState table;
  for (int k = 0; k < kPlanningInstantCount; ++k) {
    if (Interrupted(context)) return TaskOutcome::kInterrupted;
    PlanningBodiesResult result;
    if (TaskPlanningBodies(context.notice, context.places,
                           observer.timeUtc + k * kPlanningStepDays, request.ut1MinusUtc,
                           at.latitude, at.longitude, request.heightOfEyeM, result) != 0) {
      return TaskOutcome::kStopped;
    }
    ReportLine lines[kPlanningRowMaxLines];
    if (FormatPlanningBodiesRow(table, k, result, request.heightOfEyeM, lines, count) !=
        kStatusOk) {
      return TableFailure(context, !kStarTable);
    }
    AppendLines(context, lines, count);
  }
  return TaskOutcome::kCompleted;
}

// The expected precision block: twice the standard errors, in minutes of arc
// of latitude and of longitude, as the fix report prints its own.
constexpr int kPrecisionLines = 6;
constexpr const char* kGradeNames[] = {"GOOD", "AVERAGE", "POOR"};

void FormatPrecisionRow(const char* label, std::span<const double> azimuths, double latitude,
                        double sigmaDeg, ReportLine& line) {
  double sigmaLatitude = 0.0, sigmaLongitude = 0.0;
  if (ExpectedFixPrecision(azimuths, latitude, sigmaDeg, sigmaLatitude, sigmaLongitude) !=
      kStatusOk) {
    FormatReportLine(line, "     %-24s     not determined", label);
    return;
  }
  constexpr double kTwoSigma = 2.0;
  FormatReportLine(line, "     %-24s +/-%7.1f      +/-%7.1f", label,
                   kTwoSigma * sigmaLatitude * kArcminutesPerDegree,
                   kTwoSigma * sigmaLongitude * kArcminutesPerDegree);
}

void AppendPrecision(TaskContext& context, const SightPlanningRequest& request,
                     const PlanningObserver& observer, const SelectedStarsResult& first) {
  const uint16_t grade =
      request.grade >= kQualityGood && request.grade <= kQualityPoor ? request.grade
                                                                     : kQualityAverage;
  const double sigma = SigmaFromQualityCode(grade);
  std::array<double, kSelectedStarCount> all{};
  std::array<double, kSelectedStarCount> best{};
  size_t bestCount = 0;
  for (size_t i = 0; i < first.stars.size(); ++i) {
    all[i] = first.stars[i].azimuth;
    if (first.stars[i].starNumber < 0) best[bestCount++] = first.stars[i].azimuth;
  }
  ReportLine lines[kPrecisionLines];
  CopyReportLine(" ", lines[0]);
  FormatReportLine(lines[1], "                 EXPECTED FIX PRECISION, %s SIGHTS",
                   kGradeNames[grade - kQualityGood]);
  FormatReportLine(lines[2], "     at the first instant, sights of +/-%4.1f minutes each",
                   sigma * kArcminutesPerDegree);
  CopyReportLine("     Two standard errors, minutes      Latitude      Longitude", lines[3]);
  const double latitude = observer.position.latitude;
  FormatPrecisionRow("Best three stars (<>)", std::span<const double>(best.data(), bestCount),
                     latitude, sigma, lines[4]);
  FormatPrecisionRow("All seven stars", all, latitude, sigma, lines[5]);
  AppendLines(context, lines, kPrecisionLines);
}

}  // namespace

bool ResolvePlanningObserver(TaskContext& context, ReferenceState& state,
                             const SightPlanningRequest& request, PlanningObserver& observer) {
  PositionRecord reference = request.reference;
  reference.motionMode = kMotionRhumbLine;
  double timeUtc = request.timeUtc;
  if (request.twilight &&
      TaskTwilightPlanningTime(context.notice, context.places, request.dateUtc, request.morning,
                               reference, request.ut1MinusUtc, request.heightOfEyeM,
                               timeUtc) != 0) {
    return false;
  }
  if (TaskCheckUnderway(context.notice, context.places.ephemeris, state, reference, timeUtc, kSun,
                        nullptr) != 0) {
    return false;
  }
  double latitudeRate = 0.0, longitudeRate = 0.0;
  if (AdvanceDeadReckoning(timeUtc, reference, observer.position, latitudeRate, longitudeRate) !=
      kStatusOk) {
    context.notice.Show(kAdvanceFailed, kNoticeOk);
    return false;
  }
  observer.timeUtc = timeUtc;
  return true;
}

TaskOutcome RunSkyChart(TaskContext& context, ReferenceState& state,
                        const SightPlanningRequest& request, SkyChartState& chart) {
  chart = SkyChartState{};
  PlanningObserver observer;
  const bool resolved = ResolvePlanningObserver(context, state, request, observer);
  state.highLatitudeNoteDue = true;
  if (!resolved) return TaskOutcome::kStopped;

  SkyChartLuminary luminaries[kSkyChartMaxLuminaries];
  SkyChartPlanet planets[kSkyChartMaxPlanets];
  SkyChartStar stars[kSkyChartMaxStars];
  int16_t luminaryCount = 0, planetCount = 0, starCount = 0;
  if (TaskSkyChart(context.notice, context.places, observer.timeUtc, request.ut1MinusUtc,
                   observer.position.latitude, observer.position.longitude, request.heightOfEyeM,
                   luminaries, luminaryCount, planets, planetCount, stars, starCount) != 0) {
    return TaskOutcome::kStopped;
  }
  SkyChartState computed;
  std::copy_n(luminaries, luminaryCount, computed.luminaries.begin());
  std::copy_n(planets, planetCount, computed.planets.begin());
  std::copy_n(stars, starCount, computed.stars.begin());
  computed.luminaryCount = luminaryCount;
  computed.planetCount = planetCount;
  computed.starCount = starCount;
  computed.totalCount = luminaryCount + planetCount + starCount;
  computed.observer = observer.position;
  computed.planningTime = observer.timeUtc;
  chart = computed;
  return TaskOutcome::kCompleted;
}

TaskOutcome RunSelectedStars(TaskContext& context, ReferenceState& state,
                             const SightPlanningRequest& request) {
  PlanningObserver observer;
  const bool resolved = ResolvePlanningObserver(context, state, request, observer);
  state.highLatitudeNoteDue = true;
  if (!resolved) return TaskOutcome::kStopped;

  SelectedStarsResult first;
  TaskOutcome outcome = StarTable(context, request, observer, first);
  if (outcome != TaskOutcome::kCompleted) return outcome;
  context.sink.AppendLine("");
  outcome = BodiesTable(context, request, observer);
  if (outcome != TaskOutcome::kCompleted) return outcome;
  if (request.showPrecision) AppendPrecision(context, request, observer, first);
  return TaskOutcome::kCompleted;
}

}  // namespace navora
