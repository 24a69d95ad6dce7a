#!/usr/bin/python3
"""Write engine/places/SelectedStarsTable.cpp, the selected-stars table.

For every latitude band and every whole degree of local hour angle of Aries
the table names seven of the 57 navigational stars and Polaris that a
navigator would pick for a round of star sights, three of them marked (given
as negative numbers) as the best three-star fix.

Rule
----
Stars are placed at the band's middle latitude with their J2000 catalogue
positions moved by proper motion to 2010.0 (the table is a planning aid; a
decade of precession moves a star by about 0.15 degree).

A seven-star selection is admissible at a degree of LHA when every star stands
at least MIN_ALTITUDE_DEG high; its three marked stars must moreover be at
least MIN_FIX_SEPARATION_DEG apart in azimuth. Among admissible selections the
cost prefers, in this order of weight:
  * seven stars spread evenly round the horizon (no wide empty sector);
  * a marked triple with azimuths near 120 degrees apart at good altitudes;
  * stars below PREFERRED_CEILING_DEG (azimuth and refraction are poor high
    up) and clear of the low-altitude refraction zone;
  * bright stars;
  * Polaris, whenever it stands between MIN_ALTITUDE_DEG and the ceiling,
    because it gives the latitude directly.

Candidate selections are built degree by degree: the best marked triples of
the visible stars, each completed greedily to seven. Each band is then split
into rows by dynamic programming over the candidates: for every row count k
the cheapest way to cover the band's 360 degrees with k constant selections,
each kept for at least MIN_ROW_DEGREES. Consecutive degrees with the same
seven stars form one row, so the row count is the hysteresis: a selection
changes only when the saving pays for a new row, and never flickers back
after a degree or two. A band is a cycle: it is cut open where the fewest
selections carry on from one degree to the next, the row running through
LHA 0 appears twice (at 0 and at its own start), and the rows on either side
of the cut must differ. Finally the row counts are shared out among the
bands so that the total cost is least for the required total of TOTAL_ROWS
rows (a knapsack over bands). Band 0 and the first row of band 84 are fixed
rows given with the table layout, kept verbatim.

Within a row the stars are listed in order of azimuth at the row's first LHA.

Usage: tools/make_selected_stars.py [output.cpp]     (about five minutes)
"""

import csv
import itertools
import pathlib
import sys

import numpy as np

ROOT = pathlib.Path(__file__).resolve().parent.parent
STAR_FILE = ROOT / "tools" / "data" / "stars-001-058.tsv"
DEFAULT_OUTPUT = ROOT / "engine" / "places" / "SelectedStarsTable.cpp"

# Table layout.
BAND_STARTS = [
    0, 4, 7, 9, 10, 14, 17, 18, 19, 20, 23, 24, 26, 29, 30, 33, 34, 35, 36, 37,
    39, 40, 41, 43, 44, 45, 47, 49, 50, 51, 52, 53, 54, 55, 56, 57, 59, 61, 62,
    63, 64, 65, 66, 68, 69, 70, 71, 74, 79, 80, 81, 82, 83, 84, 85, 87, 89, 90,
    91, 95, 97, 99, 100, 103, 104, 105, 110, 111, 114, 115, 120, 125, 130, 135,
    140, 143, 144, 145, 150, 155, 157, 159, 164, 169, 174, 179,
]
BAND_COUNT = len(BAND_STARTS) - 1
TOTAL_ROWS = 1656  # the closing entry comes on top
DEGREES = 360
SELECTION_SIZE = 7
POLARIS = 58

# Rows fixed by the almanac tables: band -> [(lhaStart, stars)], covering
# the band from LHA 0 up to FIXED_ROWS_END[band].
FIXED_ROWS = {
    0: [
        (0, [27, 21, -12, 1, -53, 49, -37]),
        (60, [-37, 26, 21, -12, 1, -53, 49]),
        (270, [-12, 1, -53, 49, -37, 27, 21]),
    ],
    84: [(0, [5, -18, 23, 30, -38, 52, -56])],
}
FIXED_ROWS_END = {0: 360, 84: 30}

