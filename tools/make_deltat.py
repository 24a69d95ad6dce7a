#!/usr/bin/python3
"""Write the Delta T table "DeltaT.val" and its fixture.

File: 16-byte records of two little-endian doubles.  Record 0 holds the
first and last Julian dates the table answers for; records 1.. hold a
Julian date (0h UTC) and Delta T = TT - UT1 in seconds, every 30 days,
the first on the first date and the last on the last date.

  Delta T = 32.184 s + (TAI - UTC) - (UT1 - UTC)

  TAI - UTC  ERFA's eraDat (python3-erfa), which includes the drifting
             offsets of UTC before 1972.
  UT1 - UTC  IERS EOP 14 C04, daily at 0h UTC, as shipped by
             python3-astropy (to 2022-11-29), then IERS Bulletin A final
             values on the 1st and 15th of each month
             (tools/data/ut1-utc-2022-2025.tsv), linearly interpolated to
             record dates that fall between samples.

Values are rounded to 0.1 microsecond, the resolution of the UT1 - UTC
sources, so the output does not depend on the last bit of the sums.

Usage: /usr/bin/python3 tools/make_deltat.py  (paths default to the
repository's data/ and tests/fixtures/time/).
"""

import argparse
import bisect
import os
import struct
import sys

import erfa

TT_MINUS_TAI_S = 32.184
FIRST_JD = 2440500.5       # 1969 Oct 6, before the supported range
REQUIRED_LAST_JD = 2460700.5
STEP_DAYS = 30.0
MJD_TO_JD = 2400000.5
DECIMALS = 7               # 0.1 microsecond
RECORD_FORMAT = "<2d"
OUTSIDE_TABLE = -1000.0

C04_PATH = ("/usr/lib/python3/dist-packages/astropy/utils/iers/data/"
            "eopc04_IAU2000.62-now")
REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BULLETIN_A_PATH = os.path.join(REPO, "tools", "data",
                               "ut1-utc-2022-2025.tsv")
DEFAULT_OUTPUT = os.path.join(REPO, "data", "DeltaT.val")
DEFAULT_FIXTURE = os.path.join(REPO, "tests", "fixtures", "time",
                               "deltat_samples.txt")

# Published Delta T (TT - UT1) at the start of a few years, seconds.
REFERENCE_VALUES = ((1970, 40.18), (2000, 63.83), (2020, 69.36))


def read_c04(path):
    """{MJD: UT1 - UTC} from the C04 series (data lines start with a year)."""
    series = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            fields = line.split()
            if len(fields) < 7 or not fields[0].isdigit():
                continue
            series[int(fields[3])] = float(fields[6])
    return series


def read_bulletin_a(path):
    """{MJD: UT1 - UTC} from the tab-separated extract."""
    series = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            fields = line.split("\t")
            if line.startswith("#") or not fields[0].isdigit():
                continue
            series[int(fields[0])] = float(fields[2])
    return series


def tai_minus_utc(mjd):
    year, month, day, fraction = erfa.jd2cal(MJD_TO_JD, float(mjd))
    return float(erfa.dat(int(year), int(month), int(day), float(fraction)))


class Ut1MinusUtc:
    """UT1 - UTC at a whole MJD, from the merged daily and sparse series."""

    def __init__(self, c04, bulletin_a):
        self.series = dict(c04)
        for mjd, value in bulletin_a.items():
            self.series.setdefault(mjd, value)
        self.days = sorted(self.series)

    def at(self, mjd):
        if mjd in self.series:
            return self.series[mjd]
        after = bisect.bisect(self.days, mjd)
        if after == 0 or after == len(self.days):
            raise ValueError(f"UT1-UTC unknown at MJD {mjd}")
        m1, m2 = self.days[after - 1], self.days[after]
        if tai_minus_utc(m1) != tai_minus_utc(m2):
            raise ValueError(f"would interpolate across a leap second "
                             f"at MJD {mjd}")
        v1, v2 = self.series[m1], self.series[m2]
        return v1 + (v2 - v1) * (mjd - m1) / (m2 - m1)


