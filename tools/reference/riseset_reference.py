#!/usr/bin/python3
"""Independent rising, setting, meridian transit and twilight of the Sun and
the Moon, and the fixtures of the rise/set accuracy tests.

Events are found by root finding on the true topocentric altitude of the
body's centre for an observer on the WGS-84 ellipsoid (no refraction model
inside: the horizon is a fixed depression):
  rise / set        altitude = -(SD + 34' + dip + 0.37' sqrt(h)), SD the
                    topocentric semi-diameter at the instant, dip 1.76' sqrt(h)
                    for the height of eye h in metres; the topocentric
                    altitude already holds the parallax.
  civil twilight    the Sun's centre at -6 degrees
  nautical twilight the Sun's centre at -12 degrees
  upper transit     local hour angle 0 (topocentric and geocentric agree there)
Each upper transit owns the rise and the beginnings of twilight between the
lower transit before it and itself, and the set and the ends of twilight
between itself and the next lower transit. A side with the body below the
level at the upper transit is "continuously below" (for twilight "no
twilight"); one with the body above it at the lower transit is "continuously
above" ("twilight all night").

Places: geocentric apparent places from apparent_places.py (ERFA IAU
2006/2000A over DE405), sampled at Chebyshev nodes over each UT1 day and
interpolated (degree 15; far below a milli-arcsecond); Greenwich apparent
sidereal time = ERA + (GAST - ERA) with the slow part interpolated the same
way; polar motion neglected. The observer's vector (erfa.gd2gc, WGS-84) is
subtracted from the body's in the Earth-fixed frame of date. UT1 = UTC; TT =
UT1 + Delta T from the program's data/DeltaT.val, so the tests compare models
and not time scales. Underway, the ship's position at every instant comes from
a WGS-84 rhumb line computed here (meridian arc by Helmert's series inverted
by Newton steps, longitude from isometric latitude).

The transit's apparent altitude adds Saemundsson's refraction (10 C, 1010 mb).
Radii: Sun 695 700 km (IAU 2015 nominal), Moon 1737.4 km (IAU mean).

Usage: riseset_reference.py [output directory] (default
tests/fixtures/riseset); riseset_reference.py --bench [days] times a
fixed-site table of both bodies. Writes reference-fixed.tsv and
reference-underway.tsv; "run" rows describe one table as the program is asked
for it, "day" rows give, for every upper transit near the table's days, the
events (times in seconds after the run's start, UT1).
"""

import datetime
import math
import os
import sys
import time

import erfa
import numpy as np
from numpy.polynomial import chebyshev

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import apparent_places  # noqa: E402
import de405  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
DEFAULT_OUTPUT_DIR = os.path.join(ROOT, "tests", "fixtures", "riseset")
DELTA_T_FILE = os.path.join(ROOT, "data", "DeltaT.val")

SUN, MOON = de405.SUN, de405.MOON
BODY_RADIUS_M = {SUN: 695_700_000.0, MOON: 1_737_400.0}
REFRACTION_AT_HORIZON_ARCMIN = 34.0
DIP_ARCMIN_PER_SQRT_M = 1.76
HORIZON_EXTENSION_ARCMIN_PER_SQRT_M = 0.37
CIVIL_DEG, NAUTICAL_DEG = -6.0, -12.0

# WGS-84.
WGS84_A_M = 6378137.0
WGS84_F = 1.0 / 298.257223563
WGS84_E2 = WGS84_F * (2.0 - WGS84_F)
METRES_PER_NM = 1852.0

CHEBYSHEV_NODES = 16
SCAN_STEP_DAYS = 1.0 / 72.0      # 20 minutes: well under half a lunar day
ROOT_TOLERANCE_DAYS = 1e-7       # 0.009 s
SECONDS_PER_DAY = 86400.0

# Event order of a day, as the program lists them.
NAUTICAL_BEGIN, CIVIL_BEGIN, RISE, TRANSIT, SET, CIVIL_END, NAUTICAL_END = \
    range(7)
