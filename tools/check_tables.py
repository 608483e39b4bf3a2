#!/usr/bin/env python3
"""Validates the shipped standards library before any C++ reads it.

Usage: python3 tools/check_tables.py [STANDARDS_DIR]   (default: <repo>/standards)

Walks every family folder (a folder holding at least one kind index such as Bolts.ini), every
index file, section and record, every size data file, materials list, tolerance index and
tolerance table, and checks the line syntax the table readers rely on and the geometry the
part builders need (positive sizes, heads larger than threads, threads within the length,
sockets smaller than heads, washer holes larger than the bolt, plausible nut heights, no
dimension that would give the builders a zero-length edge). Prints one "file:line: message"
per fault and exits with 1 when there is any, 0 otherwise.
"""

import math
import os
import re
import sys

KINDS = ["Bolts", "Screws", "SetScrews", "Washers", "Nuts"]
TYPE_COUNT = {"Bolts": 10, "Screws": 12, "SetScrews": 9, "Washers": 8, "Nuts": 9}
MAX_FIELDS = 21  # the value array holds 21 reals: f2 .. f21 plus the repeated last field
NUMBER = re.compile(r"^-?\d+(\.\d+)?$")
TEXTURE = os.path.join("Images", "3iaoftt.jpg")


class Report:
    def __init__(self, root):
        self.root = root
        self.faults = 0

    def fault(self, path, line, message):
        self.faults += 1
        rel = os.path.relpath(path, os.path.dirname(self.root))
        print("%s:%s: %s" % (rel, line if line else 0, message))


def read_lines(report, path):
    """The file's lines without their ends; checks plain ASCII and one line-end style."""
    with open(path, "rb") as f:
        data = f.read()
    try:
        text = data.decode("ascii")
    except UnicodeDecodeError as e:
        report.fault(path, data[:e.start].count(b"\n") + 1, "byte outside plain ASCII")
        text = data.decode("latin-1")
    crlf = text.count("\r\n")
    lf = text.count("\n")
    if crlf and crlf != lf:
        report.fault(path, 0, "mixed line ends (%d CR LF of %d)" % (crlf, lf))
    if text and not text.endswith("\n"):
        report.fault(path, len(text.splitlines()), "last line has no line end")
    return [l.rstrip("\r") for l in text.split("\n")][:-1] if text else []


def quoted_fields(line):
    """Texts between the 1st and 2nd, 3rd and 4th ... double quotes."""
    parts = line.split('"')
    return parts[1::2] if len(parts) % 2 == 1 else None


# ---------------------------------------------------------------------------------------------
# Index files

def check_index(report, family_dir, kind):
    path = os.path.join(family_dir, kind + ".ini")
    data_dir = os.path.join(family_dir, kind)
    lines = read_lines(report, path)
    sections = {}
    current = None
    current_line = 0
    entries = []
    pairs = set()
    for no, line in enumerate(lines, 1):
        if line.startswith("["):
            m = re.match(r"^\[(\d+)\]", line)
            if current is not None:
                current = None
            if m:
                n = int(m.group(1))
                if n < 10 and line != "[%d]" % n:
                    report.fault(path, no, "one-digit section header must be the whole line "
                                 "(only its first four characters are compared)")
                    continue
                if str(n) != m.group(1):
                    report.fault(path, no, "section number written with a leading zero")
                    continue
                if n in sections:
                    report.fault(path, no, "section [%d] repeated (line %d)" % (n, sections[n]))
                sections[n] = no
                current, current_line = n, no
            continue
        if line.startswith("#") or line == "":
            continue
        if current is None:
            if line.startswith('"'):
                report.fault(path, no, "record outside any section")
            else:
                report.fault(path, no, "text outside any section")
            continue
        if not line.startswith('"'):
            report.fault(path, no, "record does not begin with a double quote (the designation "
                         "lookup reads only such lines)")
        fields = quoted_fields(line)
        if fields is None:
            report.fault(path, no, "odd number of double quotes")
            continue
        if len(fields) < 6:
            report.fault(path, no, "record has %d quoted fields, 6 needed" % len(fields))
            continue
        f1, f2, f3, f4, f5, f6 = [f.strip() for f in fields[:6]]
        for i, f in enumerate((f1, f2, f5, f6), 1):
            if not f:
                report.fault(path, no, "empty field F%d" % (1, 2, 5, 6)[i - 1])
        if f1 and not os.path.isfile(os.path.join(data_dir, f1)):
            report.fault(path, no, "size data file %s not found in %s/" % (f1, kind))
        if f5 and not os.path.isfile(os.path.join(data_dir, f5)):
            report.fault(path, no, "materials list %s not found in %s/" % (f5, kind))
        if (f1, f2) in pairs:
            report.fault(path, no, "data file and standard name %s / %s repeated" % (f1, f2))
        pairs.add((f1, f2))
        # A run of letters that mixes the placeholders D C N M L with other letters is literal
        # text in which those capitals would be substituted ("CxL", size by length, is fine).
        for word in re.findall(r"[A-Za-z]+", f6):
            if re.search(r"[DCNML]", word) and not re.fullmatch(r"[DCNML](x[DCNML])*", word):
                report.fault(path, no, "name template word '%s' holds a placeholder letter "
                             "that would be substituted" % word)
        entries.append((current, f1, f2, no))
    if current is not None:
        report.fault(path, current_line, "section [%d] not closed by a line beginning with ["
                     % current)
    for n in range(1, TYPE_COUNT[kind] + 1):
        if n not in sections:
            report.fault(path, 0, "no section [%d]: the standard query for type %d fails" %
                         (n, n))
    return entries


