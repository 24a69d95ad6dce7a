#!/usr/bin/python3
"""Independent sky of sight planning and of the compass error: where the Sun,
Moon, four navigational planets and stars 1..58 stand for an observer at
chosen instants, and the fixture the planning and compass tests compare with.

Places: apparent_places.py (ERFA IAU 2006/2000A over JPL DE405). The Sun,
Moon and planets are topocentric apparent places for an observer on the
WGS-84 ellipsoid at the height of eye (ReferenceSky.topocentric: light time,
deflection, aberration with the site's own velocity); the stars are
geocentric apparent places (ReferenceSky.star), as the program uses them.
Horizon coordinates: hour angle = Greenwich apparent sidereal time (ERFA
gst06a) + east longitude - right ascension, turned into azimuth and altitude
about the ellipsoid normal of the geodetic latitude (erfa.hd2ae); no
refraction, no polar motion. The Sun and Moon are checked on the way against
riseset_reference.py's Horizon, which subtracts the site's Earth-fixed vector
from the geocentric place: both routes must agree within 1 arcsecond (they
differ by the site's diurnal aberration, 0.3" at most).

Time: UT1 = UTC; TT = UT1 + Delta T from the program's data/DeltaT.val, read
at UT1 as riseset_reference.py does, so that the tests compare models and not
time scales.

Usage: planning_reference.py [output file] (default
tests/fixtures/planning/reference-bodies.tsv).

Fixture: '#' comment lines, a header line "row id fields", then tab-separated
rows of three kinds. Every body is given at every instant, above or below
the horizon.
  instant  id  jd_utc  lat_deg  lon_deg  height_m  lha_aries_deg
      id 0..19; jd_utc the UTC (= UT1) Julian date; latitude geodetic, north
      positive; longitude east positive; height of eye above the ellipsoid;
      local hour angle of Aries = 15 x local apparent sidereal time, [0, 360).
  body  id  body_id  alt_deg  az_deg  elong_deg  sd_arcsec
      body_id 10 Sun, 11 Moon, 2 Venus, 4 Mars, 5 Jupiter, 6 Saturn (the
      program's body numbers), in that order; altitude of the centre above
      the horizontal plane (no refraction), azimuth true from north through
      east in [0, 360); elongation the angle between the observer's
      directions to the Sun and to the body (0 for the Sun); semi-diameter
      asin(radius / topocentric distance) with the program's radii (Sun
      696 000 km, Moon 1 738 km), 0 for the planets.
  star  id  number  alt_deg  az_deg
      catalogue number 1..58 (57 navigational stars and Polaris), in order.
"""

import math
import os
import sys

import erfa
import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import apparent_places  # noqa: E402
import riseset_reference  # noqa: E402
from riseset_reference import julian_date  # noqa: E402

DEFAULT_OUTPUT = os.path.join(riseset_reference.ROOT, "tests", "fixtures",
                              "planning", "reference-bodies.tsv")

SUN, MOON = riseset_reference.SUN, riseset_reference.MOON
BODIES = (SUN, MOON, 2, 4, 5, 6)
SEMI_DIAMETER_RADIUS_M = {SUN: 696_000_000.0, MOON: 1_738_000.0}
STAR_NUMBERS = range(1, 59)
ROUTE_AGREEMENT_ARCSEC = 1.0

# Instants (UTC year, month, day, hour, minute), latitude, east longitude,
# height of eye (m): 1970 to 2024, latitudes 60 S to 65 N, every quarter of
# the day and of the year, heights 3 to 25 m.
INSTANTS = [
    ((1970, 2, 14, 5, 40), 48.5, -125.3, 10.0),
    ((1972, 8, 3, 18, 20), -33.9, 18.4, 15.0),
    ((1975, 11, 21, 22, 5), 12.1, -61.7, 5.0),
    ((1978, 5, 9, 9, 30), -60.0, -65.0, 20.0),
    ((1980, 12, 30, 16, 45), 65.0, 22.5, 8.0),
    ((1983, 7, 18, 3, 10), 37.8, 141.2, 12.0),
    ((1985, 3, 25, 20, 55), -12.5, 130.8, 3.0),
    ((1988, 9, 12, 11, 25), 57.2, -2.1, 25.0),
    ((1990, 6, 5, 1, 50), -45.6, 170.4, 6.0),
    ((1993, 1, 27, 14, 15), 23.4, -110.0, 18.0),
    ((1995, 10, 8, 7, 35), 0.5, -29.3, 10.0),
    ((1998, 4, 16, 23, 0), 51.5, 159.9, 7.0),
    ((2000, 8, 29, 12, 40), -25.0, -47.2, 14.0),
    ((2003, 2, 3, 19, 5), 62.3, -40.8, 9.0),
    ((2005, 11, 15, 4, 20), -52.7, 75.5, 22.0),
    ((2008, 6, 24, 21, 30), 33.3, -77.4, 4.0),
    ((2011, 3, 9, 8, 50), -38.0, 144.9, 16.0),
    ((2014, 12, 19, 17, 15), 43.7, 7.3, 11.0),
    ((2019, 7, 2, 10, 25), 5.8, 104.6, 13.0),
    ((2024, 10, 17, 2, 35), -58.5, -10.1, 20.0),
]


