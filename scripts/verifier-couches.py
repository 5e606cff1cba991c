#!/usr/bin/env python3
"""Fails when src/ runs up the layers or sideways between two folders of one layer: an
include of a project header, quoted or in angle brackets, or a library of a folder linked
(target_link_libraries, in any CMakeLists.txt of src/) to a library that is, or brings in,
the library of another folder. Also fails when a seam header of the platform pulls in Qt
widgets or GIO, when a folder below ui includes a Qt widget header or links Qt6::Widgets
(the windows' shared parts are ui's), when anything but app includes or links the Linux
backends (platform/linux/ and the libraries built from it), which only the composition root
may know, and when anything but the catalogue reaches SQLite.

    app > tray > launcher, manage, about, report > ui > core > catalogue, platform > base

It fails closed: a header named by a relative path, a quoted header that is not named from
src/, a link it cannot resolve (a variable, a generator expression, a bare name) or Qt's
widget headers not found are faults too, since each could hide any of the above.

Usage: verifier-couches.py SRC_DIR QT_WIDGETS_INCLUDE_DIRS
  QT_WIDGETS_INCLUDE_DIRS: Qt6::Widgets' include folders, separated by ';' (as CMake gives
  them); one of them is the QtWidgets folder.  Exit status 1 and one line per fault."""
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
# The seams' own library; every other library built in platform/ holds a backend.
COUTURES = "dalvire_platform"
# Folders that may know the backends: the composition root, and the platform that builds them.
CONNAISSENT_LES_BACKENDS = ("app", "platform")
SQLITE = re.compile(r"sqlite3", re.IGNORECASE)
# Below this rank no folder holds widgets: the backends of the platform only.
RANG_DES_WIDGETS = 3
CIBLE = re.compile(r"\badd_(?:library|executable)\s*\(\s*([\w.+-]+)")
LIEN = re.compile(r"\btarget_link_libraries\s*\(([^)]*)\)")
LIEN_DE_DOSSIER = re.compile(r"\blink_libraries\s*\(")
MOTS_CLES = {"PUBLIC", "PRIVATE", "INTERFACE", "LINK_PUBLIC", "LINK_PRIVATE",
             "LINK_INTERFACE_LIBRARIES"}
# Variables that name a library from outside the project, set by CMake or by find_library in
# the top CMakeLists.txt. Any other variable may hold one of our libraries: a fault.
VARIABLES_EXTERIEURES = {"${CMAKE_DL_LIBS}", "${CHM_LIBRARY}"}
AGREGAT = ""  # the folder of the targets src/CMakeLists.txt itself defines


def en_tete_widgets(nom, widgets):
    return nom in widgets or INTERDITS_DANS_LES_COUTURES.match(nom) is not None


def entetes_qt_widgets(dossiers):
    """The names of Qt's widget headers, or an empty set when no QtWidgets folder holds any."""
    for racine in dossiers.split(";"):
        dossier = pathlib.Path(racine)
        if dossier.name == "QtWidgets" and dossier.is_dir():
            noms = {p.name for p in dossier.iterdir() if p.name.startswith("Q")}
            if noms:
                return noms
    return set()


def sans_widgets(relatif):
    return (RANGS[relatif.parts[0]] < RANG_DES_WIDGETS
            and relatif.parts[:2] != ("platform", "linux"))


def faute_de_nom(relatif, ouvrant, nom, ecrit):
    """A header the check cannot place: it could be any folder's, the backends' included."""
    morceaux = nom.split("/")
    if len(morceaux) == 1 and (nom.startswith("moc_") or nom.endswith(".moc")):
        return None  # what moc writes for a source file, in the build folder
    if nom.startswith("/") or "." in morceaux or ".." in morceaux:
        return f"{relatif}: includes {ecrit}: name a header from src/, not by a relative path"
    if ouvrant == '"' and morceaux[0] not in RANGS:
        return f"{relatif}: includes {ecrit}: a quoted header is named from src/ (folder/Name.h)"
    return None


