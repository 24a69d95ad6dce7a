#!/usr/bin/python3
"""Synthetic sights with a known answer, for the accuracy and error-estimate
tests of the celestial fix.

A scenario is a true track (one to four legs, each with a start time, course
and speed through the water and a current set and drift) and a list of sights.
For each sight the observer stands on the true track at the sight's instant,
on the WGS-84 ellipsoid at the height of eye, and this module computes the
true topocentric altitude of the point of the body that the navigator brings
to the horizon:
  - Sun and Moon limbs: centre altitude plus or minus the topocentric
    semi-diameter (Sun 959.63" at 1 AU, Moon k = 0.2725076 Earth radii);
  - Sun without limb, stars: the centre;
  - planets and the Moon without limb: the centre of light, the centroid of
    the uniformly bright lit disk, 4/(3 pi) x SD x (1 - cos i) from the centre
    toward the Sun along the great circle through both (IAU radii), with the
    phase angle i from the topocentric distances and directions.
Places come from apparent_places.py (ERFA IAU 2006/2000A, light deflection,
relativistic aberration, converged light time, over JPL DE405), observed from
the site itself (diurnal aberration and parallax included). The altitude is
referred to the ellipsoid normal through the Greenwich apparent sidereal time
(no polar motion). Time scales: UT1 = UTC + (UT1 - UTC), TT = UT1 + Delta T
with Delta T from the program's data/DeltaT.val, as for the other fixtures.

The true altitude Ho is then turned into what the navigator would read off
the sextant with the program's own corrections, so that only the fix is
under test: Ha solves Ho = Ha - R(Ha) / 60 with the Bennett-form refraction
scaled for temperature and pressure, hs = Ha - index correction + dip / 60
with dip 1.76' sqrt(h), and hs is rounded to whole degrees and tenths of an
arc-minute as the sight dialog accepts it. Heights of eye are whole feet,
index corrections tenths of an arc-minute, temperatures and pressures whole
numbers, sight times whole seconds of UTC, UT1 - UTC tenths of a second.

Tracks are rhumb lines on the WGS-84 ellipsoid over the ground: the ship's
velocity through the water plus the current give a constant course and speed
made good; the meridian arc is integrated by Gauss-Legendre quadrature and
inverted by Newton's method, the longitude comes from isometric latitudes.

What the program's log holds differs from the truth: the last fix that starts
leg 0 is offset by a few miles, the DR updates that start later legs are the
log's own dead reckoning from it, and the log knows no current. Course and
speed through the water are the log's.

Usage:
  synthetic_sights.py [output directory]   writes synthetic-<name>.tsv for
      every scenario (default tests/fixtures/sightreduction)
  synthetic_sights.py --survey YYYY-MM-DD LAT LON
      altitudes and azimuths of the Sun, Moon, planets and the stars above
      15 degrees at each hour of that UTC day (for designing scenarios)

Fixture rows (blank-separated, after the '#' comments and the header line):
  fix    time of fix (JD UTC), UT1 - UTC at the fix (s), true latitude and
         longitude at the time of fix (degrees), true course (degrees) and
         speed (knots) made good on the fix leg, 1 when the truth has a
         current, the leg count
  leg    index, start time (JD UTC), latitude, longitude (degrees), course
         (degrees), speed (knots), position type: the log's legs, rhumb line,
         no current
  sight  leg, body code, star number, time (JD UTC), UT1 - UTC (s),
         temperature (C), pressure (mb), hs (degrees), index correction
         (degrees), height of eye (m), sigma (degrees), true altitude of the
         observed point (degrees), true azimuth (degrees)
"""

import datetime
import math
import os
import sys
from dataclasses import dataclass, field

import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import apparent_places  # noqa: E402
import de405  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
DEFAULT_OUTPUT = os.path.join(ROOT, "tests", "fixtures", "sightreduction")
DELTA_T_FILE = os.path.join(ROOT, "data", "DeltaT.val")

# WGS-84.
SEMI_MAJOR_AXIS_M = 6378137.0
FLATTENING = 1.0 / 298.257223563
ECCENTRICITY_SQUARED = FLATTENING * (2.0 - FLATTENING)
ECCENTRICITY = math.sqrt(ECCENTRICITY_SQUARED)
METRES_PER_NAUTICAL_MILE = 1852.0
SECONDS_PER_DAY = 86400.0
METRES_PER_FOOT = 0.3048

# Radii of the bodies (independent of the program's constants).
EARTH_EQUATORIAL_RADIUS_M = 6378136.6
MOON_RADIUS_M = 0.2725076 * EARTH_EQUATORIAL_RADIUS_M
SUN_SEMIDIAMETER_AT_1AU_ARCSEC = 959.63
PLANET_RADIUS_M = {de405.VENUS: 6051800.0, de405.MARS: 3396190.0,
                   de405.JUPITER: 71492000.0, de405.SATURN: 60268000.0}
