#!/usr/bin/env bash
# Rebuilds the compiled help from the pages of this folder:
#   compiler.sh [output.chm]      (default: aide.chm in the current folder)
# chmcmd (Debian package fp-utils) writes its output and scratch files into the
# current folder and resolves the project's files from it, so it runs on a copy of
# the sources in a scratch folder; the source tree stays untouched.
set -euo pipefail

sources="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
sortie="${1:-aide.chm}"
case "$sortie" in /*) ;; *) sortie="$PWD/$sortie" ;; esac
chmcmd="${CHMCMD:-chmcmd}"

if ! command -v "$chmcmd" >/dev/null 2>&1; then
    echo "compiler.sh: chmcmd est introuvable (paquet fp-utils)." >&2
    exit 1
fi

travail="$(mktemp -d)"
trap 'rm -rf "$travail"' EXIT

cp "$sources"/aide.hhp "$sources"/aide.hhc "$sources"/*.htm "$sources"/*.css "$travail"/
mkdir "$travail/images"
cp "$sources"/images/* "$travail/images/"

journal="$travail/chmcmd.log"
if ! (cd "$travail" && "$chmcmd" --no-html-scan aide.hhp) >"$journal" 2>&1; then
    cat "$journal" >&2
    exit 1
fi
# chmcmd reports missing files as warnings and still succeeds: a help file without
# one of its pages is a broken build.
if grep -qiE '^(error|warning)' "$journal"; then
    cat "$journal" >&2
    exit 1
fi
if [ ! -s "$travail/aide.chm" ]; then
    cat "$journal" >&2
    echo "compiler.sh: chmcmd n'a pas produit aide.chm." >&2
    exit 1
fi

mkdir -p "$(dirname "$sortie")"
cp "$travail/aide.chm" "$sortie.tmp"
mv "$sortie.tmp" "$sortie"