def fautes_d_inclusion(relatif, texte, widgets):
    dossier = relatif.parts[0]
    couture = dossier == "platform" and len(relatif.parts) == 2 and relatif.suffix == ".h"
    # The backends include one another; everyone else reaches them through app.
    backend = relatif.parts[:2] == ("platform", "linux")
    for ouvrant, nom in INCLUDE.findall(texte):
        ecrit = f"<{nom}>" if ouvrant == "<" else f'"{nom}"'
        faute = faute_de_nom(relatif, ouvrant, nom, ecrit)
        if faute:
            yield faute
            continue
        cible = nom.split("/")[0]
        if SQLITE.match(nom.split("/")[-1]) and dossier != "catalogue":
            yield f"{relatif}: includes {ecrit}: only catalogue may use SQLite"
        elif ouvrant == "<" and cible not in RANGS:
            if couture and en_tete_widgets(nom, widgets):
                yield f"{relatif}: seam header includes <{nom}>"
            elif sans_widgets(relatif) and nom.split("/")[-1] in widgets:
                yield f"{relatif}: includes <{nom}>: {dossier} holds no widgets"
            continue
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
    """Every CMake file of src/, by its path and its layer folder (AGREGAT for src/ itself)."""
    listes = []
    for fichier in sorted([*src.rglob("CMakeLists.txt"), *src.rglob("*.cmake")]):
        relatif = fichier.relative_to(src)
        dossier = relatif.parts[0] if len(relatif.parts) > 1 else AGREGAT
        texte = re.sub(r"#[^\n]*", "", fichier.read_text(encoding="utf-8", errors="replace"))
        listes.append((relatif, dossier, texte))
    return listes


def liens_par_cible(listes):
    """What each target links, by name, wherever the call is written (file and its folder)."""
    liens = {}
    for relatif, dossier, texte in listes:
        for appel in LIEN.findall(texte):
            cible, *noms = appel.split()
            liens.setdefault(cible, []).extend(
                (relatif, dossier, n) for n in noms if n not in MOTS_CLES)
    return liens


def atteintes(cible, liens, dossier_de):
    """The targets of src/ a link to this one brings in, itself included."""
    vues, a_voir = set(), [cible]
    while a_voir:
        courante = a_voir.pop()
        if courante in vues or courante not in dossier_de:
            continue
        vues.add(courante)
        a_voir.extend(nom for *_, nom in liens.get(courante, []))
    return vues


def faute_de_lien(dossier, lien, dossier_de, liens):
    if dossier == AGREGAT:
        return None
    if lien.startswith("$<"):
        return "a generator expression hides what is linked"
    if lien.startswith("${") and lien not in VARIABLES_EXTERIEURES:
        return "a variable hides what is linked"
    if SQLITE.search(lien) and dossier != "catalogue":
        return "only catalogue may use SQLite"
    if lien == "Qt6::Widgets" and RANGS[dossier] < RANG_DES_WIDGETS and dossier != "platform":
        return f"{dossier} holds no widgets"
    if "::" in lien or lien in VARIABLES_EXTERIEURES:
        return None
    if lien not in dossier_de:
        return "no library of src/ has that name, and an outside one is written Name::Target"
    portee = atteintes(lien, liens, dossier_de)
    if dossier not in CONNAISSENT_LES_BACKENDS and any(
            dossier_de[c] == "platform" and c != COUTURES for c in portee):
        return f"only app may use the backends of {BACKENDS}"
    # The aggregate of src/CMakeLists.txt has no layer of its own: what it brings in counts.
    fautifs = sorted({dossier_de[c] for c in portee if dossier_de[c] in RANGS
                      and dossier_de[c] != dossier and RANGS[dossier_de[c]] >= RANGS[dossier]},
                     key=lambda d: (-RANGS[d], d))
    if not fautifs:
        return None
    autre = fautifs[0]
    par = "" if dossier_de[lien] == autre else f" (through {lien})"
    return f"{dossier} may not use {autre}{par}"


def fautes_de_liens(src):
    listes = listes_cmake(src)
    dossier_de = {cible: dossier for _, dossier, texte in listes
                  for cible in CIBLE.findall(texte)}
    for relatif, dossier, texte in listes:
        if dossier != AGREGAT and dossier not in RANGS:
            yield f"{relatif}: folder '{dossier}' has no place in the layers"
        if LIEN_DE_DOSSIER.search(texte):
            yield f"{relatif}: link_libraries links every target below it: name the target"
    liens = liens_par_cible(listes)
    for cible, noms in liens.items():
        for relatif, dossier_du_fichier, lien in noms:
            # A call may sit in another folder's file: the target's own folder is what counts.
            dossier = dossier_de.get(cible, dossier_du_fichier)
            if dossier != AGREGAT and dossier not in RANGS:
                continue
            faute = faute_de_lien(dossier, lien, dossier_de, liens)
            if faute:
                yield f"{relatif}: {cible} links {lien}: {faute}"


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    src = pathlib.Path(sys.argv[1]).resolve()
    widgets = entetes_qt_widgets(sys.argv[2])
    fautes = [] if widgets else [
        f"no Qt widget header in a QtWidgets folder among '{sys.argv[2]}': "
        "cannot tell widgets from the rest"]
    if not src.is_dir():
        fautes.append(f"{src}: no such folder")
    fautes += [*fautes_de_sources(src, widgets), *fautes_de_liens(src)]
    for faute in fautes:
        print(faute, file=sys.stderr)
    return 1 if fautes else 0


if __name__ == "__main__":
    sys.exit(main())
