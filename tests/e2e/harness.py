"""Machinery of the end-to-end tests: runs the real program under Wine and acts on
it from outside through tdriver.exe (window and registry queries, messages) and
xdotool (real mouse and keyboard input on the Wine virtual desktop's X display).

The Wine environment (WINEPREFIX, DISPLAY, a persistent wineserver) comes from
scripts/wine-env.sh; ctest passes the programs in TESSALY_EXE, TDRIVER_EXE and
TTARGET_EXE. Python standard library only.
"""

import os
import subprocess
import sys
import tempfile
import time
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUILD = os.path.join(ROOT, "build", "win64")

MAIN = ("TfrmMain", " Tessaly 2")
APP = ("TApplication", "Tessaly 2")
TRAY = ("TPUtilWindow", "*")
MESSAGE_BOX = ("#32770", "*")
MENU = ("#32768", "*")  # an open drop-down or pop-up menu

SETTINGS = r"\Software\Corvane\Tessaly"
POSITION = SETTINGS + r"\Position"
DEFAULTS = SETTINGS + r"\Defaults"

DEFAULT_LEFT, DEFAULT_TOP = 1068, 109
CLIENT_SIZE = (200, 283)

WM_QUERYENDSESSION = 0x0011
WM_ENDSESSION = 0x0016


def program_path(variable, default):
    path = os.environ.get(variable) or os.path.join(BUILD, default)
    return path


def output_dir():
    path = os.environ.get("E2E_OUTPUT_DIR") or os.path.join(BUILD, "tests", "e2e")
    os.makedirs(path, exist_ok=True)
    return path


def _rect(text):
    return tuple(int(v) for v in text.split(","))


def _centre(rect):
    left, top, right, bottom = rect
    return (left + right) // 2, (top + bottom) // 2


def _shows(item, caption):
    """Whether a menu item (Driver.menus) has this caption, with or without its "&"."""
    return caption in (item["caption"], without_accelerator(item["caption"]))


def without_accelerator(caption):
    """A caption as shown: "E&xit" -> "Exit", "&&" -> "&"."""
    out, i = [], 0
    while i < len(caption):
        if caption[i] == "&" and i + 1 < len(caption):
            i += 1
        out.append(caption[i])
        i += 1
    return "".join(out)


