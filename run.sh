#!/usr/bin/env bash
# Builds Marbles (Release), stages the game content into build/ and starts the game there.
# Installs missing Debian packages first. Usage: ./run.sh
set -euo pipefail
cd "$(dirname "$0")"

# Said before anything is installed or built: without a display the game cannot open.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${SDL_VIDEODRIVER:-}" != "dummy" ]; then
    echo "No display found (DISPLAY is empty): run on a desktop, or try:" >&2
    echo "  xvfb-run -a -s \"-screen 0 1024x768x24\" ./run.sh" >&2
    exit 1
fi
source scripts/deps.sh
marbles_install_deps

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF -DTARN_BUILD_FUZZ=OFF > build-configure.log \
    || { cat build-configure.log; exit 1; }
rm -f build-configure.log
cmake --build build -j"$(nproc)" --target marbles stage

cd build
exec ./marbles "$@"
