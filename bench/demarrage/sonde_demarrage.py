#!/usr/bin/python3
"""Watches one start of the program in a desktop of the harness, polling the X server
every 2 ms through the queries of tests/bureau/xhelper.py, and prints, in ms after the
instant written (ns) in the file T0: when the splash showed and went, when the tray icon
was embedded and when the third strip was mapped.
Usage: sonde_demarrage.py T0_FILE ANNOUNCE_FILE [STRIPS]"""
import os
import sys
import time

sys.path.insert(0, os.environ["HARNESS_TOOLS"])
import xhelper  # noqa: E402


def main():
    t0_fichier, annonce = sys.argv[1], sys.argv[2]
    bandeaux = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    x = xhelper.X()
    vus = {}
    open(annonce, "w").close()
    fin = time.monotonic() + 15
    while time.monotonic() < fin:
        maintenant = time.time_ns()
        fenetres = xhelper.fenetres(x, "dalvire")
        accueil = any("SPLASH" in f["type"] for f in fenetres)
        n = sum(1 for f in fenetres if "SPLASH" not in f["type"])
        icone = bool(xhelper.icones(x, "dalvire"))
        for cle, vrai in (("splash", accueil), ("splash_gone", "splash" in vus and not accueil),
                          ("icon", icone), ("strips", n >= bandeaux)):
            if vrai and cle not in vus:
                vus[cle] = maintenant
        if "icon" in vus and "strips" in vus:
            break
        time.sleep(0.002)
    with open(t0_fichier) as f:
        t0 = int(f.read())
    if "icon" in vus and "strips" in vus:
        vus["ready"] = max(vus["icon"], vus["strips"])
    print(" ".join("%s_ms=%d" % (k, (vus[k] - t0) // 1000000)
                   for k in ("splash", "splash_gone", "icon", "strips", "ready") if k in vus))


if __name__ == "__main__":
    main()