def wait_until(condition, timeout=5.0, interval=0.05):
    """Polls until condition() is true; returns its last value."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value or time.monotonic() >= deadline:
            return value
        time.sleep(interval)


class Result:
    def __init__(self, code, out, err):
        self.code = code
        self.lines = out.splitlines()
        self.err = err

    @property
    def ok(self):
        return self.code == 0

    @property
    def text(self):
        return "\n".join(self.lines)


class Driver:
    """tdriver.exe, one Wine process per call (about 0.1 s with a persistent server)."""

    def __init__(self, path):
        self.path = path

    # The driver's own exit codes: done, not found (or timed out), usage mistake.
    ANSWERS = (0, 10, 11)

    def run(self, *args, timeout=30):
        # Now and then, more often on a busy machine, Wine ends a process before
        # its program runs, with exit code 1 and no word: the driver did nothing
        # then, and is started again.
        for attempt in range(3):
            result = self._run_once(args, timeout)
            if result.code in self.ANSWERS:
                break
            sys.stderr.write("tdriver %s did not run (exit code %s)%s\n" % (
                " ".join(str(a) for a in args), result.code, ": started again" if attempt < 2 else ""))
        if not result.ok and result.err.strip():
            # What the driver said of its last failed lookup, for a failure report.
            self.last_failure = "%s: %s" % (" ".join(str(a) for a in args), result.err.strip())
        return result

    def _run_once(self, args, timeout):
        # Files, not pipes: the first Wine process of a session starts the desktop
        # process, which inherits the output handles and would hold a pipe open
        # long after the driver has ended.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            completed = subprocess.run(["wine", self.path] + [str(a) for a in args],
                                       stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                       timeout=timeout)
            out.seek(0)
            err.seek(0)
            return Result(completed.returncode, out.read().decode("utf-8", "replace"),
                          err.read().decode("utf-8", "replace"))

    def must(self, *args, timeout=30):
        result = self.run(*args, timeout=timeout)
        if not result.ok:
            raise AssertionError("tdriver %s failed (%d): %s %s" % (
                " ".join(repr(str(a)) for a in args), result.code, result.text, result.err))
        return result.lines

    # Windows -----------------------------------------------------------------
    def find(self, window):
        result = self.run("find", *window)
        return result.lines[0] if result.ok else None

    def count(self, window):
        return int(self.must("count", *window)[0])

    def wait_window(self, window, ms=10000):
        return self.run("wait-window", *window, ms, timeout=ms / 1000 + 30).ok

    def wait_gone(self, window, ms=10000):
        return self.run("wait-gone", *window, ms, timeout=ms / 1000 + 30).ok

    def wait_visible(self, window, ms=10000):
        return self.run("wait-visible", *window, ms, timeout=ms / 1000 + 30).ok

    def wait_hidden(self, window, ms=10000):
        return self.run("wait-hidden", *window, ms, timeout=ms / 1000 + 30).ok

    def info(self, window):
        """The facts of `tdriver info` as a dict: rect and client as int tuples,
        style and exstyle as ints, the 0/1 facts as bools; None if not found."""
        result = self.run("info", *window)
        if not result.ok:
            return None
        facts = {}
        for line in result.lines:
            key, _, value = line.partition(" ")
            facts[key] = value
        for key in ("rect", "client"):
            facts[key] = tuple(int(v) for v in facts[key].split(","))
        for key in ("style", "exstyle"):
            facts[key] = int(facts[key], 16)
        for key in ("visible", "minimized", "topmost", "enabled", "foreground"):
            facts[key] = facts[key] == "1"
        owner, _, owner_class = facts["owner"].partition(" ")
        facts["owner"], facts["owner_class"] = owner, owner_class
        return facts

    def fact(self, window, key):
        """One fact of `info`, or None while there is no such window."""
        facts = self.info(window)
        return facts[key] if facts else None

    def visible(self, window):
        return bool(self.fact(window, "visible"))

    def active(self):
        result = self.run("active")
        if not result.ok:
            return None
        hwnd, window_class, title = (result.lines[0].split("\t") + ["", ""])[:3]
        return hwnd, window_class, title

    def children(self, window):
        rows = []
        for line in self.must("children", *window):
            cls, caption, rect, visible, enabled, ident, hwnd = line.split("\t")
            rows.append({"class": cls, "caption": caption,
                         "rect": tuple(int(v) for v in rect.split(",")),
                         "visible": visible == "1", "enabled": enabled == "1",
                         "id": int(ident), "hwnd": hwnd})
        return rows

    def items(self, kind, window, index):
        """(selected index, [item texts]) of the index-th combo or list box."""
        lines = self.must(kind, *window, index)
        selected = int(lines[0].split(" ", 1)[1])
        return selected, [line[len("item "):] for line in lines[1:]]

    def combo_boxes(self, window):
        """Every combo box of the window as (selected, items), in z-order."""
        boxes = []
        for line in self.must("combos", *window):
            if line.startswith("combo "):
                boxes.append((int(line[len("combo "):]), []))
            else:
                boxes[-1][1].append(line[len("item "):])
        return boxes

    def tab_index(self, window):
        return int(self.must("tab-index", *window)[0])

    def tab_items(self, window):
        """The tab control's items as [(text, (left, top, right, bottom))], screen
        coordinates, read with TCM_GETITEMCOUNT, TCM_GETITEM and TCM_GETITEMRECT."""
        lines = self.must("tab-items", *window)
        count = int(lines[0].split(" ", 1)[1])
        items = []
        for line in lines[1:]:
            rect, _, text = line[len("item "):].partition(" ")
            items.append((text, tuple(int(v) for v in rect.split(","))))
        assert len(items) == count, lines
        return items

    def focus(self):
        """(class, text) of the window with the keyboard focus, or None."""
        result = self.run("focus")
        if not result.ok:
            return None
        window_class, text, _ = result.lines[0].split("\t")
        return window_class, text

    def message_box(self, ms=5000):
        """The visible message box as a dict (caption, text, icon, buttons), or None."""
        result = self.run("msgbox", ms, timeout=ms / 1000 + 30)
        if not result.ok:
            return None
        box = {"buttons": []}
        for line in result.lines:
            key, _, value = line.partition(" ")
            if key == "button":
                box["buttons"].append(value)
            else:
                box[key] = value.replace("\\n", "\n") if key == "text" else value
        return box

    # Registry (HKEY_LOCAL_MACHINE; a path that begins "HKCU\": the current user's) --
    def reg_get(self, path, name):
        """("dword", int) / ("sz", text) / ("missing", None) / ("nokey", None)."""
        result = self.run("reg-get", path, name)
        kind, _, value = result.lines[0].partition(" ") if result.lines else ("?", "", "")
        if kind == "dword":
            return kind, int(value)
        if kind in ("missing", "nokey"):
            return kind, None
        return kind, value

    def reg_set(self, path, name, kind, value):
        self.must("reg-set", path, name, kind, value)

    def reg_values(self, path):
        result = self.run("reg-values", path)
        if not result.ok:
            return None
        return [tuple(line.split("\t")) for line in result.lines]

    def reg_key_exists(self, path):
        return self.run("reg-key-exists", path).ok

    def reg_delete_key(self, path):
        return self.run("reg-delete-key", path).ok

    # Menus -------------------------------------------------------------------------
    @staticmethod
    def _menus(lines):
        menus = []
        for line in lines:
            fields = line.split("\t")
            if fields[0] == "menu":
                menus.append({"hwnd": fields[1], "rect": _rect(fields[2]),
                              "items": None if fields[3] == "-1" else []})
            elif fields[0] == "item" and menus and menus[-1]["items"] is not None:
                rect, kind, enabled, text = fields[1], fields[2], fields[3], "\t".join(fields[4:])
                menus[-1]["items"].append({"rect": _rect(rect), "kind": kind,
                                           "enabled": enabled.startswith("1"),
                                           "checked": enabled.endswith("c"), "caption": text})
        return menus

    def menus(self):
        """The open drop-down and pop-up menus, the outermost first, each a dict:
        hwnd, rect, items (None when the program did not say). Each item: rect
        (screen l, t, r, b), kind ("item", "submenu", "separator"), enabled,
        checked, caption (as the program holds it, "&" marks included)."""
        result = self.run("menus")
        return self._menus(result.lines) if result.ok else []

    def menu_bar(self, window):
        """The menu bar of a window, in the form of one entry of menus()."""
        menus = self._menus(self.must("menu-bar", *window))
        return menus[0] if menus else None

    # Notification area -----------------------------------------------------------
    def tray_icons(self):
        """Centres (x, y) of the icons in the task bar's notification area, the
        first one added first (rightmost)."""
        result = self.run("tray-icons")
        if not result.ok:
            return []
        centres = []
        for line in result.lines:
            x, y = line.split(" ")[0].split(",")
            centres.append((int(x), int(y)))
        return centres


class Input:
    """Real input through the X server that the Wine virtual desktop fills from
    0,0: Windows screen coordinates are X coordinates."""

    def __init__(self, display):
        self.display = display

    def xdotool(self, *args):
        subprocess.run(["xdotool"] + [str(a) for a in args], check=True, timeout=30,
                       env=dict(os.environ, DISPLAY=self.display))

    def move(self, x, y):
        # Not --sync: that waits for the pointer to move, forever when it is
        # already there.
        self.xdotool("mousemove", x, y)
        time.sleep(0.05)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def double_click(self, x, y):
        self.move(x, y)
        self.xdotool("click", "--repeat", 2, "--delay", 80, 1)

    def drag(self, start, end):
        self.move(*start)
        self.xdotool("mousedown", 1)
        # In steps, so that the window's move loop sees the mouse travel.
        steps = 5
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i // steps,
                      start[1] + (end[1] - start[1]) * i // steps)
            time.sleep(0.03)
        self.xdotool("mouseup", 1)

    def key(self, *keys):
        for key in keys:
            self.xdotool("key", "--delay", 50, key)
            time.sleep(0.1)

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       timeout=30, check=False, capture_output=True)


class Program:
    """One run of a Windows program; its exit code passes through wine."""

    def __init__(self, path, log_path, args=()):
        self.path = path
        self.log_path = log_path
        self.log = open(log_path, "ab")
        # TESSALY_TEST_MENUS: the program tells the driver what its open menus
        # hold (framework/win/menu_probe.h).
        self.process = subprocess.Popen(["wine", path] + list(args), stdin=subprocess.DEVNULL,
                                        stdout=self.log, stderr=subprocess.STDOUT,
                                        env=dict(os.environ, TESSALY_TEST_MENUS="1"))

    def running(self):
        return self.process.poll() is None

    def wait(self, timeout=10.0):
        """The exit code, or None if it is still running after timeout seconds."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def state(self):
        """What a failure report says of this run: running or its exit code,
        and the last lines of what it printed (Wine prints faults there)."""
        self.log.flush()
        with open(self.log_path, "rb") as f:
            lines = f.read().decode("utf-8", "replace").splitlines()[-15:]
        code = self.process.poll()
        head = "%s: %s" % (os.path.basename(self.path),
                           "running" if code is None else "ended with %s" % code)
        return "\n".join([head] + ["    " + line for line in lines])

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait(timeout=10)
        self.log.close()


