#!/usr/bin/env python3
"""Draws the program's own images into data/: the three category icons, the pictures of
the items whose kind the icon theme has no picture for (program, document, folder; web
links and e-mail addresses take two of the category icons), all multi-size .ico files,
and the pointing-hand cursor (32 x 32, black and white, hot spot 12, 9).
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
# A window: its title bar, and two blocks in it.
PROGRAMME = ["-fill", "#e9eef5", "-stroke", "#2c3e57", "-strokewidth", "10",
             "-draw", "roundrectangle 16,28 240,228 18,18",
             "-fill", "#3f6fb0", "-stroke", "none",
             "-draw", "rectangle 21,33 235,78",
             "-fill", "#ffffff", "-draw", "circle 200,56 200,64",
             "-fill", "#e38b2c", "-draw", "rectangle 52,106 124,178",
             "-fill", "#5aa05a", "-draw", "rectangle 140,142 204,202"]
# A sheet with its corner folded down, and lines of text.
DOCUMENT = ["-fill", "#ffffff", "-stroke", "#4a4a4a", "-strokewidth", "10",
            "-draw", "polygon 52,14 166,14 208,56 208,242 52,242",
            "-fill", "#d8d8d8", "-draw", "polygon 166,14 166,56 208,56",
            "-stroke", "#7a8ca8", "-strokewidth", "12",
            "-draw", "line 84,100 176,100", "-draw", "line 84,136 176,136",
            "-draw", "line 84,172 176,172", "-draw", "line 84,208 140,208"]
# A folder: its tab behind, its front open a little.
DOSSIER = ["-fill", "#b77d1e", "-stroke", "#6e4a10", "-strokewidth", "10",
           "-draw", "polygon 16,48 96,48 120,72 240,72 240,220 16,220",
           "-fill", "#f0b848",
           "-draw", "polygon 16,100 240,100 240,220 16,220"]

if __name__ == "__main__":
    os.makedirs(os.path.join(data, "icones"), exist_ok=True)
    ico(os.path.join(data, "icones", "internet.ico"), GLOBE)
    ico(os.path.join(data, "icones", "mail.ico"), ENVELOPPE)
    ico(os.path.join(data, "icones", "dalvire.ico"), DALVIRE)
    ico(os.path.join(data, "icones", "programme.ico"), PROGRAMME)
    ico(os.path.join(data, "icones", "document.ico"), DOCUMENT)
    ico(os.path.join(data, "icones", "dossier.ico"), DOSSIER)
    dessiner_curseur(os.path.join(data, "icones", "main.png"))
    sys.exit(0)