# Selection rule.
PROPER_MOTION_CENTURIES = 0.1  # J2000 to 2010.0
MIN_ALTITUDE_DEG = 15.0
ALTITUDE_MARGIN_DEG = 0.5  # keeps half-degree LHA values admissible too
MIN_FIX_SEPARATION_DEG = 60.0
FIX_SEPARATION_MARGIN_DEG = 5.0
PREFERRED_CEILING_DEG = 65.0
REFRACTION_ZONE_DEG = 20.0
GOOD_FIX_FLOOR_DEG = 25.0

SPREAD_WEIGHT = 2.0
FIX_GEOMETRY_WEIGHT = 3.0
FIX_LOW_WEIGHT = 0.1
FIX_MAGNITUDE_WEIGHT = 0.5
HIGH_WEIGHT = 0.3
LOW_WEIGHT = 0.2
MAGNITUDE_WEIGHT = 1.0
POLARIS_BONUS = 3.0

TRIPLES_PER_DEGREE = 8
STATES_KEPT_PER_DEGREE = 60
MAX_ROWS_PER_BAND = 60
MIN_ROW_DEGREES = 5
INADMISSIBLE = 1.0e9


def read_stars():
    with open(STAR_FILE, newline="", encoding="ascii") as handle:
        rows = list(csv.DictReader(handle, delimiter="\t"))
    ra = np.array([float(r["ra_hours"]) for r in rows])
    dec = np.array([float(r["dec_deg"]) for r in rows])
    pm_ra = np.array([float(r["pm_ra_s_per_cy"]) for r in rows])
    pm_dec = np.array([float(r["pm_dec_arcsec_per_cy"]) for r in rows])
    magnitude = np.array([float(r["vmag"]) for r in rows])
    # Proper motion in RA is in seconds of time, in Dec in arcseconds.
    ra_deg = (ra + pm_ra * PROPER_MOTION_CENTURIES / 3600.0) * 15.0
    dec_deg = dec + pm_dec * PROPER_MOTION_CENTURIES / 3600.0
    return ra_deg, dec_deg, magnitude


def horizon_coordinates(latitude, lha_aries, ra_deg, dec_deg):
    """Altitude and azimuth (degrees, from north through east) of every star
    at every LHA of Aries: arrays [len(lha_aries), star]."""
    phi = np.radians(latitude)
    hour_angle = np.radians(lha_aries[:, None] - ra_deg[None, :])
    dec = np.radians(dec_deg)[None, :]
    sin_alt = np.sin(phi) * np.sin(dec) + np.cos(phi) * np.cos(dec) * np.cos(hour_angle)
    altitude = np.degrees(np.arcsin(np.clip(sin_alt, -1.0, 1.0)))
    azimuth = np.degrees(np.arctan2(
        -np.cos(dec) * np.sin(hour_angle),
        np.sin(dec) * np.cos(phi) - np.cos(dec) * np.sin(phi) * np.cos(hour_angle)))
    return altitude, np.mod(azimuth, 360.0)


def azimuth_gaps(azimuths):
    """Gaps between neighbours round the horizon, last axis = the stars."""
    ordered = np.sort(azimuths, axis=-1)
    wrap = ordered[..., :1] + 360.0 - ordered[..., -1:]
    return np.concatenate([np.diff(ordered, axis=-1), wrap], axis=-1)


