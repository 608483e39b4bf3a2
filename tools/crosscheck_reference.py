#!/usr/bin/env python3
"""Cross-checks the shipped size data files against the public reference tables.

Usage: python3 tools/crosscheck_reference.py [--reference DIR] [--standards DIR] [--strict]

DIR defaults to ../shared/reference seen from the repository root. Each reference source is
used only when its files are present. For every standard, size and column that a reference
also tabulates, the script prints each difference as

    <family>/<kind>/<file>  <size>  <column>: ours X, <source> Y   [known: reason]

A difference is "known" when the list KNOWN below explains it (a defect of the reference, a
different edition, a limit where we use the nominal value ...). The summary counts the values
compared, the differences and the unexplained ones; --strict makes unexplained differences
an error (exit 1). Plain python3, no packages beyond the standard library.
"""

import argparse
import csv
import os
import re
import sys

FW = "FreeCAD_FastenersWB"
WH = "bd_warehouse"
BO = "BOLTS"

# ---------------------------------------------------------------------------------------------
# Reference readers: each returns {diameter: {column: value}}


def size_of(key):
    """Diameter of a reference size key (M10, (M14), M10-1.5, "M10"), or None for fine or
    inch sizes (M10x1, #4-40, 1/4-20)."""
    key = key.strip().strip('"').strip("()")
    m = re.fullmatch(r"M(\d+(?:\.\d+)?)(?:-(\d+(?:\.\d+)?))?", key)
    if not m:
        return None
    return float(m.group(1)), (float(m.group(2)) if m.group(2) else None)


def number(text):
    text = text.strip().strip('"')
    try:
        return float(text)
    except ValueError:
        return None


def read_fw(path):
    """FreeCAD_FastenersWB CSV: {table name: {diameter: {column: value}}}."""
    tables = {}
    names, header = [], None
    with open(path, newline="", encoding="utf-8") as f:
        for row in csv.reader(f):
            if not row or all(c.strip() == "" for c in row):
                names, header = [], None
                continue
            if len(row) == 1 and header is None:
                names.append(row[0].strip())
                continue
            if header is None:
                header = [c.strip() for c in row]
                for n in names or [os.path.basename(path)]:
                    tables.setdefault(n, {})
                continue
            s = size_of(row[0])
            if s is None:
                continue
            values = {header[i]: number(c) for i, c in enumerate(row) if i < len(header)}
            values[header[0]] = row[0].strip()
            for n in names or [os.path.basename(path)]:
                tables[n].setdefault(s[0], values)
    return tables


def read_wh(path):
    """bd_warehouse CSV: {standard: {diameter: {column: value}}}, first row with a value."""
    out = {}
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    header = [c.strip() for c in rows[0]]
    for row in rows[1:]:
        s = size_of(row[0]) if row else None
        if s is None:
            continue
        for i, c in enumerate(row[1:], 1):
            if i >= len(header) or ":" not in header[i]:
                continue
            std, col = header[i].split(":", 1)
            v = number(c)
            if v is None:
                continue
            out.setdefault(std, {}).setdefault(s[0], {}).setdefault(col.strip(), v)
    return out


def read_blt(path):
    """BOLTS .blt: {class id: {diameter: {column: value}}} from each class's first table."""
    out = {}
    anchors = {}
    cls, columns, reading, in_2d, target = None, None, False, False, None
    for line in open(path, encoding="utf-8"):
        s = line.strip()
        m = re.match(r"- id:\s*(\S+)", s)
        if m and line.startswith("  - id:"):
            cls, columns, reading, in_2d = m.group(1), None, False, False
            continue
        if s.startswith("tables2d:"):
            in_2d, reading = True, False
            continue
        if s.startswith("tables:"):
            in_2d = False
            continue
        if in_2d or cls is None:
            continue
        m = re.match(r"columns:\s*\[(.*)\]", s)
        if m and columns is None:
            columns = [c.strip().strip('"') for c in m.group(1).split(",")]
            continue
        m = re.match(r"data:\s*([&*]\w+)?", s)
        if m and columns is not None and cls not in out:
            ref = m.group(1)
            target = {}
            out[cls] = target
            if ref and ref.startswith("*"):
                out[cls] = dict(anchors.get(ref[1:], {}))
                reading = False
            else:
                if ref:
                    anchors[ref[1:]] = target
                reading = True
            continue
        if reading:
            m = re.match(r'"?([^":\s]+)"?\s*:\s*\[(.*)\]', s)
            if m:
                sz = size_of(m.group(1))
                if sz is None:
                    continue
                vals = [number(c) for c in m.group(2).split(",")]
                target[sz[0]] = dict(zip(columns, vals))
                for a, t in anchors.items():
                    if t is target:
                        anchors[a] = target
            elif s and not s.startswith("#"):
                reading = False
    return out


# ---------------------------------------------------------------------------------------------
# Our tables

def read_ours(path):
    """{diameter: [(size code, [v0, v1, ...])]} in file order."""
    out = {}
    for line in open(path, encoding="ascii", newline=""):
        line = line.rstrip("\r\n")
        if not line or line[0] in "#@" or "|" not in line:
            continue
        f = line.split("|")
        vals = [float(x) for x in f[1:-2]]
        out.setdefault(vals[0], []).append((f[0], vals))
    return out


def fmt(x):
    if x is None:
        return "-"
    return ("%.4f" % x).rstrip("0").rstrip(".")


# ---------------------------------------------------------------------------------------------
# What to compare: (family, kind, file) -> [(column label, our getter, source, reference getter)]
#
# our getter: index into the value array, or a function of the row's values.
# reference getter: (source label, loader key, table, column) where column may be a function of
# the reference row (and, for per-length columns, of our row too).

def col(name):
    return lambda r, v=None: r.get(name)


def mean(a, b):
    return lambda r, v=None: (r[a] + r[b]) / 2 if r.get(a) is not None and r.get(b) is not None \
        else None


def by_length(short, mid, long_):
    def get(r, v):
        l = v[1]
        return r.get(short) if l <= 125 else (r.get(mid) if l <= 200 else r.get(long_))
    return get


def fw(file, table, column):
    return (FW, file, table, column)


def wh(file, std, column):
    return (WH, file, std, column)


def bo(file, cls, column):
    return (BO, file, cls, column)


def pitch_index(kind, type_code):
    return {("Bolts", 3): 5, ("Bolts", 5): 2, ("SetScrews", 9): 7, ("Nuts", 6): 13,
            ("Nuts", 7): 10, ("Nuts", 8): 13, ("Nuts", 9): 7}.get(
        (kind, type_code), {"Bolts": 7, "Screws": 7, "SetScrews": 5, "Nuts": 5}.get(kind))


HEX_ISO = lambda f, t: [("s", 8, fw(f, t, col("s"))), ("k", 5, fw(f, t, col("k"))),
                        ("e", 4, fw(f, t, col("e"))), ("dw", 3, fw(f, t, col("dw")))]

