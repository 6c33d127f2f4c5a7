#!/usr/bin/env bash
# Builds the game for the browser into build-web/ (marbles.js, marbles.wasm, marbles.data and
# index.html: publish these four as static files) with Debian's emscripten, installing what
# is missing. --test then plays the page in headless Chromium (tests/web/test_page.py) against
# the desktop game built beside it; --measure prints the budgets (scripts/web-measure.py).
# Usage: scripts/web-build.sh [--test [--desktop MARBLES]] [--measure]
#   MARBLES_WEB_BUILD  the build folder (default build-web/ in the source tree)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${MARBLES_WEB_BUILD:-$root/build-web}
test=0 measure=0 desktop=""
while [ $# -gt 0 ]; do
    case "$1" in
        --test) test=1 ;;
        --measure) measure=1 ;;
        --desktop) desktop=${2:?--desktop needs the desktop program}; shift ;;
        *) echo "usage: scripts/web-build.sh [--test [--desktop MARBLES]] [--measure]" >&2; exit 2 ;;
    esac
    shift
done

# shellcheck source=scripts/deps.sh
. "$root/scripts/deps.sh"
packages=(emscripten nodejs cmake make libstb-dev python3)
[ $test -eq 1 ] || [ $measure -eq 1 ] && packages+=(chromium)
[ $test -eq 1 ] && packages+=(imagemagick xvfb xauth xdotool)
marbles_install_packages "${packages[@]}"
[ $test -eq 1 ] && [ -z "$desktop" ] && marbles_install_deps

# emcc's JavaScript tools need Debian's node modules (acorn) also under a node of another origin.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# Debian's own Python for emcc and the browser scripts, whatever else comes first on PATH.
python=/usr/bin/python3
[ -x "$python" ] || python=python3
export EMSDK_PYTHON=$python

jobs=$(nproc 2> /dev/null || echo 2)
echo "== Building the page in $build"
mkdir -p "$build"
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF \
    -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF > "$build/web-build.log" 2>&1 ||
    { tail -n 30 "$build/web-build.log"; exit 1; }
cmake --build "$build" -j"$jobs" --target marbles >> "$build/web-build.log" 2>&1 ||
    { grep -E 'error' "$build/web-build.log" | head -n 30; exit 1; }
ls -l "$build"/index.html "$build"/marbles.js "$build"/marbles.wasm "$build"/marbles.data

if [ $test -eq 1 ]; then
    if [ -z "$desktop" ]; then
        echo "== Building the desktop game for the reference title and the replay's clicks"
        mkdir -p "$build-desktop"
        cmake -S "$root" -B "$build-desktop" -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF \
            -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF > "$build-desktop/desktop-build.log" 2>&1 &&
            cmake --build "$build-desktop" -j"$jobs" --target marbles >> "$build-desktop/desktop-build.log" 2>&1 ||
            { grep -E 'error' "$build-desktop/desktop-build.log" | head -n 30; exit 1; }
        desktop=$build-desktop/marbles
    fi
    echo "== Playing the page in headless Chromium"
    "$python" "$root/tests/web/test_page.py" "$build" "$desktop" "$root/game" "$build/test-shots"
fi
if [ $measure -eq 1 ]; then
    echo "== Budgets"
    "$python" "$root/scripts/web-measure.py" "$build"
fi
