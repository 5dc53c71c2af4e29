"""The "Button Tools" dialog in the running program: command 1090 opens it, OK makes
its edits the toolbar's (and the profile's once saved), Cancel changes nothing, and
pictures come from .bmp files picked in the file dialog, bad files named to the user.
"""
import os
import struct
import tempfile
import time
import unittest

from vxtest import WineTestCase

BUTTON_TOOLS, SAVE_SESSION = 1090, 1011
TOOLBAR = r"HKEY_LOCAL_MACHINE\Software\Quorlan\vexaNT\Profiles\Untitled\Toolbar"
TEXT, IMAGES, COMMANDS, TOOLS = 2853, 2856, 2858, 2859
CHANGE, DELETE, INSERT, ADD_BITMAP, DELETE_BITMAP, VISIBLE = 2860, 2861, 2862, 2863, 2864, 2869
EXIT_ACTION = 41


def bmp(width=21, height=17, bits=24, header=40, used=0, total=None, magic=b"BM", trim=0, planes=1):
    """A bottom-up .bmp file from its fields; `total`, `magic` and `trim` damage it."""
    colours = used or (1 << bits if bits <= 8 else 0)
    row = (width * bits + 31) // 32 * 4
    pixels = bytes((x * 7 + y * 3) & 0xFF for y in range(abs(height)) for x in range(row))
    info = struct.pack("<IiiHHIIiiII", header, width, height, planes, bits, 0, len(pixels), 2835, 2835, used, 0)
    info = info[:header] if header < 40 else info + bytes(header - 40)
    table = bytes(i & 0xFF for i in range(4 * colours))
    offset = 14 + header + len(table)
    size = offset + len(pixels)
    data = magic + struct.pack("<IHHI", size if total is None else total, 0, 0, offset) + info + table + pixels
    return data[:len(data) - trim] if trim else data


def patched(data, offset, value):
    """`data` with the 32-bit field at `offset` set to `value`."""
    return data[:offset] + struct.pack("<I", value) + data[offset + 4:]


# One file per way a file may point outside itself or describe what cannot be drawn.
CORRUPT = {
    "magic.bmp": bmp(magic=b"MB"),
    "tiny-total.bmp": bmp(total=10),
    "long-total.bmp": bmp(total=100000),
    "big-header.bmp": patched(bmp(), 14, 4000),  # an info header longer than the file
    "bits3.bmp": bmp(bits=3),
    "colours.bmp": bmp(bits=4, used=17),
    "thirtytwo.bmp": bmp(bits=32),
    "zero-wide.bmp": bmp(width=0),
    "huge-high.bmp": bmp(height=1 << 20),
    "short-bits.bmp": bmp(trim=60),
}


class ButtonToolsProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxbuttons")
        self.proc, self.hwnd = self.start_terminal()
        self.addCleanup(self.stop_terminal, self.proc, self.hwnd)

    def open_dialog(self):
        self.assertTrue(self.wine.probe.command(self.hwnd, BUTTON_TOOLS))
        dialog = self.wine.probe.find_dialog("Button Tools", 20000)
        self.assertIsNotNone(dialog)
        return dialog

    def end_dialog(self, dialog, button):
        self.assertTrue(self.wine.probe.click(dialog, button))
        self.wine.probe.ask("wait-gone", dialog, 10000)

    def select_data(self, dialog, control, data):
        items = self.wine.probe.items(dialog, control)["items"]
        index = [i["data"] for i in items].index(data)
        self.assertTrue(self.wine.probe.select(dialog, control, index))
        deadline = time.time() + 10
        while time.time() < deadline and self.wine.probe.items(dialog, control)["selected"] != index:
            time.sleep(0.05)

    def wait_for(self, check, what, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            value = check()
            if value:
                return value
            time.sleep(0.1)
        self.fail(what)

    def save(self):
        self.assertTrue(self.wine.probe.run_command(self.hwnd, SAVE_SESSION))

    def write(self, name, data):
        path = os.path.join(self.dir, name)
        with open(path, "wb") as f:
            f.write(data)
        return self.wine.windows_path(path)

    def pick_file(self, dialog, path):
        """Add Custom Bitmap... with `path` typed into the file dialog."""
        self.assertTrue(self.wine.probe.click(dialog, ADD_BITMAP))
        files = self.wine.probe.find_dialog("Load Custom Bitmap", 20000)
        self.assertIsNotNone(files)
        edits = [c for c in self.wine.probe.children(files) if c["class"] == "Edit" and c["visible"]]
        self.assertTrue(edits, "no file name field")
        self.assertTrue(self.wine.probe.settext(edits[0]["hwnd"], path))
        self.assertTrue(self.wine.probe.press("Open"))
        self.wine.probe.ask("wait-gone", files, 10000)

    def message_box(self, dialog, what=""):
        """The text of the message box over the dialog, answered with OK."""
        def box():
            return [d for d in self.wine.probe.dialogs() if d["hwnd"] != dialog and d["title"] != "Load Custom Bitmap"]
        boxes = self.wait_for(box, "no message box " + what)
        self.assertTrue(self.wine.probe.click(boxes[0]["hwnd"], 1))
        self.wine.probe.ask("wait-gone", boxes[0]["hwnd"], 10000)
        return [t for t in boxes[0]["texts"] if t]

    def test_opens_on_the_first_tool_and_cancel_changes_nothing(self):
        dialog = self.open_dialog()
        info = self.wine.probe.dialogs()[0]
        for label in ("Current Tool:", "Buttons:", "Commands:", "New Connection..."):
            self.assertIn(label, info["texts"])
        for button in ("Change Current", "Delete Current", "Insert at Current", "Add Custom Bitmap...",
                       "Delete Custom Bitmap", "Visible", "OK", "Cancel"):
            self.assertIn(button, info["buttons"])
        self.assertEqual(self.wine.probe.control(dialog, VISIBLE)["check"], 1)
        tools = self.wine.probe.items(dialog, TOOLS)["items"]
        self.assertEqual([t["data"] for t in tools if t["data"] != 2867], list(range(13)))
        self.select_data(dialog, COMMANDS, EXIT_ACTION)
        self.assertTrue(self.wine.probe.click(dialog, DELETE))
        self.assertTrue(self.wine.probe.click(dialog, CHANGE))
        self.end_dialog(dialog, 2)
        self.save()
        self.assertIsNone(self.wine.reg_values(TOOLBAR + r"\Defns"))

    def test_ok_makes_the_edit_live_and_saved(self):
        dialog = self.open_dialog()
        self.select_data(dialog, COMMANDS, EXIT_ACTION)
        self.assertTrue(self.wine.probe.set_text(dialog, TEXT, "x" * 254))
        self.assertTrue(self.wine.probe.click(dialog, CHANGE))
        self.wait_for(lambda: self.wine.probe.control(dialog, TEXT)["text"] == "x" * 132, "the text was not cut")
        self.end_dialog(dialog, 1)
        self.save()
        defns = self.wine.reg_values(TOOLBAR + r"\Defns")
        self.assertIsNotNone(defns)
        self.assertEqual(len(defns), 13)
        units = bytes.fromhex(defns["0"][1])
        self.assertEqual(struct.unpack("<7H", units)[5:], (0, EXIT_ACTION))
        self.assertEqual(self.wine.reg_values(TOOLBAR + r"\Actions")["0"], ("REG_SZ", "x" * 132))

    def test_pictures_from_files(self):
        good24 = self.write("good24.bmp", bmp(bits=24))
        good8 = self.write("good8.bmp", bmp(bits=8))
        dialog = self.open_dialog()
        self.pick_file(dialog, good24)
        self.pick_file(dialog, good8)
        images = self.wine.probe.items(dialog, IMAGES)
        self.assertEqual([i["text"].lower() for i in images["items"][21:]], [good24.lower(), good8.lower()])
        self.assertEqual(images["selected"], 22)
        self.pick_file(dialog, good24)
        self.assertEqual(self.message_box(dialog), [good24 + " is already defined."])
        for name, data in sorted(CORRUPT.items()):
            path = self.write(name, data)
            self.pick_file(dialog, path)
            self.assertEqual(self.message_box(dialog, name), [path + " is not a valid Bitmap File."], name)
        self.assertEqual(len(self.wine.probe.items(dialog, IMAGES)["items"]), 23)
        # The 8-bit picture goes on button 0; the 24-bit one is removed again. The click
        # is posted and the selection below is sent, which would overtake it: a picture
        # in use cannot be deleted, so the greyed button shows the change was made.
        self.wait_for(lambda: self.wine.probe.control(dialog, DELETE_BITMAP)["enabled"], "an unused picture")
        self.assertTrue(self.wine.probe.click(dialog, CHANGE))
        self.wait_for(lambda: not self.wine.probe.control(dialog, DELETE_BITMAP)["enabled"], "the change")
        self.select_data(dialog, IMAGES, 21)
        self.wait_for(lambda: self.wine.probe.control(dialog, DELETE_BITMAP)["enabled"], "cannot delete")
        self.assertTrue(self.wine.probe.click(dialog, DELETE_BITMAP))
        self.wait_for(lambda: len(self.wine.probe.items(dialog, IMAGES)["items"]) == 22, "not deleted")
        self.end_dialog(dialog, 1)
        self.save()
        self.assertEqual(self.wine.reg_values(TOOLBAR + r"\Buttons"), {good8: ("REG_DWORD", "0x15")})
        units = bytes.fromhex(self.wine.reg_values(TOOLBAR + r"\Defns")["0"][1])
        self.assertEqual(struct.unpack("<7H", units)[5], 21)


if __name__ == "__main__":
    unittest.main()
