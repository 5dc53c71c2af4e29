"""Keys pressed on an X display through the XTEST extension, one key code at a time.

xdotool presses the keys it thinks a key symbol needs (Num Lock around a keypad digit),
which a terminal sees as keys of their own. This presses exactly the key asked for, and
reads and sets the Num Lock state the X server keeps."""
import ctypes
import ctypes.util
import time


class _ModifierKeymap(ctypes.Structure):
    _fields_ = [("max_keypermod", ctypes.c_int), ("modifiermap", ctypes.POINTER(ctypes.c_ubyte))]


class _X:
    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XStringToKeysym.restype = ctypes.c_ulong
        self.x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.restype = ctypes.c_ubyte
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XInternAtom.restype = ctypes.c_ulong
        self.x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 6 + [
            ctypes.POINTER(ctypes.c_uint)]
        self.x11.XGetModifierMapping.restype = ctypes.POINTER(_ModifierKeymap)
        self.x11.XGetModifierMapping.argtypes = [ctypes.c_void_p]
        self.x11.XFreeModifiermap.argtypes = [ctypes.POINTER(_ModifierKeymap)]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


class XKeyboard:
    def __init__(self, display):
        self._x = _X()
        self._d = self._x.x11.XOpenDisplay(display.encode())
        if not self._d:
            raise RuntimeError("cannot open display %s" % display)

    def close(self):
        if self._d:
            self._x.x11.XCloseDisplay(self._d)
            self._d = None

    def keycode(self, name):
        keysym = self._x.x11.XStringToKeysym(name.encode())
        code = self._x.x11.XKeysymToKeycode(self._d, keysym) if keysym else 0
        if not code:
            raise ValueError("no key for %s" % name)
        return code

    def event(self, code, down):
        """Presses (down) or releases one key code, and waits until the server has it."""
        self._x.xtst.XTestFakeKeyEvent(self._d, code, 1 if down else 0, 0)
        self._x.x11.XSync(self._d, 0)

    def tap(self, name, pause=0.05):
        code = self.keycode(name)
        self.event(code, True)
        self.event(code, False)
        time.sleep(pause)

    def num_lock(self):
        """Whether the modifier that Num Lock's key sets is locked on."""
        code = self.keycode("Num_Lock")
        mapping = self._x.x11.XGetModifierMapping(self._d)
        per = mapping.contents.max_keypermod
        mask = 0
        for modifier in range(8):
            for i in range(per):
                if mapping.contents.modifiermap[modifier * per + i] == code:
                    mask = 1 << modifier
        self._x.x11.XFreeModifiermap(mapping)
        if not mask:
            raise RuntimeError("Num Lock is no modifier on this X server")
        state = ctypes.c_uint(0)
        dummy = ctypes.c_ulong(0)
        ints = [ctypes.c_int(0) for _ in range(4)]
        self._x.x11.XQueryPointer(self._d, self._x.x11.XDefaultRootWindow(self._d), ctypes.byref(dummy),
                                  ctypes.byref(dummy), *[ctypes.byref(i) for i in ints], ctypes.byref(state))
        return bool(state.value & mask)
