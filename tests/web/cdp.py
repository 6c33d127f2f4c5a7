# A small client of Chromium's DevTools protocol over --remote-debugging-pipe (NUL-separated
# JSON on file descriptors 3 and 4), and a static file server for the page: all the browser
# tests of the web build need, from Python's standard library alone.
import base64
import contextlib
import fcntl
import functools
import http.server
import json
import os
import queue
import shutil
import socket
import subprocess
import tempfile
import threading
import time


class CdpError(RuntimeError):
    pass


def _above_four(fd):
    moved = fcntl.fcntl(fd, fcntl.F_DUPFD, 10)
    os.close(fd)
    return moved


class Browser:
    """Headless Chromium driven through the pipe; one page (tab) at a time."""

    def __init__(self, chromium="chromium", width=1000, height=800):
        self.profile = tempfile.mkdtemp(prefix="marbles-chromium-")
        to_browser_read, self._to_browser = os.pipe()
        self._from_browser, from_browser_write = os.pipe()
        # Above 4, so that moving them to 3 and 4 in the child cannot overwrite one another.
        to_browser_read, from_browser_write = (_above_four(fd) for fd in (to_browser_read, from_browser_write))

        def pipes_to_3_and_4():
            os.dup2(to_browser_read, 3)
            os.dup2(from_browser_write, 4)

        self.process = subprocess.Popen(
            [chromium, "--headless=new", "--remote-debugging-pipe", "--no-sandbox", "--no-first-run",
             "--no-default-browser-check", "--disable-extensions", "--mute-audio",
             "--user-data-dir=" + self.profile, "--window-size=%d,%d" % (width, height), "about:blank"],
            pass_fds=(3, 4), preexec_fn=pipes_to_3_and_4,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_browser_read)
        os.close(from_browser_write)
        self._next_id = 0
        self._replies = {}
        self._reply_ready = threading.Condition()
        self.events = queue.Queue()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()
        self.session = None

    def _read(self):
        buffer = b""
        while True:
            chunk = os.read(self._from_browser, 1 << 16)
            if not chunk:
                with self._reply_ready:
                    self._reply_ready.notify_all()
                return
            buffer += chunk
            while b"\0" in buffer:
                raw, buffer = buffer.split(b"\0", 1)
                message = json.loads(raw)
                if "id" in message:
                    with self._reply_ready:
                        self._replies[message["id"]] = message
                        self._reply_ready.notify_all()
                else:
                    self.events.put(message)

    def call(self, method, params=None, session=True, timeout=60):
        """Sends a command (to the attached page unless session is False); its result."""
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params or {}}
        if session and self.session:
            message["sessionId"] = self.session
        os.write(self._to_browser, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        with self._reply_ready:
            while self._next_id not in self._replies:
                left = deadline - time.monotonic()
                if left <= 0 or self.process.poll() is not None:
                    raise CdpError("no answer to " + method)
                self._reply_ready.wait(left)
            reply = self._replies.pop(self._next_id)
        if "error" in reply:
            raise CdpError("%s: %s" % (method, reply["error"]))
        return reply.get("result", {})

    def open_page(self):
        """Opens a new tab and attaches to it, with page, runtime and performance events on."""
        target = self.call("Target.createTarget", {"url": "about:blank"}, session=False)["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True},
                                 session=False)["sessionId"]
        for domain in ("Page", "Runtime", "Performance"):
            self.call(domain + ".enable")
        # A headless tab has no window focus of its own; the game would count as in the background.
        self.call("Emulation.setFocusEmulationEnabled", {"enabled": True})
        self.call("Page.bringToFront")

    def evaluate(self, expression, await_promise=False):
        result = self.call("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": await_promise})
        if "exceptionDetails" in result:
            raise CdpError("evaluate: %s" % result["exceptionDetails"])
        return result["result"].get("value")

    def screenshot(self, path, clip=None):
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(clip, scale=1)
        data = self.call("Page.captureScreenshot", params)["data"]
        with open(path, "wb") as out:
            out.write(base64.b64decode(data))

    def close(self):
        with contextlib.suppress(Exception):
            self.call("Browser.close", session=False, timeout=5)
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        os.close(self._to_browser)
        shutil.rmtree(self.profile, ignore_errors=True)


class Console:
    """The page's console lines (the game's log) as they arrive, with their arrival time."""

    def __init__(self, browser):
        self.browser = browser
        self.lines = []

    def pump(self):
        while True:
            try:
                event = self.browser.events.get_nowait()
            except queue.Empty:
                return
            if event.get("method") == "Runtime.consoleAPICalled":
                text = " ".join(str(arg.get("value", "")) for arg in event["params"]["args"])
                self.lines.append((time.monotonic(), text))
            elif event.get("method") == "Runtime.exceptionThrown":
                self.lines.append((time.monotonic(), "exception: %s" % event["params"]["exceptionDetails"]))

    def count(self, needle):
        self.pump()
        return sum(needle in text for _, text in self.lines)

    def wait_for(self, needle, count=1, timeout=60):
        """The arrival time of the count-th line holding needle; None when it did not come."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.pump()
            found = [at for at, text in self.lines if needle in text]
            if len(found) >= count:
                return found[count - 1]
            time.sleep(0.05)
        return None

    def text(self):
        self.pump()
        return "\n".join(text for _, text in self.lines)


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(folder):
    """Serves folder on 127.0.0.1 at a free port; yields the base URL."""
    handler = functools.partial(_QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield "http://127.0.0.1:%d/" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()
