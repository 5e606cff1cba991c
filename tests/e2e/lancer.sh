#!/usr/bin/env bash
# Runs one end-to-end scenario in a throwaway X desktop (Xvfb, openbox, trayer, AT-SPI)
# with a fresh home, and turns the session's own failures into plain messages.
# Usage: lancer.sh HARNESS_FOLDER TIMEOUT_SECS SCENARIO APPLICATION_FOLDER PRISTINE_CATALOGUE OUTPUT_FOLDER
set -u -o pipefail

[ $# -eq 6 ] || { echo "usage: $0 HARNESS TIMEOUT SCENARIO APP CATALOGUE OUTPUT" >&2; exit 2; }
harnais=$1 delai=$2 scenario=$3 app=$4 catalogue=$5 sorties=$6

[ -x "$harnais/session.sh" ] || { echo "FAIL: no desktop session script at $harnais/session.sh" >&2; exit 1; }
[ -x "$app/dalvire" ] || { echo "FAIL: no built program at $app/dalvire" >&2; exit 1; }
[ -f "$catalogue" ] || { echo "FAIL: no pristine catalogue at $catalogue" >&2; exit 1; }

mkdir -p "$sorties/journaux"
"$harnais/session.sh" --atspi --fresh-home --timeout "$delai" --log-dir "$sorties/journaux" \
    -- bash "$scenario" "$app" "$catalogue" "$sorties"
code=$?
case $code in
    0) echo "PASS: $(basename "$scenario" .sh)" ;;
    124) echo "FAIL: the scenario did not finish within $delai s (a wait without deadline, or a hang)" >&2 ;;
    125) echo "FAIL: the desktop session did not start (see $sorties/journaux)" >&2 ;;
esac
exit $code
