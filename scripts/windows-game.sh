# The game stage of scripts/windows-check.sh (sourced by it, not run alone): builds the whole
# game marbles.exe against the cross-built SDL and SDL_mixer and plays it under wine.
# Expects from the caller: root, work, jobs, toolchain, sdl_prefix, WINEPREFIX.

game_build_dir=$work/build-game
game_stage=$work/game/Marbles         # the program and its content, as the zip and installer hold them
game_screens=$work/game/screens

# Prints the unix path of the wine player's %APPDATA%.
game_appdata() {
    local appdata
    appdata=$(DISPLAY=${game_display:-} wine cmd /c echo '%APPDATA%' 2> /dev/null | tr -d '\r')
    winepath -u "$appdata" 2> /dev/null
}

# Cross-builds marbles.exe (static, with the stb decoder and our own scaling) and installs it
# with the game's content into $game_stage.
game_build() {
    echo "== Cross-building the game marbles.exe"
    PKG_CONFIG_LIBDIR=$sdl_prefix/lib/pkgconfig cmake -S "$root" -B "$game_build_dir" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release -DTARN_SDL=ON \
        -DTARN_PICTURE_DECODER=stb -DTARN_ROTOZOOM=own -DTARN_BUILD_TESTS=OFF \
        -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF > "$work/build-game.log" 2>&1 &&
        nice -n 10 cmake --build "$game_build_dir" -j"$jobs" --target marbles >> "$work/build-game.log" 2>&1 ||
        { grep -E 'error' "$work/build-game.log" | head -n 20; return 1; }
    rm -rf "$game_stage"
    cmake --install "$game_build_dir" --prefix "$game_stage" --strip >> "$work/build-game.log" 2>&1
}

# The Linux game for the reference title, built once in $work/build-linux.
game_build_linux() {
    echo "== Building the Linux game for the reference title"
    cmake -S "$root" -B "$work/build-linux" -DCMAKE_BUILD_TYPE=Release -DTARN_BUILD_TESTS=OFF \
        -DTARN_BUILD_BENCH=OFF -DTARN_BUILD_FUZZ=OFF > "$work/build-linux.log" 2>&1 &&
        nice -n 10 cmake --build "$work/build-linux" -j"$jobs" --target marbles >> "$work/build-linux.log" 2>&1
}

# Counts the lines of file $1 holding the text $2 (0 when the file is missing).
game_count() {
    local n
    n=$(tr -d '\r' < "$1" 2> /dev/null | grep -c -- "$2") || true
    echo "${n:-0}"
}

