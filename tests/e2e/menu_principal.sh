# The tray icon and its main menu: embedded once, its tooltip, the menu on the release
# of the right button only, the nine entries in order, and "Quitter" with and without
# its confirmation, asked in the middle of the screen.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

QUESTION="Êtes-vous sûr(e) de vouloir quitter le programme 'Dalvire' ?"
INFO_BULLE=":: DALVIRE :: démarrez vos fichiers, programmes, url d'un seul c"

clic_icone() { "$T/tray-click.sh" --class "$CLASSE" "$@" >/dev/null || echec "could not click the tray icon ($*)"; }

# No menu opens within a short while (the only place where nothing is waited for).
aucun_menu() { # aucun_menu AFTER_WHAT
    local vu
    if vu=$("$T/xhelper.py" popups --class "$CLASSE" --wait 0.8); then
        echec "expected no menu after $1; a popup showed: $vu"
    fi
    aucun_dialogue || echec "expected no window after $1; a dialog showed"
}

# The menu the release opens, entries only (states dropped).
lire_menu() { # lire_menu TRAY_CLICK_ARGS...
    local lu
    lu=$("$T/read-menu.py" --app "$CLASSE" --wait 5 -- "$T/tray-click.sh" --class "$CLASSE" "$@" 2>&1) ||
        echec "expected the main menu after a right-button release on the tray icon ($lu)"
    sed 's/ states=.*$//' <<<"$lu"
}

fermer_menu() {
    xdotool key Escape
    "$T/xhelper.py" popups --class "$CLASSE" --none --wait 3 >/dev/null || echec "expected the menu to close on Escape"
}

# Through the keyboard, as a user would: Up from no selection is the last entry.
# (Picking through AT-SPI works too, but the tool then waits 15 s on the modal question.)
choisir_quitter() {
    local lu
    lu=$(lire_menu) || exit 1
    [ "$(tail -n 1 <<<"$lu")" = 'item="Quitter"' ] || echec "expected \"Quitter\" last in the main menu; got:
$lu"
    xdotool key Up Return
}

nouveau_dossier principal
demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 0 --wait 15 >/dev/null ||
    echec "expected the program's icon embedded in the notification area within 15 s"
icone_unique "after start-up"
"$T/xhelper.py" windows --class "$CLASSE" --min 3 --wait 5 >/dev/null ||
    echec "expected the three first-use launcher windows with the tray icon"
lanceurs=$(fenetres | grep 'type=UTILITY' | sort)
etape "tray icon embedded, $(wc -l <<<"$lanceurs") launcher windows"

# The tooltip, cut to the 64 characters of the notification record.
clic_icone --move
xdotool mousemove_relative 1 0
bulle=$("$T/read-dialog.py" --app "$CLASSE" --role "tool tip" --wait 5 2>&1) ||
    echec "expected the tray icon's tooltip when the pointer rests on it ($bulle)"
[ "$bulle" = "app=\"$CLASSE\" role=\"tool tip\" title=\"$INFO_BULLE\"" ] ||
    echec "expected the tooltip \"$INFO_BULLE\"; got: $bulle"
etape "tooltip: $INFO_BULLE"

# Only the release of the right button opens the menu.
clic_icone --down
aucun_menu "a right-button press alone"
lu=$(lire_menu --up) || exit 1
[ "$lu" = "$MENU" ] || echec "expected the main menu:
$MENU
got:
$lu"
etape "the release opens the nine entries"
"$T/shot.sh" "$SORTIES/menu-principal.png" # the bold default entry is seen, not read
fermer_menu

clic_icone --button 1
aucun_menu "a left click on the tray icon"
clic_icone --button 1 --double
aucun_menu "a double click on the tray icon"
clic_icone --button 2
aucun_menu "a middle click on the tray icon"
etape "left, double and middle clicks open nothing"

# A whole right click still opens it (press and release in one go).
lu=$(lire_menu) || exit 1
[ "$lu" = "$MENU" ] || echec "expected the main menu on a right click; got:
$lu"
fermer_menu

# "Quitter", answered No: everything stays.
choisir_quitter
dialogue_attendu Dalvire "$QUESTION" Oui Non
boite_centree Dalvire
repondre Non
doit_vivre "$programme" "the program after \"Non\" to the quit question"
icone_unique "after \"Non\" to the quit question"
[ "$(fenetres | grep 'type=UTILITY' | sort)" = "$lanceurs" ] || echec "expected the launcher windows as they were after \"Non\"; before:
$lanceurs
after:
$(fenetres)"
etape "\"Non\" keeps the program, its icon and its windows"

# Answered Yes: the program ends, leaving neither window nor icon.
choisir_quitter
dialogue_attendu Dalvire "$QUESTION" Oui Non
repondre Oui
doit_finir "$programme" 5 "the program after \"Oui\" to the quit question"
"$T/xhelper.py" tray-icons --class "$CLASSE" --none --wait 3 >/dev/null ||
    echec "expected no tray icon of the program after it quit"
[ -z "$(fenetres)" ] || echec "expected no window of the program after it quit; found:
$(fenetres)"
etape "\"Oui\" ends the program, no window, no icon left"

# Without confirmation, "Quitter" ends at once.
[ "$(lire_parametre "confirmation fermeture")" = 1 ] ||
    echec "expected the setting \"confirmation fermeture\" written as 1 at the first start"
sed -i 's/^confirmation%20fermeture=.*/confirmation%20fermeture=0/' "$PARAMETRES"
demarrer "$DOSSIER" sans-confirmation
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 0 --wait 15 >/dev/null ||
    echec "expected the tray icon again at the second start"
choisir_quitter
# A question would hold the program: it must end by itself.
doit_finir "$programme" 5 "the program on \"Quitter\" with \"confirmation fermeture\" 0, without a question"
"$T/xhelper.py" tray-icons --class "$CLASSE" --none --wait 3 >/dev/null ||
    echec "expected no tray icon of the program after it quit"
etape "with \"confirmation fermeture\" 0, \"Quitter\" ends at once"