CENTROID_FACTOR = 4.0 / (3.0 * math.pi)

# Sextant corrections of the program: dip factor (arc-minutes per root metre)
# and the refraction formula's constants.
DIP_MINUTES_PER_ROOT_METRE = 1.76
REFRACTION_NUMERATOR = 7.31
REFRACTION_OFFSET = 4.4
PRESSURE_OFFSET_MB = 80.0
PRESSURE_SPAN_MB = 930.0
TEMPERATURE_COEFFICIENT = 8e-5
TEMPERATURE_REFRACTION_OFFSET = 39.0
STANDARD_TEMPERATURE_C = 10.0

# Standard errors of the quality grades (degrees).
GRADE_SIGMA = {"good": 0.005, "average": 0.01, "poor": 0.02}

# Body codes of the sight records.
PLANET_CODES = {2: de405.VENUS, 4: de405.MARS, 5: de405.JUPITER,
                6: de405.SATURN}
SUN_CENTRE, MOON_CENTRE = 10, 11
SUN_UPPER, MOON_UPPER, SUN_LOWER, MOON_LOWER = 12, 13, 14, 15
STAR = 20

JD_DECIMALS = 10
QUADRATURE_NODES, QUADRATURE_WEIGHTS = np.polynomial.legendre.leggauss(24)


# Geodesy -------------------------------------------------------------------

def _w(phi):
    return math.sqrt(1.0 - ECCENTRICITY_SQUARED * math.sin(phi) ** 2)


def meridian_radius(phi):
    return SEMI_MAJOR_AXIS_M * (1.0 - ECCENTRICITY_SQUARED) / _w(phi) ** 3


def prime_vertical_radius(phi):
    return SEMI_MAJOR_AXIS_M / _w(phi)


def meridian_arc(phi):
    """Distance along the meridian from the equator, metres."""
    half = 0.5 * phi
    return half * sum(w * meridian_radius(half * (x + 1.0))
                      for x, w in zip(QUADRATURE_NODES, QUADRATURE_WEIGHTS))


def latitude_of_arc(arc):
    phi = arc / meridian_radius(0.0)
    for _ in range(20):
        step = (meridian_arc(phi) - arc) / meridian_radius(phi)
        phi -= step
        if abs(step) < 1e-15:
            break
    return phi


def isometric_latitude(phi):
    return math.asinh(math.tan(phi)) - \
        ECCENTRICITY * math.atanh(ECCENTRICITY * math.sin(phi))


def rhumb_direct(lat_deg, lon_deg, course_deg, distance_m):
    """End of a rhumb line on the ellipsoid; degrees, longitude -180..180."""
    phi1 = math.radians(lat_deg)
    course = math.radians(course_deg)
    arc1 = meridian_arc(phi1)
    northing = distance_m * math.cos(course)
    phi2 = latitude_of_arc(arc1 + northing)
    if abs(phi2 - phi1) < 1e-12:
        # Along a parallel the isometric latitude grows by ds / (N cos phi).
        dlon = distance_m * math.sin(course) / \
            (prime_vertical_radius(phi1) * math.cos(phi1))
    else:
        dlon = distance_m * math.sin(course) * \
            (isometric_latitude(phi2) - isometric_latitude(phi1)) / northing
    lon = (lon_deg + math.degrees(dlon) + 180.0) % 360.0 - 180.0
    return math.degrees(phi2), lon


def made_good(course_deg, speed_kn, set_deg, drift_kn):
    """Course (degrees) and speed (knots) over the ground."""
    north = speed_kn * math.cos(math.radians(course_deg)) + \
        drift_kn * math.cos(math.radians(set_deg))
    east = speed_kn * math.sin(math.radians(course_deg)) + \
        drift_kn * math.sin(math.radians(set_deg))
    return math.degrees(math.atan2(east, north)) % 360.0, math.hypot(north, east)


@dataclass
class Leg:
    start_jd: float
    course: float       # through the water, degrees
    speed: float        # knots
    set: float = 0.0    # current, degrees toward
    drift: float = 0.0  # knots


@dataclass
class Track:
    """Rhumb-line legs over the ground from a start position."""
    latitude: float
    longitude: float
    legs: list
    current: bool = True   # False: the log's track, set and drift ignored
    starts: list = field(default_factory=list)

    def __post_init__(self):
        self.starts = [(self.latitude, self.longitude)]
        for leg, following in zip(self.legs, self.legs[1:]):
            self.starts.append(self._advance(leg, self.starts[-1],
                                             following.start_jd))

    def ground(self, leg):
        if not self.current:
            return leg.course, leg.speed
        return made_good(leg.course, leg.speed, leg.set, leg.drift)

    def _advance(self, leg, start, jd):
        course, speed = self.ground(leg)
        distance = speed * METRES_PER_NAUTICAL_MILE * 24.0 * (jd - leg.start_jd)
        return rhumb_direct(start[0], start[1], course, distance)

    def leg_index(self, jd):
        index = 0
        while index + 1 < len(self.legs) and jd >= self.legs[index + 1].start_jd:
            index += 1
        return index

    def position(self, jd):
        index = self.leg_index(jd)
        return self._advance(self.legs[index], self.starts[index], jd)