COMPARE = {
    ("ISO", "Bolts", "ISO4014.tab"): HEX_ISO("iso4014head.csv", "ISO4014def") + [
        ("b", 6, fw("iso4014head.csv", "ISO4014def", by_length("b1", "b2", "b3"))),
        ("s", 8, wh("hex_head_parameters.csv", "iso4014", col("s"))),
        ("k", 5, wh("hex_head_parameters.csv", "iso4014", col("k"))),
        ("s", 8, bo("hex.blt", "hexbolt2", col("s"))),
        ("k", 5, bo("hex.blt", "hexbolt2", col("k"))),
        ("e", 4, bo("hex.blt", "hexbolt2", col("e"))),
        ("b", 6, bo("hex.blt", "hexbolt2", by_length("b1", "b2", "b3"))),
        ("l range", "range", fw("iso4014head.csv", "ISO4014range", ("Min_L", "Max_L"))),
        ("l range", "range", wh("hex_head_parameters.csv", "iso4014", ("short", "long")))],
    ("ISO", "Bolts", "ISO4017.tab"): HEX_ISO("iso4017head.csv", "ISO4017def") + [
        ("s", 8, wh("hex_head_parameters.csv", "iso4017", col("s"))),
        ("k", 5, wh("hex_head_parameters.csv", "iso4017", col("k"))),
        ("s", 8, bo("hex.blt", "hexscrew2", col("s"))),
        ("k", 5, bo("hex.blt", "hexscrew2", col("k"))),
        ("e", 4, bo("hex.blt", "hexscrew2", col("e"))),
        ("l range", "range", fw("iso4017head.csv", "ISO4017range", ("Min_L", "Max_L"))),
        ("l range", "range", wh("hex_head_parameters.csv", "iso4017", ("short", "long")))],
    ("DIN", "Bolts", "DIN931.tab"): [
        ("s", 8, bo("hex.blt", "hexbolt1", col("s"))),
        ("k", 5, bo("hex.blt", "hexbolt1", col("k"))),
        ("e", 4, bo("hex.blt", "hexbolt1", col("e"))),
        ("b", 6, bo("hex.blt", "hexbolt1", by_length("b1", "b2", "b3"))),
        ("s", 8, wh("hex_head_parameters.csv", "din931", col("s"))),
        ("k", 5, wh("hex_head_parameters.csv", "din931", col("k"))),
        ("l range", "range", wh("hex_head_parameters.csv", "din931", ("short", "long")))],
    ("DIN", "Bolts", "DIN933.tab"): HEX_ISO("din933def.csv", "DIN933def") + [
        ("s", 8, bo("hex.blt", "hexscrew1", col("s"))),
        ("k", 5, bo("hex.blt", "hexscrew1", col("k"))),
        ("e", 4, bo("hex.blt", "hexscrew1", col("e"))),
        ("l range", "range", fw("din933def.csv", "DIN933range", ("Min_L", "Max_L")))],
    ("ISO", "Bolts", "ISO4162.tab"): [
        ("s", 8, fw("iso4162def.csv", "ISO4162def", col("s_max"))),
        ("k", 9, fw("iso4162def.csv", "ISO4162def", col("k_max"))),
        ("c", 10, fw("iso4162def.csv", "ISO4162def", col("c_min"))),
        ("dc", 3, fw("iso4162def.csv", "ISO4162def", col("d_c_max"))),
        ("b0", 4, fw("iso4162def.csv", "ISO4162def", col("full_thread_max_len"))),
        ("s", 8, wh("hex_head_with_flange_parameters.csv", "din1662", col("s"))),
        ("k", 9, wh("hex_head_with_flange_parameters.csv", "din1662", col("k"))),
        ("c", 10, wh("hex_head_with_flange_parameters.csv", "din1662", col("c"))),
        ("dc", 3, wh("hex_head_with_flange_parameters.csv", "din1662", col("dc"))),
        ("l range", "range", fw("iso4162def.csv", "ISO4162range", ("Min_L", "Max_L")))],
    ("DIN", "Bolts", "EN1665.tab"): [
        ("s", 8, fw("en1665def.csv", "EN1665def", col("s"))),
        ("k", 9, fw("en1665def.csv", "EN1665def", col("k"))),
        ("c", 10, fw("en1665def.csv", "EN1665def", col("c"))),
        ("dc", 3, fw("en1665def.csv", "EN1665def", col("dc"))),
        ("b0", 4, fw("en1665def.csv", "EN1665def", col("b0"))),
        ("s", 8, wh("hex_head_with_flange_parameters.csv", "din1665", col("s"))),
        ("k", 9, wh("hex_head_with_flange_parameters.csv", "din1665", col("k"))),
        ("l range", "range", wh("hex_head_with_flange_parameters.csv", "din1665",
                                ("short", "long")))],
    ("ISO", "Bolts", "ISO2342.tab"): [
        ("n", 3, fw("iso2342.csv", "ISO2342def", col("n_nom"))),
        ("t", 4, fw("iso2342.csv", "ISO2342def", mean("t_min", "t_max"))),
        ("b", lambda v: v[1] - v[2] if v[2] > 0 else None,
         fw("iso2342.csv", "ISO2342def", col("b"))),
        ("l range", "range", fw("iso2342.csv", "ISO2342range", ("Min_L", "Max_L")))],
    ("DIN", "Bolts", "DIN478.tab"): [
        ("s", 4, fw("din478def.csv", "DIN478def", col("s"))),
        ("e", 3, fw("din478def.csv", "DIN478def", col("e"))),
        ("k", 5, fw("din478def.csv", "DIN478def", col("k"))),
        ("dc", 8, fw("din478def.csv", "DIN478def", col("dc"))),
        ("c", 9, fw("din478def.csv", "DIN478def", col("c"))),
        ("b", 6, fw("din478def.csv", "DIN478def", by_length("b1", "b2", "b2"))),
        ("l range", "range", fw("din478def.csv", "DIN478range", ("Min_L", "Max_L")))],
    ("DIN", "Bolts", "DIN603.tab"): [
        ("dk", 8, fw("din603def.csv", "DIN603def", mean("dk_max", "dk_min"))),
        ("k", 5, fw("din603def.csv", "DIN603def", mean("k_max", "k_min"))),
        ("f", 11, fw("din603def.csv", "DIN603def", mean("f_max", "f_min"))),
        ("v", 9, fw("din603def.csv", "DIN603def", mean("v_max", "v_min"))),
        ("b", 3, fw("din603def.csv", "DIN603def", by_length("b1", "b2", "b3"))),
        ("l range", "range", fw("din603def.csv", "DIN603range", ("Min_L", "Max_L")))],
    ("ISO", "Screws", "ISO4762.tab"): [
        ("dk", 3, fw("iso4762def.csv", "ISO4762def", col("dk_max"))),
        ("k", 5, fw("iso4762def.csv", "ISO4762def", col("k"))),
        ("s", 8, fw("iso4762def.csv", "ISO4762def", col("s_mean"))),
        ("t", 10, fw("iso4762def.csv", "ISO4762def", col("t"))),
        ("b", 4, fw("iso4762def.csv", "ISO4762def", col("b"))),
        ("v", 6, fw("iso4762def.csv", "ISO4762def", col("v"))),
        ("dk", 3, wh("socket_head_cap_parameters.csv", "iso4762", col("dk"))),
        ("k", 5, wh("socket_head_cap_parameters.csv", "iso4762", col("k"))),
        ("s", 8, wh("socket_head_cap_parameters.csv", "iso4762", col("s"))),
        ("t", 10, wh("socket_head_cap_parameters.csv", "iso4762", col("t"))),
        ("dk", 3, bo("hex_socket.blt", "hexsocketheadcap", col("d2"))),
        ("k", 5, bo("hex_socket.blt", "hexsocketheadcap", col("k"))),
        ("s", 8, bo("hex_socket.blt", "hexsocketheadcap", col("s"))),
        ("t", 10, bo("hex_socket.blt", "hexsocketheadcap", col("t_min"))),
        ("l range", "range", fw("iso4762def.csv", "ISO4762range", ("Min_L", "Max_L"))),
        ("l range", "range", wh("socket_head_cap_parameters.csv", "iso4762", ("short", "long")))],
    ("DIN", "Screws", "DIN912.tab"): [
        ("dk", 3, bo("hex_socket.blt", "hexsocketheadcap", col("d2"))),
        ("k", 5, bo("hex_socket.blt", "hexsocketheadcap", col("k"))),
        ("s", 8, bo("hex_socket.blt", "hexsocketheadcap", col("s"))),
        ("t", 10, bo("hex_socket.blt", "hexsocketheadcap", col("t_min"))),
        ("b", 4, bo("hex_socket.blt", "hexsocketheadcap", col("b")))],
    ("ISO", "Screws", "ISO10642.tab"): [
        ("k", 5, fw("iso10642def.csv", "ISO10642def", col("csh_height"))),
        ("dk", 6, fw("iso10642def.csv", "ISO10642def", col("csh_diam"))),
        ("dk_th", 9, fw("iso10642def.csv", "ISO10642def", col("dk_theo"))),
        ("s", 8, fw("iso10642def.csv", "ISO10642def", col("s_mean"))),
        ("t", 10, fw("iso10642def.csv", "ISO10642def", col("t"))),
        ("l range", "range", fw("iso10642def.csv", "ISO10642range", ("Min_L", "Max_L")))],
    ("DIN", "Screws", "DIN7991.tab"): [
        ("dk", 6, wh("countersunk_head_parameters.csv", "iso10642", col("dk"))),
        ("k", 5, wh("countersunk_head_parameters.csv", "iso10642", col("k"))),
        ("s", 8, wh("countersunk_head_parameters.csv", "iso10642", col("s"))),
        ("t", 10, wh("countersunk_head_parameters.csv", "iso10642", col("t"))),
        ("a", 3, wh("countersunk_head_parameters.csv", "iso10642", col("a"))),
        ("dk", 6, bo("hex_socket.blt", "hexsocketcountersunk", col("d2"))),
        ("k", 5, bo("hex_socket.blt", "hexsocketcountersunk", col("k_max"))),
        ("s", 8, bo("hex_socket.blt", "hexsocketcountersunk", col("s"))),
        ("t", 10, bo("hex_socket.blt", "hexsocketcountersunk", col("t"))),
        ("l range", "range", wh("countersunk_head_parameters.csv", "iso10642",
                                ("short", "long")))],
    ("ISO", "Screws", "ISO7380.tab"): [
        ("dk", 3, fw("iso7380def.csv", "ISO7380-1def", col("dk"))),
        ("k", 5, fw("iso7380def.csv", "ISO7380-1def", col("k"))),
        ("s", 8, fw("iso7380def.csv", "ISO7380-1def", col("s_mean"))),
        ("t", 10, fw("iso7380def.csv", "ISO7380-1def", col("t_min"))),
        ("dk", 3, wh("button_head_parameters.csv", "iso7380_1", col("dk"))),
        ("k", 5, wh("button_head_parameters.csv", "iso7380_1", col("k"))),
        ("s", 8, wh("button_head_parameters.csv", "iso7380_1", col("s"))),
        ("t", 10, wh("button_head_parameters.csv", "iso7380_1", col("t"))),
        ("l range", "range", fw("iso7380def.csv", "ISO7380-1range", ("Min_L", "Max_L")))],
    ("ISO", "Screws", "ISO1207.tab"): [
        ("dk", 3, fw("iso1207def.csv", "ISO1207def", col("dk"))),
        ("k", 5, fw("iso1207def.csv", "ISO1207def", col("k"))),
        ("n", 10, fw("iso1207def.csv", "ISO1207def", col("n_min"))),
        ("t", 11, fw("iso1207def.csv", "ISO1207def", col("t_min"))),
        ("dk", 3, wh("cheese_head_parameters.csv", "iso1207", col("dk"))),
        ("k", 5, wh("cheese_head_parameters.csv", "iso1207", col("k"))),
        ("n", 10, wh("cheese_head_parameters.csv", "iso1207", col("n"))),
        ("t", 11, wh("cheese_head_parameters.csv", "iso1207", col("t"))),
        ("l range", "range", fw("iso1207def.csv", "ISO1207range", ("Min_L", "Max_L")))],
    ("DIN", "Screws", "DIN84.tab"): [
        ("dk", 3, fw("DIN84def.csv", "DIN84def", col("dk"))),
        ("k", 5, fw("DIN84def.csv", "DIN84def", col("k"))),
        ("n", 10, fw("DIN84def.csv", "DIN84def", col("n_min"))),
        ("t", 11, fw("DIN84def.csv", "DIN84def", col("t_min"))),
        ("l range", "range", fw("DIN84def.csv", "DIN84range", ("Min_L", "Max_L")))],
    ("ISO", "Screws", "ISO2009.tab"): [
        ("dk", 6, fw("iso2009def.csv", "ISO2009def", col("csh_diam"))),
        ("k", 5, fw("iso2009def.csv", "ISO2009def", col("csh_height"))),
        ("n", 8, fw("iso2009def.csv", "ISO2009def", col("n_min"))),
        ("t", 9, fw("iso2009def.csv", "ISO2009def", col("t_mean"))),
        ("dk", 6, wh("countersunk_head_parameters.csv", "iso2009", col("dk"))),
        ("k", 5, wh("countersunk_head_parameters.csv", "iso2009", col("k"))),
        ("l range", "range", fw("iso2009def.csv", "ISO2009range", ("Min_L", "Max_L")))],
    ("ISO", "Screws", "ISO2010.tab"): [
        ("dk", 6, fw("iso2009def.csv", "ISO2010def", col("csh_diam"))),
        ("k", 5, fw("iso2009def.csv", "ISO2010def", col("csh_height"))),
        ("rf", 8, fw("Raised_countersunk_def.csv", "Raised_countersunk_def.csv", col("rf"))),
        ("t", 9, fw("Raised_countersunk_def.csv", "Raised_countersunk_def.csv", col("t_mean"))),
        ("dk", 6, wh("raised_countersunk_oval_head_parameters.csv", "iso2010", col("dk"))),
        ("k", 5, wh("raised_countersunk_oval_head_parameters.csv", "iso2010", col("k"))),
        ("rf", 8, wh("raised_countersunk_oval_head_parameters.csv", "iso2010", col("rf"))),
        ("t", 9, wh("raised_countersunk_oval_head_parameters.csv", "iso2010", col("t"))),
        ("l range", "range", fw("iso2009def.csv", "ISO2010range", ("Min_L", "Max_L")))],
}

