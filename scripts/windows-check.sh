#!/usr/bin/env bash
# Cross-builds the SDL-free part of the project (tarn_core, marbles_logic, their tools and unit
# tests) for 64-bit Windows with Debian's MinGW-w64 and runs every test program under wine,
# headless. GoogleTest is cross-built from Debian's googletest sources (/usr/src/googletest).
# Installs the Debian packages it needs (as root or with sudo). Work goes to build-windows/
# (kept between runs, so a second run only rebuilds what changed) and the wine prefix to
# build-windows/wineprefix. Usage: scripts/windows-check.sh [--jobs N]
# Exits non-zero when a build step or a test program fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
[ "${1:-}" = "--jobs" ] && jobs=$2

source scripts/deps.sh
marbles_install_packages g++-mingw-w64-x86-64 wine wine64 googletest cmake make

work=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
mkdir -p "$work"
start=$(date +%s)

# GoogleTest for the cross compiler, once.
gtest=$work/googletest
if [ ! -f "$gtest/install/lib/cmake/GTest/GTestConfig.cmake" ]; then
    echo "== Cross-building GoogleTest from /usr/src/googletest"
    cmake -S /usr/src/googletest -B "$gtest/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest/install" -Dgtest_disable_pthreads=OFF \
        > "$work/googletest.log"
    cmake --build "$gtest/build" -j"$jobs" >> "$work/googletest.log"
    cmake --install "$gtest/build" >> "$work/googletest.log"
fi

echo "== Cross-building the SDL-free libraries and their tests"
cmake -S . -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$gtest/install" -DTARN_SDL=OFF -DTARN_BUILD_TESTS=ON \
    -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF > "$work/configure.log" || { cat "$work/configure.log"; exit 1; }
# Keeps going past a program that does not compile, so every other one still runs.
build_status=0
cmake --build "$work/build" -j"$jobs" -- -k > "$work/build.log" 2>&1 || build_status=$?
grep -E 'error|Error [0-9]' "$work/build.log" | head -n 40 || true
built=$(date +%s)

echo "== Running the tests under wine"
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
if [ ! -d "$WINEPREFIX" ]; then
    wineboot --init > /dev/null 2>&1 || true
fi
programs=0 failed_programs=() cases=0 failures=0
for test in "$work"/build/tests/test_*.exe; do
    name=$(basename "$test" .exe)
    programs=$((programs + 1))
    # The tests make their temporary folders below the working directory's temp folder.
    status=0
    (cd "$work/build" && timeout 600 wine "$test" --gtest_brief=1) > "$work/$name.txt" 2>&1 || status=$?
    tr -d '\r' < "$work/$name.txt" > "$work/$name.log"
    ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran.*/\1/p' "$work/$name.log" | tail -n 1)
    bad=$(grep -c '^\[  FAILED  \] .*([0-9]* ms)$' "$work/$name.log" || true)
    cases=$((cases + ${ran:-0}))
    failures=$((failures + ${bad:-0}))
    if [ "$status" -ne 0 ]; then
        failed_programs+=("$name")
        echo "-- $name: exit code $status"
        grep -E '^\[  FAILED  \]|Failure|error' "$work/$name.log" | head -n 20 || true
    fi
done
end=$(date +%s)
unbuilt=$(sed -n 's/.*\*\*\* \[.*tests\/CMakeFiles\/\(test_[a-z_]*\)\.dir\/all\].*/\1/p' "$work/build.log" | sort -u)
echo "== Windows check: $programs test programs, $cases cases, $failures failed cases," \
    "${#failed_programs[@]} failed programs, $(echo $unbuilt | wc -w) programs that did not build" \
    "(build $((built - start)) s, tests $((end - built)) s)"
[ -n "$unbuilt" ] && echo "   not built: $(echo $unbuilt)"
[ ${#failed_programs[@]} -eq 0 ] && [ "$build_status" -eq 0 ]
