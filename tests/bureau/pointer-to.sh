#!/usr/bin/env bash
# pointer-to.sh X Y - moves the pointer to X,Y and returns once the server has it there
# (up to 2 s). "xdotool mousemove --sync" would do the same, but hangs for good when the
# pointer already stands on the spot.
set -u
[ $# -eq 2 ] || { echo "usage: pointer-to.sh X Y" >&2; exit 2; }
xdotool mousemove "$1" "$2" || exit 1
for _ in $(seq 100); do
    eval "$(xdotool getmouselocation --shell 2>/dev/null | grep -E '^[XY]=')"
    [ "${X:-}" = "$1" ] && [ "${Y:-}" = "$2" ] && exit 0
    sleep 0.02
done
echo "pointer-to.sh: the pointer stayed at ${X:-?},${Y:-?}, not $1,$2" >&2
exit 1
