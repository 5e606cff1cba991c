# The launcher windows and the screen: with 40 categories more than the work area holds
# (the session's panel, trayer, takes the bottom 24 px), only the windows that fit whole
# are built, none under the panel, and the message says the others cannot be shown. When
# the screen changes size the windows are built again against its new right edge within
# a second, again within the work area.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

PY=/usr/bin/python3
TROP_BAS='Certaines fenêtres ne pourront être affichées.\r\nL'"'"'emplacement de celles-ci dépassent la hauteur de l'"'"'écran.'

# The work area of the desktop: "X Y W H".
zone() { xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g' | cut -d' ' -f1-4; }

# Every launcher window fits whole in the work area, slid in against its right edge,
# stacked from its top; exactly as many as fit. Prints nothing when so, the fault if not.
ecart() { # ecart ZONE_X ZONE_Y ZONE_W ZONE_H
    fenetres | awk -v zx="$1" -v zy="$2" -v zw="$3" -v zh="$4" '
        /type=UTILITY/ { n++; y[n] = $3; x[n] = $2; h = $5
                         if ($3 + $5 > zy + zh) bas = bas " " $1 }
        END {
            if (n == 0) { print "no launcher window"; exit }
            attendu = int(zh / h)
            if (n != attendu) { print n " windows, expected " attendu " (work area " zh " px high, windows " h " px)"; exit }
            if (bas != "") { print "below the work area:" bas; exit }
            # slid in: the first 500 twips (at 96 dpi, 15 twips a pixel) on screen
            xr = int((zw * 15 - 500 + 7) / 15) + zx
            for (i = 1; i <= n; i++) if (x[i] - xr > 1 || xr - x[i] > 1) { print "a window at x=" x[i] ", expected " xr; exit }
        }'
}

# Waits until the work area is WIDTH px wide and the windows stand in it as they should;
# prints the ms it took.
attendre_en_place() { # attendre_en_place WIDTH SECS
    local debut limite faute zx zy zw zh
    debut=$(date +%s%N)
    limite=$((debut + $2 * 1000000000))
    while :; do
        read -r zx zy zw zh < <(zone)
        [ "$zw" = "$1" ] && faute=$(ecart "$zx" "$zy" "$zw" "$zh") && [ -z "$faute" ] && break
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the windows within the work area $zx $zy $zw $zh ($1 px wide): ${faute:-the area is not that wide}"
        sleep 0.02
    done
    echo $((($(date +%s%N) - debut) / 1000000))
}

nouveau_dossier ecrans
"$PY" - "$DOSSIER/donnees.fdl" <<'EOF' || echec "could not add the categories to the catalogue"
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
# Plain ASCII names: case folding is all the program's collation does to them.
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
for i in range(1, 41):
    base.execute("INSERT INTO categorie VALUES (?, '', '1', '0')", ("Catégorie %02d" % i,))
base.commit()
EOF
# The panel claims its strip a little after the session is ready, and on a busy machine
# it may take it several seconds to place itself at all.
limite=$(($(date +%s%N) + 20000000000))
while read -r zx zy zw zh < <(zone) && [ "$zh" -ge "$HARNESS_SCREEN_H" ]; do
    [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the session's panel to take part of the screen; work area $zx $zy $zw $zh"
    sleep 0.05
done
demarrer "$DOSSIER" dalvire
dialogue_attendu Dalvire "$TROP_BAS" OK
attendre_en_place "$zw" 3 >/dev/null
repondre OK
"$T/shot.sh" "$SORTIES/zone-de-travail.png" 2>/dev/null
etape "the windows that fit whole stand within the work area ($zw x $zh)"

# A smaller screen: Xvfb's output takes a mode of that size.
xrandr --newmode 1024x768 63.50 1024 1072 1176 1328 768 771 775 798 -hsync +vsync 2>/dev/null
sortie=$(xrandr | awk '/ connected/ { print $1; exit }')
xrandr --addmode "$sortie" 1024x768 || echec "could not add a 1024x768 mode to the output $sortie"
for taille in 1024x768 "${HARNESS_SCREEN_W}x$HARNESS_SCREEN_H"; do
    xrandr --output "$sortie" --mode "$taille" || echec "could not set the screen to $taille"
    duree=$(attendre_en_place "${taille%x*}" 3) || exit 1
    [ "$duree" -le 1000 ] || echec "expected the windows in place within a second of the change to $taille; it took $duree ms"
    etape "screen $taille: windows built again within the work area in $duree ms"
    dialogue_attendu Dalvire "$TROP_BAS" OK
    repondre OK
done
doit_vivre "$DERNIER_PID" "the program"