for _r in ("Z", "H"):
    _m = "m" + _r
    COMPARE[("ISO", "Screws", "ISO7045%s.tab" % _r)] = [
        ("dk", 6, fw("iso7045def.csv", "ISO7045def", col("dk_max"))),
        ("k", 5, fw("iso7045def.csv", "ISO7045def", col("k"))),
        ("r", 10, fw("iso7045def.csv", "ISO7045def", col("r"))),
        ("no", 3, fw("iso7045def.csv", "ISO7045def", col("cT"))),
        ("m", 8, fw("iso7045def.csv", "ISO7045def", col(_m))),
        ("l range", "range", fw("iso7045def.csv", "ISO7045range", ("Min_L", "Max_L")))]
    COMPARE[("ISO", "Screws", "ISO7046%s.tab" % _r)] = [
        ("dk", 6, fw("iso2009def.csv", "ISO7046def", col("csh_diam"))),
        ("k", 5, fw("iso2009def.csv", "ISO7046def", col("csh_height"))),
        ("m", 8, fw("iso7046def.csv", "ISO7046extra", col(_m))),
        ("no", 10, fw("iso7046def.csv", "ISO7046extra", col("cT"))),
        ("dk", 6, wh("countersunk_head_parameters.csv", "iso7046", col("dk"))),
        ("k", 5, wh("countersunk_head_parameters.csv", "iso7046", col("k"))),
        ("l range", "range", fw("iso2009def.csv", "ISO7046range", ("Min_L", "Max_L")))]
    COMPARE[("ISO", "Screws", "ISO7047%s.tab" % _r)] = [
        ("dk", 6, fw("iso2009def.csv", "ISO7047def", col("csh_diam"))),
        ("k", 5, fw("iso2009def.csv", "ISO7047def", col("csh_height"))),
        ("m", 8, fw("Raised_countersunk_def.csv", "Raised_countersunk_def.csv", col(_m))),
        ("no", 10, fw("Raised_countersunk_def.csv", "Raised_countersunk_def.csv",
                      col("cT"))),
        ("dk", 6, wh("raised_countersunk_oval_head_parameters.csv", "iso7047", col("dk"))),
        ("k", 5, wh("raised_countersunk_oval_head_parameters.csv", "iso7047", col("k"))),
        ("l range", "range", fw("iso2009def.csv", "ISO7047range", ("Min_L", "Max_L")))]