class Sky:
    """Star altitudes, azimuths and per-star costs over one band."""

    def __init__(self, latitude, stars):
        ra_deg, dec_deg, magnitude = stars
        self.altitude, self.azimuth = horizon_coordinates(
            latitude, np.arange(DEGREES, dtype=float), ra_deg, dec_deg)
        self.visible = self.altitude >= MIN_ALTITUDE_DEG + ALTITUDE_MARGIN_DEG
        high = np.maximum(self.altitude - PREFERRED_CEILING_DEG, 0.0)
        low = np.maximum(REFRACTION_ZONE_DEG - self.altitude, 0.0)
        self.star_cost = (MAGNITUDE_WEIGHT * magnitude[None, :]
                          + HIGH_WEIGHT * high + LOW_WEIGHT * low)
        polaris = POLARIS - 1
        usable = self.visible[:, polaris] & (self.altitude[:, polaris] <= PREFERRED_CEILING_DEG)
        self.star_cost[:, polaris] -= POLARIS_BONUS * usable
        fix_low = np.maximum(GOOD_FIX_FLOOR_DEG - self.altitude, 0.0)
        self.fix_star_cost = FIX_MAGNITUDE_WEIGHT * magnitude[None, :] + FIX_LOW_WEIGHT * fix_low

    def selection_cost(self, members, degrees=slice(None)):
        """Cost of seven stars (index array [..., 7]) at the given degrees."""
        azimuths = self.azimuth[degrees][..., members]
        gaps = azimuth_gaps(azimuths) / (360.0 / SELECTION_SIZE)
        cost = SPREAD_WEIGHT * np.sum((gaps - 1.0) ** 2, axis=-1)
        cost = cost + np.sum(self.star_cost[degrees][..., members], axis=-1)
        admissible = np.all(self.visible[degrees][..., members], axis=-1)
        return np.where(admissible, cost, INADMISSIBLE)

    def fix_cost(self, triple, degrees=slice(None)):
        """Cost of a marked triple (index array [..., 3]) at the given degrees."""
        azimuths = self.azimuth[degrees][..., triple]
        gaps = azimuth_gaps(azimuths)
        cost = FIX_GEOMETRY_WEIGHT * np.sum(np.abs(gaps - 120.0), axis=-1) / 60.0
        cost = cost + np.sum(self.fix_star_cost[degrees][..., triple], axis=-1)
        separated = np.min(gaps, axis=-1) >= MIN_FIX_SEPARATION_DEG + FIX_SEPARATION_MARGIN_DEG
        admissible = np.all(self.visible[degrees][..., triple], axis=-1) & separated
        return np.where(admissible, cost, INADMISSIBLE)


def candidate_selections(sky):
    """Seven-star sets worth considering anywhere in the band."""
    selections = set()
    for degree in range(DEGREES):
        visible = np.flatnonzero(sky.visible[degree])
        if len(visible) < SELECTION_SIZE:
            continue
        triples = np.array(list(itertools.combinations(visible, 3)))
        costs = sky.fix_cost(triples, degree)
        for index in np.argsort(costs)[:TRIPLES_PER_DEGREE]:
            if costs[index] >= INADMISSIBLE:
                break
            selections.add(complete_selection(sky, degree, list(triples[index]), visible))
    return sorted(selections)


def complete_selection(sky, degree, members, visible):
    """Adds stars one at a time, each the cheapest addition at this degree."""
    while len(members) < SELECTION_SIZE:
        others = [s for s in visible if s not in members]
        trials = np.array([members + [s] for s in others])
        azimuths = sky.azimuth[degree][trials]
        gaps = azimuth_gaps(azimuths) / (360.0 / (len(members) + 1))
        cost = SPREAD_WEIGHT * np.sum((gaps - 1.0) ** 2, axis=-1)
        cost = cost + sky.star_cost[degree][others]
        members = members + [others[int(np.argmin(cost))]]
    return tuple(sorted(int(s) for s in members))


def selection_states(sky, selections, forbidden):
    """Viterbi states: (selection, marked triple) pairs with a cost per degree.
    A selection keeps the triples that are the best of it at some degree."""
    state_selection, state_triple, state_costs = [], [], []
    triple_positions = np.array(list(itertools.combinations(range(SELECTION_SIZE), 3)))
    for number, members in enumerate(selections):
        if members in forbidden:
            continue
        members_array = np.array(members)
        base = sky.selection_cost(members_array)
        if np.all(base >= INADMISSIBLE):
            continue
        triples = members_array[triple_positions]
        fix = np.stack([sky.fix_cost(t) for t in triples], axis=1)  # [degree, triple]
        best = np.argmin(fix, axis=1)
        for t in sorted(set(best[fix[np.arange(DEGREES), best] < INADMISSIBLE])):
            cost = np.minimum(base + fix[:, t], INADMISSIBLE)
            state_selection.append(number)
            state_triple.append(tuple(int(s) for s in triples[t]))
            state_costs.append(cost)
    costs = np.array(state_costs).T  # [degree, state]
    # States never among the best few at any degree cannot win a row.
    rank = np.argsort(np.argsort(costs, axis=1), axis=1)
    useful = np.flatnonzero(np.any(rank < STATES_KEPT_PER_DEGREE, axis=0))
    return (np.array(state_selection)[useful], [state_triple[i] for i in useful],
            costs[:, useful])


