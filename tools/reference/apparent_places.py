"""Independent apparent places with the full modern models.

Geocentric and topocentric apparent places of the Sun, Moon and planets,
apparent places of catalogue stars and Greenwich apparent sidereal time,
computed with ERFA (IAU 2006/2000A precession-nutation with frame bias,
relativistic aberration, light deflection by the Sun, light time iterated to
convergence, space motion of stars) over JPL DE405 read by tools/de405.py.
The engine's own models are deliberately simpler; this module is the yardstick
its results are checked against.

Everything is equatorial, true equator and equinox of date.  Inputs are TT
Julian dates; UT1 = TT - Delta T where Earth rotation matters, with Delta T
supplied by the caller (DeltaTTable reads the program's own "DeltaT.val").

API
  sky = ReferenceSky(eph=None)           eph: a de405.De405 (loaded if None)
  sky.geocentric(jd_tt, body)            -> Place
  sky.topocentric(jd_tt, delta_t, body, east_lon_deg, lat_deg, height_m)
                                         -> Place
  sky.star(jd_tt, star)                  -> Place (distance_au is None)
  sky.gast_hours(jd_tt, delta_t)         -> Greenwich apparent sidereal time
  DeltaTTable(path).lookup(jd_ut)        -> Delta T seconds (linear)
  DeltaTTable(path).delta_t_for_tt(jd_tt) -> Delta T at UT1 = TT - Delta T
  load_stars(root)                       -> {number: Star} from tools/data
"""

import math
import os
import struct
import sys
from dataclasses import dataclass

import erfa
import numpy as np

TOOLS_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
if TOOLS_DIR not in sys.path:
    sys.path.insert(0, TOOLS_DIR)

import de405  # noqa: E402  (the one DE405 evaluator of the project)

SPEED_OF_LIGHT_AU_PER_DAY = erfa.CMPS * erfa.DAYSEC / erfa.DAU
LIGHT_TIME_TOLERANCE_DAYS = 1e-12
RADIANS_PER_HOUR = math.pi / 12.0


@dataclass
class Place:
    ra_hours: float
    dec_deg: float
    distance_au: float | None
    # Unit vector of the apparent direction, true equator and equinox of date.
    unit_vector: np.ndarray


@dataclass
class Star:
    number: int
    name: str
    ra_hours: float
    dec_deg: float
    pm_ra_s_per_cy: float      # seconds of time per Julian century, dRA/dt
    pm_dec_arcsec_per_cy: float
    parallax_arcsec: float
    rv_km_s: float


@dataclass
class _Observer:
    position: np.ndarray   # barycentric, AU
    velocity: np.ndarray   # barycentric, AU/day
    sun_position: np.ndarray  # barycentric Sun at the same instant, AU


def _split(jd):
    """Two-part date that keeps ERFA's precision."""
    whole = math.floor(jd)
    return whole, jd - whole


def _place_from_vector(vector, distance):
    x, y, z = vector
    ra = math.atan2(y, x) / RADIANS_PER_HOUR
    if ra < 0.0:
        ra += 24.0
    dec = math.degrees(math.atan2(z, math.hypot(x, y)))
    return Place(ra, dec, distance, vector / np.linalg.norm(vector))


