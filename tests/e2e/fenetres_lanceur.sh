# The launcher windows of a first start: the three first-use categories stacked down
# the right edge in name order, slid in, out of the taskbar and pager; a click on an
# icon slides its window out (and any other one in), the delay slides it back; the
# settings "fermeture" and "plan" 0; a new "first use" adds no second set of windows.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

NOMS='DALVIRE - version 2.0.0
INTERNET
MESSAGERIE'
DELAI=2 # seconds, written as "fermeture" so that the slide-back comes quickly
ECRAN_W=${HARNESS_SCREEN_W:?}
# Slid in, the first 500 twips stay on screen: at 96 dpi, 15 twips a pixel.
X_RENTRE=$(((ECRAN_W * 15 - 500 + 7) / 15))

# Launcher windows, from the accessibility tree, sorted top to bottom:
# X Y W H ICON_X ICON_Y ITEMS NAME
bandeaux() { /usr/bin/python3 "$ICI/bandeaux.py" "$CLASSE" | sort -n -k2; }

# The accessibility tree gives the names and the program's own idea of where each
# window is. It follows the X windows a little later: wait until it shows three
# windows, each where the X server has one. A window the program places elsewhere
# than it is would jump there at its next slide.
bandeaux_en_place() {
    local limite vus x_y
    limite=$(($(date +%s%N) + 5000000000))
    while :; do
        x_y=$(fenetres | awk '/type=UTILITY/ { print $2, $3 }' | sort)
        vus=$(bandeaux)
        [ "$(wc -l <<<"$vus")" -eq 3 ] && [ "$(cut -d' ' -f1,2 <<<"$vus" | sort)" = "$x_y" ] && break
        [ "$(date +%s%N)" -lt "$limite" ] || {
            echec "expected the program to know where its launcher windows are: the X server has them at (x y):
$x_y
the program (accessibility tree: x y w h icon_x icon_y entries name) places them at:
$vus
A window the program believes elsewhere moves there at its next slide, losing the top edge it was built with"
        }
        sleep 0.05
    done
    echo "$vus"
}

# X geometry of one window: "X Y W H".
geometrie() { "$T/xhelper.py" windows --class "$CLASSE" | awk -v w="$1" '$1 == w { print $2, $3, $4, $5 }'; }
x_de() { geometrie "$1" | cut -d' ' -f1; }

# The window id of the launcher window at the top edge Y.
fenetre_en() { fenetres | awk -v y="$1" '$3 == y && /type=UTILITY/ { print $1; exit }'; }

# Waits until window WID has its left edge at X (±1 px); prints the ms since the last click.
attendre_x() { # attendre_x WID X SECS WHAT
    local limite x
    limite=$(($(date +%s%N) + $3 * 1000000000))
    while :; do
        x=$(x_de "$1")
        [ -n "$x" ] && [ $((x - $2)) -le 1 ] && [ $(($2 - x)) -le 1 ] && break
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected $4 (left edge at $2) within $3 s; its left edge is at ${x:-?}"
        sleep 0.02
    done
    echo $((($(date +%s%N) - DERNIER_CLIC) / 1000000))
}

# Two clicks on one spot closer than 400 ms are a double click: keep them apart.
DERNIER_CLIC=0
cliquer() { # cliquer X Y
    local depuis=$((($(date +%s%N) - DERNIER_CLIC) / 1000000))
    [ "$depuis" -ge 500 ] || sleep "0.$(printf '%03d' $((500 - depuis)))"
    "$T/pointer-to.sh" "$1" "$2" || echec "could not move the pointer to $1,$2"
    xdotool click 1
    DERNIER_CLIC=$(date +%s%N)
}

# The icon of a launcher window, where the X server has the window now (the
# accessibility tree may lag behind a slide): ICONE_DX, ICONE_DY from its left top.
cliquer_icone() { # cliquer_icone WID
    local x y
    read -r x y _ < <(geometrie "$1")
    [ -n "$x" ] || echec "expected launcher window $1 on screen to click its icon"
    cliquer $((x + ICONE_DX)) $((y + ICONE_DY))
}

