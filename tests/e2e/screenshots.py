"""Takes the README's pictures of the real tessaly.exe's windows again, into
docs/screenshots: run by scripts/screenshots.sh (not a test). Each picture is
the window's rectangle off the screen, with a margin where a menu hangs out."""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import update_peer  # noqa: E402
from harness import MAIN, wait_until  # noqa: E402

OUT = os.path.join(harness.ROOT, "docs", "screenshots")
ABOUT = ("TfrmAboutBox", " About Tessaly")
HOTKEYS = ("TfrmHotkeys", " Tessaly Hotkeys")
OTHER_SIZE = ("TfrmOtherSize", " Other Size")
UPDATE = ("TfrmUpdate", " Tessaly Update")
ORGANIZER = ("TfrmEditBookmarks", " Organize Tessaly BookMarks")
PEER = ("TTestTarget", "Page Under Test")
VIEWER = ("TfrmImageViewer", " Tessaly Image Viewer")


class Screenshots(harness.E2ETestCase):
    def shoot(self, name, rect):
        """The screen's rectangle (left, top, right, bottom) as docs/screenshots/NAME.png."""
        left, top, right, bottom = rect
        with tempfile.TemporaryDirectory() as work:
            screen = os.path.join(work, "screen.png")
            self.input.screenshot(screen)
            subprocess.run(["convert", screen, "-crop", "%dx%d+%d+%d" % (right - left, bottom - top, left, top),
                            "+repage", os.path.join(OUT, name + ".png")], check=True)

    def window(self, window):
        self.assertTrue(self.driver.wait_visible(window, 5000), "%r did not open" % (window,))
        return self.driver.info(window)["rect"]

    def test_main_window_and_options_menu(self):
        self.start_tessaly()
        self.shoot("main-window", self.window(MAIN))
        self.main_menu("&Options")
        left, top, right, _ = self.window(MAIN)
        menu = self.driver.menus()[-1]["rect"]
        self.shoot("options-menu", (left, top, max(right, menu[2] + 2), menu[3] + 30))

    def test_dialogs(self):
        self.start_tessaly()
        self.main_menu("&Help", "&About...")
        self.shoot("about-box", self.window(ABOUT))
        self.driver.must("sysclose", *ABOUT)
        self.main_menu("&Options", "Hotkeys...")
        self.shoot("hotkeys", self.window(HOTKEYS))
        self.driver.must("sysclose", *HOTKEYS)
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.input.click(320, 98)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Other Size...")
        self.driver.must("set-text", *OTHER_SIZE, 0, "1280")
        self.driver.must("set-text", *OTHER_SIZE, 1, "720")
        self.shoot("other-size", self.window(OTHER_SIZE))
        self.driver.must("sysclose", *OTHER_SIZE)

    def test_organizer_with_its_pop_up_menu(self):
        program_dir = os.path.dirname(self.tessaly_path())
        file = os.path.join(program_dir, "cvbmarks.htm")
        with open(os.path.join(harness.ROOT, "bookmarks", "tests", "samples", "netscape4-bookmark.htm"), "rb") as f:
            sample = f.read()
        with open(file, "wb") as f:
            f.write(sample)
        self.addCleanup(os.remove, file)
        self.start_tessaly()
        self.main_menu("Bookmarks", "Organize Bookmarks...")
        rect = self.window(ORGANIZER)
        rows = {}
        for line in self.driver.must("tree-items", *ORGANIZER):
            _, _, row, _, _, text = line.split(" ", 5)
            rows[text] = tuple(int(v) for v in row.split(","))
        left, top, right, bottom = rows["Web Design"]
        self.input.click((left + right) // 2, (top + bottom) // 2, button=3)
        self.assertTrue(wait_until(lambda: len(self.driver.menus()) == 1, 3), "no pop-up menu")
        self.shoot("organizer", rect)
        self.input.key("Escape")
        self.driver.must("sysclose", *ORGANIZER)

    def test_update_window(self):
        server = update_peer.UpdateServer(harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe"))
        self.addCleanup(server.stop)
        server.config.update(latest_version="2.02", download_url=server.url("/slow-download"))
        self.store_settings(defaults={"UpdateURL": server.url("/update.asp")})
        self.start_tessaly()
        self.main_menu("&Help", "Check for Update...")
        self.shoot("update-checking", self.window(UPDATE))
        self.driver.must("click", *UPDATE, "Check Now")
        self.assertIsNotNone(self.driver.message_box(10000), "no offer")
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(wait_until(lambda: any("bytes of" in c["caption"] for c in self.driver.children(UPDATE)),
                                   10), "the download did not start")
        self.shoot("update-downloading", self.window(UPDATE))
        self.driver.must("click", *UPDATE, "Cancel")

    def test_viewer_in_the_deuteranopia_view_with_a_contrast(self):
        """A page made by scripts/make-page-picture.sh, its preview shown as
        deuteranopia sees it, the page's white clicked and the pointer on its
        blue title bar."""
        page = os.path.join(self.out, "page.bmp")
        subprocess.run(["bash", os.path.join(harness.ROOT, "scripts", "make-page-picture.sh"), page], check=True)
        self.start_tessaly()
        self.start_peer(PEER[1], rect=(40, 30, 700, 560), args=["--picture", "Z:" + page.replace("/", "\\")])
        self.input.click(370, 38)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Check Color", "Web Safe")
        rect = self.window(VIEWER)
        self.main_menu("&View", "&Deuteranopia", window=VIEWER)
        grab = os.path.join(self.out, "box.bmp")
        left, top = (int(v) for v in self.driver.must("grab-client", *VIEWER, "TScrollBox", "Z:" + grab.replace(
            "/", "\\"))[0].split(",")[:2])
        self.input.click(left + 450, top + 180)  # white, above the text
        self.input.move(left + 60, top + 20)  # the title bar
        self.assertTrue(wait_until(lambda: any("contrast" in c["caption"] for c in self.driver.children(VIEWER)),
                                   3), "no contrast in the status bar")
        self.shoot("viewer-deuteranopia", rect)


if __name__ == "__main__":
    harness.main()
