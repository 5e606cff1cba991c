#!/usr/bin/env python3
"""The layer check passes on src/ and fails on each kind of fault it exists for."""
import pathlib
import subprocess
import sys
import tempfile

script, src = sys.argv[1], sys.argv[2]


def verifier(racine):
    return subprocess.run([sys.executable, script, str(racine)], capture_output=True, text=True)


reel = verifier(src)
if reel.returncode != 0:
    sys.exit("src/ breaks the layers:\n" + reel.stderr)

FAUTES = {
    "upward": {"core/A.cpp": '#include "tray/frmPrincipale.h"\n'},
    "sideways": {"launcher/A.cpp": '#include "manage/frmGestion.h"\n'},
    "widgets in a seam": {"platform/Couture.h": "#include <QWidget>\n"},
    "GIO in a seam": {"platform/Couture.h": "#include <gio/gio.h>\n"},
    "unknown folder": {"divers/A.cpp": '#include "core/Contexte.h"\n'},
}
PERMIS = {
    "down": {"tray/A.cpp": '#include "launcher/Disposition.h"\n', "base/B.h": "#include <QString>\n"},
    "widgets in a backend": {"platform/linux/A.h": "#include <QWidget>\n"},
}
for attendu, cas in ((1, FAUTES), (0, PERMIS)):
    for nom, fichiers in cas.items():
        with tempfile.TemporaryDirectory() as dossier:
            for chemin, texte in fichiers.items():
                p = pathlib.Path(dossier, chemin)
                p.parent.mkdir(parents=True, exist_ok=True)
                p.write_text(texte)
            r = verifier(dossier)
            if r.returncode != attendu:
                sys.exit(f"{nom}: exit {r.returncode}, expected {attendu}\n{r.stderr}")
print("layers: ok")
