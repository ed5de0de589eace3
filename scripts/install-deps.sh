#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running, testing and
# packaging need, and any further packages named as arguments (the fuzzing
# stage adds clang this way). Does nothing when they are all present.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools
    libqt5serialport5-dev libqt5charts5-dev libqt5svg5
    libquazip1-qt5-dev libpugixml-dev
    libqt5sql5-sqlite libqt5sql5-psql
    libxcb1-dev
    fonts-wqy-zenhei qttranslations5-l10n
    xvfb xauth xdotool openbox
    python3 python3-openpyxl python3-docx poppler-utils
    postgresql
    file
    "$@"
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