# Sky -----------------------------------------------------------------------

def _unit(vector):
    return vector / np.linalg.norm(vector)


def _altitude_azimuth(unit, lst_hours, lat_deg):
    """Altitude and azimuth (degrees) of a true-of-date direction for the
    geodetic zenith at the local apparent sidereal time."""
    theta = lst_hours * apparent_places.RADIANS_PER_HOUR
    phi = math.radians(lat_deg)
    zenith = np.array([math.cos(phi) * math.cos(theta),
                       math.cos(phi) * math.sin(theta), math.sin(phi)])
    north = np.array([-math.sin(phi) * math.cos(theta),
                      -math.sin(phi) * math.sin(theta), math.cos(phi)])
    east = np.array([-math.sin(theta), math.cos(theta), 0.0])
    altitude = math.degrees(math.asin(float(np.clip(unit @ zenith, -1, 1))))
    azimuth = math.degrees(math.atan2(unit @ east, unit @ north)) % 360.0
    return altitude, azimuth


class Sky:
    def __init__(self):
        self.reference = apparent_places.ReferenceSky()
        self.delta_t = apparent_places.DeltaTTable(DELTA_T_FILE)
        self.stars = apparent_places.load_stars(ROOT)

    def instant(self, jd_utc, ut1_minus_utc):
        jd_ut1 = jd_utc + ut1_minus_utc / SECONDS_PER_DAY
        delta_t = self.delta_t.lookup(jd_ut1)
        return jd_ut1 + delta_t / SECONDS_PER_DAY, delta_t

    def _star_from_site(self, jd_tt, delta_t, star, lon, lat, height):
        jd_tdb = self.reference.tdb_from_tt(jd_tt)
        site = self.reference._site(jd_tt, jd_tdb, delta_t, lon, lat, height)
        arcsec_per_year = erfa.DAS2R / 100.0
        direction = erfa.pmpx(
            star.ra_hours * apparent_places.RADIANS_PER_HOUR,
            math.radians(star.dec_deg),
            star.pm_ra_s_per_cy * 15.0 * arcsec_per_year,
            star.pm_dec_arcsec_per_cy * arcsec_per_year,
            star.parallax_arcsec, star.rv_km_s,
            (jd_tdb - erfa.DJ00) / erfa.DJY, site.position)
        sun_to_site = site.position - site.sun_position
        sun_distance = float(np.linalg.norm(sun_to_site))
        direction = erfa.ldsun(direction, sun_to_site / sun_distance,
                               sun_distance)
        return self.reference._apparent(jd_tt, direction, site, sun_distance,
                                        None)

    def observed_point(self, code, star, jd_utc, ut1_minus_utc, lat, lon,
                       height):
        """True altitude and azimuth (degrees) of the observed point."""
        jd_tt, delta_t = self.instant(jd_utc, ut1_minus_utc)
        lst = self.reference.gast_hours(jd_tt, delta_t) + lon / 15.0
        if code == STAR:
            place = self._star_from_site(jd_tt, delta_t, self.stars[star],
                                         lon, lat, height)
            return _altitude_azimuth(place.unit_vector, lst, lat)
        body = de405.SUN if code in (SUN_CENTRE, SUN_UPPER, SUN_LOWER) else \
            de405.MOON if code in (MOON_CENTRE, MOON_UPPER, MOON_LOWER) else \
            PLANET_CODES[code]
        place = self.reference.topocentric(jd_tt, delta_t, body, lon, lat,
                                           height)
        direction = place.unit_vector
        if body == de405.SUN:
            semidiameter = math.radians(
                SUN_SEMIDIAMETER_AT_1AU_ARCSEC / 3600.0 / place.distance_au)
        else:
            radius = MOON_RADIUS_M if body == de405.MOON else \
                PLANET_RADIUS_M[body]
            semidiameter = math.asin(radius / (place.distance_au * erfa.DAU))
        if code in (MOON_CENTRE,) + tuple(PLANET_CODES):
            sun = self.reference.topocentric(jd_tt, delta_t, de405.SUN, lon,
                                             lat, height)
            body_vector = place.distance_au * direction
            to_sun = sun.distance_au * sun.unit_vector - body_vector
            cos_phase = float(_unit(-body_vector) @ _unit(to_sun))
            shift = CENTROID_FACTOR * semidiameter * (1.0 - cos_phase)
            across = _unit(sun.unit_vector -
                           (sun.unit_vector @ direction) * direction)
            direction = math.cos(shift) * direction + math.sin(shift) * across
        altitude, azimuth = _altitude_azimuth(direction, lst, lat)
        if code in (SUN_UPPER, MOON_UPPER):
            altitude += math.degrees(semidiameter)
        elif code in (SUN_LOWER, MOON_LOWER):
            altitude -= math.degrees(semidiameter)
        return altitude, azimuth


