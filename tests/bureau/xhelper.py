#!/usr/bin/python3
"""xhelper.py - what the X server knows of a program's windows, for the end-to-end tests.

  xhelper.py windows [--class C] [--name REGEX] [--all]
      its top-level windows that are viewable (--all: mapped or not)
  xhelper.py tray-icons [--class C]
      its icons embedded in trayer's panel
  xhelper.py popups [--class C]
      its mapped override-redirect windows: menus, drop-down lists, tooltips
  xhelper.py ready --class C [--tray] [--min N]
      its icon is in the tray (--tray) and at least N of its windows are viewable
  xhelper.py selection-owner ATOM      the owner of a selection, 0x0 for none
  xhelper.py workarea [--height H]     the desktop's work area, "X Y W H"
  xhelper.py wm                        the window manager's name

A window is one line, X Y its top-left corner on the screen, type and state the
_NET_WM_WINDOW_TYPE_* and _NET_WM_STATE_* suffixes:
  0xWID X Y W H class=NAME/CLASS type=T1,T2 state=S1,S2 transient_for=0xWID name="..."
--class matches either half of WM_CLASS, whatever the case.

--wait S polls every 10 ms until at least --min N lines (default 1; 0 allowed for
ready) show, or with --none until none does (selection-owner: no owner; workarea:
any other height). Exit status 1 when that did not happen in time.
--announce FILE creates FILE after the first poll: the poller is up, a clock may start.
"""
import argparse
import ctypes
import ctypes.util
import re
import signal
import sys
import time
from ctypes import POINTER, byref, c_char_p, c_int, c_long, c_uint, c_ulong, c_void_p

signal.signal(signal.SIGPIPE, signal.SIG_DFL)

_x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")


class _Attributs(ctypes.Structure):
    _fields_ = [("x", c_int), ("y", c_int), ("width", c_int), ("height", c_int),
                ("border_width", c_int), ("depth", c_int), ("visual", c_void_p),
                ("root", c_ulong), ("c_class", c_int), ("bit_gravity", c_int),
                ("win_gravity", c_int), ("backing_store", c_int), ("backing_planes", c_ulong),
                ("backing_pixel", c_ulong), ("save_under", c_int), ("colormap", c_ulong),
                ("map_installed", c_int), ("map_state", c_int), ("all_event_masks", c_long),
                ("your_event_mask", c_long), ("do_not_propagate_mask", c_long),
                ("override_redirect", c_int), ("screen", c_void_p)]


class _Classe(ctypes.Structure):
    _fields_ = [("res_name", c_void_p), ("res_class", c_void_p)]


_GESTIONNAIRE = ctypes.CFUNCTYPE(c_int, c_void_p, c_void_p)
for nom, res, args in (
        ("XOpenDisplay", c_void_p, [c_char_p]),
        ("XDefaultRootWindow", c_ulong, [c_void_p]),
        ("XInternAtom", c_ulong, [c_void_p, c_char_p, c_int]),
        ("XGetAtomName", c_void_p, [c_void_p, c_ulong]),
        ("XGetSelectionOwner", c_ulong, [c_void_p, c_ulong]),
        ("XQueryTree", c_int, [c_void_p, c_ulong, POINTER(c_ulong), POINTER(c_ulong),
                               POINTER(POINTER(c_ulong)), POINTER(c_uint)]),
        ("XGetWindowAttributes", c_int, [c_void_p, c_ulong, POINTER(_Attributs)]),
        ("XTranslateCoordinates", c_int, [c_void_p, c_ulong, c_ulong, c_int, c_int,
                                          POINTER(c_int), POINTER(c_int), POINTER(c_ulong)]),
        ("XGetClassHint", c_int, [c_void_p, c_ulong, POINTER(_Classe)]),
        ("XGetWindowProperty", c_int, [c_void_p, c_ulong, c_ulong, c_long, c_long, c_int,
                                       c_ulong, POINTER(c_ulong), POINTER(c_int),
                                       POINTER(c_ulong), POINTER(c_ulong), POINTER(c_void_p)]),
        ("XFree", c_int, [c_void_p]),
        ("XSetErrorHandler", c_void_p, [_GESTIONNAIRE])):
    getattr(_x, nom).restype = res
    getattr(_x, nom).argtypes = args
# A window may go while it is being read (a menu closing): its errors are not ours.
_sans_erreur = _GESTIONNAIRE(lambda d, e: 0)


