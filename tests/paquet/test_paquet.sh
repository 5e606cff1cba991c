#!/usr/bin/env bash
# The Debian package as its users get it: built from a clean copy of the tree by
# Debian's tools; lintian, desktop-file-validate and appstreamcli satisfied; each file
# where it belongs, hardened and stripped, one version everywhere. Then, as root only
# (CI is root on a throwaway machine), installed for real, started in a throwaway
# desktop by a new user, upgraded to the same package one revision higher while a copy
# runs, and removed: nothing left under /usr, the home untouched.
# Usage: test_paquet.sh WORK_FOLDER [JOBS]
# With DALVIRE_PAQUET_CONSTRUIT=1, the package already built in WORK_FOLDER (make paquet)
# is checked as it is.
set -u -o pipefail

ICI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SOURCES=$(cd "$ICI/../.." && pwd)
TRAVAIL=$(mkdir -p "$1" && cd "$1" && pwd)
TACHES=${2:-$(nproc)}
ECHECS=0
DEBUT=$(date +%s)
PRECEDENTE=$DEBUT
DUREES=()

echec() { echo "FAIL: $*" >&2; ECHECS=$((ECHECS + 1)); }
verifier() { # verifier "what was expected" command...
    local attendu=$1
    shift
    "$@" || echec "$attendu"
}
# Ends a step: its time goes to the summary.
fin_etape() {
    local maintenant
    maintenant=$(date +%s)
    DUREES+=("$(printf '%4d s  %s' $((maintenant - PRECEDENTE)) "$1")")
    echo "== $1 ($((maintenant - PRECEDENTE)) s)"
    PRECEDENTE=$maintenant
}
bilan() {
    echo "== times"
    printf '%s\n' "${DUREES[@]}"
    echo "== total $(($(date +%s) - DEBUT)) s, $ECHECS failure(s)"
    [ "$ECHECS" -eq 0 ]
    exit
}

VERSION=$(dpkg-parsechangelog -l "$SOURCES/debian/changelog" -S Version)
AMONT=${VERSION%-*}
ARCH=$(dpkg --print-architecture)
TRIPLET=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
SITE=$(sed -n 's/^project(.*HOMEPAGE_URL "\([^"]*\)".*/\1/p' "$SOURCES/CMakeLists.txt")
# https://www.qelm.fr/ gives fr.qelm.dalvire.
ID=$(sed -E 's|^[a-z]+://(www\.)?([^/:]+).*|\2|' <<<"$SITE" | tr '.' '\n' | tac | paste -sd.).dalvire
DEB="$TRAVAIL/dalvire_${VERSION}_$ARCH.deb"
DBGSYM="$TRAVAIL/dalvire-dbgsym_${VERSION}_$ARCH.deb"

# ---- a version that differs between the project and the changelog stops the build ----
ESSAI=$(mktemp -d)
trap 'rm -rf "$ESSAI"' EXIT
mkdir -p "$ESSAI/src/debian"
cp -R "$SOURCES/CMakeLists.txt" "$SOURCES/cmake" "$ESSAI/src/"
sed "1s/($AMONT-/(9.$AMONT-/" "$SOURCES/debian/changelog" >"$ESSAI/src/debian/changelog"
# CMake folds its messages: read as one line.
sortie=$(cmake -S "$ESSAI/src" -B "$ESSAI/build" 2>&1 | tr -s ' \n' '  ')
verifier "expected the build to stop on a changelog at 9.$AMONT against $AMONT: $sortie" \
    grep -q "Versions différentes : $AMONT dans CMakeLists.txt, 9.$AMONT dans debian/changelog" <<<"$sortie"
fin_etape "version mismatch refused"

# ---- the package -------------------------------------------------------------------------
[ -n "${DALVIRE_PAQUET_CONSTRUIT:-}" ] ||
    "$SOURCES/scripts/construire-paquet.sh" "$TRAVAIL" "$TACHES" >"$TRAVAIL/construction.log" 2>&1 ||
    { tail -n 40 "$TRAVAIL/construction.log" >&2; echec "the package did not build (see $TRAVAIL/construction.log)"; bilan; }
