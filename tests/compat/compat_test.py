#!/usr/bin/env python3
"""Palette files against other programs' own writers and readers: PNG images made by ImageMagick are
imported, and exported PNG and GIMP palettes are read back with Pillow. Argument: the tintorb-cli to run."""

import os
import subprocess
import sys
import tempfile
import unittest

from PIL import GimpPaletteFile, Image

CLI = sys.argv.pop(1)
RAMP = [0, 52, 87, 116, 144, 172, 206, 255]
# Colours a painting program might hold, few of them on the hardware's ramp.
COLOURS = [(255, 0, 0), (30, 200, 90), (120, 120, 120), (10, 20, 250), (250, 180, 60), (0, 0, 0)]
WORDS = [0x0EEE, 0x000E, 0x00E0, 0x0E00, 0x0AAA, 0x0642, 0x0000, 0x0C8E]


def word_of(rgb):
    nearest = [min(range(8), key=lambda k: (abs(v - RAMP[k]), k)) for v in rgb]
    return nearest[2] << 9 | nearest[1] << 5 | nearest[0] << 1


def colour_of(word):
    return tuple(RAMP[(word >> shift & 0xF) >> 1] for shift in (0, 4, 8))


def triples(flat):
    return [tuple(flat[i : i + 3]) for i in range(0, len(flat), 3)]


class Compatibility(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.rom = self.path("rom.bin")
        with open(self.rom, "wb") as f:
            f.write(b"".join(w.to_bytes(2, "big") for w in WORDS))

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.dir.name, name)

    def cli(self, *args):
        subprocess.run([CLI, *args], check=True, capture_output=True)

    def words(self, count):
        with open(self.rom, "rb") as f:
            data = f.read()
        return [int.from_bytes(data[2 * i : 2 * i + 2], "big") for i in range(count)]

    def magick(self, name, colour_type):
        swatches = [f"xc:rgb({r},{g},{b})" for r, g, b in COLOURS]
        options = ["+append", "-define", f"png:color-type={colour_type}", self.path(name)]
        subprocess.run(["convert", "-size", "4x4", *swatches, *options], check=True)
        return self.path(name)

    def test_indexed_png_from_imagemagick_imports_its_palette(self):
        png = self.magick("indexed.png", 3)
        with Image.open(png) as image:
            self.assertEqual(image.mode, "P")
            plte = triples(image.getpalette())
        self.assertLessEqual(set(COLOURS), set(plte))
        self.cli("import", self.rom, "0", png)
        self.assertEqual(self.words(len(plte)), [word_of(c) for c in plte])

    def test_true_colour_png_from_imagemagick_imports_its_colours_in_reading_order(self):
        self.cli("import", self.rom, "0", self.magick("rgb.png", 2))
        self.assertEqual(self.words(len(COLOURS)), [word_of(c) for c in COLOURS])

    def test_exported_png_and_gpl_read_back_with_pillow(self):
        expected = [colour_of(w) for w in WORDS]
        self.cli("export", self.rom, "0", "8", self.path("out.png"))
        with Image.open(self.path("out.png")) as image:
            self.assertEqual(image.size, (16 * len(WORDS), 16))
            rgb = image.convert("RGB")
            self.assertEqual([rgb.getpixel((16 * i + 8, 8)) for i in range(len(WORDS))], expected)
        self.cli("export", self.rom, "0", "8", self.path("out.gpl"))
        with open(self.path("out.gpl"), "rb") as f:
            read = triples(GimpPaletteFile.GimpPaletteFile(f).getpalette()[0])
        # Pillow before 10 numbers the entries by line, the three header lines included.
        self.assertTrue(read[0:8] == expected or read[3:11] == expected, read[:12])


if __name__ == "__main__":
    unittest.main()
