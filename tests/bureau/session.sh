#!/usr/bin/env bash
# A throwaway X desktop for the end-to-end tests, then COMMAND inside it.
#
# Started in order, each part waited for by what shows it ready (never a fixed sleep):
# Xvfb on a free display with a cookie of its own, a private D-Bus session bus, the
# accessibility bus (--atspi), openbox, and trayer on the bottom edge. At the end only
# what this script started is stopped, by process id, with everything those processes
# and the command left behind, even what slipped out of the process tree.
#
# Usage: session.sh [options] [--] COMMAND [ARGS...]
#   --atspi          the accessibility bus, and Qt told to use it
#   --fresh-home     a new HOME and XDG_*_HOME inside the session folder
#   --no-tray        no trayer
#   --timeout SECS   stop COMMAND after SECS (exit status 124)
#   --log-dir DIR    keep the desktop's logs in DIR (else they go with the session)
#   --verbose        say when each part is ready
# Exit status: COMMAND's; 124 past --timeout; 125 when the desktop did not start.
#
# COMMAND gets DISPLAY, XAUTHORITY, DBUS_SESSION_BUS_ADDRESS, XDG_RUNTIME_DIR,
# QT_QPA_PLATFORM=xcb, HOME and XDG_*_HOME with --fresh-home, and HARNESS_TOOLS (this
# folder), HARNESS_DIR (the session folder, removed at the end), HARNESS_LOGS,
# HARNESS_SCREEN_W, HARNESS_SCREEN_H, HARNESS_TOKEN.
set -u -o pipefail

HARNESS_TOOLS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ECRAN_W=1280 ECRAN_H=1024
# The panel's height: the work area loses exactly this much once trayer holds its edge.
PANNEAU_H=24
ATSPI=0 MAISON=0 TRAYER=1 DELAI=0 JOURNAUX="" BAVARD=0
# Seconds allowed to each part; a loaded machine needs more than an idle one.
PRET=${HARNESS_READY_TIMEOUT:-20}
# Seconds trayer has to claim its edge before it is started again, and how many times.
BORD=${HARNESS_TRAY_EDGE_TIMEOUT:-4}
ESSAIS_TRAYER=4

usage() { sed -n '2,/^# HARNESS_SCREEN/{s/^# \{0,1\}//;p}' "${BASH_SOURCE[0]}"; }
echoue() { echo "session.sh: $*" >&2; exit 125; }

while [ $# -gt 0 ]; do
    case $1 in
        --atspi) ATSPI=1; shift ;;
        --fresh-home) MAISON=1; shift ;;
        --no-tray) TRAYER=0; shift ;;
        --timeout) DELAI=${2:?}; shift 2 ;;
        --log-dir) JOURNAUX=${2:?}; shift 2 ;;
        -v|--verbose) BAVARD=1; shift ;;
        -h|--help) usage; exit 0 ;;
        --) shift; break ;;
        -*) echoue "unknown option $1 (see --help)" ;;
        *) break ;;
    esac