verifier "expected $DEB" test -f "$DEB"
verifier "expected the stripped debugging symbols in $DBGSYM" test -f "$DBGSYM"
# Debian's flags reached the compiler and the linker.
COMMANDES=$(echo "$TRAVAIL/dalvire-$AMONT"/obj-*/build.ninja)
for drapeau in -fstack-protector-strong -D_FORTIFY_SOURCE=2 "-Wl,-z,relro" "-Wl,-z,now"; do
    verifier "expected $drapeau in the build's commands" grep -q -e "$drapeau" "$COMMANDES"
done
fin_etape "package built (dpkg-buildpackage)"

# ---- lintian -----------------------------------------------------------------------------
lintian -I --pedantic "$DEB" >"$TRAVAIL/lintian.log" 2>&1
verifier "expected no error or warning from lintian:
$(grep -E '^[EW]: ' "$TRAVAIL/lintian.log")" bash -c "! grep -qE '^[EW]: ' '$TRAVAIL/lintian.log'"
# Any other tag is explained in the README.
for etiquette in $(sed -nE 's/^[IPX]: [^ ]+: ([a-z0-9-]+).*/\1/p' "$TRAVAIL/lintian.log" | sort -u); do
    verifier "expected the README to say why lintian's $etiquette remains" grep -q -- "$etiquette" "$SOURCES/README.md"
done
fin_etape "lintian"

# ---- its files -----------------------------------------------------------------------------
RACINE="$TRAVAIL/contenu"
rm -rf "$RACINE"
dpkg-deb -x "$DEB" "$RACINE"
tailles=$(/usr/bin/python3 - "$SOURCES/data/icones/dalvire.ico" <<'PYEOF'
import struct, sys
d = open(sys.argv[1], "rb").read()
for i in range(struct.unpack("<3H", d[:6])[2]):
    print(d[6 + 16 * i] or 256)
PYEOF
)
{
    echo usr/bin/dalvire
    for m in francais impressionqt shellgio; do echo "usr/lib/$TRIPLET/dalvire/$m.so"; done
    (cd "$SOURCES/data" && find icones -type f | sed 's|^|usr/share/dalvire/|')
    echo usr/share/dalvire/aide.chm
    echo usr/share/dalvire/donnees.fdl
    echo usr/share/dalvire/informations.txt
    echo "usr/share/applications/$ID.desktop"
    echo "usr/share/metainfo/$ID.metainfo.xml"
    for t in $tailles; do echo "usr/share/icons/hicolor/${t}x$t/apps/$ID.png"; done
    echo usr/share/man/man1/dalvire.1.gz
    echo usr/share/man/fr/man1/dalvire.1.gz
    echo usr/share/doc/dalvire/changelog.Debian.gz
    echo usr/share/doc/dalvire/copyright
    echo usr/share/lintian/overrides/dalvire
} | sort >"$TRAVAIL/attendus.txt"
(cd "$RACINE" && find . ! -type d | sed 's|^\./||' | sort) >"$TRAVAIL/livres.txt"
verifier "expected exactly these files in the package:
$(diff "$TRAVAIL/attendus.txt" "$TRAVAIL/livres.txt")" cmp -s "$TRAVAIL/attendus.txt" "$TRAVAIL/livres.txt"

verifier "expected the desktop entry to pass desktop-file-validate" \
    desktop-file-validate "$RACINE/usr/share/applications/$ID.desktop"
verifier "expected the metadata to pass appstreamcli" \
    appstreamcli validate --no-net --no-color "$RACINE/usr/share/metainfo/$ID.metainfo.xml" >/dev/null
verifier "expected the menu entry to start the command" grep -qx 'Exec=dalvire' "$RACINE/usr/share/applications/$ID.desktop"
verifier "expected the menu entry's icon named $ID" grep -qx "Icon=$ID" "$RACINE/usr/share/applications/$ID.desktop"
verifier "expected the metadata to name $ID and its entry" \
    grep -qF "<launchable type=\"desktop-id\">$ID.desktop</launchable>" "$RACINE/usr/share/metainfo/$ID.metainfo.xml"
