#!/usr/bin/env bash
# Installs what building, testing and running Kavrel needs on Debian or Ubuntu.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake g++ make clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-base-private-dev libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation2 xvfb xauth locales
    desktop-file-utils appstream dpkg-dev file lintian
    weston qt6-wayland x11-utils
    python3
    poppler-utils # pdftotext: the sections tests read a printed table back
)

sudo_if_needed() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$package")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_if_needed apt-get update -q
    sudo_if_needed env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The tests run once more under a German locale, whose decimal separator is ",".
if ! locale -a 2>/dev/null | grep -qiE '^de_DE\.utf-?8$'; then
    echo "Generating the de_DE.UTF-8 locale"
    sudo_if_needed localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