class X:
    def __init__(self):
        self.d = _x.XOpenDisplay(None)
        if not self.d:
            sys.exit("xhelper.py: no X display (DISPLAY unset, or not inside session.sh?)")
        _x.XSetErrorHandler(_sans_erreur)
        self.racine = _x.XDefaultRootWindow(self.d)
        self._atomes, self._noms = {}, {}

    def atome(self, nom):
        if nom not in self._atomes:
            self._atomes[nom] = _x.XInternAtom(self.d, nom.encode(), 0)
        return self._atomes[nom]

    def nom_atome(self, a):
        if a not in self._noms:
            p = _x.XGetAtomName(self.d, a)
            self._noms[a] = ctypes.string_at(p).decode() if p else "?"
            if p:
                _x.XFree(p)
        return self._noms[a]

    def enfants(self, w):
        r, p, liste, n = c_ulong(), c_ulong(), POINTER(c_ulong)(), c_uint()
        if not _x.XQueryTree(self.d, w, byref(r), byref(p), byref(liste), byref(n)):
            return []
        out = [liste[i] for i in range(n.value)]
        if liste:
            _x.XFree(liste)
        return out

    def descendants(self, w):
        pile = list(reversed(self.enfants(w)))
        while pile:
            c = pile.pop()
            yield c
            pile.extend(reversed(self.enfants(c)))

    def propriete(self, w, nom):
        """The values of a property: ints (format 32) or bytes (format 8); None if unset."""
        t, f, n, reste, data = c_ulong(), c_int(), c_ulong(), c_ulong(), c_void_p()
        if _x.XGetWindowProperty(self.d, w, self.atome(nom), 0, 65536, 0, 0, byref(t), byref(f),
                                 byref(n), byref(reste), byref(data)) != 0 or not data.value:
            return None
        try:
            if f.value == 32:
                valeurs = ctypes.cast(data, POINTER(c_ulong))
                return [valeurs[i] for i in range(n.value)]
            return ctypes.string_at(data, n.value) if f.value == 8 else []
        finally:
            _x.XFree(data)

    def classe(self, w):
        h = _Classe()
        if not _x.XGetClassHint(self.d, w, byref(h)):
            return None
        out = tuple(ctypes.string_at(p).decode("utf-8", "replace") if p else ""
                    for p in (h.res_name, h.res_class))
        for p in (h.res_name, h.res_class):
            if p:
                _x.XFree(p)
        return out

    def de_classe(self, w, voulue):
        if voulue is None:
            return True
        c = self.classe(w)
        return bool(c) and voulue.lower() in (c[0].lower(), c[1].lower())

    def suffixes(self, w, nom, prefixe):
        return [n[len(prefixe):] if n.startswith(prefixe) else n
                for n in (self.nom_atome(a) for a in (self.propriete(w, nom) or []))]

    def decrire(self, w):
        a = _Attributs()
        if not _x.XGetWindowAttributes(self.d, w, byref(a)):
            return None
        x, y, enfant = c_int(), c_int(), c_ulong()
        _x.XTranslateCoordinates(self.d, w, self.racine, 0, 0, byref(x), byref(y), byref(enfant))
        nom = self.propriete(w, "_NET_WM_NAME")
        if nom is None:
            nom = self.propriete(w, "WM_NAME")
        parent = self.propriete(w, "WM_TRANSIENT_FOR")
        return {"wid": w, "x": x.value, "y": y.value, "w": a.width, "h": a.height,
                "visible": a.map_state == 2, "override": bool(a.override_redirect),
                "class": self.classe(w) or ("", ""),
                "name": nom.decode("utf-8", "replace") if isinstance(nom, bytes) else "",
                "type": self.suffixes(w, "_NET_WM_WINDOW_TYPE", "_NET_WM_WINDOW_TYPE_"),
                "state": self.suffixes(w, "_NET_WM_STATE", "_NET_WM_STATE_"),
                "transient_for": parent[0] if parent else 0}

    def clients(self, non_affichees=False):
        """Top-level client windows. The window manager's list is one cheap request, which
        matters when polled every 10 ms; it holds only mapped windows, so for the others,
        or with no window manager, the tree is walked (a client sits inside its frame)."""
        liste = self.propriete(self.racine, "_NET_CLIENT_LIST")
        if liste and not non_affichees:
            return liste
        out = []
        for haut in self.enfants(self.racine):
            if self.classe(haut) is not None or self.propriete(haut, "WM_STATE") is not None:
                out.append(haut)
                continue
            for c in self.descendants(haut):
                if self.propriete(c, "WM_STATE") is not None or self.classe(c) is not None:
                    out.append(c)
                    break
        return out