def horizon_of(place, last_rad, lat_deg):
    """(altitude, azimuth) in degrees of a place of date."""
    hour_angle = last_rad - place.ra_hours * apparent_places.RADIANS_PER_HOUR
    azimuth, altitude = erfa.hd2ae(hour_angle, math.radians(place.dec_deg),
                                   math.radians(lat_deg))
    return math.degrees(altitude), math.degrees(azimuth) % 360.0


def angle_between_deg(a, b):
    return math.degrees(math.atan2(np.linalg.norm(np.cross(a, b)),
                                   float(a @ b)))


def arcsec_apart(alt1, az1, alt2, az2):
    a = erfa.s2c(math.radians(az1), math.radians(alt1))
    b = erfa.s2c(math.radians(az2), math.radians(alt2))
    return angle_between_deg(a, b) * 3600.0


def check_against_site_route(geocentric_sky, body, ut1, lat, lon, height,
                             altitude, azimuth):
    site = riseset_reference.FixedSite(lat, lon)
    look = riseset_reference.Horizon(geocentric_sky, body, site, height)
    alt2, az2 = look.look(ut1)[0:2]
    apart = arcsec_apart(altitude, azimuth, alt2, az2)
    if apart > ROUTE_AGREEMENT_ARCSEC:
        raise RuntimeError(f"body {body} at {ut1}: the two topocentric routes "
                           f"differ by {apart:.2f}\"")


def instant_rows(index, sky, geocentric_sky, delta_t_table, stars, instant):
    (year, month, day, hour, minute), lat, lon, height = instant
    jd_utc = julian_date(year, month, day, hour, minute)
    delta_t = delta_t_table.lookup(jd_utc)
    jd_tt = jd_utc + delta_t / erfa.DAYSEC
    last = sky.gast_hours(jd_tt, delta_t) * apparent_places.RADIANS_PER_HOUR \
        + math.radians(lon)
    lha_aries = math.degrees(last) % 360.0
    rows = [f"instant\t{index}\t{jd_utc:.8f}\t{lat:.4f}\t{lon:.4f}\t"
            f"{height:.1f}\t{lha_aries:.7f}"]

    places = {body: sky.topocentric(jd_tt, delta_t, body, lon, lat, height)
              for body in BODIES}
    sun_direction = places[SUN].unit_vector
    for body in BODIES:
        place = places[body]
        altitude, azimuth = horizon_of(place, last, lat)
        if body in (SUN, MOON):
            check_against_site_route(geocentric_sky, body, jd_utc, lat, lon,
                                     height, altitude, azimuth)
        elongation = 0.0 if body == SUN else \
            angle_between_deg(sun_direction, place.unit_vector)
        radius = SEMI_DIAMETER_RADIUS_M.get(body)
        semi_diameter = 0.0 if radius is None else math.degrees(math.asin(
            radius / (place.distance_au * erfa.DAU))) * 3600.0
        rows.append(f"body\t{index}\t{body}\t{altitude:.7f}\t{azimuth:.7f}\t"
                    f"{elongation:.7f}\t{semi_diameter:.4f}")

    for number in STAR_NUMBERS:
        altitude, azimuth = horizon_of(sky.star(jd_tt, stars[number]), last,
                                       lat)
        rows.append(f"star\t{index}\t{number}\t{altitude:.7f}\t{azimuth:.7f}")
    return rows


def header():
    return [
        "# Sun, Moon, planets and stars 1..58 for sight planning and the",
        "# compass error, written by tools/reference/planning_reference.py",
        "# from ERFA " + erfa.__version__ + " IAU 2006/2000A apparent places over JPL",
        "# DE405: bodies topocentric (WGS-84 observer at the height of eye),",
        "# stars geocentric; no refraction; UT1 = UTC; Delta T from",
        "# data/DeltaT.val. Columns by row kind (see the tool's docstring):",
        "#   instant id jd_utc lat_deg lon_deg height_m lha_aries_deg",
        "#   body id body_id alt_deg az_deg elong_deg sd_arcsec",
        "#   star id number alt_deg az_deg",
    ]


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    geocentric_sky = riseset_reference.GeocentricSky()
    sky = geocentric_sky.sky
    delta_t_table = geocentric_sky.delta_t
    stars = apparent_places.load_stars(riseset_reference.ROOT)
    lines = header() + ["row\tid\tfields"]
    for index, instant in enumerate(INSTANTS):
        lines += instant_rows(index, sky, geocentric_sky, delta_t_table,
                              stars, instant)
    with open(output, "w") as stream:
        stream.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
