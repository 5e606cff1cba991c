# The program on a desktop of 96, 144 and 192 dots per inch whose fonts and window sizes
# grow in pixels (Qt's own scaling off, as with a raised X resolution): the launcher
# strips and the settings dialog keep their proportions, 1.5 and 2 times their size at
# 96 dpi. Screenshots of each, for a person to look at the captions.
. "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

# "W H" of the first window whose name matches, as the X server has it.
taille() { fenetres --name "$1" | awk -v type="$2" '$0 ~ type { print $4, $5; exit }'; }

# The size at this resolution against the one at 96 dpi: within 4 %, and a pixel of
# rounding for each of the border and the content.
proportionnee() { # proportionnee AT96 NOW DPI
    awk -v a="$1" -v m="$2" -v p="$3" 'BEGIN { e = a * p / 96; d = m - e; if (d < 0) d = -d
                                              exit !(d <= e * 0.04 + 2) }'
}

declare -A base
for ppp in 96 144 192; do
    nouveau_dossier "proportions-$ppp"
    # A first start each time, so that the first-use rows give the three strips.
    export XDG_CONFIG_HOME="$TRAVAIL/configuration-$ppp"
    export QT_ENABLE_HIGHDPI_SCALING=0 QT_FONT_DPI=$ppp
    demarrer "$DOSSIER" "dalvire-$ppp"
    unset QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI
    programme=$DERNIER_PID
    "$T/xhelper.py" ready --class "$CLASSE" --tray --min 3 --wait 15 >/dev/null ||
        echec "expected the tray icon and three launcher windows at $ppp dpi; windows: $(fenetres)"
    read -r lw lh < <(taille . 'type=UTILITY')
    "$T/shot.sh" "$SORTIES/bandeaux-$ppp.png" 2>/dev/null

    "$T/read-menu.py" --app "$CLASSE" --pick "Paramètres..." --wait 5 -- \
        "$T/tray-click.sh" --class "$CLASSE" >/dev/null 2>&1 ||
        echec "could not pick \"Paramètres...\" in the main menu at $ppp dpi"
    "$T/read-dialog.py" --app "$CLASSE" --role dialog --title '^Paramètres$' --wait 10 >/dev/null ||
        echec "expected the settings dialog at $ppp dpi"
    read -r pw ph < <(taille '^Paramètres$' .)
    "$T/shot.sh" "$SORTIES/parametres-$ppp.png" 2>/dev/null
    etape "$ppp dpi: launcher window ${lw}x$lh, settings dialog ${pw}x$ph"

    if [ "$ppp" = 96 ]; then
        base=([lw]=$lw [lh]=$lh [pw]=$pw [ph]=$ph)
    else
        for cote in lw lh pw ph; do
            proportionnee "${base[$cote]}" "${!cote}" "$ppp" ||
                echec "expected $cote at $ppp dpi near ${base[$cote]} x $ppp / 96; it is ${!cote}"
        done
    fi
    xdotool key Escape
    kill "$programme"
    attendre_fin "$programme" 5 || echec "expected the program to end on SIGTERM at $ppp dpi"
done
etape "the strips and the settings dialog keep their proportions at 144 and 192 dpi"
