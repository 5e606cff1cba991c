# The search key and command. A key another program holds is said once, and the program
# runs on. "dalvire --rechercher" beside a running copy hands the search over and ends at
# once with 0, showing nothing; with no copy running (the last one killed, its socket
# left behind) it starts one, which then holds the key itself.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

TENIR=${DALVIRE_TENIR_TOUCHE:?the program that holds the key}

tenir() { # tenir NAME: another program takes Ctrl+Alt+Space; "tenue" or "refusee" in $TRAVAIL/NAME.log
    "$TENIR" >"$TRAVAIL/$1.log" 2>&1 &
    DERNIER_PID=$!
    PROCESSUS+=("$DERNIER_PID")
    local limite=$(($(date +%s%N) + 5000000000))
    until [ -s "$TRAVAIL/$1.log" ]; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the other program to say whether it holds the key"
        sleep 0.05
    done
}

alerte_contient() { # alerte_contient TEXT...: waits for a message box whose text holds each
    local lu limite fragment
    limite=$(($(date +%s%N) + 20000000000))
    until lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 1 2>&1); do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected a message box about the search key; none showed ($lu)"
    done
    for fragment in "$@"; do
        grep -qF -- "$fragment" <<<"$lu" || echec "expected the message box to say \"$fragment\"; it reads:
$lu"
    done
    grep -q 'title="Dalvire"$' <<<"$lu" && grep -q '^button="OK"$' <<<"$lu" ||
        echec "expected a box titled Dalvire with OK; got:
$lu"
    etape "message box: $(grep '^text=' <<<"$lu")"
}

nouveau_dossier recherche

tenir autre
grep -qx tenue "$TRAVAIL/autre.log" || echec "expected the other program to hold the key; it says $(cat "$TRAVAIL/autre.log")"
autre=$DERNIER_PID
demarrer "$DOSSIER" dalvire
principal=$DERNIER_PID
alerte_contient "Le raccourci de recherche Ctrl+Alt+" "est déjà utilisé par un autre programme" \
    "dalvire --rechercher"
fenetres | grep -q 'type=NORMAL ' && echec "expected no window of the program but the box's own dialog"
repondre OK
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and three launcher windows after the key was refused"
sleep 1
aucun_dialogue || echec "expected the refused key to be said once; another box showed"
doit_vivre "$principal" "the program without its key"

demarrer "$DOSSIER" commande --rechercher
commande=$DERNIER_PID
doit_finir "$commande" 5 "dalvire --rechercher beside a running copy"
[ "$CODE_SORTIE" -eq 0 ] || echec "expected dalvire --rechercher to end with 0 beside a running copy; status $CODE_SORTIE"
[ ! -s "$TRAVAIL/commande.log" ] || echec "expected dalvire --rechercher to print nothing; it printed:
$(cat "$TRAVAIL/commande.log")"
aucun_dialogue || echec "expected no message box after dalvire --rechercher"
accueil_affiche && echec "expected no splash from dalvire --rechercher"
doit_vivre "$principal" "the running copy after the command"
icone_unique "after the command"

kill "$autre"
kill -KILL "$principal"
attendre_fin "$principal" 5 || echec "expected the running copy to die on SIGKILL"
etape "running copy killed, other program gone"

demarrer "$DOSSIER" commande-seule --rechercher
principal=$DERNIER_PID
attendre_accueil 15 || echec "expected dalvire --rechercher with no copy running to start one (its splash)"
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the started copy's tray icon and three launcher windows"
aucun_dialogue || echec "expected no message box: the key is free now"
tenir seconde
grep -qx refusee "$TRAVAIL/seconde.log" ||
    echec "expected the started copy to hold Ctrl+Alt+Space; another program could take it"
xdotool key ctrl+alt+space
sleep 0.5
doit_vivre "$principal" "the started copy after its key was pressed"
aucun_dialogue || echec "expected no message box after the key was pressed"
etape "the started copy holds the key"