STATUS_OCCURS, STATUS_BELOW, STATUS_ABOVE, STATUS_UNUSED = 0, -1, 1, -9

# Fixed sites: every 5 degrees from 60 S to 65 N; each latitude takes one of
# three longitudes in turn from date to date, so all three meet every
# latitude. Height of eye by longitude.
LATITUDES = [float(lat) for lat in range(-60, 66, 5)]
LONGITUDES = (-152.4, -18.7, 121.3)
HEIGHTS_M = (0.0, 5.0, 20.0)
RUN_DAYS = 2

# Dates of the fixed-site tables (0h UTC). Those marked True are moved to the
# nearest day of the Moon's greatest northern or southern declination (years
# of large lunar declinations), so that the Moon stays up or down all day at
# the highest latitudes.
DATES = [
    ((1970, 3, 21), False), ((1972, 6, 21), False), ((1974, 12, 22), False),
    ((1977, 9, 23), False), ((1979, 6, 10), False), ((1981, 12, 21), False),
    ((1984, 2, 29), False), ((1987, 6, 12), True), ((1987, 12, 3), True),
    ((1990, 7, 4), False), ((1993, 12, 31), False), ((1996, 6, 20), False),
    ((1999, 12, 31), False), ((2001, 3, 20), False), ((2003, 9, 23), False),
    ((2006, 3, 17), True), ((2006, 9, 20), True), ((2009, 12, 21), False),
    ((2012, 6, 20), False), ((2015, 3, 20), False), ((2018, 10, 15), False),
    ((2021, 6, 21), False), ((2024, 6, 14), True), ((2024, 12, 2), True),
]

# Underway tracks: start (UTC), latitude, longitude, course, speed (knots),
# days, height of eye (m).
TRACKS = [
    # Across the date line eastbound.
    ((1995, 3, 10, 6, 0), 34.5, 172.0, 75.0, 18.0, 4, 12.0),
    # Northward from the mid-latitudes across the Arctic circle in June:
    # from rising and setting into the midnight Sun.
    ((2012, 6, 17, 18, 0), 45.0, -30.0, 10.0, 15.0, 5, 15.0),
    # Southern ocean westward in a year of large lunar declinations.
    ((2006, 9, 12, 20, 30), -48.0, 62.0, 250.0, 14.0, 4, 8.0),
]


def julian_date(year, month, day, hour=0, minute=0):
    return (erfa.cal2jd(year, month, day)[0] + erfa.cal2jd(year, month, day)[1]
            + (hour + minute / 60.0) / 24.0)


def wrap_pi(angle):
    return (angle + math.pi) % (2.0 * math.pi) - math.pi


# Ephemeris --------------------------------------------------------------

class GeocentricSky:
    """Geocentric apparent vectors (metres, true equator and equinox of date)
    of the Sun and Moon and the Earth's rotation, as functions of UT1."""

    def __init__(self):
        self.sky = apparent_places.ReferenceSky()
        self.delta_t = apparent_places.DeltaTTable(DELTA_T_FILE)
        self._segments = {}

    def _segment(self, day):
        key = day
        if key not in self._segments:
            nodes = np.cos(math.pi * (np.arange(CHEBYSHEV_NODES) + 0.5)
                           / CHEBYSHEV_NODES)
            rows = []
            for x in nodes:
                ut1 = day + 0.5 + 0.5 * x
                delta_t = self.delta_t.lookup(ut1)
                tt = ut1 + delta_t / erfa.DAYSEC
                row = []
                for body in (SUN, MOON):
                    place = self.sky.geocentric(tt, body)
                    row.extend(place.unit_vector * place.distance_au * erfa.DAU)
                era = erfa.era00(*apparent_places._split(ut1))
                row.append(wrap_pi(self.sky.gast_hours(tt, delta_t)
                                   * apparent_places.RADIANS_PER_HOUR - era))
                rows.append(row)
            coefficients = chebyshev.chebfit(nodes, np.array(rows),
                                             CHEBYSHEV_NODES - 1)
            self._segments[key] = coefficients
        return self._segments[key]

    def evaluate(self, ut1):
        """(Sun vector, Moon vector, GAST radians) at a UT1 date."""
        day = math.floor(ut1 - 0.5) + 0.5
        values = chebyshev.chebval(2.0 * (ut1 - day) - 1.0, self._segment(day))
        gast = erfa.era00(*apparent_places._split(ut1)) + values[6]
        return values[0:3], values[3:6], gast


