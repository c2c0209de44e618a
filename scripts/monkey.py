#!/usr/bin/env python3
"""A monkey plays the game: random keys, drags, wheel turns and window sizes, for a while.

Starts the built game on a virtual display of its own (xvfb-run, software GL), sends random
player input through xdotool for the given number of seconds, answers the dialogs that come up
as a player would, and then checks that the game still runs, still answers a key, has written
no line it writes only on a fault it did not expect, and closes with status 0 when its window is
closed. Run it from anywhere:

    scripts/monkey.py [SECONDS] [--seed N] [--keep-going] [--game build/orvane]

The seed is printed; the same seed sends the same sequence of input again (the game's timing,
and so what the input meets, still varies from run to run). Only the standard library is used;
the display needs xvfb-run, xdotool and libX11.
"""

import argparse
import collections
import ctypes
import ctypes.util
import os
import random
import re
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SCREEN = (1600, 1000)

MAIN_TITLE = "Orvane"
CONSOLE_TITLE = "Orvane - Command Console"
NEXT_GAME_TITLE = "Choose your next game!"
NEW_GAME_TITLE = "New Game"
# The new-game dialog's bottom bar (New Game, Return, About, Exit) is this high; the monkey
# plays with everything above it.
NEW_GAME_BOTTOM_BAR = 45

# The main window's key table, as xdotool names the keys.
KEYS = ["Tab", "F9", "F15", "Escape", "Left", "Up", "Right", "Down", "i", "o", "m", "space",
        "a", "1", "t", "2", "b", "3", "r", "q", "h", "u", "F1", "F2", "F3", "F4", "F5"]

# Lines the game writes only when something went wrong that it did not expect. The others of
# its numbered errors report a handled condition, or never reach the log (the message box of a
# missing console). Besides the usual list: the scene's dummies and light missing, a tree shape
# or the game or its landscape not made, the cursor not placed, the frame limit not set, a
# landscape made for no game type.
FAULT_MARKS = [
    "Unexpected Exception:",
    "Error 0001:", "Error 0002:",
    "Error 0011:", "Error 0012: GLSceneViewer1", "Error 0013:", "Error 0014:",
    "Error 0016:", "Error 0017:", "Error 0018:",
    "Error 0003:", "Error 0004:", "Error 0005:", "Error 0007:", "Error 0008:",
    "Error 0010:", "Error 0015:", "Error x :",
]
# A window exactly as tall as the status bar leaves the view no height: the resize handler
# refuses it on purpose and writes its error line. That line is a fault only when the monkey
# did not just make the window that height.
STATUS_BAR_HEIGHT = 33
NO_ROOM_LINE = "Error 0012: GLSceneViewer1"
NO_ROOM_DELAY = 3.0  # seconds from the resize to its line in the log, at most

# How often each kind of input is chosen.
EVENT_WEIGHTS = {
    "key": 30,
    "ctrl_key": 8,
    "held_key": 6,
    "left_drag": 12,
    "right_drag": 8,
    "ctrl_left_drag": 6,
    "wheel": 10,
    "resize": 4,
}


def log(message):
    print(f"monkey: {message}", flush=True)


# ---- the X display: xdotool for input and queries, libX11 for the close box


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", XClientMessageEvent),
                ("pad", ctypes.c_long * 24)]