def check_materials(report, path):
    lines = read_lines(report, path)
    if not any(l.strip() and not l.startswith("#") for l in lines):
        report.fault(path, 0, "materials list has no entry")


# ---------------------------------------------------------------------------------------------
# Size data files: syntax

def parse_data(report, path):
    """Records as (line number, size key, [values v[0]..], part-number text)."""
    records = []
    for no, line in enumerate(read_lines(report, path), 1):
        if line.startswith("#") or line.startswith("@"):
            if "|" in line:
                report.fault(path, no, "comment holding a bar (the length list reads any "
                             "line with a bar)")
            continue
        if line.strip() == "":
            continue
        if "|" not in line:
            report.fault(path, no, "record without a bar")
            continue
        fields = line.split("|")
        if len(fields) > MAX_FIELDS:
            report.fault(path, no, "%d fields, at most %d fit the value array" %
                         (len(fields), MAX_FIELDS))
            continue
        if len(fields) < 5:
            report.fault(path, no, "%d fields: size, diameter, length, part number and the "
                         "last field are needed" % len(fields))
            continue
        key = fields[0].strip()
        if not key:
            report.fault(path, no, "empty size code")
        if key != fields[0]:
            report.fault(path, no, "blanks around the size code")
        pn = fields[-2]
        if pn.strip() == "" or pn != pn.strip():
            report.fault(path, no, "part-number field empty or padded with blanks")
        values = []
        ok = True
        for i, f in enumerate(fields[1:], 2):
            if i == len(fields) - 1:
                continue  # the part-number text
            if not NUMBER.match(f):
                report.fault(path, no, "field f%d '%s' is not a plain number with '.' "
                             "decimals" % (i, f))
                ok = False
                continue
            values.append(float(f))
        if ok:
            records.append((no, key, values[:-1], pn))
    return records


def check_order(report, path, records):
    seen = {}
    prev_key, prev_d, prev_len = None, None, None
    for no, key, v, _ in records:
        d, length = v[0], v[1]
        if d <= 0:
            report.fault(path, no, "nominal diameter %g not positive" % d)
        if key != prev_key:
            if key in seen:
                report.fault(path, no, "size %s reappears (first group at line %d): groups "
                             "must be consecutive" % (key, seen[key]))
            seen.setdefault(key, no)
            if prev_d is not None and d <= prev_d:
                report.fault(path, no, "size %s diameter %g not above the previous size's %g "
                             "(the nearest-diameter search needs ascending sizes)" %
                             (key, d, prev_d))
        else:
            if d != prev_d:
                report.fault(path, no, "diameter changes inside size group %s" % key)
            if length <= prev_len:
                report.fault(path, no, "length %g not above the previous %g of size %s" %
                             (length, prev_len, key))
        prev_key, prev_d, prev_len = key, d, length


# ---------------------------------------------------------------------------------------------
# Size data files: geometry, per kind and type (the value index each property is read from)

def prop(v, i):
    return v[i] if i < len(v) else float("nan")


