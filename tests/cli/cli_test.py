#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""tintorb-cli run as a process on real files: each subcommand, and the errors that must leave FILE alone.
Argument: the tintorb-cli to run."""

import json
import os
import re
import subprocess
import sys
import tempfile
import unittest

CLI = sys.argv.pop(1)
# Eight bytes of header, a palette of four words, then one odd byte.
ROM = bytes.fromhex("DEADBEEFDEADBEEF" "0EEE000E00E0F111" "12")


class CommandLine(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.rom = self.put("rom.bin", ROM)

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def put(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data.encode() if isinstance(data, str) else data)
        return self.path(name)

    def read(self, name="rom.bin"):
        with open(self.path(name), "rb") as f:
            return f.read()

    def run_cli(self, *args, status=0):
        done = subprocess.run([CLI, *args], capture_output=True, text=True)
        self.assertEqual(done.returncode, status, done.stderr)
        return done.stdout if status == 0 else done.stderr

    def test_listing_reads_addresses_as_the_address_box_does_and_stops_at_the_files_end(self):
        self.assertEqual(self.run_cli("listing", self.rom, "$8", "auto"), "dc.w $0EEE,$000E,$00E0\n")
        self.assertEqual(self.run_cli("listing", self.rom, "10", "2"), "dc.w $000E,$00E0\n")
        self.assertEqual(self.run_cli("listing", self.rom, "$E", "64"), "dc.w $F111\n")

    def test_export_patch_and_import(self):
        self.run_cli("export", self.rom, "$8", "4", self.path("p.gpl"))
        self.assertIn(b"\n255 255 255\t$0EEE\n", self.read("p.gpl"))
        self.assertEqual(self.run_cli("patch", self.rom, "$C", "$0222\n$0444\n$0666"), "2 colours taken, 1 left out\n")
        self.assertEqual(self.read(), ROM[:12] + bytes.fromhex("0222044412"))
        # The colours come back; each entry keeps the unused bits it has now, unless told.
        self.assertEqual(self.run_cli("import", self.rom, "$8", self.path("p.gpl")), "4 colours taken, 0 left out\n")
        self.assertEqual(self.read(), ROM[:8] + bytes.fromhex("0EEE000E00E00000") + ROM[16:])
        self.run_cli("patch", self.rom, "$E", "dc.w $F111")
        self.run_cli("import", self.rom, "$8", self.path("p.gpl"))
        self.assertEqual(self.read()[14:16], bytes.fromhex("F111"))
        self.run_cli("import", self.rom, "$8", self.path("p.gpl"), "--clear-unused-bits")
        self.assertEqual(self.read()[14:16], bytes.fromhex("0000"))

    def test_failures_say_so_in_one_line_and_leave_the_file_untouched(self):
        self.put("bad.gpl", "GIMP Palette\n0 0 0\n1 2 300\n")
        cases = [
            (["import", self.rom, "$8", self.path("bad.gpl")], 1, 'bad.gpl: Line 3: "300" is no colour value'),
            (["import", self.rom, "$8", self.path("none.act")], 1, "none.act: File not found"),
            (["import", self.rom, "$8", self.path("x.jpg")], 1, "Unknown palette format"),
            (["import", self.rom, "$10", self.path("bad.gpl")], 1, "no colour word at $10"),
            (["patch", self.rom, "0", "dc.w $0EEE,$0GGG"], 1, 'listing: Line 1: "$0GGG" is no word'),
            (["patch", self.rom, "$zz", "$0EEE"], 2, 'ADDR "$zz" is no number'),
            (["export", self.rom, "0", "65", self.path("o.gpl")], 2, 'LEN "65" is neither'),
            (["listing", self.rom, "0"], 2, "usage: tintorb-cli listing FILE ADDR LEN"),
            (["import", self.rom, "0", self.path("bad.gpl"), "--force"], 2, "import: unknown option --force"),
            (["frobnicate"], 2, "unknown command frobnicate"),
            (["export", self.rom, "0", "4", self.rom], 2, 'OUT "%s" is FILE itself' % self.rom),
            (["tiles", self.rom, "0", "1", "--codec", "1bpp", "--palette", "8", "-o", self.rom], 2, "is FILE itself"),
        ]
        for args, status, message in cases:
            with self.subTest(args=args):
                error = self.run_cli(*args, status=status)
                self.assertRegex(error, "^tintorb-cli: [^\n]*" + re.escape(message) + "[^\n]*\n$")
                self.assertEqual(self.read(), ROM)
        self.assertEqual(sorted(os.listdir(self.dir.name)), ["bad.gpl", "rom.bin"])

    def test_scan_and_find_list_planted_palettes_as_json(self):
        palette = bytes.fromhex("0000 0EEE 0A42 0246 0C20 002C 0E80 0468".replace(" ", ""))
        rom = bytearray(b"\xff" * 0x400)
        rom[0x100:0x110] = palette
        rom[0x201:0x209] = palette[:8]  # the first half alone, at an odd offset
        self.put("planted.bin", bytes(rom))
        self.put("query.bin", palette)
        scan = json.loads(self.run_cli("scan", self.path("planted.bin"), "--json"))
        self.assertEqual(scan, [{"address": 256, "length": 8, "score": 0.74}])
        self.assertEqual(self.run_cli("scan", self.path("planted.bin"), "--min", "4"), "$100 8 0.74\n$201 4 0.52\n")
        found = json.loads(self.run_cli("find", self.path("planted.bin"), self.path("query.bin"), "--json"))
        self.assertEqual(found, [{"address": 256, "length": 8, "query_start": 0, "match": "exact"},
                                 {"address": 513, "length": 4, "query_start": 0, "match": "part"}])
        listing = subprocess.run([CLI, "find", self.path("planted.bin"), "-"], input="dc.w $1EEE,$0A42,$0246\n",
                                 capture_output=True, text=True)
        self.assertEqual(listing.stdout, "$102 3 entries 0-2 masked\n$203 3 entries 0-2 masked\n")
        self.assertIn("--min takes a number from 1 to 64", self.run_cli("scan", self.rom, "--min", "0", status=2))

    def test_diff_and_apply_turn_the_original_into_the_modified_file(self):
        modified = self.put("mod.bin", ROM[:3] + b"\x00" + ROM[4:] + b"\xff" * 40)
        for suffix, summary in [("ips", "IPS patch written: 2 records, 41 bytes changed\n"),
                                ("bps", "BPS patch written: 5 actions, 41 bytes changed\n")]:
            with self.subTest(suffix=suffix):
                patch = self.path("p." + suffix)
                self.assertEqual(self.run_cli("diff", self.rom, modified, "-o", patch), summary)
                self.assertIn("41 bytes changed", self.run_cli("apply", self.rom, patch, "-o", self.path("out.bin")))
                self.assertEqual(self.read("out.bin"), self.read("mod.bin"))
                self.assertEqual(self.read(), ROM)
        # Without -o the file itself is replaced; the other way round the patch cuts it back.
        self.run_cli("apply", self.rom, self.path("p.bps"))
        self.assertEqual(self.read(), self.read("mod.bin"))
        self.run_cli("diff", modified, self.put("orig.bin", ROM), "-o", self.path("back.ips"))
        self.run_cli("apply", self.rom, self.path("back.ips"))
        self.assertEqual(self.read(), ROM)

    def test_failed_patches_say_so_in_one_line_and_leave_the_file_untouched(self):
        self.run_cli("diff", self.rom, self.put("other.bin", b"other"), "-o", self.path("other.bps"))
        with open(self.path("other.bps"), "rb") as f:
            bps = f.read()
        self.put("cut.bps", bps[:-3])
        self.put("empty.ips", b"")
        self.put("noend.ips", b"PATCH\x00\x00\x01\x00\x01A")
        os.mkdir(self.path("dir.ips"))
        cases = [
            (["apply", self.rom, self.path("cut.bps")], 1, "cut.bps: The BPS patch is cut short"),
            (["apply", self.rom, self.path("empty.ips")], 1, "empty.ips: The patch is empty"),
            (["apply", self.rom, self.path("noend.ips")], 1, "noend.ips: The IPS patch has no EOF"),
            (["apply", self.rom, self.path("dir.ips")], 1, "dir.ips: File access denied"),
            (["apply", self.rom, self.path("none.ips")], 1, "none.ips: File not found"),
            (["apply", self.path("other.bin"), self.path("other.bps")], 1, "made for another original"),
            (["apply", self.rom, self.path("noend.ips"), "-o", self.path("out.bin")], 1, "The IPS patch has no EOF"),
            (["diff", self.rom, self.rom], 2, "usage: tintorb-cli diff ORIGINAL MODIFIED -o"),
            (["diff", self.rom, self.rom, "-o", self.path("p.txt")], 2, 'must end in .ips or .bps'),
            (["apply", self.rom], 2, "usage: tintorb-cli apply FILE PATCH [-o OUT]"),
            (["apply", self.rom, self.rom, "-o"], 2, "usage: tintorb-cli apply"),
        ]
        for args, status, message in cases:
            with self.subTest(args=args):
                error = self.run_cli(*args, status=status)
                self.assertRegex(error, "^tintorb-cli: [^\n]*" + re.escape(message) + "[^\n]*\n$")
                self.assertEqual(self.read(), ROM)
        self.assertNotIn("out.bin", os.listdir(self.dir.name))

    def test_tiles_writes_a_png_and_refuses_bad_arguments_in_one_line(self):
        tiles = ["tiles", self.rom, "0", "2", "--codec", "1bpp", "--palette", "$8", "-o", self.path("t.png")]
        layout = ["--columns", "1", "--order", "blocks:1x2", "--zoom", "3"]
        self.assertEqual(self.run_cli(*tiles, *layout), "2 tiles written\n")
        with open(self.path("t.png"), "rb") as f:
            self.assertEqual(f.read(24)[16:], bytes.fromhex("00000018" "00000030"))
        # COUNT is cut where the file ends.
        self.assertEqual(self.run_cli(*tiles[:2], "9", *tiles[3:]), "1 tile written\n")
        os.remove(self.path("t.png"))
        cases = [
            (["17", "1"], [], "no whole 1bpp tile at 17 in its 17 bytes"),
            (["0", "0"], [], 'COUNT "0" is no number from 1'),
            (["0", "1"], ["--codec", "3bpp"], '--codec "3bpp" is no codec'),
            (["0", "1"], ["--columns", "65"], '--columns "65" is no number from 1 to 64'),
            (["0", "1"], ["--order", "blocks:5x1"], '--order "blocks:5x1" is neither rows nor blocks:WxH'),
            (["0", "1"], ["--palette", "$10"], "no palette at $10 in its 17 bytes"),
            (["0", "1"], ["--line", "32"], '--line "32" is no number from 0 to 31'),
            (["0", "1"], ["--zoom", "9"], '--zoom "9" is no number from 1 to 8'),
            (["0"], [], "usage: tintorb-cli tiles FILE ADDR COUNT"),
        ]
        for operands, options, message in cases:
            with self.subTest(operands=operands, options=options):
                args = ["tiles", self.rom, *operands, "--codec", "1bpp", "--palette", "8", *options]
                error = self.run_cli(*args, "-o", self.path("t.png"), status=2)
                self.assertRegex(error, "^tintorb-cli: [^\n]*" + re.escape(message) + "[^\n]*\n$")
                self.assertEqual(self.read(), ROM)
                self.assertNotIn("t.png", os.listdir(self.dir.name))

    def test_every_command_takes_help(self):
        for command in ["export", "import", "listing", "patch", "scan", "find", "diff", "apply", "tiles"]:
            self.assertTrue(self.run_cli(command, "--help").startswith("Usage: tintorb-cli " + command))


if __name__ == "__main__":
    unittest.main()
