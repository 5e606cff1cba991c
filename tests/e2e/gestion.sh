# The management window as a user works with it: from the tray menu, "Programmes...",
# a new category and a new item in it typed into the editors, "&Valider les
# changements"; the new launcher window shows the item, which starts when picked; then
# the category deleted with its item, and its window gone.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

GESTION='^Gestion des Catégories et des Programmes$'
CATEGORIE=Atelier
PROGRAMME=Temoin

bandeaux() { /usr/bin/python3 "$ICI/bandeaux.py" "$CLASSE" | sort -n -k2; }

# The launcher windows once there are N of them, in the accessibility tree (names and
# entries: "X Y W H ICON_X ICON_Y ENTRIES NAME", in name order) and on the X server.
# A rebuild replaces the windows one by one: N may be seen while the old ones go, so a
# line that must be there (+REGEX) or must not (-REGEX) is waited for as well.
attendre_bandeaux() { # attendre_bandeaux N [+REGEX|-REGEX]
    local limite vus
    limite=$(($(date +%s%N) + 10000000000))
    while :; do
        vus=$(/usr/bin/python3 "$ICI/bandeaux.py" "$CLASSE")
        if [ "$(grep -c . <<<"$vus")" -eq "$1" ] && [ "$(lanceurs_x | grep -c .)" -eq "$1" ]; then
            case "${2:-}" in
            +*) grep -qE "${2#+}" <<<"$vus" && break ;;
            -*) grep -qE "${2#-}" <<<"$vus" || break ;;
            *) break ;;
            esac
        fi
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected $1 launcher windows${2:+ (${2:0:1} ${2:1})}; the accessibility tree shows:
$vus"
        sleep 0.1
    done
    sort -k8 <<<"$vus"
}

# The launcher windows as the X server has them, top to bottom: "X Y W H".
lanceurs_x() { fenetres | awk '/type=UTILITY/ { print $2, $3, $4, $5 }' | sort -n -k2; }

# Opens the main menu from the tray icon and picks the entry at POSITION (1 = first).
entree_menu() { # entree_menu POSITION
    "$T/read-menu.py" --app "$CLASSE" --wait 5 -- "$T/tray-click.sh" --class "$CLASSE" >/dev/null 2>&1 ||
        echec "expected the main menu on the tray icon"
    local touches=()
    for ((i = 0; i < $1; i++)); do touches+=(Down); done
    xdotool key "${touches[@]}" Return
}

fenetre_attendue() { # fenetre_attendue TITLE_REGEX
    "$T/read-dialog.py" --app "$CLASSE" --role dialog --title "$1" --wait 10 >/dev/null ||
        echec "expected the window /$1/ to show"
}

# Presses a button of a window through the accessibility tree. A button that opens a
# modal window leaves the tool without answer; it goes on after a moment.
appuyer() { # appuyer TITLE_REGEX BUTTON
    local lu
    lu=$("$T/read-dialog.py" --app "$CLASSE" --role dialog --title "$1" --wait 5 --press "$2" 2>&1) ||
        echec "could not press \"$2\" in /$1/ ($lu)"
}

# Waits for the message box, exactly as given (one box may follow another at once).
boite() { # boite TEXT BUTTON...
    local texte=$1 attendu lu b limite
    shift
    attendu="app=\"$CLASSE\" role=\"alert\" title=\"Dalvire\""$'\n'"text=\"$texte\""
    for b in "$@"; do attendu+=$'\n'"button=\"$b\""; done
    limite=$(($(date +%s%N) + 10000000000))
    until lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 1 2>&1) && [ "$lu" = "$attendu" ]; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the message box:
$attendu
got:
$lu"
    done
    etape "message box as expected: $texte"
}

# Presses a button of the message box showing now.
presser() { # presser BUTTON
    "$T/read-dialog.py" --app "$CLASSE" --role alert --wait 5 --press "$1" >/dev/null 2>&1 ||
        echec "could not press \"$1\" in the message box"
}

# Waits until the window manager has made the window titled /TITLE_REGEX/ the active one:
# keys sent before would go to the window that had them.
active() { # active TITLE_REGEX
    local limite=$(($(date +%s%N) + 5000000000))
    until xdotool getactivewindow getwindowname 2>/dev/null | grep -Eq "$1"; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected /$1/ to become the active window"
        sleep 0.05
    done
}