def threaded_common(err, D, L, F, P):
    if not D > 0:
        err("diameter %g not positive" % D)
    if not L > 0:
        err("length %g not positive" % L)
    if not P > 0:
        err("pitch %g not positive" % P)
    elif not 0.03 * D <= P <= 0.3 * D:
        err("pitch %g implausible for diameter %g" % (P, D))
    if not 0 <= F:
        err("unthreaded length %g negative" % F)
    elif not F <= L - P / 2:
        err("unthreaded length %g leaves no thread on length %g" % (F, L))


def csk_rim(err, dk, k, D, angle):
    if not 0 < angle < 180:
        err("countersink angle %g out of range" % angle)
        return
    if not dk > D:
        err("countersunk head diameter %g not above thread %g" % (dk, D))
        return
    h = (dk / 2 - D / 2) / math.tan(math.radians(angle) / 2)
    if not h < k - 1e-6:
        err("cone reaches dk %g at height %.3f, not below the head height %g (no rim: "
            "degenerate profile)" % (dk, h, k))


def check_bolt(err, t, v):
    D, L, F = v[0], v[1], v[2]
    if t == 5:
        threaded_common(err, D, L, 0, v[2])
        if not L > v[2]:
            err("rod shorter than one pitch")
        return
    P = {3: v[5]}.get(t, prop(v, 7))
    threaded_common(err, D, L, F, P)
    if t in (1, 2):
        s, k = v[8], v[5]
        if not s > D:
            err("across flats %g not above thread %g" % (s, D))
        if not k > 0:
            err("head height %g not positive" % k)
        if t == 2:
            c = v[10]
            if not c > 0:
                err("collar height %g not positive" % c)
            if not v[3] > s:
                err("flange diameter %g not above across flats %g" % (v[3], s))
    elif t == 4:
        e, a, k = v[3], v[4], v[5]
        if not (a < e < a * math.sqrt(2)):
            err("corner circle %g must lie between side %g and its diagonal" % (e, a))
        if not e > D:
            err("head %g not larger than thread %g" % (e, D))
        if not k > 0:
            err("head height not positive")
    elif t in (6, 7):
        dk, k = v[8], v[5]
        if not dk > D:
            err("head diameter %g not above thread %g" % (dk, D))
        if not k > 0:
            err("head height not positive")
        if t == 6:
            if not (v[10] > 0 and v[9] > 0):
                err("nib thickness and height must be positive")
        else:
            a, h = v[9], v[11]
            if not (D <= a < dk and h > 0):
                err("square neck side %g / depth %g implausible" % (a, h))
            if not F >= h:
                err("thread runs into the square neck (plain %g < neck %g)" % (F, h))
    elif t in (8, 9, 10):
        dk, k, angle = v[6], v[5], v[3]
        csk_rim(err, dk, k, D, angle)
        if not F >= k:
            err("thread runs into the countersunk head (plain %g < k %g)" % (F, k))
        if t == 8 and not (v[8] > 0 and v[9] > 0):
            err("nib size must be positive")
        if t == 9 and not (v[9] > 0 and v[10] > 0):
            err("raise and nib size must be positive")
        if t == 10:
            a, h = v[9], v[8]
            if not (a >= D and h > k):
                err("square neck side %g / bottom %g must exceed thread and head" % (a, h))
            if not F >= h:
                err("thread runs into the square neck")


