#!/usr/bin/python3
"""Independent almanac values, and the fixture of the almanac accuracy tests.

Greenwich hour angle and declination of the Sun, Moon, Aries, the four
navigational planets (centre of light) and the navigational stars, the Moon's
horizontal parallax, semi-diameter and illuminated fraction, and the Sun's
semi-diameter, for UT1 instants.  Places come from apparent_places.py (ERFA
IAU 2006/2000A over DE405); GHA = 15 x (GAST - right ascension) with ERFA's
IAU 2006/2000A Greenwich apparent sidereal time.  TT = UT1 + Delta T with
Delta T from the program's data/DeltaT.val, so that the tests compare the
models and not the time scale.

Centre of light: the planets' tabulated places are the centroid of the lit
part of the disk, the uniformly bright disk's centroid lying
4/(3 pi) x SD x (1 - cos i) from the centre toward the bright limb.  This
module applies that displacement on the sky along the position angle of the
bright limb (computed from the apparent places of the Sun and the planet),
with the phase angle from the light-time corrected heliocentric geometry and
the IAU radii.

Constants chosen independently of the engine: the Moon's radius as
k = 0.2725076 Earth equatorial radii (IAU 1982); the Earth's equatorial
radius 6378136.6 m (IERS 2010); the Sun's semi-diameter 959.63" at 1 AU.

Usage: almanac_reference.py [output] (default:
tests/fixtures/almanac/reference-almanac.tsv).

Rows (tab-separated, after the '#' comment lines and the header):
  kind      sun | moon | aries | planet | star (SHA, GHA, Dec at an
            instant) | starday (SHA, Dec at 12h UT1) | sunsd (the heading's
            Sun semi-diameter at 0h UT1)
  body      BodyId, star number, or 0
  jd_ut1    UT1 Julian date, printed exactly as it was used
  delta_t   seconds
  gha_deg, dec_deg, sha_deg
  hp_arcmin, sd_arcmin, illumination_pct (moon; sd_arcmin also sunsd)
Unused columns are 0.
"""

import datetime
import math
import os
import sys

import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import apparent_places  # noqa: E402
import de405  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
DEFAULT_OUTPUT = os.path.join(ROOT, "tests", "fixtures", "almanac",
                              "reference-almanac.tsv")
DELTA_T_FILE = os.path.join(ROOT, "data", "DeltaT.val")

# 1970 January 1 to 2024 December 31, 0h UT1.
FIRST_DAY_JD = 2440587.5
LAST_DAY_JD = 2460675.5
DATE_COUNT = 30
HOURS_PER_DAY = 24
# The star table at an instant is tabulated at a whole minute of each date,
# spread over the day by golden-ratio steps.
MINUTES_PER_DAY = 1440
MINUTE_STEP = 0.6180339887
NAVIGATIONAL_STARS = range(1, 59)  # 57 stars and Polaris
PLANETS = (de405.VENUS, de405.MARS, de405.JUPITER, de405.SATURN)
JD_DECIMALS = 9

EARTH_EQUATORIAL_RADIUS_M = 6378136.6
MOON_RADIUS_M = 0.2725076 * EARTH_EQUATORIAL_RADIUS_M
SUN_SEMIDIAMETER_AT_1AU_ARCSEC = 959.63
# IAU equatorial radii, metres.
PLANET_RADIUS_M = {de405.VENUS: 6051800.0, de405.MARS: 3396190.0,
                   de405.JUPITER: 71492000.0, de405.SATURN: 60268000.0}
CENTROID_FACTOR = 4.0 / (3.0 * math.pi)
ARCSEC_PER_RADIAN = 180.0 * 3600.0 / math.pi


def wrap_degrees(angle):
    return angle % 360.0


