#!/usr/bin/env python3
"""The layer check passes on src/ and fails on each kind of fault it exists for, naming it."""
import pathlib
import subprocess
import sys
import tempfile

script, src, qt = sys.argv[1], sys.argv[2], sys.argv[3]


def verifier(racine, entetes_qt):
    return subprocess.run([sys.executable, script, str(racine), entetes_qt],
                          capture_output=True, text=True)


def bibliotheque(nom, *liens):
    """A folder's CMakeLists.txt: its library and what it links to, spread as people write it."""
    texte = f"# {nom}\nadd_library({nom} STATIC A.cpp)\n"
    if liens:
        texte += f"target_link_libraries({nom}\n    PUBLIC " + "\n    ".join(liens) + ")\n"
    return texte


reel = verifier(src, qt)
if reel.returncode != 0:
    sys.exit("src/ breaks the layers:\n" + reel.stderr)

# Each fault tree, and what its one line of fault must say.
LINUX = "only app may use platform/linux/"
FAUTES = {
    "upward": ({"core/A.cpp": '#include "tray/frmPrincipale.h"\n'},
               'core/A.cpp: includes "tray/frmPrincipale.h": core may not use tray'),
    "sideways": ({"launcher/A.cpp": '#include "manage/frmGestion.h"\n'},
                 "launcher may not use manage"),
    "upward in angle brackets": ({"core/A.cpp": "#include <tray/frmPrincipale.h>\n"},
                                 "includes <tray/frmPrincipale.h>: core may not use tray"),
    "windows below the shared ones": ({"ui/A.h": "#include <about/APropos.h>\n"},
                                      "ui may not use about"),
    "widgets in a seam": ({"platform/Couture.h": "#include <QWidget>\n"}, "includes <QWidget>"),
    "GIO in a seam": ({"platform/Couture.h": "#include <gio/gio.h>\n"}, "includes <gio/gio.h>"),
    "unknown folder": ({"divers/A.cpp": '#include "core/Contexte.h"\n'}, "'divers' has no place"),
    "backend outside app": ({"core/A.cpp": '#include "platform/linux/ShellGio.h"\n'},
                            'core/A.cpp: includes "platform/linux/ShellGio.h": ' + LINUX),
    "backend in a seam": ({"platform/Shell.h": "#include <platform/linux/ShellGio.h>\n"}, LINUX),
    "link upward": ({"core/CMakeLists.txt": bibliotheque("dalvire_core", "dalvire_base",
                                                         "PRIVATE dalvire_tray"),
                     "tray/CMakeLists.txt": bibliotheque("dalvire_tray"),
                     "base/CMakeLists.txt": bibliotheque("dalvire_base")},
                    "core/CMakeLists.txt: dalvire_core links dalvire_tray: core may not use tray"),
    "widgets in core": ({"core/A.cpp": "#include <QLabel>\n"},
                        "core/A.cpp: includes <QLabel>: core holds no widgets"),
    "core linked to the widgets": ({"core/CMakeLists.txt": bibliotheque("dalvire_core",
                                                                        "PUBLIC Qt6::Widgets")},
                                   "dalvire_core links Qt6::Widgets: core holds no widgets"),
    "link sideways": ({"launcher/CMakeLists.txt": bibliotheque("dalvire_launcher",
                                                               "dalvire_manage"),
                       "manage/CMakeLists.txt": bibliotheque("dalvire_manage")},
                      "dalvire_launcher links dalvire_manage: launcher may not use manage"),
    "relative path": ({"core/A.cpp": '#include "../tray/frmPrincipale.h"\n'},
                      'includes "../tray/frmPrincipale.h": name a header from src/, not by'),
    "backend from its folder": ({"platform/Shell.h": '#include "linux/ShellGio.h"\n'},
                                'includes "linux/ShellGio.h": a quoted header is named from src/'),
    "SQLite outside the catalogue": ({"core/A.h": "#include <sqlite3.h>\n"},
                                     "core/A.h: includes <sqlite3.h>: only catalogue"),
    "link to the aggregate": ({"core/CMakeLists.txt": bibliotheque("dalvire_core", "dalvire_lib"),
                               "CMakeLists.txt": bibliotheque("dalvire_lib", "dalvire_app"),
                               "app/CMakeLists.txt": bibliotheque("dalvire_app")},
                              "core may not use app (through dalvire_lib)"),
    "link written in src/CMakeLists.txt": (
        {"CMakeLists.txt": "target_link_libraries(dalvire_core PRIVATE dalvire_tray)\n",
         "core/CMakeLists.txt": bibliotheque("dalvire_core"),
         "tray/CMakeLists.txt": bibliotheque("dalvire_tray")}, "core may not use tray"),
    "link to a backend": ({"tray/CMakeLists.txt": bibliotheque("dalvire_tray", "dalvire_shell_gio"),
                           "platform/CMakeLists.txt": bibliotheque("dalvire_platform") +
                                                      bibliotheque("dalvire_shell_gio")},
                          "dalvire_tray links dalvire_shell_gio: only app may use the backends"),
    "link through a variable": ({"core/CMakeLists.txt": bibliotheque("dalvire_core",
                                                                     "PRIVATE ${COUCHES}")},
                                "links ${COUCHES}: a variable hides"),
    "link of a whole folder": ({"core/CMakeLists.txt": "link_libraries(dalvire_tray)\n"},
                               "core/CMakeLists.txt: link_libraries links every target"),
    "Qt's widget headers not found": ({"core/A.cpp": "#include <QLabel>\n"}, "cannot tell widgets"),
}
PERMIS = {
    "down": {"tray/A.cpp": '#include "launcher/Disposition.h"\n', "base/B.h": "#include <QString>\n"},
    "down in angle brackets": {"tray/A.cpp": "#include <launcher/Disposition.h>\n"
                                             "#include <glib.h>\n#include \"A.moc\"\n"},
    "widgets in a backend": {"platform/linux/A.h": "#include <QWidget>\n"},
    "backends in app and among themselves": {
        "app/A.cpp": '#include "platform/linux/ShellGio.h"\n',
        "platform/linux/B.cpp": "#include <platform/linux/C.h>\n"},
    "shared windows": {"ui/A.h": '#include "core/Contexte.h"\n#include <QLabel>\n',
                       "report/B.cpp": '#include "ui/A.h"\n'},
    "links down, within a folder and outside": {
        "tray/CMakeLists.txt": bibliotheque("dalvire_tray", "dalvire_launcher Qt6::Widgets"),
        "launcher/CMakeLists.txt": bibliotheque("dalvire_launcher"),
        "platform/CMakeLists.txt": bibliotheque("dalvire_shell_gio", "${CMAKE_DL_LIBS}"),
        "app/CMakeLists.txt": bibliotheque("dalvire_app", "dalvire_tray dalvire_shell_gio") +
                              "add_executable(dalvire main.cpp)\n" +
                              "target_link_libraries(dalvire PRIVATE dalvire_app)\n"},
}


def arbre(dossier, fichiers):
    for chemin, texte in fichiers.items():
        p = pathlib.Path(dossier, chemin)
        p.parent.mkdir(parents=True, exist_ok=True)
        p.write_text(texte)


cas = [(nom, fichiers, 1, message) for nom, (fichiers, message) in FAUTES.items()]
cas += [(nom, fichiers, 0, "") for nom, fichiers in PERMIS.items()]
for nom, fichiers, attendu, message in cas:
    with tempfile.TemporaryDirectory() as dossier:
        # Qt's widget headers where the check is told they are, but for the case they are not.
        widgets = pathlib.Path(dossier, "qt", "QtWidgets")
        if not nom.startswith("Qt's"):
            arbre(widgets, {"QLabel": "", "QWidget": ""})
        arbre(pathlib.Path(dossier, "src"), fichiers)
        r = verifier(pathlib.Path(dossier, "src"), f"{widgets};{widgets.parent}")
    lignes = r.stderr.splitlines()
    if r.returncode != attendu or (message and (len(lignes) != 1 or message not in lignes[0])):
        sys.exit(f"{nom}: exit {r.returncode}, expected {attendu} and {message!r}\n{r.stderr}")
print("layers: ok")
