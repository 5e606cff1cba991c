#!/usr/bin/env bash
# tray-click.sh - clicks the middle of a program's icon in trayer's panel.
#
# Usage: tray-click.sh [--class C] [--button N] [--double | --down | --up | --move]
#                      [--wait S] [--gap MS]
#   --class C    the icon's WM_CLASS (default: the first icon of the panel)
#   --button N   1 left, 2 middle, 3 right (default)
#   --double     two clicks 80 ms apart
#   --down/--up  the press alone, the release alone
#   --move       the pointer onto the icon, no click
#   --wait S     how long the icon may take to show (default 5 s)
#   --gap MS     time kept since this tool's previous click (default 500 ms): Qt takes
#                two clicks within 400 ms for a double click, and a right click is lost
# Prints "X Y WID": the point clicked and the icon's window. Exit 1: no such icon.
set -u -o pipefail
ICI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
classe="" bouton=3 geste=click attente=5 ecart=500
while [ $# -gt 0 ]; do
    case $1 in
        --class) classe=${2:?}; shift 2 ;;
        --button) bouton=${2:?}; shift 2 ;;
        --double) geste=double; shift ;;
        --down) geste=down; shift ;;
        --up) geste=up; shift ;;
        --move) geste=move; shift ;;
        --wait) attente=${2:?}; shift 2 ;;
        --gap) ecart=${2:?}; shift 2 ;;
        -h|--help) sed -n '2,/^# Prints/{s/^# \{0,1\}//;p}' "$0"; exit 0 ;;
        *) echo "tray-click.sh: unknown argument $1" >&2; exit 2 ;;
    esac
done
requete=(tray-icons --wait "$attente")
[ -z "$classe" ] || requete+=(--class "$classe")
ligne=$("$ICI/xhelper.py" "${requete[@]}" | head -1)
[ -n "$ligne" ] || { echo "tray-click.sh: no tray icon${classe:+ of class $classe}" >&2; exit 1; }
read -r wid x y l h _ <<<"$ligne"
cx=$((x + l / 2)) cy=$((y + h / 2))
"$ICI/pointer-to.sh" "$cx" "$cy" || exit 1
# Kept in the session folder: the gap holds between calls, and goes with the session.
repere=${HARNESS_DIR:-${TMPDIR:-/tmp}}/.tray-click-dernier
if [ "$geste" != move ] && [ -s "$repere" ]; then
    depuis=$(($(date +%s%3N) - $(cat "$repere")))
    [ "$depuis" -ge "$ecart" ] || sleep "$(printf '%d.%03d' $(((ecart - depuis) / 1000)) $(((ecart - depuis) % 1000)))"
fi
case $geste in
    click) xdotool click "$bouton" ;;
    double) xdotool click --repeat 2 --delay 80 "$bouton" ;;
    down) xdotool mousedown "$bouton" ;;
    up) xdotool mouseup "$bouton" ;;
    move) ;;
esac
[ "$geste" = move ] || date +%s%3N >"$repere"
echo "$cx $cy $wid"