class ReferenceAlmanac:
    def __init__(self, sky=None, delta_t_table=None):
        self.sky = sky if sky is not None else apparent_places.ReferenceSky()
        self.delta_t = delta_t_table if delta_t_table is not None else \
            apparent_places.DeltaTTable(DELTA_T_FILE)

    def instant(self, jd_ut1):
        """(jd TT, Delta T, GAST hours) of a UT1 date."""
        delta_t = self.delta_t.lookup(jd_ut1)
        jd_tt = jd_ut1 + delta_t / erfa.DAYSEC
        return jd_tt, delta_t, self.sky.gast_hours(jd_tt, delta_t)

    @staticmethod
    def gha(gast_hours, ra_hours):
        return wrap_degrees(15.0 * (gast_hours - ra_hours))

    def _light_time_geometry(self, jd_tt, body):
        """Geocentric vector of the body as seen (emission time) and the
        heliocentric vector of the body at emission, AU."""
        jd_tdb = self.sky.tdb_from_tt(jd_tt)
        earth, _ = self.sky.eph.state(jd_tdb, de405.EARTH)
        light_time = 0.0
        for _ in range(5):
            source, _ = self.sky.eph.state(jd_tdb - light_time, body)
            light_time = np.linalg.norm(source - earth) / \
                apparent_places.SPEED_OF_LIGHT_AU_PER_DAY
        sun, _ = self.sky.eph.state(jd_tdb - light_time, de405.SUN)
        return source - earth, source - sun

    def phase_angle_deg(self, jd_tt, body):
        geocentric, heliocentric = self._light_time_geometry(jd_tt, body)
        toward_earth = -geocentric / np.linalg.norm(geocentric)
        toward_sun = -heliocentric / np.linalg.norm(heliocentric)
        return math.degrees(math.acos(np.clip(toward_earth @ toward_sun,
                                              -1.0, 1.0)))

    def sun(self, jd_ut1):
        jd_tt, _, gast = self.instant(jd_ut1)
        place = self.sky.geocentric(jd_tt, de405.SUN)
        return self.gha(gast, place.ra_hours), place.dec_deg

    def sun_semidiameter_arcmin(self, jd_ut1):
        jd_tt, _, _ = self.instant(jd_ut1)
        place = self.sky.geocentric(jd_tt, de405.SUN)
        return SUN_SEMIDIAMETER_AT_1AU_ARCSEC / place.distance_au / 60.0

    def moon(self, jd_ut1):
        """GHA, Dec (degrees), HP, SD (arc-minutes), illumination (%)."""
        jd_tt, _, gast = self.instant(jd_ut1)
        place = self.sky.geocentric(jd_tt, de405.MOON)
        distance_m = place.distance_au * erfa.DAU
        hp = math.degrees(math.asin(EARTH_EQUATORIAL_RADIUS_M / distance_m))
        sd = math.degrees(math.asin(MOON_RADIUS_M / distance_m))
        phase = self.phase_angle_deg(jd_tt, de405.MOON)
        illumination = 50.0 * (1.0 + math.cos(math.radians(phase)))
        return (self.gha(gast, place.ra_hours), place.dec_deg, hp * 60.0,
                sd * 60.0, illumination)

    def aries(self, jd_ut1):
        _, _, gast = self.instant(jd_ut1)
        return wrap_degrees(15.0 * gast)

    def planet(self, jd_ut1, body):
        """GHA and Dec (degrees) of the planet's centre of light."""
        jd_tt, _, gast = self.instant(jd_ut1)
        place = self.sky.geocentric(jd_tt, body)
        sun = self.sky.geocentric(jd_tt, de405.SUN)
        phase = math.radians(self.phase_angle_deg(jd_tt, body))
        semidiameter = math.asin(PLANET_RADIUS_M[body] /
                                 (place.distance_au * erfa.DAU))
        displacement = CENTROID_FACTOR * semidiameter * (1.0 - math.cos(phase))
        # Position angle of the bright limb: the direction toward the Sun.
        ra = place.ra_hours * apparent_places.RADIANS_PER_HOUR
        dec = math.radians(place.dec_deg)
        ra_sun = sun.ra_hours * apparent_places.RADIANS_PER_HOUR
        dec_sun = math.radians(sun.dec_deg)
        limb = math.atan2(
            math.cos(dec_sun) * math.sin(ra_sun - ra),
            math.sin(dec_sun) * math.cos(dec) -
            math.cos(dec_sun) * math.sin(dec) * math.cos(ra_sun - ra))
        ra_light = ra + displacement * math.sin(limb) / math.cos(dec)
        dec_light = dec + displacement * math.cos(limb)
        ra_light_hours = (ra_light / apparent_places.RADIANS_PER_HOUR) % 24.0
        return self.gha(gast, ra_light_hours), math.degrees(dec_light)

    def star(self, jd_ut1, star):
        """GHA, SHA and Dec (degrees)."""
        jd_tt, _, gast = self.instant(jd_ut1)
        place = self.sky.star(jd_tt, star)
        return (self.gha(gast, place.ra_hours),
                wrap_degrees(360.0 - 15.0 * place.ra_hours), place.dec_deg)


