#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The installed files and the Debian package, checked as a packager would check them.
Arguments: SOURCE_DIR BUILD_DIR VERSION APP_ID PACKAGE_DIR CLASS (PACKAGE_DIR is where `make package` puts the
.deb)."""

import glob
import gzip
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest

SOURCE, BUILD, VERSION, APP_ID, PACKAGE_DIR = sys.argv[1:6]
del sys.argv[1:6]
PACKAGING = os.path.join(SOURCE, "packaging")

# What an install puts under its prefix, with the mode of each file.
INSTALLED = {
    "bin/tintorb": 0o755,
    "bin/tintorb-cli": 0o755,
    f"share/applications/{APP_ID}.desktop": 0o644,
    f"share/metainfo/{APP_ID}.metainfo.xml": 0o644,
    f"share/icons/hicolor/scalable/apps/{APP_ID}.svg": 0o644,
    f"share/icons/hicolor/48x48/apps/{APP_ID}.png": 0o644,
    f"share/icons/hicolor/256x256/apps/{APP_ID}.png": 0o644,
    "share/man/man1/tintorb.1.gz": 0o644,
    "share/man/man1/tintorb-cli.1.gz": 0o644,
    "share/doc/tintorb/copyright": 0o644,
}
# What only the package adds.
PACKAGE_ONLY = {
    "share/doc/tintorb/changelog.gz": 0o644,
    "share/lintian/overrides/tintorb": 0o644,
}


def run(*args, **kwargs):
    return subprocess.run(args, capture_output=True, text=True, **kwargs)


def files_under(root):
    found = {}
    for directory, _, names in os.walk(root):
        for name in names:
            path = os.path.join(directory, name)
            found[os.path.relpath(path, root)] = os.stat(path).st_mode & 0o777
    return found


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


class Files(unittest.TestCase):
    def test_desktop_entry_validates(self):
        done = run("desktop-file-validate", os.path.join(PACKAGING, f"{APP_ID}.desktop"))
        # Not even a hint: one main category, so that the entry is listed once.
        self.assertEqual((done.returncode, done.stdout + done.stderr), (0, ""))
        with open(os.path.join(PACKAGING, f"{APP_ID}.desktop"), encoding="utf-8") as f:
            self.assertIn(f"\nIcon={APP_ID}\n", f.read())

    def test_every_source_file_names_the_licence(self):
        tag = "SPDX-License-Identifier: GPL-3.0-or-later"
        missing = []
        for folder in ("src", "tests", "bench", "scripts"):
            for root, _, names in os.walk(os.path.join(SOURCE, folder)):
                for name in names:
                    if os.path.splitext(name)[1] in (".cpp", ".h", ".py", ".sh"):
                        with open(os.path.join(root, name), encoding="utf-8") as f:
                            if tag not in "".join(f.readline() for _ in range(2)):
                                missing.append(os.path.relpath(os.path.join(root, name), SOURCE))
        self.assertEqual(missing, [])

    def test_metainfo_validates_and_its_newest_release_is_this_version(self):
        metainfo = os.path.join(PACKAGING, f"{APP_ID}.metainfo.xml")
        done = run("appstreamcli", "validate", "--no-net", "--strict", metainfo)
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        with open(metainfo, encoding="utf-8") as f:
            text = f.read()
        self.assertIn(f"<id>{APP_ID}</id>", text)
        self.assertIn(f'<launchable type="desktop-id">{APP_ID}.desktop</launchable>', text)
        self.assertEqual(re.search(r'<release version="([^"]+)"', text)[1], VERSION)
        with open(os.path.join(PACKAGING, "changelog"), encoding="utf-8") as f:
            self.assertEqual(re.match(r"tintorb \(([^)]+)\)", f.read())[1], VERSION)

    def test_install_puts_every_file_in_place_and_the_tree_validates(self):
        with tempfile.TemporaryDirectory() as destdir:
            done = run("cmake", "--install", BUILD, "--prefix", "/usr/local", env={**os.environ, "DESTDIR": destdir})
            self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
            prefix = os.path.join(destdir, "usr/local")
            self.assertEqual(files_under(destdir), {os.path.join("usr/local", p): m for p, m in INSTALLED.items()})
            for size in (48, 256):
                icon = f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png"
                self.assertEqual(png_size(os.path.join(prefix, icon)), (size, size))
            for page in ("tintorb.1", "tintorb-cli.1"):
                with gzip.open(os.path.join(prefix, "share/man/man1", page + ".gz"), "rt") as f:
                    self.assertTrue(f.read().startswith(".TH " + page[:-2].upper() + " 1 "))
            done = run("appstreamcli", "validate-tree", "--no-net", "--strict", prefix)
            self.assertEqual(done.returncode, 0, done.stdout + done.stderr)


def built_package():
    debs = glob.glob(os.path.join(PACKAGE_DIR, f"tintorb_{VERSION}_*.deb"))
    if len(debs) != 1:
        raise AssertionError(f"expected one tintorb_{VERSION}_*.deb in {PACKAGE_DIR} (make package), found {debs}")
    return debs[0]


class Lintian(unittest.TestCase):
    def test_finds_no_error_or_warning(self):
        done = run("lintian", "--fail-on", "error,warning", built_package())
        self.assertEqual(done.returncode, 0, done.stdout + done.stderr)


class ScratchRoot(unittest.TestCase):
    """The package unpacked into an empty directory, as dpkg would lay it out under /."""

    def setUp(self):
        scratch = tempfile.TemporaryDirectory()
        self.addCleanup(scratch.cleanup)
        self.root = scratch.name
        done = run("dpkg", "-x", built_package(), self.root)
        self.assertEqual(done.returncode, 0, done.stderr)

    def test_every_file_is_in_place(self):
        expected = {**INSTALLED, **PACKAGE_ONLY}
        self.assertEqual(files_under(self.root), {os.path.join("usr", p): m for p, m in expected.items()})

    def test_both_programs_print_their_version(self):
        cli = run(os.path.join(self.root, "usr/bin/tintorb-cli"), "--version", timeout=30)
        self.assertEqual((cli.returncode, cli.stdout), (0, f"tintorb-cli {VERSION}\n"), cli.stderr)
        window = run(os.path.join(self.root, "usr/bin/tintorb"), "--version", timeout=30,
                     env={**os.environ, "QT_QPA_PLATFORM": "offscreen"})
        self.assertEqual((window.returncode, window.stdout), (0, f"Tintorb {VERSION}\n"), window.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
