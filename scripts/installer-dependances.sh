#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Dalvire need,
# only those that are missing. Needs root (or sudo).
set -euo pipefail

paquets=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-translations-l10n qt6-qpa-plugins
    # Qt's SVG image and icon plugins (libqsvg, libqsvgicon): SVG icons of categories
    libqt6svg6
    libsqlite3-dev libglib2.0-dev libchm-dev libxcb1-dev libx11-dev
    # the catalogue opened with the standard tools, as the README shows
    sqlite3 python3
    fp-utils
    # the fuzzing of the RTF reader, and independent readers of the report's files
    clang libfuzzer-14-dev unrtf poppler-utils
    # the desktop of the end-to-end tests and of the start-up benchmark (tests/bureau)
    xvfb xauth openbox trayer xdotool x11-utils imagemagick dbus-x11 at-spi2-core
    python3-pyatspi wmctrl time
    # screens that change size in that session
    x11-xserver-utils
    # the Debian package (make paquet) and its checks (make test-paquet)
    debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream man-db
    # fonts so that widgets have real metrics; Liberation Sans stands in for Tahoma
    fonts-dejavu-core fonts-liberation2
)

manquants=()
for p in "${paquets[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || manquants+=("$p")
done
[ ${#manquants[@]} -eq 0 ] && exit 0

echo "Installation de : ${manquants[*]}"
sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }
export DEBIAN_FRONTEND=noninteractive
sudo_ apt-get update -qq
sudo_ apt-get install -y -qq --no-install-recommends "${manquants[@]}"