def dates():
    step = (LAST_DAY_JD - FIRST_DAY_JD) / (DATE_COUNT - 1)
    for k in range(DATE_COUNT):
        yield FIRST_DAY_JD + math.floor(k * step + 0.5)


def calendar_text(jd):
    date = datetime.date(2000, 1, 1) + datetime.timedelta(
        days=int(round(jd - 2451544.5)))
    return date.isoformat()


def number_text(value, decimals):
    """A value to the given decimals; an unused (zero) column as "0"."""
    return "0" if value == 0.0 else f"{value:.{decimals}f}"


def row(kind, body, jd, delta_t, gha=0.0, dec=0.0, sha=0.0, hp=0.0, sd=0.0,
        illumination=0.0):
    # 1e-7 degree is 0.0004 arcsec, far below the tests' tolerances.
    fields = (kind, str(body), f"{jd:.{JD_DECIMALS}f}", f"{delta_t:.6f}",
              number_text(gha, 7), number_text(dec, 7), number_text(sha, 7),
              number_text(hp, 5), number_text(sd, 5),
              number_text(illumination, 3))
    return "\t".join(fields)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT
    almanac = ReferenceAlmanac()
    stars = apparent_places.load_stars(ROOT)

    lines = [
        "# Almanac values for the engine's accuracy tests, written by",
        "# tools/reference/almanac_reference.py: ERFA "
        f"{erfa.__version__} (IAU 2006/2000A places and sidereal time,",
        "# relativistic aberration, solar light deflection, converged light",
        "# time) over JPL DE405; planets at the centroid of the lit disk;",
        "# Delta T from data/DeltaT.val. Dates (0h UT1): " +
        ", ".join(calendar_text(day) for day in dates()),
        "kind\tbody\tjd_ut1\tdelta_t\tgha_deg\tdec_deg\tsha_deg\thp_arcmin\t"
        "sd_arcmin\tillumination_pct",
    ]
    for index, day in enumerate(dates()):
        delta_t = almanac.delta_t.lookup(day)
        lines.append(row("sunsd", 10, day, delta_t,
                         sd=almanac.sun_semidiameter_arcmin(day)))
        for hour in range(HOURS_PER_DAY):
            jd = round(day + hour / HOURS_PER_DAY, JD_DECIMALS)
            delta_t = almanac.delta_t.lookup(jd)
            gha, dec = almanac.sun(jd)
            lines.append(row("sun", de405.SUN, jd, delta_t, gha, dec))
            gha, dec, hp, sd, illumination = almanac.moon(jd)
            lines.append(row("moon", de405.MOON, jd, delta_t, gha, dec,
                             hp=hp, sd=sd, illumination=illumination))
            lines.append(row("aries", 0, jd, delta_t, almanac.aries(jd)))
            for body in PLANETS:
                gha, dec = almanac.planet(jd, body)
                lines.append(row("planet", body, jd, delta_t, gha, dec))

        minute = math.floor(((index + 1) * MINUTE_STEP % 1.0) * MINUTES_PER_DAY)
        instant = round(day + minute / MINUTES_PER_DAY, JD_DECIMALS)
        noon = day + 0.5
        for number in NAVIGATIONAL_STARS:
            gha, sha, dec = almanac.star(instant, stars[number])
            lines.append(row("star", number, instant,
                             almanac.delta_t.lookup(instant), gha, dec, sha))
            _, sha, dec = almanac.star(noon, stars[number])
            lines.append(row("starday", number, noon,
                             almanac.delta_t.lookup(noon), dec=dec, sha=sha))
        lines.append(row("aries", 0, instant, almanac.delta_t.lookup(instant),
                         almanac.aries(instant)))
    with open(output, "w") as stream:
        stream.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
