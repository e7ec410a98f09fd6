#!/usr/bin/env python3
"""Writes the sample editions' tables as CSV files beside this script.

Every industry, sector, code and figure here is made up: the goods are invented words, each
definition starts with "Sample data." / "Données d'exemple.", and the figures only look like
real benchmarks. The build converts the committed CSV files into the sample databases; run this
script again only to change the sample data (same seeds, same files):

    python3 data/editions/make_sample_csv.py

CSV format: UTF-8, LF line ends, RFC 4180 quoting, header = column names, an empty unquoted
field = Null, plain decimals.
"""

import csv
import math
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))

SHARED = ["Industry", "SIC", "IndustryDescriptionE", "IndustryDescriptionF",
          "DEFINITIONSE", "DEFINITIONSF", "Category"]

# One-year ratios: stem, Q3 column spelling, median range, spread range, floor (None: may be
# negative), ceiling of Q3. The first nine are percentages, the other six plain ratios.
ONE_YEAR_RATIOS = [
    ("Npm", "NPMQ3", (-1.0, 8.0), (1.0, 5.0), None, None),
    ("Ppm", "PpmQ3", (0.0, 10.0), (1.0, 6.0), None, None),
    ("Opm", "OpmQ3", (1.0, 12.0), (1.5, 6.0), None, None),
    ("Gpm", "GpmQ3", (12.0, 55.0), (4.0, 14.0), None, None),
    ("Orttnoa", "OrttnoaQ3", (120.0, 600.0), (30.0, 160.0), None, None),
    ("Rnoa", "RnoaQ3", (2.0, 20.0), (2.0, 9.0), None, None),
    ("Ppa", "PpaQ3", (0.0, 12.0), (1.0, 6.0), None, None),
    ("Rce", "RceQ3", (2.0, 18.0), (2.0, 8.0), None, None),
    ("Re", "ReQ3", (2.0, 25.0), (3.0, 12.0), None, None),
    ("Rt", "RtQ3", (4.0, 15.0), (1.0, 5.0), 0.5, None),
    ("It", "ItQ3", (2.0, 12.0), (0.8, 4.0), 0.3, None),
    ("Wc", "WcQ3", (0.9, 2.2), (0.2, 0.7), 0.2, None),
    ("De", "DeQ3", (0.3, 2.5), (0.2, 1.2), 0.05, None),
    ("Lta", "LtaQ3", (0.4, 0.75), (0.05, 0.2), 0.1, 0.98),
    ("Ic", "IcQ3", (1.5, 8.0), (0.6, 4.0), 0.2, None),
]
PERCENT_STEMS = {"Npm", "Ppm", "Opm", "Gpm", "Orttnoa", "Rnoa", "Ppa", "Rce", "Re"}

# Three-year ratios reuse the ranges of the matching one-year ratio.
THREE_YEAR_RATIOS = [("NPM", "Npm"), ("PPM", "Ppm"), ("GPM", "Gpm"), ("PPA", "Ppa"),
                     ("ROE", "Re"), ("LTA", "Lta")]

BALANCE_SHEET = ["A11", "A12", "A13", "A18", "A19", "TOTOA", "A14", "A151617", "TOTASS",
                 "A22", "A25100", "A25200", "A25500", "A25400", "A25180", "A24", "A2329", "A27",
                 "TOTLIAB", "A31", "A38", "A283334", "TOTSE", "TOTLSE", "CURASS", "CURLIAB"]

# Invented goods: English singular and plural, French plural.
GOODS = [
    ("Widget", "Widgets", "widgets"), ("Gizmo", "Gizmos", "gizmos"),
    ("Doodad", "Doodads", "bidules"), ("Whatsit", "Whatsits", "machins"),
    ("Zorble", "Zorbles", "zorbles"), ("Flimflam", "Flimflams", "flimflams"),
    ("Quibble", "Quibbles", "quibbles"), ("Wobbler", "Wobblers", "wobblers"),
    ("Gubbins", "Gubbins", "gubbins"), ("Sprangle", "Sprangles", "sprangles"),
    ("Fizzler", "Fizzlers", "fizzlers"), ("Twiddle", "Twiddles", "twiddles"),
    ("Ozzle", "Ozzles", "ozzles"), ("Umbril", "Umbrils", "umbrils"),
    ("Blorp", "Blorps", "blorps"), ("Snicket", "Snickets", "snickets"),
    ("Thingamajig", "Thingamajigs", "trucmuches"), ("Oddment", "Oddments", "oddments"),
]

