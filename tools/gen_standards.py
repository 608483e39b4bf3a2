#!/usr/bin/env python3
"""Writes the shipped standards library (standards/ISO, standards/DIN) from fastener_figures.

Usage: python3 tools/gen_standards.py [--out DIR]   (DIR defaults to <repo>/standards)

For every fastener kind and type this script knows which value-array index the part builder
reads for which property, and lays each size data record out accordingly:

    size code | v[0] | v[1] | ... | v[n] | 1 | 0

v[0] is the nominal diameter, v[1] the length (the thickness for washers and nuts); the field
"1" is the part-number text (the part number is then derived from the part name) and the
closing 0 is the last field. Every file starts with comment lines that name the standard, the
columns and the sources the figures were checked against. Files are written with CR LF line
ends in plain ASCII, as the table readers expect.

The thread length b of bolts and screws follows the ISO rule b = 2d + 6 (l <= 125),
2d + 12 (125 < l <= 200), 2d + 25 (l > 200) unless the standard says otherwise; DistFiletto,
the unthreaded length under the head, is l - b (0 when the part is threaded to the head).
"""

import argparse
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import fastener_figures as F  # noqa: E402

KINDS = ("Bolts", "Screws", "SetScrews", "Washers", "Nuts")
TYPE_COUNT = {"Bolts": 10, "Screws": 12, "SetScrews": 9, "Washers": 8, "Nuts": 9}
GENERATOR_NOTE = "# Written by tools/gen_standards.py from tools/fastener_figures.py: change those."
REF_NOTE = ("# Checked with tools/crosscheck_reference.py against the public reference tables "
            "in shared/reference")


def fmt(x):
    """A number as the tables write it: '.' decimals, no exponent, no trailing zeros."""
    if isinstance(x, str):
        return x
    x = round(float(x), 4)
    if x == int(x):
        return str(int(x))
    return ("%.4f" % x).rstrip("0").rstrip(".")


def code(d):
    return "M" + fmt(d)


def lengths(rng, series=F.ISO888):
    lo, hi = rng
    return [l for l in series if lo <= l <= hi]


def thread_length(d, l):
    """ISO thread length b of a partly threaded bolt (rounded to whole mm as in ISO 4014)."""
    if l <= 125:
        b = 2 * d + 6
    elif l <= 200:
        b = 2 * d + 12
    else:
        b = 2 * d + 25
    return math.floor(b + 0.5)


def screw_b(d):
    """Thread length of socket head cap and socket countersunk screws: b = 2d + 12."""
    return math.floor(2 * d + 12 + 0.5)


def plain_length(l, b, threshold):
    """l - b when that plain part is at least `threshold` long, else 0 (threaded to the head)."""
    return l - b if l - b >= threshold else 0.0


class Table:
    """One size data file: its file name, header text, column glossary and records."""

    def __init__(self, kind, filename, title, columns, notes, checked):
        self.kind = kind
        self.filename = filename
        self.title = title
        self.columns = columns  # [(symbol, meaning)] for v[0], v[1], ...
        self.notes = notes
        self.checked = checked
        self.records = []  # (size code, [values])

    def add(self, size, values):
        if len(values) != len(self.columns):
            raise ValueError("%s %s: %d values for %d columns" %
                             (self.filename, size, len(values), len(self.columns)))
        self.records.append((size, values))

    def text(self):
        out = ["# " + self.title, GENERATOR_NOTE]
        for n in self.notes:
            out.append("# " + n)
        out.append("# Record: size code, then v[0] to v[%d] below, then the part-number text 1 "
                   "(part number from the name), then a closing 0." % (len(self.columns) - 1))
        for i, (sym, meaning) in enumerate(self.columns):
            out.append("#   v[%d]  %-10s %s" % (i, sym, meaning))
        for c in self.checked:
            out.append("# Checked: " + c)
        for size, values in self.records:
            out.append("|".join([size] + [fmt(v) for v in values] + ["1", "0"]))
        for line in out:
            if "|" in line and line.startswith("#"):
                raise ValueError("a comment line may not hold a bar: " + line)
        return out


class Entry:
    """One record of a standards index file."""

    def __init__(self, type_code, table, name, description, designation, materials, template):
        self.type_code = type_code
        self.table = table
        self.name = name
        self.description = description
        self.designation = designation
        self.materials = materials
        self.template = template

    def line(self):
        fields = [self.table.filename, self.name, self.description, self.designation,
                  self.materials, self.template]
        for f in fields:
            if '"' in f:
                raise ValueError("double quote in index field: " + f)
        return " ".join('"%s"' % f for f in fields)


BOLT_TEMPLATE = "N CxL - M"
NUT_TEMPLATE = "N C - M"

# ---------------------------------------------------------------------------------------------
# Bolts (kind 0)

# Hexagon head lengths: the ISO 888 series without 2.5, which ISO 4017 does not list.
HEX_LENGTHS = [l for l in F.ISO888 if l != 2.5]

HEX_COLUMNS = [("d", "nominal thread diameter (Diametro)"),
               ("l", "nominal length (lung)"),
               ("l-b", "unthreaded shank under the head (DistFiletto), 0 = threaded to the head"),
               ("dw", "bearing face diameter, min (DiametroCollarino; no collar is drawn)"),
               ("e", "width across corners, min (not read by the builder)"),
               ("k", "head height (LungTesta)"),
               ("b", "thread length (not read by the builder)"),
               ("P", "coarse pitch, ISO 261 (Passo)"),
               ("s", "width across flats (DiamCerchioTesta)")]


def hex_bolt(filename, title, head, rng, series, partial, notes, checked):
    t = Table("Bolts", filename, title, HEX_COLUMNS, notes, checked)
    for d in sorted(rng):
        s, k, dw, e = head[d]
        for l in lengths(rng[d], series):
            if partial:
                b = thread_length(d, l)
                f = max(0.0, l - b)
            else:
                b, f = l, 0.0
            t.add(code(d), [d, l, f, dw, e, k, b, F.PITCH[d], s])
    return t


FLANGE_COLUMNS = [("d", "nominal thread diameter"), ("l", "nominal length"),
                  ("l-b", "unthreaded shank (DistFiletto); 0 up to the length b0"),
                  ("dc", "flange diameter, max (DiametroCollarino)"),
                  ("b0", "longest length threaded to the head (not read)"),
                  ("k-c", "hexagon height above the flange (LungTesta)"),
                  ("b", "thread length (not read)"),
                  ("P", "coarse pitch (Passo)"),
                  ("s", "width across flats (DiamCerchioTesta)"),
                  ("k", "total head height, max (not read)"),
                  ("c", "flange height, min (LungCollarino)")]


def flange_bolt(filename, title, data, rng, notes, checked):
    t = Table("Bolts", filename, title, FLANGE_COLUMNS, notes, checked)
    for d in sorted(rng):
        s, k, c, dc, b0 = data[d]
        for l in lengths(rng[d]):
            b = thread_length(d, l)
            f = 0.0 if l <= b0 else max(0.0, l - b)
            t.add(code(d), [d, l, f, dc, b0, round(k - c, 3), b, F.PITCH[d], s, k, c])
    return t