for _fam, _names in (("ISO", ("ISO4026", "ISO4028", "ISO4027", "ISO4029")),
                     ("DIN", ("DIN913", "DIN915", "DIN914", "DIN916"))):
    _flat, _dog, _cone, _cup = _names
    _common = [("s", 4, fw("iso4026def.csv", "ISO4026def", col("s")))]
    COMPARE[(_fam, "SetScrews", _flat + ".tab")] = _common + [
        ("dp", 2, fw("iso4026def.csv", "ISO4026def", col("dp"))),
        ("t", 6, fw("iso4026def.csv", "ISO4026def", col("t"))),
        ("s", 4, wh("setscrew_parameters.csv", "iso4026", col("s"))),
        ("t", 6, wh("setscrew_parameters.csv", "iso4026", col("t"))),
        ("dp", 2, bo("hex_socket.blt", "hexsocketsetscrewflat", col("d1"))),
        ("l range", "range", fw("iso4026def.csv", "ISO4026range", ("Min_L", "Max_L")))]
    COMPARE[(_fam, "SetScrews", _dog + ".tab")] = [
        ("s", 4, fw("iso4028def.csv", "ISO4028def", col("s_nom"))),
        ("dp", 2, fw("iso4028def.csv", "ISO4028def", col("d_p_max"))),
        ("t", 6, fw("iso4028def.csv", "ISO4028def",
                    lambda r, v: r["td_min"] if v[6] < r["te_min"] else r["te_min"])),
        ("z", 8, fw("iso4028def.csv", "ISO4028def",
                    lambda r, v: r["z_short_min"] if v[8] < r["z_long_min"] else r["z_long_min"])),
        ("l range", "range", fw("iso4028def.csv", "ISO4028range", ("Min_L", "Max_L")))]
    COMPARE[(_fam, "SetScrews", _cone + ".tab")] = _common + [
        ("dt", 2, fw("iso4026def.csv", "ISO4027def", col("dt"))),
        ("dt", 2, bo("hex_socket.blt", "hexsocketsetscrewcone", col("d1")))]
    COMPARE[(_fam, "SetScrews", _cup + ".tab")] = _common + [
        ("dz", 2, fw("iso4026def.csv", "ISO4029def", col("dp"))),
        ("dz", 2, bo("hex_socket.blt", "hexsocketsetscrewcup", col("d1")))]

for _fam, _names in (("ISO", ("ISO4766", "ISO7435", "ISO7434", "ISO7436")),
                     ("DIN", ("DIN551", "DIN417", "DIN553", "DIN438"))):
    _flat, _dog, _cone, _cup = _names
    COMPARE[(_fam, "SetScrews", _flat + ".tab")] = [
        ("dp", 2, fw("iso4766def.csv", "ISO4766def", col("dp_max"))),
        ("n", 3, fw("iso4766def.csv", "ISO4766def", col("n_nom"))),
        ("t", 4, fw("iso4766def.csv", "ISO4766def", mean("t_nom_min", "t_max"))),
        ("l range", "range", fw("iso4766def.csv", "ISO4766range", ("Min_L", "Max_L")))]
    COMPARE[(_fam, "SetScrews", _dog + ".tab")] = [
        ("dp", 2, fw("iso7435def.csv", "ISO7435def", col("dp_max"))),
        ("n", 3, fw("iso7435def.csv", "ISO7435def", col("n_nom"))),
        ("t", 4, fw("iso7435def.csv", "ISO7435def", mean("t _min", "t_max"))),
        ("z", 7, fw("iso7435def.csv", "ISO7435def", col("z_min"))),
        ("l range", "range", fw("iso7435def.csv", "ISO7435range", ("Min_L", "Max_L")))]
    COMPARE[(_fam, "SetScrews", _cone + ".tab")] = [
        ("dt", 2, fw("iso7434def.csv", "ISO7434def", col("dt_max"))),
        ("n", 3, fw("iso7434def.csv", "ISO7434def", col("n_nom"))),
        ("t", 4, fw("iso7434def.csv", "ISO7434def", mean("t_nom_min", "t_max"))),
        ("l range", "range", fw("iso7434def.csv", "ISO7434range", ("Min_L", "Max_L")))]
    COMPARE[(_fam, "SetScrews", _cup + ".tab")] = [
        ("dz", 2, fw("iso7436def.csv", "ISO7436def", col("dz_max"))),
        ("n", 3, fw("iso7436def.csv", "ISO7436def", col("n_nom"))),
        ("t", 4, fw("iso7436def.csv", "ISO7436def", mean("t_min", "t_max"))),
        ("l range", "range", fw("iso7436def.csv", "ISO7436range", ("Min_L", "Max_L")))]