def ligne(d):
    return '0x%x %d %d %d %d class=%s/%s type=%s state=%s transient_for=0x%x name="%s"' % (
        d["wid"], d["x"], d["y"], d["w"], d["h"], d["class"][0], d["class"][1],
        ",".join(d["type"]), ",".join(d["state"]), d["transient_for"], d["name"])


def fenetres(x, classe=None, nom=None, toutes=False):
    motif = re.compile(nom) if nom else None
    out = []
    for w in x.clients(non_affichees=toutes):
        if not x.de_classe(w, classe):
            continue
        d = x.decrire(w)
        if d and not d["override"] and (toutes or d["visible"]) and \
                (motif is None or motif.search(d["name"])):
            out.append(d)
    return out


def icones(x, classe=None):
    """Icons live inside trayer's panel (its socket windows), not at the top level."""
    out = []
    for panneau in x.clients():
        if not x.de_classe(panneau, "trayer"):
            continue
        for w in x.descendants(panneau):
            if x.classe(w) and x.de_classe(w, classe):
                d = x.decrire(w)
                if d and d["visible"]:
                    out.append(d)
    return out


def surgissantes(x, classe=None):
    out = []
    for w in x.enfants(x.racine):
        d = x.decrire(w)
        # Qt parks some of its popups off screen, mapped, 1x1: not what a user sees.
        if d and d["visible"] and d["override"] and d["w"] > 1 and d["h"] > 1 and \
                d["x"] > -d["w"] and d["y"] > -d["h"] and x.de_classe(w, classe):
            out.append(d)
    return out


def zone_de_travail(x):
    z = x.propriete(x.racine, "_NET_WORKAREA")
    return tuple(z[:4]) if z and len(z) >= 4 else None


def gestionnaire(x):
    verif = x.propriete(x.racine, "_NET_SUPPORTING_WM_CHECK")
    if not verif:
        return None
    nom = x.propriete(verif[0], "_NET_WM_NAME")
    return nom.decode("utf-8", "replace") if nom else None


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("query", choices=["windows", "tray-icons", "popups", "ready", "selection-owner",
                                     "workarea", "wm"])
    p.add_argument("atom", nargs="?")
    p.add_argument("--class", dest="classe")
    p.add_argument("--name")
    p.add_argument("--all", action="store_true")
    p.add_argument("--tray", action="store_true")
    p.add_argument("--min", type=int, default=1)
    p.add_argument("--none", action="store_true")
    p.add_argument("--height", type=int)
    p.add_argument("--wait", type=float, default=0)
    p.add_argument("--announce")
    a = p.parse_args()
    if a.query == "selection-owner" and not a.atom:
        p.error("selection-owner needs an ATOM")
    x = X()

    # Each query gives (lines to print, whether the condition holds).
    def selection():
        proprietaire = _x.XGetSelectionOwner(x.d, x.atome(a.atom))
        return ["0x%x" % proprietaire], bool(proprietaire) != a.none

    def zone():
        z = zone_de_travail(x)
        tient = z is not None and (a.height is None or z[3] == a.height)
        return (["%d %d %d %d" % z] if z else []), tient != a.none

    def wm():
        nom = gestionnaire(x)
        return ([nom] if nom else []), bool(nom) != a.none

    def liste(trouvees):
        return [ligne(d) for d in trouvees], (not trouvees) if a.none else len(trouvees) >= a.min

    def pret():
        vues = fenetres(x, a.classe, a.name)
        dans_tray = icones(x, a.classe) if a.tray else []
        return [ligne(d) for d in dans_tray + vues], (dans_tray or not a.tray) and len(vues) >= a.min

    requete = {"windows": lambda: liste(fenetres(x, a.classe, a.name, a.all)),
               "tray-icons": lambda: liste(icones(x, a.classe)),
               "popups": lambda: liste(surgissantes(x, a.classe)),
               "ready": pret, "selection-owner": selection, "workarea": zone, "wm": wm}[a.query]
    fin = time.monotonic() + a.wait
    while True:
        lignes, tient = requete()
        if a.announce:
            open(a.announce, "w").close()
            a.announce = None
        if tient or time.monotonic() >= fin:
            break
        time.sleep(0.01)
    for l in lignes:
        print(l)
    return 0 if tient else 1


if __name__ == "__main__":
    sys.exit(main())