ecrire_parametres fermeture "$DELAI"
nouveau_dossier lanceur
demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and three launcher windows within 15 s; windows: $(fenetres)"

lignes=$(fenetres | grep -v 'type=SPLASH')
[ "$(wc -l <<<"$lignes")" -eq 3 ] || echec "expected exactly three windows of the program (the first-use categories); found:
$lignes"
lignes=$(sort -n -k3 <<<"$lignes")
y_attendu=0
while read -r wid x y w h reste; do
    [ "$y" -eq "$y_attendu" ] || echec "expected the launcher windows stacked without gap from the top; window $wid is at y=$y, expected $y_attendu:
$lignes"
    [ $((x - X_RENTRE)) -le 1 ] && [ $((X_RENTRE - x)) -le 1 ] ||
        echec "expected window $wid slid in at x=$X_RENTRE (screen width $ECRAN_W less 500 twips); it is at x=$x"
    [ "$w" -ge 235 ] && [ "$h" -ge 29 ] && [ "$h" -le 35 ] ||
        echec "expected window $wid about 3525 x 435 twips (235 x 29 px) plus its border; it is ${w}x$h"
    case $reste in
        *state=*SKIP_TASKBAR*) ;;
        *) echec "expected _NET_WM_STATE_SKIP_TASKBAR on window $wid: $reste" ;;
    esac
    case $reste in
        *state=*SKIP_PAGER*) ;;
        *) echec "expected _NET_WM_STATE_SKIP_PAGER on window $wid: $reste" ;;
    esac
    case $reste in
        *state=*ABOVE*) echec "expected window $wid not on top with \"plan\" 0: $reste" ;;
    esac
    y_attendu=$((y + h))
done <<<"$lignes"
etape "three windows slid in at x=$X_RENTRE, stacked from y=0, out of taskbar and pager"

vus=$(bandeaux_en_place) || exit 1
noms=$(sed -E 's/^([^ ]+ ){7}//' <<<"$vus")
[ "$noms" = "$NOMS" ] || echec "expected the launcher windows, top to bottom:
$NOMS
got:
$noms"
# Each window of the accessibility tree is the X window at the same place.
while read -r x y _; do
    [ -n "$(fenetre_en "$y")" ] || echec "expected an X window at y=$y for each launcher window"
done <<<"$vus"
etape "in name order: $(tr '\n' ',' <<<"$noms")"

premiere=$(fenetre_en "$(sed -n 1p <<<"$vus" | cut -d' ' -f2)")
deuxieme=$(fenetre_en "$(sed -n 2p <<<"$vus" | cut -d' ' -f2)")
troisieme=$(fenetre_en "$(sed -n 3p <<<"$vus" | cut -d' ' -f2)")
read -r x y _ _ ix iy _ <<<"$vus"
ICONE_DX=$((ix - x)) ICONE_DY=$((iy - y))
w1=$(geometrie "$premiere" | cut -d' ' -f3)
w2=$(geometrie "$deuxieme" | cut -d' ' -f3)

# Each window slides out and in at the top edge it was built with.
for wid in "$premiere" "$deuxieme" "$troisieme"; do
    read -r x0 y0 w0 _ < <(geometrie "$wid")
    cliquer_icone "$wid"
    attendre_x "$wid" $((ECRAN_W - w0)) 3 "window $wid (at y=$y0) slid out on a click on its icon" >/dev/null
    read -r _ y _ < <(geometrie "$wid")
    [ "$y" = "$y0" ] || echec "expected window $wid to slide out at its own top edge y=$y0; it is at y=$y"
    cliquer_icone "$wid"
    attendre_x "$wid" "$X_RENTRE" 3 "window $wid slid in on a second click" >/dev/null
    read -r _ y _ < <(geometrie "$wid")
    [ "$y" = "$y0" ] || echec "expected window $wid to slide in at its own top edge y=$y0; it is at y=$y"
done
etape "each window slides out and in on its icon, at its own top edge"

