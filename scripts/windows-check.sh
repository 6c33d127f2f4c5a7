#!/usr/bin/env bash
# Cross-builds the SDL-free part of the project (tarn_core, marbles_logic, their tools and unit
# tests) for 64-bit Windows with Debian's MinGW-w64 and runs every test program under wine,
# headless. GoogleTest is cross-built from Debian's googletest sources (/usr/src/googletest).
# Installs the Debian packages it needs (as root or with sudo). Work goes to build-windows/
# (kept between runs, so a second run only rebuilds what changed) and the wine prefix to
# build-windows/wineprefix.
# Then the SDL stage: SDL 1.2 and SDL_mixer 1.2 cross-built once from Debian's source packages
# (fetched with apt from the machine's own package sources, into build-windows/sdl/; delete
# that folder to build them again), the SDL tasks that need only those two (window, event,
# keyboard, mouse cursor, audio: -DTARN_SDL_TASKS_ONLY=ON) and sdl-entry-check, which starts them through
# SDLmain's entry; it runs under wine on SDL's dummy drivers and must write its report to
# "stdout.txt" beside the program, then again on SDL's Windows video drivers (windib, directx)
# in a virtual X display (Xvfb); last the unit tests of those tasks that build on them alone,
# under wine on SDL's dummy drivers, counted in the SDL line (the last line counts the SDL-free
# tests). --no-sdl leaves the stage out.
# Then the game stage (scripts/windows-game.sh): the whole game marbles.exe, static (stb_image
# pictures, our own scaling), packed as the portable zip marbles-<version>-windows-x64.zip and
# the NSIS installer marbles-<version>-windows-x64-setup.exe (in build-windows/). Played under
# wine on SDL's GDI driver ("windib") in a virtual display: from the unpacked zip, the title
# (screenshot compared with the Linux build's), level 1 won by its solution through the mouse
# path, Escape twice quitting with 0, the win kept over a restart, SDLmain's "stdout.txt" and
# "stderr.txt"; then installed silently, played the same way, uninstalled (program folder
# gone, progress in %APPDATA%\Marbles kept). --game-only leaves the SDL-free tests and the SDL
# tasks out (the SDL libraries are still built when missing).
# Each stage ends with a summary line: stage, time, result.
# Usage: scripts/windows-check.sh [--jobs N] [--no-sdl] [--game-only]
# Exits non-zero when a build step, a test program, the SDL stage or the game stage fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
with_sdl=1
game_only=0
while [ $# -gt 0 ]; do
    case "$1" in
        --jobs) jobs=$2; shift 2 ;;
        --no-sdl) with_sdl=0; shift ;;
        --game-only) game_only=1; shift ;;
        *) echo "usage: $0 [--jobs N] [--no-sdl] [--game-only]" >&2; exit 2 ;;
    esac
done

source scripts/deps.sh
marbles_install_packages g++-mingw-w64-x86-64 wine wine64 googletest cmake make xvfb
[ "$with_sdl" -eq 1 ] && marbles_install_packages libstb-dev nsis zip imagemagick xdotool \
    libsdl1.2-dev libsdl-image1.2-dev libsdl-mixer1.2-dev libsdl-gfx1.2-dev

work=$root/build-windows
toolchain=$root/cmake/mingw-w64-x86_64.cmake
mkdir -p "$work"
start=$(date +%s)

# GoogleTest for the cross compiler, once.
gtest=$work/googletest
export WINEPREFIX=$work/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" DISPLAY=
programs=0 cases=0 failures=0 failed_programs=() build_status=0 built=$start end=$start
if [ "$game_only" -eq 1 ]; then
    [ -d "$WINEPREFIX" ] || wineboot --init > /dev/null 2>&1 || true
else
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
# Runs each test program given after the build folder $1 and the log folder $2 under wine,
# from the build folder, and counts them: sets tested_programs, tested_cases, tested_failures
# and tested_failed (the names of the programs that exited non-zero).
wine_tests() {
    local dir=$1 logs=$2 test name status ran bad
    shift 2
    tested_programs=0 tested_cases=0 tested_failures=0 tested_failed=()
    for test in "$@"; do
        name=$(basename "$test" .exe)
        tested_programs=$((tested_programs + 1))
        # The tests make their temporary folders below the working directory's temp folder.
        status=0
        (cd "$dir" && timeout 600 wine "$test" --gtest_brief=1) > "$logs/$name.txt" 2>&1 || status=$?
        # Now and then wine's own server connection drops ("wine client error: ... Connection
        # reset by peer") and takes the program with it: that program runs once more.
        if [ "$status" -ne 0 ] && grep -q '^wine client error' "$logs/$name.txt"; then
            echo "-- $name: wine lost its server connection; running it again"
            status=0
            (cd "$dir" && timeout 600 wine "$test" --gtest_brief=1) > "$logs/$name.txt" 2>&1 || status=$?
        fi
        tr -d '\r' < "$logs/$name.txt" > "$logs/$name.log"
        ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\{0,1\} from .* ran.*/\1/p' "$logs/$name.log" | tail -n 1)
        bad=$(grep -c '^\[  FAILED  \] .*([0-9]* ms)$' "$logs/$name.log" || true)
        tested_cases=$((tested_cases + ${ran:-0}))
        tested_failures=$((tested_failures + ${bad:-0}))
        if [ "$status" -ne 0 ]; then
            tested_failed+=("$name")
            echo "-- $name: exit code $status"
            grep -E '^\[  FAILED  \]|Failure|error' "$logs/$name.log" | head -n 20 || true
        fi
    done
}

