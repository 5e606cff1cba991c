#!/usr/bin/python3
"""read-menu.py - the popup menu that a command opens, read (and picked from) through AT-SPI.

  read-menu.py [--app NAME] [--wait S] [--pick ITEM] -- COMMAND [ARGS...]

Qt leaves popup menus out of the application's accessible tree; it does announce that
the menu is showing, and the announcement carries the menu. So the listener is set
first, then COMMAND (say, tray-click.sh) runs, then the menu's items are read.
One item a line, in menu order, names JSON-quoted:
  item="Quitter" states=enabled,sensitive,showing,visible
  separator
  picked="Quitter"
--pick presses the item so named (& and case ignored); else the menu stays open.
Exit status: 0 read (and picked), 1 no menu within --wait (default 5 s), 2 no such item.
"""
import argparse
import json
import subprocess
import sys
import time

sys.dont_write_bytecode = True
from atspi_common import Atspi, GLib, appuyer, enfants, etats, sans_mnemonique, sur  # noqa: E402

MENUS = {"popup menu", "menu"}


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--app")
    p.add_argument("--wait", type=float, default=5)
    p.add_argument("--pick")
    p.add_argument("commande", nargs=argparse.REMAINDER)
    a = p.parse_args()
    commande = a.commande[1:] if a.commande[:1] == ["--"] else a.commande
    if not commande:
        p.error("the COMMAND that opens the menu goes after --")

    sources, lance = [], []

    def sortir():
        Atspi.event_quit()
        return False

    # Only note the source here: calling into the program from inside the callback can
    # stall the whole session's event stream. The 200 ms let the menu fill in.
    def evenement(ev):
        if ev.detail1:
            sources.append(ev.source)
            if len(sources) == 1:
                GLib.timeout_add(200, sortir)

    def lancer():
        lance.append(subprocess.Popen(commande, stdout=subprocess.DEVNULL))
        return False

    ecoute = Atspi.EventListener.new(evenement)
    ecoute.register("object:state-changed:showing")
    GLib.idle_add(lancer)
    fin = time.monotonic() + a.wait
    menu = None
    while menu is None and time.monotonic() < fin:
        minuteur = GLib.timeout_add(max(1, int((fin - time.monotonic()) * 1000)), sortir)
        Atspi.event_main()
        if GLib.MainContext.default().find_source_by_id(minuteur):
            GLib.source_remove(minuteur)
        for s in sources:
            if sur(s.get_role_name, "") in MENUS and \
                    (a.app is None or sur(lambda: s.get_application().get_name(), "") == a.app):
                menu = s
                break
        sources.clear()
    ecoute.deregister("object:state-changed:showing")
    for proc in lance:
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
    if menu is None:
        print("read-menu.py: no menu showed within %g s" % a.wait, file=sys.stderr)
        return 1

    entrees = [(sur(c.get_role_name, ""), sur(c.get_name, "") or "", c) for c in enfants(menu)]
    for role, nom, c in entrees:
        print("separator" if role == "separator" else
              "item=%s states=%s" % (json.dumps(nom, ensure_ascii=False), ",".join(etats(c))))
    if a.pick is None:
        return 0
    vises = [(nom, c) for role, nom, c in entrees if role != "separator" and
             sans_mnemonique(nom) == sans_mnemonique(a.pick)]
    comment = appuyer(vises[0][1]) if vises else None
    if not comment:
        print("read-menu.py: no item %s in the menu" % json.dumps(a.pick, ensure_ascii=False),
              file=sys.stderr)
        return 2
    print("picked=" + json.dumps(vises[0][0], ensure_ascii=False))
    if comment == "no-reply":
        print('note="no reply within 500 ms: the program is probably in a modal loop"')
    return 0


if __name__ == "__main__":
    sys.exit(main())
