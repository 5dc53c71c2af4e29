"""The layering check fails on a deliberate wrong include and passes without one."""
import os
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.environ.get("VX_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..", "..")),
                     "tools", "layering", "checklayers.py")


class LayeringCheck(unittest.TestCase):
    def tree(self, files):
        root = tempfile.mkdtemp()
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write(text)
        return root

    def check(self, files):
        r = subprocess.run([sys.executable, CHECK, "--root", self.tree(files)], capture_output=True, text=True)
        return r.returncode, r.stdout

    def test_a_clean_tree_passes(self):
        code, out = self.check({
            "terminal/core/host/reader.cpp": '#include "terminal/core/base/family.h"\n',
            "terminal/emulations/dec/vt.cpp": '#include "terminal/emulations/dec/services.h"\n'
                                              '#include "terminal/core/screen/screenops.h"\n',
            "terminal/emulations/families.cpp": '#include "terminal/emulations/dec/family.h"\n'
                                                '#include "terminal/emulations/wyse-tvi/family.h"\n',
        })
        self.assertEqual(code, 0, out)

    def test_shared_folders_including_a_family_fail(self):
        for layer in ("core/paint", "comms", "settings", "input"):
            code, out = self.check({
                "terminal/%s/file.cpp" % layer: 'int x;\n  #include "terminal/emulations/dec/vtmodes.h"\n',
            })
            self.assertEqual(code, 1, layer)
            self.assertIn("terminal/%s/file.cpp:2: terminal/emulations/dec/vtmodes.h" % layer, out)

    def test_a_family_including_another_fails(self):
        code, out = self.check({
            "terminal/emulations/dec/keys.h": '#include "terminal/emulations/hp-ibm3151/keys.h"\n',
        })
        self.assertEqual(code, 1)
        self.assertIn("terminal/emulations/dec/keys.h:1: terminal/emulations/hp-ibm3151/keys.h", out)


if __name__ == "__main__":
    unittest.main()
