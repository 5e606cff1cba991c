#!/usr/bin/env bash
# `make install` and `make uninstall` in a throwaway home: the program, its menu entry
# and its command in place; an install over an earlier one keeps the catalogue's rows and
# moves the autostart entry along; the installed command finds its application folder;
# uninstalling leaves the catalogue and the settings.
# Usage: test_installation.sh SOURCE_FOLDER BUILD_FOLDER
set -u -o pipefail

SOURCES=$1
BUILD=$2
PY=/usr/bin/python3
ECHECS=0

echec() { echo "FAIL: $*" >&2; ECHECS=$((ECHECS + 1)); }
verifier() { # verifier "what was expected" command...
    local attendu=$1
    shift
    "$@" || echec "$attendu"
}

MAISON=$(mktemp -d)
trap 'rm -rf "$MAISON"' EXIT
export HOME="$MAISON/maison" XDG_RUNTIME_DIR="$MAISON/runtime"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

installer() { "$SOURCES/scripts/installer.sh" installer "$BUILD/app" "$BUILD/catalogue-vierge/donnees.fdl" "$@" >/dev/null; }
desinstaller() { "$SOURCES/scripts/installer.sh" desinstaller "$@" >/dev/null; }

# The catalogue's rows of programmes, "nom|chemin".
programmes() {
    "$PY" - "$1" <<'EOF'
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
for nom, chemin in base.execute("SELECT nom, chemin FROM programmes ORDER BY nom"):
    print(f"{nom}|{chemin}")
EOF
}
ajouter_programme() { # ajouter_programme CATALOGUE NAME
    "$PY" - "$1" "$2" <<'EOF'
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
base.execute("INSERT INTO programmes VALUES (?, '/usr/bin/true', 'Outils', '1', '0')", (sys.argv[2],))
base.commit()
EOF
}

# The make targets pass the places on.
verifier "expected make install to install to PREFIX and BINDIR" \
    grep -q 'installer.sh installer .* "/opt/a b" "/opt/c"' \
    <(make -s -n -C "$SOURCES" install BUILD="$BUILD" PREFIX="/opt/a b" BINDIR=/opt/c 2>/dev/null)

# ---- the default places -------------------------------------------------------------
PREFIXE="$HOME/.local/share/dalvire"
MENU="$HOME/.local/share/applications/dalvire.desktop"
AUTOSTART="$HOME/.config/autostart/dalvire.desktop"
mkdir -p "$(dirname "$AUTOSTART")"
# As the settings dialog writes it for a program run from its build folder.
printf '[Desktop Entry]\nType=Application\nName=Dalvire\nExec="%s"\nX-GNOME-Autostart-enabled=true\n' \
    "$BUILD/app/dalvire" >"$AUTOSTART"

installer "$PREFIXE" "$HOME/.local/bin" || echec "the first install failed"
for f in dalvire shellgio.so impressionqt.so francais.so aide.chm informations.txt donnees.fdl icones/dalvire.ico; do
    verifier "expected $f in $PREFIXE" test -s "$PREFIXE/$f"
done
verifier "expected the program executable" test -x "$PREFIXE/dalvire"
verifier "expected the command to be the installed program" \
    test "$(readlink "$HOME/.local/bin/dalvire")" = "$PREFIXE/dalvire"
verifier "expected the menu entry to start the installed program: $(cat "$MENU" 2>&1)" \
    grep -qxF "Exec=\"$PREFIXE/dalvire\"" "$MENU"
verifier "expected the menu entry with the program's icon" grep -qxF "Icon=$PREFIXE/icones/dalvire.ico" "$MENU"
verifier "expected the autostart entry to follow the new place: $(cat "$AUTOSTART")" \
    grep -qxF "Exec=\"$PREFIXE/dalvire\"" "$AUTOSTART"
verifier "expected the rest of the autostart entry kept" grep -qxF "X-GNOME-Autostart-enabled=true" "$AUTOSTART"

