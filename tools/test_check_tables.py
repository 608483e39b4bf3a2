#!/usr/bin/env python3
"""Faults planted in a copy of the standards library must each be reported by check_tables.

Run: python3 -m unittest discover -s tools -p "test_*.py"
"""

import contextlib
import io
import os
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import check_tables  # noqa: E402

LIBRARY = os.path.join(os.path.dirname(HERE), "standards")


class PlantedFaults(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.root = os.path.join(self.tmp, "standards")
        shutil.copytree(LIBRARY, self.root)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def edit(self, rel, old, new):
        path = os.path.join(self.root, rel)
        with open(path, newline="", encoding="ascii") as f:
            text = f.read()
        self.assertIn(old, text, rel)
        with open(path, "w", newline="", encoding="ascii") as f:
            f.write(text.replace(old, new, 1))

    def run_check(self):
        out = io.StringIO()
        with contextlib.redirect_stdout(out):
            rc = check_tables.main(["check_tables", self.root])
        return rc, out.getvalue()

    def assertReported(self, fragment):
        rc, out = self.run_check()
        self.assertEqual(rc, 1, out)
        self.assertIn(fragment, out)

    def test_shipped_library_is_clean(self):
        rc, out = self.run_check()
        self.assertEqual(rc, 0, out)

    def test_tap_drill_as_large_as_its_thread(self):
        self.edit("ISO/Tolerances/TapDrills.tab", "10|8.5\r\n", "10|10\r\n")
        self.assertReported("tap drill 10 implausible for d 10")

    def test_one_digit_header_with_text_is_not_a_header(self):
        self.edit("ISO/Bolts.ini", "[3]\r\n", "[3] headless\r\n")
        self.assertReported("one-digit section header must be the whole line")

    def test_unterminated_last_section(self):
        self.edit("ISO/Screws.ini", "[END]\r\n", "")
        self.assertReported("section [12] not closed")

    def test_comma_decimal(self):
        self.edit("ISO/Bolts/ISO4017.tab", "M6|6|12|0|", "M6|6|12|0,0|")
        self.assertReported("is not a plain number")

    def test_sizes_out_of_order(self):
        path = os.path.join(self.root, "DIN", "Screws", "DIN912.tab")
        with open(path, newline="", encoding="ascii") as f:
            lines = f.read().split("\r\n")
        i = next(k for k, l in enumerate(lines) if l.startswith("M8|"))
        j = next(k for k, l in enumerate(lines) if l.startswith("M10|"))
        lines[i], lines[j] = lines[j], lines[i]
        with open(path, "w", newline="", encoding="ascii") as f:
            f.write("\r\n".join(lines))
        self.assertReported("reappears")

    def test_too_many_fields(self):
        self.edit("ISO/Nuts/ISO4032.tab", "M10|10|8.4|", "M10|10|8.4|" + "0|" * 16)
        self.assertReported("at most 21 fit the value array")

    def test_bar_in_comment(self):
        self.edit("ISO/Nuts/ISO4032.tab", "# ISO 4032", "# ISO 4032 d|m")
        self.assertReported("comment holding a bar")

    def test_washer_hole_below_bolt(self):
        self.edit("ISO/Washers/ISO7089.tab", "M12|12|2.5|13|", "M12|12|2.5|11|")
        self.assertReported("hole 11 not above the nominal diameter 12")

    def test_nut_across_flats_below_thread(self):
        self.edit("ISO/Nuts/ISO4032.tab", "M10|10|8.4|17.77|8.4|16|", "M10|10|8.4|17.77|8.4|9|")
        self.assertReported("across flats 9 too small")

    def test_thread_longer_than_bolt(self):
        self.edit("ISO/Bolts/ISO4014.tab", "M10|10|45|19|", "M10|10|45|45|")
        self.assertReported("leaves no thread")

    def test_countersunk_head_without_rim(self):
        # dk = d + 2k: the cone reaches dk exactly at the top face (a zero-length edge).
        self.edit("DIN/Screws/DIN7991.tab", "M10|10|12|5.5|90|26|5.5|20|",
                  "M10|10|12|5.5|90|26|5.5|21|")
        self.assertReported("no rim")

    def test_taper_washer_without_hole_chamfer(self):
        self.edit("DIN/Washers/DIN435.tab", "M10|10|4.6|22|22|0.5|", "M10|10|4.6|22|22|0|")
        self.assertReported("hole chamfer must be positive")

    def test_socket_deeper_than_head(self):
        self.edit("ISO/Screws/ISO4762.tab", "M10|10|16|0|16|32|10|1|1.5|8|0|5|",
                  "M10|10|16|0|16|32|10|1|1.5|8|0|11|")
        self.assertReported("socket depth 11 not inside head height 10")

    def test_name_template_with_literal_capitals(self):
        self.edit("ISO/Nuts.ini", '"N C - M"', '"N C - Nut M"')
        self.assertReported("name template word 'Nut'")

    def test_missing_materials_list(self):
        os.remove(os.path.join(self.root, "ISO", "Nuts", "ThinNuts.mat"))
        self.assertReported("materials list ThinNuts.mat not found")


if __name__ == "__main__":
    unittest.main()