def headless_shank(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "plain shank length (DistFiletto)"),
            ("n", "slot width (not drawn by this type)"),
            ("t", "slot depth, mean of the limits (not drawn by this type)"),
            ("P", "coarse pitch (Passo)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.ISO2342_RANGE):
        b, n, sd = F.ISO2342[d]
        for l in lengths(F.ISO2342_RANGE[d]):
            t.add(code(d), [d, l, max(0.0, l - b), n, sd, F.PITCH[d]])
    return t


def square_head(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto)"),
            ("e", "across the trimmed corners (DiamCerchioTesta, the corner-trimming circle)"),
            ("s", "square side (LatoTesta)"),
            ("k", "head height, collar included (LungTesta)"),
            ("b", "thread length (not read)"),
            ("P", "coarse pitch (Passo)"),
            ("dc", "collar diameter (not drawn by this type)"),
            ("c", "collar height (not drawn by this type)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN478_RANGE):
        s, e, k, c, dc = F.DIN478[d]
        for l in lengths(F.DIN478_RANGE[d]):
            b = thread_length(d, l)
            t.add(code(d), [d, l, max(0.0, l - b), e, s, k, b, F.PITCH[d], dc, c])
    return t


def threaded_rod(filename, title, sizes, length_list, notes, checked):
    cols = [("d", "nominal thread diameter"),
            ("l", "length (the dialog may replace it by the manual length)"),
            ("P", "coarse pitch (Passo)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sizes:
        for l in length_list(d):
            t.add(code(d), [d, l, F.PITCH[d]])
    return t


def cup_head_nib(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto)"), ("b", "thread length (not read)"),
            ("-", "unused, 0"), ("k", "head height (LungTesta)"), ("-", "unused, 0"),
            ("P", "coarse pitch (Passo)"), ("dk", "head diameter (DiamCerchioTesta)"),
            ("h", "nib height beyond the shank (Var2)"), ("t", "nib thickness (Var1)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN607_RANGE):
        dk, k, nt, nh = F.DIN607[d]
        for l in lengths(F.DIN607_RANGE[d]):
            b = thread_length(d, l)
            t.add(code(d), [d, l, max(0.0, l - b), b, 0, k, 0, F.PITCH[d], dk, nh, nt])
    return t


def cup_head_square_neck(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, neck included"),
            ("l-b", "unthreaded shank under the head, at least the neck (DistFiletto)"),
            ("b", "thread length (not read)"), ("-", "unused, 0"),
            ("k", "head height (LungTesta)"), ("-", "unused, 0"),
            ("P", "coarse pitch (Passo)"), ("dk", "head diameter (DiamCerchioTesta)"),
            ("v", "square neck side (Var1)"), ("-", "unused, 0"),
            ("f", "square neck depth (Var2)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN603_RANGE):
        dk, k, f, v = F.DIN603[d]
        for l in lengths(F.DIN603_RANGE[d]):
            b = thread_length(d, l)
            t.add(code(d), [d, l, max(f, l - b), b, 0, k, 0, F.PITCH[d], dk, v, 0, f])
    return t


def csk_nib(filename, title, raise_height, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, head included"),
            ("F", "plain length from the top of the head, at least k (DistFiletto)"),
            ("a", "countersink angle, degrees (Var3)"), ("b", "thread length (not read)"),
            ("k", "head height (LungTesta)"), ("dk", "head diameter, max (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)")]
    if raise_height is None:
        cols += [("g", "nib width, max (Var1: nib size and thickness)"),
                 ("i", "nib length, max (Var2)")]
    else:
        cols += [("-", "unused, 0"), ("f", "height of the raise over the head (Var4)"),
                 ("g", "nib width, max (Var1)"), ("i", "nib length, max (Var2)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN604_RANGE):
        dk, k, ang, g, i = F.DIN604[d]
        for l in lengths(F.DIN604_RANGE[d]):
            b = thread_length(d, l)
            row = [d, l, max(k, l - b), ang, b, k, dk, F.PITCH[d]]
            if raise_height is None:
                row += [g, i]
            else:
                row += [0, raise_height(d, dk), g, i]
            t.add(code(d), row)
    return t


def csk_square_neck(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, head included"),
            ("F", "plain length from the top of the head, at least k + neck (DistFiletto)"),
            ("a", "countersink angle, degrees (Var3)"), ("b", "thread length (not read)"),
            ("k", "head height (LungTesta)"), ("dk", "head diameter (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)"),
            ("k+f", "square neck bottom below the top of the head (Var2)"),
            ("v", "square neck side (Var1)")]
    t = Table("Bolts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN608_RANGE):
        dk, k, ang, v, f = F.DIN608[d]
        for l in lengths(F.DIN608_RANGE[d]):
            b = thread_length(d, l)
            t.add(code(d), [d, l, max(k + f, l - b), ang, b, k, dk, F.PITCH[d],
                            round(k + f, 3), v])
    return t


# ---------------------------------------------------------------------------------------------
# Screws (kind 1)

def socket_cap(filename, title, data, rng, series, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto), 0 while l - b < d"),
            ("dk", "head diameter, max of the plain head (DiamCerchioTesta)"),
            ("b", "thread length 2d + 12 (not read)"), ("k", "head height (LungTesta)"),
            ("v", "top edge break, max, drawn as the top-edge rounding (Var1)"),
            ("P", "coarse pitch (Passo)"), ("s", "socket width across flats (Var2)"),
            ("-", "unused, 0"), ("t", "socket depth, min (Var3)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d in sorted(rng):
        dk, k, s, sd, v = data[d]
        b = screw_b(d)
        for l in lengths(rng[d], series):
            t.add(code(d), [d, l, plain_length(l, b, d), dk, b, k, v, F.PITCH[d], s, 0, sd])
    return t


def socket_csk(filename, title, rows, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, head included"),
            ("F", "plain length from the top of the head, at least k (DistFiletto)"),
            ("a", "countersink angle, degrees (Var1)"), ("b", "thread length (not read)"),
            ("k", "head height, max (LungTesta)"),
            ("dk", "head diameter drawn (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)"), ("s", "socket width across flats (Var2)"),
            ("dk_th", "theoretical head diameter, max (not read; 0 when not tabulated)"),
            ("t", "socket depth (Var3)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d, ls, ang, b, k, dk, s, dkth, sd in rows:
        for l in ls:
            f = max(k, plain_length(l, b, d))
            t.add(code(d), [d, l, f, ang, b, k, dk, F.PITCH[d], s, dkth, sd])
    return t


def button_head(filename, title, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto), 0 while l - b < d"),
            ("dk", "head diameter, max (DiamCerchioTesta)"), ("b", "thread length (not read)"),
            ("k", "head height (LungTesta)"), ("-", "unused, 0"),
            ("P", "coarse pitch (Passo)"), ("s", "socket width across flats (Var2)"),
            ("-", "unused, 0"), ("t", "socket depth, min (Var3)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d in sorted(F.ISO7380_RANGE):
        dk, k, s, sd = F.ISO7380[d]
        b = screw_b(d)
        for l in lengths(F.ISO7380_RANGE[d]):
            t.add(code(d), [d, l, plain_length(l, b, d), dk, b, k, 0, F.PITCH[d], s, 0, sd])
    return t


def slotted_b(d):
    """Thread length of ISO slotted and cross recessed screws: 25 up to M3, else 38."""
    return 25 if d <= 3 else 38


def slotted_full(d):
    """Longest length of ISO slotted and cross recessed screws threaded to the head."""
    return 30 if d <= 3 else 40


def cheese_head(filename, title, data, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto); 0 up to 30 (M3) or 40 mm"),
            ("dk", "head diameter, max (DiamCerchioTesta)"),
            ("r", "under-head radius, min (not read)"), ("k", "head height, max (LungTesta)"),
            ("b", "thread length, min (not read)"), ("P", "coarse pitch (Passo)"),
            ("-", "unused, 0"), ("-", "unused, 0"), ("n", "slot width, nominal (Var1)"),
            ("t", "slot depth, min (Var2)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d in sorted(F.SLOTTED_RANGE):
        dk, k, n, sd, r = data[d]
        b = slotted_b(d)
        for l in lengths(F.SLOTTED_RANGE[d]):
            f = 0.0 if l <= slotted_full(d) else l - b
            t.add(code(d), [d, l, f, dk, r, k, b, F.PITCH[d], 0, 0, n, sd])
    return t


def csk_plain_length(d, l, k):
    """Countersunk screws: plain from the top of the head to the thread; at least the head."""
    full = 30 if d <= 3 else 45
    return k if l <= full else max(k, l - slotted_b(d))


def slotted_csk(filename, title, raised, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, head included"),
            ("F", "plain length from the top of the head, at least k (DistFiletto)"),
            ("a", "countersink angle, degrees (Var1)"), ("b", "thread length, min (not read)"),
            ("k", "head height, max (LungTesta)"),
            ("dk", "actual head diameter, max (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)")]
    if raised:
        cols += [("rf", "radius of the raise (not read)"),
                 ("t", "slot depth from the top of the raise, mean of the limits (Var3)"),
                 ("n", "slot width, nominal (Var2)"), ("f", "height of the raise (Var4)")]
    else:
        cols += [("n", "slot width, nominal (Var2)"),
                 ("t", "slot depth, mean of the limits (Var3)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d in sorted(F.CSK_RANGE):
        dkth, dk, k, n, sd, f, rf, sd2 = F.ISO_CSK[d]
        for l in lengths(F.CSK_RANGE[d]):
            row = [d, l, csk_plain_length(d, l, k), 90, slotted_b(d), k, dk, F.PITCH[d]]
            row += [rf, sd2, n, f] if raised else [n, sd]
            t.add(code(d), row)
    return t


def dome_height(rf, dk):
    """Height of the spherical crown of radius rf over the head diameter dk."""
    return rf - math.sqrt(rf * rf - (dk / 2) ** 2)


def pan_cross(filename, title, recess, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length"),
            ("l-b", "unthreaded shank (DistFiletto); 0 up to 30 (M3) or 40 mm"),
            ("no", "cross recess number (not read)"), ("b", "thread length, min (not read)"),
            ("k", "head height, max; k minus v[11] is the crown (Var4)"),
            ("dk", "head diameter, max (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)"),
            ("m", "recess %s diameter across the arms, m (Var2)" % recess),
            ("t", "recess %s penetration depth, mean of the gauge limits (Var3)" % recess),
            ("r", "under-head radius, min (Var1)"),
            ("k-f", "cylindrical part of the head under the crown of radius rf (LungTesta)")]
    t = Table("Screws", filename, title, cols, notes, checked)
    for d in sorted(F.ISO7045_RANGE):
        dk, k, rf, r, no, mh, mz, th, tz = F.ISO7045[d]
        m, pen = (mh, th) if recess == "H" else (mz, tz)
        kc = round(k - dome_height(rf, dk), 3)
        b = slotted_b(d)
        for l in lengths(F.ISO7045_RANGE[d]):
            f = 0.0 if l <= slotted_full(d) else l - b
            t.add(code(d), [d, l, f, no, b, k, dk, F.PITCH[d], m, pen, r, kc])
    return t


def csk_cross(filename, title, recess, raised, notes, checked):
    cols = [("d", "nominal thread diameter"), ("l", "nominal length, head included"),
            ("F", "plain length from the top of the head, at least k (DistFiletto)"),
            ("a", "countersink angle, degrees (Var1)"), ("b", "thread length, min (not read)"),
            ("k", "head height, max (LungTesta)"),
            ("dk", "actual head diameter, max (DiamCerchioTesta)"),
            ("P", "coarse pitch (Passo)"),
            ("m", "recess %s diameter across the arms, m (Var2)" % recess),
            ("t", "recess %s penetration depth%s (Var3)" %
             (recess, " from the top of the raise" if raised else "")),
            ("no", "cross recess number (not read)"),
            ("k", "head height again, so that v[5] - v[11] = 0")]
    if raised:
        cols.append(("f", "height of the raise (Var4)"))
    t = Table("Screws", filename, title, cols, notes, checked)
    mtab = F.ISO7047_M if raised else F.ISO7046_M
    for d in sorted(F.CSK_RANGE):
        dkth, dk, k, n, sd, f, rf, sd2 = F.ISO_CSK[d]
        no = F.ISO7045[d][4]
        m = mtab[d][0] if recess == "H" else mtab[d][1]
        pen = F.ISO7045[d][7] if recess == "H" else F.ISO7045[d][8]
        if raised:
            pen = pen + f
        # The pan head's gauge depth is deeper than a countersunk head: keep 10 % of the head.
        pen = round(min(pen, 0.9 * (k + (f if raised else 0))), 3)
        for l in lengths(F.CSK_RANGE[d]):
            row = [d, l, csk_plain_length(d, l, k), 90, slotted_b(d), k, dk, F.PITCH[d], m,
                   pen, no, k]
            if raised:
                row.append(f)
            t.add(code(d), row)
    return t


# ---------------------------------------------------------------------------------------------
# Set screws (kind 2)

def socket_set(filename, title, point, notes, checked):
    point_cols = {"flat": ("dp", "flat point diameter, max (DiamInf)"),
                  "dog": ("dp", "dog point diameter, max (DiamInf, DiamCilindro)"),
                  "cone": ("dt", "cone point truncation diameter, max (DiamInf)"),
                  "cup": ("dz", "cup point diameter, max (DiamInf, DiamCoppa)")}
    cols = [("d", "nominal thread diameter"),
            ("l", "nominal length%s" % (", dog included (lung; the body is l - z)" if point == "dog"
                                        else "")),
            point_cols[point], ("e", "socket across corners, min (not read)"),
            ("s", "socket width across flats (LargIntaglio)"), ("P", "coarse pitch (Passo)"),
            ("t", "socket depth, min: the short-screw value up to l = 1.2 d or twice the "
                  "long-screw value (AltIntaglio)"),
            ("a", "chamfer angle at the top, degrees (SmussoSuperiore%s)" %
             (", SmussoInferiore" if point == "cone" else ""))]
    if point == "dog":
        cols.append(("z", "dog length, min: short dog up to l = 1.6 d (AltCilindro)"))
    t = Table("SetScrews", filename, title, cols, notes, checked)
    for d in sorted(F.SOCKET_SET_RANGE):
        s, t1, t2, dp, dt, dz, zs, zl = F.SOCKET_SET[d]
        e = round(1.14 * s, 3)
        pdia = {"flat": dp, "dog": dp, "cone": dt, "cup": dz}[point]
        for l in lengths(F.SOCKET_SET_RANGE[d]):
            depth = t1 if l <= max(1.2 * d, 2 * t2) else t2
            row = [d, l, pdia, e, s, F.PITCH[d], depth, 90]
            if point == "dog":
                row.append(zs if l <= 1.6 * d else zl)
            t.add(code(d), row)
    return t


def slotted_set(filename, title, point, rng, notes, checked):
    point_cols = {"flat": ("dp", "flat point diameter, max (DiamInf)"),
                  "dog": ("dp", "dog point diameter, max (DiamInf, DiamCilindro)"),
                  "cone": ("dt", "cone point truncation diameter, max (DiamInf)"),
                  "cup": ("dz", "cup point diameter, max (DiamInf, DiamCoppa)")}
    cols = [("d", "nominal thread diameter"),
            ("l", "nominal length%s" % (", dog included (lung; the body is l - z)" if point == "dog"
                                        else "")),
            point_cols[point], ("n", "slot width, nominal (LargIntaglio)"),
            ("t", "slot depth, mean of the limits (AltIntaglio)"),
            ("P", "coarse pitch (Passo)"),
            ("a", "chamfer angle at the top, degrees (SmussoSuperiore%s)" %
             (", SmussoInferiore" if point == "cone" else "")),
            ("z", "dog length, min (AltCilindro)" if point == "dog" else "unused, 0")]
    t = Table("SetScrews", filename, title, cols, notes, checked)
    for d in sorted(rng):
        n, sd, dp, dt, dz, z = F.SLOTTED_SET[d]
        pdia = {"flat": dp, "dog": dp, "cone": dt, "cup": dz}[point]
        for l in lengths(rng[d]):
            t.add(code(d), [d, l, pdia, n, sd, F.PITCH[d], 90, z if point == "dog" else 0])
    return t


def stud(filename, title, bm_table, notes, checked):
    cols = [("d", "nominal thread diameter"),
            ("l", "nominal length, metal end excluded (lung)"),
            ("l+bm", "overall length (not read)"), ("-", "unused, 0"),
            ("b", "nut end thread, domed end included (LungGambo)"),
            ("bm", "metal end thread (LungRadice)"), ("-", "unused, 0"),
            ("P", "coarse pitch (Passo; also the height of the domed end, AltCalotta)")]
    t = Table("SetScrews", filename, title, cols, notes, checked)
    for d in sorted(F.STUD_RANGE):
        bm = bm_table[d]
        p = F.PITCH[d]
        for l in lengths(F.STUD_RANGE[d]):
            b = thread_length(d, l)
            # Short studs are threaded up to a plain run-out of at least 2 P or d/2.
            g = min(b, l - max(2 * p, d / 2.0))
            t.add(code(d), [d, l, l + bm, 0, g, bm, 0, p])
    return t


# ---------------------------------------------------------------------------------------------
# Washers (kind 3)

def plain_washer(filename, title, data, notes, checked):
    cols = [("d", "nominal size: thread diameter (DiametroNominale)"),
            ("h", "thickness, listed as the washer's length"),
            ("d1", "hole diameter, min = nominal (DiametroInterno)"),
            ("d2", "outside diameter, max = nominal (DiametroEsterno)"),
            ("h", "thickness, nominal (Spessore)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(data):
        d1, d2, h = data[d]
        t.add(code(d), [d, h, d1, d2, h])
    return t


def spring_washer(filename, title, notes, checked):
    cols = [("d", "nominal size: thread diameter"), ("s", "section thickness (listed)"),
            ("d1", "inside diameter, min (DiametroInterno)"),
            ("s", "section thickness (Spessore; the ring is drawn flat)"),
            ("d1+2b", "outside diameter of the section (DiametroEsterno)"),
            ("h", "free height of form B, min (not read)"),
            ("b", "section width (not read)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(F.DIN127):
        d1, b, s, h = F.DIN127[d]
        t.add(code(d), [d, s, d1, s, round(d1 + 2 * b, 3), h, b])
    return t


def chamfered_washer(filename, title, data, notes, checked):
    cols = [("d", "nominal size: thread diameter"), ("h", "thickness (listed)"),
            ("d1", "hole diameter, min = nominal (DiametroInterno)"),
            ("h", "thickness, nominal (Spessore)"),
            ("d2", "outside diameter, max = nominal (DiametroEsterno)"),
            ("c", "outer chamfer: straight rim height and inset of the top face, h/2 "
                  "(SpessoreSmusso)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(data):
        if d < 5:
            continue
        d1, d2, h = data[d]
        t.add(code(d), [d, h, d1, h, d2, h / 2.0])
    return t


def square_hole_washer(filename, title, notes, checked):
    cols = [("d", "nominal size: thread diameter"), ("h", "thickness (listed)"),
            ("a", "side of the square hole (lato)"),
            ("d2", "outside diameter (DiametroEsterno)"), ("h", "thickness (Spessore)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(F.DIN440):
        if d < 8:
            continue
        d1, d2, h = F.DIN440[d]
        t.add(code(d), [d, h, d1, d2, h])
    return t


def square_washer(filename, title, notes, checked):
    cols = [("d", "nominal size: thread diameter"), ("s", "thickness (listed)"),
            ("d1", "hole diameter (DiametroInterno)"), ("a", "side of the square (lato)"),
            ("s", "thickness (Spessore)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(F.DIN436):
        d1, a, s = F.DIN436[d]
        t.add(code(d), [d, s, d1, a, s])
    return t


def taper_washer(filename, title, data, slope, notes, checked):
    cols = [("d", "nominal size: thread diameter"),
            ("h", "thickness at the hole axis (listed)"),
            ("b", "width along the slope (lato)"),
            ("a", "length along the grooves (Lato1)"),
            ("c", "45 degree chamfer of the hole (SpessoreSmusso)"),
            ("d1", "hole diameter (DiametroInterno)"),
            ("H", "thickness at the thick end, h + slope * b/2 (Spessore)"),
            ("H1", "thickness at the thin end, h - slope * b/2 (Spessore1)"),
            ("g", "groove width and depth (Scanalatura)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(data):
        d1, a, b, h = data[d]
        half = slope * b / 2.0
        g = 0.5 if d <= 10 else (0.7 if d <= 12 else 1.0)
        t.add(code(d), [d, h, b, a, 0.5, d1, round(h + half, 3), round(h - half, 3), g])
    return t


def hv_washer(filename, title, notes, checked):
    cols = [("d", "nominal size: thread diameter"),
            ("h", "thickness (listed)"),
            ("c", "inner chamfer on the top face, from the hole to 1.2 d (SpessoreSmusso)"),
            ("d2", "outside diameter (DiametroEsterno)"),
            ("c1", "outer edge break on the top face, h/4 (SpessoreSmusso1)"),
            ("h", "thickness (Spessore)"),
            ("d1", "hole diameter (DiametroInterno)")]
    t = Table("Washers", filename, title, cols, notes, checked)
    for d in sorted(F.HV_WASHER):
        d1, d2, h = F.HV_WASHER[d]
        c = round((1.2 * d - d1) / 2.0, 3)
        t.add(code(d), [d, h, c, d2, h / 4.0, h, d1])
    return t


# ---------------------------------------------------------------------------------------------
# Nuts (kind 4)

def hex_nut(filename, title, data, heights, notes, checked):
    cols = [("d", "thread diameter (DiametroFiletto)"), ("m", "nut height (listed)"),
            ("e", "width across corners, min (not read)"), ("m", "nut height, max (Spessore)"),
            ("s", "width across flats (DiametroEsterno)"), ("P", "coarse pitch (Passo)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(data):
        s, m, e = data[d]
        if heights is not None:
            m = heights[d]
        t.add(code(d), [d, m, e, m, s, F.PITCH[d]])
    return t


def castle_nut(filename, title, notes, checked):
    cols = [("d", "thread diameter"), ("m", "nut height (listed)"),
            ("e", "width across corners, min, as DIN 934 (not read)"),
            ("m*", "crowned sizes: m; sizes without crown: 2m - w, so that v[3] - v[6] is the "
                   "slot depth m - w (Spessore, not read by the builder for this kind)"),
            ("s", "width across flats (DiametroEsterno)"), ("P", "coarse pitch (Passo)"),
            ("w*", "crowned: w, height of the hexagon and of the slot bottoms; without crown: "
                   "m, the hexagon height (InizioCorona)"),
            ("n", "slot width, mean of the limits (Scanalatura)"),
            ("de", "crown diameter, 0 = no crown (DiametroCorona)"),
            ("ns", "number of slots (numCave)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN935):
        m, w, n, de, ns = F.DIN935[d]
        s, _, e = F.DIN934[d]
        if de > 0:
            t.add(code(d), [d, m, e, m, s, F.PITCH[d], w, n, de, ns])
        else:
            t.add(code(d), [d, m, e, round(2 * m - w, 3), s, F.PITCH[d], m, n, 0, ns])
    return t


def insert_nut(filename, title, data, notes, checked):
    cols = [("d", "thread diameter"), ("h", "total height (listed)"),
            ("e", "width across corners, min (not read)"),
            ("m", "height of the hexagon (Spessore)"),
            ("s", "width across flats (DiametroEsterno; also the insert collar diameter)"),
            ("P", "coarse pitch (Passo)"),
            ("h", "total height, max; h - m is the insert collar on top (InizioCorona)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(data):
        s, h, m, e = data[d]
        t.add(code(d), [d, h, e, m, s, F.PITCH[d], h])
    return t


def square_nut(filename, title, data, notes, checked):
    cols = [("d", "thread diameter"), ("m", "nut height (listed)"),
            ("s", "side of the square (LatoRet)"), ("m", "nut height (Spessore)"),
            ("e", "across the trimmed corners, min (DiametroInterno: corner cuts and chamfer)"),
            ("P", "coarse pitch (Passo)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(data):
        s, m, e = data[d]
        t.add(code(d), [d, m, s, m, e, F.PITCH[d]])
    return t


def domed_cap_nut(filename, title, notes, checked):
    cols = [("d", "thread diameter"), ("h", "total height (listed)"),
            ("e", "width across corners, min (not read)"),
            ("k", "height of the hexagon (Spessore)"), ("s", "width across flats"),
            ("t-k", "height of the blind thread above the hexagon (AltezzaInternoCalotta)"),
            ("t", "thread depth (not read)"), ("dk", "dome diameter (DiametroCalotta)"),
            ("d", "dome cavity diameter = thread diameter (DiametroInternoCalotta)"),
            ("h", "total height (h - k: AltezzaCalotta)"), ("w", "top wall (not read)"),
            ("R", "dome rounding radius (RaggioCalotta)"),
            ("Ri", "cavity rounding radius (RaggioInternoCalotta)"),
            ("P", "coarse pitch (Passo)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN1587):
        s, k, h, dk, td, w = F.DIN1587[d]
        hk = h - k
        r = round(min(dk / 2.0, hk / 2.0) - 0.1, 3)
        ri = round(0.45 * d, 3)
        e = F.DIN934[d][2] if s == F.DIN934[d][0] else F.ISO4032[d][2]
        t.add(code(d), [d, h, e, k, s, round(td - k, 3), td, dk, d, h, w, r, ri, F.PITCH[d]])
    return t


def low_cap_nut(filename, title, notes, checked):
    cols = [("d", "thread diameter"), ("h", "total height (listed)"),
            ("e", "width across corners, min (not read)"),
            ("t", "height of the threaded hexagon body (Spessore)"),
            ("s", "width across flats"), ("-", "unused, 0"),
            ("w", "top wall; v[8] - v[3] - v[6] is the tip of the cavity cone"),
            ("s", "dome diameter (DiametroCalotta, not drawn)"),
            ("h", "total height (h - t: AltezzaCalotta)"),
            ("t+hc", "top of the straight part under the arch (AltezzaInternoCalotta)"),
            ("P", "coarse pitch (Passo)"),
            ("f", "height of the arch: crown of radius r over s (RaggioCalotta)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN917):
        s, h, r, td, w = F.DIN917[d]
        hk = h - td
        f = dome_height(r, s)
        ri = hk - w
        hki = max(0.2, min(hk - f, 0.8 * ri))
        e = F.DIN934[d][2]
        t.add(code(d), [d, h, e, td, s, 0, w, s, h, round(td + hki, 3), F.PITCH[d],
                        round(hk - hki, 3)])
    return t


def insert_cap_nut(filename, title, notes, checked):
    cols = [("d", "thread diameter"), ("h", "total height (listed)"),
            ("e", "width across corners, min (not read)"),
            ("m", "height of the hexagon (Spessore)"), ("s", "width across flats"),
            ("-", "unused, 0"), ("-", "unused, 0"), ("-", "unused, 0"),
            ("dk", "dome diameter (DiametroCalotta)"),
            ("h", "total height (v[9] - v[3]: AltezzaCalotta)"),
            ("h1", "height of the dome base (v[10] - v[3]: AltezzaInternoCalotta)"),
            ("-", "unused, 0"), ("R", "dome height, dk/2 (RaggioCalotta)"),
            ("P", "coarse pitch (Passo)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for d in sorted(F.DIN986):
        s, m, h1, dk = F.DIN986[d]
        h = round(h1 + dk / 2.0, 3)
        e = F.DIN934[d][2]
        t.add(code(d), [d, h, e, m, s, 0, 0, 0, dk, h, h1, 0, dk / 2.0, F.PITCH[d]])
    return t


def round_nut(filename, title, notes, checked):
    cols = [("d", "thread diameter (fine pitch)"), ("B", "nut height (listed)"),
            ("D", "outside diameter (DiametroEsterno)"), ("B", "nut height (Spessore)"),
            ("D-1", "start of the 0.5 mm outer top chamfer (DiametroInterno)"),
            ("b", "slot width (Scanalatura)"), ("h", "slot depth (LargScanalatura)"),
            ("P", "fine pitch of the series (Passo)"), ("-", "unused, 0"),
            ("n", "number of slots (numCave)")]
    t = Table("Nuts", filename, title, cols, notes, checked)
    for km, d, p, dd, bb, b, h in F.KM_NUTS:
        t.add("%s M%sx%s" % (km, fmt(d), fmt(p)), [d, bb, dd, bb, dd - 1.0, b, h, p, 0, 4])
    return t


# ---------------------------------------------------------------------------------------------
# The library

REF = {
    "FW": "FreeCAD_FastenersWB",
    "WH": "bd_warehouse",
    "BO": "BOLTS",
}


def build_library():
    """Returns {family: {kind: [Entry]}} and {family: {kind: {materials file: [entries]}}}."""
    lib = {"ISO": {k: [] for k in KINDS}, "DIN": {k: [] for k in KINDS}}

    def add(fam, kind, type_code, table, name, descr, desig, mat, template=BOLT_TEMPLATE):
        lib[fam][kind].append(Entry(type_code, table, name, descr, desig, mat, template))

    no_fw_check = "no open table of this standard was available; figures not cross-checked"

    # Bolts -----------------------------------------------------------------------------------
    t = hex_bolt("ISO4014.tab", "ISO 4014:2011 Hexagon head bolts, product grades A and B",
                 F.ISO_HEX_HEAD, F.ISO4014_RANGE, F.ISO888, True,
                 ["Thread length b = 2d + 6 / 2d + 12 / 2d + 25 by length; l - b is the plain "
                  "shank.", "Sizes M3.5, M14, M18, M22, M27, M33 are second choice."],
                 ["s, k against FreeCAD_FastenersWB iso4014head.csv, bd_warehouse "
                  "hex_head_parameters.csv, BOLTS hex.blt (hexbolt2)"])
    add("ISO", "Bolts", 1, t, "ISO 4014", "Hexagon head bolts, partly threaded, grades A and B",
        "Hexagon head bolt", "Bolts.mat")
    t = hex_bolt("ISO4017.tab", "ISO 4017:2011 Hexagon head screws, product grades A and B",
                 F.ISO_HEX_HEAD, F.ISO4017_RANGE, HEX_LENGTHS, False,
                 ["Threaded to the head: DistFiletto is 0 and b is the whole length."],
                 ["s, k against FreeCAD_FastenersWB iso4017head.csv, bd_warehouse "
                  "hex_head_parameters.csv, BOLTS hex.blt (hexscrew2)"])
    add("ISO", "Bolts", 1, t, "ISO 4017", "Hexagon head screws, threaded to the head, "
        "grades A and B", "Hexagon head screw", "Bolts.mat")
    t = hex_bolt("DIN931.tab", "DIN 931-1:1987 Hexagon head bolts",
                 F.DIN_HEX_HEAD, F.DIN931_RANGE, F.DIN931_LENGTHS, True,
                 ["Widths across flats of the DIN series: M10 17, M12 19, M14 22, M22 32; "
                  "k as ISO 4014.", "Thread length b by the ISO rule (2d + 6 / 12 / 25)."],
                 ["s, k, e against BOLTS hex.blt (hexbolt1) and bd_warehouse "
                  "hex_head_parameters.csv (din931)"])
    add("DIN", "Bolts", 1, t, "DIN 931", "Hexagon head bolts, partly threaded",
        "Hexagon head bolt", "Bolts.mat")
    t = hex_bolt("DIN933.tab", "DIN 933:1987 Hexagon head screws, threaded to the head",
                 F.DIN_HEX_HEAD, F.DIN933_RANGE, HEX_LENGTHS, False,
                 ["Widths across flats of the DIN series: M10 17, M12 19, M14 22, M22 32."],
                 ["s, k, e against FreeCAD_FastenersWB din933def.csv and BOLTS hex.blt "
                  "(hexscrew1)"])
    add("DIN", "Bolts", 1, t, "DIN 933", "Hexagon head screws, threaded to the head",
        "Hexagon head screw", "Bolts.mat")

    t = flange_bolt("ISO4162.tab", "ISO 4162:2012 Hexagon flange bolts, small series",
                    F.ISO4162, F.ISO4162_RANGE,
                    ["The flange is drawn as a cylinder of diameter dc and height c under the "
                     "hexagon."],
                    ["against FreeCAD_FastenersWB iso4162def.csv and en1662def.csv, "
                     "bd_warehouse hex_head_with_flange_parameters.csv (din1662)"])
    add("ISO", "Bolts", 2, t, "ISO 4162", "Hexagon flange bolts, small series",
        "Hexagon flange bolt", "Bolts.mat")
    t = flange_bolt("EN1665.tab", "DIN EN 1665:1998 Hexagon head bolts with flange, heavy "
                    "series (successor of DIN 6921)", F.EN1665, F.EN1665_RANGE,
                    ["The flange is drawn as a cylinder of diameter dc and height c under the "
                     "hexagon."],
                    ["against FreeCAD_FastenersWB en1665def.csv and bd_warehouse "
                     "hex_head_with_flange_parameters.csv (din1665)"])
    add("DIN", "Bolts", 2, t, "DIN EN 1665", "Hexagon flange bolts, heavy series",
        "Hexagon flange bolt", "Bolts.mat")

    closest3 = ["Closest fit: this type draws a headless shank threaded at its tip with a "
                "plain part under the seating plane.", "The standard's slot at the plain end "
                "is not drawn by this type; its n and t are kept for reference."]
    t = headless_shank("ISO2342.tab", "ISO 2342:1972 Slotted headless screws with shank",
                       closest3, ["b, n, t against FreeCAD_FastenersWB iso2342.csv"])
    add("ISO", "Bolts", 3, t, "ISO 2342", "Headless screws with plain shank, drawn without "
        "the slot", "Headless screw with shank", "Headless.mat")
    t = headless_shank("DIN427.tab", "DIN 427:1986 Slotted headless screws with shank "
                       "(dimensions as ISO 2342)", closest3,
                       ["b, n, t against FreeCAD_FastenersWB iso2342.csv"])
    add("DIN", "Bolts", 3, t, "DIN 427", "Headless screws with plain shank, drawn without "
        "the slot", "Headless screw with shank", "Headless.mat")

    t = square_head("DIN478.tab", "DIN 478:1985 Square head bolts with collar",
                    ["Closest fit: this type draws a square head without a collar; the head "
                     "height k includes the collar, whose c and dc are kept for reference.",
                     "The corners of the square are trimmed on the circle e."],
                    ["s, e, k, c, dc against FreeCAD_FastenersWB din478def.csv"])
    add("DIN", "Bolts", 4, t, "DIN 478", "Square head bolts, the collar drawn square as part "
        "of the head", "Square head bolt", "Bolts.mat")

    t = threaded_rod("DIN975.tab", "DIN 975:2021 Threaded rods", F.ROD_SIZES,
                     lambda d: [1000, 2000, 3000],
                     ["Stock lengths 1000, 2000 and 3000 mm; the dialog's manual length "
                      "replaces them."], ["pitch against FreeCAD_FastenersWB iso262def.csv"])
    add("DIN", "Bolts", 5, t, "DIN 975", "Threaded rods", "Threaded rod", "Rods.mat")
    t = threaded_rod("DIN976A.tab", "DIN 976-1:2016 Stud bolts, form A (thread over the whole "
                     "length)", F.ROD_SIZES[1:],
                     lambda d: [l for l in F.ISO888 if max(20, 3 * d) <= l <= 300],
                     ["Lengths: ISO 888 series from 3 d (at least 20) to 300 mm."],
                     ["pitch against FreeCAD_FastenersWB iso262def.csv"])
    add("DIN", "Bolts", 5, t, "DIN 976-1 A", "Stud bolts threaded over the whole length",
        "Stud bolt", "Rods.mat")

    t = cup_head_nib("DIN607.tab", "DIN 607:2010 Cup head nib bolts (M8 to M16)",
                     ["UNVERIFIED figures: dk = 2d, k = 0.6d, nib thickness 0.3d, nib height "
                      "0.25d are proportional estimates standing in for the standard's table.",
                      "Thread length b by the ISO rule."], [no_fw_check])
    add("DIN", "Bolts", 6, t, "DIN 607", "Cup head bolts with nib, product grade C",
        "Cup head nib bolt", "BoltsC.mat")

    t = cup_head_square_neck("DIN603.tab", "DIN 603:2017 Mushroom head square neck bolts",
                             ["dk, k, f, v are the means of the standard's limits.",
                              "Thread length b by the ISO rule; the thread never reaches "
                              "into the square neck."],
                             ["dk, k, f, v against FreeCAD_FastenersWB din603def.csv"])
    add("DIN", "Bolts", 7, t, "DIN 603", "Mushroom head square neck bolts (carriage bolts)",
        "Mushroom head square neck bolt", "BoltsC.mat")

    t = csk_nib("DIN604.tab", "DIN 604:1981 Flat countersunk nib bolts", None,
                ["dk, k, g, i are the standard's maxima; 90 degree head to M16, 60 degree "
                 "above."],
                ["against the DIN 604 table as published by boltport.com (not in "
                 "shared/reference)"])
    add("DIN", "Bolts", 8, t, "DIN 604", "Flat countersunk nib bolts, product grade C",
        "Flat countersunk nib bolt", "BoltsC.mat")
    t = csk_nib("DIN604R.tab", "DIN 604:1981 Flat countersunk nib bolts, drawn with a low "
                "raised head", lambda d, dk: round(0.05 * dk, 2),
                ["Closest fit: no standard raised countersunk nib bolt was found; this is "
                 "DIN 604 with a raise of 0.05 dk, the lowest dome the raised head draws "
                 "cleanly.", "dk, k, g, i are the DIN 604 maxima."],
                ["against the DIN 604 table as published by boltport.com"])
    add("DIN", "Bolts", 9, t, "DIN 604", "Countersunk nib bolts (DIN 604 head, slightly "
        "raised)", "Countersunk nib bolt", "BoltsC.mat")

    t = csk_square_neck("DIN608.tab", "DIN 608:1995 Flat countersunk square neck bolts",
                        ["Head as DIN 604 (dk max, k max, 90 or 60 degrees).",
                         "UNVERIFIED: square side v = d and neck depth 0.7 d are estimates "
                         "standing in for the standard's table."],
                        ["head against the DIN 604 table (boltport.com); " + no_fw_check])
    add("DIN", "Bolts", 10, t, "DIN 608", "Flat countersunk square neck bolts",
        "Flat countersunk square neck bolt", "BoltsC.mat")

    # Screws ----------------------------------------------------------------------------------
    t = socket_cap("ISO4762.tab", "ISO 4762:2004 Hexagon socket head cap screws", F.ISO4762,
                   F.ISO4762_RANGE, F.ISO888,
                   ["b = 2d + 12; lengths with l - b < d are threaded to the head."],
                   ["against FreeCAD_FastenersWB iso4762def.csv, bd_warehouse "
                    "socket_head_cap_parameters.csv, BOLTS hex_socket.blt"])
    add("ISO", "Screws", 1, t, "ISO 4762", "Hexagon socket head cap screws",
        "Hexagon socket head cap screw", "Socket.mat")
    t = socket_cap("DIN912.tab", "DIN 912:1983 Hexagon socket head cap screws", F.DIN912,
                   F.DIN912_RANGE, F.ISO888,
                   ["Heads as ISO 4762, with the intermediate sizes M18, M22, M27.",
                    "b = 2d + 12; lengths with l - b < d are threaded to the head."],
                   ["against FreeCAD_FastenersWB iso4762def.csv and BOLTS hex_socket.blt "
                    "(DIN 912)"])
    add("DIN", "Screws", 1, t, "DIN 912", "Hexagon socket head cap screws",
        "Hexagon socket head cap screw", "Socket.mat")

    rows = []
    for d in sorted(F.ISO10642_RANGE):
        dkth, dkmin, k, s, sd = F.ISO10642[d]
        rows.append((d, lengths(F.ISO10642_RANGE[d]), 90, screw_b(d), k,
                     round((dkth + dkmin) / 2, 3), s, dkth, sd))
    t = socket_csk("ISO10642.tab", "ISO 10642:2004 Hexagon socket countersunk head screws",
                   rows, ["The standard gives the head diameter only as theoretical max and "
                          "actual min; the drawn dk is their mean.",
                          "k is the theoretical head height, so the cone meets dk below the "
                          "top face and a short rim is left, as on the real head."],
                   ["against FreeCAD_FastenersWB iso10642def.csv and the ISO 10642 table "
                    "published with DIN 7991 (scribd)"])
    add("ISO", "Screws", 2, t, "ISO 10642", "Hexagon socket countersunk head screws",
        "Hexagon socket countersunk head screw", "Socket.mat")
    rows = []
    for d in sorted(F.DIN7991_RANGE):
        dk, k, ang, s, sd = F.DIN7991[d]
        rows.append((d, lengths(F.DIN7991_RANGE[d]), ang, thread_length(d, 100), k, dk, s, 0,
                     sd))
    t = socket_csk("DIN7991.tab", "DIN 7991:1986 Hexagon socket countersunk head screws", rows,
                   ["dk, k are the standard's maxima; 90 degree head to M20, 60 degree for "
                    "M22 and M24.", "Thread length b = 2d + 6."],
                   ["against bd_warehouse countersunk_head_parameters.csv (the iso10642 "
                    "columns hold these DIN 7991 values) and fullerfasteners.com"])
    add("DIN", "Screws", 2, t, "DIN 7991", "Hexagon socket countersunk head screws",
        "Hexagon socket countersunk head screw", "Socket.mat")

    t = button_head("ISO7380.tab", "ISO 7380-1:2011 Hexagon socket button head screws",
                    ["b = 2d + 12; lengths with l - b < d are threaded to the head."],
                    ["against FreeCAD_FastenersWB iso7380def.csv and bd_warehouse "
                     "button_head_parameters.csv"])
    add("ISO", "Screws", 3, t, "ISO 7380-1", "Hexagon socket button head screws",
        "Hexagon socket button head screw", "Socket.mat")

    t = cheese_head("ISO1207.tab", "ISO 1207:2011 Slotted cheese head screws", F.ISO1207,
                    ["The head side leans inward by 5 degrees, as drawn by this type."],
                    ["against FreeCAD_FastenersWB iso1207def.csv and bd_warehouse "
                     "cheese_head_parameters.csv"])
    add("ISO", "Screws", 4, t, "ISO 1207", "Slotted cheese head screws",
        "Slotted cheese head screw", "Slotted.mat")
    t = cheese_head("DIN84.tab", "DIN 84:1985 Slotted cheese head screws", F.DIN84,
                    ["Lower heads than ISO 1207 for M1.6 to M2.5."],
                    ["against FreeCAD_FastenersWB DIN84def.csv"])
    add("DIN", "Screws", 4, t, "DIN 84", "Slotted cheese head screws",
        "Slotted cheese head screw", "Slotted.mat")

    csk_note = ["k is the theoretical head height; the drawn dk is the actual head diameter, "
                "so the cone meets it below the top face."]
    t = slotted_csk("ISO2009.tab", "ISO 2009:2011 Slotted countersunk flat head screws", False,
                    csk_note, ["against FreeCAD_FastenersWB iso2009def.csv"])
    add("ISO", "Screws", 5, t, "ISO 2009", "Slotted countersunk flat head screws",
        "Slotted countersunk flat head screw", "Slotted.mat")
    t = slotted_csk("ISO2010.tab", "ISO 2010:2011 Slotted raised countersunk head screws",
                    True, csk_note, ["against FreeCAD_FastenersWB iso2009def.csv, "
                                     "Raised_countersunk_def.csv and bd_warehouse "
                                     "raised_countersunk_oval_head_parameters.csv"])
    add("ISO", "Screws", 6, t, "ISO 2010", "Slotted raised countersunk head screws",
        "Slotted raised countersunk head screw", "Slotted.mat")

    pen_note = "Penetration depth: mean of the ISO 7045 gauge limits for the recess number."
    csk_pen = ("Penetration depth: that of the ISO 7045 screw of the same size, at most 0.9 of "
               "the head height; not confirmed by any public table of this standard.")
    for recess, tp, cs, rcs in (("Z", 7, 8, 9), ("H", 10, 11, 12)):
        t = pan_cross("ISO7045%s.tab" % recess, "ISO 7045:2011 Pan head screws with type %s "
                      "cross recess" % recess, recess,
                      ["The crown of radius rf takes v[5] - v[11] of the head height k.",
                       pen_note],
                      ["dk, k, rf, m against FreeCAD_FastenersWB iso7045def.csv and "
                       "bd_warehouse raised_cheese_head_parameters.csv",
                       "m and the penetration limits of both recess types against the "
                       "ISO 7045 table published by fullerfasteners.com"])
        add("ISO", "Screws", tp, t, "ISO 7045", "Pan head screws, cross recess type %s" %
            recess, "Cross recessed pan head screw", "Slotted.mat", "N CxL - M - " + recess)
        t = csk_cross("ISO7046%s.tab" % recess, "ISO 7046-1:2011 Countersunk flat head screws "
                      "with type %s cross recess" % recess, recess, False,
                      csk_note + [csk_pen],
                      ["dk, k, m against FreeCAD_FastenersWB iso2009def.csv and "
                       "iso7046def.csv"])
        add("ISO", "Screws", cs, t, "ISO 7046-1", "Countersunk flat head screws, cross recess "
            "type %s" % recess, "Cross recessed countersunk flat head screw", "Slotted.mat",
            "N CxL - M - " + recess)
        t = csk_cross("ISO7047%s.tab" % recess, "ISO 7047:2011 Raised countersunk head screws "
                      "with type %s cross recess" % recess, recess, True,
                      csk_note + [csk_pen + " Measured from the top of the raise: plus f."],
                      ["dk, k, f, m against FreeCAD_FastenersWB Raised_countersunk_def.csv "
                       "and bd_warehouse raised_countersunk_oval_head_parameters.csv"])
        add("ISO", "Screws", rcs, t, "ISO 7047", "Raised countersunk head screws, cross "
            "recess type %s" % recess, "Cross recessed raised countersunk head screw",
            "Slotted.mat", "N CxL - M - " + recess)

    # Set screws ------------------------------------------------------------------------------
    sock_check = ["against FreeCAD_FastenersWB iso4026def.csv and iso4028def.csv, "
                  "bd_warehouse setscrew_parameters.csv, BOLTS hex_socket.blt"]
    din_same = "Dimensions are those of the ISO standard that replaced it."
    for fam, names in (("ISO", ("ISO 4026", "ISO 4028", "ISO 4027", "ISO 4029")),
                       ("DIN", ("DIN 913", "DIN 915", "DIN 914", "DIN 916"))):
        notes = [din_same] if fam == "DIN" else []
        for tp, point, nm, descr in zip((1, 2, 3, 4), ("flat", "dog", "cone", "cup"), names,
                                        ("flat point", "dog point", "cone point",
                                         "cup point")):
            fn = nm.replace(" ", "") + ".tab"
            t = socket_set(fn, "%s Hexagon socket set screws with %s" % (nm, descr), point,
                           notes, sock_check)
            add(fam, "SetScrews", tp, t, nm, "Hexagon socket set screws with " + descr,
                "Hexagon socket set screw, " + descr, "SetScrews.mat")
    slot_check = ["against FreeCAD_FastenersWB iso4766def.csv, iso7434def.csv, "
                  "iso7435def.csv, iso7436def.csv"]
    for fam, names in (("ISO", ("ISO 4766", "ISO 7435", "ISO 7434", "ISO 7436")),
                       ("DIN", ("DIN 551", "DIN 417", "DIN 553", "DIN 438"))):
        notes = [din_same] if fam == "DIN" else []
        for tp, point, nm, descr, rng in zip(
                (5, 6, 7, 8), ("flat", "dog", "cone", "cup"), names,
                ("flat point", "long dog point", "cone point", "cup point"),
                (F.SLOTTED_SET_RANGE, F.SLOTTED_DOG_RANGE, F.SLOTTED_CONE_RANGE,
                 F.SLOTTED_CUP_RANGE)):
            fn = nm.replace(" ", "") + ".tab"
            t = slotted_set(fn, "%s Slotted set screws with %s" % (nm, descr), point, rng,
                            notes, slot_check)
            add(fam, "SetScrews", tp, t, nm, "Slotted set screws with " + descr,
                "Slotted set screw, " + descr, "SlottedSet.mat")
    stud_notes = ["The metal end (bm) is the root thread at the seating plane; the nut end "
                  "carries the domed end, as high as one pitch.",
                  "Nut end thread b by the ISO rule, leaving a plain run-out of at least 2 P "
                  "or d/2."]
    t = stud("DIN938.tab", "DIN 938:2012 Studs, metal end 1 d", F.DIN938_BM, stud_notes,
             [no_fw_check + " (only the pitch, against iso262def.csv)"])
    add("DIN", "SetScrews", 9, t, "DIN 938", "Studs, metal end approx. 1 d", "Stud",
        "Studs.mat")
    t = stud("DIN939.tab", "DIN 939:2012 Studs, metal end 1.25 d", F.DIN939_BM, stud_notes,
             [no_fw_check + " (only the pitch, against iso262def.csv)"])
    add("DIN", "SetScrews", 9, t, "DIN 939", "Studs, metal end approx. 1.25 d", "Stud",
        "Studs.mat")

    # Washers ---------------------------------------------------------------------------------
    wt = NUT_TEMPLATE
    t = plain_washer("ISO7089.tab", "ISO 7089:2000 Plain washers, normal series, product "
                     "grade A", F.ISO7089, [],
                     ["against FreeCAD_FastenersWB iso7089def.csv, bd_warehouse "
                      "plain_washer_parameters.csv, BOLTS washer.blt"])
    add("ISO", "Washers", 1, t, "ISO 7089", "Plain washers, normal series, grade A",
        "Plain washer", "Washers.mat", wt)
    t = plain_washer("ISO7091.tab", "ISO 7091:2000 Plain washers, normal series, product "
                     "grade C", F.ISO7091, [],
                     ["against FreeCAD_FastenersWB iso7091def.csv, bd_warehouse "
                      "plain_washer_parameters.csv"])
    add("ISO", "Washers", 1, t, "ISO 7091", "Plain washers, normal series, grade C",
        "Plain washer", "WashersC.mat", wt)
    t = plain_washer("DIN125A.tab", "DIN 125-1:1990 Plain washers, form A", F.DIN125,
                     ["The DIN designation uses the hole d1 (e.g. 10.5); the size list uses "
                      "the thread size."], ["against BOLTS washer.blt (DIN 125 table)"])
    add("DIN", "Washers", 1, t, "DIN 125-1 A", "Plain washers without chamfer",
        "Plain washer", "Washers.mat", wt)
    t = spring_washer("DIN127B.tab", "DIN 127:1987 Spring lock washers, form B",
                      ["The outside diameter is drawn as d1 + 2b; the standard's d2 is "
                       "only a maximum."],
                      ["against the DIN 127 table published by fasten.it (not in "
                       "shared/reference)"])
    add("DIN", "Washers", 2, t, "DIN 127 B", "Spring lock washers with square ends",
        "Spring lock washer", "Spring.mat", wt)
    t = chamfered_washer("ISO7090.tab", "ISO 7090:2000 Plain washers, chamfered, normal "
                         "series", F.ISO7089, [],
                         ["against FreeCAD_FastenersWB iso7090def.csv and bd_warehouse "
                          "chamfered_washer_parameters.csv"])
    add("ISO", "Washers", 3, t, "ISO 7090", "Plain washers, chamfered, normal series",
        "Chamfered plain washer", "Washers.mat", wt)
    t = chamfered_washer("DIN125B.tab", "DIN 125-1:1990 Plain washers, form B (chamfered)",
                         F.DIN125, [], ["against BOLTS washer.blt (DIN 125 table)"])
    add("DIN", "Washers", 3, t, "DIN 125-1 B", "Plain washers with chamfer",
        "Chamfered plain washer", "Washers.mat", wt)
    t = square_hole_washer("DIN440V.tab", "DIN 440:2001 Washers for timber, form V (square "
                           "hole)", ["The side of the square hole is the form R hole "
                                     "diameter d1."],
                           ["d1, d2, h against FreeCAD_FastenersWB iso7094def.csv (same "
                            "figures)"])
    add("DIN", "Washers", 4, t, "DIN 440 V", "Round washers with square hole for timber",
        "Timber washer with square hole", "Timber.mat", wt)
    t = square_washer("DIN436.tab", "DIN 436:1990 Square washers for timber", [],
                      [no_fw_check])
    add("DIN", "Washers", 5, t, "DIN 436", "Square washers for timber", "Square washer",
        "Timber.mat", wt)
    taper_note = ["The hole is the standard's d1 (v[5])."]
    t = taper_washer("DIN435.tab", "DIN 435:2000 Square taper washers for I sections (14 %, "
                     "one groove)", F.DIN435, 0.14,
                     taper_note + ["Groove size and the hole chamfer c = 0.5 are not "
                                   "tabulated; chosen so that the drawing stays clean."],
                     ["d1, a, b (M8 to M16) and h (M8 to M12) against the DIN 435 table "
                      "published by Westfield Fasteners (westfieldfasteners.co.uk)",
                      "M16 h and M20 to M24: no public source found; not confirmed"])
    add("DIN", "Washers", 6, t, "DIN 435", "Square taper washers for I sections",
        "Square taper washer", "Taper.mat", wt)
    t = taper_washer("DIN434.tab", "DIN 434:2000 Square taper washers for U sections (8 %, "
                     "two grooves)", F.DIN434, 0.08,
                     taper_note + ["Groove size and the hole chamfer c = 0.5 are not "
                                   "tabulated; chosen so that the drawing stays clean."],
                     [no_fw_check])
    add("DIN", "Washers", 7, t, "DIN 434", "Square taper washers for U sections",
        "Square taper washer", "Taper.mat", wt)
    hv_note = ["Closest fit: this type chamfers both top edges; the HV washer has the inner "
               "chamfer for the bolt's under-head radius and an outer edge break.",
               "The hole is the standard's d1 (v[6])."]
    t = hv_washer("ISO7416.tab", "ISO 7416:1984 Plain chamfered washers for high-strength "
                  "structural bolting", hv_note, [no_fw_check])
    add("ISO", "Washers", 8, t, "ISO 7416", "Chamfered washers, hardened, for structural "
        "bolting", "Chamfered structural washer", "HV.mat", wt)
    t = hv_washer("DIN6916.tab", "DIN 6916:1989 Round washers for high-strength structural "
                  "bolting", hv_note, [no_fw_check])
    add("DIN", "Washers", 8, t, "DIN 6916", "Round washers for HV structural bolting",
        "Structural washer", "HV.mat", wt)

    # Nuts ------------------------------------------------------------------------------------
    t = hex_nut("ISO4032.tab", "ISO 4032:2012 Hexagon regular nuts (style 1)", F.ISO4032, None,
                [], ["against FreeCAD_FastenersWB iso4032def.csv, bd_warehouse "
                     "hex_nut_parameters.csv, BOLTS nut.blt"])
    add("ISO", "Nuts", 1, t, "ISO 4032", "Hexagon regular nuts, style 1", "Hexagon nut",
        "Nuts.mat", NUT_TEMPLATE)
    t = hex_nut("ISO4035.tab", "ISO 4035:2012 Hexagon thin nuts, chamfered", F.ISO4032,
                F.ISO4035_M, [], ["against FreeCAD_FastenersWB iso4035def.csv and BOLTS "
                                  "nut.blt"])
    add("ISO", "Nuts", 1, t, "ISO 4035", "Hexagon thin nuts, chamfered", "Hexagon thin nut",
        "ThinNuts.mat", NUT_TEMPLATE)
    t = hex_nut("DIN934.tab", "DIN 934:1987 Hexagon nuts", F.DIN934, None,
                ["Widths across flats of the DIN series: M10 17, M12 19, M14 22, M22 32."],
                ["against FreeCAD_FastenersWB DIN934.csv and BOLTS nut.blt"])
    add("DIN", "Nuts", 1, t, "DIN 934", "Hexagon nuts", "Hexagon nut", "Nuts.mat",
        NUT_TEMPLATE)
    t = hex_nut("DIN439B.tab", "DIN 439-2:1987 Hexagon thin nuts, form B (chamfered)",
                F.DIN934, F.DIN439_M, [], ["against BOLTS nut.blt (DIN 439 B)"])
    add("DIN", "Nuts", 1, t, "DIN 439 B", "Hexagon thin nuts, chamfered", "Hexagon thin nut",
        "ThinNuts.mat", NUT_TEMPLATE)

    t = castle_nut("DIN935.tab", "DIN 935-1 Hexagon castle nuts (DIN widths across flats)",
                   ["M4 to M10 have no crown (slotted hexagon nuts); for them v[3] and v[6] "
                    "are set so that the builder draws a hexagon of height m with slots m - w "
                    "deep."],
                   ["m, w, n, de against FreeCAD_FastenersWB din935def.csv"])
    add("DIN", "Nuts", 2, t, "DIN 935", "Hexagon castle nuts", "Castle nut", "Nuts.mat",
        NUT_TEMPLATE)

    ins_note = ["The insert housing is drawn as the ring of diameter s from m to h on top of "
                "the hexagon (its bore is narrower than the thread, like the insert)."]
    t = insert_nut("ISO7040.tab", "ISO 7040:2012 Prevailing torque hexagon nuts with "
                   "non-metallic insert, style 1", F.ISO7040, ins_note,
                   ["against FreeCAD_FastenersWB iso7040def.csv"])
    add("ISO", "Nuts", 3, t, "ISO 7040", "Prevailing torque hexagon nuts with nylon insert",
        "Lock nut with nylon insert", "LockNuts.mat", NUT_TEMPLATE)
    t = insert_nut("ISO10511.tab", "ISO 10511:2012 Prevailing torque hexagon thin nuts with "
                   "non-metallic insert", F.ISO10511, ins_note,
                   ["against FreeCAD_FastenersWB iso10511def.csv"])
    add("ISO", "Nuts", 3, t, "ISO 10511", "Prevailing torque thin nuts with nylon insert",
        "Thin lock nut with nylon insert", "LockNuts.mat", NUT_TEMPLATE)
    t = insert_nut("DIN985.tab", "DIN 985:1987 Prevailing torque hexagon thin nuts with "
                   "non-metallic insert", F.DIN985,
                   ins_note + ["m is the standard's minimum wrenching height."],
                   ["against FreeCAD_FastenersWB nyloc_def.csv and the DIN 985 table "
                    "published by fasten.it"])
    add("DIN", "Nuts", 3, t, "DIN 985", "Prevailing torque thin nuts with nylon insert",
        "Lock nut with nylon insert", "LockNuts.mat", NUT_TEMPLATE)

    t = square_nut("DIN562.tab", "DIN 562:1986 Square nuts, thin", F.DIN562,
                   ["This type draws the plain square; e is kept for reference."],
                   ["s, m, e against the DIN 562 table published by creativefasteners.co.in"])
    add("DIN", "Nuts", 4, t, "DIN 562", "Square nuts, thin", "Square nut", "SquareNuts.mat",
        NUT_TEMPLATE)
    t = square_nut("DIN557.tab", "DIN 557:1987 Square nuts", F.DIN557,
                   ["Corners trimmed on e, where the top chamfer starts.",
                    "e for M12 and M16 derived as 1.27 s, the ratio of the tabulated sizes."],
                   ["s, m against FreeCAD_FastenersWB square_nut_def.csv and bd_warehouse "
                    "square_nut_parameters.csv"])
    add("DIN", "Nuts", 5, t, "DIN 557", "Square nuts, chamfered", "Square nut",
        "SquareNuts.mat", NUT_TEMPLATE)

    t = domed_cap_nut("DIN1587.tab", "DIN 1587:2000 Hexagon domed cap nuts",
                      ["The dome is a cylinder of dk rounded with R = min(dk, h - k)/2 - 0.1, "
                       "the largest rounding the builder's two fillets allow.",
                       "The blind thread continues into the dome up to t; its top is rounded "
                       "with Ri = 0.45 d."],
                      ["s, k, h, dk, t against FreeCAD_FastenersWB din1587def.csv and "
                       "bd_warehouse domed_cap_nut_parameters.csv"])
    add("DIN", "Nuts", 6, t, "DIN 1587", "Hexagon domed cap nuts", "Domed cap nut",
        "CapNuts.mat", NUT_TEMPLATE)
    t = low_cap_nut("DIN917.tab", "DIN 917:2000 Hexagon cap nuts, low type",
                    ["The threaded body is t high; above it the arched cap with a coned "
                     "cavity under the top wall w.", "The arch starts just below the tip of "
                     "that cone and ends at h, so its radius comes out somewhat smaller than "
                     "the standard's crown radius r."],
                    ["s, h, r, t, w against FreeCAD_FastenersWB din917head.csv"])
    add("DIN", "Nuts", 7, t, "DIN 917", "Hexagon cap nuts, low type", "Low cap nut",
        "CapNuts.mat", NUT_TEMPLATE)
    t = insert_cap_nut("DIN986.tab", "DIN 986:1987 Prevailing torque hexagon domed cap nuts "
                       "with non-metallic insert",
                       ["h1 (top of the insert housing) read from a scanned copy of the "
                        "standard; dk as DIN 1587; the dome is modelled as a half sphere on dk.",
                        "m is the minimum wrenching height of DIN 985."],
                       ["s and h1 (M4 to M20) against the DIN 986:1987 scan published on "
                        "scribd (de.scribd.com/document/557457905)",
                        "m against the DIN 985 table published by fasten.it; dk not legible "
                        "in the DIN 986 scan, as DIN 1587: not confirmed for DIN 986"])
    add("DIN", "Nuts", 8, t, "DIN 986", "Domed cap nuts with nylon insert",
        "Domed cap lock nut", "CapNuts.mat", NUT_TEMPLATE)

    km_note = ["Size code: series code and fine thread. The outer top chamfer (0.5 mm) is not "
               "tabulated."]
    t = round_nut("ISO2982.tab", "ISO 2982-2:2013 Lock nuts for rolling bearings, KM series",
                  km_note, [no_fw_check])
    add("ISO", "Nuts", 9, t, "ISO 2982-2", "Slotted lock nuts for rolling bearings (KM)",
        "Lock nut KM", "KM.mat", NUT_TEMPLATE)
    t = round_nut("DIN981.tab", "DIN 981:2015 Lock nuts for rolling bearings, KM series",
                  km_note, [no_fw_check])
    add("DIN", "Nuts", 9, t, "DIN 981", "Slotted lock nuts for rolling bearings (KM)",
        "Lock nut KM", "KM.mat", NUT_TEMPLATE)

    return lib


MATERIALS = {
    "Bolts": {
        "Bolts.mat": ["8.8", "10.9", "12.9", "5.6", "A2-70", "A4-80"],
        "BoltsC.mat": ["4.6", "4.8", "8.8", "A2-70"],
        "Rods.mat": ["8.8", "4.8", "5.8", "10.9", "A2-70", "A4-70"],
        "Headless.mat": ["14H", "22H", "33H", "45H", "A1-12H"],
    },
    "Screws": {
        "Socket.mat": ["8.8", "10.9", "12.9", "A2-70", "A4-70", "A4-80"],
        "Slotted.mat": ["4.8", "5.8", "A2-50", "A2-70", "A4-70", "CU2", "CU3", "AL4"],
    },
    "SetScrews": {
        "SetScrews.mat": ["45H", "A1-12H", "A2-21H", "A4-21H"],
        "SlottedSet.mat": ["14H", "22H", "33H", "45H", "A1-12H", "A2-21H"],
        "Studs.mat": ["5.6", "8.8", "10.9", "A2-70"],
    },
    "Washers": {
        "Washers.mat": ["200 HV", "300 HV", "A2", "A4"],
        "WashersC.mat": ["100 HV", "A2"],
        "Spring.mat": ["FSt", "A2", "A4"],
        "Timber.mat": ["100 HV", "A2"],
        "Taper.mat": ["100 HV", "A2"],
        "HV.mat": ["300-370 HV"],
    },
    "Nuts": {
        "Nuts.mat": ["8", "10", "6", "5", "A2-70", "A4-80"],
        "ThinNuts.mat": ["04", "05", "A2-035", "A4-035"],
        "LockNuts.mat": ["8", "10", "5", "A2-70", "A4-70"],
        "SquareNuts.mat": ["5", "A2-50"],
        "CapNuts.mat": ["6", "A2-50", "A2-70"],
        "KM.mat": ["St"],
    },
}

TOLERANCES = [("ISO273-fine.tab", "ISO 273 fine", 0),
              ("ISO273-medium.tab", "ISO 273 medium", 1),
              ("ISO273-coarse.tab", "ISO 273 coarse", 2)]

KIND_TITLE = {"Bolts": "bolts (kind 0): types 1 hexagon head, 2 hexagon head with collar, "
                       "3 plain shank threaded at the end, 4 square head, 5 threaded rod, "
                       "6 cup head with nib, 7 cup head with square neck, 8 countersunk with "
                       "nib, 9 raised countersunk with nib, 10 countersunk with square neck",
              "Screws": "screws (kind 1): types 1 socket head cap, 2 countersunk socket, "
                        "3 button head socket, 4 slotted cheese head, 5 slotted countersunk, "
                        "6 slotted raised countersunk, 7 to 9 pan, countersunk and raised "
                        "countersunk with cross recess Z, 10 to 12 the same with cross recess H",
              "SetScrews": "set screws (kind 2): types 1 to 4 hexagon socket with flat, dog, "
                           "cone and cup point, 5 to 8 slotted with the same points, 9 studs "
                           "with a domed end",
              "Washers": "washers (kind 3): types 1 plain, 2 spring, 3 chamfered, 4 round with "
                         "square hole, 5 square with round hole, 6 square taper with one "
                         "groove, 7 square taper with two grooves, 8 chamfered on both top "
                         "edges",
              "Nuts": "nuts (kind 4): types 1 hexagon, 2 castle and slotted, 3 hexagon with "
                      "ring on top, 4 square, 5 square with trimmed corners, 6 domed cap, "
                      "7 low cap, 8 cap with solid dome, 9 slotted round"}


def write_lines(path, lines):
    data = "".join(line + "\r\n" for line in lines)
    data.encode("ascii")  # raises on anything outside plain ASCII
    with open(path, "w", newline="", encoding="ascii") as f:
        f.write(data)


def index_lines(family, kind, entries):
    out = ["# %s standards index: %s." % (family, KIND_TITLE[kind]),
           GENERATOR_NOTE,
           "# Record: size data file, standard, description, designation, materials list, "
           "name template (D designation, C size, N standard, M material, L length)."]
    for tp in range(1, TYPE_COUNT[kind] + 1):
        out.append("[%d]" % tp)
        for e in entries:
            if e.type_code == tp:
                out.append(e.line())
    out.append("[END]")
    return out


def tolerance_lines(column):
    name = ("fine", "medium", "coarse")[column]
    out = ["# ISO 273:1979 clearance holes, %s series." % name, GENERATOR_NOTE,
           "# Record: nominal diameter d, then the allowance t = clearance hole diameter - d.",
           "# Checked: against bd_warehouse clearance_hole_sizes.csv"]
    for d in sorted(F.ISO273):
        out.append("%s|%s" % (fmt(d), fmt(round(F.ISO273[d][column] - d, 3))))
    return out


def tap_drill_lines():
    out = ["# Tap drills for ISO coarse threads (6H): ISO 2306:1972, DIN 336-1.", GENERATOR_NOTE,
           "# Record: nominal diameter d, then the drill diameter (d - P rounded to the drill "
           "series).",
           "# Checked: against bd_warehouse tap_hole_sizes.csv (Soft); it gives M12 10.3, "
           "M14 12.1."]
    for d in sorted(F.TAP_DRILL):
        out.append("%s|%s" % (fmt(d), fmt(F.TAP_DRILL[d])))
    return out


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(os.path.dirname(here), "standards"))
    args = ap.parse_args(argv)
    lib = build_library()
    for family, kinds in lib.items():
        root = os.path.join(args.out, family)
        for kind, entries in kinds.items():
            folder = os.path.join(root, kind)
            os.makedirs(folder, exist_ok=True)
            written = set()
            for e in entries:
                if e.table.filename not in written:
                    write_lines(os.path.join(folder, e.table.filename), e.table.text())
                    written.add(e.table.filename)
            used = {e.materials for e in entries}
            for mat in sorted(used):
                write_lines(os.path.join(folder, mat),
                            ["# Materials and property classes offered for these standards."]
                            + MATERIALS[kind][mat])
            write_lines(os.path.join(root, kind + ".ini"), index_lines(family, kind, entries))
        tol = os.path.join(root, "Tolerances")
        os.makedirs(tol, exist_ok=True)
        idx = ["# Hole tolerance index: tolerance table, name shown in the dialog.",
               GENERATOR_NOTE]
        for fn, name, col in TOLERANCES:
            write_lines(os.path.join(tol, fn), tolerance_lines(col))
            idx.append('"%s" "%s"' % (fn, name))
        write_lines(os.path.join(root, "Tolerances.ini"), idx)
        write_lines(os.path.join(tol, "TapDrills.tab"), tap_drill_lines())
    return 0


if __name__ == "__main__":
    sys.exit(main())
