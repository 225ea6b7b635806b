"""A bounded random session on the real tessaly.exe: for about 90 seconds
(MONKEY_SECONDS), random clicks and keys on the main window, its menus, the
tray icon and its menu and every window that opens, with the Netscape peer
starting late and the update server answering slowly. The seed is printed at
the start; MONKEY_SEED runs the same session again.

Throughout: the program runs, no second copy of a modal window shows, and no
two message boxes show at once. At the end: File > Exit ends the program with
0, and cvbmarks.htm is a well-formed bookmark file that holds every bookmark
the session added (the session deletes none: in the organizer it only
sorts, saves, cancels and moves the selection). A failure prints the seed and
the last 50 actions."""

import collections
import os
import random
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import update_peer  # noqa: E402
from harness import MAIN, TRAY, wait_until  # noqa: E402
from test_bookmarks import STORED, BookmarkFileTestCase  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
ADD_TITLE = " Add Tessaly BookMark"
ORGANIZER_CLASS = "TfrmEditBookmarks"
MESSAGE_BOX = "#32770"
# The program's modal windows by class: never two of one class at once.
MODAL_CLASSES = ("TfrmAboutBox", "TfrmCustomSizes", "TfrmEditBookmarks", "TfrmAddBookmark", "TfrmUpdate",
                 "TfrmHotkeys", "TfrmOtherSize", "TfrmImageViewer")
# Menu items the session leaves alone: they end the program, or open another
# program (the help file and the home page in the system's browser; with
# "Open Bookmarks in Default Browser" on, every bookmark chosen would too).
SPARED = re.compile(r"^(E&?xit|Tessaly &?Help|Tessaly &?Home Page.*|Open Bookmarks in Default Browser)$")
# Organizer buttons the session may press: none of them deletes.
ORGANIZER_BUTTONS = ("Sort", "Save", "Cancel")
KEYS = ("Escape", "Return", "Tab", "space", "Down", "Up", "Left", "Right", "Home", "End", "a", "7", "BackSpace")


