#!/usr/bin/python3
"""Presses the global key of the running program, RUNS times, through XTest, and prints for
each press, in microseconds from the instant the fake key request left this client: when
the search window was mapped, when the X server sent it its first Expose, and when the
program first drew into it (the first Damage on the window). Escape closes it between
presses. Before each press the program is let settle: no CPU time spent for 300 ms.

Every time is read on this client's monotonic clock as its events arrive, so a figure is
the key's whole way through the server and the program, plus this client's own reading of
one event (well under a millisecond). The server's clock cannot be used here: the program
holds a passive grab on the key, so no second client sees the KeyPress and its timestamp;
and Map and Expose events carry no time.

Usage: sonde_raccourci.py PID RUNS
Prints one line per press: "run=N map_us=... expose_us=... paint_us=..." (a missing field:
not seen within 5 s), then "windows=N" for the program's strips at the start."""
import ctypes
import os
import select
import sys
import time
from ctypes import POINTER, byref, c_char_p, c_int, c_long, c_uint, c_ulong, c_void_p

sys.path.insert(0, os.environ["HARNESS_TOOLS"])
import xhelper  # noqa: E402

_x = xhelper._x
_tst = ctypes.CDLL("libXtst.so.6")
try:
    _dmg = ctypes.CDLL("libXdamage.so.1")
except OSError:
    _dmg = None

for lib, nom, res, args in (
        (_x, "XSelectInput", c_int, [c_void_p, c_ulong, c_long]),
        (_x, "XPending", c_int, [c_void_p]),
        (_x, "XNextEvent", c_int, [c_void_p, c_void_p]),
        (_x, "XConnectionNumber", c_int, [c_void_p]),
        (_x, "XSync", c_int, [c_void_p, c_int]),
        (_x, "XFlush", c_int, [c_void_p]),
        (_x, "XStringToKeysym", c_ulong, [c_char_p]),
        (_x, "XKeysymToKeycode", ctypes.c_ubyte, [c_void_p, c_ulong]),
        (_tst, "XTestFakeKeyEvent", c_int, [c_void_p, c_uint, c_int, c_ulong])):
    getattr(lib, nom).restype = res
    getattr(lib, nom).argtypes = args
if _dmg:
    for nom, res, args in (
            ("XDamageQueryExtension", c_int, [c_void_p, POINTER(c_int), POINTER(c_int)]),
            ("XDamageCreate", c_ulong, [c_void_p, c_ulong, c_int]),
            ("XDamageSubtract", c_int, [c_void_p, c_ulong, c_ulong, c_ulong])):
        getattr(_dmg, nom).restype = res
        getattr(_dmg, nom).argtypes = args

EXPOSE, CREATE, UNMAP, MAP = 12, 16, 18, 19
EXPOSURE_MASK, STRUCTURE_MASK, SUBSTRUCTURE_MASK = 1 << 15, 1 << 17, 1 << 19
DAMAGE_REPORT_NON_EMPTY = 3


def ticks(pid):
    with open("/proc/%d/stat" % pid) as f:
        champs = f.read().rsplit(")", 1)[1].split()
    return int(champs[11]) + int(champs[12])


def au_repos(pid, limite=15.0):
    fin = time.monotonic() + limite
    avant = ticks(pid)
    while time.monotonic() < fin:
        time.sleep(0.3)
        maintenant = ticks(pid)
        if maintenant == avant:
            return True
        avant = maintenant
    return False


