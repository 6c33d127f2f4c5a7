#!/usr/bin/env bash
# Installs the Debian packages the build (and, with "test", the tests) need, only when one
# is missing; "apt-get update" runs only then too. Sourced by run.sh and test.sh.

marbles_install_deps() {
    local packages=(g++ cmake make pkg-config
        libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev)
    if [ "${1:-}" = "test" ]; then
        packages+=(libgtest-dev libgmock-dev libbenchmark-dev libpugixml-dev libtinyxml2-dev python3 libxml2-utils
            imagemagick xvfb xauth xdotool x11-utils)
    fi
    local missing=()
    local package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
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