# Sextant -------------------------------------------------------------------

def refraction_minutes(apparent_deg, temperature, pressure):
    standard = 1.0 / math.tan(math.radians(
        apparent_deg + REFRACTION_NUMERATOR /
        (apparent_deg + REFRACTION_OFFSET)))
    return (pressure - PRESSURE_OFFSET_MB) / PRESSURE_SPAN_MB * standard / (
        1.0 + TEMPERATURE_COEFFICIENT *
        (standard + TEMPERATURE_REFRACTION_OFFSET) *
        (temperature - STANDARD_TEMPERATURE_C))


def apparent_altitude(true_deg, temperature, pressure):
    """Ha with Ha - R(Ha) / 60 = Ho."""
    apparent = true_deg
    for _ in range(100):
        following = true_deg + \
            refraction_minutes(apparent, temperature, pressure) / 60.0
        if abs(following - apparent) < 1e-13:
            break
        apparent = following
    return following


def sextant_altitude(true_deg, sight):
    """hs as the dialog takes it: whole tenths of an arc-minute."""
    apparent = apparent_altitude(true_deg, sight.temperature, sight.pressure)
    dip = DIP_MINUTES_PER_ROOT_METRE * math.sqrt(sight.height_m)
    hs = apparent - sight.index_correction + dip / 60.0
    return round(hs * 600.0) / 600.0


# Scenarios -----------------------------------------------------------------

def julian_date(text):
    """UTC Julian date of 'YYYY-MM-DD HH:MM:SS'."""
    moment = datetime.datetime.strptime(text, "%Y-%m-%d %H:%M:%S")
    origin = datetime.datetime(2000, 1, 1, 12)
    return 2451545.0 + (moment - origin).total_seconds() / SECONDS_PER_DAY


@dataclass
class Sight:
    time: str
    code: int
    star: int = 0
    grade: str = "good"
    height_ft: int = 30
    ic_tenths: int = 0          # index correction, tenths of an arc-minute
    temperature: int = 10
    pressure: int = 1010
    ut1_tenths: int = 0         # UT1 - UTC, tenths of a second

    @property
    def jd(self):
        return round(julian_date(self.time), JD_DECIMALS)

    @property
    def height_m(self):
        return self.height_ft * METRES_PER_FOOT

    @property
    def index_correction(self):
        return self.ic_tenths / 600.0

    @property
    def ut1_minus_utc(self):
        return self.ut1_tenths / 10.0


@dataclass
class Scenario:
    name: str
    what: str
    latitude: float
    longitude: float
    legs: list            # Leg, the truth (course and speed through the water)
    sights: list          # Sight
    offset_nm: tuple      # (north, east) error of the log's last fix
    fix_time: str = "last"  # first | mean | last sight of the fix leg


def stars(time, numbers, grade="good", **conditions):
    return [Sight(time, STAR, number, grade, **conditions)
            for number in numbers]


def utc(text):
    return julian_date(text)


