"""Drives the real Tarvelo.exe under Wine for the end-to-end tests.

The program runs on the virtual display and in the Wine prefix that the test
run prepared (DISPLAY, WINEPREFIX). Input is real X input from xdotool; the
window tree is read from a second process (probe.exe); colours come from
screenshots of the X root. Every wait polls against a deadline.

A test script calls run(test) with a function taking a Session; the session
always ends the program it started, also when the test fails.
"""

import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

# The window as the program presents it: control ids are 100 + the position
# in the stored control order.
MAIN_TITLE, MAIN_CLASS = "Tarvelo", "WTWindow"
MAIN_RECT = [408, 189, 207, 389]  # centred on 1024 x 768: ((1024-207)/2, (768-389)/2)
CREDITS_CAPTION = "Ostrel 提示："
CREDITS_TEXT = "本软件由 Corvaly 制作\r\n 网址：http://www.corvaly.example"
WARNING_CAPTION = "提示"
WARNING_TEXT = "你都还没输入等级呢！请重新输入！"
MAKER_URL = "http://www.corvaly.example/"

LINK2, LINK1, GROUP2, GROUP1 = 100, 101, 102, 119
EDIT2, BUTTON4, TITLE9, EXPERIENCE8 = 109, 108, 104, 103
EDIT1, BUTTON1, COURAGE5, HP6 = 117, 116, 112, 111
NOT_QUERIED = "未查询！"
DOUBLE_CLICK_TIME = 0.6  # seconds; the system's is 0.5

# id, class, parent id (None: the window), place in the parent, initial text
CONTROLS = [
    (100, "TarveloHyperLinker", None, (8, 328, 184, 32), "→Corvaly←"),
    (101, "TarveloHyperLinker", None, (8, 304, 184, 32), "→制作人：Ostrel←"),
    (102, "Button", None, (5, 7, 192, 144), "Mibo堂 竞技等级速查"),
    (103, "TarveloLabel", 102, (72, 112, 107, 16), NOT_QUERIED),
    (104, "TarveloLabel", 102, (72, 88, 107, 24), NOT_QUERIED),
    (105, "TarveloLabel", 102, (15, 112, 64, 16), "总经验："),
    (106, "TarveloLabel", 102, (16, 88, 72, 24), "称号 ："),
    (107, "TarveloLabel", 102, (16, 56, 163, 32), "查询结果"),
    (108, "Button", 102, (128, 24, 56, 24), "查询"),
    (109, "Edit", 102, (72, 26, 48, 20), ""),
    (110, "TarveloLabel", 102, (7, 24, 60, 24), "输入等级:"),
    (111, "TarveloLabel", 119, (72, 112, 107, 16), NOT_QUERIED),
    (112, "TarveloLabel", 119, (72, 88, 107, 24), NOT_QUERIED),
    (113, "TarveloLabel", 119, (16, 112, 64, 16), "血量："),
    (114, "TarveloLabel", 119, (16, 88, 72, 24), "勇气值："),
    (115, "TarveloLabel", 119, (16, 56, 163, 32), "查询结果"),
    (116, "Button", 119, (128, 24, 56, 24), "查询"),
    (117, "Edit", 119, (72, 26, 48, 20), ""),
    (118, "TarveloLabel", 119, (7, 24, 60, 24), "输入等级:"),
    (119, "Button", None, (5, 160, 192, 144), "Mibo堂 探险等级速查"),
]


class TestFailure(Exception):
    pass


def wait_until(condition, timeout, what):
    """Polls condition() until it returns a true value, which it returns;
    fails with `what` when the deadline passes."""
    deadline = time.monotonic() + timeout
    last = None
    while True:
        try:
            result = condition()
            last = None
        except TestFailure as error:
            result, last = None, error
        if result:
            return result
        if time.monotonic() > deadline:
            detail = f" ({last})" if last else ""
            raise TestFailure(f"timed out after {timeout} s waiting for {what}{detail}")
        time.sleep(0.1)


class Window:
    """One window of a snapshot: the probe's fields, children as Windows."""

    def __init__(self, data, parent=None):
        self.data, self.parent = data, parent
        self.children = [Window(c, self) for c in data["children"]]

    hwnd = property(lambda self: self.data["hwnd"])
    id = property(lambda self: self.data["id"])
    cls = property(lambda self: self.data["class"])
    text = property(lambda self: self.data["text"])
    rect = property(lambda self: self.data["rect"])  # screen: left, top, width, height
    place = property(lambda self: self.data.get("place"))  # in the parent's client area
    visible = property(lambda self: self.data["visible"])
    enabled = property(lambda self: self.data["enabled"])
    style = property(lambda self: self.data["style"])

    def centre(self):
        left, top, width, height = self.rect
        return left + width // 2, top + height // 2

    def descendants(self):
        for child in self.children:
            yield child
            yield from child.descendants()

    def control(self, control_id):
        for w in self.descendants():
            if w.id == control_id:
                return w
        raise TestFailure(f"no control with id {control_id} in {self.cls} {self.text!r}")

    def __repr__(self):
        return f"<{self.cls} {self.text!r} id={self.id} rect={self.rect} visible={self.visible}>"