COMPARE.update({
    ("ISO", "Washers", "ISO7089.tab"): [
        ("d1", 2, fw("iso7089def.csv", "ISO7089def", col("d1_min"))),
        ("d2", 3, fw("iso7089def.csv", "ISO7089def", col("d2_max"))),
        ("h", 4, fw("iso7089def.csv", "ISO7089def", col("h"))),
        ("d1", 2, wh("plain_washer_parameters.csv", "iso7089", col("d1"))),
        ("d2", 3, wh("plain_washer_parameters.csv", "iso7089", col("d2"))),
        ("h", 4, wh("plain_washer_parameters.csv", "iso7089", col("h"))),
        ("d1", 2, bo("washer.blt", "plainwasher1", col("d1"))),
        ("d2", 3, bo("washer.blt", "plainwasher1", col("d2"))),
        ("h", 4, bo("washer.blt", "plainwasher1", col("s")))],
    ("ISO", "Washers", "ISO7091.tab"): [
        ("d1", 2, fw("iso7091def.csv", "ISO7091def", col("d1_min"))),
        ("d2", 3, fw("iso7091def.csv", "ISO7091def", col("d2_max"))),
        ("h", 4, fw("iso7091def.csv", "ISO7091def", col("h"))),
        ("d1", 2, wh("plain_washer_parameters.csv", "iso7091", col("d1"))),
        ("d2", 3, wh("plain_washer_parameters.csv", "iso7091", col("d2"))),
        ("d1", 2, bo("washer.blt", "plainwasher2", col("d1"))),
        ("d2", 3, bo("washer.blt", "plainwasher2", col("d2"))),
        ("h", 4, bo("washer.blt", "plainwasher2", col("s")))],
    ("ISO", "Washers", "ISO7090.tab"): [
        ("d1", 2, fw("iso7090def.csv", "ISO7090def", col("d1_min"))),
        ("d2", 4, fw("iso7090def.csv", "ISO7090def", col("d2_max"))),
        ("h", 3, fw("iso7090def.csv", "ISO7090def", col("h"))),
        ("d1", 2, wh("chamfered_washer_parameters.csv", "iso7090", col("d1"))),
        ("d2", 4, wh("chamfered_washer_parameters.csv", "iso7090", col("d2")))],
    ("DIN", "Washers", "DIN125A.tab"): [
        ("d1", 2, bo("washer.blt", "plainwasher1", col("d1"))),
        ("d2", 3, bo("washer.blt", "plainwasher1", col("d2"))),
        ("h", 4, bo("washer.blt", "plainwasher1", col("s")))],
    ("DIN", "Washers", "DIN125B.tab"): [
        ("d1", 2, bo("washer.blt", "plainwasher1", col("d1"))),
        ("d2", 4, bo("washer.blt", "plainwasher1", col("d2"))),
        ("h", 3, bo("washer.blt", "plainwasher1", col("s")))],
    ("DIN", "Washers", "DIN440V.tab"): [
        ("a", 2, fw("iso7094def.csv", "ISO7094def", col("d1_min"))),
        ("d2", 3, fw("iso7094def.csv", "ISO7094def", col("d2_max"))),
        ("h", 4, fw("iso7094def.csv", "ISO7094def", col("h")))],
    ("ISO", "Nuts", "ISO4032.tab"): [
        ("s", 4, fw("iso4032def.csv", "ISO4032def", col("s_nom"))),
        ("m", 3, fw("iso4032def.csv", "ISO4032def", col("m"))),
        ("e", 2, fw("iso4032def.csv", "ISO4032def", col("e"))),
        ("s", 4, wh("hex_nut_parameters.csv", "iso4032", col("s"))),
        ("m", 3, wh("hex_nut_parameters.csv", "iso4032", col("m"))),
        ("s", 4, bo("nut.blt", "hexagonnut1", col("s"))),
        ("m", 3, bo("nut.blt", "hexagonnut1", col("m_max"))),
        ("e", 2, bo("nut.blt", "hexagonnut1", col("e_min")))],
    ("ISO", "Nuts", "ISO4035.tab"): [
        ("s", 4, fw("iso4035def.csv", "ISO4035def", col("s_nom"))),
        ("m", 3, fw("iso4035def.csv", "ISO4035def", col("m"))),
        ("e", 2, fw("iso4035def.csv", "ISO4035def", col("e"))),
        ("s", 4, wh("hex_nut_parameters.csv", "iso4035", col("s"))),
        ("m", 3, wh("hex_nut_parameters.csv", "iso4035", col("m"))),
        ("s", 4, bo("nut.blt", "hexagonthinnut1", col("s"))),
        ("m", 3, bo("nut.blt", "hexagonthinnut1", col("m_max")))],
    ("DIN", "Nuts", "DIN934.tab"): [
        ("s", 4, fw("DIN934.csv", "DIN934def", col("s_nom"))),
        ("m", 3, fw("DIN934.csv", "DIN934def", col("m"))),
        ("e", 2, fw("DIN934.csv", "DIN934def", col("e"))),
        ("s", 4, bo("nut.blt", "hexagonnut2", col("s"))),
        ("m", 3, bo("nut.blt", "hexagonnut2", col("m_max"))),
        ("e", 2, bo("nut.blt", "hexagonnut2", col("e_min")))],
    ("DIN", "Nuts", "DIN439B.tab"): [
        ("s", 4, bo("nut.blt", "hexagonthinnut2", col("s"))),
        ("m", 3, bo("nut.blt", "hexagonthinnut2", col("m_max"))),
        ("e", 2, bo("nut.blt", "hexagonthinnut2", col("e_min")))],
    ("DIN", "Nuts", "DIN935.tab"): [
        ("m", 1, fw("din935def.csv", "DIN935def", col("m"))),
        ("w", lambda v: v[6] if v[8] > 0 else 2 * v[1] - v[3],
         fw("din935def.csv", "DIN935def", col("w"))),
        ("s", 4, fw("din935def.csv", "DIN935def", col("s"))),
        ("n", 7, fw("din935def.csv", "DIN935def", col("n"))),
        ("de", 8, fw("din935def.csv", "DIN935def", lambda r, v=None: r.get("d_e_max") or 0)),
        ("ns", 9, fw("din935def.csv", "DIN935def", col("ns"))),
        ("P", 5, fw("din935def.csv", "DIN935def", col("P")))],
    ("ISO", "Nuts", "ISO7040.tab"): [
        ("h", 6, fw("iso7040def.csv", "ISO7040def", col("h_max"))),
        ("m", 3, fw("iso7040def.csv", "ISO7040def", col("m_min"))),
        ("s", 4, fw("iso7040def.csv", "ISO7040def", col("s_max"))),
        ("e", 2, fw("iso7040def.csv", "ISO7040def", col("e_min")))],
    ("ISO", "Nuts", "ISO10511.tab"): [
        ("h", 6, fw("iso10511def.csv", "ISO10511def", col("h_max"))),
        ("m", 3, fw("iso10511def.csv", "ISO10511def", col("m_min"))),
        ("s", 4, fw("iso10511def.csv", "ISO10511def", col("s_max"))),
        ("e", 2, fw("iso10511def.csv", "ISO10511def", col("e_min")))],
    ("DIN", "Nuts", "DIN985.tab"): [
        ("h", 6, fw("nyloc_def.csv", "DIN985def", col("h"))),
        ("m", 3, fw("nyloc_def.csv", "DIN985def", col("m"))),
        ("s", 4, fw("nyloc_def.csv", "DIN985def", col("s_nom"))),
        ("e", 2, fw("nyloc_def.csv", "DIN985def", col("e")))],
    ("DIN", "Nuts", "DIN557.tab"): [
        ("s", 2, fw("square_nut_def.csv", "DIN557def", col("s"))),
        ("m", 3, fw("square_nut_def.csv", "DIN557def", col("m"))),
        ("s", 2, wh("square_nut_parameters.csv", "din557", col("s"))),
        ("m", 3, wh("square_nut_parameters.csv", "din557", col("m")))],
    ("DIN", "Nuts", "DIN1587.tab"): [
        ("s", 4, fw("din1587def.csv", "DIN1587def", col("s"))),
        ("k", 3, fw("din1587def.csv", "DIN1587def", col("m"))),
        ("h", 9, fw("din1587def.csv", "DIN1587def", col("h"))),
        ("dk", 7, fw("din1587def.csv", "DIN1587def", col("dk"))),
        ("t", 6, fw("din1587def.csv", "DIN1587def", col("t"))),
        ("w", 10, fw("din1587def.csv", "DIN1587def", col("w"))),
        ("s", 4, wh("domed_cap_nut_parameters.csv", "din1587", col("s"))),
        ("k", 3, wh("domed_cap_nut_parameters.csv", "din1587", col("m"))),
        ("dk", 7, wh("domed_cap_nut_parameters.csv", "din1587", col("dk")))],
    ("DIN", "Nuts", "DIN917.tab"): [
        ("s", 4, fw("din917head.csv", "DIN917def", col("s"))),
        ("h", 8, fw("din917head.csv", "DIN917def", col("h"))),
        ("t", 3, fw("din917head.csv", "DIN917def", col("t"))),
        ("w", 6, fw("din917head.csv", "DIN917def", col("w")))],
})
COMPARE[("DIN", "Bolts", "DIN427.tab")] = COMPARE[("ISO", "Bolts", "ISO2342.tab")]