# The program looks for its modules and shared files where the package puts them.
for dossier in "../lib/$TRIPLET/dalvire" ../share/dalvire; do
    verifier "expected the program to look in $dossier" grep -qxF "$dossier" <(strings -el "$RACINE/usr/bin/dalvire")
done
# The address the identifier comes from is the one the About box shows.
verifier "expected the program to carry the address $SITE" grep -qaF "$SITE" "$RACINE/usr/bin/dalvire"

# One version: the program, the metadata, the manual pages.
verifier "expected dalvire --version to say Dalvire $AMONT" \
    test "$("$RACINE/usr/bin/dalvire" --version)" = "Dalvire $AMONT"
verifier "expected the release $AMONT in the metadata" \
    grep -qE "<release version=\"$AMONT\" date=\"[0-9]{4}-[0-9]{2}-[0-9]{2}\"" "$RACINE/usr/share/metainfo/$ID.metainfo.xml"
for page in man/man1 man/fr/man1; do
    texte=$(zcat "$RACINE/usr/share/$page/dalvire.1.gz")
    verifier "expected $page/dalvire.1 at Dalvire $AMONT" grep -q "^\.TH DALVIRE 1 .* \"Dalvire $AMONT\"" <<<"$texte"
    for mot in '\-\-rechercher' '\-\-version' '\-\-help' 'Ctrl+Alt+' "/usr/lib/$TRIPLET/dalvire/" \
        '$XDG_DATA_HOME/dalvire/donnees.fdl'; do
        verifier "expected $page/dalvire.1 to give $mot" grep -qF -- "$mot" <<<"$texte"
    done
done

# Hardened, stripped, their symbols in the -dbgsym package.
SYMBOLES="$TRAVAIL/symboles"
rm -rf "$SYMBOLES"
dpkg-deb -x "$DBGSYM" "$SYMBOLES"
for binaire in usr/bin/dalvire "usr/lib/$TRIPLET/dalvire/"{francais,impressionqt,shellgio}.so; do
    f="$RACINE/$binaire"
    verifier "expected $binaire position-independent" grep -q 'Type: *DYN' <(readelf -hW "$f")
    verifier "expected $binaire with read-only relocations" grep -q GNU_RELRO <(readelf -lW "$f")
    verifier "expected $binaire bound at load" grep -qE 'BIND_NOW|FLAGS.*NOW' <(readelf -dW "$f")
    verifier "expected $binaire stripped" bash -c "! readelf -SW '$f' | grep -q '\.debug_info'"
    id=$(readelf -nW "$f" | sed -n 's/.*Build ID: *//p')
    verifier "expected the symbols of $binaire in the -dbgsym package" \
        test -f "$SYMBOLES/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug"
done
verifier "expected the program built with the stack protector" grep -q __stack_chk_fail <(readelf -sW --dyn-syms "$RACINE/usr/bin/dalvire")
verifier "expected the program built with fortified functions" grep -qE '__[a-z]+_chk' <(readelf -sW --dyn-syms "$RACINE/usr/bin/dalvire")

# Dependencies: computed from what is linked (the modules' GIO and print support among
# them), SQLite and the SVG plug-in declared.
depend=$(dpkg-deb -f "$DEB" Depends)
for paquet in libsqlite3-0 libqt6svg6 libglib2.0-0 libqt6printsupport6 libqt6widgets6 libchm1; do
    verifier "expected $paquet among the dependencies: $depend" grep -qE "(^|, )$paquet( |,|$)" <<<"$depend"
done
fin_etape "files, metadata, hardening"

# ---- installed for real ------------------------------------------------------------------
if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: not root: the package is not installed, started, upgraded nor removed here (CI runs this as root)"
    bilan
fi
if dpkg-query -W -f '${Status}' dalvire 2>/dev/null | grep -q 'installed'; then
    echec "a dalvire package is already installed on this machine: left as it is, install test skipped"
    bilan
fi

