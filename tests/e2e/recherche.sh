# The search window from the keyboard: opened by "dalvire --rechercher" in the running
# copy, centred in the top third of the screen with the keyboard; real keys typed into
# it find an item of a category that has no strip, Enter starts it and closes the window;
# Escape closes it and starts nothing.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"
PY=/usr/bin/python3

nouveau_dossier recherche
# Two programs of a hidden category, each noting its start in a file of its own.
for nom in secret public; do
    printf '#!/bin/sh\necho lance >>"%s"\n' "$TRAVAIL/lance-$nom" >"$TRAVAIL/journal-$nom.sh"
    chmod +x "$TRAVAIL/journal-$nom.sh"
done
"$PY" - "$DOSSIER/donnees.fdl" "$TRAVAIL" <<'EOF' || echec "could not add the hidden category to the catalogue"
import sqlite3, sys
base = sqlite3.connect(sys.argv[1])
# Plain ASCII names: case folding is all the program's collation does to them.
base.create_collation("FRANCAIS", lambda a, b: (a.casefold() > b.casefold()) - (a.casefold() < b.casefold()))
base.execute("INSERT INTO categorie VALUES ('Archives', '', '0', '-1')")
for nom in ("secret", "public"):
    base.execute("INSERT INTO programmes VALUES (?, ?, 'Archives', '1', '0')",
                 ("Journal " + nom, "%s/journal-%s.sh" % (sys.argv[2], nom)))
base.commit()
EOF

demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and three launcher windows within 15 s; windows: $(fenetres)"
[ -z "$(fenetres --name '^Rechercher$')" ] || echec "expected no search window before the first search"

ouvrir_recherche() {
    local code=0
    (cd "$DOSSIER" && exec timeout 10 ./dalvire --rechercher) >>"$TRAVAIL/commande.log" 2>&1 || code=$?
    [ "$code" -eq 0 ] || echec "expected \"dalvire --rechercher\" to end at once with status 0; status $code"
    RECHERCHE=$("$T/xhelper.py" windows --class "$CLASSE" --name '^Rechercher$' --wait 5 | head -1)
    [ -n "$RECHERCHE" ] || echec "expected the search window within 5 s of \"dalvire --rechercher\"; windows: $(fenetres)"
    local limite=$(($(date +%s%N) + 5000000000))
    until [ "$(printf '0x%x' "$(xdotool getactivewindow 2>/dev/null || echo 0)")" = "$(printf '0x%x' "${RECHERCHE%% *}")" ]; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the search window to have the keyboard; the active window is $(xdotool getactivewindow 2>/dev/null)"
        sleep 0.02
    done
}

ferme() { # ferme WHAT
    "$T/xhelper.py" windows --class "$CLASSE" --name '^Rechercher$' --none --wait 3 >/dev/null ||
        echec "expected the search window to close on $1"
}

ouvrir_recherche
read -r _ x y w h _ <<<"$RECHERCHE"
read -r zx zy zw zh < <("$T/xhelper.py" workarea)
centre=$((x + w / 2 - (zx + zw / 2)))
[ "${centre#-}" -le 2 ] || echec "expected the search window centred across the work area $zx $zy $zw $zh; it is at $x,$y ${w}x$h"
[ "$y" -ge "$zy" ] && [ $((y + h / 2)) -le $((zy + zh / 3)) ] || [ "$y" -eq "$zy" ] ||
    echec "expected the search window in the top third of the work area $zx $zy $zw $zh; it is at $x,$y ${w}x$h"
case $RECHERCHE in
    *state=*ABOVE*) ;;
    *) echec "expected the search window above the others: $RECHERCHE" ;;
esac
etape "search window at $x,$y ${w}x$h, with the keyboard"

# Keys as a person types them: the field, named, gets them.
xdotool type --delay 40 "journ"
lu=""
limite=$(($(date +%s%N) + 5000000000))
until grep -q 'value="journ"' <<<"$lu"; do
    [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the typed text in the search field, read through AT-SPI; read:
$lu"
    lu=$("$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Rechercher$' --wait 2 2>&1)
done
grep -q "^field=\"Nom de l'élément à rechercher\"" <<<"$lu" || echec "expected the named search field; read:
$lu"
etape "typed into the search field: $(grep '^field=' <<<"$lu")"

# "Journal public" comes first in French order: Down, then Enter, starts the other one.
xdotool key Down
xdotool key Return
ferme "Enter"
limite=$(($(date +%s%N) + 5000000000))
until [ -s "$TRAVAIL/lance-secret" ]; do
    [ "$(date +%s%N)" -lt "$limite" ] || echec "expected Enter to start \"Journal secret\" of the hidden category"
    sleep 0.05
done
[ ! -e "$TRAVAIL/lance-public" ] || echec "expected only the current item to start; \"Journal public\" started too"
etape "Enter started the current item of the hidden category and closed the window"
[ -s "${XDG_STATE_HOME:-$HOME/.local/state}/dalvire/lancements.json" ] ||
    echec "expected the start noted in the state folder"

# Opened again: an empty field; Escape closes the window and starts nothing.
ouvrir_recherche
xdotool type --delay 40 "public"
sleep 0.3
xdotool key Escape
ferme "Escape"
sleep 1
[ ! -e "$TRAVAIL/lance-public" ] || echec "expected Escape to start nothing; \"Journal public\" started"
[ "$(wc -l <"$TRAVAIL/lance-secret")" -eq 1 ] || echec "expected \"Journal secret\" started once only"
etape "Escape closed the window, nothing started"
doit_vivre "$programme" "the program"
