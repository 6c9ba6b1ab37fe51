#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Palette files against other programs' own writers and readers: PNG images made by ImageMagick are
imported, and exported PNG and GIMP palettes are read back with Pillow; tiles exported as PNG are read back
with Pillow and ImageMagick. Argument: the tintorb-cli to run."""

import os
import random
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

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


def bit(byte, x):
    return byte >> (7 - x) & 1


# Each codec's pixel (x, y) of a tile, read the plainest way.
CODECS = {
    "1bpp": (8, lambda t, x, y: bit(t[y], x)),
    "2bpp-planar": (16, lambda t, x, y: bit(t[2 * y], x) | bit(t[2 * y + 1], x) << 1),
    "4bpp-packed": (32, lambda t, x, y: t[4 * y + x // 2] >> (0 if x % 2 else 4) & 15),
    "4bpp-packed-low": (32, lambda t, x, y: t[4 * y + x // 2] >> (4 if x % 2 else 0) & 15),
    "4bpp-planar": (32, lambda t, x, y: sum(bit(t[16 * (p // 2) + 2 * y + p % 2], x) << p for p in range(4))),
    "8bpp": (64, lambda t, x, y: t[8 * y + x]),
}


def tile_indices(data, codec, start, count, columns, block_w, block_h):
    """The index image of count tiles from start, in blocks whose tiles run down each column first."""
    size, pixel = CODECS[codec]
    across = max(1, columns // block_w) * block_w
    bands = -(-count // (across * block_h))
    image = [[0] * (across * 8) for _ in range(bands * block_h * 8)]
    for n in range(count):
        block, k = divmod(n, block_w * block_h)
        column = block % (across // block_w) * block_w + k // block_h
        row = block // (across // block_w) * block_h + k % block_h
        tile = data[start + n * size : start + (n + 1) * size]
        for y in range(8):
            for x in range(8):
                image[row * 8 + y][column * 8 + x] = pixel(tile, x, y)
    return image


def keyed_png(path, depth, colour, pixels, key):
    """A one-row grey (colour False) or RGB PNG of pixels at depth bits a sample, with key as its tRNS
    colour key. Pillow 9 writes neither 2-, 4- nor 16-bit grey nor 16-bit RGB, so the chunks are written
    here and Pillow reads them back."""
    samples = [v for p in pixels for v in (p if colour else (p,))]
    if depth == 16:
        row = b"".join(v.to_bytes(2, "big") for v in samples)
    else:
        bits = "".join(format(v, f"0{depth}b") for v in samples)
        bits += "0" * (-len(bits) % 8)
        row = bytes(int(bits[i : i + 8], 2) for i in range(0, len(bits), 8))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", len(pixels), 1, depth, 2 if colour else 0, 0, 0, 0)
    key_bytes = b"".join(v.to_bytes(2, "big") for v in (key if colour else (key,)))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"tRNS", key_bytes))
        f.write(chunk(b"IDAT", zlib.compress(b"\x00" + row)) + chunk(b"IEND", b""))


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

    def test_colour_keyed_png_imports_all_but_the_key_as_pillow_reads_it(self):
        # Each case: depth, RGB or grey, pixels, key, and the 8-bit colours the other pixels show. The
        # 16-bit cases hold a pixel that differs from the key only in the low byte, which is no hole.
        cases = [
            (1, False, [0, 1, 0], 0, [(255,) * 3]),
            (2, False, [1, 3, 2], 1, [(255,) * 3, (170,) * 3]),
            (4, False, [5, 15, 5, 0], 5, [(255,) * 3, (0,) * 3]),
            (8, False, [120, 200, 120], 120, [(200,) * 3]),
            (16, False, [0x7834, 0x7800, 0xFFFF], 0x7834, [(0x78,) * 3, (255,) * 3]),
            (8, True, [(10, 20, 30), (255, 0, 0), (10, 20, 30)], (10, 20, 30), [(255, 0, 0)]),
            (16, True, [(0x1234, 0, 0), (0x1200, 0, 0), (0, 0xFFFF, 0)], (0x1234, 0, 0), [(0x12, 0, 0), (0, 255, 0)]),
        ]
        for depth, colour, pixels, key, shown in cases:
            with self.subTest(depth=depth, colour=colour):
                png = self.path(f"key{depth}{colour}.png")
                keyed_png(png, depth, colour, pixels, key)
                with Image.open(png) as image:
                    self.assertEqual(image.info.get("transparency"), key)
                with open(self.rom, "wb") as f:
                    f.write(bytes(8))
                self.cli("import", self.rom, "0", png)
                self.assertEqual(self.words(4), [word_of(c) for c in shown] + [0] * (4 - len(shown)))
        keyed_png(self.path("holes.png"), 8, True, [(1, 2, 3)] * 2, (1, 2, 3))
        done = subprocess.run([CLI, "import", self.rom, "0", self.path("holes.png")], capture_output=True, text=True)
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("every pixel is transparent", done.stderr)

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

    def test_exported_tiles_read_back_with_pillow_and_imagemagick_as_an_independent_decode(self):
        rng = random.Random(22)
        data = bytes(rng.randrange(256) for _ in range(700)) + b"".join(w.to_bytes(2, "big") for w in WORDS * 2)
        with open(self.rom, "wb") as f:
            f.write(data)
        for codec, (size, _) in CODECS.items():
            with self.subTest(codec=codec):
                bpp = size // 8
                line = 1 if bpp < 4 else 0
                out = self.path(codec + ".png")
                layout = ["--columns", "5", "--order", "blocks:2x3", "--zoom", "2"]
                colours = ["--palette", "700", "--length", "16", "--line", str(line)]
                self.cli("tiles", self.rom, "3", "9", "--codec", codec, *layout, *colours, "-o", out)
                words = (WORDS * 2)[line << bpp : (line + 1) << bpp]
                table = [colour_of(w) for w in words] + [(153, 153, 153)] * ((1 << bpp) - len(words))
                image = tile_indices(data, codec, 3, 9, 5, 2, 3)
                with Image.open(out) as png:
                    self.assertEqual(png.mode, "P")
                    self.assertEqual(triples(png.getpalette())[: 1 << bpp], table)
                    self.assertEqual(png.size, (len(image[0]) * 2, len(image) * 2))
                    places = [(2 * x, 2 * y) for y in range(len(image)) for x in range(len(image[0]))]
                    self.assertEqual([png.getpixel(p) for p in places], [i for row in image for i in row])
                rgb = subprocess.run(["convert", out, "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
                width = len(image[0]) * 2
                self.assertEqual([tuple(rgb[3 * (y * width + x) :][:3]) for x, y in places],
                                 [table[i] for row in image for i in row])


if __name__ == "__main__":
    unittest.main()
