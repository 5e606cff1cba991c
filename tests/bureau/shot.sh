#!/usr/bin/env bash
# shot.sh OUT.png [--window WID | --rect WxH+X+Y] - a PNG of the screen as shown, popups
# and tray icons included, or of one window, or of part of the screen.
set -u
[ $# -ge 1 ] || { echo "usage: shot.sh OUT.png [--window WID | --rect WxH+X+Y]" >&2; exit 2; }
sortie=$1
shift
case ${1:-} in
    "") exec import -window root "$sortie" ;;
    --window) exec import -window "${2:?}" "$sortie" ;;
    --rect) exec import -window root -crop "${2:?}" +repage "$sortie" ;;
    *) echo "shot.sh: unknown argument $1" >&2; exit 2 ;;
esac