def delta_t(ut1_utc, jd):
    mjd = jd - MJD_TO_JD
    if mjd != int(mjd):
        raise ValueError("record dates must fall at 0h UTC")
    value = TT_MINUS_TAI_S + tai_minus_utc(int(mjd)) - ut1_utc.at(int(mjd))
    return round(value, DECIMALS)


def build_table(ut1_utc):
    """[(jd, Delta T)] from FIRST_JD every STEP_DAYS past REQUIRED_LAST_JD."""
    records = []
    jd = FIRST_JD
    while True:
        records.append((jd, delta_t(ut1_utc, jd)))
        if jd >= REQUIRED_LAST_JD:
            return records
        jd += STEP_DAYS


def write_table(records, path):
    with open(path, "wb") as out:
        out.write(struct.pack(RECORD_FORMAT, records[0][0], records[-1][0]))
        for jd, value in records:
            out.write(struct.pack(RECORD_FORMAT, jd, value))


def straight_line(records, jd):
    """The reader's interpolation, with its operations in its order."""
    first, last = records[0][0], records[-1][0]
    if jd < first or jd > last:
        return OUTSIDE_TABLE
    k = 1
    while k < len(records) - 1 and records[k][0] < jd:
        k += 1
    (t1, d1), (t2, d2) = records[k - 1], records[k]
    return d2 + (jd - t2) / (t1 - t2) * (d1 - d2)


def sample_dates(records):
    """(jd, kind): record dates, dates between records, dates outside."""
    last = len(records) - 1
    on_record = sorted({0, 1, 2, 30, 100, 200, 300, 400, 500, 600,
                        last - 1, last})
    samples = [(records[k][0], "record") for k in on_record]
    for k in (0, 27, 123, 333, 512, last - 1):
        t = records[k][0]
        for fraction in (0.25, 0.5, 0.9):
            samples.append((t + fraction * STEP_DAYS, "between"))
    samples.append((records[0][0] + 1.0 / 1440.0, "between"))
    samples.append((records[-1][0] - 1.0 / 1440.0, "between"))
    samples.append((records[0][0] - 1.0, "outside"))
    samples.append((records[-1][0] + 1.0, "outside"))
    samples.append((records[-1][0] + 1.0e-6, "outside"))
    return sorted(samples)


def write_fixture(records, path):
    lines = [
        "# Delta T samples for the Delta T reader's tests.",
        "# Columns: jd_ut delta_t_s kind",
        "# kind record: jd is a table date, delta_t_s is its value "
        "(reproduce exactly);",
        "# kind between: d2 + (jd - t2) / (t1 - t2) * (d1 - d2) of the "
        "records around jd;",
        "# kind outside: jd lies outside the table, the reader gives "
        "-1000.0.",
    ]
    for jd, kind in sample_dates(records):
        lines.append(f"{jd!r} {straight_line(records, jd)!r} {kind}")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


def report(records, ut1_utc):
    first, last = records[0][0], records[-1][0]
    print(f"{len(records) + 1} records, JD {first} .. {last}")
    for year, published in REFERENCE_VALUES:
        jd = float(erfa.cal2jd(year, 1, 1)[0] + erfa.cal2jd(year, 1, 1)[1])
        table = straight_line(records, jd)
        print(f"{year}.0: table {table:.4f} s, published {published:.2f} s,"
              f" difference {table - published:+.4f} s")
    # How far the 30-day straight line strays from the daily values.
    worst, worst_jd = 0.0, first
    jd = first
    while jd <= last:
        error = abs(straight_line(records, jd) - delta_t(ut1_utc, jd))
        if error > worst:
            worst, worst_jd = error, jd
        jd += 1.0
    print(f"largest interpolation error against daily values: "
          f"{worst * 1000:.1f} ms at JD {worst_jd}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--c04", default=C04_PATH)
    parser.add_argument("--bulletin-a", default=BULLETIN_A_PATH)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--fixture", default=DEFAULT_FIXTURE)
    args = parser.parse_args()

    ut1_utc = Ut1MinusUtc(read_c04(args.c04),
                          read_bulletin_a(args.bulletin_a))
    records = build_table(ut1_utc)
    write_table(records, args.output)
    write_fixture(records, args.fixture)
    report(records, ut1_utc)
    return 0


if __name__ == "__main__":
    sys.exit(main())
