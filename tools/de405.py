"""Chebyshev evaluator for JPL DE405 as shipped in Debian's casacore table.

Source: package casacore-data-jpl-de405, table
/usr/share/casacore/data/ephemerides/DE405, read with python3-casacore.

Table layout (checked when the table is loaded):
  - one row per 32-day JPL record, in time order, without gaps;
  - column ``MJD``: the record's start, a modified Julian date (TDB);
  - column ``x``: the record's 1016 coefficients in JPL order - the
    coefficient at JPL record offset o (1-based, o >= 3) is ``x[o - 3]``;
    the record's two time stamps (offsets 1 and 2) are not stored - then
    two zero pads;
  - keyword ``Description`` of column ``x``: JPL's 13-row pointer table
    (offset, coefficients per coordinate, sub-intervals) for Mercury,
    Venus, Earth-Moon barycentre, Mars .. Pluto, geocentric Moon, Sun,
    nutations, librations;
  - table keywords: the 156 DE405 constants (AU, EMRAT, GM1, ...) and a
    few bookkeeping entries of the table itself.

API
  eph = De405(path=DEFAULT_TABLE, first_jd=None, last_jd=None)
      Load the table.  first_jd/last_jd (Julian dates on record
      boundaries) restrict it to the records covering that span; a date
      equal to last_jd is then evaluated at the end of the last record,
      exactly as a reader of a file with that coverage does.
  eph.state(jd_tt, body, origin=ORIGIN_BARYCENTRE)
      -> (position_au[3], velocity_au_per_day[3]) as numpy arrays, in the
      ephemeris frame (ICRF / J2000 equator).  Bodies: 1 Mercury, 2 Venus,
      3 Earth, 4 Mars, 5 Jupiter, 6 Saturn, 7 Uranus, 8 Neptune, 9 Pluto,
      10 Sun, 11 Moon.  Origins: 0 solar-system barycentre, 1 centre of
      the Sun.  Earth = EMB - Moon / (1 + EMRAT) and
      Moon = EMB + Moon * EMRAT / (1 + EMRAT), from the barycentric
      Earth-Moon barycentre EMB and the geocentric Moon.  The date is TT,
      used as the ephemeris time argument (TDB - TT < 2 ms is neglected).
  eph.nutation(jd_tt)
      -> ((dpsi, deps) in radians, their rates in radians per day), the
      IAU 1980 nutation angles fitted in DE405.
  eph.first_jd, eph.last_jd, eph.step_days    coverage, record length
  eph.au_km, eph.emrat                        AU in km, Earth/Moon mass ratio
  eph.constants                               [(name, value)] in DE405 order
  eph.pointers                                13 (offset, ncoef, nsub) rows
  eph.record_count, eph.record_start_jd(i)    records, 0-based
  eph.record(i)                               JPL record i: offsets 1..1018
                                              as array index 0..1017
  eph.locate(jd)                              (record index, normalised time
                                              t in [0, 1]) of a date
  eph.barycentric_in_record(i, t, body)       barycentric km and km/day from
                                              record i at t (t = 1 is the
                                              record's end, for continuity
                                              checks)

A date on a record or sub-interval boundary uses the later record or
sub-interval (the one that starts there), except last_jd as said above.
"""

import numpy as np
from numpy.polynomial import chebyshev

DEFAULT_TABLE = "/usr/share/casacore/data/ephemerides/DE405"

MJD_TO_JD = 2400000.5
# A JPL record holds its start and end dates before the coefficients.
RECORD_TIME_STAMPS = 2

ORIGIN_BARYCENTRE = 0
ORIGIN_SUN = 1

MERCURY, VENUS, EARTH, MARS, JUPITER, SATURN, URANUS, NEPTUNE, PLUTO, \
    SUN, MOON = range(1, 12)
BODY_NAMES = {MERCURY: "Mercury", VENUS: "Venus", EARTH: "Earth",
              MARS: "Mars", JUPITER: "Jupiter", SATURN: "Saturn",
              URANUS: "Uranus", NEPTUNE: "Neptune", PLUTO: "Pluto",
              SUN: "Sun", MOON: "Moon"}

# Rows of JPL's pointer table.
ROW_EMB = 2
ROW_MOON = 9
ROW_SUN = 10
ROW_NUTATION = 11
ROW_LIBRATION = 12
POINTER_ROWS = 13

# Table keywords that describe the casacore table, not the ephemeris.
_BOOKKEEPING_KEYWORDS = ("VS_CREATE", "VS_DATE", "VS_VERSION", "VS_TYPE",
                         "TAB_VERSION", "MJD0", "dMJD")


def _coordinates_of_row(row):
    if row == ROW_NUTATION:
        return 2
    return 3