SCENARIOS = [
    Scenario(
        "stars-1975", "evening twilight, eight stars and Venus, one leg",
        45.0, -30.0, [Leg(utc("1975-03-20 18:00:00"), 250.0, 15.0)],
        [Sight("1975-03-20 20:44:10", STAR, 27, height_ft=40, ic_tenths=-12,
               temperature=8, pressure=1021, ut1_tenths=3)] +
        [Sight(time, STAR, number, grade, height_ft=40, ic_tenths=-12,
               temperature=8, pressure=1021, ut1_tenths=3)
         for time, number, grade in (
             ("1975-03-20 20:46:02", 26, "good"),
             ("1975-03-20 20:47:51", 20, "average"),
             ("1975-03-20 20:49:37", 10, "good"),
             ("1975-03-20 20:51:15", 9, "good"),
             ("1975-03-20 20:54:40", 18, "average"),
             ("1975-03-20 20:57:30", 12, "good"),
             ("1975-03-20 20:59:05", 28, "good"))] +
        [Sight("1975-03-20 20:56:05", 2, height_ft=40, ic_tenths=-12,
               temperature=8, pressure=1021, ut1_tenths=3)],
        (4.0, -3.0), "mean"),
    Scenario(
        "sun-moon-venus-2018", "afternoon, both Sun limbs, both Moon limbs,"
        " Venus, one leg", -32.0, 10.0,
        [Leg(utc("2018-08-18 12:00:00"), 320.0, 12.0)],
        [Sight(time, code, 0, grade, height_ft=25, ic_tenths=21,
               temperature=14, pressure=1016, ut1_tenths=1)
         for time, code, grade in (
             ("2018-08-18 14:00:12", SUN_LOWER, "good"),
             ("2018-08-18 14:04:40", SUN_UPPER, "good"),
             ("2018-08-18 14:09:58", MOON_LOWER, "average"),
             ("2018-08-18 14:13:31", MOON_UPPER, "average"),
             ("2018-08-18 14:18:07", 2, "good"),
             ("2018-08-18 14:22:45", 2, "average"),
             ("2018-08-18 14:30:20", SUN_LOWER, "good"),
             ("2018-08-18 14:35:02", MOON_LOWER, "good"),
             ("2018-08-18 14:41:30", 2, "good"),
             ("2018-08-18 14:47:15", SUN_UPPER, "average"))],
        (-5.0, 6.0), "last"),
    Scenario(
        "planets-moon-1990", "evening twilight, the Moon's and Jupiter's"
        " centres of light and five stars, one leg", -35.0, 20.0,
        [Leg(utc("1990-01-05 16:00:00"), 95.0, 18.0)],
        [Sight(time, code, number, grade, height_ft=55, ic_tenths=-4,
               temperature=21, pressure=1008, ut1_tenths=-2)
         for time, code, number, grade in (
             ("1990-01-05 18:58:30", MOON_CENTRE, 0, "average"),
             ("1990-01-05 19:00:41", 5, 0, "good"),
             ("1990-01-05 19:02:10", STAR, 18, "good"),
             ("1990-01-05 19:03:55", STAR, 17, "good"),
             ("1990-01-05 19:05:20", STAR, 2, "average"),
             ("1990-01-05 19:06:48", STAR, 4, "good"),
             ("1990-01-05 19:08:33", STAR, 8, "poor"),
             ("1990-01-05 19:10:02", STAR, 19, "good"),
             ("1990-01-05 19:11:40", STAR, 10, "average"))],
        (2.5, 7.0), "first"),
    Scenario(
        "sun-run-2011", "ten sights of the Sun's lower and upper limbs from"
        " morning to noon, 4 h 40 min on one leg (too short a spread for"
        " course and speed)", 58.0, -15.0,
        [Leg(utc("2011-06-15 06:00:00"), 200.0, 10.0)],
        [Sight(time, code, 0, grade, height_ft=18, ic_tenths=6,
               temperature=12, pressure=998, ut1_tenths=-4)
         for time, code, grade in (
             ("2011-06-15 08:00:00", SUN_LOWER, "good"),
             ("2011-06-15 08:31:15", SUN_LOWER, "average"),
             ("2011-06-15 09:02:40", SUN_UPPER, "good"),
             ("2011-06-15 09:30:05", SUN_LOWER, "good"),
             ("2011-06-15 10:01:50", SUN_LOWER, "poor"),
             ("2011-06-15 10:30:30", SUN_UPPER, "good"),
             ("2011-06-15 11:02:11", SUN_LOWER, "good"),
             ("2011-06-15 11:45:00", SUN_LOWER, "good"),
             ("2011-06-15 12:12:40", SUN_UPPER, "average"),
             ("2011-06-15 12:40:00", SUN_LOWER, "good"))],
        (-3.0, -4.0), "mean"),
    Scenario(
        "running-2-legs-1983", "morning stars, Venus and Mars; a course"
        " change; the Sun, the Moon, Jupiter and evening stars", 20.0, -60.0,
        [Leg(utc("1983-10-14 08:00:00"), 135.0, 16.0),
         Leg(utc("1983-10-14 13:00:00"), 60.0, 12.5)],
        [Sight(time, code, number, grade, height_ft=35, ic_tenths=-8,
               temperature=27, pressure=1012, ut1_tenths=2)
         for time, code, number, grade in (
             ("1983-10-14 09:20:05", 2, 0, "good"),
             ("1983-10-14 09:21:40", 4, 0, "average"),
             ("1983-10-14 09:23:12", STAR, 11, "good"),
             ("1983-10-14 09:25:00", STAR, 12, "good"),
             ("1983-10-14 09:27:30", STAR, 26, "average"),
             ("1983-10-14 09:29:10", STAR, 9, "good"),
             ("1983-10-14 14:00:00", SUN_LOWER, 0, "good"),
             ("1983-10-14 17:00:20", SUN_LOWER, 0, "good"),
             ("1983-10-14 19:00:45", SUN_UPPER, 0, "average"),
             ("1983-10-14 20:30:00", MOON_LOWER, 0, "good"),
             ("1983-10-14 22:08:00", 5, 0, "good"),
             ("1983-10-14 22:10:30", STAR, 49, "good"),
             ("1983-10-14 22:12:10", STAR, 53, "average"),
             ("1983-10-14 22:14:00", STAR, 57, "good"))],
        (6.0, 2.0), "last"),
    Scenario(
        "running-3-legs-2008", "morning stars; Sun, Venus and Moon; Sun and"
        " evening stars; two course changes", -45.0, 150.0,
        [Leg(utc("2008-03-10 18:30:00"), 20.0, 14.0),
         Leg(utc("2008-03-10 22:00:00"), 95.0, 15.0),
         Leg(utc("2008-03-11 03:00:00"), 170.0, 11.0)],
        [Sight(time, code, number, grade, height_ft=60, ic_tenths=15,
               temperature=16, pressure=1003, ut1_tenths=-1)
         for time, code, number, grade in (
             ("2008-03-10 19:05:00", STAR, 42, "good"),
             ("2008-03-10 19:07:00", STAR, 33, "good"),
             ("2008-03-10 19:09:30", STAR, 38, "average"),
             ("2008-03-10 19:11:45", STAR, 44, "good"),
             ("2008-03-10 19:14:20", STAR, 24, "good"),
             ("2008-03-10 22:30:00", SUN_LOWER, 0, "good"),
             ("2008-03-10 23:00:10", 2, 0, "average"),
             ("2008-03-11 01:00:00", SUN_UPPER, 0, "good"),
             ("2008-03-11 01:30:30", MOON_UPPER, 0, "good"),
             ("2008-03-11 04:00:00", SUN_LOWER, 0, "good"),
             ("2008-03-11 06:00:40", SUN_UPPER, 0, "poor"),
             ("2008-03-11 09:05:00", STAR, 5, "good"),
             ("2008-03-11 09:07:10", STAR, 7, "good"),
             ("2008-03-11 09:09:20", STAR, 11, "average"),
             ("2008-03-11 09:11:30", STAR, 18, "good"),
             ("2008-03-11 09:13:40", STAR, 22, "good"))],
        (-4.0, -5.0), "last"),
    Scenario(
        "running-4-legs-2021", "a day of four legs and 25 sights: morning"
        " stars; Sun and Venus; Sun, Moon and Venus; Sun, Moon, Venus, Mars and"
        " evening stars", 52.0,
        -20.0,
        [Leg(utc("2021-05-20 02:00:00"), 250.0, 13.0),
         Leg(utc("2021-05-20 06:00:00"), 200.0, 13.0),
         Leg(utc("2021-05-20 11:00:00"), 270.0, 16.0),
         Leg(utc("2021-05-20 17:00:00"), 300.0, 14.5)],
        [Sight(time, code, number, grade, height_ft=45, ic_tenths=-3,
               temperature=11, pressure=1024, ut1_tenths=-2)
         for time, code, number, grade in (
             ("2021-05-20 03:40:00", STAR, 40, "good"),
             ("2021-05-20 03:42:10", STAR, 53, "good"),
             ("2021-05-20 03:44:20", STAR, 37, "average"),
             ("2021-05-20 03:46:30", STAR, 41, "good"),
             ("2021-05-20 03:48:40", STAR, 3, "good"),
             ("2021-05-20 07:00:00", SUN_LOWER, 0, "good"),
             ("2021-05-20 08:00:00", SUN_UPPER, 0, "good"),
             ("2021-05-20 09:00:00", SUN_LOWER, 0, "good"),
             ("2021-05-20 10:00:00", 2, 0, "average"),
             ("2021-05-20 12:00:00", SUN_UPPER, 0, "good"),
             ("2021-05-20 13:00:00", SUN_UPPER, 0, "average"),
             ("2021-05-20 14:00:00", SUN_LOWER, 0, "good"),
             ("2021-05-20 15:30:00", MOON_LOWER, 0, "good"),
             ("2021-05-20 16:30:00", 2, 0, "good"),
             ("2021-05-20 18:00:00", SUN_LOWER, 0, "good"),
             ("2021-05-20 19:00:00", MOON_UPPER, 0, "average"),
             ("2021-05-20 20:00:00", 2, 0, "good"),
             ("2021-05-20 22:15:00", STAR, 26, "good"),
             ("2021-05-20 22:17:00", STAR, 37, "good"),
             ("2021-05-20 22:19:00", STAR, 21, "average"),
             ("2021-05-20 22:21:00", STAR, 40, "good"),
             ("2021-05-20 22:23:00", STAR, 47, "good"),
             ("2021-05-20 22:25:00", 4, 0, "average"),
             ("2021-05-20 22:27:00", STAR, 28, "good"),
             ("2021-05-20 22:29:00", STAR, 49, "good"))],
        (3.0, 5.0), "last"),
    Scenario(
        "current-one-leg-1979", "a current of 1.5 knots setting 200;"
        " morning stars and planets, the Sun through the day, Venus, the"
        " Moon and evening stars on one leg", 10.0, -140.0,
        [Leg(utc("1979-11-02 14:00:00"), 75.0, 14.0, 200.0, 1.5)],
        [Sight(time, code, number, grade, height_ft=50, ic_tenths=9,
               temperature=26, pressure=1011, ut1_tenths=2)
         for time, code, number, grade in (
             ("1979-11-02 14:45:00", STAR, 10, "good"),
             ("1979-11-02 14:46:30", STAR, 18, "good"),
             ("1979-11-02 14:48:00", STAR, 21, "average"),
             ("1979-11-02 14:49:30", STAR, 25, "good"),
             ("1979-11-02 14:51:00", STAR, 12, "good"),
             ("1979-11-02 14:52:30", 5, 0, "good"),
             ("1979-11-02 17:00:00", SUN_LOWER, 0, "good"),
             ("1979-11-02 19:00:00", SUN_LOWER, 0, "good"),
             ("1979-11-02 21:00:00", SUN_UPPER, 0, "average"),
             ("1979-11-02 23:00:00", SUN_LOWER, 0, "good"),
             ("1979-11-03 00:00:00", 2, 0, "good"),
             ("1979-11-03 01:00:00", SUN_UPPER, 0, "good"),
             ("1979-11-03 03:00:00", MOON_LOWER, 0, "good"),
             ("1979-11-03 03:48:00", STAR, 1, "good"),
             ("1979-11-03 03:49:30", STAR, 4, "average"),
             ("1979-11-03 03:51:00", STAR, 49, "good"),
             ("1979-11-03 03:52:30", STAR, 56, "good"),
             ("1979-11-03 03:54:00", STAR, 57, "good"))],
        (-5.0, 4.0), "last"),
    Scenario(
        "current-two-legs-2024", "a current of 1.2 knots setting 300 over"
        " two legs, enough sights on both for course and speed made good",
        -10.0, 80.0,
        [Leg(utc("2024-02-13 23:00:00"), 160.0, 11.0, 300.0, 1.2),
         Leg(utc("2024-02-14 09:00:00"), 210.0, 9.0, 300.0, 1.2)],
        [Sight(time, code, number, grade, height_ft=30, ic_tenths=-15,
               temperature=29, pressure=1009, ut1_tenths=-1)
         for time, code, number, grade in (
             ("2024-02-14 00:00:00", STAR, 33, "good"),
             ("2024-02-14 00:04:00", STAR, 42, "good"),
             ("2024-02-14 00:08:00", STAR, 37, "average"),
             ("2024-02-14 02:00:00", SUN_LOWER, 0, "good"),
             ("2024-02-14 03:00:00", SUN_UPPER, 0, "good"),
             ("2024-02-14 08:00:00", MOON_LOWER, 0, "good"),
             ("2024-02-14 08:40:00", SUN_LOWER, 0, "average"),
             ("2024-02-14 10:00:00", MOON_UPPER, 0, "good"),
             ("2024-02-14 11:00:00", SUN_UPPER, 0, "good"),
             ("2024-02-14 13:45:00", STAR, 18, "good"),
             ("2024-02-14 13:47:00", STAR, 7, "good"),
             ("2024-02-14 13:49:00", 5, 0, "average"),
             ("2024-02-14 13:51:00", STAR, 10, "good"),
             ("2024-02-14 13:53:00", STAR, 17, "good"),
             ("2024-02-15 00:00:00", STAR, 33, "good"),
             ("2024-02-15 00:03:00", STAR, 44, "good"),
             ("2024-02-15 00:06:00", STAR, 36, "good"))],
        (4.0, -6.0), "last"),
]