def check_screw(err, t, v):
    D, L, F, P = v[0], v[1], v[2], v[7]
    threaded_common(err, D, L, F, P)
    k = v[11] if t in (7, 10) else v[5]
    dk = v[3] if t in (1, 3, 4) else v[6]
    if not k > 0:
        err("head height %g not positive" % k)
    if not dk > D:
        err("head diameter %g not above thread %g" % (dk, D))
    if t == 1:
        s, depth, r = v[8], v[10], v[6]
        if not (0 < s < dk and s < D * 1.2):
            err("socket %g not smaller than head %g" % (s, dk))
        if not 0 < depth < k:
            err("socket depth %g not inside head height %g" % (depth, k))
        if not 0 <= r < min(k, dk / 2):
            err("top edge rounding %g too large" % r)
    elif t == 2:
        csk_rim(err, dk, k, D, v[3])
        if not (0 < v[8] < D and 0 < v[10] < k):
            err("socket %g / depth %g implausible" % (v[8], v[10]))
    elif t == 3:
        if not (0 < v[8] < D and 0 < v[10] < k):
            err("socket %g / depth %g implausible" % (v[8], v[10]))
    elif t == 4:
        if not (0 < v[10] < dk / 2 and 0 < v[11] < k):
            err("slot %g / depth %g implausible" % (v[10], v[11]))
    elif t in (5, 6):
        csk_rim(err, dk, k, D, v[3])
        n, depth = (v[8], v[9]) if t == 5 else (v[10], v[9])
        top = 0 if t == 5 else v[11]
        if not (0 < n < dk / 2 and 0 < depth < k + top):
            err("slot %g / depth %g implausible" % (n, depth))
        if t == 6 and not v[11] > 0:
            err("raise height not positive")
    else:
        m, depth = v[8], v[9]
        if not 0 < m < dk:
            err("cross recess size %g not inside head %g" % (m, dk))
        if t in (7, 10):
            crown = v[5] - v[11]
            if not crown > 0:
                err("pan head crown %g not positive" % crown)
            if not 0 < depth < v[5]:
                err("recess depth %g not inside head height %g" % (depth, v[5]))
            if not 0 <= v[10] < min(k, D / 2):
                err("under-head radius %g implausible" % v[10])
        else:
            csk_rim(err, dk, k, D, v[3])
            top = v[12] if t in (9, 12) else 0
            if t in (9, 12) and not top > 0:
                err("raise height not positive")
            if not 0 < depth < k + top:
                err("recess depth %g not inside head height %g" % (depth, k + top))
            if v[5] - v[11] != 0:
                err("v[5] - v[11] must be 0 for a countersunk head")


def check_set_screw(err, t, v):
    D, L = v[0], v[1]
    if t == 9:
        P, G, R = v[7], v[4], v[5]
        threaded_common(err, D, L, 0, P)
        if not R > P / 2:
            err("root thread %g shorter than the end chamfer" % R)
        if not P < G < L:
            err("nut end thread %g must exceed the dome %g and leave a plain part on %g" %
                (G, P, L))
        return
    P = v[5]
    threaded_common(err, D, L, 0, P)
    di = v[2]
    if not 0 < di < D:
        err("point diameter %g must lie between 0 and the thread %g" % (di, D))
    if t <= 4:
        s, depth, angle = v[4], v[6], v[7]
    else:
        s, depth, angle = v[3], v[4], v[6]
    if not 0 < angle < 180:
        err("chamfer angle %g out of range" % angle)
    if not 0 < s < D:
        err("socket or slot %g not smaller than the thread %g" % (s, D))
    body = L
    if t in (2, 6):
        z = v[8] if t == 2 else v[7]
        if not 0 < z < L:
            err("dog length %g not inside length %g" % (z, L))
        body = L - z
    point = {3: (D - di) / 2, 7: (D - di) / 2}.get(t, 0)
    if t in (4, 8):
        point = (di / 2) / math.cos(math.radians(30))
    if not depth + point + P / 2 < body:
        err("socket or slot %g and point %.3f do not fit body length %g" % (depth, point, body))


def check_washer(err, t, v):
    nominal = v[0]
    if t in (1, 2, 3):
        hole, outer, h = (v[2], v[3], v[4]) if t == 1 else (v[2], v[4], v[3])
    elif t == 4:
        hole, outer, h = v[2], v[3], v[4]
    elif t == 5:
        hole, outer, h = v[2], v[3], v[4]
    elif t in (6, 7):
        hole, outer, h = v[5], min(v[2], v[3]), v[6]
    else:
        hole, outer, h = v[6], v[3], v[5]
    if not hole > nominal:
        err("hole %g not above the nominal diameter %g" % (hole, nominal))
    if not outer > hole:
        err("outside %g not above the hole %g" % (outer, hole))
    if not h > 0:
        err("thickness %g not positive" % h)
    drawn = {1: 4, 2: 3, 3: 3, 4: 4, 5: 4, 8: 5}.get(t)
    if drawn is not None and abs(v[1] - v[drawn]) > 1e-9:
        err("listed thickness %g differs from the drawn one %g" % (v[1], v[drawn]))
    if t == 3 and not (0 < v[5] < h and v[5] < (outer - hole) / 2):
        err("chamfer %g implausible" % v[5])
    if t == 4 and not (hole * math.sqrt(2) / 2 < outer / 2):
        err("square hole %g does not fit in the outside diameter %g" % (hole, outer))
    if t in (6, 7):
        a, b, c, H, H1, g = v[2], v[3], v[4], v[6], v[7], v[8]
        if not H > H1 > 0:
            err("taper thicknesses %g / %g implausible" % (H, H1))
        if not c > 0:
            err("hole chamfer must be positive (a zero chamfer is a zero-length edge)")
        if not 0 < g < H1:
            err("groove %g not inside the thin end %g" % (g, H1))
        if not nominal / 2 + c < a / 2 - 2 * g:
            err("hole and grooves do not fit across the width %g" % a)
        if not b > 0:
            err("length not positive")
    if t == 8:
        c, c1 = v[2], v[4]
        if not (0 < c < h and 0 < c1 < h and c + c1 < (outer - nominal) / 2):
            err("chamfers %g / %g do not fit" % (c, c1))


