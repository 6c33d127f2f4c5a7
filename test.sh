#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-test/ and
# runs every test headless through CTest. Installs missing Debian packages first.
# Usage: ./test.sh [extra ctest arguments]
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
marbles_install_deps test

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARN_SANITIZE=ON -DTARN_ASSERTIONS=ON \
    -DTARN_BUILD_TESTS=ON -DTARN_BUILD_BENCH=ON -DTARN_BUILD_FUZZ=ON
cmake --build build-test -j"$(nproc)"

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd build-test
ctest --output-on-failure -j"$(nproc)" "$@"
