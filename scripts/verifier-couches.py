#!/usr/bin/env python3
"""Fails when an include of src/ runs up the layers or sideways between two folders of
one layer, or when a seam header of the platform pulls in Qt widgets or GIO.

    app > tray > launcher, manage, about, report > core > catalogue, platform > base

Usage: verifier-couches.py SRC_DIR  (exit status 1 and one line per fault)."""
import pathlib
import re
import sys

RANGS = {
    "base": 0,
    "platform": 1, "catalogue": 1,
    "core": 2,
    "launcher": 3, "manage": 3, "about": 3, "report": 3,
    "tray": 4,
    "app": 5,
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
# Seam headers stay plain: the windows and the desktop libraries belong to the backends.
INTERDITS_DANS_LES_COUTURES = re.compile(r"^(gio/|glib|xcb/|QtWidgets/)")


def en_tete_widgets(nom, widgets):
    return nom in widgets or INTERDITS_DANS_LES_COUTURES.match(nom) is not None


def entetes_qt_widgets():
    for racine in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets",
                   "/usr/include/aarch64-linux-gnu/qt6/QtWidgets", "/usr/include/qt6/QtWidgets"):
        dossier = pathlib.Path(racine)
        if dossier.is_dir():
            return {p.name for p in dossier.iterdir() if p.name.startswith("Q")}
    return set()


def main():
    src = pathlib.Path(sys.argv[1]).resolve()
    widgets = entetes_qt_widgets()
    fautes = []
    for fichier in sorted(src.rglob("*")):
        if fichier.suffix not in (".h", ".cpp") or not fichier.is_file():
            continue
        relatif = fichier.relative_to(src)
        dossier = relatif.parts[0]
        if dossier not in RANGS:
            fautes.append(f"{relatif}: folder '{dossier}' has no place in the layers")
            continue
        texte = fichier.read_text(encoding="utf-8", errors="replace")
        couture = dossier == "platform" and len(relatif.parts) == 2 and fichier.suffix == ".h"
        for genre, nom in INCLUDE.findall(texte):
            if genre == "<":
                if couture and en_tete_widgets(nom, widgets):
                    fautes.append(f"{relatif}: seam header includes <{nom}>")
                continue
            cible = nom.split("/")[0]
            if cible not in RANGS or cible == dossier:
                continue
            if RANGS[cible] >= RANGS[dossier]:
                fautes.append(f"{relatif}: includes \"{nom}\": {dossier} may not use {cible}")
    for faute in fautes:
        print(faute, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