def check_nut(err, t, v):
    d, H = v[0], v[3]
    P = {6: prop(v, 13), 7: prop(v, 10), 8: prop(v, 13), 9: prop(v, 7)}.get(t, v[5])
    if not d > 0:
        err("thread diameter not positive")
    if not (P > 0 and P <= 0.3 * d):
        err("pitch %g implausible" % P)
    if t in (1, 2, 3, 6, 7, 8):
        s = v[4]
        if not s > d * 1.2:
            err("across flats %g too small for thread %g" % (s, d))
    if t == 1 and not 0.3 * d <= H <= 1.5 * d:
        err("nut height %g implausible for M%g" % (H, d))
    if t == 2:
        hex_h, depth, b, dc, n = v[6], v[3] - v[6], v[7], v[8], v[9]
        if not (hex_h > 0.3 * d and depth > b / 2 and b > 0 and n >= 1):
            err("castle slots implausible (hexagon %g, depth %g, width %g)" % (hex_h, depth, b))
        if dc != 0 and not d < dc <= v[4]:
            err("crown diameter %g not between thread and across flats" % dc)
    if t == 3:
        if not 0.2 * d <= H and v[6] - H > 0:
            err("hexagon %g / total %g heights implausible" % (H, v[6]))
    if t in (4, 5):
        side = v[2]
        if not side > d * 1.2:
            err("square side %g too small" % side)
        if not 0.2 * d <= H <= 1.2 * d:
            err("nut height %g implausible" % H)
        if t == 5 and not side < v[4] < side * math.sqrt(2):
            err("corner circle %g must lie between side and diagonal" % v[4])
    if t == 6:
        dk, dki, hk, hki, r, ri = v[7], v[8], v[9] - v[3], v[5], v[11], v[12]
        if not (dki < dk <= v[4] and 0 < hki < hk):
            err("dome diameters %g / %g or heights %g / %g implausible" % (dk, dki, hk, hki))
        if not (0 < r and 2 * r < hk and r <= dk / 2):
            err("dome rounding %g does not fit height %g" % (r, hk))
        if not 0 < ri <= dki / 2:
            err("cavity rounding %g does not fit" % ri)
    if t == 7:
        hk, hki, ri, r = v[8] - v[3], v[9] - v[3], v[8] - v[3] - v[6], v[11]
        if not (0 < hki < hk and 0 < ri < hk and r > 0):
            err("cap heights %g / %g / %g implausible" % (hk, hki, ri))
    if t == 8:
        hk, hki, dk, r = v[9] - v[10], v[10] - v[3], v[8], v[12]
        if not (hk > 0 and hki > 0 and 0 < dk <= v[4] and r > 0):
            err("dome heights %g / %g or diameter %g implausible" % (hk, hki, dk))
    if t == 9:
        D, Di, b, depth, n = v[2], v[4], v[5], v[6], v[9]
        if not (d < Di < D and b > 0 and 0 < depth < (D - d) / 2 and n >= 1):
            err("round nut dimensions implausible")
        if not d / 2 - 1.75 * P > 0:
            err("bore radius d/2 - 1.75 P not positive")


CHECKS = {"Bolts": check_bolt, "Screws": check_screw, "SetScrews": check_set_screw,
          "Washers": check_washer, "Nuts": check_nut}


def check_data(report, path, kind, types):
    records = parse_data(report, path)
    if not records:
        report.fault(path, 0, "no records")
        return
    check_order(report, path, records)
    for no, key, v, _ in records:
        for t in sorted(types):
            def err(msg, no=no, t=t):
                report.fault(path, no, "type %d, %s: %s" % (t, key, msg))
            try:
                CHECKS[kind](err, t, v)
            except IndexError:
                err("record too short for this type's columns")