class BandCover:
    """Covers of a run of degrees by rows: one state per degree, kept for at
    least MIN_ROW_DEGREES, a new row only with a different selection.

    costs[degree, state] are the costs of the run's degrees in order. Row
    counts are table rows: the run starts with first_count of them, and a row
    that starts at free_position costs no extra table row (the table would
    split the row running through that position anyway)."""

    def __init__(self, costs, state_selection, first_count=1, free_position=None):
        self.order = np.argsort(state_selection, kind="stable")
        self.costs = costs[:, self.order]
        self.first_count = first_count
        self.free_position = free_position
        selection = state_selection[self.order]
        new_group = np.r_[True, selection[1:] != selection[:-1]]
        self.group_starts = np.flatnonzero(new_group)
        self.group_of_state = np.cumsum(new_group) - 1

    def _sweep(self, max_rows, on_step=None):
        """Least cost by row age (1 .. MIN_ROW_DEGREES, the last meaning at
        least that), row count 0..max_rows and final state."""
        mature = MIN_ROW_DEGREES - 1
        best = np.full((MIN_ROW_DEGREES, max_rows + 1, self.costs.shape[1]), np.inf)
        best[0, self.first_count] = self.costs[0]
        counts = np.arange(max_rows + 1)
        for degree in range(1, self.costs.shape[0]):
            ready = best[mature]
            group_min = np.minimum.reduceat(ready, self.group_starts, axis=1)
            ranked = np.argsort(group_min, axis=1)[:, :2]
            first, second = ranked[:, 0], ranked[:, 1]
            in_first = self.group_of_state[None, :] == first[:, None]
            other = np.where(in_first, group_min[counts, second][:, None],
                             group_min[counts, first][:, None])
            following = np.empty_like(best)
            following[0] = np.inf
            if degree == self.free_position:
                following[0] = other
            else:
                following[0, 1:] = other[:-1]
            following[1:mature] = best[0:mature - 1]
            from_younger = best[mature - 1] < best[mature]
            following[mature] = np.minimum(best[mature - 1], best[mature])
            if on_step is not None:
                on_step(degree, ready, group_min, first, second, from_younger)
            best = following + self.costs[degree][None, None, :]
        return best[mature]

    def least_costs(self, max_rows):
        return self._sweep(max_rows).min(axis=1)

    def rows(self, row_count):
        """(run position, state) of the first degree of each row."""
        degrees, states = self.costs.shape
        from_younger = np.zeros((degrees, row_count + 1, states), dtype=bool)
        leaders = np.zeros((degrees, row_count + 1, 2), dtype=np.int64)
        groups = np.zeros((degrees, row_count + 1, 2), dtype=np.int64)

        def record(degree, ready, group_min, first, second, younger):
            from_younger[degree] = younger
            groups[degree, :, 0], groups[degree, :, 1] = first, second
            for slot, group in enumerate((first, second)):
                # The cheapest mature state of that selection per row count.
                member = self.group_of_state[None, :] == group[:, None]
                at_min = member & (ready == group_min[np.arange(len(group)), group][:, None])
                leaders[degree, :, slot] = np.argmax(at_min, axis=1)

        final = self._sweep(row_count, record)
        state = int(np.argmin(final[row_count]))
        age, count = MIN_ROW_DEGREES - 1, row_count
        chosen = []
        for degree in range(degrees - 1, -1, -1):
            chosen.append(state)
            if degree == 0:
                break
            if age == 0:
                if degree != self.free_position:
                    count -= 1
                slot = 1 if groups[degree, count, 0] == self.group_of_state[state] else 0
                state = int(leaders[degree, count, slot])
                age = MIN_ROW_DEGREES - 1
            elif age < MIN_ROW_DEGREES - 1 or from_younger[degree, count, state]:
                age -= 1
        chosen.reverse()
        return [(degree, int(self.order[state])) for degree, state in enumerate(chosen)
                if degree == 0 or state != chosen[degree - 1]]