class De405:
    """DE405 positions, velocities and nutations from the casacore table."""

    def __init__(self, path=DEFAULT_TABLE, first_jd=None, last_jd=None):
        from casacore.tables import table

        tab = table(path, ack=False)
        try:
            start_mjd = np.asarray(tab.getcol("MJD"), dtype=np.float64)
            coefficients = np.asarray(tab.getcol("x"), dtype=np.float64)
            keywords = tab.getkeywords()
            description = np.asarray(
                tab.getcolkeyword("x", "Description"), dtype=np.int64)
        finally:
            tab.close()

        self.step_days = float(keywords["dMJD"])
        self.au_km = float(keywords["AU"])
        self.emrat = float(keywords["EMRAT"])
        self.constants = [(name, float(value))
                          for name, value in keywords.items()
                          if name not in _BOOKKEEPING_KEYWORDS]
        self.pointers = [tuple(int(v) for v in description[k::POINTER_ROWS])
                         for k in range(POINTER_ROWS)]
        self._check_layout(start_mjd, coefficients, keywords)

        starts = start_mjd + MJD_TO_JD
        keep = np.ones(len(starts), dtype=bool)
        if first_jd is not None:
            keep &= starts >= first_jd
        if last_jd is not None:
            keep &= starts + self.step_days <= last_jd
        self._starts = starts[keep]
        self._coefficients = coefficients[keep]
        if len(self._starts) == 0:
            raise ValueError("no DE405 record lies in the requested span")
        self.first_jd = float(self._starts[0])
        self.last_jd = float(self._starts[-1] + self.step_days)
        for wanted, got in ((first_jd, self.first_jd),
                            (last_jd, self.last_jd)):
            if wanted is not None and wanted != got:
                raise ValueError(
                    f"{wanted} is not a DE405 record boundary inside the "
                    f"table (nearest kept boundary {got})")

    def _check_layout(self, start_mjd, coefficients, keywords):
        """Refuse a table whose layout differs from the one documented."""
        if int(keywords["DENUM"]) != 405:
            raise ValueError("table is not DE405")
        if not np.all(np.diff(start_mjd) == self.step_days):
            raise ValueError("records are not contiguous")
        expected_offset = RECORD_TIME_STAMPS + 1
        for row, (offset, ncoef, nsub) in enumerate(self.pointers):
            if offset != expected_offset:
                raise ValueError(f"pointer row {row} does not follow on")
            expected_offset += ncoef * _coordinates_of_row(row) * nsub
        stored = expected_offset - 1 - RECORD_TIME_STAMPS
        if coefficients.shape[1] < stored:
            raise ValueError("rows hold fewer coefficients than the pointers")
        if np.any(coefficients[:, stored:] != 0.0):
            raise ValueError("padding after the coefficients is not zero")

    @property
    def record_count(self):
        return len(self._starts)

    def record_start_jd(self, index):
        return float(self._starts[index])

    def record(self, index):
        """JPL record `index`: start and end dates, then the coefficients."""
        start = self._starts[index]
        head = np.array([start, start + self.step_days])
        return np.concatenate((head, self._coefficients[index]))

    def locate(self, jd):
        """Record index and normalised time t in [0, 1] of a date."""
        if not self.first_jd <= jd <= self.last_jd:
            raise ValueError(f"JD {jd} outside {self.first_jd}.."
                             f"{self.last_jd}")
        index = min(int((jd - self.first_jd) // self.step_days),
                    self.record_count - 1)
        t = (jd - self._starts[index]) / self.step_days
        return index, t

    def _evaluate_row(self, index, t, row):
        """Value (km) and rate (km/day) of pointer row `row`."""
        offset, ncoef, nsub = self.pointers[row]
        ncoord = _coordinates_of_row(row)
        sub = min(int(t * nsub), nsub - 1)
        tc = 2.0 * (t * nsub - sub) - 1.0
        first = offset - 1 - RECORD_TIME_STAMPS + sub * ncoord * ncoef
        block = self._coefficients[index, first:first + ncoord * ncoef]
        series = block.reshape(ncoord, ncoef).T
        value = chebyshev.chebval(tc, series)
        # d(tc)/d(jd): tc spans 2 units over one sub-interval.
        rate_factor = 2.0 * nsub / self.step_days
        rate = chebyshev.chebval(tc, chebyshev.chebder(series)) * rate_factor
        return value, rate

    def barycentric_in_record(self, index, t, body):
        """Barycentric position (km) and velocity (km/day) of a body."""
        if body == SUN:
            return self._evaluate_row(index, t, ROW_SUN)
        if body in (EARTH, MOON):
            emb, emb_rate = self._evaluate_row(index, t, ROW_EMB)
            moon, moon_rate = self._evaluate_row(index, t, ROW_MOON)
            if body == EARTH:
                factor = -1.0 / (1.0 + self.emrat)
            else:
                factor = self.emrat / (1.0 + self.emrat)
            return emb + factor * moon, emb_rate + factor * moon_rate
        return self._evaluate_row(index, t, body - 1)

    def state(self, jd_tt, body, origin=ORIGIN_BARYCENTRE):
        """Position (AU) and velocity (AU/day) of `body` from `origin`."""
        if body not in BODY_NAMES:
            raise ValueError(f"body {body} outside 1..11")
        if origin not in (ORIGIN_BARYCENTRE, ORIGIN_SUN):
            raise ValueError(f"origin {origin} is neither 0 nor 1")
        index, t = self.locate(jd_tt)
        position, velocity = self.barycentric_in_record(index, t, body)
        if origin == ORIGIN_SUN:
            sun, sun_rate = self._evaluate_row(index, t, ROW_SUN)
            position, velocity = position - sun, velocity - sun_rate
        return position / self.au_km, velocity / self.au_km

    def nutation(self, jd_tt):
        """Nutation in longitude and obliquity (rad) and their rates."""
        index, t = self.locate(jd_tt)
        angles, rates = self._evaluate_row(index, t, ROW_NUTATION)
        return (float(angles[0]), float(angles[1])), \
            (float(rates[0]), float(rates[1]))
