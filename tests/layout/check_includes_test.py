#!/usr/bin/python3
"""Plants an include against the order of the folders into a copy of the sources, one product
folder at a time, and expects scripts/check_includes.py to fail naming the planted file; an
unchanged copy must pass, and a new folder of sources with no level must fail."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

ROOT = Path(os.environ.get("VELSAROM_SOURCE_DIR") or Path(__file__).resolve().parents[2])
CHECK = ROOT / "scripts" / "check_includes.py"
sys.path.insert(0, str(CHECK.parent))
import check_includes  # noqa: E402

# For each product folder, an include of a folder above it (the shell includes the tests).
ABOVE = {top: ("tests/support/HostFixture.h" if top == "shell" else "shell/TForm1.h")
         for top in check_includes.LEVELS}


def copy_sources(dest):
    for top in list(check_includes.LEVELS) + list(check_includes.OUTSIDE):
        src = ROOT / top
        if src.is_dir():
            shutil.copytree(src, dest / top, ignore=shutil.ignore_patterns("*.png", "data"))


def run(root):
    return subprocess.run([sys.executable, str(CHECK), "-q", str(root)], capture_output=True,
                          text=True)


class PlantedInclude(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.root = Path(cls.tmp.name)
        copy_sources(cls.root)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_unchanged_copy_passes(self):
        result = run(self.root)
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_every_product_folder_is_read(self):
        for top, target in ABOVE.items():
            with self.subTest(folder=top):
                files = sorted(p for p in (self.root / top).rglob("*.cpp"))
                self.assertTrue(files, f"{top}/ has no source in the copy")
                planted = files[-1]  # the last one, deepest in the walk's order
                original = planted.read_text(encoding="utf-8")
                try:
                    planted.write_text(f'#include "{target}"\n' + original, encoding="utf-8")
                    result = run(self.root)
                    self.assertEqual(result.returncode, 1, result.stdout)
                    rel = planted.relative_to(self.root).as_posix()
                    self.assertIn(f"{rel}:1: includes {target}", result.stderr)
                finally:
                    planted.write_text(original, encoding="utf-8")

    def test_simulated_host_may_not_include_the_writer(self):
        planted = self.root / "hostsim" / "Drawing.cpp"
        original = planted.read_text(encoding="utf-8")
        try:
            planted.write_text('#include "dxf/DxfWriter.h"\n' + original, encoding="utf-8")
            result = run(self.root)
            self.assertEqual(result.returncode, 1)
            self.assertIn("hostsim/Drawing.cpp:1: includes dxf/DxfWriter.h", result.stderr)
        finally:
            planted.write_text(original, encoding="utf-8")

    def test_a_folder_without_a_level_fails(self):
        extra = self.root / "reports"
        extra.mkdir()
        try:
            (extra / "Report.cpp").write_text('#include "shell/TForm1.h"\n', encoding="utf-8")
            result = run(self.root)
            self.assertEqual(result.returncode, 1)
            self.assertIn("reports/: holds sources but has no level", result.stderr)
        finally:
            shutil.rmtree(extra)


if __name__ == "__main__":
    unittest.main()