# An extension built with the sanitizers cannot be loaded by an outside program.
if [ -z "${DALVIRE_EXTENSION_INSTRUMENTEE:-}" ]; then
    verifier "expected the README's sqlite3 recipe to work in $PREFIXE" test ok = \
        "$(cd "$PREFIXE" && sqlite3 donnees.fdl -cmd '.load ./francais' 'PRAGMA integrity_check;' 2>&1)"
fi
ajouter_programme "$PREFIXE/donnees.fdl" "Mon outil"
empreinte=$(sha256sum <"$PREFIXE/donnees.fdl")
installer "$PREFIXE" "$HOME/.local/bin" || echec "the second install failed"
verifier "expected the row added before the second install still there" \
    test "$(programmes "$PREFIXE/donnees.fdl")" = "Mon outil|/usr/bin/true"
verifier "expected the catalogue untouched by the second install" \
    test "$(sha256sum <"$PREFIXE/donnees.fdl")" = "$empreinte"

# The command started from the PATH finds its application folder through the link.
(cd / && QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES='*=false' exec "$HOME/.local/bin/dalvire") >/dev/null 2>&1 &
programme=$!
ini="$HOME/.config/Dalvire/Dalvire.ini"
for _ in $(seq 100); do
    grep -q "^dossier%20application=" "$ini" 2>/dev/null && break
    sleep 0.1
done
kill "$programme" 2>/dev/null
wait "$programme" 2>/dev/null
verifier "expected the installed command to run from $PREFIXE/; settings: $(cat "$ini" 2>&1)" \
    grep -qxF "dossier%20application=$PREFIXE/" "$ini"

desinstaller "$PREFIXE" "$HOME/.local/bin" || echec "uninstall failed"
verifier "expected the catalogue kept by uninstall" test -f "$PREFIXE/donnees.fdl"
verifier "expected only the catalogue left in $PREFIXE: $(ls -A "$PREFIXE" 2>&1)" \
    test "$(ls -A "$PREFIXE")" = donnees.fdl
verifier "expected the settings kept by uninstall" test -f "$ini"
verifier "expected the command removed" test ! -e "$HOME/.local/bin/dalvire" -a ! -L "$HOME/.local/bin/dalvire"
verifier "expected the menu entry removed" test ! -e "$MENU"
verifier "expected the autostart entry of the removed program removed" test ! -e "$AUTOSTART"

# ---- another place, with characters the desktop entry format escapes -----------------
AUTRE="$MAISON/Mes programmes/\$HOME \"d\" \\e"
installer "$AUTRE" "$MAISON/bin" || echec "the install to another place failed"
verifier "expected the program in $AUTRE" test -x "$AUTRE/dalvire"
verifier "expected Exec quoted and escaped for that place: $(grep Exec= "$MENU")" \
    grep -qxF 'Exec="'"$MAISON"'/Mes programmes/\\$HOME \\"d\\" \\\\e/dalvire"' "$MENU"
# And read back as desktops read it (python3-gi comes with the AT-SPI bindings): GIO
# loads the entry only when the program of its Exec line exists.
lu=$("$PY" -c 'import sys, gi; gi.require_version("Gio", "2.0"); from gi.repository import Gio, GLib
e = Gio.DesktopAppInfo.new_from_filename(sys.argv[1])
print(GLib.shell_parse_argv(e.get_commandline())[1][0])' "$MENU" 2>&1)
verifier "expected the menu entry read back as the program in $AUTRE; read: $lu" test "$lu" = "$AUTRE/dalvire"
desinstaller "$AUTRE" "$MAISON/bin" || echec "uninstall from another place failed"
verifier "expected the menu entry removed from another place" test ! -e "$MENU"
verifier "expected only the catalogue left in $AUTRE" test "$(ls -A "$AUTRE")" = donnees.fdl
[ "$ECHECS" -eq 0 ] && echo "PASS: installation" || exit 1
