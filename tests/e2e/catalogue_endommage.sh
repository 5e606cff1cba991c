# A catalogue file that is there but unusable: a message naming the file, the end of
# the program after OK, and the file exactly as it was (no repair, no journal left).
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

PY=/usr/bin/python3

abimer() { # abimer CASE FILE: turn the pristine copy FILE into the damaged CASE
    local fichier=$2
    case $1 in
        texte) printf "ceci n'est pas un catalogue\n" >"$fichier" ;;
        vide) : >"$fichier" ;;
        tronque) head -c 3000 "$CATALOGUE_VIERGE" >"$fichier" ;;
        pages-ecrasees)
            # Header intact, every page after the first overwritten.
            local taille
            taille=$(stat -c %s "$CATALOGUE_VIERGE")
            head -c 4096 "$CATALOGUE_VIERGE" >"$fichier"
            head -c $((taille - 4096)) /dev/zero | tr '\0' '\377' >>"$fichier"
            ;;
        sans-tables) rm -f "$fichier" && "$PY" -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); c.execute("create table autre (x text)"); c.commit()' "$fichier" ;;
        colonnes-manquantes) rm -f "$fichier" && "$PY" -c 'import sqlite3,sys; c=sqlite3.connect(sys.argv[1]); c.execute("create table categorie (nom text)"); c.execute("create table programmes (nom text)"); c.commit()' "$fichier" ;;
        *) echec "unknown case $1" ;;
    esac || echec "could not prepare the damaged catalogue ($1)"
}

essayer() { # essayer CASE FOLDER_NAME
    nouveau_dossier "$2"
    local fichier="$DOSSIER/donnees.fdl"
    abimer "$1" "$fichier"
    local avant contenu_dossier
    avant=$(empreinte "$fichier")
    contenu_dossier=$(ls -A "$DOSSIER")
    demarrer "$DOSSIER" "$1"
    local programme=$DERNIER_PID

    local lu
    lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 10 2>&1) ||
        echec "[$1] expected a message naming $fichier; no message box showed ($lu)"
    grep -qx 'app="dalvire" role="alert" title="Dalvire"' <<<"$lu" ||
        echec "[$1] expected a message box titled \"Dalvire\"; got:
$lu"
    grep -q '^text=".*'"$fichier" <<<"$lu" || echec "[$1] expected the message to name $fichier; it reads:
$lu"
    grep -qx 'text="Le programme ne peut être utilisé\..*' <<<"$lu" ||
        echec "[$1] expected the message to begin \"Le programme ne peut être utilisé.\"; it reads:
$lu"
    [ "$(grep '^button=' <<<"$lu")" = 'button="OK"' ] || echec "[$1] expected one button OK; got:
$lu"
    ! accueil_affiche || echec "[$1] expected no splash with a damaged catalogue"
    etape "[$1] $(grep '^text=' <<<"$lu")"
    repondre OK
    doit_finir "$programme" 5 "[$1] the program after OK"

    [ "$(empreinte "$fichier")" = "$avant" ] || echec "[$1] expected $fichier unchanged; its contents changed"
    [ "$(ls -A "$DOSSIER")" = "$contenu_dossier" ] || echec "[$1] expected no new file beside the catalogue; the folder now holds:
$(ls -A "$DOSSIER")"
    aucun_parametre_ecrit || echec "[$1] expected no setting written with a damaged catalogue; $PARAMETRES holds:
$(cat "$PARAMETRES")"
}

essayer texte texte
essayer vide vide
essayer tronque tronque
essayer pages-ecrasees pages-ecrasees
essayer sans-tables "sans tables l'essai"
essayer colonnes-manquantes colonnes-manquantes
etape "every damaged catalogue refused, left as it was"
