#!/usr/bin/env bash
# Installs the Debian packages the build (and, with "test", the tests) need, only when one
# is missing; "apt-get update" runs only then too. Sourced by run.sh, test.sh and the scripts
# in scripts/.

marbles_install_deps() {
    local packages=(g++ cmake make pkg-config
        libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev)
    if [ "${1:-}" = "test" ]; then
        packages+=(libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev python3 libxml2-utils
            libstb-dev imagemagick xvfb xauth xdotool x11-utils desktop-file-utils appstream dpkg-dev lintian)
    fi
    marbles_install_packages "${packages[@]}"
}

# Installs the packages named that are missing. A package counts as present when it is
# installed or an installed package provides it (libsdl1.2-compat-dev provides libsdl1.2-dev;
# asking for the latter would conflict).
marbles_install_packages() {
    local installed
    installed=$(dpkg-query -W -f='${db:Status-Abbrev}|${Package}|${Provides}\n' 2>/dev/null |
        awk -F'|' '$1 ~ /^ii/ { print $2; n = split($3, p, ","); for (i = 1; i <= n; i++) {
            sub(/^ +/, "", p[i]); sub(/ .*/, "", p[i]); print p[i] } }')
    local missing=()
    local package
    for package in "$@"; do
        grep -qxF "$package" <<<"$installed" || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing missing packages: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Missing packages and no root rights: ${missing[*]}" >&2; return 1; }
        sudo="sudo"
    fi
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -q || return 1
    $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" || return 1
}