def share_rows(band_totals, required):
    """Row count per band with the least total cost for the required total."""
    least = np.full(required + 1, np.inf)
    least[0] = 0.0
    choices = []
    for totals in band_totals:
        totals = np.where(totals >= INADMISSIBLE, np.inf, totals)
        following = np.full(required + 1, np.inf)
        choice = np.zeros(required + 1, dtype=np.int64)
        for k in range(1, len(totals)):
            trial = np.full(required + 1, np.inf)
            trial[k:] = least[:required + 1 - k] + totals[k]
            better = trial < following
            following[better] = trial[better]
            choice[better] = k
        least = following
        choices.append(choice)
    if not np.isfinite(least[required]):
        raise RuntimeError("no admissible sharing of rows among the bands")
    counts = []
    used = required
    for choice in reversed(choices):
        counts.append(int(choice[used]))
        used -= counts[-1]
    return counts[::-1]


def band_middle_latitude(band):
    first = BAND_STARTS[band]
    last = BAND_STARTS[band + 1] - 1
    return 89.0 - (first + last) / 2.0


def signed_row(sky, lha_start, members, triple):
    """Stars in order of azimuth at the row's first degree, marked negative."""
    ordered = sorted(members, key=lambda s: sky.azimuth[lha_start, s])
    return [-(s + 1) if s in triple else s + 1 for s in ordered]


def cut_degree(costs):
    """Where a band's cycle of LHA is best cut open: the degree that the
    fewest states can run into from the degree before."""
    admissible = costs < INADMISSIBLE
    carried = np.sum(admissible & np.roll(admissible, 1, axis=0), axis=1)
    return int(np.argmin(carried))


def cover_cost(costs, rows):
    """Total cost of rows given as (run position, state) over a cost run."""
    ends = [position for position, _ in rows[1:]] + [costs.shape[0]]
    return sum(costs[start:end, state].sum() for (start, state), end in zip(rows, ends))


def band_rows(sky, selections, state_selection, state_triple, costs, first_degree):
    """Row counts and a row maker for one band. A band without fixed rows is
    treated as the cycle it is: the run starts at a natural change of
    selection and the row that runs through LHA 0 becomes two table rows,
    so that no selection changes merely because 359 turns into 0."""
    if first_degree > 0:
        cut, run = first_degree, np.arange(first_degree, DEGREES)
        cover_arguments = ()
    else:
        cut = cut_degree(costs)
        run = np.r_[np.arange(cut, DEGREES), np.arange(0, cut)]
        cover_arguments = (2, DEGREES - cut) if cut else ()
    run_costs = costs[run]
    least = BandCover(run_costs, state_selection, *cover_arguments).least_costs(MAX_ROWS_PER_BAND)

    def seam_rows(row_count):
        """Rows of the run; in a cycle the run's last row must not carry on
        the selection of its first, or the two would be one row."""
        trial_costs = run_costs.copy()
        while True:
            rows = BandCover(trial_costs, state_selection, *cover_arguments).rows(row_count)
            seam = state_selection[rows[0][1]]
            if first_degree > 0 or state_selection[rows[-1][1]] != seam:
                return rows
            # Keep the selection on one side of the seam, whichever is cheaper.
            options = []
            for position in (0, len(run) - 1):
                option = trial_costs.copy()
                option[position, state_selection == seam] = np.inf
                option_rows = BandCover(option, state_selection, *cover_arguments).rows(row_count)
                options.append((cover_cost(option, option_rows), position, option))
            trial_costs = min(options, key=lambda o: (o[0], o[1]))[2]

    def make_rows(table_row_count):
        starts = [(int(run[position]), state) for position, state in seam_rows(table_row_count)]
        if first_degree == 0 and all(start != 0 for start, _ in starts):
            wrapping = [state for start, state in starts if start >= cut][-1]
            starts.append((0, wrapping))
        rows = []
        for start, state in sorted(starts):
            members = list(selections[state_selection[state]])
            rows.append((start, signed_row(sky, start, members, state_triple[state])))
        return rows

    return least, make_rows


