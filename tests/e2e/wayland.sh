# In a Wayland session with XWayland (here the X server stands for XWayland), the
# program runs through it by itself, without any platform asked for, and says so once
# on its standard error.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

nouveau_dossier wayland
journal="$TRAVAIL/wayland.log"
(cd "$DOSSIER" && unset QT_QPA_PLATFORM && XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-dalvire-essai exec ./dalvire) >"$journal" 2>&1 &
programme=$!
PROCESSUS+=("$programme")
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
    echec "expected the tray icon and three launcher windows through XWayland within 15 s; windows: $(fenetres)"
doit_vivre "$programme" "the program in a Wayland session"
n=$(grep -c "session Wayland, le programme passe par XWayland" "$journal")
[ "$n" -eq 1 ] || echec "expected the program to say once that it goes through XWayland; said $n times:
$(cat "$journal")"
etape "the program runs through XWayland and said so once"
