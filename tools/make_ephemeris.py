#!/usr/bin/python3
"""Write the ephemeris file "1970-2025.eph" from JPL DE405, and its fixture.

The file keeps DE405's own 32-day records, from one spare record before
the record holding the first date the program accepts (supported start
less the 2-day check margin) to one spare record after the record holding
the last.  Layout (little-endian):

  header, 8000 bytes:
     0  3 title lines of 84 characters
   252  400 constant names of 6 characters (DE405's, then blanks)
  2652  start JD, end JD, days per record (3 doubles)
  2676  number of constants (int32)
  2680  400 constant values (doubles; DE405's, then zeros)
  5880  AU in km, Earth/Moon mass ratio (2 doubles)
  5896  12 rows of (offset, coefficients per coordinate, sub-intervals),
        int32: Mercury .. Pluto, EMB in row 2, Moon, Sun, nutations
  6040  ephemeris number (int32)
  record r = 1, 2, ..., 8000 bytes at byte 8000 r:
        900 doubles of a JPL record - start JD, end JD, the coefficients
        from offset 3 through the nutations, zeros - then zeros.

After writing, the file is read back and compared with the table, and
the DE405 data are checked against independent models (ERFA epv00,
moon98, plan94); the figures are printed.

It also writes the fixture of body states for the reader's tests.

Usage: /usr/bin/python3 tools/make_ephemeris.py  (from anywhere; paths
default to the repository's data/ and tests/fixtures/ephemeris/).
"""

import argparse
import math
import os
import struct
import sys

import erfa
import numpy as np

import de405

SUPPORTED_FIRST_JD = 2440562.5  # 1969 Dec 7
SUPPORTED_LAST_JD = 2460676.5   # 2025 Jan 1
DATE_CHECK_MARGIN_DAYS = 2.0

BLOCK_BYTES = 8000
RECORD_DOUBLES_USED = 900
TITLE_LENGTH = 84
CONSTANT_NAME_LENGTH = 6
MAX_CONSTANTS = 400
HEADER_ROWS = 12  # the pointer table without the librations

OFFSET_TITLES = 0
OFFSET_NAMES = 252
OFFSET_SPAN = 2652
OFFSET_CONSTANT_COUNT = 2676
OFFSET_VALUES = 2680
OFFSET_AU = 5880
OFFSET_EMRAT = 5888
OFFSET_BODY_TABLE = 5896
OFFSET_DE_NUMBER = 6040

FIXTURE_DATE_COUNT = 100
ORIGIN_SUN_EVERY = 4  # heliocentric rows at every 4th fixture date
GOLDEN_FRACTION = (math.sqrt(5.0) - 1.0) / 2.0
MINUTES_PER_DAY = 1440

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_OUTPUT = os.path.join(REPO, "data", "1970-2025.eph")
DEFAULT_FIXTURE = os.path.join(REPO, "tests", "fixtures", "ephemeris",
                               "body_states.txt")


def covered_span(full):
    """Record boundaries of the file: one spare record at each end."""
    first_index, _ = full.locate(SUPPORTED_FIRST_JD - DATE_CHECK_MARGIN_DAYS)
    last_index, _ = full.locate(SUPPORTED_LAST_JD + DATE_CHECK_MARGIN_DAYS)
    first = full.record_start_jd(first_index) - full.step_days
    last = full.record_start_jd(last_index) + 2.0 * full.step_days
    return first, last


def calendar_text(jd):
    year, month, day, _ = erfa.jd2cal(jd, 0.0)
    months = ("JAN", "FEB", "MAR", "APR", "MAY", "JUN",
              "JUL", "AUG", "SEP", "OCT", "NOV", "DEC")
    return f"{int(year):4d} {months[int(month) - 1]} {int(day):02d} 00:00:00"


def coefficients_through_nutations(eph):
    offset, ncoef, nsub = eph.pointers[de405.ROW_NUTATION]
    return offset - 1 + ncoef * 2 * nsub  # last used 1-based offset


