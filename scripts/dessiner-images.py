#!/usr/bin/env python3
"""Draws the program's own images into data/: the three category icons (multi-size
.ico files) and the pointing-hand cursor (32 x 32, black and white, hot spot 12, 9).
Needs ImageMagick's convert. Run it again only to change the images."""
import os
import subprocess
import sys
import tempfile

ici = os.path.dirname(os.path.abspath(__file__))
data = os.path.join(ici, "..", "data")

# The cursor: X black, . white, space transparent. The finger tip is at column 12, row 9
# counted from the top left corner, which is where the pointer acts.
MAIN = """
            X
           X.X
           X.X
           X.X
           X.X
           X.X
           X.XXX
           X.X.XXX
           X.X.X.XX
       XX  X.X.X.X.X
      X..X X.......X
      X...XX.......X
       X...X.......X
        X..........X
        X..........X
         X........X
         X........X
          X......X
          X......X
          XXXXXXXX
"""


def dessiner_curseur(sortie):
    lignes = MAIN.strip("\n").split("\n")
    decalage = 9 - 0  # the tip row ("X" alone) must land on row 9
    pixels = []
    for y in range(32):
        ligne = []
        for x in range(32):
            i = y - decalage
            c = lignes[i][x] if 0 <= i < len(lignes) and x < len(lignes[i]) else " "
            ligne.append({"X": (0, 0, 0, 255), ".": (255, 255, 255, 255)}.get(c, (0, 0, 0, 0)))
        pixels.append(ligne)
    with tempfile.NamedTemporaryFile(suffix=".pam", delete=False) as f:
        f.write(b"P7\nWIDTH 32\nHEIGHT 32\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n")
        for ligne in pixels:
            for p in ligne:
                f.write(bytes(p))
        pam = f.name
    subprocess.run(["convert", pam, "-strip", "PNG32:" + sortie], check=True)
    os.unlink(pam)


def ico(sortie, dessin):
    tailles = [16, 24, 32, 48, 64, 256]
    fichiers = []
    for t in tailles:
        f = tempfile.NamedTemporaryFile(suffix=".png", delete=False).name
        echelle = t / 256.0
        cmd = ["convert", "-size", "256x256", "xc:none"] + dessin + ["-resize", f"{t}x{t}", f]
        subprocess.run(cmd, check=True)
        fichiers.append(f)
    subprocess.run(["convert"] + fichiers + [sortie], check=True)
    for f in fichiers:
        os.unlink(f)


GLOBE = ["-fill", "#2a6fd6", "-stroke", "#123a7a", "-strokewidth", "10",
         "-draw", "circle 128,128 128,12",
         "-fill", "none", "-stroke", "#dfeaff", "-strokewidth", "8",
         "-draw", "ellipse 128,128 50,114 0,360",
         "-draw", "line 14,128 242,128",
         "-draw", "line 128,14 128,242",
         "-draw", "ellipse 128,128 114,40 0,360"]
ENVELOPPE = ["-fill", "#f4f1e6", "-stroke", "#6b5a2b", "-strokewidth", "10",
             "-draw", "rectangle 16,56 240,200",
             "-fill", "none", "-draw", "polyline 16,56 128,140 240,56",
             "-draw", "line 16,200 100,120", "-draw", "line 240,200 156,120"]
DALVIRE = ["-fill", "#3d3dd6", "-stroke", "#1a1a66", "-strokewidth", "10",
           "-draw", "roundrectangle 16,16 240,240 40,40",
           "-fill", "#c0c0ff", "-stroke", "none",
           "-draw", "polygon 76,64 76,192 196,128",
           "-fill", "#ffffff", "-draw", "rectangle 52,64 68,192"]

if __name__ == "__main__":
    os.makedirs(os.path.join(data, "icones"), exist_ok=True)
    ico(os.path.join(data, "icones", "internet.ico"), GLOBE)
    ico(os.path.join(data, "icones", "mail.ico"), ENVELOPPE)
    ico(os.path.join(data, "icones", "dalvire.ico"), DALVIRE)
    dessiner_curseur(os.path.join(data, "icones", "main.png"))
    sys.exit(0)