def build_table(stars):
    bands = {}
    for band in range(BAND_COUNT):
        fixed = FIXED_ROWS.get(band, [])
        first_degree = FIXED_ROWS_END.get(band, 0)
        if first_degree >= DEGREES:
            continue
        sky = Sky(band_middle_latitude(band), stars)
        selections = candidate_selections(sky)
        # The generated rows must not continue the last fixed row.
        forbidden = {tuple(sorted(abs(s) - 1 for s in r)) for _, r in fixed[-1:]}
        state_selection, state_triple, costs = selection_states(sky, selections, forbidden)
        bands[band] = band_rows(sky, selections, state_selection, state_triple, costs,
                                first_degree)
        print(f"band {band:2d} lat {band_middle_latitude(band):6.1f}: "
              f"{len(selections)} selections, {len(state_triple)} states", file=sys.stderr)

    fixed_rows = sum(len(rows) for rows in FIXED_ROWS.values())
    counts = share_rows([least for least, _ in bands.values()], TOTAL_ROWS - fixed_rows)
    table = []
    for band in range(BAND_COUNT):
        rows = [(start, list(stars_)) for start, stars_ in FIXED_ROWS.get(band, [])]
        if band in bands:
            rows += bands[band][1](counts[list(bands).index(band)])
        table.append(rows)
    return table


def write_source(table, output):
    with open(output, "w", encoding="ascii") as out:
        out.write(
            "// Generated by tools/make_selected_stars.py; rerun the tool rather than\n"
            "// editing this file. The tool's header states the selection rule.\n\n"
            '#include "engine/places/SelectedStars.h"\n\n'
            "namespace navora {\n\n"
            "// bandStart = 89 - northernmost latitude of the band; firstRow is 1-based.\n"
            "const SelectedStarsBand kSelectedStarsBands[kSelectedStarsBandCount] = {\n")
        first_row = 1
        for band, rows in enumerate(table):
            north, south = 89 - BAND_STARTS[band], 89 - (BAND_STARTS[band + 1] - 1)
            latitudes = f"latitude {north}" if north == south else f"latitudes {north} to {south}"
            out.write(f"    {{{BAND_STARTS[band]}, {first_row}}},  // band {band}, "
                      f"{latitudes}, {len(rows)} rows\n")
            first_row += len(rows)
        out.write(f"    {{{BAND_STARTS[-1]}, {first_row}}},  // closes the last band\n")
        out.write("};\n\n"
                  "// lhaStart, seven star numbers (negative: best three-star fix), zero.\n"
                  "const SelectedStarsRow kSelectedStarsRows[kSelectedStarsRowCount] = {\n")
        for band, rows in enumerate(table):
            out.write(f"    // band {band}\n")
            for start, stars_ in rows:
                out.write(f"    {{{start}, {{{', '.join(str(s) for s in stars_)}}}, 0}},\n")
        out.write("    {360, {0, 0, 0, 0, 0, 0, 0}, 0},  // closes the last row\n"
                  "};\n\n}  // namespace navora\n")
    return first_row - 1


def main():
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_OUTPUT
    table = build_table(read_stars())
    rows = write_source(table, output)
    if rows != TOTAL_ROWS:
        raise RuntimeError(f"{rows} rows written, {TOTAL_ROWS} required")
    for band, band_rows in enumerate(table):
        print(f"band {band:2d}: {len(band_rows)} rows", file=sys.stderr)


if __name__ == "__main__":
    main()