def header_block(eph):
    if len(eph.constants) > MAX_CONSTANTS:
        raise ValueError("more constants than the header holds")
    titles = ["JPL Planetary Ephemeris DE405/LE405",
              f"Start Epoch: JED= {eph.first_jd:10.1f} "
              f"{calendar_text(eph.first_jd)}",
              f"Final Epoch: JED= {eph.last_jd:10.1f} "
              f"{calendar_text(eph.last_jd)}"]
    block = bytearray(BLOCK_BYTES)

    def put(offset, data):
        block[offset:offset + len(data)] = data

    put(OFFSET_TITLES, b"".join(t.ljust(TITLE_LENGTH).encode("ascii")
                                for t in titles))
    names = [name for name, _ in eph.constants]
    values = [value for _, value in eph.constants]
    if max(len(n) for n in names) > CONSTANT_NAME_LENGTH:
        raise ValueError("a constant name is longer than 6 characters")
    put(OFFSET_NAMES, b"".join(
        n.ljust(CONSTANT_NAME_LENGTH).encode("ascii")
        for n in names + [""] * (MAX_CONSTANTS - len(names))))
    put(OFFSET_SPAN, struct.pack("<3d", eph.first_jd, eph.last_jd,
                                 eph.step_days))
    put(OFFSET_CONSTANT_COUNT, struct.pack("<i", len(names)))
    put(OFFSET_VALUES, struct.pack(f"<{MAX_CONSTANTS}d",
                                   *(values + [0.0] * (MAX_CONSTANTS -
                                                       len(values)))))
    put(OFFSET_AU, struct.pack("<d", eph.au_km))
    put(OFFSET_EMRAT, struct.pack("<d", eph.emrat))
    rows = [v for row in eph.pointers[:HEADER_ROWS] for v in row]
    put(OFFSET_BODY_TABLE, struct.pack(f"<{3 * HEADER_ROWS}i", *rows))
    put(OFFSET_DE_NUMBER, struct.pack("<i", 405))
    return bytes(block)


