# End-to-end test of the browser's page in headless Chromium: the title appears and matches the
# desktop game's title, F11 switches fullscreen, real mouse clicks reach the game and start its
# sound, level 1 is won by clicking its solution's marbles where the desktop game's replay
# clicks them, a reload keeps the win, and Esc on the title ends the game sensibly.
# Usage: test_page.py WEB_BUILD_DIR DESKTOP_MARBLES GAME_DIR OUT_DIR
# Exit status 0 when every check passed, 1 otherwise, 77 when a tool it needs is missing.
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import cdp  # noqa: E402

PLAYER_FOLDER = "/home/web_user/.local/share/marbles"
# Share of the title's pixels that may differ by more than 10 % from the desktop's.
TITLE_TOLERANCE = 0.02

failures = []


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


def wait_for_file_line(path, needle, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            with open(path, errors="replace") as log:
                if needle in log.read():
                    return True
        except OSError:
            pass
        time.sleep(0.2)
    return False


def desktop_folder(game_dir, extra_lines=""):
    folder = tempfile.mkdtemp(prefix="marbles-desktop-")
    shutil.copytree(os.path.join(game_dir, "data"), os.path.join(folder, "data"))
    with open(os.path.join(game_dir, "autoexec.txt")) as source:
        script = source.read()
    with open(os.path.join(folder, "autoexec.txt"), "w") as target:
        target.write(script + extra_lines)
    return folder


def desktop_title(marbles, game_dir, out):
    """The desktop game's title on a virtual X screen, as a PNG; None when it cannot be had."""
    folder = desktop_folder(game_dir)
    shot = os.path.join(out, "title-desktop.png")
    driver = (
        'export SDL_AUDIODRIVER=dummy\n'
        '"$1" > stdout.txt 2>&1 &\n'
        'game=$!\n'
        'window=$(timeout 30 xdotool search --sync --onlyvisible --name "^Marbles$" | head -n 1)\n'
        'for i in $(seq 1 300); do grep -q "Showing the title" log.txt 2>/dev/null && break; sleep 0.1; done\n'
        'sleep 1.5\n'
        '[ -n "$window" ] && import -window "$window" "$2"\n'
        'kill $game; wait $game\n')
    with open(os.path.join(folder, "driver.sh"), "w") as script:
        script.write(driver)
    subprocess.run(["timeout", "120", "xvfb-run", "-a", "-s", "-screen 0 1024x768x24", "sh", "driver.sh",
                    marbles, shot], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                   env=dict(os.environ, SDL_VIDEODRIVER="x11"))
    shutil.rmtree(folder, ignore_errors=True)
    return shot if os.path.exists(shot) else None


def desktop_clicks(marbles, game_dir, solution_count):
    """Where the desktop game's replay of level 1 clicks its marbles (game pixels), in order."""
    folder = desktop_folder(game_dir, '\ngame::Replay( "data/levels/chapter1_level01.solution" )\n')
    game = subprocess.Popen([marbles], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            env=dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy"))
    log_path = os.path.join(folder, "log.txt")
    won = wait_for_file_line(log_path, "Level complite", 180)
    game.kill()
    game.wait()
    with open(log_path, errors="replace") as log:
        points = [(int(x), int(y)) for x, y in re.findall(r"Replay: click at (-?\d+), (-?\d+)", log.read())]
    shutil.rmtree(folder, ignore_errors=True)
    return points[-solution_count:] if won and len(points) >= solution_count else None


def solution_clicks(game_dir):
    with open(os.path.join(game_dir, "data", "levels", "chapter1_level01.solution")) as solution:
        return [int(step) for step, _ in re.findall(r"^click (\d+) (\d+)", solution.read(), re.M)]


def same_title(first, second):
    """Whether two title pictures agree within the tolerance, and what was found."""
    sizes = [subprocess.run(["identify", "-format", "%wx%h", path], capture_output=True, text=True).stdout
             for path in (first, second)]
    if sizes[0] != sizes[1] or not sizes[0]:
        return False, "sizes %s and %s" % tuple(sizes)
    compare = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", first, second, "null:"],
                             capture_output=True, text=True)
    differing = float(re.match(r"[0-9.e+]*", compare.stderr.strip()).group(0) or 0)
    width, height = (int(v) for v in sizes[0].split("x"))
    share = differing / (width * height)
    return share <= TITLE_TOLERANCE, "%d of %d pixels differ (%.4f)" % (differing, width * height, share)


class Page:
    def __init__(self, browser, console):
        self.browser = browser
        self.console = console

    def canvas_rect(self):
        return self.browser.evaluate(
            "(() => { const r = document.getElementById('canvas').getBoundingClientRect();"
            " return {x: r.left, y: r.top, width: r.width, height: r.height}; })()")

    def click(self, x, y):
        """A real left click at the game pixel (x, y)."""
        rect = self.canvas_rect()
        page_x = rect["x"] + (x + 0.5) * rect["width"] / 640
        page_y = rect["y"] + (y + 0.5) * rect["height"] / 480
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            params = {"type": kind, "x": page_x, "y": page_y}
            if kind != "mouseMoved":
                params.update(button="left", clickCount=1)
            self.browser.call("Input.dispatchMouseEvent", params)

    def key(self, name, code):
        """A real key press and release of the key name (DOM key name, Windows key code)."""
        for kind in ("keyDown", "keyUp"):
            self.browser.call("Input.dispatchKeyEvent", {"type": kind, "key": name, "code": name,
                                                         "windowsVirtualKeyCode": code, "nativeVirtualKeyCode": code})

    def wait_page(self, condition, timeout):
        """Whether the page's JavaScript condition came true within timeout seconds."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if self.browser.evaluate(condition):
                return True
            time.sleep(0.1)
        return False

    def stored_level_list(self):
        """The player's level list as the page's IndexedDB holds it, or None."""
        path = PLAYER_FOLDER + "/level_list.xml"
        return self.browser.evaluate(
            "new Promise(resolve => { const open = indexedDB.open(%r);"
            " open.onerror = () => resolve(null);"
            " open.onsuccess = () => { try {"
            "  const get = open.result.transaction('FILE_DATA').objectStore('FILE_DATA').get(%r);"
            "  get.onsuccess = () => resolve(get.result ? new TextDecoder().decode(get.result.contents) : null);"
            "  get.onerror = () => resolve(null);"
            " } catch (e) { resolve(null); } }; })" % (PLAYER_FOLDER, path), await_promise=True)


def level_won(level_list, number):
    if not level_list:
        return False
    return any('level%02d.xml' % number in line and 'completed="1"' in line for line in level_list.splitlines())


def click_until(page, needle, count, timeout=60):
    """Clicks the middle of the picture every second until the count-th line with needle came."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if page.console.count(needle) >= count:
            return True
        page.click(320, 240)
        page.console.wait_for(needle, count, timeout=1)
    return page.console.count(needle) >= count


def main():
    if len(sys.argv) != 5:
        print(__doc__ or "usage: test_page.py WEB_BUILD_DIR DESKTOP_MARBLES GAME_DIR OUT_DIR")
        return 2
    web, marbles, game_dir, out = (os.path.abspath(arg) for arg in sys.argv[1:])
    missing = [tool for tool in ("chromium", "xvfb-run", "xdotool", "import", "compare", "identify")
               if not shutil.which(tool)]
    if missing or not os.path.exists(os.path.join(web, "marbles.wasm")):
        print("skipped: missing %s" % (", ".join(missing) or "the web build"))
        return 77
    os.makedirs(out, exist_ok=True)

    steps = solution_clicks(game_dir)
    reference = desktop_title(marbles, game_dir, out)
    check(reference is not None, "the desktop game shows its title on a virtual screen")
    points = desktop_clicks(marbles, game_dir, len(steps))
    check(points is not None, "the desktop game's replay of level 1 wins it and tells its %d clicks" % len(steps))

    browser = cdp.Browser(width=1280, height=1000)
    try:
        browser.open_page()
        page = Page(browser, cdp.Console(browser))
        with cdp.serve(web) as url:
            started = time.monotonic()
            browser.call("Page.navigate", {"url": url + "index.html"})
            shown = page.console.wait_for("Showing the title", timeout=60)
            if not check(shown is not None, "the page shows the title"):
                print(page.console.text())
                return 1
            print("      title %.2f s after the page was asked for" % (shown - started))
            time.sleep(1.5)
            rect = page.canvas_rect()
            shot = os.path.join(out, "title-web.png")
            browser.screenshot(shot, clip=rect)
            check(rect["width"] == 640 and rect["height"] == 480, "the picture is 640x480 at scale 1: %s" % rect)
            if reference:
                agree, note = same_title(shot, reference)
                check(agree, "the title matches the desktop's: " + note)

            page.key("F11", 122)
            check(page.wait_page("!!document.fullscreenElement", 10), "F11 puts the game on the whole screen")
            page.key("F11", 122)
            check(page.wait_page("!document.fullscreenElement", 10), "F11 again brings the page back")
            started_level = check(click_until(page, "Loading level: data/levels/chapter1_level01.xml", 1),
                                  "clicks lead from the title to level 1")
            if not started_level:
                browser.screenshot(os.path.join(out, "no-level1.png"), clip=page.canvas_rect())
            check(browser.evaluate("audioContexts.length > 0 && audioContexts.every(c => c.state === 'running')"),
                  "the game's sound runs after the first click")
            if points and started_level:
                level_start = page.console.wait_for("Loading level: data/levels/chapter1_level01.xml")
                previous = 0.0
                for step, (x, y) in zip(steps, points):
                    due = max(level_start + step * 0.05 + 1.5, previous + 0.15)
                    time.sleep(max(0.0, due - time.monotonic()))
                    page.click(x, y)
                    previous = time.monotonic()
                won = page.console.wait_for("Level complite", timeout=60) is not None
                check(won, "level 1 is won by its solution's clicks (\"Level complite\")")
                browser.screenshot(os.path.join(out, "level1-won.png"), clip=page.canvas_rect())
                time.sleep(2)
                check(level_won(page.stored_level_list(), 1), "the page's storage holds level 1 won")

            titles = page.console.count("Showing the title")
            browser.call("Page.reload")
            check(page.console.wait_for("Showing the title", titles + 1, timeout=60) is not None,
                  "the reloaded page shows the title")
            if points and started_level:
                check(level_won(page.stored_level_list(), 1), "after the reload level 1 is still won")
                check(click_until(page, "Loading level: data/levels/chapter1_level02.xml", 1),
                      "after the reload a click starts level 2, the first not won")
                time.sleep(1)
                browser.screenshot(os.path.join(out, "after-reload.png"), clip=page.canvas_rect())
                # Esc leads from the level to the title and from the title out of the game.
                page.key("Escape", 27)
                page.console.wait_for("Showing the title", titles + 2, timeout=20)
                page.key("Escape", 27)
                ended = page.wait_page("!document.getElementById('again').hidden", 20)
                browser.screenshot(os.path.join(out, "thanks.png"))
                check(ended, "Esc on the title ends the game and the page offers to play again")
            # The program's own end unwinds as an ExitStatus.
            errors = [text for _, text in page.console.lines
                      if text.startswith("exception") and "ExitStatus" not in text]
            check(not errors, "no uncaught exception in the page %s" % errors[:1])
    finally:
        browser.close()
    if failures:
        print("\n".join(["", "The page's console:"] + [text for _, text in page.console.lines][-60:]))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
