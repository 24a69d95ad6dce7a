#!/usr/bin/python3
"""Writes tests/fixtures/places/reference-places.tsv: apparent places from
apparent_places.py for a fixed sample of instants, against which the engine's
place routines are tested.

Usage: write_places_fixture.py [output] (default: the fixture in the tree).
Needs python3-erfa, python3-casacore, casacore-data-jpl-de405 and the
program's data/DeltaT.val.

Rows (tab-separated, after the '#' comment lines and the header):
  kind     geo | topo | star | gast
  body     BodyId (geo, topo), star number (star), 0 (gast)
  jd_tt    TT Julian date, printed exactly as it was used
  delta_t  seconds, from data/DeltaT.val at UT1 = TT - Delta T
  east_lon, lat (degrees), height_m: the observer (topo), else 0
  ra_hours, dec_deg: apparent place, true equator and equinox of date
  distance_au: geometric distance at jd_tt (geo, topo), else 0
  gast_hours: Greenwich apparent sidereal time at UT1 (gast), else 0
"""

import os
import sys

import erfa

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import apparent_places  # noqa: E402
import de405  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(
    os.path.abspath(__file__))))
DEFAULT_OUTPUT = os.path.join(ROOT, "tests", "fixtures", "places",
                              "reference-places.tsv")
DELTA_T_FILE = os.path.join(ROOT, "data", "DeltaT.val")

# 1970 January 1 0h to 2024 December 31 0h, TT.
FIRST_JD = 2440587.5
LAST_JD = 2460675.5
INSTANT_COUNT = 200
# Spreads the instants over the hours of the day (golden-ratio steps).
DAY_FRACTION_STEP = 0.6180339887
# Instants are rounded to this many decimals of a day (0.09 s) so that the
# printed date is exactly the one computed with.
JD_DECIMALS = 6

BODIES = (de405.SUN, de405.MOON, de405.VENUS, de405.MARS, de405.JUPITER,
          de405.SATURN)
TOPOCENTRIC_BODIES = (de405.SUN, de405.MOON)
# Every TOPOCENTRIC_STRIDE-th instant is also computed from each observer.
TOPOCENTRIC_STRIDE = 4
# east longitude, latitude (degrees), height (metres)
OBSERVERS = ((0.0, 51.4769, 46.0),
             (151.2093, -33.8688, 50.0),
             (-90.0, 0.0, 0.0),
             (25.78, 71.17, 300.0))
# Navigational stars with large proper motion or parallax, the pole star,
# two without a parallax (15 Alnilam, 53 Deneb), far south and far north,
# and two of the further stars.
STARS = (5, 15, 17, 18, 37, 38, 40, 49, 53, 58, 94, 140)


def instants():
    step = (LAST_JD - FIRST_JD) / INSTANT_COUNT
    for k in range(INSTANT_COUNT):
        day = FIRST_JD + int(k * step)
        fraction = (k * DAY_FRACTION_STEP) % 1.0
        yield round(day + fraction, JD_DECIMALS)


def row(kind, body, jd, delta_t, observer=(0.0, 0.0, 0.0), ra=0.0, dec=0.0,
        distance=0.0, gast=0.0):
    lon, lat, height = observer
    return (f"{kind}\t{body}\t{jd:.{JD_DECIMALS}f}\t{delta_t:.6f}\t"
            f"{lon:.4f}\t{lat:.4f}\t{height:.1f}\t{ra:.12f}\t{dec:.11f}\t"
            f"{distance:.14e}\t{gast:.12f}")


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_OUTPUT
    sky = apparent_places.ReferenceSky()
    delta_t_table = apparent_places.DeltaTTable(DELTA_T_FILE)
    stars = apparent_places.load_stars(ROOT)

    lines = [
        "# Apparent places for the engine's accuracy tests, written by",
        "# tools/reference/write_places_fixture.py: ERFA "
        f"{erfa.__version__} (IAU 2006/2000A, relativistic aberration,",
        "# solar light deflection, converged light time) over JPL DE405 from",
        "# casacore-data-jpl-de405; Delta T from data/DeltaT.val.",
        "kind\tbody\tjd_tt\tdelta_t\teast_lon\tlat\theight_m\tra_hours\t"
        "dec_deg\tdistance_au\tgast_hours",
    ]
    for index, jd in enumerate(instants()):
        delta_t = delta_t_table.delta_t_for_tt(jd)
        lines.append(row("gast", 0, jd, delta_t,
                         gast=sky.gast_hours(jd, delta_t)))
        for body in BODIES:
            place = sky.geocentric(jd, body)
            lines.append(row("geo", body, jd, delta_t, ra=place.ra_hours,
                             dec=place.dec_deg, distance=place.distance_au))
        for number in STARS:
            place = sky.star(jd, stars[number])
            lines.append(row("star", number, jd, delta_t, ra=place.ra_hours,
                             dec=place.dec_deg))
        if index % TOPOCENTRIC_STRIDE:
            continue
        for observer in OBSERVERS:
            for body in TOPOCENTRIC_BODIES:
                place = sky.topocentric(jd, delta_t, body, *observer)
                lines.append(row("topo", body, jd, delta_t, observer,
                                 place.ra_hours, place.dec_deg,
                                 place.distance_au))
    with open(output, "w") as stream:
        stream.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