# Observers ---------------------------------------------------------------

class FixedSite:
    def __init__(self, latitude, longitude):
        self.latitude, self.longitude = latitude, longitude

    def at(self, _ut1):
        return self.latitude, self.longitude


def meridian_arc(phi):
    n = WGS84_F / (2.0 - WGS84_F)
    n2, n3, n4 = n * n, n ** 3, n ** 4
    return WGS84_A_M / (1.0 + n) * (
        (1.0 + n2 / 4.0 + n4 / 64.0) * phi
        - 1.5 * (n - n3 / 8.0) * math.sin(2.0 * phi)
        + 15.0 / 16.0 * (n2 - n4 / 4.0) * math.sin(4.0 * phi)
        - 35.0 / 48.0 * n3 * math.sin(6.0 * phi)
        + 315.0 / 512.0 * n4 * math.sin(8.0 * phi))


def latitude_of_arc(arc):
    phi = arc / WGS84_A_M
    for _ in range(20):
        s = math.sin(phi)
        slope = WGS84_A_M * (1.0 - WGS84_E2) / (1.0 - WGS84_E2 * s * s) ** 1.5
        step = (meridian_arc(phi) - arc) / slope
        phi -= step
        if abs(step) < 1e-14:
            break
    return phi


def isometric_latitude(phi):
    e = math.sqrt(WGS84_E2)
    return math.asinh(math.tan(phi)) - e * math.atanh(e * math.sin(phi))


class RhumbTrack:
    """A ship on a WGS-84 rhumb line, before and after its reference time."""

    def __init__(self, jd, latitude, longitude, course, speed_knots):
        self.jd, self.latitude, self.longitude = jd, latitude, longitude
        self.course = math.radians(course)
        self.speed_m_per_day = speed_knots * METRES_PER_NM * 24.0
        self.phi0 = math.radians(latitude)
        self.arc0 = meridian_arc(self.phi0)

    def at(self, ut1):
        distance = self.speed_m_per_day * (ut1 - self.jd)
        phi = latitude_of_arc(self.arc0 + distance * math.cos(self.course))
        if abs(math.cos(self.course)) > 1e-9:
            dlon = math.tan(self.course) * (isometric_latitude(phi)
                                            - isometric_latitude(self.phi0))
        else:
            s = math.sin(self.phi0)
            normal = WGS84_A_M / math.sqrt(1.0 - WGS84_E2 * s * s)
            dlon = distance * math.sin(self.course) / (normal *
                                                       math.cos(self.phi0))
        longitude = (self.longitude + math.degrees(dlon) + 180.0) % 360.0 \
            - 180.0
        return math.degrees(phi), longitude


# Topocentric geometry ------------------------------------------------------