# Types into the focused field of the active window, then sends a key.
saisir() { # saisir TEXT KEY...
    local texte=$1
    shift
    xdotool type --delay 20 -- "$texte"
    [ $# -eq 0 ] || xdotool key "$@"
}

nouveau_dossier gestion
TEMOIN="$TRAVAIL/lance"
cat >"$TRAVAIL/temoin.sh" <<SCRIPT
#!/bin/sh
touch "$TEMOIN"
SCRIPT
chmod +x "$TRAVAIL/temoin.sh"

demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and the three first-use launcher windows"
attendre_bandeaux 3 >/dev/null || exit 1

entree_menu 2
fenetre_attendue "$GESTION"
etape "\"Programmes...\" opened the management window"
"$T/shot.sh" "$SORTIES/gestion.png"

# A new category: the editor opens with the focus in its name field.
appuyer "$GESTION" Catégories
appuyer "$GESTION" Nouvelle
fenetre_attendue '^Ajouter une Catégorie$'
saisir "$CATEGORIE" Tab
saisir "$DOSSIER/icones/categories.svg"
"$T/shot.sh" "$SORTIES/categorie.png"
xdotool key Return
boite "La nouvelle catégorie [$CATEGORIE] a été enregistrée." OK
presser OK
boite "Désirez-vous saisir une nouvelle catégorie ?" Oui Non
repondre Non
"$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Ajouter' --gone --wait 5 ||
    echec "expected the category editor to close on \"Non\""
etape "category $CATEGORIE created"

# A new item of that category, the first one of the box; display mode "1 - NORMAL" (the
# list makes its first line current, not chosen, when it gets the focus). After the path
# come the "Applications..." and browse buttons.
appuyer "$GESTION" Programmes
appuyer "$GESTION" Nouveau
fenetre_attendue '^Ajouter un Programme$'
saisir "$PROGRAMME" Tab
saisir "$TRAVAIL/temoin.sh" Tab Tab Tab Down Tab Down
"$T/shot.sh" "$SORTIES/programme.png"
xdotool key Return
boite "Le nouveau programme [$PROGRAMME] a été enregistré." OK
presser OK
boite "Désirez-vous saisir un nouveau programme ?" Oui Non
repondre Non
etape "item $PROGRAMME created"

appuyer "$GESTION" "Valider les changements"
"$T/read-dialog.py" --app "$CLASSE" --role dialog --gone --wait 5 ||
    echec "expected the management window to close on \"Valider les changements\""
vus=$(attendre_bandeaux 4 "+ $CATEGORIE\$") || exit 1
ligne=$(grep " $CATEGORIE\$" <<<"$vus")
[ "$(cut -d' ' -f7 <<<"$ligne")" = 1 ] || echec "expected a launcher window $CATEGORIE with one entry; got:
$vus"
etape "launcher window $CATEGORIE built with its item"

# The icon's place in a window, from a window the tree has seen in place.
read -r x y _ _ ix iy _ < <(awk '$1 > 0' <<<"$vus" | head -1)
DX=$((${ix:-17} - ${x:-0})) DY=$((${iy:-15} - ${y:-0}))
# Slide the first window (the new category comes first by name) out, open its list and
# pick the item: it starts.
read -r x y _ < <(lanceurs_x | head -1)
"$T/pointer-to.sh" $((x + DX)) $((y + DY)) && xdotool click 1
sleep 0.6
read -r x y _ < <(lanceurs_x | head -1)
"$T/pointer-to.sh" $((x + DX + 110)) $((y + DY)) && xdotool click 1
"$T/xhelper.py" popups --class "$CLASSE" --wait 3 >/dev/null || echec "expected the item list to drop down"
xdotool key Down Return
for _ in $(seq 50); do [ -e "$TEMOIN" ] && break; sleep 0.1; done
[ -e "$TEMOIN" ] || echec "expected the picked item $TRAVAIL/temoin.sh to start"
etape "the picked item started"

# Deleting the category takes its item with it; validating removes its window.
entree_menu 1
fenetre_attendue "$GESTION"
appuyer "$GESTION" Supprimer
boite "Il existe un ou plusieurs programmes dépendant de la catégorie que vous désirez supprimer.\r\nSi vous supprimez cette catégorie, ces programmes seront également supprimés.\r\nDésirez-vous supprimer la catégorie [$CATEGORIE] ?" Oui Non
presser Oui
boite "La catégorie [$CATEGORIE] a été supprimée.\r\nLes programmes de cette catégorie ont également été supprimés." OK
repondre OK
appuyer "$GESTION" "Valider les changements"
vus=$(attendre_bandeaux 3 "- $CATEGORIE\$") || exit 1
etape "category deleted, its window gone"

# The same from the keyboard alone, real keys: Tab to "Nouvelle" and Enter press it; once
# the editor and its boxes are gone, the management window has the keys again (Ctrl+Tab
# into the items' list, Tab, Enter on "Nouveau", Escape in the editor; Ctrl+Shift+Tab back
# into the categories' list, Tab, Enter on "Nouvelle", Escape; then Escape validating the
# window).
entree_menu 1
fenetre_attendue "$GESTION"
active "$GESTION"
xdotool key Tab Return
fenetre_attendue '^Ajouter une Catégorie$'
active '^Ajouter une Catégorie$'
saisir "$CATEGORIE" Tab
saisir "$DOSSIER/icones/categories.svg" Return
boite "La nouvelle catégorie [$CATEGORIE] a été enregistrée." OK
active '^Dalvire$'
xdotool key Return
boite "Désirez-vous saisir une nouvelle catégorie ?" Oui Non
active '^Dalvire$'
xdotool key Escape
"$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Ajouter' --gone --wait 5 ||
    echec "expected the category editor to close on Escape in its question"
active "$GESTION"
xdotool key ctrl+Tab Tab Return
fenetre_attendue '^Ajouter un Programme$'
etape "after the editor, the keys reached the management window: Ctrl+Tab, Tab, Enter on Nouveau"
active '^Ajouter un Programme$'
xdotool key Escape
"$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Ajouter' --gone --wait 5 ||
    echec "expected the item editor to close on Escape"
active "$GESTION"
xdotool key ctrl+shift+Tab Tab Return
fenetre_attendue '^Ajouter une Catégorie$'
etape "Ctrl+Shift+Tab went back to the categories' page: Tab, Enter on Nouvelle"
active '^Ajouter une Catégorie$'
xdotool key Escape
"$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Ajouter' --gone --wait 5 ||
    echec "expected the category editor to close on Escape"
active "$GESTION"
xdotool key Escape
"$T/read-dialog.py" --app "$CLASSE" --role dialog --gone --wait 5 ||
    echec "expected Escape to validate and close the management window once the editor was gone"
vus=$(attendre_bandeaux 4 "+ $CATEGORIE\$") || exit 1
etape "keyboard alone: category $CATEGORIE created, the windows rebuilt"

doit_vivre "$programme" "the program"
kill "$programme"
attendre_fin "$programme" 5 || echec "expected the program to end on SIGTERM"