# ---------------------------------------------------------------------------------------------
# Tolerances

def check_tolerances(report, family_dir):
    path = os.path.join(family_dir, "Tolerances.ini")
    if not os.path.isfile(path):
        report.fault(path, 0, "tolerance index missing")
        return
    count = 0
    for no, line in enumerate(read_lines(report, path), 1):
        if line == "" or line.startswith("#") or line.startswith("["):
            continue
        fields = quoted_fields(line)
        if not fields or len(fields) < 2:
            report.fault(path, no, "tolerance record needs two quoted fields")
            continue
        count += 1
        table = os.path.join(family_dir, "Tolerances", fields[0].strip())
        if not os.path.isfile(table):
            report.fault(path, no, "tolerance table %s not found" % fields[0])
            continue
        prev = None
        for tno, tl in enumerate(read_lines(report, table), 1):
            if tl.strip() == "" or tl.startswith("#") or tl.startswith("@"):
                continue
            parts = tl.split("|")
            if len(parts) != 2 or not all(NUMBER.match(p) for p in parts):
                report.fault(table, tno, "line must be d|t with plain numbers")
                continue
            d, t = float(parts[0]), float(parts[1])
            if not (d > 0 and 0 < t < d):
                report.fault(table, tno, "allowance %g implausible for d %g" % (t, d))
            if prev is not None and d - prev <= 0.1:
                report.fault(table, tno, "diameter %g within 0.1 of the previous %g (both "
                             "would match one hole)" % (d, prev))
            prev = d
    if count == 0:
        report.fault(path, 0, "tolerance index has no record")


def check_tap_drills(report, family_dir):
    """The tap-drill table beside the tolerance tables: d|drill, both ascending, each drill
    a little smaller than its thread (between 0.7 d and d)."""
    path = os.path.join(family_dir, "Tolerances", "TapDrills.tab")
    if not os.path.isfile(path):
        report.fault(path, 0, "tap-drill table missing")
        return
    prev = None
    for no, line in enumerate(read_lines(report, path), 1):
        if line.strip() == "" or line.startswith("#"):
            continue
        parts = line.split("|")
        if len(parts) != 2 or not all(NUMBER.match(p) for p in parts):
            report.fault(path, no, "line must be d|drill with plain numbers")
            continue
        d, drill = float(parts[0]), float(parts[1])
        if not 0.7 * d < drill < d:
            report.fault(path, no, "tap drill %g implausible for d %g" % (drill, d))
        if prev is not None and (d <= prev[0] or drill <= prev[1]):
            report.fault(path, no, "d and drill must grow from line to line")
        prev = (d, drill)


def main(argv):
    root = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "standards"))
    report = Report(root)
    families = sorted(n for n in os.listdir(root)
                      if any(os.path.isfile(os.path.join(root, n, k + ".ini")) for k in KINDS))
    if not families:
        report.fault(root, 0, "no standards family found")
    for fam in families:
        fdir = os.path.join(root, fam)
        for kind in KINDS:
            if not os.path.isfile(os.path.join(fdir, kind + ".ini")):
                report.fault(os.path.join(fdir, kind + ".ini"), 0, "index file missing")
                continue
            entries = check_index(report, fdir, kind)
            by_file = {}
            for tp, f1, _, _ in entries:
                by_file.setdefault(f1, set()).add(tp)
            kdir = os.path.join(fdir, kind)
            for name in sorted(os.listdir(kdir)) if os.path.isdir(kdir) else []:
                path = os.path.join(kdir, name)
                if name in by_file:
                    check_data(report, path, kind, by_file[name])
                elif name.endswith(".mat"):
                    check_materials(report, path)
                else:
                    report.fault(path, 0, "file not named by any index record")
        check_tolerances(report, fdir)
        check_tap_drills(report, fdir)
    tex = os.path.join(root, TEXTURE)
    if not os.path.isfile(tex):
        report.fault(tex, 0, "thread texture missing")
    elif os.path.getsize(tex) >= 50 * 1024:
        report.fault(tex, 0, "thread texture larger than 50 KB")
    if report.faults:
        print("%d fault(s)" % report.faults)
        return 1
    print("standards library OK: %s" % ", ".join(families))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
