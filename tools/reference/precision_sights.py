#!/usr/bin/python3
"""Noisy rounds of star sights at one instant and place, for the check of
the expected fix precision of sight planning.

The observer stands still at the given place; every sight of the round is
taken at the planning instant. True altitudes and azimuths of the stars come
from synthetic_sights.py (ERFA IAU 2006/2000A over JPL DE405, topocentric on
the WGS-84 ellipsoid), the sextant altitude from them with the program's
refraction and dip, not rounded: the Gaussian errors drawn here stand for
every error of the sight. Each trial adds one error per star, with the
standard error of the grade, drawn by numpy's PCG64 from the given seed.

Usage:
  precision_sights.py NAME "YYYY-MM-DD HH:MM:SS" LAT LON GRADE "S1 ... S7"
      [TRIALS] [SEED]
The star numbers are signed as the selected-stars lookup gives them (a
negative number marks the best three). Writes
tests/fixtures/planning/precision-NAME.tsv.

Fixture rows (blank-separated, after the '#' comments and the header line):
  instant  time (JD UTC), UT1 - UTC (s), latitude, longitude (degrees),
           height of eye (m), temperature (C), pressure (mb), sigma (degrees)
  star     signed star number, hs without error (degrees), true altitude and
           azimuth (degrees)
  trial    index, then the error of each star's hs (degrees), in the order
           of the star rows
"""

import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import synthetic_sights as synthetic  # noqa: E402

OUTPUT = os.path.join(synthetic.ROOT, "tests", "fixtures", "planning")
HEIGHT_FT = 30
TEMPERATURE_C = 10
PRESSURE_MB = 1010
UT1_MINUS_UTC = 0.0
DEFAULT_TRIALS = 500
DEFAULT_SEED = 20240615
JD_DECIMALS = 10


def unrounded_sextant_altitude(true_deg, height_m):
    apparent = synthetic.apparent_altitude(true_deg, TEMPERATURE_C,
                                           PRESSURE_MB)
    dip = synthetic.DIP_MINUTES_PER_ROOT_METRE * np.sqrt(height_m)
    return apparent + dip / 60.0


def write_rounds(name, time, lat, lon, grade, stars, trials, seed):
    sky = synthetic.Sky()
    jd = round(synthetic.julian_date(time), JD_DECIMALS)
    height_m = HEIGHT_FT * synthetic.METRES_PER_FOOT
    sigma = synthetic.GRADE_SIGMA[grade]
    lines = [
        f"# Precision rounds '{name}': {len(stars)} stars at {time} UTC,"
        f" {lat:+.4f} {lon:+.4f}, grade {grade}, {trials} trials.",
        "# Written by tools/reference/precision_sights.py: true places from",
        "# synthetic_sights.py (ERFA over JPL DE405), hs without rounding,",
        f"# Gaussian errors by numpy PCG64, seed {seed}.",
        "kind values",
        f"instant {jd:.{JD_DECIMALS}f} {UT1_MINUS_UTC:.1f} {lat:.6f} {lon:.6f}"
        f" {height_m:.4f} {TEMPERATURE_C} {PRESSURE_MB} {sigma}",
    ]
    for number in stars:
        altitude, azimuth = sky.observed_point(
            synthetic.STAR, abs(number), jd, UT1_MINUS_UTC, lat, lon, height_m)
        if not 5.0 <= altitude <= 85.0:
            raise ValueError(f"star {number} at {altitude:.2f}")
        hs = unrounded_sextant_altitude(altitude, height_m)
        lines.append(f"star {number} {hs:.12f} {altitude:.9f} {azimuth:.6f}")
    errors = np.random.default_rng(seed).normal(0.0, sigma,
                                                (trials, len(stars)))
    for index, row in enumerate(errors):
        lines.append(f"trial {index} " + " ".join(f"{e:.9f}" for e in row))
    os.makedirs(OUTPUT, exist_ok=True)
    path = os.path.join(OUTPUT, f"precision-{name}.tsv")
    with open(path, "w") as stream:
        stream.write("\n".join(lines) + "\n")
    return path


def main():
    if len(sys.argv) not in (7, 8, 9):
        sys.exit(__doc__)
    name, time, lat, lon, grade, stars = sys.argv[1:7]
    trials = int(sys.argv[7]) if len(sys.argv) > 7 else DEFAULT_TRIALS
    seed = int(sys.argv[8]) if len(sys.argv) > 8 else DEFAULT_SEED
    print(write_rounds(name, time, float(lat), float(lon), grade,
                       [int(s) for s in stars.split()], trials, seed))


if __name__ == "__main__":
    main()
