#!/usr/bin/env bash
# Builds the Debian package from a clean copy of the tree, as `make paquet` asks:
#   construire-paquet.sh FOLDER [JOBS]
# The files of the clone (those git knows, committed or not, without the ignored build
# folders) are copied to FOLDER/dalvire-<version>/, where dpkg-buildpackage builds the
# packages; dalvire_<version>_<arch>.deb and its -dbgsym package land in FOLDER.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: $0 FOLDER [JOBS]" >&2; exit 2; }
SOURCES=$(cd "$(dirname "$0")/.." && pwd)
SORTIE=$(mkdir -p "$1" && cd "$1" && pwd)
TACHES=${2:-$(nproc)}

VERSION=$(dpkg-parsechangelog -l "$SOURCES/debian/changelog" -S Version)
AMONT=${VERSION%-*}
AMONT=${AMONT#*:}
ARBRE="$SORTIE/dalvire-$AMONT"

case $ARBRE in "$SOURCES"/build*) ;; "$SOURCES"/*)
    echo "Le dossier de construction doit être hors des sources, ou dans un dossier build* : $SORTIE" >&2
    exit 2 ;;
esac

rm -rf "$ARBRE"
mkdir -p "$ARBRE"
if git -C "$SOURCES" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$SOURCES" && git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
        tar -c --null -T - -f -) | tar -x -C "$ARBRE"
else
    (cd "$SOURCES" && tar -c --exclude='./build*' --exclude='./obj-*' -f - .) | tar -x -C "$ARBRE"
fi
rm -f "$SORTIE"/dalvire_*.deb "$SORTIE"/dalvire-dbgsym_*.deb "$SORTIE"/dalvire_*.buildinfo "$SORTIE"/dalvire_*.changes

cd "$ARBRE"
DEB_BUILD_OPTIONS="parallel=$TACHES ${DEB_BUILD_OPTIONS:-}" dpkg-buildpackage -us -uc -b
ls "$SORTIE"/dalvire_*.deb