class Horizon:
    """Altitude, azimuth and hour angle of a body for an observer."""

    def __init__(self, sky, body, observer, height_m):
        self.sky, self.body, self.observer = sky, body, observer
        self.height_m = height_m
        self.depression_arcmin = REFRACTION_AT_HORIZON_ARCMIN + (
            DIP_ARCMIN_PER_SQRT_M + HORIZON_EXTENSION_ARCMIN_PER_SQRT_M) \
            * math.sqrt(height_m)

    def look(self, ut1):
        """(true altitude deg, azimuth deg, hour angle rad, distance m,
        latitude, longitude)."""
        sun, moon, gast = self.sky.evaluate(ut1)
        body = sun if self.body == SUN else moon
        c, s = math.cos(gast), math.sin(gast)
        fixed = np.array([c * body[0] + s * body[1],
                          -s * body[0] + c * body[1], body[2]])
        latitude, longitude = self.observer.at(ut1)
        phi, lam = math.radians(latitude), math.radians(longitude)
        w = fixed - erfa.gd2gc(1, lam, phi, self.height_m)
        distance = float(np.linalg.norm(w))
        sp, cp, sl, cl = math.sin(phi), math.cos(phi), math.sin(lam), \
            math.cos(lam)
        up = cp * cl * w[0] + cp * sl * w[1] + sp * w[2]
        north = -sp * cl * w[0] - sp * sl * w[1] + cp * w[2]
        east = -sl * w[0] + cl * w[1]
        altitude = math.degrees(math.asin(up / distance))
        azimuth = math.degrees(math.atan2(east, north)) % 360.0
        hour_angle = wrap_pi(lam - math.atan2(w[1], w[0]))
        return altitude, azimuth, hour_angle, distance, latitude, longitude

    def horizon_level(self, distance):
        semi_diameter = math.degrees(math.asin(BODY_RADIUS_M[self.body]
                                               / distance)) * 60.0
        return -(semi_diameter + self.depression_arcmin) / 60.0

    def above_horizon(self, ut1):
        altitude, _, _, distance, _, _ = self.look(ut1)
        return altitude - self.horizon_level(distance)

    def above(self, level):
        return lambda ut1: self.look(ut1)[0] - level


def find_root(f, a, b, fa, fb):
    """A root of f in [a, b] (fa, fb of opposite signs): Illinois method."""
    side = 0
    while abs(b - a) > ROOT_TOLERANCE_DAYS:
        c = (a * fb - b * fa) / (fb - fa)
        fc = f(c)
        if fc == 0.0:
            return c
        if (fc > 0.0) == (fb > 0.0):
            b, fb = c, fc
            if side == -1:
                fa /= 2.0
            side = -1
        else:
            a, fa = c, fc
            if side == 1:
                fb /= 2.0
            side = 1
    return 0.5 * (a + b)


def culminations(horizon, first, last):
    """Upper and lower transits between two UT1 dates, in time order, as
    (time, True for upper)."""
    found = []
    t = first
    h_prev = horizon.look(t)[2]
    while t < last:
        t_next = t + SCAN_STEP_DAYS
        h_next = horizon.look(t_next)[2]
        if h_prev < 0.0 <= h_next and abs(h_prev) < math.pi / 2:
            f = lambda u: horizon.look(u)[2]  # noqa: E731
            found.append((find_root(f, t, t_next, h_prev, h_next), True))
        elif h_prev > math.pi / 2 and h_next < -math.pi / 2:
            f = lambda u: wrap_pi(horizon.look(u)[2] - math.pi)  # noqa: E731
            found.append((find_root(f, t, t_next, f(t), f(t_next)), False))
        t, h_prev = t_next, h_next
    return found


def saemundsson_refraction_deg(true_altitude):
    h = max(true_altitude, -1.5)
    return 1.02 / math.tan(math.radians(h + 10.3 / (h + 5.11))) / 60.0


def crossing(f, start, end, rising):
    """Status and time of f crossing zero between a culmination and the next
    (f at the upper culmination decides "below", at the lower "above")."""
    f_start, f_end = f(start), f(end)
    upper, lower = (f_end, f_start) if rising else (f_start, f_end)
    if upper < 0.0:
        return STATUS_BELOW, None
    if lower > 0.0:
        return STATUS_ABOVE, None
    return STATUS_OCCURS, find_root(f, start, end, f_start, f_end)


