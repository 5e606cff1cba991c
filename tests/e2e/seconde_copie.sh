# One copy per user: a second copy, started while the first shows its splash or runs,
# is refused with its message and ends, and the first runs on untouched. A copy that
# was killed leaves nothing behind that refuses the next start.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

DEJA_LANCE="Le programme est déjà en cours d'utilisation."

# A second copy of the same folder is refused; the running one is left alone.
refuser_copie() { # refuser_copie NAME
    demarrer "$DOSSIER" "$1"
    local copie=$DERNIER_PID
    dialogue_attendu Dalvire "$DEJA_LANCE" OK
    # Refused before anything of its own shows: the only splash is the first copy's.
    local accueils
    accueils=$(fenetres --name '^Dalvire$' | grep -c 'type=SPLASH')
    [ "$accueils" -le 1 ] || echec "expected the refused copy to show no splash; $accueils splashes are on screen"
    doit_vivre "$copie" "the refused copy while its message shows"
    repondre OK
    doit_finir "$copie" 5 "the refused copy after OK"
    doit_vivre "$principal" "the first copy"
    [ -z "${lanceurs:-}" ] || [ "$(fenetres | grep 'type=UTILITY' | sort)" = "$lanceurs" ] ||
        echec "expected the first copy's launcher windows as they were; before:
$lanceurs
after:
$(fenetres)"
}

nouveau_dossier premier
demarrer "$DOSSIER" dalvire
principal=$DERNIER_PID

attendre_accueil 15 || echec "expected the first copy's splash within 15 s"
refuser_copie pendant-accueil

"$T/xhelper.py" windows --class "$CLASSE" --name '^Dalvire$' --none --wait 10 >/dev/null ||
    echec "expected the first copy's splash to go by itself"
doit_vivre "$principal" "the first copy after its splash"
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 5 >/dev/null ||
    echec "expected the first copy's tray icon and three launcher windows once its splash went"
lanceurs=$(fenetres | grep 'type=UTILITY' | sort)
refuser_copie apres-accueil
# The refused copies released nothing of the first's hold.
refuser_copie troisieme
icone_unique "after two copies were refused"

# A copy that dies without a chance to clean up does not block the next start.
kill -KILL "$principal"
attendre_fin "$principal" 5 || echec "expected the first copy to die on SIGKILL"
etape "first copy killed"
demarrer "$DOSSIER" apres-arret-brutal
principal=$DERNIER_PID
attendre_accueil 15 || {
    aucun_dialogue || echec "expected a normal start after the running copy was killed; a message box showed instead"
    echec "expected the splash of a new start after the running copy was killed"
}
aucun_dialogue || echec "expected no message box at a start after the running copy was killed"
doit_vivre "$principal" "the copy started after the first was killed"
etape "a new copy starts after a killed one"
