# With "plan" 1 every launcher window is kept on top (_NET_WM_STATE_ABOVE, which the
# window manager keeps); with "plan" 0 none is (checked by fenetres_lanceur.sh).
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

ecrire_parametres plan 1
nouveau_dossier premier-plan
demarrer "$DOSSIER" dalvire
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and three launcher windows within 15 s; windows: $(fenetres)"
lignes=$(fenetres | grep 'type=UTILITY')
[ "$(wc -l <<<"$lignes")" -eq 3 ] || echec "expected three launcher windows; found:
$lignes"
# The window manager writes the state: wait a little for it, then each window.
limite=$(($(date +%s%N) + 3000000000))
while :; do
    sans=$(fenetres | grep 'type=UTILITY' | grep -v 'state=[^ ]*ABOVE')
    [ -z "$sans" ] && break
    [ "$(date +%s%N)" -lt "$limite" ] || echec "expected every launcher window on top with \"plan\" 1; these are not:
$sans"
    sleep 0.05
done
etape "the three launcher windows are on top with \"plan\" 1"