# Out on a click, back by itself after the delay.
cliquer_icone "$premiere"
attendre_x "$premiere" $((ECRAN_W - w1)) 3 "the first window slid out on a click on its icon" >/dev/null
etape "first window slid out to x=$((ECRAN_W - w1))"
[ "$(x_de "$deuxieme")" -eq "$(x_de "$troisieme")" ] && [ "$(x_de "$troisieme")" -le $((X_RENTRE + 1)) ] ||
    echec "expected the other windows to stay slid in"
duree=$(attendre_x "$premiere" "$X_RENTRE" $((DELAI + 5)) "the first window back by itself after $DELAI s") || exit 1
etape "slid back by itself $duree ms after the click"
[ "$duree" -ge $((DELAI * 1000 - 400)) ] || echec "expected the window out for about $DELAI s; it went back after $duree ms"
[ "$duree" -le $((DELAI * 1000 + 2500)) ] || echec "expected the window back after about $DELAI s; it took $duree ms"

# A click on the icon of the window that is out slides it in at once.
cliquer_icone "$premiere"
attendre_x "$premiere" $((ECRAN_W - w1)) 3 "the first window out again" >/dev/null
cliquer_icone "$premiere"
duree=$(attendre_x "$premiere" "$X_RENTRE" 3 "the first window in on a second click") || exit 1
[ "$duree" -lt $((DELAI * 1000 - 400)) ] || echec "expected the second click to slide the window in at once, not the delay ($duree ms)"
etape "a second click slides it in at once"

# At most one window out: the second one's click slides the first one in.
cliquer_icone "$premiere"
attendre_x "$premiere" $((ECRAN_W - w1)) 3 "the first window out" >/dev/null
cliquer_icone "$deuxieme"
attendre_x "$deuxieme" $((ECRAN_W - w2)) 3 "the second window out on a click on its icon" >/dev/null
attendre_x "$premiere" "$X_RENTRE" 1 "the first window in when the second slid out" >/dev/null
etape "the second window out, the first one in"
attendre_x "$deuxieme" "$X_RENTRE" $((DELAI + 5)) "the second window back by itself" >/dev/null
[ "$(x_de "$premiere")" -le $((X_RENTRE + 1)) ] || echec "expected the first window to stay in"
etape "the second window back after the delay"

# Where the notification area fails, the same menu stays reachable: a right click on
# the icon of a launcher window opens it too, and the window does not slide.
read -r x y _ < <(geometrie "$troisieme")
ix=$((x + ICONE_DX)) iy=$((y + ICONE_DY))
lu=$("$T/read-menu.py" --app "$CLASSE" --wait 5 -- bash -c '"$1" "$2" "$3" && xdotool click 3' _ "$T/pointer-to.sh" "$ix" "$iy" 2>&1) ||
    echec "expected the main menu on a right click on the icon of a launcher window ($lu)"
lu=$(sed 's/ states=.*$//' <<<"$lu")
[ "$lu" = "$MENU" ] || echec "expected the main menu on a right click on a launcher window's icon:
$MENU
got:
$lu"
xdotool key Escape
"$T/xhelper.py" popups --class "$CLASSE" --none --wait 3 >/dev/null || echec "expected the menu to close on Escape"
[ "$(x_de "$troisieme")" -le $((X_RENTRE + 1)) ] || echec "expected a right click to leave the window slid in"
etape "a right click on a launcher window's icon opens the main menu"

doit_vivre "$programme" "the program"
kill "$programme"
attendre_fin "$programme" 5 || echec "expected the program to end on SIGTERM"

# A start that takes itself for a first use again (its "utilisation" lost): the
# first-use rows are not added twice, so still one window per category and no entry
# doubled.
sed -i '/^utilisation=/d' "$PARAMETRES"
demarrer "$DOSSIER" seconde-premiere-utilisation
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected three launcher windows at the next start"
lignes=$(fenetres | grep -v 'type=SPLASH')
[ "$(wc -l <<<"$lignes")" -eq 3 ] || echec "expected still three launcher windows after a second first use; found:
$lignes"
vus2=$(bandeaux_en_place) || exit 1
[ "$(cut -d' ' -f7- <<<"$vus2")" = "$(cut -d' ' -f7- <<<"$vus")" ] ||
    echec "expected the same categories and entries after a second first use; before:
$vus
after:
$vus2"
etape "no category or entry doubled by a second first use"
