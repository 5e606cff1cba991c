# Without its catalogue file the program says so, ends after OK, and has written no
# setting and created no catalogue.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

nouveau_dossier sans-catalogue
rm -f "$DOSSIER/donnees.fdl"
demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID

dialogue_attendu Dalvire 'Le programme ne peut être utilisé.\r\nLe fichier contenant les données est introuvable.\r\nContactez le concepteur du programme.' OK
! accueil_affiche || echec "expected no splash while the missing-catalogue message shows"
doit_vivre "$programme" "the program while its message shows"
repondre OK
doit_finir "$programme" 5 "the program after OK on the missing-catalogue message"

aucun_parametre_ecrit || echec "expected no setting written when the catalogue is missing; $PARAMETRES holds:
$(cat "$PARAMETRES")"
[ ! -e "$DOSSIER/donnees.fdl" ] || echec "expected the program never to create its catalogue; $DOSSIER/donnees.fdl exists"
[ -z "$(fenetres)" ] || echec "expected no window of the program after it ended"
etape "no setting written, no catalogue created"