# ---------------------------------------------------------------------------------------------
# Differences that are right, with the reason. Key: (file, column, source); value: (sizes or
# None for every size, reason).

CSK_FILES = ["ISO2009.tab", "ISO2010.tab", "ISO7046Z.tab", "ISO7046H.tab", "ISO7047Z.tab",
             "ISO7047H.tab"]

KNOWN = [
    # Hexagon bolts and screws
    (("ISO4014.tab", "s", FW), [14], "ISO 4014 M14 s is 21; the reference keeps the old DIN 22 "
     "(a defect listed in the reference README)"),
    (("ISO4017.tab", "s", FW), [14], "ISO 4017 M14 s is 21; the reference keeps the old DIN 22"),
    (("ISO4017.tab", "s", FW), [3.5], "ISO 4017 M3.5 s is 6, as in ISO 4014; the reference "
     "has 5.5 (README defect)"),
    (("DIN933.tab", "s", FW), [3.5], "DIN 933 M3.5 s is 6; the reference has 5.5"),
    (("ISO4017.tab", "s", BO), [14, 22], "BOLTS ISO 4017 keeps the DIN widths 22 and 32; ISO "
     "has 21 and 34 (README defect)"),
    (("ISO4014.tab", "e", FW), None, "the reference rounds e; we carry the standard's e min "
     "(ISO 4014 M10 17.77); M14 24.5 belongs to the old DIN s 22"),
    (("ISO4017.tab", "e", FW), None, "the reference rounds e; we carry the standard's e min"),
    (("DIN933.tab", "e", FW), None, "the reference rounds e, and for M12 and M22 gives the ISO "
     "e although its s is the DIN 19 and 32; DIN 933 e min is 21.1 and 35.72"),
    (("ISO4014.tab", "e", BO), [10, 12, 14, 22], "BOLTS ISO 4014 e is the DIN 931 e of the "
     "DIN widths (README defect)"),
    (("ISO4017.tab", "e", BO), [10, 12, 14, 22], "BOLTS ISO 4017 e is copied from DIN 933 "
     "(README defect)"),
    ((None, "e", BO), [1.6], "BOLTS M1.6 e 3.48 is not the ISO / DIN e min 3.41"),
    ((None, "e", BO), [14, 27], "BOLTS rounds e min (23.35 / 45.29)"),
    ((None, "dw", FW), None, "the reference dw is a rounded modelling value (and for ISO 4017 "
     "and DIN 933 a different series); we carry the standard's dw min, the same for the "
     "partly and the fully threaded head"),
    (("ISO4014.tab", "k", WH), None, "bd_warehouse k is the maximum for these sizes; we carry "
     "the nominal k"),
    (("ISO4017.tab", "k", WH), None, "bd_warehouse k is the maximum (6.69 for M10, grade B); "
     "we carry the nominal k"),
    (("DIN931.tab", "s", WH), [1.6, 2, 2.5, 3.5], "bd_warehouse DIN 931 small sizes hold s min "
     "(README defect)"),
    (("ISO4014.tab", "l range", FW), None, "the reference ranges are not those of ISO 4014 "
     "(M10 35 to 150); ours follow the ISO 4014 table, as bd_warehouse does"),
    (("ISO4162.tab", "s", WH), [12], "the bd_warehouse column is EN 1662, whose M12 s is 16; "
     "ISO 4162 has 15"),
    (("ISO4162.tab", "k", WH), [6, 12, 16], "the bd_warehouse column is EN 1662; ISO 4162 k "
     "max differs by 0.1 to 0.2"),
    (("ISO2342.tab", "l range", FW), [4, 8], "14 is not in our length series; the range ends "
     "move to the next preferred length inside"),
    (("DIN427.tab", "l range", FW), [4, 8], "14 is not in our length series"),
    (("DIN478.tab", "b", FW), [20], "the rule gives b = 2d + 6 = 46 for M20; the reference "
     "has 45"),
    # Socket screws
    (("ISO4762.tab", "s", FW), None, "the reference s_mean is the mean socket size (8.07 for "
     "M10); we carry the nominal s"),
    (("ISO10642.tab", "s", FW), None, "the reference s_mean is the mean socket size"),
    (("ISO7380.tab", "s", FW), None, "the reference s_mean is the mean socket size"),
    (("ISO4762.tab", "dk", WH), None, "bd_warehouse dk is the max of a knurled head (16.27); "
     "we carry the plain head dk (16)"),
    (("ISO4762.tab", "v", FW), [24, 30, 36], "ISO 4762 v max is 0.1 d (2.4, 3, 3.6); the "
     "reference shifts the last values by one size"),
    (("ISO4762.tab", "l range", FW), [20], "the reference M20 range 16 to 100 is implausible "
     "(README defect); ISO 4762 M20 runs 30 to 200"),
    (("ISO4762.tab", "l range", WH), [20], "bd_warehouse M20 range 16 to 100 is implausible "
     "(README defect)"),
    (("ISO10642.tab", "dk", FW), None, "ISO 10642 gives dk only as actual min and theoretical "
     "max; we draw their mean, the reference a value of its own"),
    (("ISO10642.tab", "t", FW), [10], "ISO 10642 M10 t min is 3.5 (published table); the "
     "reference has 3.6"),
    (("DIN7991.tab", "s", WH), None, "bd_warehouse s is the socket maximum; we carry the "
     "nominal s"),
    (("ISO7380.tab", "s", WH), None, "bd_warehouse s is the socket maximum"),
    # Slotted and cross recessed screws
    ((None, "n", FW), None, "the reference n_min is the slot's minimum (nominal + 0.06); we "
     "carry the nominal width"),
    ((None, "n", WH), None, "bd_warehouse n is the slot's maximum; we carry the nominal width"),
    (("ISO2009.tab", "t", FW), None, "rounding of the mean slot depth"),
    (("ISO2010.tab", "t", FW), None, "the reference t_mean is the ISO 7047 recess table, "
     "rounded; ours is the mean of the ISO 2010 slot depth limits"),
    (("ISO2010.tab", "t", WH), None, "bd_warehouse t is the slot depth minimum"),
    (("ISO2010.tab", "rf", WH), None, "bd_warehouse rf is about 2 d; ISO 2010 rf (the raise "
     "radius shared with ISO 7047) is 9.5 for M5"),
    (("ISO7046Z.tab", "m", FW), [5], "the reference mZ for M5 is 4.0, below its M4 4.4; ISO "
     "7046-1 gives 5.0 (H 5.2)"),
    # Set screws
    (("ISO4026.tab", "t", FW), None, "the reference t is a single depth; ISO 4026 gives t min "
     "for short and for long screws and we use each where it applies"),
    (("DIN913.tab", "t", FW), None, "as ISO 4026: two depths by length"),
    (("ISO4026.tab", "t", WH), None, "bd_warehouse t is the long-screw depth; short screws "
     "use the short-screw depth"),
    (("DIN913.tab", "t", WH), None, "as ISO 4026"),
    (("ISO4026.tab", "l range", FW), None, "the references' ISO 4026 ranges disagree with "
     "each other (M1.6 2 to 5 or 2.5 to 6); we give the four socket set screws the ISO 4028 "
     "ranges"),
    (("DIN913.tab", "l range", FW), None, "as ISO 4026"),
    (("ISO4028.tab", "l range", FW), [4], "the reference M4 maximum 30 exceeds its M5 25; "
     "20 is the M4 maximum"),
    (("DIN915.tab", "l range", FW), [4], "as ISO 4028"),
    (("ISO4027.tab", "dt", FW), None, "the reference dt column is not the cone truncation "
     "dt max of ISO 4027 (M10 2.5, as in ISO 7434 and DIN 914)"),
    (("DIN914.tab", "dt", FW), None, "as ISO 4027"),
    (("ISO4029.tab", "dz", FW), None, "the reference has no cup diameter and uses dp (README "
     "defect); we carry ISO 4029 dz max"),
    (("DIN916.tab", "dz", FW), None, "as ISO 4029"),
    (("ISO4029.tab", "dz", BO), [4, 5], "BOLTS cup diameters 1.5 and 2 for M4 and M5; ISO "
     "4029 dz max is 2 and 2.5"),
    (("DIN916.tab", "dz", BO), [4, 5], "as ISO 4029"),
    (("ISO7435.tab", "t", FW), [3], "the reference t_max for M3 is 10.5, a typo for 1.05"),
    (("DIN417.tab", "t", FW), [3], "as ISO 7435"),
    (("ISO4766.tab", "t", FW), [4], "the reference t_max for M4 is 1.45; ISO 4766, 7434, "
     "7435 and 7436 give 1.42"),
    (("DIN551.tab", "t", FW), [4], "as ISO 4766"),
    (("ISO7434.tab", "t", FW), [5], "the reference t min for M5 is 1.25; the other slotted "
     "set screw tables give 1.28"),
    (("DIN553.tab", "t", FW), [5], "as ISO 7434"),
    (("ISO7434.tab", "l range", FW), [12], "14 is not in our length series"),
    (("DIN553.tab", "l range", FW), [12], "14 is not in our length series"),
    (("ISO7435.tab", "l range", FW), [12], "14 is not in our length series"),
    (("DIN417.tab", "l range", FW), [12], "14 is not in our length series"),
    # Washers
    (("ISO7089.tab", "h", WH), None, "bd_warehouse h is the maximum (2.2 for size 10); we "
     "carry the nominal h"),
    (("ISO7089.tab", "d1", BO), [10], "BOLTS uses the DIN 125 table with the typo 10 for "
     "size 10 (README defect); d1 is 10.5"),
    (("DIN125A.tab", "d1", BO), [10], "BOLTS typo: DIN 125 size 10 has d1 10.5"),
    (("DIN125B.tab", "d1", BO), [10], "BOLTS typo: DIN 125 size 10 has d1 10.5"),
    # Nuts
    (("ISO4032.tab", "s", FW), [14], "ISO 4032 M14 s is 21; the reference keeps 22"),
    (("ISO4035.tab", "s", FW), [14], "ISO 4035 M14 s is 21; the reference keeps 22"),
    (("ISO4032.tab", "e", FW), None, "the reference rounds e; we carry ISO 4032 e min"),
    (("ISO4035.tab", "e", FW), None, "the reference rounds e; we carry ISO 4035 e min"),
    (("ISO4035.tab", "s", WH), [10, 12, 14, 22], "bd_warehouse ISO 4035 keeps the DIN widths "
     "(README defect)"),
    (("DIN935.tab", "P", FW), None, "the reference pitch column slips by one size from M7 on "
     "(M8 1.5, M10 1.75); ISO 261 coarse pitch is 1.25 and 1.5"),
    (("DIN935.tab", "w", FW), None, "the reference w is the minimum; we carry w max, the DIN "
     "934 height where the slots end"),
    (("DIN935.tab", "s", FW), [22], "our DIN table keeps the DIN width 32 for M22 (as for "
     "M10, M12, M14); the reference mixes in the ISO 34"),
    (("DIN985.tab", "s", FW), [10, 12, 22], "DIN 985 (1987) uses the DIN widths 17, 19, 32 "
     "(published table); the reference mixes in ISO widths"),
    (("DIN985.tab", "m", FW), None, "we carry the DIN 985 m min (minimum wrenching height, "
     "published table); the reference has another height for these sizes"),
    (("DIN985.tab", "e", FW), None, "we carry DIN 985 e min for the DIN widths (published "
     "table); the reference rounds ISO values"),
    (("DIN1587.tab", "k", FW), None, "the reference m is the mean of the hexagon height "
     "limits; we carry k max, the nominal"),
    (("DIN1587.tab", "k", WH), [10], "DIN 1587 M10 hexagon height is 8 (published table); "
     "bd_warehouse has 8.8"),
]


