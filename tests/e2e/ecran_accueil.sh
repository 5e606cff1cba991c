# The splash: shown at start with the program's name and version, gone about two
# seconds later, the program running on behind it.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

nouveau_dossier premier
demarrer "$DOSSIER" dalvire
principal=$DERNIER_PID

attendre_accueil 15 || echec "expected the splash (a window \"Dalvire\" of type SPLASH) within 15 s"
t_affiche=$(date +%s%N)
etape "splash mapped"
[ -z "$("$T/xhelper.py" tray-icons --class "$CLASSE")" ] ||
    echec "expected no tray icon while the splash shows (it comes once the main window has loaded)"

# Its two labels, as the accessibility tree reads them.
textes=$("$T/read-dialog.py" --app "$CLASSE" --role filler --title '^Dalvire$' --wait 2 2>&1) ||
    echec "expected the splash in the accessibility tree ($textes)"
grep -qx 'text="Dalvire"' <<<"$textes" || echec "expected the splash to show \"Dalvire\"; it shows:
$textes"
grep -qx 'text="Version 2.0.0"' <<<"$textes" || echec "expected the splash to show \"Version 2.0.0\"; it shows:
$textes"

"$T/xhelper.py" windows --class "$CLASSE" --name '^Dalvire$' --none --wait 10 >/dev/null ||
    echec "expected the splash to go about 2 s after it showed; still there after 10 s"
t_parti=$(date +%s%N)
duree=$(((t_parti - t_affiche) / 1000000))
etape "splash unmapped after $duree ms"
[ "$duree" -ge 1500 ] || echec "expected the splash to stay about 2 s; it went after $duree ms"
[ "$duree" -le 4500 ] || echec "expected the splash to stay about 2 s; it stayed $duree ms"

doit_vivre "$principal" "the program after its splash"
"$T/xhelper.py" ready --class "$CLASSE" --tray --min 0 --wait 5 >/dev/null ||
    echec "expected the tray icon embedded within 5 s of the splash going"
icone_unique "after start-up"
etape "the program runs on after its splash, its icon in the notification area"
