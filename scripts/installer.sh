#!/usr/bin/env bash
# Installs Dalvire for the current user, or removes it; what `make install` and
# `make uninstall` run.
#
#   installer.sh installer APPLICATION_FOLDER PRISTINE_CATALOGUE PREFIX BINDIR
#   installer.sh desinstaller PREFIX BINDIR
#
# Install: the application folder goes to PREFIX (the built program, help, icons,
# informations.txt, the collation extension francais.so); the catalogue donnees.fdl is copied there only when none exists, so
# that an install over an earlier one keeps every row; a desktop entry goes to the user's
# applications menu, a `dalvire` command (a link) to BINDIR; an autostart entry that
# exists is made to start the program from its new place.
# Uninstall: removes what the install wrote and nothing else: the catalogue and the
# settings stay.
set -euo pipefail

NOM=dalvire
MANIFESTE=.fichiers-installes

donnees_xdg() {
    local d=${XDG_DATA_HOME:-}
    [[ $d == /* ]] || d=$HOME/.local/share
    echo "$d"
}
config_xdg() {
    local d=${XDG_CONFIG_HOME:-}
    [[ $d == /* ]] || d=$HOME/.config
    echo "$d"
}
ENTREE_MENU="$(donnees_xdg)/applications/$NOM.desktop"
ENTREE_AUTOSTART="$(config_xdg)/autostart/$NOM.desktop"

absolu() { realpath -m -- "$1"; }

# A path as one quoted argument of an Exec key (desktop entry format): \ " ` $ take a
# backslash inside the quotes, % is doubled, then every backslash is doubled again by the
# general escaping of string values.
valeur_exec() {
    local c sortie='"' i
    for ((i = 0; i < ${#1}; i++)); do
        c=${1:i:1}
        case $c in
            '\') sortie+='\\\\' ;;
            '"' | '`' | '$') sortie+='\\'"$c" ;;
            %) sortie+=%% ;;
            *) sortie+=$c ;;
        esac
    done
    echo "$sortie\""
}

# A path as a plain string value: only the backslash is escaped.
valeur_chaine() { echo "${1//\\/\\\\}"; }

installer() {
    local app=$1 vierge=$2 prefixe bin
    prefixe=$(absolu "$3")
    bin=$(absolu "$4")
    [ -x "$app/$NOM" ] || { echo "Programme introuvable : $app/$NOM (lancez d'abord la construction)" >&2; exit 1; }
    [ -f "$vierge" ] || { echo "Catalogue vierge introuvable : $vierge" >&2; exit 1; }
    [ "$(absolu "$app")" != "$prefixe" ] || { echo "PREFIX est le dossier de construction lui-même : $prefixe" >&2; exit 1; }

    mkdir -p "$prefixe"
    # The delivered files of the application folder, not what runs left there (the
    # catalogue, a report's working file); each replaced whole, a new file renamed over
    # the old one, so that a running copy keeps its own.
    # francais.so: without it no other tool can read the catalogue, which uses its collation.
    # shellgio.so, impressionqt.so: the desktop services and the printing, which the program
    # loads on first use.
    local liste=(dalvire shellgio.so impressionqt.so francais.so aide.chm informations.txt) f
    while IFS= read -r -d '' f; do
        liste+=("${f#"$app"/}")
    done < <(find "$app/icones" -type f -print0 | sort -z)
    for f in "${liste[@]}"; do
        mkdir -p "$(dirname "$prefixe/$f")"
        install -m "$([ -x "$app/$f" ] && echo 755 || echo 644)" "$app/$f" "$prefixe/$f.nouveau"
        mv -f "$prefixe/$f.nouveau" "$prefixe/$f"
    done
    # An earlier install's files stay on the list, so that uninstalling removes them too.
    { [ -f "$prefixe/$MANIFESTE" ] && cat "$prefixe/$MANIFESTE"; printf '%s\n' "${liste[@]}"; } |
        sort -u >"$prefixe/$MANIFESTE.nouveau"
    mv -f "$prefixe/$MANIFESTE.nouveau" "$prefixe/$MANIFESTE"
    if [ -e "$prefixe/donnees.fdl" ]; then
        echo "Catalogue conservé : $prefixe/donnees.fdl"
    else
        install -m 644 "$vierge" "$prefixe/donnees.fdl"
        echo "Catalogue installé : $prefixe/donnees.fdl"
    fi

    mkdir -p "$(dirname "$ENTREE_MENU")"
    cat >"$ENTREE_MENU.nouveau" <<EOF
[Desktop Entry]
Type=Application
Name=Dalvire
GenericName=Lanceur de programmes
Comment=Vos programmes, documents, liens Internet et adresses e-mail, rangés par catégories au bord de l'écran
Exec=$(valeur_exec "$prefixe/$NOM")
Icon=$(valeur_chaine "$prefixe/icones/$NOM.ico")
Terminal=false
Categories=Utility;
EOF
    mv -f "$ENTREE_MENU.nouveau" "$ENTREE_MENU"
    echo "Entrée du menu des applications : $ENTREE_MENU"

    mkdir -p "$bin"
    if [ -e "$bin/$NOM" ] && [ ! -L "$bin/$NOM" ]; then
        echo "Commande non installée : $bin/$NOM existe et n'est pas un lien vers Dalvire" >&2
    else
        ln -sfn "$prefixe/$NOM" "$bin/$NOM"
        echo "Commande : $bin/$NOM"
        case ":$PATH:" in
            *":$bin:"*) ;;
            *) echo "Note : $bin n'est pas dans le PATH de cette session ; il y sera à la prochaine connexion s'il figure dans ~/.profile." ;;
        esac
    fi

    # The program starts with the session from where it now is.
    if [ -f "$ENTREE_AUTOSTART" ]; then
        local exec
        exec=$(valeur_exec "$prefixe/$NOM")
        # Through the environment: awk would read escapes in a -v value.
        LIGNE_EXEC="Exec=$exec" awk '/^Exec=/ { print ENVIRON["LIGNE_EXEC"]; next } { print }' \
            "$ENTREE_AUTOSTART" >"$ENTREE_AUTOSTART.nouveau"
        mv -f "$ENTREE_AUTOSTART.nouveau" "$ENTREE_AUTOSTART"
        echo "Démarrage avec la session : $ENTREE_AUTOSTART"
    fi
    echo "Dalvire est installé dans $prefixe"
}

# True when the desktop entry starts the program of that folder.
entree_de() { # entree_de FILE PREFIX
    [ -f "$1" ] && grep -qxF "Exec=$(valeur_exec "$2/$NOM")" "$1"
}

desinstaller() {
    local prefixe bin f
    prefixe=$(absolu "$1")
    bin=$(absolu "$2")
    if [ -f "$prefixe/$MANIFESTE" ]; then
        while IFS= read -r f; do
            [ -n "$f" ] && rm -f -- "$prefixe/$f"
        done <"$prefixe/$MANIFESTE"
        rm -f -- "$prefixe/$MANIFESTE"
        # Folders the install made, now empty; the catalogue keeps the prefix.
        find "$prefixe" -mindepth 1 -depth -type d -empty -delete 2>/dev/null || true
        rmdir -- "$prefixe" 2>/dev/null || true
    else
        echo "Aucune installation de Dalvire dans $prefixe" >&2
    fi
    if [ -L "$bin/$NOM" ] && [ "$(readlink -- "$bin/$NOM")" = "$prefixe/$NOM" ]; then
        rm -f -- "$bin/$NOM"
    fi
    if entree_de "$ENTREE_MENU" "$prefixe"; then rm -f -- "$ENTREE_MENU"; fi
    # It would start a program that is no longer there.
    if entree_de "$ENTREE_AUTOSTART" "$prefixe"; then rm -f -- "$ENTREE_AUTOSTART"; fi
    [ -e "$prefixe/donnees.fdl" ] && echo "Catalogue conservé : $prefixe/donnees.fdl"
    echo "Dalvire est désinstallé ; ses paramètres restent dans $(config_xdg)/Dalvire"
}

case ${1:-} in
    installer) [ $# -eq 5 ] || { echo "usage: $0 installer APP CATALOGUE PREFIX BINDIR" >&2; exit 2; }
        installer "$2" "$3" "$4" "$5" ;;
    desinstaller) [ $# -eq 3 ] || { echo "usage: $0 desinstaller PREFIX BINDIR" >&2; exit 2; }
        desinstaller "$2" "$3" ;;
    *) echo "usage: $0 installer|desinstaller ..." >&2; exit 2 ;;
esac