class Session:
    """The actions of one random session and what they added."""

    def __init__(self, test, rng):
        self.test, self.rng = test, rng
        self.driver, self.input = test.driver, test.input
        self.log = collections.deque(maxlen=int(os.environ.get("MONKEY_LOG") or 50))
        self.added = []  # titles of bookmarks added through the add dialog
        self.pending_title = None
        self.serial = 0

    def note(self, text):
        self.log.append("%7.2f %s" % (time.monotonic() - self.test.started, text))

    # What is on the screen ---------------------------------------------------------
    def windows(self):
        rows = []
        for line in self.driver.run("windows").lines:
            parts = line.split("\t")
            if len(parts) >= 4:
                rows.append((parts[2], parts[3]))
        return rows

    def check(self, rows):
        """The invariants that hold at every moment of the session."""
        self.test.assertTrue(self.test.program.running(), "the program ended")
        for cls in MODAL_CLASSES:
            self.test.assertLessEqual(sum(1 for c, _ in rows if c == cls), 1, "two %s at once: %s" % (cls, rows))
        boxes = [t for c, t in rows if c == MESSAGE_BOX]
        self.test.assertLessEqual(len(boxes), 1, "two message boxes at once: %s" % boxes)

    def screen_rect(self, window, control_rect):
        facts = self.driver.info(window)
        if not facts:
            return None
        left, top, right, bottom = facts["rect"]
        width, height = facts["client"]
        border = (right - left - width) // 2
        x0, y0 = left + border, bottom - border - height
        cl, ct, cw, ch = control_rect
        return x0 + cl, y0 + ct, x0 + cl + cw, y0 + ct + ch

    def click_in(self, rect):
        left, top, right, bottom = rect
        if right - left < 2 or bottom - top < 2:
            return
        x, y = self.rng.randrange(left + 1, right - 1), self.rng.randrange(top + 1, bottom - 1)
        self.note("click %d,%d" % (x, y))
        self.input.click(x, y)

    # Actions ------------------------------------------------------------------------
    def step(self):
        rows = self.windows()
        self.check(rows)
        if self.driver.menus():
            return self.in_menu()
        box = next((t for c, t in rows if c == MESSAGE_BOX), None)
        if box is not None and self.rng.random() < 0.8:
            return self.answer_box()
        modal = next((w for w in rows if w[0] in MODAL_CLASSES), None)
        if modal and self.rng.random() < 0.85:
            return self.in_window(modal)
        choice = self.rng.random()
        if choice < 0.3:
            return self.tray_menu(modal is not None or box is not None)
        if choice < 0.55:
            return self.main_menu()
        if choice < 0.9:
            return self.main_window()
        return self.other()

    def answer_box(self):
        box = self.driver.message_box(500)
        if not box:
            return
        button = self.rng.choice(box["buttons"])
        self.note("answer %r to %r" % (button, box["text"][:50]))
        self.driver.run("answer", button, 2000)

    def in_menu(self):
        menus = self.driver.menus()
        if not menus or menus[-1]["items"] is None or self.rng.random() < 0.1:
            self.note("Escape in a menu")
            self.input.key("Escape")
            return
        items = [i for i in menus[-1]["items"]
                 if i["kind"] != "separator" and i["enabled"] and not SPARED.match(i["caption"])]
        if not items:
            self.input.key("Escape")
            return
        item = self.rng.choice(items)
        left, top, right, bottom = item["rect"]
        self.note("menu item %r" % item["caption"])
        self.input.click((left + right) // 2, (top + bottom) // 2)
        time.sleep(0.15)

    def tray_menu(self, modal_up):
        icons = self.driver.tray_icons()
        if not icons:
            return
        x, y = icons[0]
        self.input.move(x - 3, y)
        self.input.move(x, y)
        if self.rng.random() < 0.15:
            self.note("double-click the tray icon")
            self.input.double_click(x, y)
            return
        self.note("right-click the tray icon%s" % (" (a modal window is up)" if modal_up else ""))
        self.input.click(x, y, 3)
        time.sleep(0.3)
        if modal_up:
            self.test.assertEqual(self.driver.menus(), [], "the tray opened its menu while a modal window was up")

    def main_menu(self):
        facts = self.driver.info(MAIN)
        if not facts or not facts["visible"] or not facts["enabled"]:
            return
        bar = self.driver.menu_bar(MAIN)
        if not bar or not bar["items"]:
            return
        item = self.rng.choice(bar["items"])
        left, top, right, bottom = item["rect"]
        self.note("menu bar %r" % item["caption"])
        self.input.click((left + right) // 2, (top + bottom) // 2)
        time.sleep(0.2)

    def main_window(self):
        facts = self.driver.info(MAIN)
        if not facts or not facts["visible"]:
            return
        controls = [c for c in self.driver.children(MAIN) if c["visible"]]
        if self.rng.random() < 0.1:
            self.note("close box of the main window")
            self.driver.run("post-message", *MAIN, "WM_CLOSE", 0, 0)
            return
        control = self.rng.choice(controls)
        rect = self.screen_rect(MAIN, control["rect"])
        if rect:
            self.note("main window: %s %r" % (control["class"], control["caption"]))
            self.click_in(rect)

    def other(self):
        if self.rng.random() < 0.5:
            key = self.rng.choice(KEYS)
            self.note("key %s" % key)
            self.input.key(key)
        else:
            self.note("click the peer")
            facts = self.driver.info(PEER)
            if facts:
                self.click_in(facts["rect"])

    def in_window(self, window):
        cls, title = window
        if cls == "TfrmAddBookmark" and title == ADD_TITLE and self.rng.random() < 0.5:
            return self.add_bookmark(window)
        controls = [c for c in self.driver.children(window) if c["visible"] and c["enabled"]]
        if cls == ORGANIZER_CLASS:
            controls = [c for c in controls if c["class"] != "Button" or c["caption"] in ORGANIZER_BUTTONS]
        choice = self.rng.random()
        if choice < 0.1:
            self.note("close box of %s" % cls)
            self.driver.run("sysclose", *window)
        elif choice < 0.35 and cls != ORGANIZER_CLASS:
            key = self.rng.choice(KEYS)
            self.note("key %s in %s" % (key, cls))
            self.driver.run("foreground", *window)
            self.input.key(key)
        elif controls:
            control = self.rng.choice(controls)
            rect = self.screen_rect(window, control["rect"])
            if rect:
                self.note("%s: %s %r" % (cls, control["class"], control["caption"]))
                if cls == ORGANIZER_CLASS and control["class"] == "SysTreeView32":
                    self.driver.run("foreground", *window)
                    self.input.key(self.rng.choice(("Down", "Up", "Home", "End")))
                else:
                    self.click_in(rect)

    def add_bookmark(self, window):
        self.serial += 1
        title = "Monkey %d-%d" % (self.test.seed % 1000, self.serial)
        self.note("add bookmark %r" % title)
        if not self.driver.run("set-text", *window, 0, title).ok:
            return
        self.driver.run("set-text", *window, 1, "http://monkey.example/%d" % self.serial)
        if self.driver.run("click", *window, "Add").ok:
            # Added once the dialog has gone with the Add button (not refused).
            if self.driver.wait_gone(window, 2000):
                self.added.append(title)

    # The end ------------------------------------------------------------------------
    def settle(self):
        """Answers and closes whatever is open, until only the main window is left."""
        deadline = time.monotonic() + 40
        while time.monotonic() < deadline:
            if self.driver.menus():
                self.input.key("Escape")
                time.sleep(0.2)
                continue
            rows = self.windows()
            box = next((t for c, t in rows if c == MESSAGE_BOX), None)
            if box is not None:
                found = self.driver.message_box(500)
                if found:
                    button = "Cancel" if "Cancel" in found["buttons"] else found["buttons"][0]
                    self.note("settle: answer %r to %r" % (button, found["text"][:50]))
                    self.driver.run("answer", button, 2000)
                continue
            modal = next((w for w in rows if w[0] in MODAL_CLASSES), None)
            if modal is None:
                return
            if modal[0] == "TfrmUpdate":
                self.driver.run("click", *modal, "Cancel")
            self.note("settle: close %s" % modal[0])
            self.driver.run("sysclose", *modal)
            self.driver.wait_gone(modal, 3000)
        self.test.fail("the windows of the session would not close: %s" % self.windows())


class MonkeyTest(BookmarkFileTestCase):
    def test_random_session(self):
        self.seed = int(os.environ.get("MONKEY_SEED") or random.SystemRandom().randrange(1 << 31))
        seconds = float(os.environ.get("MONKEY_SECONDS") or 90)
        sys.stderr.write("monkey seed %d (MONKEY_SEED=%d reruns this session)\n" % (self.seed, self.seed))
        session = Session(self, random.Random(self.seed))
        try:
            self.run_session(session, seconds)
        except BaseException:
            sys.stderr.write("monkey seed %d; the last %d actions:\n%s\n" % (
                self.seed, len(session.log), "\n".join(session.log)))
            raise

    def run_session(self, session, seconds):
        self.place_file(STORED)
        self.register_ie_peer()
        self.install_netscape(delay_ms=6000)
        server = update_peer.UpdateServer(harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe"))
        self.addCleanup(server.stop)
        server.config.update(latest_version="2.02", download_url=server.url("/slow-download"), query_delay=2.0)
        self.store_settings(defaults={"UpdateURL": server.url("/update.asp")})
        self.start_peer(PEER[1], rect=(80, 60, 520, 420))
        self.program = self.start_tessaly()
        self.started = time.monotonic()
        steps = 0
        while time.monotonic() - self.started < seconds:
            session.step()
            steps += 1
        sys.stderr.write("monkey: %d actions in %.0f s, %d bookmarks added\n" % (
            steps, time.monotonic() - self.started, len(session.added)))
        if os.environ.get("MONKEY_LOG"):
            sys.stderr.write("\n".join(session.log) + "\n")
        session.settle()
        self.assertTrue(self.program.running(), "the program ended")
        if not self.driver.visible(MAIN):
            x, y = self.tray_icon()
            self.input.double_click(x, y)
            self.assertTrue(self.driver.wait_visible(MAIN, 5000), "the main window did not come back")
        self.exit_through_the_file_menu()
        self.assertEqual(self.program.wait(15), 0, "File > Exit did not end the program with 0")
        self.assert_well_formed(session.added)

    def exit_through_the_file_menu(self):
        """File > Exit, once the session's last clicks have settled: a combo box's
        list left dropped down takes the first click to close, so a click that
        opened no menu is made again."""
        for attempt in range(3):
            self.input.key("Escape")
            try:
                self.main_menu("&File", "E&xit")
                return
            except AssertionError:
                if attempt == 2:
                    raise

    def assert_well_formed(self, added):
        text = self.stored()
        self.assertTrue(text.startswith("<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n"), text[:200])
        depth = 0
        for line in text.split("\r\n"):
            depth += line.count("<DL><p>") - line.count("</DL><p>")
            self.assertGreaterEqual(depth, 0, "a list closed that was not opened: %r" % line)
        self.assertEqual(depth, 0, "lists left open")
        self.assertEqual(text.count("<A HREF="), text.count("</A>"))
        titles = re.findall(r'<A HREF="[^"]*"[^>]*>([^<]*)</A>', text)
        for title in ("Validator", "Safe Palette", "Home") + tuple(added):
            self.assertIn(title, titles, "a bookmark was lost")
        self.assertFalse(os.path.exists(self.file + ".new"), "a new file was left beside the bookmark file")
        self.assertEqual(self.driver.count(TRAY), 0)


if __name__ == "__main__":
    harness.main()
