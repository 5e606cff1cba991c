#!/usr/bin/env bash
# measure.sh - how long a program takes from exec to ready, and its peak memory, each
# run in a desktop of its own.
#
# Usage: measure.sh [--runs N] [--class C] [--tray] [--windows N] [--settle S]
#                   [--session "OPTIONS"] -- COMMAND [ARGS...]
#   --runs N       runs, one fresh desktop each (default 5)
#   --class C      WM_CLASS of the program's windows and icon (default: COMMAND's name)
#   --tray         ready wants its icon in the tray too
#   --windows N    ready wants N of its windows viewable (default 1)
#   --settle S     seconds it keeps running once ready, before SIGTERM (default 1)
#   --session O    options for session.sh, e.g. "--fresh-home"
# Ready: the poller (one X client, every 10 ms) is up before the clock starts, so its own
# start-up is not counted; within about 10 ms. Peak memory: GNU time's maximum RSS; memory
# at rest: the resident set at the end of the settle time.
# One line a run, then the medians:
#   run=1 ready_ms=212 peak_rss_kb=61234 rest_rss_kb=60100
#   median ready_ms=215 peak_rss_kb=61300 rest_rss_kb=60200 runs=5
set -u -o pipefail
ICI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

if [ "${1:-}" = --dedans ]; then # one run, inside its desktop
    classe=$2 tray=$3 fenetres=$4 repos=$5
    shift 5
    pret=(ready --class "$classe" --min "$fenetres" --wait 30 --announce "$HARNESS_DIR/sondeur-pret")
    [ "$tray" = 1 ] && pret+=(--tray)
    "$ICI/xhelper.py" "${pret[@]}" >/dev/null &
    sondeur=$!
    until [ -e "$HARNESS_DIR/sondeur-pret" ] || ! kill -0 "$sondeur" 2>/dev/null; do sleep 0.01; done
    t0=$(date +%s%N)
    /usr/bin/time -v -o "$HARNESS_DIR/time.txt" "$@" >"$HARNESS_LOGS/programme.log" 2>&1 &
    chrono=$!
    vu=1
    wait "$sondeur" || vu=0
    t1=$(date +%s%N)
    sleep "$repos"
    # The program, not time: time must live on to write what it measured.
    repos_kb=?
    for p in $(cat /proc/[0-9]*/stat 2>/dev/null | sed -nE "s/^([0-9]+) \(.*\) . $chrono .*/\1/p"); do
        r=$(sed -n 's/^VmRSS:\s*\([0-9]*\) kB/\1/p' "/proc/$p/status" 2>/dev/null)
        [ -z "$r" ] || repos_kb=$r
        kill -TERM "$p" 2>/dev/null
    done
    wait "$chrono" 2>/dev/null
    rss=$(sed -n 's/^\s*Maximum resident set size (kbytes): //p' "$HARNESS_DIR/time.txt")
    if [ $vu = 1 ]; then
        echo "ready_ms=$(((t1 - t0) / 1000000)) peak_rss_kb=${rss:-?} rest_rss_kb=$repos_kb"
    else
        echo "ready_ms=timeout peak_rss_kb=${rss:-?} rest_rss_kb=$repos_kb"
        tail -5 "$HARNESS_LOGS/programme.log" >&2
    fi
    exit 0
fi

essais=5 classe="" tray=0 fenetres=1 repos=1 options=""
while [ $# -gt 0 ]; do
    case $1 in
        --runs) essais=${2:?}; shift 2 ;;
        --class) classe=${2:?}; shift 2 ;;
        --tray) tray=1; shift ;;
        --windows) fenetres=${2:?}; shift 2 ;;
        --settle) repos=${2:?}; shift 2 ;;
        --session) options=${2:?}; shift 2 ;;
        --) shift; break ;;
        -h|--help) sed -n '2,/^set -u/{/^set -u/d;s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || { echo "measure.sh: no COMMAND (see --help)" >&2; exit 2; }
[ -n "$classe" ] || classe=$(basename "$1")
[ -x /usr/bin/time ] || { echo "measure.sh: GNU time is missing (package time)" >&2; exit 2; }

mediane() { sort -n | awk 'NF { v[++n] = $1 } END { if (!n) print "?"; else if (n % 2) print v[(n + 1) / 2]; else print int((v[n / 2] + v[n / 2 + 1]) / 2) }'; }
prets=() memoires=() restes=()
for i in $(seq "$essais"); do
    # shellcheck disable=SC2086 # the session's options, split on purpose
    ligne=$("$ICI/session.sh" $options -- "$0" --dedans "$classe" "$tray" "$fenetres" "$repos" "$@")
    echo "run=$i $ligne"
    r=$(sed -n 's/.*ready_ms=\([0-9]*\).*/\1/p' <<<"$ligne")
    m=$(sed -n 's/.*peak_rss_kb=\([0-9]*\).*/\1/p' <<<"$ligne")
    a=$(sed -n 's/.*rest_rss_kb=\([0-9]*\).*/\1/p' <<<"$ligne")
    [ -z "$r" ] || prets+=("$r")
    [ -z "$m" ] || memoires+=("$m")
    [ -z "$a" ] || restes+=("$a")
done
echo "median ready_ms=$(printf '%s\n' "${prets[@]}" | mediane) peak_rss_kb=$(printf '%s\n' "${memoires[@]}" | mediane)" \
    "rest_rss_kb=$(printf '%s\n' "${restes[@]}" | mediane) runs=${#prets[@]}"