class Sonde:
    def __init__(self):
        self.x = xhelper.X()
        self.d = self.x.d
        self.ev = ctypes.create_string_buffer(192)
        self.suivies, self.noms, self.dommages = set(), {}, {}
        self.base_dommage = None
        if _dmg:
            b, e = c_int(), c_int()
            if _dmg.XDamageQueryExtension(self.d, byref(b), byref(e)):
                self.base_dommage = b.value
        _x.XSelectInput(self.d, self.x.racine, SUBSTRUCTURE_MASK)
        self.touches = {k: _x.XKeysymToKeycode(self.d, _x.XStringToKeysym(k.encode()))
                        for k in ("Control_L", "Alt_L", "space", "Escape")}

    def suivre(self, w):
        if w in self.suivies:
            return
        self.suivies.add(w)
        _x.XSelectInput(self.d, w, EXPOSURE_MASK | STRUCTURE_MASK)
        if self.base_dommage is not None:
            self.dommages[w] = _dmg.XDamageCreate(self.d, w, DAMAGE_REPORT_NON_EMPTY)

    def est_recherche(self, w):
        if w not in self.noms:
            nom = self.x.propriete(w, "_NET_WM_NAME") or self.x.propriete(w, "WM_NAME")
            if not nom:
                return False  # not named yet: asked again on its next event
            self.noms[w] = bytes(nom).decode("utf-8", "replace") == "Rechercher"
        return self.noms[w]

    def evenements(self, jusqua):
        """Yields (type, window, arrival ns) until the deadline (monotonic ns)."""
        fd = _x.XConnectionNumber(self.d)
        while True:
            while _x.XPending(self.d):
                _x.XNextEvent(self.d, self.ev)
                arrivee = time.monotonic_ns()
                t = ctypes.c_int.from_buffer(self.ev, 0).value
                if self.base_dommage is not None and t == self.base_dommage:
                    yield "paint", ctypes.c_ulong.from_buffer(self.ev, 32).value, arrivee
                elif t == CREATE:
                    yield "create", ctypes.c_ulong.from_buffer(self.ev, 40).value, arrivee
                elif t in (MAP, UNMAP):
                    yield ("map" if t == MAP else "unmap"), \
                        ctypes.c_ulong.from_buffer(self.ev, 40).value, arrivee
                elif t == EXPOSE:
                    yield "expose", ctypes.c_ulong.from_buffer(self.ev, 32).value, arrivee
            reste = jusqua - time.monotonic_ns()
            if reste <= 0:
                return
            select.select([fd], [], [], reste / 1e9)

    def touche(self, *noms):
        for n in noms:
            _tst.XTestFakeKeyEvent(self.d, self.touches[n], 1, 0)
        for n in reversed(noms):
            _tst.XTestFakeKeyEvent(self.d, self.touches[n], 0, 0)
        _x.XFlush(self.d)

    def une_ouverture(self):
        for f in xhelper.fenetres(self.x, "dalvire", "^Rechercher$", toutes=True):
            self.suivre(f["wid"])
        for w, dommage in self.dommages.items():
            _dmg.XDamageSubtract(self.d, dommage, 0, 0)
        _x.XSync(self.d, 1)  # nothing left from before the press
        t0 = time.monotonic_ns()
        self.touche("Control_L", "Alt_L", "space")
        vus, fenetre = {}, None
        for quoi, w, quand in self.evenements(t0 + 5_000_000_000):
            if quoi == "create":
                self.suivre(w)
                continue
            if w not in self.suivies or not self.est_recherche(w):
                continue
            if quoi == "paint" and "map" not in vus:
                continue  # a drawing of the hidden window is not its showing
            fenetre = w
            vus.setdefault(quoi, (quand - t0) // 1000)
            if "expose" in vus and ("paint" in vus or self.base_dommage is None):
                break
        if fenetre is not None and not self.fermer(fenetre):
            vus["not_closed"] = 1
        return vus

    def fermer(self, fenetre):
        """Escape goes to the active window: it is sent once the search window is active,
        and again while the window stays."""
        fin = time.monotonic() + 5
        while time.monotonic() < fin and \
                (self.x.propriete(self.x.racine, "_NET_ACTIVE_WINDOW") or [0])[0] != fenetre:
            time.sleep(0.01)
        for _ in range(3):
            self.touche("Escape")
            for quoi, w, _ in self.evenements(time.monotonic_ns() + 2_000_000_000):
                if quoi == "unmap" and w == fenetre:
                    return True
        return False


def main():
    pid, runs = int(sys.argv[1]), int(sys.argv[2])
    sonde = Sonde()
    print("windows=%d" % len(xhelper.fenetres(sonde.x, "dalvire")), flush=True)
    for i in range(1, runs + 1):
        if not au_repos(pid):
            print("run=%d busy" % i, flush=True)
        vus = sonde.une_ouverture()
        print(" ".join(["run=%d" % i] + ["%s_us=%d" % (k, vus[k])
                                         for k in ("map", "expose", "paint") if k in vus] +
                       (["not_closed"] if "not_closed" in vus else [])),
              flush=True)


if __name__ == "__main__":
    main()