def data_block(eph, index):
    used = coefficients_through_nutations(eph)
    doubles = np.zeros(BLOCK_BYTES // 8, dtype="<f8")
    doubles[:used] = eph.record(index)[:used]
    return doubles.tobytes()


def write_ephemeris(eph, path):
    with open(path, "wb") as out:
        out.write(header_block(eph))
        for index in range(eph.record_count):
            out.write(data_block(eph, index))


def verify_file(eph, path):
    """Read the file back by the documented offsets and compare."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) != BLOCK_BYTES * (eph.record_count + 1):
        raise ValueError("file size is not header + records")
    first, last, step = struct.unpack_from("<3d", data, OFFSET_SPAN)
    assert (first, last, step) == (eph.first_jd, eph.last_jd, eph.step_days)
    assert struct.unpack_from("<d", data, OFFSET_AU)[0] == eph.au_km
    assert struct.unpack_from("<d", data, OFFSET_EMRAT)[0] == eph.emrat
    rows = struct.unpack_from(f"<{3 * HEADER_ROWS}i", data, OFFSET_BODY_TABLE)
    assert [tuple(rows[3 * k:3 * k + 3]) for k in range(HEADER_ROWS)] == \
        eph.pointers[:HEADER_ROWS]
    assert struct.unpack_from("<i", data, OFFSET_DE_NUMBER)[0] == 405
    used = coefficients_through_nutations(eph)
    for index in range(eph.record_count):
        record = np.frombuffer(data, dtype="<f8", count=RECORD_DOUBLES_USED,
                               offset=BLOCK_BYTES * (index + 1))
        assert record[0] == first + index * step
        assert record[1] == first + (index + 1) * step
        assert np.array_equal(record[:used], eph.record(index)[:used])
        assert not np.any(record[used:])


def fixture_dates(eph):
    """Edges, record and sub-interval boundaries, then a spread of dates."""
    step = eph.step_days
    middle = eph.record_start_jd(eph.record_count // 2)
    dates = {eph.first_jd, eph.last_jd,
             SUPPORTED_FIRST_JD, SUPPORTED_LAST_JD,
             SUPPORTED_FIRST_JD - DATE_CHECK_MARGIN_DAYS,
             SUPPORTED_LAST_JD + DATE_CHECK_MARGIN_DAYS,
             eph.first_jd + step, eph.last_jd - step,
             middle - 1.0 / MINUTES_PER_DAY, 2451545.0}
    # Every 4-day boundary inside one record meets the sub-intervals of
    # all bodies (the Moon's are 4 days long).
    dates.update(middle + 4.0 * k for k in range(8))
    span_minutes = (eph.last_jd - eph.first_jd) * MINUTES_PER_DAY
    k = 1
    while len(dates) < FIXTURE_DATE_COUNT:
        minutes = round((k * GOLDEN_FRACTION) % 1.0 * span_minutes)
        dates.add(eph.first_jd + minutes / MINUTES_PER_DAY)
        k += 1
    return sorted(dates)


def write_fixture(eph, path):
    lines = [
        "# Body states from DE405 for the ephemeris reader's tests.",
        "# Columns: jd_tt body origin x y z vx vy vz",
        "# body 1 Mercury .. 9 Pluto, 10 Sun, 11 Moon; origin 0 "
        "barycentre, 1 Sun;",
        "# position in AU, velocity in AU/day, J2000 equator; "
        "reproduce to 1e-12 AU.",
    ]
    for n, jd in enumerate(fixture_dates(eph)):
        origins = [de405.ORIGIN_BARYCENTRE]
        if n % ORIGIN_SUN_EVERY == 0:
            origins.append(de405.ORIGIN_SUN)
        for origin in origins:
            for body in range(1, 12):
                pos, vel = eph.state(jd, body, origin)
                values = [repr(float(v)) for v in (*pos, *vel)]
                lines.append(f"{jd!r} {body} {origin} " + " ".join(values))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def separation_arcsec(a, b):
    cosine = np.dot(a, b) / (np.linalg.norm(a) * np.linalg.norm(b))
    return math.degrees(math.acos(min(1.0, cosine))) * 3600.0


def sanity_checks(eph, full):
    """Compare with independent models; fail on a layout-size error."""
    au = eph.au_km
    grid = np.arange(eph.first_jd, eph.last_jd, 0.5)
    sun_distance, moon_distance = [], []
    epv_bary, epv_helio, moon_km, moon_arcsec = 0.0, 0.0, 0.0, 0.0
    planet_arcsec = {}
    for jd in grid:
        earth, _ = eph.state(jd, de405.EARTH, de405.ORIGIN_BARYCENTRE)
        earth_sun, _ = eph.state(jd, de405.EARTH, de405.ORIGIN_SUN)
        moon, _ = eph.state(jd, de405.MOON, de405.ORIGIN_BARYCENTRE)
        sun_distance.append(np.linalg.norm(earth_sun))
        moon_distance.append(np.linalg.norm(moon - earth) * au)
    for jd in grid[::40]:
        earth, _ = eph.state(jd, de405.EARTH, de405.ORIGIN_BARYCENTRE)
        earth_sun, _ = eph.state(jd, de405.EARTH, de405.ORIGIN_SUN)
        moon, _ = eph.state(jd, de405.MOON, de405.ORIGIN_BARYCENTRE)
        helio, bary = erfa.epv00(jd, 0.0)
        epv_bary = max(epv_bary, np.linalg.norm(bary[0] - earth) * au)
        epv_helio = max(epv_helio, np.linalg.norm(helio[0] - earth_sun) * au)
        geo_moon = moon - earth
        model = erfa.moon98(jd, 0.0)[0]
        moon_km = max(moon_km, np.linalg.norm(model - geo_moon) * au)
        moon_arcsec = max(moon_arcsec, separation_arcsec(model, geo_moon))
        for body in range(de405.MERCURY, de405.NEPTUNE + 1):
            if body == de405.EARTH:
                continue
            pos, _ = eph.state(jd, body, de405.ORIGIN_SUN)
            model = erfa.plan94(jd, 0.0, body)[0]
            planet_arcsec[body] = max(planet_arcsec.get(body, 0.0),
                                      separation_arcsec(model, pos))
    jump_km = 0.0
    for index in range(1, full.record_count):
        for body in range(1, 12):
            before, _ = full.barycentric_in_record(index - 1, 1.0, body)
            after, _ = full.barycentric_in_record(index, 0.0, body)
            jump_km = max(jump_km, np.linalg.norm(after - before))

    print(f"Earth-Sun distance {min(sun_distance):.6f} .. "
          f"{max(sun_distance):.6f} AU")
    print(f"Earth-Moon distance {min(moon_distance):.0f} .. "
          f"{max(moon_distance):.0f} km")
    print(f"Earth vs ERFA epv00: barycentric {epv_bary:.2f} km, "
          f"heliocentric {epv_helio:.2f} km (max)")
    print(f"Moon vs ERFA moon98: {moon_km:.1f} km, {moon_arcsec:.1f}\" (max)")
    print("Planets vs ERFA plan94 (heliocentric direction, max): " +
          ", ".join(f"{de405.BODY_NAMES[b]} {v:.1f}\""
                    for b, v in planet_arcsec.items()))
    print(f"largest jump at a DE405 record boundary: {jump_km * 1e6:.2f} mm")

    if not (0.98 < min(sun_distance) and max(sun_distance) < 1.02):
        raise ValueError("Earth-Sun distance is not about 1 AU")
    if not (356000 < min(moon_distance) and max(moon_distance) < 407000):
        raise ValueError("Earth-Moon distance outside 356,000-407,000 km")
    if epv_bary > 50.0 or moon_arcsec > 60.0:
        raise ValueError("DE405 disagrees with the ERFA models")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--table", default=de405.DEFAULT_TABLE)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--fixture", default=DEFAULT_FIXTURE)
    args = parser.parse_args()

    full = de405.De405(args.table)
    first, last = covered_span(full)
    eph = de405.De405(args.table, first, last)
    write_ephemeris(eph, args.output)
    verify_file(eph, args.output)
    write_fixture(eph, args.fixture)
    print(f"{args.output}: JD {eph.first_jd} ({calendar_text(eph.first_jd)})"
          f" .. {eph.last_jd} ({calendar_text(eph.last_jd)}), "
          f"{eph.record_count} records")
    sanity_checks(eph, full)
    return 0


if __name__ == "__main__":
    sys.exit(main())
