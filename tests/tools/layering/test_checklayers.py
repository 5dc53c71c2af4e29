"""The layering check passes a tree whose includes point down the order of the rooms and
fails, naming file and line, on each include that points up or across it."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

CHECK = os.path.join(os.environ.get("VX_SOURCE", os.path.join(os.path.dirname(__file__), "..", "..", "..")),
                     "tools", "layering", "checklayers.py")


class LayeringCheck(unittest.TestCase):
    def check(self, files, *options):
        root = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, root)
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w") as f:
                f.write(text)
        r = subprocess.run([sys.executable, CHECK, "--root", root, *options], capture_output=True, text=True)
        return r.returncode, r.stdout

    def test_includes_down_the_order_pass(self):
        code, out = self.check({
            "terminal/core/screen/screenops.cpp": '#include "terminal/core/base/family.h"\n'
                                                  '#include "terminal/core/screen/screenstore.h"\n',
            "terminal/core/window/layout.cpp": '#include "terminal/input/bars/toolbars.h"\n'
                                               '#include "terminal/core/window/status/statusbar.h"\n',
            "terminal/core/program/commands.cpp": '#include "terminal/settings/setup/setupdialog.h"\n',
            "terminal/emulations/dec/keys/vtkeys.cpp": '#include "terminal/emulations/dec/services.h"\n'
                                                       '#include "terminal/core/program/commands.h"\n',
            "terminal/emulations/families.cpp": '#include "terminal/emulations/dec/family.h"\n'
                                                '#include "terminal/emulations/wyse/family.h"\n',
        })
        self.assertEqual(code, 0, out)

    def test_the_drawing_has_one_arrow_per_pair_of_rooms_with_its_count(self):
        code, out = self.check({
            "terminal/core/screen/screenops.cpp": '#include "terminal/core/base/family.h"\n'
                                                  '#include "terminal/core/base/vxtypes.h"\n'
                                                  '#include "terminal/core/screen/screenstore.h"\n',
            "terminal/emulations/dec/keys/vtkeys.cpp": '#include "terminal/emulations/dec/services.h"\n'
                                                       '#include "terminal/core/screen/screenstore.h"\n',
        }, "--dot")
        self.assertEqual(code, 0, out)
        arrows = sorted(line.strip() for line in out.splitlines() if "->" in line)
        self.assertEqual(arrows, ['"core/screen" -> "core/base" [label=2];',
                                  '"emulations/dec" -> "core/screen" [label=1];'])

    def test_each_include_against_the_order_fails_with_its_place(self):
        cases = [
            # (file, its text, what the report names)
            ("terminal/core/screen/screenops.cpp", 'int x;\n#include "terminal/core/paint/fonts.h"\n',
             "terminal/core/screen/screenops.cpp:2: terminal/core/paint/fonts.h (core/paint stands above core/screen)"),
            ("terminal/comms/serial/serialio.cpp", '#include "terminal/comms/printing/printjob.h"\n',
             "terminal/comms/serial/serialio.cpp:1: terminal/comms/printing/printjob.h "
             "(comms/printing stands above comms/serial)"),
            ("terminal/core/window/status/statusbar.h", '  #  include "terminal/core/window/timers.h"\n',
             "terminal/core/window/status/statusbar.h:1: terminal/core/window/timers.h "
             "(core/window stands above core/window/status)"),
            ("terminal/input/bars/softbar.cpp", '#include "terminal/emulations/dec/vtmodes.h"\n',
             "terminal/input/bars/softbar.cpp:1: terminal/emulations/dec/vtmodes.h (a shared room reaches a family"),
            ("terminal/emulations/dec/keys/keys.h", '#include "terminal/emulations/wyse/keys.h"\n',
             "terminal/emulations/dec/keys/keys.h:1: terminal/emulations/wyse/keys.h "
             "(a family includes no other family)"),
            ("terminal/core/base/corestate.cpp", '#include "terminal/emulations/families.h"\n',
             "terminal/core/base/corestate.cpp:1: terminal/emulations/families.h"),
            ("terminal/core/extras/thing.cpp", '#include "terminal/core/base/family.h"\n',
             "terminal/core/extras/thing.cpp:1: core/extras is in no room of the order"),
            ("terminal/core/base/memblock.cpp", '#include "terminal/core/extras/thing.h"\n',
             "terminal/core/base/memblock.cpp:1: terminal/core/extras/thing.h (core/extras is in no room"),
        ]
        for path, text, report in cases:
            with self.subTest(path=path):
                code, out = self.check({path: text})
                self.assertEqual(code, 1, out)
                self.assertIn(report, out)

    def test_the_wizard_stands_above_the_shared_rooms_and_apart_from_the_families(self):
        code, out = self.check({
            "wizard/engine/text.h": '#include "terminal/core/base/vxtypes.h"\n#include "wizard/engine/names.h"\n',
            "wizard/pages.cpp": '#include "terminal/core/program/commands.h"\n',
        })
        self.assertEqual(code, 0, out)
        cases = [
            ("wizard/pages.cpp", '#include "terminal/emulations/dec/vtmodes.h"\n',
             "wizard/pages.cpp:1: terminal/emulations/dec/vtmodes.h (the wizard reaches no emulation family)"),
            ("terminal/core/base/win32.h", '#include "wizard/engine/names.h"\n',
             "terminal/core/base/win32.h:1: wizard/engine/names.h (nothing in terminal/ includes the wizard)"),
        ]
        for path, text, report in cases:
            with self.subTest(path=path):
                code, out = self.check({path: text})
                self.assertEqual(code, 1, out)
                self.assertIn(report, out)

    def test_a_folder_of_more_than_forty_sources_fails(self):
        def folder(count, extra=None):
            files = {"terminal/emulations/wyse/part%02d.%s" % (i, "h" if i % 2 else "cpp"): "" for i in range(count)}
            files.update(extra or {})
            return files

        # Forty sources beside others that are not .h or .cpp, and more in a sub-room, pass.
        code, out = self.check(folder(40, {"terminal/emulations/wyse/wyse.rc": "",
                                           "terminal/emulations/wyse/keys/k.cpp": ""}))
        self.assertEqual(code, 0, out)
        code, out = self.check(folder(41))
        self.assertEqual(code, 1, out)
        self.assertIn("terminal/emulations/wyse: 41 source files (.h and .cpp) in one folder, more than 40", out)

    def test_a_name_beside_the_file_counts_as_its_room(self):
        code, out = self.check({
            "terminal/core/screen/screenops.cpp": '#include "../window/layout.h"\n',
            "terminal/core/window/layout.h": "void LayoutTerminalArea();\n",
        })
        self.assertEqual(code, 1, out)
        self.assertIn("terminal/core/screen/screenops.cpp:1: ../window/layout.h (core/window stands above", out)


if __name__ == "__main__":
    unittest.main()