wine_tests "$work/build" "$work" "$work"/build/tests/tests_*.exe
programs=$tested_programs cases=$tested_cases failures=$tested_failures failed_programs=("${tested_failed[@]}")
end=$(date +%s)
fi  # not --game-only

# ---- SDL stage --------------------------------------------------------------------------------
sdl=$work/sdl
sdl_prefix=$sdl/prefix
sdl_note="" sdl_summary="left out (--no-sdl)" sdl_status=0 sdl_tests_summary=""

# Writes deb-src twins of the machine's own package sources into the folder $1: the same
# archives, suites and keys, so no host name is written anywhere and apt's configuration
# stays as it is.
sdl_source_entries() {
    local out=$1 etc_list etc_parts file
    eval "$(apt-config shell etc_list Dir::Etc::sourcelist/f etc_parts Dir::Etc::sourceparts/d)"
    for file in "$etc_list" "$etc_parts"*.list "$etc_parts"*.sources; do
        [ -f "$file" ] || continue
        case "$file" in
            *.sources) sed 's/^Types:.*/Types: deb-src/' "$file" > "$out/machine-$(basename "$file")" ;;
            *) sed -n 's/^[[:space:]]*deb\([[:space:]]\)/deb-src\1/p' "$file" > "$out/machine-$(basename "$file" .list).list" ;;
        esac
    done
}

