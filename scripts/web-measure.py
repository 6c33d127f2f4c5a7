#!/usr/bin/env python3
# Measures the browser build's budgets in headless Chromium and prints them: the download
# (marbles.js, .wasm and .data, each gzip -9), the time from asking for the page to the title,
# the frames per second in level 24 while its pile moves, and the tab's CPU at the title and
# in level 24. A report, not a test: nothing fails on a figure.
# Usage: scripts/web-measure.py [BUILD_WEB_DIR]
import gzip
import re
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
import cdp  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")

# Counts the game's frames that drew: every drawing call on the screen canvas marks the task
# it runs in, and one game frame runs in one task (between two of the loop's sleeps).
COUNT_FRAMES = """(() => {
  const ctx = Module.canvas.getContext('2d');
  window.drawnFrames = [];
  let marked = false;
  for (const name of ['putImageData', 'drawImage', 'fillRect']) {
    const original = ctx[name];
    ctx[name] = function (...args) {
      if (!marked) { marked = true; window.drawnFrames.push(performance.now()); queueMicrotask(() => { marked = false; }); }
      return original.apply(this, args);
    };
  }
})()"""


# Before the page's own scripts: once marbles.data is unpacked and before main runs, the
# start-up script gets one more line, so the game's loop logs its rates every second.
LOOP_STATS = """Object.defineProperty(window, 'Module', { configurable: true,
  get() { return window.measuredModule; },
  set(module) {
    module.onRuntimeInitialized = () => {
      const script = '/share/games/marbles/autoexec.txt';
      FS.writeFile(script, FS.readFile(script, { encoding: 'utf8' }) + '\\nsys_stats_seconds = 1\\n');
    };
    window.measuredModule = module;
  } });"""

LOOP_LINE = re.compile(r"loop: .*frames/s ([0-9.]+), flips/s ([0-9.]+)")


def download_sizes(folder):
    sizes = {}
    for name in ("marbles.js", "marbles.wasm", "marbles.data"):
        with open(os.path.join(folder, name), "rb") as data:
            raw = data.read()
        sizes[name] = (len(raw), len(gzip.compress(raw, 9)))
    return sizes


def process_ticks(pid):
    try:
        with open("/proc/%d/stat" % pid) as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return int(fields[11]) + int(fields[12])
    except OSError:
        return 0


def browser_processes(root):
    """The processes of the browser started as root, by kind: the renderers (the tab) and all."""
    parents, commands = {}, {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open("/proc/%s/cmdline" % entry, "rb") as cmdline:
                commands[int(entry)] = cmdline.read()
            with open("/proc/%s/stat" % entry) as stat:
                parents[int(entry)] = int(stat.read().rsplit(")", 1)[1].split()[1])
        except OSError:
            continue

    def descends(pid):
        while pid > 1:
            if pid == root:
                return True
            pid = parents.get(pid, 0)
        return False

    mine = [pid for pid in commands if descends(pid)]
    # Chromium rewrites its helpers' command lines, the switches then lie in one string.
    return {"renderer": [pid for pid in mine if b"--type=renderer" in commands[pid]], "all": mine}


def cpu_share(browser, seconds):
    """Per cent of one core the tab's renderer and the whole browser used over seconds."""
    processes = browser_processes(browser.process.pid)
    before = {kind: sum(process_ticks(pid) for pid in pids) for kind, pids in processes.items()}
    started = time.monotonic()
    time.sleep(seconds)
    elapsed = time.monotonic() - started
    after = {kind: sum(process_ticks(pid) for pid in pids) for kind, pids in processes.items()}
    return {kind: 100.0 * (after[kind] - before[kind]) / TICKS / elapsed for kind in processes}


def open_game(browser, url, needle, count=1):
    console = cdp.Console(browser)
    started = time.monotonic()
    browser.call("Page.navigate", {"url": url})
    shown = console.wait_for(needle, count, timeout=60)
    return console, (shown - started) if shown else None


def main():
    folder = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "build-web")
    sizes = download_sizes(folder)
    total = sum(packed for _, packed in sizes.values())
    for name, (raw, packed) in sizes.items():
        print("%-13s %9d bytes, %9d gzip -9" % (name, raw, packed))
    print("download      %9.2f MB gzip -9 (budget 5 MB)" % (total / 1e6))

    browser = cdp.Browser(width=1280, height=1000)
    try:
        browser.open_page()
        with cdp.serve(folder) as base:
            loads = []
            for _ in range(3):
                _, seconds = open_game(browser, base + "index.html", "Showing the title")
                loads.append(seconds if seconds is not None else float("inf"))
            print("page to title %9.2f s median of %s (budget 3 s)" %
                  (statistics.median(loads), ", ".join("%.2f" % s for s in loads)))
            time.sleep(2)
            title_cpu = cpu_share(browser, 5)
            print("cpu at title  renderer %.1f %%, whole browser %.1f %% of one core" %
                  (title_cpu["renderer"], title_cpu["all"]))

            browser.call("Page.addScriptToEvaluateOnNewDocument", {"source": LOOP_STATS})
            console, _ = open_game(browser, base + "index.html?level=24", "Loading level: data/levels/chapter2_level12.xml")
            browser.evaluate(COUNT_FRAMES)
            time.sleep(4)
            frames = browser.evaluate("window.drawnFrames")
            browser.screenshot("/tmp/marbles-web-level24.png")
            # The pile moves from the first drawn frame on; the rate over its first 1.5 s.
            window = [at for at in frames if frames and at - frames[0] < 1500]
            rate = (len(window) - 1) / ((window[-1] - window[0]) / 1000) if len(window) > 2 else 0
            moving = (frames[-1] - frames[0]) / 1000 if frames else 0
            loop = [LOOP_LINE.search(text).groups() for _, text in console.lines if LOOP_LINE.search(text)]
            print("level 24      game frames/s (flips/s) each second after loading: %s (budget 55)" %
                  ", ".join("%s (%s)" % pair for pair in loop))
            print("level 24      %9.1f screen updates/s over the first 1.5 s the pile moves;"
                  " %d over %.1f s" % (rate, len(frames), moving))
            level_cpu = cpu_share(browser, 5)
            print("cpu level 24  renderer %.1f %%, whole browser %.1f %% of one core (settling, then at rest)" %
                  (level_cpu["renderer"], level_cpu["all"]))
    finally:
        browser.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
