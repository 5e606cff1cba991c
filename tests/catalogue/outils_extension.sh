#!/usr/bin/env bash
# The catalogue opened with the tools a user has at hand, as the README says: the sqlite3
# shell with ".load ./francais" and Python's load_extension, run from the application
# folder on a copy of the delivered catalogue.
# Usage: outils_extension.sh APPLICATION_FOLDER PRISTINE_CATALOGUE
set -euo pipefail
APP=$1
TRAVAIL=$(mktemp -d)
trap 'rm -rf "$TRAVAIL"' EXIT
cp "$2" "$TRAVAIL/donnees.fdl"
cd "$APP"

echec() { echo "FAIL: $*" >&2; exit 1; }

lu=$(sqlite3 "$TRAVAIL/donnees.fdl" -cmd '.load ./francais' \
    "INSERT INTO categorie VALUES ('Zèbre','','1','-1'), ('École','','1','-1'), ('avion','','1','-1');
     SELECT group_concat(nom, ',') FROM (SELECT nom FROM categorie ORDER BY nom);
     SELECT nom FROM categorie WHERE nom = 'éCOLE';
     PRAGMA integrity_check;" 2>&1) || echec "sqlite3 shell with the extension: $lu"
[ "$lu" = $'avion,École,Zèbre\nÉcole\nok' ] || echec "sqlite3 shell: expected the French order, the row found ignoring case and ok; got:
$lu"
echo "sqlite3 shell: $lu" | tr '\n' ' '; echo

# Debian's Python, whose sqlite3 module can load extensions.
lu=$(/usr/bin/python3 - "$TRAVAIL/donnees.fdl" <<'PY' 2>&1
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
base.enable_load_extension(True)
base.load_extension("./francais")
with base:
    base.execute("DELETE FROM categorie WHERE nom = ?", ("ZÈBRE",))
print(",".join(n for (n,) in base.execute("SELECT nom FROM categorie ORDER BY nom")))
print(base.execute("PRAGMA integrity_check").fetchone()[0])
PY
) || echec "Python with the extension: $lu"
[ "$lu" = $'avion,École\nok' ] || echec "Python: expected the row deleted ignoring case and ok; got:
$lu"
echo "python: $lu" | tr '\n' ' '; echo
