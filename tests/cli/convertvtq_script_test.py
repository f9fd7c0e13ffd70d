#!/usr/bin/env python3
"""scripts/convertvtq on Linux: a Shift_JIS project file becomes one with UTF-8 names that Python's
zipfile reads with the right names and content; usage errors keep their exit status."""
import os
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPT = os.path.join(ROOT, "scripts", "convertvtq")

FILES = {
    "図面/表.txt": "表の中身".encode("utf-8"),  # 表 is 95 5C in Shift_JIS: a backslash byte
    "設定.xml": b"<settings/>",
}
TOP = "プロジェクト"


class ShiftJisInfo(zipfile.ZipInfo):
    """Stores the name's Shift_JIS bytes without the UTF-8 flag, as Japanese Windows tools do."""

    def _encodeFilenameFlags(self):
        return self.filename.encode("shift_jis"), self.flag_bits & ~0x800


def write_shift_jis_project(path):
    with zipfile.ZipFile(path, "w", zipfile.ZIP_DEFLATED) as z:
        for name, data in FILES.items():
            z.writestr(ShiftJisInfo(f"{TOP}/{name}"), data)


class ConvertVtqScript(unittest.TestCase):
    def run_script(self, args, cwd):
        return subprocess.run([SCRIPT, *args], cwd=cwd, capture_output=True, timeout=300)

    def test_converts_shift_jis_names_to_utf8(self):
        with tempfile.TemporaryDirectory() as tmp:
            os.mkdir(os.path.join(tmp, "in"))
            source = os.path.join(tmp, "in", "案件.vtq")
            write_shift_jis_project(source)
            with open(source, "rb") as f:
                before = f.read()
            elsewhere = os.path.join(tmp, "elsewhere")
            os.mkdir(elsewhere)

            # Relative paths from another current folder, as a user types them.
            result = self.run_script(["-o", "../out", "-w", "../work", "../in/案件.vtq"], cwd=elsewhere)

            self.assertEqual(0, result.returncode, result.stderr.decode("utf-8", "replace"))
            lines = result.stdout.decode("utf-8").splitlines()
            self.assertEqual(3, len(lines), lines)
            self.assertTrue(lines[1].endswith("VTQ、VTQPファイルの変換が終了しました。Z:" +
                                              source.replace("/", "\\")), lines[1])
            with open(source, "rb") as f:
                self.assertEqual(before, f.read())

            with zipfile.ZipFile(os.path.join(tmp, "out", "案件.vtq")) as z:
                infos = z.infolist()
                self.assertEqual(sorted(f"{TOP}/{n}" for n in FILES), sorted(i.filename for i in infos))
                for info in infos:
                    self.assertTrue(info.flag_bits & 0x800, info.filename)
                    self.assertEqual(FILES[info.filename[len(TOP) + 1:]], z.read(info))

    def test_usage_error_status_passes_through(self):
        with tempfile.TemporaryDirectory() as tmp:
            result = self.run_script(["-x"], cwd=tmp)
            self.assertEqual(2, result.returncode)
            self.assertIn("不明なオプションです。-x", result.stderr.decode("utf-8"))


if __name__ == "__main__":
    unittest.main(verbosity=2)
