#!/usr/bin/env bash
# The desktop harness checked against temoin_bureau: the session's parts and exit
# statuses, its clean-up, a trayer that misses its edge, and every reader and tool on
# what the sample program shows.
# Usage: verifier.sh TEMOIN OUTPUT_FOLDER (screenshots and logs of a failure go there)
set -u -o pipefail
ICI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Each case: NAME|STATUS|ERE|COMMAND, no | in ERE. COMMAND runs through eval; its output,
# lines joined with " / ", must match ERE and its exit status be STATUS.
ECHECS=0
cas() { # cas < TABLE
    local nom statut motif commande sortie code
    while IFS='|' read -r nom statut motif commande; do
        [[ -z $nom || $nom == \#* ]] && continue
        sortie=$(eval "$commande" 2>&1)
        code=$?
        sortie=$(sed ':a;N;$!ba;s#\n# / #g' <<<"$sortie")
        if [ "$code" = "$statut" ] && [[ $sortie =~ $motif ]]; then
            echo "ok   $nom"
        else
            echo "FAIL $nom: status $code (expected $statut), output:"
            echo "     $sortie"
            echo "     expected to match: $motif"
            ECHECS=$((ECHECS + 1))
            apres_echec "$nom"
        fi
    done
}
apres_echec() { :; }

if [ "${1:-}" = --dedans ]; then # inside the desktop
    TEMOIN=$2 SORTIES=$3
    T=$HARNESS_TOOLS
    C=temoin_bureau
    JOURNAL=$SORTIES/temoin.log
    IMAGE=$HARNESS_DIR/ecran.png
    apres_echec() {
        "$T/shot.sh" "$SORTIES/echec-${1// /-}.png" 2>/dev/null
        "$T/xhelper.py" windows --all >>"$SORTIES/fenetres.txt" 2>&1
    }
    # What outlives the session is looked for afterwards: this one leaves our tree.
    setsid sleep 600 </dev/null >/dev/null 2>&1 &
    echo "$! $HARNESS_TOKEN $HARNESS_DIR $DISPLAY" >"$SORTIES/etat"
    "$TEMOIN" >"$JOURNAL" 2>&1 &

    cas <<'CAS'
fresh home inside the session|0|^oui$|[[ $HOME == "$HARNESS_DIR"/* && $XDG_CONFIG_HOME == "$HOME"/.config ]] && echo oui
private bus and X cookie|0|^oui$|[[ $DBUS_SESSION_BUS_ADDRESS == *"$HARNESS_DIR"* && $XAUTHORITY == "$HARNESS_DIR"/* ]] && echo oui
a display of its own|0|^:[0-9]+ 1280 1024$|echo "$DISPLAY $HARNESS_SCREEN_W $HARNESS_SCREEN_H"
accessibility switched on for Qt|0|^1 xcb$|echo "$QT_LINUX_ACCESSIBILITY_ALWAYS_ON $QT_QPA_PLATFORM"
window manager|0|^Openbox$|"$T/xhelper.py" wm
work area without the panel's strip|0|^0 0 1280 1000$|"$T/xhelper.py" workarea
work area of another height is not waited for|1|^0 0 1280 1000$|"$T/xhelper.py" workarea --height 900 --wait 0.2
tray selection owned|0|^0x[0-9a-f]+$|"$T/xhelper.py" selection-owner _NET_SYSTEM_TRAY_S0
unowned selection|1|^0x0$|"$T/xhelper.py" selection-owner _DALVIRE_PERSONNE
icon and three windows ready|0|.|"$T/xhelper.py" ready --class $C --tray --min 3 --wait 20
four windows are not there|1|^0x|"$T/xhelper.py" ready --class $C --tray --min 4 --wait 0.3
three windows, by class whatever the case|0|^3$|"$T/xhelper.py" windows --class TEMOIN_BUREAU | wc -l
geometry and type of a window|0|^0x[0-9a-f]+ 1080 30 200 30 class=temoin_bureau/[^ ]+ type=UTILITY[^ ]* state= transient_for=0x[0-9a-f]+ name="bande-2"$|"$T/xhelper.py" windows --class $C --name '^bande-2$'
state of the window kept above|0|state=ABOVE transient_for=0x[0-9a-f]+ name="bande-3"$|"$T/xhelper.py" windows --class $C --name '^bande-3$'
hidden window listed with --all only|0|name="cachee"$|"$T/xhelper.py" windows --class $C --all --name '^cachee$'
hidden window not among the viewable|1|^$|"$T/xhelper.py" windows --class $C --name '^cachee$' --wait 0.2
no window of another program|1|^$|"$T/xhelper.py" windows --class autre --wait 0.2
waiting for a window to go|0|^$|"$T/xhelper.py" windows --class $C --name '^absente$' --none --wait 1
icon inside the panel, bottom right|0|^dedans$|"$T/xhelper.py" tray-icons --class $C | awk '$2 >= 1184 && $3 >= 1000 && $2 + $4 <= 1280 && $3 + $5 <= 1024 { print "dedans" }'
no menu before a click|1|^$|"$T/xhelper.py" popups --class $C --wait 0.3
left, double and middle click reach the program|0|^clic=Trigger / clic=DoubleClick / clic=MiddleClick$|{ "$T/tray-click.sh" --class $C --button 1 && "$T/tray-click.sh" --class $C --button 1 --double && "$T/tray-click.sh" --class $C --button 2; } >/dev/null && sleep 0.5 && grep -E '^clic=(Trigger|DoubleClick|MiddleClick)$' "$JOURNAL" | uniq
tooltip of the icon|0|^app="temoin_bureau" role="tool tip" title="Témoin du bureau"|"$T/tray-click.sh" --class $C --move >/dev/null && xdotool mousemove_relative 1 0 && "$T/read-dialog.py" --app $C --role "tool tip" --wait 5
the press alone opens the menu, the release does not again|0|^1$|{ "$T/tray-click.sh" --class $C --down && "$T/xhelper.py" popups --class $C --wait 3 && "$T/tray-click.sh" --class $C --up; } >/dev/null && xdotool key Escape && grep -c '^clic=Context$' "$JOURNAL"
menu read, items in order|0|^item="Réglages..." states=[a-z,]*enabled[^/]* / separator / item="Quitter" states=[^/]*$|"$T/xhelper.py" popups --class $C --none --wait 5 >/dev/null; "$T/read-menu.py" --app $C --wait 5 -- "$T/tray-click.sh" --class $C
the open menu is a popup of the program|0|^0x[0-9a-f]+ [0-9]+ [0-9]+ [0-9]+ [0-9]+ class=temoin_bureau/|"$T/xhelper.py" popups --class $C --wait 3
menu closed by Escape|0|^$|xdotool key Escape && "$T/xhelper.py" popups --class $C --none --wait 3
no such item|2|no item "Ouvrir"|"$T/read-menu.py" --app $C --pick Ouvrir -- "$T/tray-click.sh" --class $C; r=$?; xdotool key Escape; exit $r
item picked|0|picked="Réglages..."$|"$T/xhelper.py" popups --class $C --none --wait 3 >/dev/null; "$T/read-menu.py" --app $C --pick "réglages..." -- "$T/tray-click.sh" --class $C
dialog read: title, text, field, buttons|0|^app="temoin_bureau" role="dialog" title="Réglages" / text="Votre nom :" / field="Nom" value="" / button="Valider" / button="Annuler"$|"$T/read-dialog.py" --app $C --role dialog --title '^Réglages$' --wait 10
no such button|2|no button "Fermer"|"$T/read-dialog.py" --app $C --role dialog --press Fermer
no field so named|2|no field "Prénom"|"$T/read-dialog.py" --app $C --role dialog --set-text x --field Prénom
text set with accented capitals|0|field="Nom" value="Élodie Brûlé"|"$T/read-dialog.py" --app $C --role dialog --set-text "Élodie Brûlé"
button pressed|0|pressed="Valider"$|"$T/read-dialog.py" --app $C --role dialog --press valider
dialog gone|0|^$|"$T/read-dialog.py" --app $C --role dialog --gone --wait 5
message box, CR LF kept visible|0|^app="temoin_bureau" role="alert" title="Témoin" / text="Bonjour Élodie Brûlé\\r\\nAu revoir" / button="OK"$|"$T/read-dialog.py" --app $C --role alert --wait 10
the program got the text|0|^nom=Élodie Brûlé$|grep '^nom=' "$JOURNAL"
message box answered|0|^$|"$T/read-dialog.py" --app $C --role alert --press OK >/dev/null && "$T/read-dialog.py" --app $C --role alert --gone --wait 5
no dialog left|1|no showing alert,dialog|"$T/read-dialog.py" --app $C --wait 0.3
pointer moved and there|0|^x:640 y:512 |"$T/pointer-to.sh" 640 512 && xdotool getmouselocation
pointer already there|0|^$|"$T/pointer-to.sh" 640 512
screenshot of the whole screen|0|^1280 1024 PNG$|"$T/shot.sh" "$IMAGE" && identify -format '%w %h %m' "$IMAGE"
the screenshot shows the windows|0|^srgb\(0,128,255\)$|convert "$IMAGE" -format '%[pixel:p{1180,45}]' info:
screenshot of a rectangle|0|^200 30 PNG$|"$T/shot.sh" "$IMAGE" --rect 200x30+1080+30 && identify -format '%w %h %m' "$IMAGE"
quit from the menu, icon gone|0|picked="Quitter"|"$T/read-menu.py" --app $C --pick Quitter -- "$T/tray-click.sh" --class $C && "$T/xhelper.py" tray-icons --class $C --none --wait 5
the program ended|0|^quitter$|sleep 0.2; grep -x quitter "$JOURNAL"
CAS
    exit $((ECHECS > 0))
fi

[ $# -eq 2 ] || { echo "usage: verifier.sh TEMOIN OUTPUT_FOLDER" >&2; exit 2; }
TEMOIN=$1 SORTIES=$2
rm -rf "$SORTIES"
mkdir -p "$SORTIES/journaux"
S=$ICI/session.sh
TRAVAIL=$(mktemp -d)
trap 'rm -rf "$TRAVAIL"' EXIT

# A trayer that, the first time only, leaves its strut out: what a loaded machine does
# now and then. The session must start it again.
mkdir "$TRAVAIL/bin"
cat >"$TRAVAIL/bin/trayer" <<FAUX
#!/bin/sh
if [ ! -e "$TRAVAIL/deja" ]; then
    : >"$TRAVAIL/deja"
    exec $(command -v trayer) --edge bottom --align right --widthtype pixel --width 96 \
        --heighttype pixel --height 24 --SetDockType true --SetPartialStrut false
fi
exec $(command -v trayer) "\$@"
FAUX
chmod +x "$TRAVAIL/bin/trayer"

# Nothing of a session may outlive it: not its processes (by the token they carry), not
# its folder, not its display.
restes() { # restes TOKEN DIR DISPLAY
    local p etat
    for p in $(grep -lszx "HARNESS_TOKEN=$1" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
        etat=$(sed -E 's/^.*\) (.).*$/\1/' "/proc/$p/stat" 2>/dev/null) || continue
        [ "$etat" = Z ] || echo "process $p: $(tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null)"
    done
    [ ! -e "$2" ] || echo "folder $2"
    [ ! -e "/tmp/.X11-unix/X${3#:}" ] || echo "display $3"
}

# A process that ignores TERM, out of the command's tree once the command ends: it must
# be found by the session's token and killed.
laisser_un_sourd() {
    "$S" --no-tray -- bash -c 'trap "" TERM; sleep 600 & echo $! >"$1"' _ "$TRAVAIL/sourd" &&
        ! grep -qs . "/proc/$(cat "$TRAVAIL/sourd")/environ" && echo parti
}

# The parts' start-up lines in order; a trayer that missed its edge is started again, which
# adds its own lines each time.
ORDRE='^Xvfb ready / D-Bus ready / AT-SPI bus ready / openbox ready / (tray selection ready / trayer did not claim its edge; started again / tray selection released ready / )*tray selection ready / panel on the bottom edge ready / desktop ready on :[0-9]+ / command ended with status 0 / stopped trayer'

debut=$(date +%s)
"$S" --atspi --fresh-home --timeout 200 --log-dir "$SORTIES/journaux" -- \
    bash "$ICI/verifier.sh" --dedans "$TEMOIN" "$SORTIES" ||
    { echo "FAIL the readers on the sample program (status $?)"; ECHECS=$((ECHECS + 1)); }
cas <<CAS
its logs kept|0|^atspi.log dbus.log openbox.log trayer.log xvfb.log$|ls "$SORTIES/journaux" | xargs
nothing left of that session|0|^$|read -r fugitif jeton dossier ecran <"$SORTIES/etat" && restes "\$jeton" "\$dossier" "\$ecran" && ! grep -qs . "/proc/\$fugitif/environ"
parts started in order, each waited for|0|$ORDRE|"$S" --atspi --verbose -- true 2>&1 | sed -n 's/^session.sh: *[0-9]* ms //p'
a process deaf to TERM that left the tree|0|^parti$|laisser_un_sourd
the command's status|0|^7$|"$S" --no-tray -- sh -c 'exit 7'; echo \$?
stopped past its time|0|124 [0-9]+$|t=\$(date +%s); "$S" --no-tray --timeout 1 -- sleep 60; echo \$? \$((\$(date +%s) - t))
a bad option is not a session|125|unknown option --ecran|"$S" --ecran 800x600 -- true
nor a session without a command|125|no command|"$S" --no-tray
a trayer without its strut is started again|0|^0 0 1280 1000$|PATH="$TRAVAIL/bin:\$PATH" HARNESS_TRAY_EDGE_TIMEOUT=2 "$S" --log-dir "$TRAVAIL/journaux" -- "$ICI/xhelper.py" workarea
and the restart is in the panel's log|0|^1$|grep -c 'started again' "$TRAVAIL/journaux/trayer.log"
parts in order with a restart of trayer|0|$ORDRE|rm "$TRAVAIL/deja" && PATH="$TRAVAIL/bin:\$PATH" HARNESS_TRAY_EDGE_TIMEOUT=2 "$S" --atspi --verbose -- true 2>&1 | sed -n 's/^session.sh: *[0-9]* ms //p' | tee "$TRAVAIL/ordre" && grep -q 'started again' "$TRAVAIL/ordre"
start-up measured|0|^run=1 ready_ms=[0-9]+ peak_rss_kb=[0-9]+ rest_rss_kb=[0-9]+ / median ready_ms=[0-9]+ peak_rss_kb=[0-9]+ rest_rss_kb=[0-9]+ runs=1$|"$ICI/measure.sh" --runs 1 --class temoin_bureau --tray --windows 3 --settle 0.2 -- "$TEMOIN"
CAS
echo "$( [ $ECHECS = 0 ] && echo PASS || echo FAIL ): $ECHECS failed, in $(($(date +%s) - debut)) s; logs in $SORTIES"
[ $ECHECS = 0 ]