# Sectors: English name, French name, English and French name patterns ({one}: singular,
# {G}: plural, {g}: French plural, {de}: "de " or "d'"), English and French definition phrases.
SECTORS = {
    "MAN": ("Manufacturing", "Fabrication", "{one} manufacturing", "Fabrication {de}{g}",
            "make {g}", "fabriquent des {g}"),
    "WHO": ("Wholesale trade", "Commerce de gros", "{one} wholesalers", "Grossistes en {g}",
            "sell {g} at wholesale", "vendent des {g} en gros"),
    "RET": ("Retail trade", "Commerce de détail", "{one} stores", "Magasins {de}{g}",
            "sell {g} at retail", "vendent des {g} au détail"),
    "REP": ("Repair and maintenance", "Réparation et entretien", "{one} repair shops",
            "Ateliers de réparation {de}{g}", "repair {g}", "réparent des {g}"),
    "KID": ("Children's goods and services", "Biens et services pour l'enfance",
            "{G} for children", "{Gfr} pour enfants", "provide {g} to children",
            "fournissent des {g} aux enfants"),
    "REN": ("Rental and leasing", "Location et location à bail", "{one} rental",
            "Location {de}{g}", "rent out {g}", "louent des {g}"),
}

EDITIONS = [
    # file stem, kind, seed, industries, sectors (code letter -> sector key), stored order
    ("kiv_vol1", "one", 1101, 24, [("A", "MAN"), ("B", "WHO"), ("C", "RET"), ("D", "KID")]),
    ("kiv_vol2", "one", 1202, 22, [("A", "MAN"), ("B", "RET"), ("C", "REP")]),
    ("kiv_vol3", "three", 1303, 21, [("A", "MAN"), ("B", "RET"), ("C", "KID")]),
    ("kiv_ON", "three", 1404, 22, [("A", "MAN"), ("B", "WHO"), ("C", "REN"), ("D", "REP")]),
    ("KIV_OTHER_Sample", "three", 1505, 20, [("A", "RET"), ("B", "REP"), ("C", "KID")]),
]


def fmt(x):
    """A plain decimal: no exponent, no trailing zeros, never "-0"."""
    s = "%.2f" % x
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


class Stream:
    def __init__(self, seed):
        self.r = random.Random(seed)

    def uniform(self, lo, hi):
        return lo + (hi - lo) * self.r.random()

    def below(self, n):
        return min(n - 1, int(self.r.random() * n))

    def chance(self, p):
        return self.r.random() < p

    def shuffle(self, items):
        for i in range(len(items) - 1, 0, -1):
            j = self.below(i + 1)
            items[i], items[j] = items[j], items[i]


def french_de(word):
    return "d'" if word[0].lower() in "aeiouéh" else "de "


def names(goods, sector):
    one, many, fr_g = goods
    _, _, pat_en, pat_fr, _, _ = SECTORS[sector]
    en = pat_en.format(one=one, G=many)
    fr = pat_fr.format(de=french_de(fr_g), g=fr_g, Gfr=fr_g[0].upper() + fr_g[1:])
    return en, fr


def definitions(rng, goods, sector, thrice):
    one, many, fr_g = goods
    _, _, _, _, verb_en, verb_fr = SECTORS[sector]
    if thrice:
        en = ("Sample data. A %s store in this made-up group is a store with a storefront; "
              "each store sells mainly %s." % (one.lower(), many.lower()))
    else:
        en = "Sample data. A made-up group of firms that %s." % verb_en.format(g=many.lower())
        if rng.chance(0.5):
            en += " Its figures are invented for trying out the program."
    fr = "Données d'exemple. Groupe fictif d'entreprises qui %s." % verb_fr.format(g=fr_g)
    if rng.chance(0.5):
        fr += " Ses chiffres sont inventés pour essayer le programme."
    return en, fr


def sic_text(rng, base, form):
    if form == "na":
        return "not applicable"
    other = 1000 + (base * 7 + 31) % 9000
    return {
        "one": "%d" % base,
        "comma blank": "%d, %d" % (base, other),
        "blank": "%d %d" % (base, other),
        "five": "%d%d" % (base, rng.below(10)),
        "comma": "%d,%d" % (base, other),
    }[form]


def triple(rng, median_range, spread_range, floor, ceiling):
    med = rng.uniform(*median_range)
    lo = med - rng.uniform(*spread_range)
    hi = med + rng.uniform(*spread_range)
    if floor is not None:
        lo = max(lo, floor)
        med = max(med, lo)
    if ceiling is not None:
        hi = min(hi, ceiling)
        med = min(med, hi)
    q = sorted(round(v, 2) for v in (lo, med, hi))
    return q