def click_close_box(window):
    """Sends what a window manager sends when the window's close box is clicked (there is no
    window manager on the virtual display)."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                               ctypes.POINTER(XEvent)]
    x11.XFlush.argtypes = [ctypes.c_void_p]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        raise RuntimeError("cannot open the display")
    try:
        event = XEvent()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = 0  # CurrentTime
        if not x11.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            raise RuntimeError("XSendEvent failed")
        x11.XFlush(display)
    finally:
        x11.XCloseDisplay(display)


class Xdo:
    """Runs xdotool, never for longer than a timeout, and counts what failed."""

    def __init__(self):
        self.failures = 0
        self.start = time.monotonic()
        # The last input sent, to show what came before a failure.
        self.trace = collections.deque(maxlen=60)

    def run(self, *args, timeout=10.0, check=False):
        """Runs one command (chain); check marks input, which is traced and whose failure
        counts."""
        if check:
            self.trace.append(f"{time.monotonic() - self.start:8.2f} s  xdotool "
                              + " ".join(map(str, args)))
        try:
            done = subprocess.run(["xdotool", *map(str, args)], capture_output=True, text=True,
                                  timeout=timeout)
        except subprocess.TimeoutExpired:
            self.failures += 1
            return None
        if done.returncode != 0:
            if check:
                self.failures += 1
            return None
        return done.stdout

    def windows(self, pid, name=""):
        """The visible top-level windows of the process whose title matches, as ids."""
        out = self.run("search", "--maxdepth", "1", "--all", "--onlyvisible", "--pid", pid,
                       "--name", name)
        return [int(w) for w in out.split()] if out else []

    def name(self, window):
        out = self.run("getwindowname", window)
        return out.rstrip("\n") if out is not None else None

    def geometry(self, window):
        out = self.run("getwindowgeometry", "--shell", window)
        if not out:
            return None
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        try:
            return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))
        except (KeyError, ValueError):
            return None

    def release_all(self):
        # Whatever a broken chain left pressed goes up again.
        self.run("keyup", "ctrl", "mouseup", "1", "mouseup", "3")


# ---- the game process and its log


class Game:
    def __init__(self, binary, log_path):
        self.lines = []
        self.read_at = []  # when each line came, to tell what caused it
        self.lock = threading.Lock()
        # One file for every game of the run, one after the other.
        self.log_file = open(log_path, "a", encoding="utf-8", errors="replace")
        # The log line by line even into a pipe, so that nothing is lost if the game dies.
        self.process = subprocess.Popen(
            ["stdbuf", "-oL", "-eL", binary, "--verbose"], cwd=REPO, stdout=subprocess.PIPE,
            stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL, text=True, errors="replace",
            preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_CORE,
                                                  (resource.RLIM_INFINITY, resource.RLIM_INFINITY)))
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.process.stdout:
            line = line.rstrip("\n")
            with self.lock:
                self.lines.append(line)
                self.read_at.append(time.monotonic())
            self.log_file.write(line + "\n")
            self.log_file.flush()

    @property
    def pid(self):
        return self.process.pid

    def running(self):
        return self.process.poll() is None

    def log_lines(self):
        with self.lock:
            return list(self.lines)

    def timed_lines(self):
        with self.lock:
            return list(zip(self.read_at, self.lines))

    def finish_reading(self):
        self.reader.join(timeout=5)
        self.log_file.close()

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()


def describe_status(status):
    if status is None:
        return "running"
    if status < 0:
        try:
            return f"killed by {signal.Signals(-status).name}"
        except ValueError:
            return f"killed by signal {-status}"
    return f"exit status {status}"


# ---- files the game writes that must not stay behind


class Litter:
    """Keeps the preferences file and the saved campaigns as they were and removes the
    screenshots the run takes."""

    def __init__(self):
        self.saved = os.path.join(REPO, "saved")
        self.saved_files = self._saved_files()
        self.campaign_files = 0
        self.preferences = os.path.join(REPO, "script", "Preferences.osc")
        self.saved_preferences = None
        if os.path.exists(self.preferences):
            with open(self.preferences, "rb") as f:
                self.saved_preferences = f.read()
        self.snapshots = os.path.join(REPO, "snapshot")
        self.old_snapshots = set(self._snapshot_files())
        self.removed_snapshots = 0

    def _saved_files(self):
        files = {}
        if os.path.isdir(self.saved):
            for name in os.listdir(self.saved):
                path = os.path.join(self.saved, name)
                if os.path.isfile(path):
                    with open(path, "rb") as f:
                        files[name] = f.read()
        return files

    def _snapshot_files(self):
        try:
            return [n for n in os.listdir(self.snapshots) if n.lower().endswith(".png")]
        except FileNotFoundError:
            return []

    def remove_snapshots(self, older_than=0.0):
        now = time.time()
        for name in self._snapshot_files():
            if name in self.old_snapshots:
                continue
            path = os.path.join(self.snapshots, name)
            try:
                if now - os.path.getmtime(path) >= older_than:
                    os.remove(path)
                    self.removed_snapshots += 1
            except FileNotFoundError:
                pass

    def restore(self):
        self.remove_snapshots()
        for name, data in self._saved_files().items():
            if self.saved_files.get(name) != data:
                self.campaign_files += 1
                path = os.path.join(self.saved, name)
                if name in self.saved_files:
                    with open(path, "wb") as f:
                        f.write(self.saved_files[name])
                else:
                    os.remove(path)
        if self.saved_preferences is None:
            if os.path.exists(self.preferences):
                os.remove(self.preferences)
        else:
            with open(self.preferences, "wb") as f:
                f.write(self.saved_preferences)
        for name in os.listdir(os.path.dirname(self.preferences)):
            if name.startswith("Preferences.osc") and name.endswith(".new"):
                os.remove(os.path.join(os.path.dirname(self.preferences), name))


# ---- the monkey


class Monkey:
    def __init__(self, game, rng, xdo, litter):
        # The input comes from one stream of numbers and the answers to windows, which come
        # when the game's timing says, from another: a seed always makes the same input.
        self.rng = rng
        self.tending = random.Random(rng.random())
        self.xdo = xdo
        self.litter = litter
        self.counts = collections.Counter()
        self.keys = collections.Counter()
        self.no_room_times = []  # when the window was made as tall as the status bar
        self.console_since = None
        self.console_patience = 0.0
        self.attach(game)

    def attach(self, game):
        """Plays this game from now on."""
        self.game = game
        self.main = None
        self.console_since = None
        self.console_rect = None
        self.stuck = collections.Counter()
        self.new_game_played = False

    # -- windows

    def find_main(self, timeout):
        """Waits for the main window to show, or for the game to end."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and self.game.running():
            found = self.xdo.windows(self.game.pid, f"^{MAIN_TITLE}$")
            # A message box carries the main window's title too: the main window is the
            # first one shown, and stays.
            if found:
                if self.main not in found:
                    self.main = found[0]
                return True
            time.sleep(0.2)
        return False

    def other_windows(self):
        """The visible windows beside the main window, by title."""
        result = []
        for window in self.xdo.windows(self.game.pid):
            if window == self.main:
                continue
            name = self.xdo.name(window)
            if name:  # the root and Qt's helpers have no title
                result.append((window, name))
        return result

    def tend_windows(self, closing=False):
        """Answers the dialogs, and closes the console when it has been open long enough (at
        once when closing). Returns whether any window beside the main window is visible."""
        others = self.other_windows()
        console_open = False
        for window, name in others:
            if name.startswith(CONSOLE_TITLE):
                console_open = True
                geometry = self.xdo.geometry(window)
                if geometry:
                    x, y, w, h = geometry
                    self.console_rect = (x, y, x + w, y + h)
                now = time.monotonic()
                if self.console_since is None:
                    self.console_since = now
                    self.console_patience = self.tending.uniform(0.5, 8.0)
                if closing or now - self.console_since > self.console_patience:
                    self.close_console(window)
            elif name.startswith(NEXT_GAME_TITLE):
                self.answer_next_game(window, closing)
            elif name.startswith(NEW_GAME_TITLE) and not closing and not self.new_game_played:
                self.play_with_new_game(window)
                self.new_game_played = True
            else:
                self.close_other(window, name)
        if not any(name.startswith(NEW_GAME_TITLE) for _, name in others):
            self.new_game_played = False  # played with once each time it shows
        if not console_open:
            self.console_since = None
            self.console_rect = None
        return bool(others)

    def close_console(self, window):
        how = self.tending.choice(["Escape", "F9", "Tab to main"])
        if how == "Tab to main":
            self.xdo.run("windowfocus", self.main, "key", "Tab", check=True)
        else:
            self.xdo.run("windowfocus", window, "key", how, check=True)
        self.counts[f"console closed ({how})"] += 1
        self.console_since = None
        time.sleep(0.1)

    def answer_next_game(self, window, closing):
        # Escape first, sometimes; a dialog that stays gets a choice.
        self.stuck[window] += 1
        if self.stuck[window] == 1 and not closing and self.tending.random() < 0.3:
            answer = "Escape"
        else:
            answer = self.tending.choice(["1", "2", "3"])
        self.xdo.run("windowfocus", window, "key", answer, check=True)
        self.counts[f"next-game dialog answered ({answer})"] += 1
        time.sleep(0.2)

    def play_with_new_game(self, window):
        """Clicks about the new-game dialog (its tabs, sliders, boxes, the campaign's buttons
        and level list) and types into what has the focus; the next tending closes it."""
        geometry = self.xdo.geometry(window)
        if not geometry:
            return
        x, y, w, h = geometry
        for _ in range(self.tending.randint(1, 8)):
            px = x + self.tending.randrange(2, max(3, w - 2))
            py = y + self.tending.randrange(2, max(3, h - NEW_GAME_BOTTOM_BAR))
            self.xdo.run("mousemove", px, py, "click", "1")
            if self.tending.random() < 0.3:
                typed = "".join(self.tending.choice("0123456789-aZ_/ ") for _ in range(3))
                self.xdo.run("type", "--delay", "5", typed)
            self.counts["new-game dialog clicked"] += 1
            time.sleep(0.05)

    def close_other(self, window, name):
        self.stuck[window] += 1
        if self.stuck[window] == 1 and self.counts[f"window '{name}' closed (Escape)"] < 5:
            log(f"a window '{name}' showed, at {self.xdo.geometry(window)}: Escape")
        self.xdo.run("windowfocus", window, "key", "Escape", check=True)
        self.counts[f"window '{name}' closed (Escape)"] += 1
        if self.stuck[window] == 20:
            log(f"window '{name}' does not close with Escape")
        time.sleep(0.2)

    # -- input

    def view_rect(self):
        """The part of the screen where the main window's view shows, or None."""
        geometry = self.xdo.geometry(self.main)
        if not geometry:
            return None
        x, y, w, h = geometry
        # The view fills the window above the status bar; what lies off the screen is out of
        # the pointer's reach.
        right = min(SCREEN[0], x + w)
        bottom = min(SCREEN[1], y + max(1, h - 33))
        if right <= x or bottom <= y:
            return None
        return x, y, right, bottom

    def point_in(self, rect):
        """A point of the rectangle, where the console does not cover it if that can be found."""
        left, top, right, bottom = rect
        tries = [(self.rng.randrange(left, right), self.rng.randrange(top, bottom))
                 for _ in range(10)]
        c = self.console_rect
        free = [(x, y) for x, y in tries if not c or not (c[0] <= x < c[2] and c[1] <= y < c[3])]
        return (free or tries)[0]

    def key_name(self):
        key = self.rng.choice(KEYS)
        self.keys[key] += 1
        return key

    def send_key(self):
        self.xdo.run("windowfocus", self.main, "key", self.key_name(), check=True)

    def send_ctrl_key(self):
        self.xdo.run("windowfocus", self.main, "key", "ctrl+" + self.key_name(), check=True)

    def send_held_key(self):
        # Long enough for the keyboard's own repeat to start now and then.
        key = self.key_name()
        hold = f"{self.rng.uniform(0.2, 2.0):.2f}"
        if self.rng.random() < 0.25:
            chain = ["keydown", "ctrl", "keydown", key, "sleep", hold, "keyup", key, "keyup",
                     "ctrl"]
        else:
            chain = ["keydown", key, "sleep", hold, "keyup", key]
        if self.xdo.run("windowfocus", self.main, *chain, timeout=15, check=True) is None:
            self.xdo.release_all()

    def send_drag(self, button, ctrl):
        rect = self.view_rect()
        if not rect:
            return
        x, y = self.point_in(rect)
        chain = ["mousemove", x, y]
        if ctrl:
            chain += ["keydown", "ctrl"]
        chain += ["mousedown", button]
        for _ in range(self.rng.randint(2, 15)):
            # Mostly over the view, now and then beyond it.
            if self.rng.random() < 0.1:
                x, y = self.rng.randrange(SCREEN[0]), self.rng.randrange(SCREEN[1])
            else:
                x, y = self.point_in(rect)
            chain += ["mousemove", x, y, "sleep", f"{self.rng.uniform(0.01, 0.12):.2f}"]
        chain += ["mouseup", button]
        if ctrl:
            chain += ["keyup", "ctrl"]
        if self.xdo.run(*chain, timeout=15, check=True) is None:
            self.xdo.release_all()

    def send_wheel(self):
        rect = self.view_rect()
        if not rect:
            return
        x, y = self.point_in(rect)
        button = self.rng.choice([4, 5])
        self.xdo.run("mousemove", x, y, "click", "--repeat", self.rng.randint(1, 6), "--delay",
                     self.rng.randint(5, 80), button, check=True)

    def send_resize(self):
        kind = self.rng.random()
        if kind < 0.3:  # tiny
            w, h = self.rng.randint(1, 120), self.rng.randint(1, 120)
        elif kind < 0.7:
            w, h = self.rng.randint(200, 1000), self.rng.randint(150, 800)
        else:  # as large as the screen, or larger
            w, h = self.rng.randint(1000, 2600), self.rng.randint(700, 1600)
        if h == STATUS_BAR_HEIGHT:
            self.no_room_times.append(time.monotonic())
        self.xdo.run("windowsize", self.main, w, h, check=True)

    def send_event(self):
        kind = self.rng.choices(list(EVENT_WEIGHTS), weights=list(EVENT_WEIGHTS.values()))[0]
        if kind == "key":
            self.send_key()
        elif kind == "ctrl_key":
            self.send_ctrl_key()
        elif kind == "held_key":
            self.send_held_key()
        elif kind == "left_drag":
            self.send_drag(1, False)
        elif kind == "right_drag":
            self.send_drag(3, False)
        elif kind == "ctrl_left_drag":
            self.send_drag(1, True)
        elif kind == "wheel":
            self.send_wheel()
        elif kind == "resize":
            self.send_resize()
        self.counts[kind] += 1

    def play(self, seconds):
        start = time.monotonic()
        deadline = start + seconds
        next_cleanup = start + 30
        while time.monotonic() < deadline:
            if not self.game.running():
                break
            if not self.find_main(timeout=5):
                break
            self.tend_windows()
            self.send_event()
            time.sleep(self.rng.uniform(0.02, 0.4))
            if time.monotonic() > next_cleanup:
                # Screenshots are big: they go as the run goes.
                self.litter.remove_snapshots(older_than=5)
                next_cleanup += 30
        return time.monotonic() - start

    # -- the checks at the end

    def settle(self, timeout=20):
        """Closes every window beside the main window, as a player would."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline and self.game.running():
            if not self.tend_windows(closing=True):
                return True
            time.sleep(0.3)
        return False

    def answers_a_key(self):
        """Tab shows the console and Tab in the main window hides it again."""
        for _ in range(3):
            if not self.game.running() or not self.settle():
                continue
            self.xdo.release_all()
            self.xdo.run("windowfocus", self.main, "key", "Tab")
            out = self.xdo.run("search", "--sync", "--maxdepth", "1", "--all", "--onlyvisible",
                               "--pid", self.game.pid, "--name", f"^{CONSOLE_TITLE}",
                               timeout=10)
            if not out:
                continue
            self.xdo.run("windowfocus", self.main, "key", "Tab")
            deadline = time.monotonic() + 10
            while time.monotonic() < deadline:
                if not any(n.startswith(CONSOLE_TITLE) for _, n in self.other_windows()):
                    return True
                time.sleep(0.2)
        return False


def fault_lines(timed_lines, no_room_times):
    """The fault lines, and the lines that look like faults but are known or were caused on
    purpose (no_room_times: when the window was made as tall as the status bar)."""
    found, known = [], []
    for at, line in timed_lines:
        if not any(mark in line for mark in FAULT_MARKS):
            continue
        handled = (line.startswith(NO_ROOM_LINE)
                   and any(0 <= at - sent <= NO_ROOM_DELAY for sent in no_room_times))
        (known if handled else found).append(line)
    return found, known


def backtrace(binary, pid, keep_core):
    """The backtrace of a core the crash left in the working folder; the core goes out of it,
    kept in the temporary folder or removed."""
    for name in (f"core.{pid}", "core"):
        core = os.path.join(REPO, name)
        if os.path.exists(core):
            break
    else:
        return ["no core file (see /proc/sys/kernel/core_pattern)"]
    kept = os.path.join(tempfile.gettempdir(), f"orvane-monkey-core.{pid}")
    shutil.move(core, kept)
    lines = [f"core kept as {kept}" if keep_core else "core removed"]
    if shutil.which("gdb"):
        done = subprocess.run(["gdb", "-q", "-batch", "-ex", "bt", binary, kept],
                              capture_output=True, text=True, timeout=300)
        frames = [line for line in done.stdout.splitlines()
                  if line.startswith(("#", "Program terminated"))]
        lines += [line for n, line in enumerate(frames) if line not in frames[:n]]
    else:
        lines.append("no gdb for a backtrace")
    if not keep_core:
        os.remove(kept)
    return lines


def report_crash(number, status, frames, trace, lines):
    log(f"crash {number}: {describe_status(status)}")
    for line in frames:
        print(f"  {line}")
    log("the last input sent before it (seconds since the monkey started):")
    for line in trace:
        print(f"  {line}")
    log("the log's last 50 lines before it:")
    for line in lines[-50:]:
        print(f"  | {line}")


def run_on_display(args):
    seed = args.seed if args.seed is not None else int(time.time() * 1000) % 2**31
    rng = random.Random(seed)
    binary = os.path.abspath(args.game)
    log(f"seed {seed}; {args.seconds:g} s; game {binary}")
    log(f"replay with: {os.path.relpath(__file__, REPO)} {args.seconds:g} --seed {seed}"
        + (" --keep-going" if args.keep_going else ""))
    if not os.access(binary, os.X_OK):
        log(f"FAIL: no game at {binary}")
        return 1

    xdo = Xdo()
    litter = Litter()
    log_fd, log_path = tempfile.mkstemp(prefix="orvane-monkey-", suffix=".log")
    os.close(log_fd)
    monkey = Monkey(None, rng, xdo, litter)
    failures = []
    crashes = []  # the status of each game that ended during the run
    lines = []  # the logs of every game, one after the other, with the time each line came
    ran = 0.0
    responsive = closed_cleanly = None
    deadline = None  # the time counts from the first window shown
    game = None
    logged = False  # whether the last game's log is in lines
    try:
        while True:
            game = Game(binary, log_path)
            logged = False
            monkey.attach(game)
            if not monkey.find_main(timeout=90):
                failures.append("the main window did not show")
                break
            time.sleep(1.0)  # the first landscape is made while the window shows
            if deadline is None:
                deadline = time.monotonic() + args.seconds
            ran += monkey.play(max(0.0, deadline - time.monotonic()))
            xdo.release_all()
            if game.running():
                break
            # The game ended under the monkey's hands.
            status = game.process.wait()
            game.finish_reading()
            crashes.append(status)
            frames = (backtrace(binary, game.pid, keep_core=len(crashes) == 1)
                      if status < 0 else [])
            report_crash(len(crashes), status, frames, list(xdo.trace), game.log_lines())
            xdo.trace.clear()
            lines += game.timed_lines()
            logged = True
            if not args.keep_going or time.monotonic() >= deadline:
                break
            log(f"{deadline - time.monotonic():.0f} s to go: the game starts again")
        if game and game.running():
            responsive = monkey.answers_a_key()
            if not responsive:
                failures.append("the game did not answer Tab with its console")
            monkey.settle(timeout=10)
            try:
                click_close_box(monkey.main)
                status = game.process.wait(timeout=15)
                closed_cleanly = status == 0
                if not closed_cleanly:
                    failures.append(f"closing the main window ended the game with "
                                    f"{describe_status(status)}")
            except subprocess.TimeoutExpired:
                closed_cleanly = False
                failures.append("the game did not end within 15 s of its window closing")
            except (OSError, RuntimeError) as error:
                closed_cleanly = False
                failures.append(f"could not close the main window: {error}")
    finally:
        if game:
            game.kill()
            game.finish_reading()
        litter.restore()

    if game and not logged:
        lines += game.timed_lines()
    faults, known = fault_lines(lines, monkey.no_room_times)
    if crashes:
        failures.append(f"{len(crashes)} time(s) the game ended during the run")
    if faults:
        failures.append(f"{len(faults)} fault line(s) in the log")

    print()
    log("---- summary ----")
    log(f"seed: {seed}")
    log(f"seconds run: {ran:.1f} of {args.seconds:g}")
    log(f"events sent: {sum(monkey.counts[k] for k in EVENT_WEIGHTS)}")
    for kind, count in sorted(monkey.counts.items(), key=lambda item: (-item[1], item[0])):
        log(f"  {kind}: {count}")
    log("keys: " + ", ".join(f"{k} {n}" for k, n in sorted(monkey.keys.items(),
                                                          key=lambda item: -item[1])))
    log(f"xdotool commands that failed: {xdo.failures}")
    log(f"crashes: {len(crashes)}"
        + (f" ({', '.join(describe_status(s) for s in crashes)})" if crashes else ""))
    log(f"still answering at the end: {responsive}")
    log(f"closed cleanly (status 0): {closed_cleanly}")
    log(f"fault lines: {len(faults)}")
    for line in faults[:50]:
        log(f"  {line}")
    for line in sorted(set(known)):
        log(f"not counted, known or caused on purpose: {known.count(line)} x {line}")
    log(f"log lines: {len(lines)}; screenshots removed: {litter.removed_snapshots}; "
        f"campaign files written and removed: {litter.campaign_files}")
    if failures:
        for failure in failures:
            log(f"FAIL: {failure}")
        if not crashes:
            log("the last input sent (seconds since the monkey started):")
            for line in xdo.trace:
                print(f"  {line}")
            log(f"the log's last 50 lines (whole log kept in {log_path}):")
            for _, line in lines[-50:]:
                print(f"  | {line}")
        else:
            log(f"whole log kept in {log_path}")
        return 1
    os.remove(log_path)
    log("PASS")
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("seconds", nargs="?", type=float, default=60.0,
                        help="how long to send input (default 60)")
    parser.add_argument("--seed", type=int, help="random seed (default: from the time)")
    parser.add_argument("--game", default=os.path.join(REPO, "build", "orvane"),
                        help="the game's program (default build/orvane)")
    parser.add_argument("--keep-going", action="store_true",
                        help="start the game again after a crash, until the time is up")
    parser.add_argument("--on-display", action="store_true", help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.on_display:
        return run_on_display(args)
    # A display of its own, with software rendering.
    env = dict(os.environ, LIBGL_ALWAYS_SOFTWARE="1")
    command = ["xvfb-run", "-a", "-s", f"-screen 0 {SCREEN[0]}x{SCREEN[1]}x24",
               sys.executable, os.path.abspath(__file__), "--on-display", str(args.seconds),
               "--game", args.game]
    if args.seed is not None:
        command += ["--seed", str(args.seed)]
    if args.keep_going:
        command.append("--keep-going")
    return subprocess.call(command, env=env)


if __name__ == "__main__":
    sys.exit(main())
