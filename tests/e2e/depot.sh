# A file dragged from another program's window onto a launcher window's icon: the
# program editor opens on it, in the window's category; validated, the windows are built
# again with the item in that window's list, and the dragged file is still there.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

SOURCE=${DALVIRE_SOURCE_GLISSER:?the drag source program}

# The launcher windows in the accessibility tree: "X Y W H ICON_X ICON_Y ENTRIES NAME".
bandeaux() { /usr/bin/python3 "$ICI/bandeaux.py" "$CLASSE"; }
lanceurs_x() { fenetres | awk '/type=UTILITY/ { print $2, $3, $4, $5 }' | sort -n -k2; }

boite() { # boite TEXT BUTTON: waits for that message box and presses the button
    local lu limite
    limite=$(($(date +%s%N) + 20000000000))
    until lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 1 2>&1) &&
        grep -qF "text=\"$1\"" <<<"$lu"; do
        [ "$(date +%s%N)" -lt "$limite" ] || echec "expected the message box \"$1\"; got:
$lu"
    done
    "$T/read-dialog.py" --app "$CLASSE" --role alert --wait 5 --press "$2" >/dev/null 2>&1 ||
        echec "could not press \"$2\" in the message box"
    etape "message box as expected: $1"
}

nouveau_dossier depot
FICHIER="$TRAVAIL/notes du jour.txt"
echo "à lire" >"$FICHIER"
AVANT=$(empreinte "$FICHIER")

demarrer "$DOSSIER" dalvire
programme=$DERNIER_PID
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and the three first-use launcher windows"
sleep 0.5
read -r x y _ _ ix iy n categorie < <(bandeaux | sort -n -k2 | head -1)
[ -n "${categorie:-}" ] || echec "expected the launcher windows in the accessibility tree"
read -r lx ly _ < <(lanceurs_x | head -1)
etape "first launcher window: $categorie, $n entries"

"$SOURCE" "$FICHIER" >"$TRAVAIL/source.log" 2>&1 &
PROCESSUS+=("$!")
"$T/xhelper.py" windows --name '^Source Dalvire$' --wait 10 >/dev/null ||
    echec "expected the drag source window"
sleep 0.3
read -r sx sy sw sh < <("$T/xhelper.py" windows --name '^Source Dalvire$' | awk '{ print $2, $3, $4, $5 }')

# Press on the source, move in steps onto the icon of the first window, release.
xdotool mousemove $((sx + sw / 2)) $((sy + sh / 2)) mousedown 1
cx=$((lx + ix - x)) cy=$((ly + iy - y))
for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove $((sx + sw / 2 + (cx - sx - sw / 2) * i / 10)) $((sy + sh / 2 + (cy - sy - sh / 2) * i / 10))
    sleep 0.05
done
sleep 0.3
xdotool mouseup 1
"$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Ajouter un Programme$' --wait 10 >/dev/null ||
    echec "expected the program editor to open on the drop"
"$T/shot.sh" "$SORTIES/depot.png"
etape "the drop opened the program editor"

xdotool key Return
boite "Le nouveau programme [notes du jour.txt] a été enregistré." OK
boite "Désirez-vous saisir un nouveau programme ?" Non
limite=$(($(date +%s%N) + 20000000000))
until [ "$(bandeaux | grep -F " $categorie" | awk '{ print $7 }')" = $((n + 1)) ]; do
    [ "$(date +%s%N)" -lt "$limite" ] || echec "expected $categorie rebuilt with $((n + 1)) entries; got:
$(bandeaux)"
    sleep 0.1
done
etape "the windows were rebuilt; $categorie lists the dropped file"
[ "$(empreinte "$FICHIER")" = "$AVANT" ] || echec "expected the dragged file left as it was"

doit_vivre "$programme" "the program"
kill "$programme"
attendre_fin "$programme" 5 || echec "expected the program to end on SIGTERM"
