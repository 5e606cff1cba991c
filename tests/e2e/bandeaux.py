#!/usr/bin/python3
"""bandeaux.py - the program's launcher windows as the accessibility tree shows them.

One line per showing launcher window (a top-level window holding an image whose tooltip,
the accessible description, is the category name), in no particular order:
  X Y W H ICON_X ICON_Y ITEMS NAME
X Y W H: the window on screen; ICON_X ICON_Y: the centre of its icon; ITEMS: the
entries of its first drop-down list; NAME: the category. Debian's python3-pyatspi,
hence /usr/bin/python3. Exit status 1 when the program is not in the tree.
"""
import sys
import warnings

sys.dont_write_bytecode = True
warnings.simplefilter("ignore", DeprecationWarning)
import gi  # noqa: E402

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

Atspi.set_timeout(3000, 15000)
APPLICATION = sys.argv[1] if len(sys.argv) > 1 else "dalvire"


def enfants(a):
    try:
        n = a.get_child_count()
    except Exception:
        return []
    out = []
    for i in range(n):
        try:
            c = a.get_child_at_index(i)
        except Exception:
            c = None
        if c is not None:
            out.append(c)
    return out


def role(a):
    try:
        return a.get_role_name()
    except Exception:
        return ""


def etendue(a):
    e = a.get_extents(Atspi.CoordType.SCREEN)
    return e.x, e.y, e.width, e.height


def entrees(combo):
    n = 0
    for liste in enfants(combo):
        n += sum(1 for c in enfants(liste) if role(c) == "list item")
    return n


def main():
    trouve = False
    bureau = Atspi.get_desktop(0)
    for app in enfants(bureau):
        try:
            if app.get_name() != APPLICATION:
                continue
        except Exception:
            continue
        trouve = True
        for fenetre in enfants(app):
            try:
                if not fenetre.get_state_set().contains(Atspi.StateType.SHOWING):
                    continue
            except Exception:
                continue
            controles = enfants(fenetre)
            images = [c for c in controles if role(c) == "image" and (c.get_description() or "")]
            listes = [c for c in controles if role(c) == "combo box"]
            if not images or not listes:
                continue
            x, y, w, h = etendue(fenetre)
            ix, iy, iw, ih = etendue(images[0])
            print("%d %d %d %d %d %d %d %s" % (x, y, w, h, ix + iw // 2, iy + ih // 2,
                                               entrees(listes[0]), images[0].get_description()))
    return 0 if trouve else 1


if __name__ == "__main__":
    sys.exit(main())