def day_events(horizon, lower_before, transit, lower_after):
    """The seven events owned by one upper transit: (status, time, value,
    latitude, longitude) each, and the true altitudes at the three
    culminations."""
    events = [(STATUS_UNUSED, None, 0.0, 0.0, 0.0)] * 7
    altitude, azimuth, _, distance, lat, lon = horizon.look(transit)
    apparent = altitude + saemundsson_refraction_deg(altitude)
    events[TRANSIT] = (STATUS_OCCURS, transit, apparent, lat, lon,
                       1 if abs(azimuth - 180.0) < 90.0 else 0)
    levels = [(RISE, SET, horizon.above_horizon)]
    if horizon.body == SUN:
        levels += [(CIVIL_BEGIN, CIVIL_END, horizon.above(CIVIL_DEG)),
                   (NAUTICAL_BEGIN, NAUTICAL_END, horizon.above(NAUTICAL_DEG))]
    for begin, end, f in levels:
        for index, start, stop, rising in ((begin, lower_before, transit, True),
                                           (end, transit, lower_after, False)):
            status, when = crossing(f, start, stop, rising)
            if when is None:
                events[index] = (status, None, 0.0, 0.0, 0.0)
            else:
                alt, az, _, _, lat, lon = horizon.look(when)
                value = az if index in (RISE, SET) else 0.0
                events[index] = (status, when, value, lat, lon)
    extremes = (horizon.look(lower_before)[0], altitude,
                horizon.look(lower_after)[0], horizon.horizon_level(distance))
    return events, extremes


# Runs and rows --------------------------------------------------------------

def run_days(horizon, start, days, keep_from, keep_to):
    """Events of every upper transit in [keep_from, keep_to]."""
    found = culminations(horizon, keep_from - 0.75, keep_to + 0.75)
    rows = []
    for k in range(1, len(found) - 1):
        t, upper = found[k]
        if not upper or not keep_from <= t <= keep_to:
            continue
        if found[k - 1][1] or found[k + 1][1]:
            raise RuntimeError(f"culminations out of order near {t}")
        rows.append(day_events(horizon, found[k - 1][0], t, found[k + 1][0]))
    return rows


def seconds(t, start):
    return f"{(t - start) * SECONDS_PER_DAY:.1f}"


def day_row(run_id, start, events, extremes, underway):
    fields = ["day", str(run_id)]
    transit = events[TRANSIT]
    fields += [seconds(transit[1], start), f"{transit[2]:.3f}",
               str(transit[5])]
    fields += [f"{x:.3f}" for x in extremes]
    for index in (NAUTICAL_BEGIN, CIVIL_BEGIN, RISE, SET, CIVIL_END,
                  NAUTICAL_END):
        status, when, value, lat, lon = events[index]
        fields += [str(status), "0" if when is None else seconds(when, start)]
        if index in (RISE, SET):
            fields.append(f"{value:.2f}")
        if underway:
            fields += [f"{lat:.4f}", f"{lon:.4f}"]
    if underway:
        fields += [f"{transit[3]:.4f}", f"{transit[4]:.4f}"]
    return "\t".join(fields)


EVENT_NAMES = ("naut_begin", "civil_begin", "rise", "set", "civil_end",
               "naut_end")
RUN_COLUMNS = "id body start_jd days zone_h height_m lat lon ref_jd course speed_kn"
DAY_COLUMNS = ("id transit_s transit_hc bears_south alt_lower_before "
               "alt_transit alt_lower_after horizon")


def event_columns(underway):
    names = []
    for name in EVENT_NAMES:
        names += [f"{name}_status", f"{name}_s"]
        if name in ("rise", "set"):
            names.append(f"{name}_zn")
        if underway:
            names += [f"{name}_lat", f"{name}_lon"]
    if underway:
        names += ["transit_lat", "transit_lon"]
    return " ".join(names)


def header(kind, underway):
    return [
        f"# Rise, set, transit and twilight, {kind}, written by",
        "# tools/reference/riseset_reference.py: root finding on the true",
        "# topocentric altitude of the centre (WGS-84 observer, no polar",
        "# motion) from ERFA " + erfa.__version__ + " IAU 2006/2000A apparent",
        "# places over JPL DE405; UT1 = UTC; Delta T from data/DeltaT.val.",
        "# Rise/set at -(SD + 34' + 1.76' sqrt(h) + 0.37' sqrt(h)), twilight",
        "# at -6 and -12 degrees; transit at local hour angle 0 with its",
        "# apparent altitude (Saemundsson refraction, 10 C, 1010 mb).",
        "# Underway, the ship is on a WGS-84 rhumb line through the reference",
        "# position (ref_jd, lat, lon, course, speed) before and after it.",
        "# run rows (one table as asked of the program): " + RUN_COLUMNS,
        "# day rows (each upper transit near the run's days; times in seconds",
        "# of UT1 after start_jd, 0 for none): " + DAY_COLUMNS,
        "#   " + event_columns(underway),
        "# status 0 occurs, -1 below (no twilight), 1 above (twilight all",
        "# night), -9 not an event of the body; alt_* true altitudes (deg)",
        "# at the culminations, horizon the rise/set altitude at transit.",
    ]


