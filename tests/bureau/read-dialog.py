#!/usr/bin/python3
"""read-dialog.py - a program's dialog or message box, read and answered through AT-SPI.

  read-dialog.py [--app NAME] [--role alert,dialog] [--title REGEX] [--wait S]
                 [--set-text TEXT [--field NAME]] [--press BUTTON]
      waits for a showing top-level window of one of the roles, prints its title, its
      texts in tree order, its fields and its buttons; --set-text replaces the text of
      the first field (or the one named NAME), --press presses a button by its name
      (& and case ignored). Needs a session started with --atspi.
  read-dialog.py --gone [--app NAME] [--role ...] [--title REGEX] [--wait S]
      waits until no such window is showing.

One item a line, strings JSON-quoted so that a CR LF shows as \\r\\n:
  app="dalvire" role="alert" title="Dalvire"
  text="..."
  field="Nom" value="..."
  button="OK"
  pressed="OK"
Exit status: 0 found (and done), 1 none within --wait (default 5 s), 2 no such button
or field.
"""
import argparse
import json
import re
import sys
import time

sys.dont_write_bytecode = True
from atspi_common import Atspi, appuyer, contenu, enfants, etats, sans_mnemonique, sur  # noqa: E402

TEXTES = {"label", "static", "paragraph", "heading"}
CHAMPS = {"text", "entry", "password text", "spin button", "editbar"}
BOUTONS = {"push button", "toggle button", "check box", "radio button"}


def q(s):
    return json.dumps(s, ensure_ascii=False)


def arbre(a):
    yield a
    for c in enfants(a):
        yield from arbre(c)


def trouver(a):
    roles = set(a.role.split(","))
    motif = re.compile(a.title) if a.title else None
    for appli in enfants(Atspi.get_desktop(0)):
        if a.app is not None and sur(appli.get_name, "") != a.app:
            continue
        for w in enfants(appli):
            role = sur(w.get_role_name, "")
            titre = sur(w.get_name, "") or ""
            if role in roles and "showing" in etats(w) and (motif is None or motif.search(titre)):
                yield appli, w, role, titre


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--app")
    p.add_argument("--role", default="alert,dialog")
    p.add_argument("--title")
    p.add_argument("--wait", type=float, default=5)
    p.add_argument("--set-text")
    p.add_argument("--field")
    p.add_argument("--press")
    p.add_argument("--gone", action="store_true")
    a = p.parse_args()

    fin = time.monotonic() + a.wait
    while True:
        vues = list(trouver(a))
        if bool(vues) != a.gone:
            break
        if time.monotonic() >= fin:
            if not a.gone:
                print("read-dialog.py: no showing %s%s within %g s" % (
                    a.role, " titled /%s/" % a.title if a.title else "", a.wait), file=sys.stderr)
            return 1
        time.sleep(0.05)
    if a.gone:
        return 0

    appli, fenetre, role, titre = vues[0]
    textes, champs, boutons = [], [], []
    for o in arbre(fenetre):
        r = sur(o.get_role_name, "")
        if r in TEXTES:
            nom, montre = sur(o.get_name, "") or "", contenu(o)
            textes += [t for t in (nom or montre,) if t]
            # A label whose accessible name is its tooltip: what it shows counts too.
            if montre and montre != (nom or montre):
                textes.append(montre)
        elif r in CHAMPS:
            champs.append((sur(o.get_name, "") or "", o))
        elif r in BOUTONS:
            boutons.append((sur(o.get_name, "") or "", o))

    code, fin_sortie = 0, []
    if a.set_text is not None:
        cibles = [o for n, o in champs if a.field is None or n == a.field]
        if not cibles or "EditableText" not in (sur(cibles[0].get_interfaces, []) or []) or \
                not sur(lambda: Atspi.EditableText.set_text_contents(cibles[0], a.set_text), False):
            print("read-dialog.py: no field%s to write in" % (" " + q(a.field) if a.field else ""),
                  file=sys.stderr)
            return 2
    # Read before any press: the window may close with it.
    valeurs = [(n, contenu(o)) for n, o in champs]
    if a.press is not None:
        touches = [(n, o) for n, o in boutons if sans_mnemonique(n) == sans_mnemonique(a.press)]
        comment = appuyer(touches[0][1]) if touches else None
        if comment:
            fin_sortie.append("pressed=" + q(touches[0][0]))
            if comment == "no-reply":
                fin_sortie.append("note=" + q("no reply within 500 ms: the program is probably in a modal loop"))
        else:
            print("read-dialog.py: no button %s among %s" % (q(a.press), [n for n, _ in boutons]),
                  file=sys.stderr)
            code = 2
    print("app=%s role=%s title=%s" % (q(sur(appli.get_name, "") or ""), q(role), q(titre)))
    for t in textes:
        print("text=" + q(t))
    for n, v in valeurs:
        print("field=%s value=%s" % (q(n), q(v)))
    for n, _ in boutons:
        print("button=" + q(n))
    for l in fin_sortie:
        print(l)
    return code


if __name__ == "__main__":
    sys.exit(main())