def zero_median(rng, percent):
    lo = -round(rng.uniform(0.5, 3.0), 2)
    hi = round(rng.uniform(0.5, 5.0), 2)
    return [lo, 0.0, hi] if percent else [0.0, 0.0, round(abs(hi), 2)]


def split_hundredths(rng, total, weights):
    """Integers (hundredths) in proportion to the weights, summing exactly to total."""
    s = sum(weights)
    raw = [total * w / s for w in weights]
    parts = [int(math.floor(v)) for v in raw]
    rest = total - sum(parts)
    order = sorted(range(len(raw)), key=lambda i: raw[i] - parts[i], reverse=True)
    for i in order[:rest]:
        parts[i] += 1
    return parts


def balance_sheet(rng):
    # Assets: cash, receivables, inventory, capital assets, other assets, affiliates, portfolio.
    w = [rng.uniform(2, 12), rng.uniform(8, 25), rng.uniform(5, 30), rng.uniform(15, 45),
         rng.uniform(1, 8),
         rng.uniform(1, 10) if rng.chance(0.5) else 0.0,
         rng.uniform(1, 6) if rng.chance(0.4) else 0.0]
    a11, a12, a13, a18, a19, a14, a151617 = split_hundredths(rng, 10000, w)
    totoa = a11 + a12 + a13 + a18 + a19
    # Equity 15 % to 55 %; retained earnings negative in about one sheet in eight.
    totse = int(rng.uniform(1500, 5500))
    negative = rng.chance(0.125)
    if negative:
        a38 = -int(rng.uniform(100, 800))
        rest = totse - a38
        a31, a283334 = split_hundredths(rng, rest, [rng.uniform(5, 10), rng.uniform(0.5, 2)])
    else:
        a31, a38, a283334 = split_hundredths(rng, totse, [rng.uniform(2, 6), rng.uniform(4, 10),
                                                           rng.uniform(0.2, 2)])
    totliab = 10000 - totse
    lw = [rng.uniform(15, 35), rng.uniform(5, 20),
          rng.uniform(1, 5) if rng.chance(0.3) else 0.0,
          rng.uniform(5, 20),
          rng.uniform(2, 10) if rng.chance(0.35) else 0.0,
          rng.uniform(1, 8), rng.uniform(1, 10), rng.uniform(1, 8),
          rng.uniform(0.5, 4) if rng.chance(0.6) else 0.0]
    liab = split_hundredths(rng, totliab, lw)
    a22, a25100 = liab[0], liab[1]
    curass = a11 + a12 + a13 + int(a19 * rng.uniform(0, 0.5))
    curliab = min(totliab, a22 + a25100 + int(liab[2] + liab[5] * rng.uniform(0.2, 0.8)))
    values = dict(A11=a11, A12=a12, A13=a13, A18=a18, A19=a19, TOTOA=totoa, A14=a14,
                  A151617=a151617, TOTASS=10000,
                  A22=liab[0], A25100=liab[1], A25200=liab[2], A25500=liab[3], A25400=liab[4],
                  A25180=liab[5], A24=liab[6], A2329=liab[7], A27=liab[8], TOTLIAB=totliab,
                  A31=a31, A38=a38, A283334=a283334, TOTSE=totse, TOTLSE=10000,
                  CURASS=curass, CURLIAB=curliab)
    assert totoa + a14 + a151617 == 10000 and totliab + totse == 10000 and curass <= totoa
    return [values[c] / 100.0 for c in BALANCE_SHEET]


def one_year_columns():
    cols = []
    for stem, q3, *_ in ONE_YEAR_RATIOS:
        cols += [stem + "Q1", stem + "Q2", q3]
    return SHARED + ["NumberOfFirms"] + cols + BALANCE_SHEET


def three_year_columns():
    cols = []
    for prefix, _ in THREE_YEAR_RATIOS:
        for year in (1, 2, 3):
            cols += ["%sQ%d_%d" % (prefix, q, year) for q in (1, 2, 3)]
    return SHARED + cols


def one_year_figures(rng, zero_stem, all_zero_stem):
    out = []
    for stem, _, med, spread, floor, ceiling in ONE_YEAR_RATIOS:
        if stem == all_zero_stem:
            q = [0.0, 0.0, 0.0]
        elif stem == zero_stem:
            q = zero_median(rng, stem in PERCENT_STEMS)
        else:
            q = triple(rng, med, spread, floor, ceiling)
        out += q
    firms = int(round(math.exp(rng.uniform(math.log(20), math.log(2500)))))
    return [firms] + out + balance_sheet(rng)