# Fetches the two source packages with apt-get into $sdl/src, unpacked with Debian's patches.
sdl_fetch() {
    local apt=$sdl/apt
    rm -rf "$apt" "$sdl/src"
    mkdir -p "$apt/sources.d" "$apt/lists/partial" "$apt/cache/archives/partial" "$sdl/src"
    : > "$apt/none.list"
    sdl_source_entries "$apt/sources.d"
    local options=(-o Dir::Etc::SourceList="$apt/none.list" -o Dir::Etc::SourceParts="$apt/sources.d"
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache")
    apt-get "${options[@]}" update > "$sdl/fetch.log" 2>&1 &&
        (cd "$sdl/src" && apt-get "${options[@]}" source libsdl1.2 sdl-mixer1.2) >> "$sdl/fetch.log" 2>&1
}

# Configures, builds and installs one unpacked source folder ($1) into $sdl_prefix.
sdl_autotools() {
    local source=$1 log=$2
    shift 2
    (cd "$source" && PKG_CONFIG_LIBDIR=$sdl_prefix/lib/pkgconfig PATH=$sdl_prefix/bin:$PATH \
        nice -n 10 ./configure --host=x86_64-w64-mingw32 --prefix="$sdl_prefix" --disable-shared "$@" &&
        nice -n 10 make -j"$jobs" && make install) > "$log" 2>&1
}

# SDL and SDL_mixer, static, once: kept in $sdl_prefix (marked by .built) for later runs.
sdl_libraries() {
    if [ -f "$sdl_prefix/.built" ]; then
        sdl_note="reused $(cat "$sdl_prefix/.built")"
        return 0
    fi
    echo "== Fetching SDL 1.2 and SDL_mixer 1.2 from Debian's source packages"
    local fetch_start=$(date +%s)
    sdl_fetch || { sdl_summary="FAILED fetching the sources (see $sdl/fetch.log)"; return 1; }
    local fetch_end=$(date +%s)
    local sdl_source mixer_source
    sdl_source=$(ls -d "$sdl"/src/libsdl1.2-*/ | head -n 1)
    mixer_source=$(ls -d "$sdl"/src/sdl-mixer1.2-*/ | head -n 1)
    echo "== Cross-building $(basename "$sdl_source") and $(basename "$mixer_source")"
    rm -rf "$sdl_prefix"
    sdl_autotools "$sdl_source" "$sdl/sdl-build.log" ||
        { sdl_summary="FAILED building SDL (see $sdl/sdl-build.log)"; return 1; }
    # Only the sounds SDL_mixer reads itself (WAVE, AIFF, VOC): nothing needing another library.
    sdl_autotools "$mixer_source" "$sdl/mixer-build.log" --with-sdl-prefix="$sdl_prefix" --disable-sdltest \
        --disable-music-cmd --disable-music-mod --disable-music-midi --disable-music-ogg \
        --disable-music-flac --disable-music-mp3 ||
        { sdl_summary="FAILED building SDL_mixer (see $sdl/mixer-build.log)"; return 1; }
    echo "$(basename "$sdl_source") $(basename "$mixer_source")" > "$sdl_prefix/.built"
    sdl_note="built $(cat "$sdl_prefix/.built"): fetch $((fetch_end - fetch_start)) s, build $(($(date +%s) - fetch_end)) s"
}

# The SDL tasks and sdl-entry-check against them, then the check under wine in a folder of
# its own.
sdl_tasks() {
    echo "== Cross-building the SDL tasks and sdl-entry-check"
    PKG_CONFIG_LIBDIR=$sdl_prefix/lib/pkgconfig cmake -S . -B "$work/build-sdl" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DTARN_SDL=OFF \
        -DCMAKE_FIND_ROOT_PATH="$gtest/install" -DTARN_SDL_TASKS_ONLY=ON -DTARN_BUILD_TESTS=ON \
        -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF \
        > "$work/build-sdl.log" 2>&1 &&
        nice -n 10 cmake --build "$work/build-sdl" -j"$jobs" --target sdl-entry-check >> "$work/build-sdl.log" 2>&1 ||
        { sdl_built=$(date +%s); grep -E 'error' "$work/build-sdl.log" | head -n 20
          sdl_summary="FAILED compiling or linking the SDL tasks (see $work/build-sdl.log)"; return 1; }
    sdl_built=$(date +%s)
    local linked="linked"
    grep -q -- '-lmingw32 -lSDLmain -lSDL' "$work/build-sdl/tools/sdl-entry-check/CMakeFiles/sdl-entry-check.dir/linkLibs.rsp" &&
        linked="linked with -lmingw32 -lSDLmain -lSDL"
    echo "== Running sdl-entry-check under wine"
    # The program in bin/, started from its parent: SDLmain writes "stdout.txt" beside the
    # program, the log and the sound stay in the working directory.
    local run=$work/sdl-run status=0
    local report=$run/bin/stdout.txt
    rm -rf "$run" && mkdir -p "$run/bin"
    cp "$work/build-sdl/tools/sdl-entry-check/sdl-entry-check.exe" "$run/bin/"
    cp game/data/sound/pop.wav "$run/"
    (cd "$run" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 300 wine bin/sdl-entry-check.exe pop.wav) \
        > "$run/wine.txt" 2>&1 || status=$?
    [ -f "$report" ] && tr -d '\r' < "$report" | sed 's/^/   /'
    if [ "$status" -ne 0 ]; then
        sdl_summary="compiled and $linked; FAILED under wine: exit code $status (see $run)"
        return 1
    fi
    if ! tr -d '\r' < "$report" 2>/dev/null | grep -qx 'sdl-entry-check: OK'; then
        sdl_summary="compiled and $linked, exit code 0, but no \"stdout.txt\" with its report beside the program"
        return 1
    fi
    sdl_summary="compiled and $linked, ran under wine: exit code 0,"
    sdl_summary+=" \"stdout.txt\" written by SDLmain beside the program ($(wc -l < "$report") lines)"
    sdl_windows_video || return 1
}

# The same check on SDL's own Windows video drivers (GDI and DirectX), drawn by wine in a
# virtual X display; the sound stays on the dummy driver, wine here has no sound device.
sdl_windows_video() {
    local display=:$((90 + RANDOM % 100)) xvfb driver results="" failed=0
    Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
    xvfb=$!
    sleep 2
    if ! kill -0 "$xvfb" 2> /dev/null; then
        sdl_summary+="; Windows video drivers not run (Xvfb did not start)"
        return 0
    fi
    for driver in windib directx; do
        rm -f "$run/bin/stdout.txt"
        if (cd "$run" && DISPLAY=$display SDL_VIDEODRIVER=$driver SDL_AUDIODRIVER=dummy timeout 300 \
                wine bin/sdl-entry-check.exe pop.wav) > "$run/wine-$driver.txt" 2>&1 &&
            tr -d '\r' < "$run/bin/stdout.txt" 2> /dev/null | grep -q "Using driver: $driver"; then
            results+=" $driver OK"
        else
            results+=" $driver FAILED (see $run/wine-$driver.txt)"
            failed=1
        fi
    done
    kill "$xvfb" 2> /dev/null || true
    wait "$xvfb" 2> /dev/null || true
    sdl_summary+="; on SDL's Windows video drivers in a virtual display:$results"
    return "$failed"
}

# The unit tests of the SDL tasks that build on these tasks alone (the graphics task's are
# left out), in the tasks' build folder, run under wine on SDL's dummy drivers.
sdl_unit_tests() {
    [ -f "$work/build-sdl/Makefile" ] || { sdl_tests_summary="unit tests not built (no build folder)"; return 1; }
    echo "== Cross-building the SDL tasks' unit tests"
    local names=() name build_start=$(date +%s) unbuilt=() programs=()
    # Their test files are compiled into the programs named tests_<folder>_sdltasks[_<file>].
    mapfile -t names < <(cmake --build "$work/build-sdl" --target help |
        sed -n 's/^\.\.\. \(tests_[a-z_]*_sdltasks[a-z_]*\).*/\1/p')
    [ ${#names[@]} -gt 0 ] || { sdl_tests_summary="no unit tests of the SDL tasks configured"; return 1; }
    nice -n 10 cmake --build "$work/build-sdl" -j"$jobs" --target "${names[@]}" -- -k \
        > "$work/build-sdl-tests.log" 2>&1 || true
    local tests_built=$(date +%s)
    for name in "${names[@]}"; do
        # An old program from an earlier run does not count when this build of it failed.
        if [ -f "$work/build-sdl/tests/$name.exe" ] &&
            ! grep -q "tests/CMakeFiles/$name\.dir/all\]" "$work/build-sdl-tests.log"; then
            programs+=("$work/build-sdl/tests/$name.exe")
        else
            unbuilt+=("$name")
        fi
    done
    [ ${#unbuilt[@]} -eq 0 ] || grep -E 'error' "$work/build-sdl-tests.log" | head -n 20 || true
    echo "== Running the SDL tasks' unit tests under wine"
    mkdir -p "$work/sdl-tests"
    SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy wine_tests "$work/build-sdl" "$work/sdl-tests" "${programs[@]}"
    sdl_tests_summary="unit tests under wine: $tested_programs test programs, $tested_cases cases,"
    sdl_tests_summary+=" $tested_failures failed cases, ${#tested_failed[@]} failed programs,"
    sdl_tests_summary+=" ${#unbuilt[@]} programs that did not build"
    sdl_tests_summary+=" (build $((tests_built - build_start)) s, tests $(($(date +%s) - tests_built)) s)"
    [ ${#unbuilt[@]} -eq 0 ] || sdl_tests_summary+="; not built: ${unbuilt[*]}"
    [ ${#unbuilt[@]} -eq 0 ] && [ ${#tested_failed[@]} -eq 0 ]
}

if [ "$with_sdl" -eq 1 ]; then
    sdl_start=$(date +%s)
    sdl_built=$sdl_start
    sdl_summary="FAILED installing dpkg-dev and pkg-config"
    if marbles_install_packages dpkg-dev pkg-config && sdl_libraries; then
        sdl_libs=$(date +%s)
        if [ "$game_only" -eq 1 ]; then
            sdl_summary="SDL libraries only (--game-only) [$sdl_note]"
        else
        sdl_tasks || sdl_status=1
        sdl_end=$(date +%s)
        sdl_summary+=" [$sdl_note; SDL libraries $((sdl_libs - sdl_start)) s, tasks build $((sdl_built - sdl_libs)) s,"
        sdl_summary+=" wine $((sdl_end - sdl_built)) s]"
        sdl_unit_tests || sdl_status=1
        sdl_summary+="; $sdl_tests_summary"
        fi
    else
        sdl_status=1
    fi
fi

# ---- Game stage ------------------------------------------------------------------------------
game_status=0 game_summary="left out (--no-sdl)"
if [ "$with_sdl" -eq 1 ]; then
    source "$root/scripts/windows-game.sh"
    game_stage_run || game_status=1
fi

unbuilt=$(sed -n 's/.*\*\*\* \[.*tests\/CMakeFiles\/\(tests_[a-z_]*\)\.dir\/all\].*/\1/p' "$work/build.log" 2> /dev/null | sort -u || true)
echo "== Windows SDL tasks and entry: $sdl_summary"
echo "== Windows game: $game_summary"
echo "== Windows check: $programs test programs, $cases cases, $failures failed cases," \
    "${#failed_programs[@]} failed programs, $(echo $unbuilt | wc -w) programs that did not build" \
    "(build $((built - start)) s, tests $((end - built)) s)"
[ -n "$unbuilt" ] && echo "   not built: $(echo $unbuilt)"
[ ${#failed_programs[@]} -eq 0 ] && [ "$build_status" -eq 0 ] && [ "$sdl_status" -eq 0 ] && [ "$game_status" -eq 0 ]