# Plays one session on display $game_display: starts the command "$@" in the folder $1 (in the background), waits
# for its window "Marbles", then until the log $game_log shows the line $game_wait (up to
# $game_timeout s, stopped early by "Replay stopped"). A screenshot of the window goes to
# $game_shot when that is set; with game_click set, the window is clicked every second while
# waiting. Then Escape: from a level or a picture back to the title, and
# Escape on the title quits. Sets game_result: the program's exit code, or 90 (no window),
# 91 (the line never came), 92 (it did not end after the second Escape).
game_session() {
    local pid window i titles dir=$1
    shift
    (cd "$dir" && exec "$@") > /dev/null 2>&1 &
    pid=$!
    window=$(DISPLAY=$game_display timeout 60 xdotool search --sync --onlyvisible --name '^Marbles$' 2> /dev/null | head -n 1)
    if [ -z "$window" ]; then
        kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; wineserver -k > /dev/null 2>&1; game_result=90; return
    fi
    game_result=91
    for i in $(seq 1 $((game_timeout * 2))); do
        if [ "$(game_count "$game_log" "$game_wait")" -ge 1 ]; then game_result=0; break; fi
        [ "$(game_count "$game_log" 'Replay stopped')" -ge 1 ] && break
        kill -0 "$pid" 2> /dev/null || break
        # A player's click every second, when asked for, through the title and help (below the
        # subtitle, above the level-select button).
        if [ -n "${game_click:-}" ] && [ $((i % 2)) -eq 0 ]; then
            DISPLAY=$game_display xdotool mousemove --window "$window" 320 380 click 1 2> /dev/null || true
        fi
        sleep 0.5
    done
    if [ "$game_result" -eq 0 ] && [ -n "${game_shot:-}" ]; then
        sleep 2
        DISPLAY=$game_display import -window "$window" "$game_shot" 2> /dev/null || true
    fi
    titles=$(game_count "$game_log" 'Showing the title')
    if [ "$game_wait" != "Showing the title" ]; then
        DISPLAY=$game_display xdotool windowfocus --sync "$window" key Escape 2> /dev/null || true
        for i in $(seq 1 300); do
            [ "$(game_count "$game_log" 'Showing the title')" -gt "$titles" ] && break
            sleep 0.1
        done
    fi
    # Escape on the title; a key wine lost while the title was being drawn is pressed again
    # (at most three times, ten seconds apart).
    local status=0 try
    for try in 1 2 3; do
        sleep 0.5
        DISPLAY=$game_display xdotool windowfocus --sync "$window" key Escape 2> /dev/null || true
        for i in $(seq 1 100); do
            kill -0 "$pid" 2> /dev/null || break 2
            sleep 0.1
        done
    done
    if kill -0 "$pid" 2> /dev/null; then
        kill "$pid" 2> /dev/null; wait "$pid" 2> /dev/null; wineserver -k > /dev/null 2>&1; game_result=92; return
    fi
    wait "$pid" || status=$?
    [ "$game_result" -eq 0 ] && game_result=$status
}

# Starts Xvfb on a free display: sets game_display and game_xvfb.
game_start_display() {
    game_display=:$((200 + RANDOM % 100))
    Xvfb "$game_display" -screen 0 1024x768x24 -noreset -nolisten tcp > /dev/null 2>&1 &
    game_xvfb=$!
    sleep 2
    # Every wine program from here on (reg, cmd, the installer) on this display: the first one
    # starts wine's desktop for the session, and a desktop without a display leaves the game
    # without a window ("Couldn't create window").
    export DISPLAY=$game_display
    kill -0 "$game_xvfb" 2> /dev/null
}

game_stop_display() {
    wineserver -k > /dev/null 2>&1 || true
    [ -n "${game_xvfb:-}" ] && { kill "$game_xvfb" 2> /dev/null; wait "$game_xvfb" 2> /dev/null; } || true
    game_xvfb="" DISPLAY=""
}

# The largest share of differing pixels ("small tolerance") between two screenshots of the title.
game_title_tolerance=0.02