def log_track(scenario):
    north, east = scenario.offset_nm
    latitude = scenario.latitude + north / 60.0
    longitude = scenario.longitude + \
        east / 60.0 / math.cos(math.radians(scenario.latitude))
    latitude = round(latitude * 600.0) / 600.0
    longitude = round(longitude * 600.0) / 600.0
    return Track(latitude, longitude, scenario.legs, current=False)


def fix_time(scenario, truth):
    fix_leg = len(scenario.legs) - 1
    times = [s.jd for s in scenario.sights if truth.leg_index(s.jd) == fix_leg]
    if scenario.fix_time == "first":
        return min(times)
    if scenario.fix_time == "mean":
        return round(sum(times) / len(times), JD_DECIMALS)
    return max(times)


def write_scenario(sky, scenario, directory):
    truth = Track(scenario.latitude, scenario.longitude, scenario.legs)
    log = log_track(scenario)
    has_current = any(leg.drift > 0.0 for leg in scenario.legs)
    sights = sorted(scenario.sights, key=lambda s: s.jd)
    time_of_fix = fix_time(scenario, truth)
    true_lat, true_lon = truth.position(time_of_fix)
    course, speed = truth.ground(scenario.legs[-1])
    dut1_at_fix = sights[-1].ut1_minus_utc

    lines = [
        f"# Synthetic sights '{scenario.name}': {scenario.what}.",
        "# Written by tools/reference/synthetic_sights.py: true altitudes of",
        "# the observed points (limb, centre, centre of light) from the true",
        "# track, topocentric on the WGS-84 ellipsoid at the height of eye,",
        f"# ERFA {erfa.__version__} IAU 2006/2000A places over JPL DE405, Delta T",
        "# from data/DeltaT.val; hs from them with the program's refraction",
        "# and dip, rounded to 0.1'. The log's legs start from a last fix",
        f"# {scenario.offset_nm[0]:+.1f}' N {scenario.offset_nm[1]:+.1f}' E off"
        " the truth and know no current.",
        "# True track (start, course/speed through the water, set/drift):",
    ]
    for leg, start in zip(scenario.legs, truth.starts):
        lines.append(f"#   {jd_text(leg.start_jd)} {start[0]:.6f} {start[1]:.6f}"
                     f" {leg.course:.1f}/{leg.speed:.1f}"
                     f" {leg.set:.1f}/{leg.drift:.1f}")
    lines.append("kind values")
    lines.append(f"fix {time_of_fix:.{JD_DECIMALS}f} {dut1_at_fix:.1f}"
                 f" {true_lat:.9f} {true_lon:.9f} {course:.6f} {speed:.6f}"
                 f" {int(has_current)} {len(scenario.legs)}")
    for index, (leg, start) in enumerate(zip(log.legs, log.starts)):
        position_type = 1 if index == 0 else 2
        lines.append(f"leg {index} {leg.start_jd:.{JD_DECIMALS}f}"
                     f" {start[0]:.9f} {start[1]:.9f} {leg.course:.1f}"
                     f" {leg.speed:.1f} {position_type}")
    for sight in sights:
        lat, lon = truth.position(sight.jd)
        altitude, azimuth = sky.observed_point(
            sight.code, sight.star, sight.jd, sight.ut1_minus_utc, lat, lon,
            sight.height_m)
        hs = sextant_altitude(altitude, sight)
        if not 5.0 <= altitude <= 85.0:
            raise ValueError(f"{scenario.name}: {sight.time} body "
                             f"{sight.code}/{sight.star} at {altitude:.2f}")
        if sight.code == STAR:
            sun_altitude, _ = sky.observed_point(
                SUN_CENTRE, 0, sight.jd, sight.ut1_minus_utc, lat, lon, 0.0)
            if sun_altitude > -3.0:
                raise ValueError(f"{scenario.name}: star at {sight.time} "
                                 f"with the Sun at {sun_altitude:.1f}")
        lines.append(
            f"sight {truth.leg_index(sight.jd)} {sight.code} {sight.star}"
            f" {sight.jd:.{JD_DECIMALS}f} {sight.ut1_minus_utc:.1f}"
            f" {sight.temperature} {sight.pressure} {hs:.12f}"
            f" {sight.index_correction:.12f} {sight.height_m:.4f}"
            f" {GRADE_SIGMA[sight.grade]} {altitude:.9f} {azimuth:.4f}")
    path = os.path.join(directory, f"synthetic-{scenario.name}.tsv")
    with open(path, "w") as stream:
        stream.write("\n".join(lines) + "\n")
    return path