# Countersunk heads of ISO 2009 / 2010 / 7046-1 / 7047.
KNOWN += [((f, "dk", FW), None, "the reference csh_diam is the mean actual head; we carry the "
           "actual dk max, which the countersink has to take") for f in CSK_FILES]
KNOWN += [((f, c, WH), None, "bd_warehouse countersunk heads follow another head series (M4 "
           "7.5 / 2.2 against 8.4 / 2.7 of ISO 2009:2011); its raised-head k is the raise")
          for f in CSK_FILES for c in ("dk", "k")]


def explain(filename, column, source, size):
    for (f, c, s), sizes, reason in KNOWN:
        if (f is None or f == filename) and c == column and (s is None or s == source) \
                and (sizes is None or size in sizes):
            return reason
    return None


# ---------------------------------------------------------------------------------------------

def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.dirname(here)
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--reference", default=os.path.join(repo, "..", "shared", "reference"))
    ap.add_argument("--standards", default=os.path.join(repo, "standards"))
    ap.add_argument("--strict", action="store_true",
                    help="exit 1 when a difference is not explained")
    ap.add_argument("--quiet", action="store_true", help="print only unexplained differences")
    args = ap.parse_args(argv)

    loaders = {FW: read_fw, WH: read_wh, BO: read_blt}
    cache = {}

    def ref_table(source, file, table):
        path = os.path.join(args.reference, source, file)
        if not os.path.isfile(path):
            return None
        if path not in cache:
            cache[path] = loaders[source](path)
        return cache[path].get(table)

    compared = differ = unexplained = 0
    missing = set()
    iso262 = None
    p262 = os.path.join(args.reference, FW, "iso262def.csv")
    if os.path.isfile(p262):
        iso262 = read_fw(p262).get("ISO262def")

    for (family, kind, filename), checks in sorted(COMPARE.items()):
        path = os.path.join(args.standards, family, kind, filename)
        if not os.path.isfile(path):
            print("%s/%s/%s: not found" % (family, kind, filename))
            unexplained += 1
            continue
        ours = read_ours(path)
        for label, getter, (source, rfile, rtable, rget) in checks:
            table = ref_table(source, rfile, rtable)
            if table is None:
                missing.add("%s %s %s" % (source, rfile, rtable))
                continue
            for d, rows in sorted(ours.items()):
                ref = table.get(d)
                if ref is None:
                    continue
                if getter == "range":
                    lo, hi = (ref.get(rget[0]), ref.get(rget[1]))
                    pairs = [(rows[0][1][1], lo, "min"), (rows[-1][1][1], hi, "max")]
                    for mine, theirs, which in pairs:
                        if theirs is None:
                            continue
                        compared += 1
                        if abs(mine - theirs) > 1e-6:
                            differ += 1
                            report(family, kind, filename, rows[0][0], "%s %s" % (label, which),
                                   mine, theirs, source, rfile, rtable, d, args,
                                   lambda: explain(filename, label, source, d))
                            if explain(filename, label, source, d) is None:
                                unexplained += 1
                    continue
                seen = set()
                for size, v in rows:
                    mine = getter(v) if callable(getter) else v[getter]
                    try:
                        theirs = rget(ref, v)
                    except (KeyError, TypeError):
                        theirs = None
                    if mine is None or theirs is None or isinstance(theirs, str):
                        continue
                    if (mine, theirs) in seen:
                        continue
                    seen.add((mine, theirs))
                    compared += 1
                    if abs(mine - theirs) > 1e-6:
                        differ += 1
                        reason = explain(filename, label, source, d)
                        report(family, kind, filename, size, label, mine, theirs, source, rfile,
                               rtable, d, args, lambda r=reason: r)
                        if reason is None:
                            unexplained += 1
        # Pitch: every metric coarse size against ISO 262.
        if iso262 is not None and not filename.startswith(("DIN981", "ISO2982")):
            type_code = type_of(args.standards, family, kind, filename)
            pi = pitch_index(kind, type_code) if type_code else None
            for d, rows in sorted(ours.items()):
                ref = iso262.get(d)
                if pi is None or ref is None or ref.get("P_coarse") is None:
                    continue
                compared += 1
                if abs(rows[0][1][pi] - ref["P_coarse"]) > 1e-6:
                    differ += 1
                    unexplained += 1
                    report(family, kind, filename, rows[0][0], "P", rows[0][1][pi],
                           ref["P_coarse"], FW, "iso262def.csv", "ISO262def", d, args,
                           lambda: None)

    # Clearance holes: ISO 273 against bd_warehouse Close / Normal / Loose.
    whpath = os.path.join(args.reference, WH, "clearance_hole_sizes.csv")
    if os.path.isfile(whpath):
        with open(whpath, newline="") as f:
            rows = list(csv.reader(f))
        ref = {size_of(r[0])[0]: r for r in rows[1:] if size_of(r[0])}
        for family in ("ISO", "DIN"):
            for col_i, name in ((1, "fine"), (2, "medium"), (3, "coarse")):
                path = os.path.join(args.standards, family, "Tolerances", "ISO273-%s.tab" % name)
                if not os.path.isfile(path):
                    continue
                for line in open(path, encoding="ascii"):
                    line = line.strip()
                    if not line or line[0] in "#@":
                        continue
                    d, t = (float(x) for x in line.split("|"))
                    if d not in ref:
                        continue
                    compared += 1
                    theirs = float(ref[d][col_i])
                    if abs(d + t - theirs) > 1e-6:
                        differ += 1
                        reason = ("ISO 273 medium M12 to M16 is 13.5 / 15.5 / 17.5 and coarse "
                                  "14.5 / 16.5 / 18.5; bd_warehouse rounds to whole mm"
                                  if d in (12, 14, 16) else None)
                        if reason is None:
                            unexplained += 1
                        report(family, "Tolerances", "ISO273-%s.tab" % name, fmt(d),
                               "hole " + name, d + t, theirs, WH, "clearance_hole_sizes.csv",
                               "", d, args, lambda r=reason: r)

    for m in sorted(missing):
        print("reference not present, skipped: %s" % m)
    print("compared %d values: %d differ, %d of them not explained" %
          (compared, differ, unexplained))
    return 1 if (args.strict and unexplained) else 0


def report(family, kind, filename, size, label, mine, theirs, source, rfile, rtable, d, args,
           reason_fn):
    reason = reason_fn()
    if args.quiet and reason is not None:
        return
    line = "%s/%s/%s  %s  %s: ours %s, %s %s %s %s" % (
        family, kind, filename, size, label, fmt(mine), source, rfile, rtable, fmt(theirs))
    print(line + ("   [known: %s]" % reason if reason else "   [NOT EXPLAINED]"))


_TYPES = {}


def type_of(root, family, kind, filename):
    """The first type code whose index record names this data file."""
    key = (root, family, kind)
    if key not in _TYPES:
        mapping = {}
        current = None
        path = os.path.join(root, family, kind + ".ini")
        if os.path.isfile(path):
            for line in open(path, encoding="ascii"):
                line = line.rstrip("\r\n")
                m = re.match(r"^\[(\d+)\]", line)
                if m:
                    current = int(m.group(1))
                elif line.startswith('"') and current is not None:
                    f1 = line.split('"')[1].strip()
                    mapping.setdefault(f1, current)
        _TYPES[key] = mapping
    return _TYPES[key].get(filename)


if __name__ == "__main__":
    sys.exit(main())
