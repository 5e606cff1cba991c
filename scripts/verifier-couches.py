#!/usr/bin/env python3
"""Fails when src/ runs up the layers or sideways between two folders of one layer: an
include of a project header, quoted or in angle brackets, or a library of a folder linked
(target_link_libraries) to the library of another folder. Also fails when a seam header
of the platform pulls in Qt widgets or GIO, when a folder below ui includes a Qt widget
header or links Qt6::Widgets (the windows' shared parts are ui's), and when anything but app
includes the Linux backends (platform/linux/), which only the composition root may know.

    app > tray > launcher, manage, about, report > ui > core > catalogue, platform > base

Usage: verifier-couches.py SRC_DIR  (exit status 1 and one line per fault)."""
import pathlib
import re
import sys

RANGS = {
    "base": 0,
    "platform": 1, "catalogue": 1,
    "core": 2,
    "ui": 3,
    "launcher": 4, "manage": 4, "about": 4, "report": 4,
    "tray": 5,
    "app": 6,
}
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)
# Seam headers stay plain: the windows and the desktop libraries belong to the backends.
INTERDITS_DANS_LES_COUTURES = re.compile(r"^(gio/|glib|xcb/|QtWidgets/)")
BACKENDS = "platform/linux/"
# Below this rank no folder holds widgets: the backends of the platform only.
RANG_DES_WIDGETS = 3
BIBLIOTHEQUE = re.compile(r"\badd_library\s*\(\s*([\w.+-]+)")
LIEN = re.compile(r"\btarget_link_libraries\s*\(([^)]*)\)")


def en_tete_widgets(nom, widgets):
    return nom in widgets or INTERDITS_DANS_LES_COUTURES.match(nom) is not None


def entetes_qt_widgets():
    for racine in ("/usr/include/x86_64-linux-gnu/qt6/QtWidgets",
                   "/usr/include/aarch64-linux-gnu/qt6/QtWidgets", "/usr/include/qt6/QtWidgets"):
        dossier = pathlib.Path(racine)
        if dossier.is_dir():
            return {p.name for p in dossier.iterdir() if p.name.startswith("Q")}
    return set()


def sans_widgets(relatif):
    return (RANGS[relatif.parts[0]] < RANG_DES_WIDGETS
            and relatif.parts[:2] != ("platform", "linux"))


def fautes_d_inclusion(relatif, texte, widgets):
    dossier = relatif.parts[0]
    couture = dossier == "platform" and len(relatif.parts) == 2 and relatif.suffix == ".h"
    # The backends include one another; everyone else reaches them through app.
    backend = relatif.parts[:2] == ("platform", "linux")
    for ouvrant, nom in INCLUDE.findall(texte):
        cible = nom.split("/")[0]
        if ouvrant == "<" and cible not in RANGS:
            if couture and en_tete_widgets(nom, widgets):
                yield f"{relatif}: seam header includes <{nom}>"
            elif sans_widgets(relatif) and nom.split("/")[-1] in widgets:
                yield f"{relatif}: includes <{nom}>: {dossier} holds no widgets"
            continue
        ecrit = f"<{nom}>" if ouvrant == "<" else f'"{nom}"'
        if nom.startswith(BACKENDS) and dossier != "app" and not backend:
            yield f"{relatif}: includes {ecrit}: only app may use {BACKENDS}"
        if cible in RANGS and cible != dossier and RANGS[cible] >= RANGS[dossier]:
            yield f"{relatif}: includes {ecrit}: {dossier} may not use {cible}"


def fautes_de_sources(src, widgets):
    for fichier in sorted(src.rglob("*")):
        if fichier.suffix not in (".h", ".cpp") or not fichier.is_file():
            continue
        relatif = fichier.relative_to(src)
        if relatif.parts[0] not in RANGS:
            yield f"{relatif}: folder '{relatif.parts[0]}' has no place in the layers"
            continue
        texte = fichier.read_text(encoding="utf-8", errors="replace")
        yield from fautes_d_inclusion(relatif, texte, widgets)


def listes_cmake(src):
    listes = {}
    for fichier in sorted(src.glob("*/CMakeLists.txt")):
        texte = fichier.read_text(encoding="utf-8", errors="replace")
        listes[fichier.parent.name] = re.sub(r"#[^\n]*", "", texte)
    return listes


def fautes_de_liens(src):
    listes = listes_cmake(src)
    dossier_de = {cible: dossier for dossier, texte in listes.items()
                  for cible in BIBLIOTHEQUE.findall(texte)}
    for dossier, texte in listes.items():
        if dossier not in RANGS:
            continue
        for appel in LIEN.findall(texte):
            cible, *liens = appel.split()
            for lien in liens:
                if lien == "Qt6::Widgets" and RANGS[dossier] < RANG_DES_WIDGETS \
                        and dossier != "platform":
                    yield (f"{dossier}/CMakeLists.txt: {cible} links {lien}: "
                           f"{dossier} holds no widgets")
                autre = dossier_de.get(lien, dossier)
                if autre != dossier and RANGS.get(autre, -1) >= RANGS[dossier]:
                    yield (f"{dossier}/CMakeLists.txt: {cible} links {lien}: "
                           f"{dossier} may not use {autre}")


def main():
    src = pathlib.Path(sys.argv[1]).resolve()
    fautes = [*fautes_de_sources(src, entetes_qt_widgets()), *fautes_de_liens(src)]
    for faute in fautes:
        print(faute, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