def moon_extreme_day(sky, jd):
    """The 0h UTC date within 8 days of jd where the Moon's |declination| is
    largest."""
    def declination(day):
        _, moon, _ = sky.evaluate(day + 0.5)
        return abs(math.degrees(math.asin(moon[2] / np.linalg.norm(moon))))
    return max((jd + k for k in range(-8, 9)), key=declination)


def fixed_runs(sky):
    runs = []
    for j, ((year, month, day), to_moon) in enumerate(DATES):
        start = julian_date(year, month, day)
        if to_moon:
            start = moon_extreme_day(sky, start)
        for i, latitude in enumerate(LATITUDES):
            k = (i + j) % len(LONGITUDES)
            longitude, height = LONGITUDES[k], HEIGHTS_M[k]
            zone = float(round(longitude / 15.0))
            for body in (SUN, MOON):
                runs.append((body, start, RUN_DAYS, zone, height, latitude,
                             longitude, start, 0.0, 0.0))
    return runs


def underway_runs():
    runs = []
    for (year, month, day, hour, minute), lat, lon, course, speed, days, \
            height in TRACKS:
        reference = julian_date(year, month, day, hour, minute)
        start = julian_date(year, month, day)
        for body in (SUN, MOON):
            runs.append((body, start, days, 0.0, height, lat, lon, reference,
                         course, speed))
    return runs


def compute(sky, runs, underway):
    lines = []
    for run_id, (body, start, days, zone, height, lat, lon, reference,
                 course, speed) in enumerate(runs):
        observer = RhumbTrack(reference, lat, lon, course, speed) if underway \
            else FixedSite(lat, lon)
        horizon = Horizon(sky, body, observer, height)
        lines.append("\t".join(["run", str(run_id), str(body), f"{start:.5f}",
                                str(days), f"{zone:.1f}", f"{height:.1f}",
                                f"{lat:.4f}", f"{lon:.4f}", f"{reference:.6f}",
                                f"{course:.1f}", f"{speed:.1f}"]))
        for events, extremes in run_days(horizon, start, days, start - 0.6,
                                         start + days + 0.6):
            lines.append(day_row(run_id, start, events, extremes, underway))
    return lines


def write(path, kind, sky, runs, underway):
    text = header(kind, underway) + ["row\tid\tfields"] + \
        compute(sky, runs, underway)
    with open(path, "w") as stream:
        stream.write("\n".join(text) + "\n")


def bench(days):
    """Seconds of processor time for a fixed-site table of both bodies,
    ephemeris sampling included (the site and dates of the engine's bench)."""
    began = time.process_time()
    sky = GeocentricSky()
    start = julian_date(2021, 3, 1)
    runs = [(body, start, days, 0.0, 0.0, 50.5, -4.2, start, 0.0, 0.0)
            for body in (SUN, MOON)]
    compute(sky, runs, False)
    return time.process_time() - began


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--bench":
        days = int(sys.argv[2]) if len(sys.argv) > 2 else 31
        print(f"{days}-day fixed-site table, Sun and Moon: "
              f"{bench(days):.2f} s")
        return
    output = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT_DIR
    os.makedirs(output, exist_ok=True)
    sky = GeocentricSky()
    write(os.path.join(output, "reference-fixed.tsv"), "fixed sites", sky,
          fixed_runs(sky), False)
    write(os.path.join(output, "reference-underway.tsv"), "underway", sky,
          underway_runs(), True)


if __name__ == "__main__":
    main()