def jd_text(jd):
    moment = datetime.datetime(2000, 1, 1, 12) + \
        datetime.timedelta(days=jd - 2451545.0)
    return moment.strftime("%Y-%m-%d %H:%M:%S")


# Survey --------------------------------------------------------------------

def survey(date, lat, lon):
    sky = Sky()
    names = {SUN_CENTRE: "Sun", MOON_CENTRE: "Moon", 2: "Venus", 4: "Mars",
             5: "Jupiter", 6: "Saturn"}
    for hour in range(24):
        jd = julian_date(f"{date} {hour:02d}:00:00")
        row = [f"{hour:02d}h"]
        for code, name in names.items():
            altitude, azimuth = sky.observed_point(code, 0, jd, 0.0, lat, lon,
                                                   0.0)
            if altitude > 0.0 or code == SUN_CENTRE:
                row.append(f"{name} {altitude:.0f}/{azimuth:.0f}")
        sun, _ = sky.observed_point(SUN_CENTRE, 0, jd, 0.0, lat, lon, 0.0)
        if sun < -3.0:
            for number in range(1, 58):
                altitude, azimuth = sky.observed_point(STAR, number, jd, 0.0,
                                                       lat, lon, 0.0)
                if 15.0 < altitude < 75.0:
                    row.append(f"*{number} {altitude:.0f}/{azimuth:.0f}")
        print("  ".join(row))


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--survey":
        survey(sys.argv[2], float(sys.argv[3]), float(sys.argv[4]))
        return
    directory = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT
    os.makedirs(directory, exist_ok=True)
    sky = Sky()
    for scenario in SCENARIOS:
        print(write_scenario(sky, scenario, directory))


if __name__ == "__main__":
    main()