class ReferenceSky:
    def __init__(self, eph=None):
        self.eph = eph if eph is not None else de405.De405()

    # Time scales -----------------------------------------------------------

    @staticmethod
    def tdb_from_tt(jd_tt):
        """TDB for the ephemeris argument (geocentre; UT taken as TT)."""
        day_fraction = (jd_tt + 0.5) % 1.0
        return jd_tt + erfa.dtdb(jd_tt, 0.0, day_fraction, 0.0, 0.0, 0.0) \
            / erfa.DAYSEC

    @staticmethod
    def true_of_date_matrix(jd_tt):
        """GCRS -> true equator and equinox of date (IAU 2006/2000A)."""
        return erfa.pnm06a(*_split(jd_tt))

    def gast_hours(self, jd_tt, delta_t):
        jd_ut1 = jd_tt - delta_t / erfa.DAYSEC
        gast = erfa.gst06a(*_split(jd_ut1), *_split(jd_tt))
        return gast / RADIANS_PER_HOUR

    # Observers -------------------------------------------------------------

    def _geocentre(self, jd_tdb):
        position, velocity = self.eph.state(jd_tdb, de405.EARTH)
        sun, _ = self.eph.state(jd_tdb, de405.SUN)
        return _Observer(position, velocity, sun)

    def _site(self, jd_tt, jd_tdb, delta_t, east_lon_deg, lat_deg, height_m):
        """Barycentric state of a site on the WGS84 ellipsoid, no polar motion."""
        centre = self._geocentre(jd_tdb)
        tt = _split(jd_tt)
        era = erfa.era00(*_split(jd_tt - delta_t / erfa.DAYSEC))
        site = erfa.pvtob(math.radians(east_lon_deg), math.radians(lat_deg),
                          height_m, 0.0, 0.0, erfa.sp00(*tt), era)
        # pvtob answers in the intermediate (CIRS) frame; back to GCRS.
        to_gcrs = erfa.c2i06a(*tt).T
        position = to_gcrs @ site[0] / erfa.DAU
        velocity = to_gcrs @ site[1] * erfa.DAYSEC / erfa.DAU
        return _Observer(centre.position + position,
                         centre.velocity + velocity, centre.sun_position)

    # Places ----------------------------------------------------------------

    def _body_place(self, jd_tt, jd_tdb, body, observer):
        # Geometric distance at the instant, as the engine reports it.
        now, _ = self.eph.state(jd_tdb, body)
        distance = float(np.linalg.norm(now - observer.position))

        light_time = 0.0
        while True:
            source, _ = self.eph.state(jd_tdb - light_time, body)
            vector = source - observer.position
            new_light_time = np.linalg.norm(vector) / SPEED_OF_LIGHT_AU_PER_DAY
            converged = abs(new_light_time - light_time) < \
                LIGHT_TIME_TOLERANCE_DAYS
            light_time = new_light_time
            if converged:
                break
        direction = vector / np.linalg.norm(vector)

        sun_to_observer = observer.position - observer.sun_position
        sun_distance = float(np.linalg.norm(sun_to_observer))
        if body != de405.SUN:
            sun_then, _ = self.eph.state(jd_tdb - light_time, de405.SUN)
            sun_to_source = source - sun_then
            direction = erfa.ld(
                1.0, direction, sun_to_source / np.linalg.norm(sun_to_source),
                sun_to_observer / sun_distance, sun_distance,
                1e-6 / max(sun_distance * sun_distance, 1.0))
        return self._apparent(jd_tt, direction, observer, sun_distance,
                              distance)

    def _apparent(self, jd_tt, natural_direction, observer, sun_distance,
                  distance):
        v = observer.velocity / SPEED_OF_LIGHT_AU_PER_DAY
        proper = erfa.ab(natural_direction, v, sun_distance,
                         math.sqrt(1.0 - float(v @ v)))
        return _place_from_vector(self.true_of_date_matrix(jd_tt) @ proper,
                                  distance)

    def geocentric(self, jd_tt, body):
        jd_tdb = self.tdb_from_tt(jd_tt)
        return self._body_place(jd_tt, jd_tdb, body, self._geocentre(jd_tdb))

    def topocentric(self, jd_tt, delta_t, body, east_lon_deg, lat_deg,
                    height_m):
        jd_tdb = self.tdb_from_tt(jd_tt)
        site = self._site(jd_tt, jd_tdb, delta_t, east_lon_deg, lat_deg,
                          height_m)
        return self._body_place(jd_tt, jd_tdb, body, site)

    def star(self, jd_tt, star):
        jd_tdb = self.tdb_from_tt(jd_tt)
        observer = self._geocentre(jd_tdb)
        arcsec_per_year = erfa.DAS2R / 100.0
        direction = erfa.pmpx(
            star.ra_hours * RADIANS_PER_HOUR, math.radians(star.dec_deg),
            star.pm_ra_s_per_cy * 15.0 * arcsec_per_year,
            star.pm_dec_arcsec_per_cy * arcsec_per_year,
            star.parallax_arcsec, star.rv_km_s,
            (jd_tdb - erfa.DJ00) / erfa.DJY, observer.position)
        sun_to_observer = observer.position - observer.sun_position
        sun_distance = float(np.linalg.norm(sun_to_observer))
        direction = erfa.ldsun(direction, sun_to_observer / sun_distance,
                               sun_distance)
        return self._apparent(jd_tt, direction, observer, sun_distance, None)


class DeltaTTable:
    """The program's Delta T table: 16-byte little-endian records (first and
    last date answered, then date and Delta T pairs)."""

    RECORD = struct.Struct("<dd")

    def __init__(self, path):
        with open(path, "rb") as stream:
            data = stream.read()
        count = len(data) // self.RECORD.size
        if count < 3:
            raise ValueError(f"{path}: fewer than two Delta T records")
        records = [self.RECORD.unpack_from(data, k * self.RECORD.size)
                   for k in range(count)]
        self.first_jd, self.last_jd = records[0]
        self.dates = np.array([r[0] for r in records[1:]])
        self.values = np.array([r[1] for r in records[1:]])

    def lookup(self, jd_ut):
        if not self.first_jd <= jd_ut <= self.last_jd:
            raise ValueError(f"JD {jd_ut} outside the Delta T table")
        return float(np.interp(jd_ut, self.dates, self.values))

    def delta_t_for_tt(self, jd_tt):
        """Delta T looked up at UT1 = TT - Delta T, as the engine does."""
        delta_t = self.lookup(jd_tt)
        for _ in range(2):
            delta_t = self.lookup(jd_tt - delta_t / erfa.DAYSEC)
        return delta_t


def load_stars(root):
    """Catalogue values of stars 1..173 from the tables under tools/data."""
    stars = {}
    for name in ("stars-001-058.tsv", "stars-059-173.tsv"):
        with open(os.path.join(root, "tools", "data", name)) as stream:
            header = stream.readline().rstrip("\n").split("\t")
            for line in stream:
                if not line.strip():
                    continue
                row = dict(zip(header, line.rstrip("\n").split("\t")))
                number = int(row["number"])
                stars[number] = Star(
                    number, row["name"].strip(), float(row["ra_hours"]),
                    float(row["dec_deg"]), float(row["pm_ra_s_per_cy"]),
                    float(row["pm_dec_arcsec_per_cy"]),
                    float(row["parallax_arcsec"]), float(row["rv_km_s"]))
    return stars