done
[ $# -gt 0 ] || echoue "no command (see --help)"
[[ $DELAI =~ ^[0-9]+$ ]] || echoue "--timeout wants whole seconds, not '$DELAI'"
for outil in Xvfb xauth mcookie dbus-daemon dbus-send openbox xdotool /usr/bin/python3; do
    command -v "$outil" >/dev/null || echoue "$outil is missing (scripts/installer-dependances.sh installs it)"
done
[ $TRAYER = 0 ] || command -v trayer >/dev/null || echoue "trayer is missing"

T0=$(date +%s%N)
dire() {
    [ $BAVARD = 1 ] || return 0
    local ms=$((($(date +%s%N) - T0) / 1000000))
    printf 'session.sh: %5d ms %s\n' "$ms" "$*" >&2
}

DOSSIER=$(mktemp -d "${TMPDIR:-/tmp}/bureau.XXXXXX") || echoue "no session folder"
chmod 700 "$DOSSIER"
JOURNAUX=${JOURNAUX:-$DOSSIER/journaux}
mkdir -p "$JOURNAUX" || echoue "cannot create $JOURNAUX"
# Inherited by everything started from here: a process that double-forked out of our
# tree still carries it, and is found by it at the end.
HARNESS_TOKEN=$(mcookie)
export HARNESS_TOKEN

# ---- processes, read from /proc (no procps on a bare machine) -------------------------

# "pid ppid state" of every process; the name between parentheses may hold spaces.
processus() { cat /proc/[0-9]*/stat 2>/dev/null | sed -E 's/^([0-9]+) \(.*\) (.) ([0-9]+) .*/\1 \3 \2/'; }

# Every descendant of the given pids, deepest first, so that no child is re-parented
# out of reach while its parent is being stopped.
descendants() {
    processus | awk -v racines=" $* " '
        { parent[$1] = $2 }
        END {
            for (p in parent) {
                d = 0
                for (q = p; q in parent && q > 1; ) {
                    q = parent[q]; d++
                    if (index(racines, " " q " ")) { print d, p; break }
                }
            }
        }' | sort -rn | cut -d' ' -f2
}

# A zombie has ended: PID 1 of a container may never reap it.
vivant() {
    local etat
    etat=$(sed -E 's/^.*\) (.).*$/\1/' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$etat" ] && [ "$etat" != Z ] && [ "$etat" != X ]
}

# Processes carrying our token, but neither this shell nor its own subshells.
porteurs_du_jeton() {
    local p nous
    nous=" $$ $BASHPID $(descendants $$ | tr '\n' ' ') "
    for p in $(grep -lszx "HARNESS_TOKEN=$HARNESS_TOKEN" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
        case $nous in *" $p "*) ;; *) echo "$p" ;; esac
    done
}

# TERM, two seconds to end, then KILL.
arreter() {
    [ $# -gt 0 ] || return 0
    kill -TERM "$@" 2>/dev/null
    local fin=$(($(date +%s%N) + 2000000000)) p restants
    while :; do
        restants=()
        for p in "$@"; do vivant "$p" && restants+=("$p"); done
        [ ${#restants[@]} -gt 0 ] || return 0
        [ "$(date +%s%N)" -lt $fin ] || break
        sleep 0.05
    done
    kill -KILL "${restants[@]}" 2>/dev/null
    return 0
}

LANCES=() # "name:pid" in start order, stopped in reverse
COMMANDE=""
FINI=0
nettoyer() {
    [ $FINI = 1 ] && return
    FINI=1
    trap '' INT TERM HUP
    local i pid
    # shellcheck disable=SC2046 # lists of pids, split on purpose
    [ -z "$COMMANDE" ] || arreter $(descendants "$COMMANDE") "$COMMANDE"
    for ((i = ${#LANCES[@]} - 1; i >= 0; i--)); do
        pid=${LANCES[i]#*:}
        # shellcheck disable=SC2046
        arreter $(descendants "$pid") "$pid"
        dire "stopped ${LANCES[i]%%:*} ($pid)"
    done
    # shellcheck disable=SC2046
    arreter $(porteurs_du_jeton)
    wait 2>/dev/null
    rm -rf "$DOSSIER"
}
trap nettoyer EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# attendre WHAT SECS COMMAND...: COMMAND polls by itself (every tool here takes --wait),
# so no loop of forks burdens a machine that is slow already.
attendre() {
    local quoi=$1 secondes=$2
    shift 2
    "$@" --wait "$secondes" >/dev/null 2>&1 || return 1
    dire "$quoi ready"
}
X() { /usr/bin/python3 "$HARNESS_TOOLS/xhelper.py" "$@"; }

# ---- environment ----------------------------------------------------------------------
unset WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_PID XDG_SESSION_TYPE DESKTOP_SESSION
unset XDG_CURRENT_DESKTOP GNOME_DESKTOP_SESSION_ID KDE_FULL_SESSION QT_QPA_PLATFORMTHEME
export XDG_RUNTIME_DIR=$DOSSIER/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ $MAISON = 1 ]; then
    export HOME=$DOSSIER/maison
    export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
    export XDG_CACHE_HOME=$HOME/.cache XDG_STATE_HOME=$HOME/.local/state
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME"
fi

# ---- Xvfb -----------------------------------------------------------------------------
# The server reads every cookie of its -auth file whatever display it names; the display
# is known only once Xvfb has picked a free one, so the client entry comes after.
export XAUTHORITY=$DOSSIER/Xauthority
COOKIE=$(mcookie)
xauth -q -f "$XAUTHORITY" add :65535 . "$COOKIE" 2>/dev/null || echoue "xauth failed"
: >"$DOSSIER/ecran"
Xvfb -displayfd 3 -auth "$XAUTHORITY" -screen 0 "${ECRAN_W}x${ECRAN_H}x24" -nolisten tcp -noreset \
    3>"$DOSSIER/ecran" >"$JOURNAUX/xvfb.log" 2>&1 &
LANCES+=("Xvfb:$!")
fichier_rempli() { # fichier_rempli FILE PATTERN --wait SECS
    local fin=$(($(date +%s%N) + $4 * 1000000000))
    until grep -q "$2" "$1"; do
        [ "$(date +%s%N)" -lt $fin ] || return 1
        sleep 0.01
    done
}
attendre Xvfb "$PRET" fichier_rempli "$DOSSIER/ecran" '[0-9]' ||
    echoue "Xvfb did not start: $(tail -3 "$JOURNAUX/xvfb.log")"
export DISPLAY=:$(head -1 "$DOSSIER/ecran" | tr -dc 0-9)
xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$COOKIE" || echoue "xauth add $DISPLAY failed"

# ---- D-Bus session bus: a private one, so that no tray host of the machine's own
# desktop (a StatusNotifierWatcher) takes the program's icon away from trayer.
: >"$DOSSIER/bus"
dbus-daemon --session --nofork --nopidfile --address="unix:path=$DOSSIER/bus.socket" \
    --print-address=3 3>"$DOSSIER/bus" >"$JOURNAUX/dbus.log" 2>&1 &
LANCES+=("dbus-daemon:$!")
attendre D-Bus "$PRET" fichier_rempli "$DOSSIER/bus" unix: || echoue "dbus-daemon did not start"
DBUS_SESSION_BUS_ADDRESS=$(head -1 "$DOSSIER/bus")
export DBUS_SESSION_BUS_ADDRESS

# ---- accessibility bus ----------------------------------------------------------------
if [ $ATSPI = 1 ]; then
    lanceur=""
    for f in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
        [ -x "$f" ] && lanceur=$f && break
    done
    [ -n "$lanceur" ] || echoue "at-spi-bus-launcher is missing (package at-spi2-core)"
    "$lanceur" --launch-immediately --a11y=1 >"$JOURNAUX/atspi.log" 2>&1 &
    LANCES+=("at-spi-bus-launcher:$!")
    bus_atspi() { # bus_atspi --wait SECS
        local fin=$(($(date +%s%N) + $2 * 1000000000))
        until dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.a11y.Bus.GetAddress 2>/dev/null | grep -q unix:; do
            [ "$(date +%s%N)" -lt $fin ] || return 1
            sleep 0.02
        done
    }
    attendre "AT-SPI bus" "$PRET" bus_atspi || echoue "the AT-SPI bus did not start: $(tail -3 "$JOURNAUX/atspi.log")"
    # The program must start after the bus, with this set, to show up in the tree.
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
    unset NO_AT_BRIDGE
else
    export NO_AT_BRIDGE=1
fi

# ---- openbox --------------------------------------------------------------------------
NO_AT_BRIDGE=1 openbox --sm-disable >"$JOURNAUX/openbox.log" 2>&1 &
LANCES+=("openbox:$!")
attendre openbox "$PRET" X wm || echoue "openbox did not start: $(tail -3 "$JOURNAUX/openbox.log")"

# ---- trayer ---------------------------------------------------------------------------
# Ready once it owns the tray selection and its strut shows in the work area. On a
# loaded machine trayer now and then stays at 0,0 without its strut (about one start in
# four): it is then started again, so that no scenario sees a desktop without a panel.
if [ $TRAYER = 1 ]; then
    for essai in $(seq $ESSAIS_TRAYER); do
        NO_AT_BRIDGE=1 trayer --edge bottom --align right --widthtype pixel --width 96 \
            --heighttype pixel --height $PANNEAU_H --SetDockType true --SetPartialStrut true \
            --expand true --transparent false >>"$JOURNAUX/trayer.log" 2>&1 &
        pid_trayer=$!
        LANCES+=("trayer:$pid_trayer")
        attendre "tray selection" "$PRET" X selection-owner _NET_SYSTEM_TRAY_S0 ||
            echoue "trayer did not take the tray selection: $(tail -3 "$JOURNAUX/trayer.log")"
        attendre "panel on the bottom edge" "$BORD" X workarea --height $((ECRAN_H - PANNEAU_H)) && break
        [ "$essai" -lt $ESSAIS_TRAYER ] || echoue "trayer did not claim the bottom edge in $ESSAIS_TRAYER starts"
        echo "session.sh: trayer did not claim the bottom edge within $BORD s; started again" >>"$JOURNAUX/trayer.log"
        dire "trayer did not claim its edge; started again"
        # shellcheck disable=SC2046
        arreter $(descendants "$pid_trayer") "$pid_trayer"
        wait "$pid_trayer" 2>/dev/null
        # Its selection must be free before the next one asks for it.
        attendre "tray selection released" "$PRET" X selection-owner _NET_SYSTEM_TRAY_S0 --none
    done
fi

export QT_QPA_PLATFORM=xcb
export HARNESS_TOOLS HARNESS_DIR=$DOSSIER HARNESS_LOGS=$JOURNAUX
export HARNESS_SCREEN_W=$ECRAN_W HARNESS_SCREEN_H=$ECRAN_H
dire "desktop ready on $DISPLAY"

# ---- the command ----------------------------------------------------------------------
"$@" &
COMMANDE=$!
if [ "$DELAI" -gt 0 ]; then
    sleep "$DELAI" &
    minuteur=$!
    LANCES+=("timer:$minuteur")
    wait -n -p fini "$COMMANDE" "$minuteur"
    code=$?
    if [ "${fini:-}" = "$minuteur" ]; then
        echo "session.sh: the command ran past $DELAI s; stopped" >&2
        # shellcheck disable=SC2046
        arreter $(descendants "$COMMANDE") "$COMMANDE"
        code=124
    fi
else
    wait "$COMMANDE"
    code=$?
fi
dire "command ended with status $code"
exit $code