class E2ETestCase(unittest.TestCase):
    """Starts each test from a clean slate (no program running, no settings) and
    leaves none behind; a failing test leaves a screenshot in the output folder."""

    def setUp(self):
        if not os.environ.get("WINEPREFIX"):
            self.fail("no Wine prefix: run through scripts/test.sh (or source "
                      "scripts/wine-env.sh and call wine_env_start)")
        self.driver = Driver(program_path("TDRIVER_EXE", "tests/wine/tdriver.exe"))
        self.input = Input(os.environ["DISPLAY"])
        self.out = output_dir()
        self.programs = []
        self.end_strays()
        self.reset_settings()

    def tearDown(self):
        if self.failed():
            self.screenshot()  # before the program is ended
            self.report_state()
        self.end_strays()
        for program in self.programs:
            program.kill()

    def failed(self):
        """Whether the test body failed (unittest keeps this in its outcome)."""
        outcome = getattr(self, "_outcome", None)
        if outcome is None:
            return False
        if getattr(outcome, "errors", None) is not None:  # Python up to 3.10
            return any(error for _, error in outcome.errors)
        result = outcome.result
        return any(test is self for test, _ in result.failures + result.errors)

    # Programs ----------------------------------------------------------------------
    def tessaly_path(self):
        path = program_path("TESSALY_EXE", "app/tessaly.exe")
        if not os.path.exists(path):
            self.fail("the program is not built: %s" % path)
        return path

    def start(self, path=None, args=()):
        program = Program(path or self.tessaly_path(),
                          os.path.join(self.out, self.id().split(".")[-1] + ".log"), args)
        self.programs.append(program)
        return program

    def start_tessaly(self, visible=True, path=None):
        """Starts the program (the built one, or a copy at path) and waits until it
        is up: its main window shown, or (hidden start) its tray icon's window there."""
        program, up = self.start_until(path, (), lambda: self._wait_up(visible))
        if not up:
            self.fail("the program did not come up %s (exit code %s; windows: %s)" % (
                "with its main window shown" if visible else "hidden in the tray",
                program.wait(0), self.driver.run("active").text))
        return program

    def _wait_up(self, visible):
        if visible:
            return self.driver.wait_visible(MAIN, 15000)
        return self.driver.wait_window(TRAY, 15000) and self.driver.wait_window(MAIN, 15000)

    def start_until(self, path, args, up):
        """Starts a program and waits with up(); returns the program and up's answer.
        One that ended with 1 before it was up is started once more: Wine ends a
        process so now and then (see Driver.run), and a real failure shows again."""
        program = self.start(path, args)
        shown = up()
        if not shown and program.wait(0) == 1:
            sys.stderr.write("%s ended with 1 before it was up: started again\n" % os.path.basename(program.path))
            program = self.start(path, args)
            shown = up()
        return program, shown

    def start_peer(self, title, rect=(100, 100, 400, 300), window_class="TTestTarget", args=()):
        path = program_path("TTARGET_EXE", "tests/wine/ttarget.exe")
        peer_args = ["--class", window_class, "--title", title,
                     "--rect", ",".join(str(v) for v in rect)] + list(args)
        program, up = self.start_until(path, peer_args,
                                       lambda: self.driver.wait_visible((window_class, title), 10000))
        self.assertTrue(up, "the target window %r did not show" % title)
        return program

    def end_strays(self):
        """Ends whatever a previous test left running, through the system."""
        windows = (MAIN, APP, TRAY, ("TTestTarget", "*"))
        if not self.driver.run("end-all", 15000, *[part for window in windows for part in window]).ok:
            self.fail("a window of a previous test outlived its process: %s" % self.driver.run("windows").text)

    # Settings ------------------------------------------------------------------------
    def reset_settings(self):
        self.driver.reg_delete_key(SETTINGS)
        self.assertFalse(self.driver.reg_key_exists(SETTINGS), "settings could not be removed")

    def store_settings(self, position=None, defaults=None):
        """Writes values as {name: int or str}: ints as REG_DWORD, texts as REG_SZ."""
        for path, values in ((POSITION, position), (DEFAULTS, defaults)):
            for name, value in (values or {}).items():
                kind = "dword" if isinstance(value, int) else "sz"
                self.driver.reg_set(path, name, kind, value)

    # Input as a user gives it ------------------------------------------------------
    def focus_main_window(self):
        """Clicks the main window's caption, as a user does before typing."""
        facts = self.driver.info(MAIN)
        self.assertTrue(facts and facts["visible"], "the main window is not shown")
        left, top, right, _ = facts["rect"]
        focused = False
        for _ in range(2):  # a click while the machine is busy is sometimes lost
            self.input.click((left + right) // 2, top + 8)
            focused = wait_until(lambda: (self.driver.active() or ("", "", ""))[1] == MAIN[0], 3)
            if focused:
                break
        self.assertTrue(focused, "the main window did not become the active window")

    def menu_keys(self, opening, *keys):
        """Drives the main menu with the keyboard, e.g. menu_keys("alt+f", "x"):
        the rest of the keys go only once the drop-down menu is open."""
        self.focus_main_window()
        self.input.key(opening)
        self.assertTrue(self.driver.wait_visible(MENU, 3000), "%s opened no menu" % opening)
        self.input.key(*keys)

    def open_menus(self):
        """The open menus as the driver reads them (Driver.menus), each read whole."""
        menus = self.driver.menus()
        self.assertTrue(all(m["items"] is not None for m in menus),
                        "the program did not describe its open menus: %s" % menus)
        return menus

    def menu_click(self, *captions):
        """Chooses items of the open menus by caption with the mouse, as a user
        does: each caption in the innermost open menu that holds it, so
        menu_click("Active Window", "800 x 600") in the open tray menu opens the
        sub-menu and chooses the size. Captions match with or without their "&"."""
        for caption in captions:
            menus = wait_until(self.open_menus, 3)
            self.assertTrue(menus, "no menu is open to choose %r from" % caption)
            found = next(((depth, item) for depth in range(len(menus) - 1, -1, -1)
                          for item in menus[depth]["items"] if _shows(item, caption)), None)
            self.assertTrue(found, "no open menu holds %r: %s" % (
                caption, [[i["caption"] for i in m["items"]] for m in menus]))
            depth, item = found
            x, y = _centre(item["rect"])
            m_left, m_top, m_right, m_bottom = menus[depth]["rect"]
            width, height = (int(v) for v in self.driver.must("screen")[0].split())
            self.assertTrue(max(m_left, 0) <= x < min(m_right, width) and
                            max(m_top, 0) <= y < min(m_bottom, height),
                            "%r is not on the screen in its menu %s: %s" % (
                                caption, menus[depth]["rect"], item))
            self.input.click(x, y)
            if item["kind"] == "submenu":
                self.assertTrue(wait_until(lambda: self._submenu_opened(menus, depth), 3),
                                "%r opened no sub-menu" % caption)

    def _submenu_opened(self, before, depth):
        """Whether the menu chain now ends in a new sub-menu right below depth."""
        now = self.driver.menus()
        if len(now) != depth + 2 or now[-1]["items"] is None:
            return False
        return len(before) <= depth + 1 or now[-1]["items"] != before[depth + 1]["items"]

    def main_menu(self, *captions, window=MAIN):
        """Opens an entry of the main window's (or another window's) menu bar
        with the mouse and chooses the rest of the captions from it (see
        menu_click)."""
        bar = self.driver.menu_bar(window)
        self.assertTrue(bar and bar["items"] is not None, "the menu bar is unreadable")
        entries = [item for item in bar["items"] if _shows(item, captions[0])]
        self.assertTrue(entries, "no %r in the menu bar: %s" % (
            captions[0], [item["caption"] for item in bar["items"]]))
        self.input.click(*_centre(entries[0]["rect"]))
        self.assertTrue(wait_until(lambda: len(self.driver.menus()) == 1, 3),
                        "%r opened no menu" % captions[0])
        self.menu_click(*captions[1:])

    def open_tray_menu(self):
        """Moves the mouse onto the tray icon (which records the window in front)
        and right-clicks it; returns once the tray menu is open."""
        x, y = self.tray_icon()
        self.input.move(x - 3, y)
        self.input.move(x, y)
        self.input.click(x, y, 3)
        self.assertTrue(wait_until(lambda: len(self.driver.menus()) == 1, 5),
                        "the tray menu did not open")

    def tray_icon(self):
        """Where the program's notification icon sits (the first and only one)."""
        icons = wait_until(self.driver.tray_icons, 5)
        self.assertTrue(icons, "no icon in the notification area")
        self.assertEqual(len(icons), 1, "more icons than the program's: %s" % icons)
        return icons[0]

    def report_state(self):
        """Writes what was on the screen and how the test's programs stood when
        it failed, for a failure seen only on another machine."""
        last = getattr(self.driver, "last_failure", None)
        if last:
            sys.stderr.write("the driver's last failed lookup: %s\n" % last)
        sys.stderr.write("windows on the screen:\n%s\n" % self.driver.run("windows").text)
        for program in self.programs:
            sys.stderr.write(program.state() + "\n")

    def screenshot(self):
        path = os.path.join(self.out, self.id().split(".")[-1] + ".png")
        self.input.screenshot(path)
        sys.stderr.write("screenshot: %s\n" % path)


def main():
    unittest.main(verbosity=2)
