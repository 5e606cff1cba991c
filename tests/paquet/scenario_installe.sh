#!/usr/bin/env bash
# Inside a throwaway desktop (tests/bureau/session.sh), as root, with the package
# installed: /usr/bin/dalvire started by a new user (the HOME given), its catalogue made
# in that home and nothing written under /usr; then, while a copy runs, the package
# upgraded to NEW_PACKAGE: the copy goes on, the home is untouched, and the next start
# finds the user's catalogue as it was.
# Usage: scenario_installe.sh NEW_PACKAGE OUTPUT_FOLDER
set -u -o pipefail

NOUVEAU=$1
SORTIES=$2
T=${HARNESS_TOOLS:?not inside a desktop session}
CATALOGUE=$HOME/.local/share/dalvire/donnees.fdl
PY=/usr/bin/python3
PID=""
mkdir -p "$SORTIES"

echec() {
    echo "FAIL: $*" >&2
    "$T/shot.sh" "$SORTIES/echec.png" 2>/dev/null
    [ -s "$SORTIES/dalvire.log" ] && tail -n 20 "$SORTIES/dalvire.log" >&2
    [ -z "$PID" ] || kill "$PID" 2>/dev/null
    exit 1
}
en_vie() { [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null && ! grep -q '^State:.*Z' "/proc/$PID/status" 2>/dev/null; }

# Started from / as a menu would, its three first strips and its tray icon up.
demarrer() {
    (cd / && exec /usr/bin/dalvire) >>"$SORTIES/dalvire.log" 2>&1 &
    PID=$!
    "$T/xhelper.py" ready --class dalvire --tray --min 3 --wait 30 >/dev/null ||
        echec "expected the installed program's tray icon and three strips within 30 s"
}
arreter() {
    kill "$PID" 2>/dev/null
    wait "$PID" 2>/dev/null
    PID=""
}
lignes() { # the catalogue's items, "name|path"
    "$PY" - "$CATALOGUE" <<'PYEOF'
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
for ligne in base.execute("SELECT nom, chemin FROM programmes ORDER BY nom"):
    print("|".join(ligne))
PYEOF
}
empreintes() { (cd "$HOME" && find . -type f -print0 | sort -z | xargs -0r sha256sum); }

# ---- first start of a new user ----------------------------------------------------------
[ ! -e "$CATALOGUE" ] || echec "expected a new home, without a catalogue"
MARQUE=$(mktemp)
sleep 1 # the marker's time stamp strictly before anything the program could write
demarrer
[ -f "$CATALOGUE" ] || echec "expected the user's catalogue at $CATALOGUE"
informations=$(lignes | grep -cE '\|/usr/share/dalvire/(informations.txt|aide.chm)$')
[ "$informations" = 2 ] || echec "expected the first-use rows to point at the installed informations.txt and help:
$(lignes)"
ecrit=$(find /usr -xdev -newer "$MARQUE" 2>/dev/null | head -5)
[ -z "$ecrit" ] || echec "expected nothing written under /usr by the program; found:
$ecrit"
arreter
echo "first start: strips up, catalogue made in the home, nothing written under /usr"

# ---- an upgrade while a copy runs ---------------------------------------------------------
"$PY" - "$CATALOGUE" <<'PYEOF' || echec "could not add a row to the catalogue"
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
base.execute("INSERT INTO programmes VALUES ('Ma ligne', '/usr/bin/true', 'Programmes', '1', '0')")
base.commit()
PYEOF
avant=$(lignes)
demarrer
maison=$(empreintes)
dpkg -i "$NOUVEAU" >"$SORTIES/mise-a-jour.log" 2>&1 || echec "the upgrade failed: $(tail -5 "$SORTIES/mise-a-jour.log")"
sleep 1
en_vie || echec "expected the running copy to go on through the upgrade"
[ "$("$T/xhelper.py" tray-icons --class dalvire | wc -l)" = 1 ] || echec "expected its tray icon still there after the upgrade"
[ "$(empreintes)" = "$maison" ] || echec "expected the upgrade to leave the home as it was"
arreter
demarrer
[ "$(lignes)" = "$avant" ] || echec "expected the user's catalogue kept by the upgrade; before:
$avant
after:
$(lignes)"
arreter
echo "upgrade: the running copy went on, the home untouched, the catalogue kept"