def three_year_figures(rng, zero_prefix, all_zero_prefix):
    ranges = {r[0]: r for r in ONE_YEAR_RATIOS}
    out = []
    for prefix, stem in THREE_YEAR_RATIOS:
        _, _, med, spread, floor, ceiling = ranges[stem]
        centre = rng.uniform(*med)
        width = med[1] - med[0]
        for year in (1, 2, 3):
            if prefix == all_zero_prefix and year == 1:
                out += [0.0, 0.0, 0.0]
                continue
            if prefix == zero_prefix and year == 2:
                out += zero_median(rng, prefix != "LTA")
                continue
            centre = min(med[1], max(med[0], centre + rng.uniform(-0.08, 0.08) * width))
            out += triple(rng, (centre, centre), spread, floor, ceiling)
    return out


def make_edition(stem, kind, seed, count, sectors):
    rng = Stream(seed)
    combos = [(g, s) for g in range(len(GOODS)) for s in range(len(sectors))]
    rng.shuffle(combos)
    # Every sector gets an industry first, then the rest in shuffled order.
    chosen = []
    for s in range(len(sectors)):
        chosen.append(next(c for c in combos if c[1] == s))
    for c in combos:
        if len(chosen) == count:
            break
        if c not in chosen:
            chosen.append(c)
    chosen.sort(key=lambda c: (c[1], c[0]))

    forms = ["one"] * 14 + ["comma blank", "comma blank", "blank", "blank", "five", "comma"]
    bases = list(range(1000, 9999, 37))
    rng.shuffle(bases)
    rows = []
    running = {}
    for i, (g, s) in enumerate(chosen):
        letter, sector = sectors[s]
        running[s] = running.get(s, 0) + 1
        industry = (s + 1) * 100 + running[s]
        en, fr = names(GOODS[g], sector)
        def_en, def_fr = definitions(rng, GOODS[g], sector, thrice=(i == 2))
        form = "na" if i == count - 1 else forms[rng.below(len(forms))]
        if i < len(set(forms)):
            form = sorted(set(forms))[i]  # every form at least once
        sic = sic_text(rng, bases[i], form)
        rows.append([industry, sic, en, fr, def_en, def_fr, letter])

    # The texts a query built by joining would trip over.
    rows[1][2] = 'Makers of "smart" %s' % GOODS[chosen[1][0]][1].lower()
    rows[1][3] = 'Fabricants de %s "intelligents"' % GOODS[chosen[1][0]][2]
    rows[4][5] = None  # one French definition is missing
    rows[3][2] = "Collectors' " + rows[3][2][0].lower() + rows[3][2][1:]

    figures = []
    for i in range(len(rows)):
        if kind == "one":
            stems = [r[0] for r in ONE_YEAR_RATIOS]
            zero = stems[i % 9] if i % 5 == 0 else None
            all_zero = "Wc" if i == 7 else None
            figures.append(one_year_figures(rng, zero, all_zero))
        else:
            prefixes = [p for p, _ in THREE_YEAR_RATIOS]
            zero = prefixes[i % 5] if i % 4 == 0 else None
            all_zero = "GPM" if i == 6 else None
            figures.append(three_year_figures(rng, zero, all_zero))

    columns = one_year_columns() if kind == "one" else three_year_columns()
    order = list(range(len(rows)))
    rng.shuffle(order)  # stored order is not sorted by number or by name
    table = []
    for i in order:
        values = rows[i] + figures[i]
        out = []
        for col, v in zip(columns, values):
            if v is None:
                out.append("")
            elif isinstance(v, str):
                out.append(v)
            elif col in ("Industry", "NumberOfFirms"):
                out.append("%d" % v)
            else:
                out.append(fmt(v))
        table.append(out)

    write_csv(os.path.join(HERE, stem + ".KIV_DATA.csv"), columns, table)
    used = sorted({s for _, s in chosen}, key=lambda s: (s * 7 + seed) % 5)
    cats = [[sectors[s][0], SECTORS[sectors[s][1]][0], SECTORS[sectors[s][1]][1]] for s in used]
    write_csv(os.path.join(HERE, stem + ".Category.csv"), ["Category", "NameE", "NameF"], cats)


def write_csv(path, header, rows):
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n", quoting=csv.QUOTE_MINIMAL)
        w.writerow(header)
        for r in rows:
            w.writerow(r)


def main():
    for edition in EDITIONS:
        make_edition(*edition)


if __name__ == "__main__":
    main()
