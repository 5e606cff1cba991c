# Shared by every end-to-end scenario. Sourced inside a desktop session started by
# lancer.sh, so DISPLAY, HARNESS_TOOLS, HARNESS_DIR, HARNESS_SCREEN_W/H are set.
# Arguments of the scenario: APPLICATION_FOLDER PRISTINE_CATALOGUE OUTPUT_FOLDER.
#
# Every wait polls a condition with a deadline; a failed check stops the scenario at
# once with a message saying what was expected, a screenshot and the program's output.

set -u -o pipefail

[ $# -ge 3 ] || { echo "usage: SCENARIO APPLICATION_FOLDER PRISTINE_CATALOGUE OUTPUT_FOLDER" >&2; exit 2; }
APP_SOURCE=$1
CATALOGUE_VIERGE=$2
SORTIES=$3
T=${HARNESS_TOOLS:?not inside a desktop session}
ICI=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
CLASSE=dalvire
mkdir -p "$SORTIES"
rm -f "$SORTIES"/*.png "$SORTIES"/*.log
# Inside the session folder: removed with the session, whatever happens.
TRAVAIL=$(mktemp -d "${HARNESS_DIR:-/tmp}/dalvire-e2e.XXXXXX")
PARAMETRES="${XDG_CONFIG_HOME:?fresh home expected}/Dalvire/Dalvire.ini"
PROCESSUS=()
T_DEBUT=$(date +%s%N)

# The nine entries of the main menu, as read-menu.py lists them.
MENU='item="Catégories..."
item="Programmes..."
separator
item="Paramètres..."
separator
item="Aide..."
item="A propos de..."
separator
item="Quitter"'

horodatage() { printf '%6d ms' $((($(date +%s%N) - T_DEBUT) / 1000000)); }
etape() { echo "[$(horodatage)] $*"; }

# Stops the scenario: what was expected, what the screen and the program looked like.
# Called inside $(...), it ends only that subshell: such calls are followed by "|| exit 1".
echec() {
    echo "[$(horodatage)] FAIL: $*" >&2
    local image="$SORTIES/echec-$(date +%H%M%S).png"
    "$T/shot.sh" "$image" 2>/dev/null && echo "screenshot: $image" >&2
    echo "--- windows on screen:" >&2
    "$T/xhelper.py" windows --all >&2 2>/dev/null
    echo "--- tray icons:" >&2
    "$T/xhelper.py" tray-icons >&2 2>/dev/null
    local journal
    for journal in "$TRAVAIL"/*.log; do
        [ -s "$journal" ] || continue
        echo "--- output of $(basename "$journal" .log):" >&2
        tail -n 40 "$journal" >&2
        cp "$journal" "$SORTIES/"
    done
    exit 1
}

verifier() { # verifier "what was expected" command...
    local attendu=$1
    shift
    "$@" || echec "$attendu"
}

# A fresh copy of the application folder with the pristine catalogue, in DOSSIER.
nouveau_dossier() { # nouveau_dossier NAME
    DOSSIER="$TRAVAIL/$1"
    mkdir -p "$DOSSIER"
    cp -R "$APP_SOURCE"/. "$DOSSIER"/ || echec "could not copy the application folder $APP_SOURCE"
    cp "$CATALOGUE_VIERGE" "$DOSSIER/donnees.fdl" || echec "could not copy the pristine catalogue $CATALOGUE_VIERGE"
}

# Starts the program of a folder in the background, from that folder; its PID goes to
# DERNIER_PID, its output to $TRAVAIL/NAME.log.
demarrer() { # demarrer FOLDER NAME
    (cd "$1" && exec ./dalvire) >"$TRAVAIL/$2.log" 2>&1 &
    DERNIER_PID=$!
    PROCESSUS+=("$DERNIER_PID")
    etape "started $2 (pid $DERNIER_PID)"
}

# Our children stay zombies until waited for: a zombie has ended.
en_vie() {
    [ -r "/proc/$1/stat" ] || return 1
    local etat
    etat=$(sed 's/^.*) \(.\).*$/\1/' "/proc/$1/stat" 2>/dev/null) || return 1
    [ "$etat" != Z ] && [ "$etat" != X ]
}

# Waits up to SECS for the process to end; its exit status goes to CODE_SORTIE.
attendre_fin() { # attendre_fin PID SECS
    local limite=$(($(date +%s%N) + $2 * 1000000000))
    while en_vie "$1"; do
        [ "$(date +%s%N)" -lt "$limite" ] || return 1
        sleep 0.05
    done
    CODE_SORTIE=0
    wait "$1" 2>/dev/null || CODE_SORTIE=$?
    return 0
}

# The process ended by itself within SECS, without a crash.
doit_finir() { # doit_finir PID SECS WHAT
    attendre_fin "$1" "$2" || echec "expected $3 to end within $2 s; pid $1 still runs"
    [ "$CODE_SORTIE" -lt 128 ] || echec "expected $3 to end cleanly; it died with status $CODE_SORTIE (signal $((CODE_SORTIE - 128)))"
    etape "$3 ended with status $CODE_SORTIE"
}

doit_vivre() { # doit_vivre PID WHAT
    en_vie "$1" || {
        CODE_SORTIE=0
        wait "$1" 2>/dev/null || CODE_SORTIE=$?
        echec "expected $2 (pid $1) to keep running; it ended with status $CODE_SORTIE"
    }
}

arreter_tout() {
    local p
    for p in "${PROCESSUS[@]}"; do
        en_vie "$p" && kill "$p" 2>/dev/null
    done
    return 0
}
trap arreter_tout EXIT

# ---- windows -------------------------------------------------------------------------

# Lines of xhelper.py for the program's viewable top-level windows.
fenetres() { "$T/xhelper.py" windows --class "$CLASSE" "$@"; }

# The splash is the program's window of type SPLASH.
attendre_accueil() { "$T/xhelper.py" windows --class "$CLASSE" --name '^Dalvire$' --wait "$1" | grep -q 'type=SPLASH'; }
accueil_affiche() { fenetres --name '^Dalvire$' | grep -q 'type=SPLASH'; }

icone_unique() { # icone_unique WHEN
    local n
    n=$("$T/xhelper.py" tray-icons --class "$CLASSE" | wc -l)
    [ "$n" -eq 1 ] || echec "expected exactly one tray icon of the program $1; found $n"
}

# ---- message boxes, through AT-SPI -----------------------------------------------------

# Checks the showing message box exactly: title, text (CR LF written as \r\n, as
# read-dialog.py prints them), buttons in order; leaves it open.
dialogue_attendu() { # dialogue_attendu TITLE TEXT BUTTON...
    local titre=$1 texte=$2
    shift 2
    local lu attendu
    lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 10 2>&1) ||
        echec "expected a message box \"$texte\"; none showed within 10 s ($lu)"
    attendu="app=\"$CLASSE\" role=\"alert\" title=\"$titre\""$'\n'"text=\"$texte\""
    local b
    for b in "$@"; do attendu+=$'\n'"button=\"$b\""; done
    [ "$lu" = "$attendu" ] || echec "expected the message box:
$attendu
got:
$lu"
    etape "message box as expected: $texte"
}

# Presses a button of the showing message box and waits until no box is showing.
repondre() { # repondre BUTTON
    local lu
    lu=$("$T/read-dialog.py" --app "$CLASSE" --role alert --wait 5 --press "$1" 2>&1) ||
        echec "could not press \"$1\" in the message box ($lu)"
    "$T/read-dialog.py" --app "$CLASSE" --role alert --gone --wait 5 ||
        echec "expected the message box to close after \"$1\""
}

# The showing message box titled TITLE sits in the middle of the screen (its client area,
# within a title bar's height): a box without a parent window is centred as the dialogs are.
boite_centree() { # boite_centree TITLE
    local ligne x y l h ecart_x ecart_y
    ligne=$(fenetres --name "^$1\$" | grep 'type=DIALOG' | head -1)
    [ -n "$ligne" ] || echec "expected the message box \"$1\" among the program's windows; found:
$(fenetres)"
    read -r _ x y l h _ <<<"$ligne"
    ecart_x=$((x + l / 2 - HARNESS_SCREEN_W / 2))
    ecart_y=$((y + h / 2 - HARNESS_SCREEN_H / 2))
    [ "${ecart_x#-}" -le 16 ] && [ "${ecart_y#-}" -le 24 ] ||
        echec "expected the message box centred on the ${HARNESS_SCREEN_W}x${HARNESS_SCREEN_H} screen; it is at $x,$y ${l}x$h"
    etape "message box centred: $x,$y ${l}x$h"
}

aucun_dialogue() { ! "$T/read-dialog.py" --app "$CLASSE" --role alert,dialog --wait 0 >/dev/null 2>&1; }

# ---- files ---------------------------------------------------------------------------

empreinte() { sha256sum <"$1" | cut -d' ' -f1; }

# Writes settings before the program starts, as QSettings keeps them (INI, spaces as %20).
ecrire_parametres() { # ecrire_parametres "key" "value" ...
    mkdir -p "$(dirname "$PARAMETRES")"
    {
        echo "[parametres]"
        while [ $# -ge 2 ]; do
            echo "${1// /%20}=$2"
            shift 2
        done
    } >"$PARAMETRES"
}

lire_parametre() { # lire_parametre "key"
    [ -f "$PARAMETRES" ] || return 1
    local cle=${1// /%20}
    sed -n "s/^${cle}=//p" "$PARAMETRES" | head -1
}

aucun_parametre_ecrit() {
    [ ! -e "$PARAMETRES" ] || ! grep -q '=' "$PARAMETRES"
}
