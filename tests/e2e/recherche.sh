# "dalvire --rechercher": the search window of the running copy, active, above, centred in the
# top third; typed keys find an item of a hidden category, Enter starts it, Escape nothing.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

nouveau_dossier recherche
for nom in secret public; do # programs that note their start
    printf '#!/bin/sh\necho >>"%s"\n' "$TRAVAIL/lance-$nom" >"$TRAVAIL/$nom.sh" && chmod +x "$TRAVAIL/$nom.sh"
done
(cd "$DOSSIER" && sqlite3 donnees.fdl -cmd '.load ./francais' "INSERT INTO categorie VALUES ('Archives', '', '0', '-1');
    INSERT INTO programmes VALUES ('Journal secret', '$TRAVAIL/secret.sh', 'Archives', '1', '0'),
    ('Journal public', '$TRAVAIL/public.sh', 'Archives', '1', '0');") || echec "could not add the hidden category"
demarrer "$DOSSIER" dalvire
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null || echec "expected the tray icon and three strips"

ouvrir_recherche() { # the window, active, in RECHERCHE
    (cd "$DOSSIER" && exec timeout 10 ./dalvire --rechercher) >>"$TRAVAIL/commande.log" 2>&1 ||
        echec "expected \"dalvire --rechercher\" to end at once with status 0"
    RECHERCHE=$("$T/xhelper.py" windows --class "$CLASSE" --name '^Rechercher$' --wait 5 | head -1)
    local limite=$(($(date +%s%N) + 5000000000)) id=${RECHERCHE%% *}
    until [ -n "$id" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$((id))" ]; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the search window active; windows: $(fenetres)"
        sleep 0.02
    done
}
ferme() { "$T/xhelper.py" windows --class "$CLASSE" --name '^Rechercher$' --none --wait 3 >/dev/null || echec "expected the window to close on $1"; }

ouvrir_recherche
read -r _ x y w h etat <<<"$RECHERCHE"
read -r zx zy zw zh < <("$T/xhelper.py" workarea)
ecart=$((2 * x + w - 2 * zx - zw))
[ "${ecart#-}" -le 2 ] && [ $((y + h / 2)) -le $((zy + zh / 3)) ] && [[ $etat == *ABOVE* ]] ||
    echec "expected the window above the others, centred in the top third of $zx $zy $zw $zh: $RECHERCHE"
xdotool type --delay 40 "journ"
lu=$("$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Rechercher$' --wait 5 2>&1)
grep -qx "field=\"Nom de l'élément à rechercher\" value=\"journ\"" <<<"$lu" || echec "expected the typed text in the named field; read:
$lu"
# "Journal public" comes first in French order: Down, then Enter, starts the other one.
xdotool key Down Return
ferme Enter
for _ in $(seq 100); do [ -e "$TRAVAIL/lance-secret" ] && break; sleep 0.05; done
[ -e "$TRAVAIL/lance-secret" ] || echec "expected Enter to start \"Journal secret\" of the hidden category"

ouvrir_recherche
xdotool type --delay 40 "public"
xdotool key Escape
ferme Escape
sleep 1
[ ! -e "$TRAVAIL/lance-public" ] && [ "$(wc -l <"$TRAVAIL/lance-secret")" -eq 1 ] || echec "expected Escape to start nothing"
etape "Escape started nothing"