# The same package one revision higher, rebuilt from the same build.
ARBRE="$TRAVAIL/dalvire-$AMONT"
SUIVANTE="$AMONT-$((${VERSION##*-} + 1))"
cp "$ARBRE/debian/changelog" "$TRAVAIL/changelog"
{
    printf 'dalvire (%s) unstable; urgency=medium\n\n  * Rebuilt to test an upgrade.\n\n -- %s  %s\n\n' \
        "$SUIVANTE" "$(dpkg-parsechangelog -l "$ARBRE/debian/changelog" -S Maintainer)" "$(date -R)"
    cat "$ARBRE/debian/changelog"
} >"$ARBRE/debian/changelog.nouveau" && mv "$ARBRE/debian/changelog.nouveau" "$ARBRE/debian/changelog"
(cd "$ARBRE" && dpkg-buildpackage -us -uc -b -nc) >"$TRAVAIL/reconstruction.log" 2>&1 ||
    echec "the package one revision higher did not build (see $TRAVAIL/reconstruction.log)"
mv "$TRAVAIL/changelog" "$ARBRE/debian/changelog"
NOUVEAU="$TRAVAIL/dalvire_${SUIVANTE}_$ARCH.deb"
fin_etape "package rebuilt at $SUIVANTE"

find /usr -xdev | sort >"$TRAVAIL/usr-avant.txt"
apt-get install -y -qq --no-install-recommends "$DEB" >"$TRAVAIL/installation.log" 2>&1 ||
    { echec "apt-get could not install the package: $(tail -5 "$TRAVAIL/installation.log")"; bilan; }
verifier "expected the package installed at $VERSION" test "$(dpkg-query -W -f '${Version}' dalvire)" = "$VERSION"
verifier "expected man to find the English page" test "$(LC_ALL=C man -w dalvire 2>&1)" = /usr/share/man/man1/dalvire.1.gz
verifier "expected man to find the French page" test "$(man -w -L fr dalvire 2>&1)" = /usr/share/man/fr/man1/dalvire.1.gz
fin_etape "installed (apt-get)"

MAISON="$TRAVAIL/maison"
rm -rf "$MAISON"
mkdir -p "$MAISON"
(
    export HOME=$MAISON
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_STATE_HOME XDG_CACHE_HOME
    "$SOURCES/tests/bureau/session.sh" --timeout 240 --log-dir "$TRAVAIL/journaux" \
        -- bash "$ICI/scenario_installe.sh" "$NOUVEAU" "$TRAVAIL/scenario"
) || echec "the installed program in a desktop (see above, and $TRAVAIL/scenario, $TRAVAIL/journaux)"
verifier "expected the package upgraded to $SUIVANTE" test "$(dpkg-query -W -f '${Version}' dalvire)" = "$SUIVANTE"
fin_etape "started in a desktop, upgraded while running"

dpkg-query -L dalvire | sort >"$TRAVAIL/fichiers-installes.txt"
(cd "$MAISON" && find . -type f -print0 | sort -z | xargs -0r sha256sum) >"$TRAVAIL/maison-avant.txt"
apt-get remove -y -qq dalvire >"$TRAVAIL/retrait.log" 2>&1 || echec "apt-get could not remove the package"
restes=$(while IFS= read -r f; do [ -f "$f" ] && echo "$f"; done <"$TRAVAIL/fichiers-installes.txt")
verifier "expected every file of the package removed; left: $restes" test -z "$restes"
find /usr -xdev | sort >"$TRAVAIL/usr-apres.txt"
# The desktop's icon cache may be made by the trigger of the first icon installed.
nouveaux=$(comm -13 "$TRAVAIL/usr-avant.txt" "$TRAVAIL/usr-apres.txt" | grep -v '/icon-theme\.cache$')
verifier "expected nothing left under /usr; new since before the install:
$nouveaux" test -z "$nouveaux"
verifier "expected the home untouched by the removal" \
    cmp -s "$TRAVAIL/maison-avant.txt" <(cd "$MAISON" && find . -type f -print0 | sort -z | xargs -0r sha256sum)
verifier "expected the user's catalogue still in the home" test -s "$MAISON/.local/share/dalvire/donnees.fdl"
fin_etape "removed (apt-get remove)"
bilan
