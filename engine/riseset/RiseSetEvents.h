#pragma once

#include "engine/common/BodyId.h"
#include "engine/common/EngineStatus.h"
#include "engine/common/PositionRecord.h"
#include "engine/places/PlaceContext.h"
#include "engine/riseset/RiseSetDay.h"

namespace navora {

// The searches behind one day of rise/set events: the upper meridian transit
// by iteration on the hour angle, then rising and setting by the hour-angle
// equation on each side of it, refined with the body's place and the
// observer's position at the trial instant, then civil and nautical twilight
// of the Sun by one refinement.
//
// Model: places of RiseSetPlaces.h; sidereal time GMST 1982 (the equation of
// the equinoxes is left out: it shifts events by under 1.2 s); rising and
// setting of the centre at RiseSetAltitude less the semi-diameter plus the
// horizontal parallax; the observer on dead reckoning underway.
// Units: instants are UT1 Julian dates unless named Utc; angles in degrees,
// right ascension in hours, rates per day, hour-angle rates in revolutions
// per day. Domain: the dates of the Delta T table and the ephemeris, |latitude|
// below 80 degrees (the position checks refuse the rest; near the poles the
// hour-angle equation loses its sense).
// Accuracy: the transit iteration stops within 0.0001 day (8.6 s) and the
// rise/set refinement within 0.0002 day (17 s) of their fixed points; twilight
// takes one refinement. Against root finding on the true topocentric
// altitude (ERFA IAU 2006/2000A over DE405, about 25,000 events: fixed sites
// 60 S to 65 N, 1970-2024, and three ship tracks) the printed times differ
// from the exact events by at most: rise and set 35 s, transit 31 s (1.1 s
// before rounding), civil twilight 33 s at a fixed site and 70 s underway,
// nautical twilight 60 s and 86 s; every event within the minute after
// rounding. Azimuths at rise and set within 0.5 degree.

// Rotation of the Earth against the mean equinox: revolutions of hour angle
// per day of UT1.
inline constexpr double kSiderealRevolutionsPerUt1Day = 1.002737909350795;

// Altitudes of the Sun's centre that begin and end twilight (degrees).
inline constexpr double kCivilTwilightAltitudeDeg = -6.0;
inline constexpr double kNauticalTwilightAltitudeDeg = -12.0;

// Air of the refraction at transit.
inline constexpr double kTransitRefractionTemperatureC = 10.0;
inline constexpr double kTransitRefractionPressureMb = 1010.0;

// Largest |UT1 - UTC| accepted (seconds).
inline constexpr double kMaxUt1MinusUtcSeconds = 0.9;

// Passes of the rise and set refinement. From its drift-aware first estimate
// it mostly settles to 0.0002 day in one pass, two for the Moon seen from a
// fast ship at high latitude; a body that skims the horizon can step back and
// forth across it, and then the estimate of the last pass is kept.
inline constexpr int kRiseSetRefinementPassLimit = 12;

// Where the places and the observer come from during one day's searches.
struct EventSearch {
  PlaceContext& places;
  RiseSetEarthCache& earth;
  BodyId body = kSun;
  PositionRecord reference;  // advanced by dead reckoning when motionMode is 1
  double deltaTDays = 0.0;   // TT - UT1
  double dutDays = 0.0;      // UT1 - UTC
  int refinementPassLimit = kRiseSetRefinementPassLimit;
};

// The transit and what the other events are found from.
struct TransitSolution {
  double time = 0.0;     // UT1 Julian date
  double raHours = 0.0;  // apparent place, last pass of the iteration
  double decDeg = 0.0;
  double distanceAu = 0.0;
  double latitude = 0.0;  // observer at transit
  double longitude = 0.0;
  double latitudeRate = 0.0;  // degrees per day (0 at a fixed site)
  double longitudeRate = 0.0;
  double semiDiameterArcsec = 0.0;
  double horizontalParallaxArcsec = 0.0;
  double hourAngleRate = 0.0;  // revolutions per day
  double decRate = 0.0;        // degrees per day
};

// Statuses of FindTransit (as those of ComputeRiseSetDay); a failure of the
// ephemeris or of dead reckoning gives kStatusOutOfDomain.
[[nodiscard]] EngineStatus FindTransit(const EventSearch& search, double startUt1,
                                       TransitSolution& transit);

enum class DaySide { kMorning, kEvening };

// Rising (setting) and the beginning (end) of civil and nautical twilight,
// given the transit and its status (EventStatus, from the transit altitude)
// and the altitude of the centre at rising and setting (degrees). Events not
// computed keep the transit time negated with status 0. kStatusOutOfDomain
// when the ephemeris or dead reckoning fails.
[[nodiscard]] EngineStatus FindMorningEvents(const EventSearch& search,
                                             const TransitSolution& transit,
                                             EventStatus transitStatus, double eventAltitudeDeg,
                                             RiseSetEvent& rise, RiseSetEvent& civilBegin,
                                             RiseSetEvent& nauticalBegin);
[[nodiscard]] EngineStatus FindEveningEvents(const EventSearch& search,
                                             const TransitSolution& transit,
                                             EventStatus transitStatus, double eventAltitudeDeg,
                                             RiseSetEvent& set, RiseSetEvent& civilEnd,
                                             RiseSetEvent& nauticalEnd);

// One twilight event at the Sun's altitude twilightAltitudeDeg: a first
// estimate for the latitude and declination given, then one refinement.
// Status as FindMorningEvents.
[[nodiscard]] EngineStatus FindTwilightTime(const EventSearch& search, double latitudeDeg,
                                            double decDeg, const TransitSolution& transit,
                                            double twilightAltitudeDeg, DaySide side,
                                            RiseSetEvent& event);

// The undeterminate marks (kEventUndeterminate) of a day's events: a rise
// and set (and for the Sun each twilight pair) that disagree, one "below" and
// the other not, lose the one that does not fit; when the day follows the
// previous one of the same body (starts at most 1.1 day after it), a begin
// that contradicts the day before's end is marked too. Then `carry` keeps what
// the next day compares with and no longer starts a new table.
void MarkUndeterminateEvents(RiseSetCarryState& carry, double startUt1, BodyId body,
                             RiseSetDay& day);

// The events of one table day without its lines: the checks of the inputs,
// the day's events with the undeterminate marks against the day before (kept
// in `table`), transitUtc, the transit's hour-angle rate and the Moon's
// illumination. Statuses as ComputeRiseSetDay (never 11 or the table
// writer's); kStatusOutOfDomain for an input that is not finite, a negative
// height of eye or a failure of the ephemeris or dead reckoning.
[[nodiscard]] EngineStatus ComputeRiseSetEvents(PlaceContext& places, RiseSetTableState& table,
                                                double startUtc, double ut1MinusUtc, BodyId body,
                                                double heightOfEyeM,
                                                const PositionRecord& reference, RiseSetDay& day,
                                                double& transitUtc, double& transitHourAngleRate);

}  // namespace navora