# Compares the screenshots $1 and $2: sets game_title_note and returns non-zero when their
# sizes differ or more than the tolerance of their pixels differ by more than 10 %.
game_compare_titles() {
    local size1 size2 differing total share
    size1=$(identify -format '%wx%h' "$1" 2> /dev/null) size2=$(identify -format '%wx%h' "$2" 2> /dev/null)
    if [ -z "$size1" ] || [ "$size1" != "$size2" ]; then
        game_title_note="title sizes differ: Windows ${size1:-none}, Linux ${size2:-none}"
        return 1
    fi
    differing=$(compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | sed 's/[^0-9.e+].*//') || true
    total=$(( ${size1%x*} * ${size1#*x} ))
    share=$(awk -v d="${differing:-0}" -v t="$total" 'BEGIN { printf "%.4f", d / t }')
    game_title_note="title $size1, $differing of $total pixels differ from Linux's by more than 10 % ($share)"
    awk -v s="$share" -v m="$game_title_tolerance" 'BEGIN { exit !(s <= m) }'
}

# The title of the Linux game on the same kind of display, as the reference.
game_linux_title() {
    local run=$work/game/linux-run
    rm -rf "$run" && mkdir -p "$run"
    cp -r "$root/game/." "$run/"
    game_log=$run/log.txt game_wait="Showing the title" game_timeout=60 game_shot=$game_screens/title-linux.png
    game_session "$run" env SDL_AUDIODRIVER=dummy DISPLAY="$game_display" "$work/build-linux/marbles"
}

# True when the player's level list in the folder $1 has level 1 won.
game_level1_won() {
    tr -d '\r' < "$1/level_list.xml" 2> /dev/null | grep 'data/levels/chapter1_level01\.xml' | grep -q 'completed="1"'
}

# Runs marbles.exe in the folder $1 under wine on SDL's GDI driver: appends game_notes, returns
# non-zero at the first failure. The player's files go to %APPDATA%\Marbles (emptied first).
# "autoexec.txt" in $1 gets the replay lines for a run and is put back afterwards.
game_windows_play() {
    local folder=$1 label=$2 player script=$1/autoexec.txt
    player=$(DISPLAY=$game_display game_appdata)/Marbles
    [ "$player" != "/Marbles" ] || { game_notes+=" $label: no %APPDATA%"; return 1; }
    rm -rf "$player"
    local wine_env=(env DISPLAY="$game_display" SDL_VIDEODRIVER=windib SDL_AUDIODRIVER=dummy wine "$folder/marbles.exe")
    game_log=$player/log.txt game_timeout=90 game_shot=$game_screens/title-$label.png game_wait="Showing the title"
    game_session "$folder" "${wine_env[@]}"
    unset game_shot
    [ "$game_result" -eq 0 ] || { game_notes+=" $label: title run FAILED ($game_result)"; return 1; }
    game_notes+=" $label: title shown, Escape quit with 0;"
    # SDLmain keeps only the output files that received something.
    if [ -e "$folder/stdout.txt" ] || [ -e "$folder/stderr.txt" ]; then
        game_notes+=" output files left after a silent run;"
    fi
    cp "$script" "$script.orig"
    printf '\ngame::Replay( "data/levels/chapter1_level01.solution" )\n' >> "$script"
    game_wait="Level complite" game_timeout=180
    game_session "$folder" "${wine_env[@]}"
    cp "$script.orig" "$script"
    if [ "$game_result" -ne 0 ]; then
        game_notes+=" level 1 FAILED ($game_result)"
        tr -d '\r' < "$game_log" 2> /dev/null | tail -n 5 | sed 's/^/   /'
        rm -f "$script.orig"
        return 1
    fi
    game_notes+=" level 1 won by its solution, Escape twice quit with 0;"
    game_level1_won "$player" ||
        { game_notes+=" the win is not in %APPDATA%\\Marbles\\level_list.xml"; rm -f "$script.orig"; return 1; }
    # After a restart, clicks through the title start level 2: the win was kept.
    rm -f "$script.orig"
    game_wait="Loading level: data/levels/chapter1_level02.xml" game_timeout=60 game_click=1
    game_session "$folder" "${wine_env[@]}"
    unset game_click
    [ "$game_result" -eq 0 ] || { game_notes+=" restart at level 2 FAILED ($game_result)"; return 1; }
    game_notes+=" after a restart level 2 comes next"
    [ -e "$folder/log.txt" ] || [ -e "$folder/level_list.xml" ] && { game_notes+=", but files were written beside the program"; return 1; }
    return 0
}

# SDLmain's output files: --version writes "stdout.txt" beside the program, an unknown option
# "stderr.txt" and exit code 2.
game_output_files() {
    local folder=$1 status=0
    rm -f "$folder/stdout.txt" "$folder/stderr.txt"
    (cd "$folder" && DISPLAY=$game_display SDL_VIDEODRIVER=windib wine ./marbles.exe --version) > /dev/null 2>&1 || status=$?
    if [ "$status" -ne 0 ] || ! tr -d '\r' < "$folder/stdout.txt" 2> /dev/null | grep -q "$game_version"; then
        game_notes+=" --version: exit $status, no \"stdout.txt\" with the version;"
        return 1
    fi
    [ -e "$folder/stderr.txt" ] && { game_notes+=" an empty \"stderr.txt\" was left;"; return 1; }
    status=0
    (cd "$folder" && DISPLAY=$game_display wine ./marbles.exe --no-such-option) > /dev/null 2>&1 || status=$?
    if [ "$status" -ne 2 ] || [ ! -s "$folder/stderr.txt" ]; then
        game_notes+=" an unknown option: exit $status, \"stderr.txt\" $( [ -s "$folder/stderr.txt" ] && echo written || echo missing);"
        return 1
    fi
    rm -f "$folder/stdout.txt" "$folder/stderr.txt"
    game_notes+=" \"stdout.txt\" (--version) and \"stderr.txt\" (usage error, exit 2) written beside the program;"
}

# Adds the README and the licence notes to $game_stage, then packs it: the portable zip
# $game_zip and the installer $game_setup (makensis). Sets game_package_note.
game_package() {
    local licences=$game_stage/licences source
    echo "== Packing the zip and the installer"
    sed "s/@VERSION@/$game_version/" "$root/packaging/windows/README.txt" | sed 's/$/\r/' > "$game_stage/README.txt"
    rm -rf "$licences" && mkdir -p "$licences"
    source=$(ls -d "$work"/sdl/src/libsdl1.2-*/ | head -n 1)
    cp -L "$source/debian/copyright" "$licences/SDL-1.2.txt"
    source=$(ls -d "$work"/sdl/src/sdl-mixer1.2-*/ | head -n 1)
    cp -L "$source/debian/copyright" "$licences/SDL_mixer-1.2.txt"
    cp -L /usr/share/doc/libstb-dev/copyright "$licences/stb_image.txt"
    cp -L /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licences/MinGW-w64-runtime.txt"
    cp -L /usr/share/doc/gcc-mingw-w64-x86-64-posix-runtime/copyright "$licences/GCC-runtime.txt"
    rm -f "$game_zip" "$game_setup"
    (cd "$(dirname "$game_stage")" && zip -q -r -9 "$game_zip" "$(basename "$game_stage")") ||
        { game_package_note="FAILED packing the zip"; return 1; }
    makensis -V2 -DVERSION="$game_version" -DSTAGE="$game_stage" -DOUTFILE="$game_setup" \
        "$root/packaging/windows/marbles.nsi" > "$work/makensis.log" 2>&1 ||
        { game_package_note="FAILED building the installer (see $work/makensis.log)"; return 1; }
    game_package_note="$(basename "$game_zip") $(du -k "$game_zip" | cut -f1) KiB,"
    game_package_note+=" $(basename "$game_setup") $(du -k "$game_setup" | cut -f1) KiB"
}

# Installs $game_setup silently, checks the Start-menu entry and the registered uninstaller,
# plays the installed game, uninstalls silently and checks that the program folder is gone
# and the player's progress kept. Appends to game_notes.
game_installed() {
    local folder=$WINEPREFIX/drive_c/"Program Files"/Marbles
    local menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/"Start Menu"/Programs/Marbles/Marbles.lnk
    local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Marbles' player
    echo "== Installing the game under wine (/S) and playing it"
    rm -rf "$folder"
    # On the virtual display too: wine's desktop, started by the installer, then serves the game.
    DISPLAY=$game_display wine "$game_setup" /S > "$work/game/install.txt" 2>&1
    wineserver -w
    [ -f "$folder/marbles.exe" ] || { game_notes+=" installer: no marbles.exe in Program Files\\Marbles"; return 1; }
    [ -f "$menu" ] || { game_notes+=" installer: no Start-menu entry"; return 1; }
    wine reg query "$key" /v UninstallString 2> /dev/null | grep -q 'uninstall.exe' ||
        { game_notes+=" installer: no uninstaller registered"; return 1; }
    game_notes+=" installed (/S) under Program Files\\Marbles with a Start-menu entry and a registered uninstaller;"
    game_windows_play "$folder" installed || return 1
    player=$(DISPLAY=$game_display game_appdata)/Marbles
    DISPLAY=$game_display wine "$folder/uninstall.exe" /S > "$work/game/uninstall.txt" 2>&1; wineserver -w
    [ ! -e "$folder" ] || { game_notes+="; uninstall left $(find "$folder" | wc -l) entries in the program folder"; return 1; }
    [ ! -e "$menu" ] || { game_notes+="; uninstall left the Start-menu entry"; return 1; }
    ! wine reg query "$key" > /dev/null 2>&1 || { game_notes+="; uninstall left its registry key"; return 1; }
    game_level1_won "$player" ||
        { game_notes+="; the player's progress was lost on uninstall"; return 1; }
    game_notes+="; uninstalled (/S): program folder, menu entry and key gone, progress in %APPDATA%\\Marbles kept"
}

game_version=$(sed -n 's/^project(Marbles VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
game_zip=$work/marbles-$game_version-windows-x64.zip
game_setup=$work/marbles-$game_version-windows-x64-setup.exe

# The whole stage; one summary line per step (name, time, result). Sets game_summary.
game_stage_run() {
    local t0 t1 status=0 failed=""
    mkdir -p "$game_screens"
    t0=$(date +%s)
    if ! game_build; then
        game_summary="FAILED building marbles.exe (see $work/build-game.log)"
        echo "== Stage game build: $(($(date +%s) - t0)) s, FAILED"
        return 1
    fi
    t1=$(date +%s)
    echo "== Stage game build: $((t1 - t0)) s, marbles.exe $(du -k "$game_stage/marbles.exe" | cut -f1) KiB, static"
    t0=$t1
    game_package || status=1
    t1=$(date +%s)
    echo "== Stage packing: $((t1 - t0)) s, $game_package_note"
    [ "$status" -eq 0 ] || failed+=" packing"
    t0=$t1
    if [ ! -x "$work/build-linux/marbles" ]; then game_build_linux || true; fi
    t1=$(date +%s)
    echo "== Stage Linux reference build: $((t1 - t0)) s, $([ -x "$work/build-linux/marbles" ] && echo OK || echo FAILED)"
    t0=$t1
    game_start_display || { game_summary="FAILED: Xvfb did not start"; return 1; }
    # The unpacked zip (or, without one, the staged folder) first.
    local run=$work/game/zip-run folder
    rm -rf "$run" && mkdir -p "$run"
    if [ -f "$game_zip" ]; then (cd "$run" && unzip -q "$game_zip"); else cp -r "$game_stage" "$run/"; fi
    folder=$run/$(basename "$game_stage")
    game_notes=""
    game_output_files "$folder" || status=1
    game_windows_play "$folder" zip || status=1
    game_title_note="no Linux title to compare"
    if [ -x "$work/build-linux/marbles" ]; then
        game_linux_title || true
        if [ "$game_result" -ne 0 ]; then
            game_title_note="the Linux title run FAILED ($game_result)"; status=1
        else
            game_compare_titles "$game_screens/title-zip.png" "$game_screens/title-linux.png" || status=1
        fi
    fi
    t1=$(date +%s)
    echo "== Stage play (zip, windib): $((t1 - t0)) s, $([ "$status" -eq 0 ] && echo OK || echo FAILED):$game_notes; $game_title_note"
    [ "$status" -eq 0 ] || failed+=" play"
    t0=$t1
    if [ -f "$game_setup" ]; then
        game_notes=""
        local installed=0
        game_installed || installed=1
        t1=$(date +%s)
        echo "== Stage installer: $((t1 - t0)) s, $([ "$installed" -eq 0 ] && echo OK || echo FAILED):$game_notes"
        [ "$installed" -eq 0 ] || failed+=" installer"
    else
        failed+=" installer"
    fi
    game_stop_display
    if [ -z "$failed" ]; then
        game_summary="built, packed, played from the zip and installed: OK ($game_package_note)"
        return 0
    fi
    game_summary="FAILED:$failed"
    return 1
}