class Snapshot:
    def __init__(self, data):
        self.windows = [Window(w) for w in data["windows"]]
        self.focus, self.active = data["focus"], data["active"]
        self.code_page = data["acp"]  # the ANSI code page of the probe's (and so the program's) locale

    def top(self, cls, title):
        """The top-level window of that class and title, or None."""
        for w in self.windows:
            if w.cls == cls and w.text == title:
                return w
        return None

    def main(self):
        return self.top(MAIN_CLASS, MAIN_TITLE)

    def box(self, caption):
        return self.top("#32770", caption)

    def visible_main(self):
        w = self.main()
        return w if w and w.visible else None

    def visible_box(self, caption):
        w = self.box(caption)
        return w if w and w.visible else None

    def focused(self):
        """The focused window (as a Window), or None."""
        return self.find(self.focus)

    def find(self, hwnd):
        for top in self.windows:
            for w in [top, *top.descendants()]:
                if w.hwnd == hwnd:
                    return w
        return None


class Image:
    """A screenshot of the X root, as 8-bit RGB."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        fields, pos = [], 0
        while len(fields) < 4:  # P6, width, height, maximum
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        if fields[0] != b"P6" or fields[3] != b"255":
            raise TestFailure(f"unexpected screenshot format {fields}")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.pixels[i:i + 3])

    def count(self, rect, match):
        """How many pixels of the screen rectangle satisfy match(rgb); match
        may also be one colour."""
        if isinstance(match, tuple):
            colour = match
            match = lambda rgb: rgb == colour
        left, top, width, height = rect
        return sum(1 for y in range(top, top + height) for x in range(left, left + width)
                   if match(self.pixel(x, y)))

    def colours(self, rect, limit=8):
        """The most frequent colours in the rectangle, for failure messages."""
        counts = {}
        left, top, width, height = rect
        for y in range(top, top + height):
            for x in range(left, left + width):
                p = self.pixel(x, y)
                counts[p] = counts.get(p, 0) + 1
        return sorted(counts.items(), key=lambda kv: -kv[1])[:limit]


class Session:
    def __init__(self, name, exe, probe, out_dir, lang="zh_CN.UTF-8"):
        for var in ("DISPLAY", "WINEPREFIX"):
            if not os.environ.get(var):
                raise TestFailure(f"{var} is not set: run the end-to-end tests through scripts/test")
        self.name, self.out_dir = name, out_dir
        self.exe, self.probe = os.path.abspath(exe), os.path.abspath(probe)
        self.env = dict(os.environ, WINEDEBUG="-all", LANG=lang, LC_ALL=lang)
        self.process = None
        self.shots = 0
        self.last_click = (-100, -100, 0.0)
        os.makedirs(out_dir, exist_ok=True)
        self.scratch = tempfile.mkdtemp(prefix=f"tarvelo-{name}-")
        self.browser_log = os.path.join(self.scratch, "browser.log")

    # --- the program -----------------------------------------------------

    def install_fake_browser(self):
        """Makes winebrowser hand every address to a script that logs it, so
        that no real browser starts and the test can see what was opened."""
        script = os.path.join(self.scratch, "browser.sh")
        with open(script, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.browser_log}"\n')
        os.chmod(script, 0o755)
        if os.path.exists(self.browser_log):
            os.remove(self.browser_log)
        rc, _ = self.wine(["reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                           "/t", "REG_SZ", "/d", script, "/f"])
        if rc != 0:
            raise TestFailure(f"could not register the fake browser (reg exit code {rc})")

    def browser_calls(self):
        if not os.path.exists(self.browser_log):
            return []
        with open(self.browser_log, encoding="utf-8") as f:
            return f.read().splitlines()

    def start(self):
        if self.snapshot().main():
            raise TestFailure("a Tarvelo window of an earlier run is still open")
        self.install_fake_browser()
        self.process = subprocess.Popen(
            ["wine", self.exe], cwd=os.path.dirname(self.exe), env=self.env,
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def start_past_credits(self):
        """Starts the program, closes the credits box with Enter and returns
        the first snapshot in which the main window is visible."""
        self.start()
        self.wait_for(lambda s: s.visible_box(CREDITS_CAPTION) or s.visible_main(),
                      15, "the credits box or the main window")
        self.close_box(CREDITS_CAPTION)
        return self.wait_for(lambda s: s.visible_main() and not s.box(CREDITS_CAPTION) and s,
                             15, "the main window after the credits box")

    def close_box(self, caption):
        """Closes the message box with Enter, if it is open."""
        snap = self.snapshot()
        if snap.box(caption):
            self.xdotool("key", "Return")
            self.wait_for(lambda s: not s.box(caption), 10, f"the box {caption!r} to close")

    def exit_code(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"the program did not end within {timeout} s") from None

    def stop(self):
        """Ends the program if it still runs (by its PID)."""
        if self.process and self.process.poll() is None:
            self.process.kill()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                pass
        shutil.rmtree(self.scratch, ignore_errors=True)

    # --- looking ---------------------------------------------------------

    def wine(self, args, timeout=30):
        """Runs a Wine program to its end with its output in a file (never a
        pipe: Wine's services would inherit it and keep it open)."""
        with tempfile.TemporaryFile() as out:
            try:
                rc = subprocess.run(["wine", *args], env=self.env, stdin=subprocess.DEVNULL,
                                    stdout=out, stderr=subprocess.DEVNULL, timeout=timeout).returncode
            except subprocess.TimeoutExpired:
                raise TestFailure(f"wine {args[0]} did not end within {timeout} s") from None
            out.seek(0)
            return rc, out.read()

    def snapshot(self):
        rc, output = self.wine([self.probe, "windows"])
        if rc != 0:
            raise TestFailure(f"probe.exe failed with exit code {rc}")
        return Snapshot(json.loads(output.decode("utf-8")))

    def wait_for(self, condition, timeout, what):
        """Waits until condition(snapshot) is true; returns its value."""
        return wait_until(lambda: condition(self.snapshot()), timeout, what)

    def screenshot(self, label):
        """Captures the screen; also saved as build/e2e/<test>-<n>-<label>.png
        for a person to look at."""
        self.shots += 1
        stem = os.path.join(self.out_dir, f"{self.name}-{self.shots:02d}-{label}")
        subprocess.run(["import", "-window", "root", "-depth", "8", f"ppm:{stem}.ppm"],
                       env=self.env, check=True, timeout=20,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        subprocess.run(["convert", f"{stem}.ppm", f"{stem}.png"], check=True, timeout=20,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)
        image = Image(f"{stem}.ppm")
        os.remove(f"{stem}.ppm")
        return image

    def wait_for_image(self, condition, timeout, what, label):
        return wait_until(lambda: (lambda img: condition(img) and img)(self.screenshot(label)),
                          timeout, what)

    # --- real input ------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=20,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)

    def move_to(self, x, y):
        self.xdotool("mousemove", str(x), str(y))

    def click(self, window):
        """A single click at the window's centre. Two clicks on one spot
        within the double-click time would make a double click, which an edit
        box takes without taking the focus: keep them apart."""
        x, y = window.centre()
        last_x, last_y, last_time = self.last_click
        pause = DOUBLE_CLICK_TIME - (time.monotonic() - last_time)
        if abs(x - last_x) <= 4 and abs(y - last_y) <= 4 and pause > 0:
            time.sleep(pause)
        self.xdotool("mousemove", str(x), str(y), "click", "1")
        self.last_click = (x, y, time.monotonic())

    def key(self, *keys):
        self.xdotool("key", "--delay", "30", *keys)

    def type(self, text):
        self.xdotool("type", "--delay", "40", "--", text)


def fail(message):
    """For a wait's condition: not yet, and why (reported if time runs out)."""
    raise TestFailure(message)


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def expect(actual, expected, what):
    if actual != expected:
        raise TestFailure(f"{what}: expected {expected!r}, got {actual!r}")


def failure_report(session):
    """Whether the program had ended, and a screenshot of the moment."""
    if not session:
        return
    if session.process and session.process.poll() is not None:
        print(f"the program had ended, exit code {session.process.returncode}")
    try:
        session.screenshot("failure")
        print(f"screenshot: {session.out_dir}/{session.name}-{session.shots:02d}-failure.png")
    except Exception as error:  # the failure itself is what matters
        print(f"no screenshot: {error}")


def run(test, lang="zh_CN.UTF-8"):
    """Entry point of a test script: argv = exe, probe.exe, output folder."""
    if len(sys.argv) != 4:
        sys.exit(f"usage: {sys.argv[0]} Tarvelo.exe probe.exe output-folder")
    name = os.path.splitext(os.path.basename(sys.argv[0]))[0]
    # A stopped test (ctest's timeout, Ctrl+C) still ends the program it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(f"FAIL {name}: stopped"))
    session = None
    try:
        session = Session(name, *sys.argv[1:], lang=lang)
        test(session)
    except TestFailure as failure:
        print(f"FAIL {name}: {failure}")
        failure_report(session)
        sys.exit(1)
    except Exception:
        traceback.print_exc()
        print(f"FAIL {name}: error in the test")
        failure_report(session)
        sys.exit(1)
    finally:
        if session:
            session.stop()
    print(f"PASS {name}")
