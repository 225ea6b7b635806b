"""Sizing from the tray menu of the real tessaly.exe, driven with the mouse and
keyboard as a user would: the window in front when the mouse reached the tray
icon is the one the "Active Window" commands size."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN, SETTINGS, wait_until  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
MENU = ("#32768", "*")  # the class of an open pop-up menu
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"
# The menus' rows from the top: "i" an item, "s" a separator.
TRAY_ROWS = "iiisiiisisi"          # Bookmarks .. Exit; "Active Window" is row 6
BROWSER_ROWS = "iisiiii"           # Check Color, Custom Sizes, -, the four presets
ACTIVE_WINDOW = 6
PRESET_ROW = {"640 x 480": 3, "800 x 600": 4, "Web TV": 5, "1024 x 768": 6}
CUSTOM_SIZES_ROW = 1
ITEM_HEIGHT, SEPARATOR_HEIGHT = 20, 8  # as the program measures its items


class TraySizingTest(harness.E2ETestCase):
    def peer_rect(self):
        return self.driver.info(PEER)["rect"]

    def bring_peer_to_front(self):
        left, top, right, _ = self.peer_rect()
        self.input.click((left + right) // 2, top + 8)  # its caption
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3),
                        "the peer window did not come to the front")

    def menus(self):
        return [tuple(int(v) for v in line.split(","))
                for line in self.driver.must("rects", *MENU)]

    def click_row(self, rect, rows, index):
        """Clicks the index-th row of an open menu whose rows are `rows`."""
        left, top, right, bottom = rect
        inner = sum(ITEM_HEIGHT if r == "i" else SEPARATOR_HEIGHT for r in rows)
        border = (bottom - top - inner) // 2
        self.assertTrue(0 <= border <= 6, "menu %s does not hold rows %s" % (rect, rows))
        y = top + border + sum(ITEM_HEIGHT if r == "i" else SEPARATOR_HEIGHT for r in rows[:index])
        self.input.click((left + right) // 2, y + ITEM_HEIGHT // 2)

    def open_submenu(self, rect, rows, index):
        """Clicks a sub-menu head and returns the rectangle of the menu it opens."""
        before = set(self.menus())
        self.click_row(rect, rows, index)
        opened = wait_until(lambda: set(self.menus()) - before, 3)
        self.assertTrue(opened, "the sub-menu did not open")
        return opened.pop()

    def open_active_window_menu(self):
        """Mouse onto the tray icon (which records the front window), right-click,
        and open "Active Window"; returns that sub-menu's rectangle."""
        x, y = self.tray_icon()
        self.input.move(x - 3, y)
        self.input.move(x, y)
        self.input.click(x, y, 3)
        self.assertTrue(wait_until(lambda: len(self.menus()) == 1, 5), "the tray menu did not open")
        return self.open_submenu(self.menus()[0], TRAY_ROWS, ACTIVE_WINDOW)

    def choose_preset(self, caption):
        self.click_row(self.open_active_window_menu(), BROWSER_ROWS, PRESET_ROW[caption])

    def wait_size(self, size):
        reached = wait_until(lambda: self.peer_size() == size, 5)
        self.assertTrue(reached, "peer is %s, not %s" % (self.peer_size(), size))

    def peer_size(self):
        left, top, right, bottom = self.peer_rect()
        return (right - left, bottom - top)

    def test_active_window_preset_with_bar_allowance(self):
        self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)  # Netscape Navigator tab
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.bring_peer_to_front()
        self.choose_preset("800 x 600")
        # Task bar "Horizontal" (the default choice) takes 28 pixels off the height.
        self.wait_size((808, 580))
        self.assertEqual(self.peer_rect()[:2], (120, 90), "the window's corner moved")
        self.assertEqual(self.driver.tab_index(MAIN), 1, "a tray command changed the tab")

    def test_web_tv_ignores_the_bar_choices(self):
        self.start_tessaly()
        self.driver.must("select-combo", *MAIN, 0, "Vertical")  # task bar
        self.start_peer(PEER[1], rect=(50, 60, 300, 200))
        self.bring_peer_to_front()
        self.choose_preset("Web TV")
        self.wait_size((568, 388))

    def test_custom_size_from_the_tray_is_applied_unchanged(self):
        self.driver.reg_set(CUSTOM_SIZES, "300 x 200", "dword", 1)
        self.start_tessaly()
        self.start_peer(PEER[1], rect=(200, 150, 500, 400))
        self.bring_peer_to_front()
        sizes = self.open_submenu(self.open_active_window_menu(), BROWSER_ROWS, CUSTOM_SIZES_ROW)
        self.click_row(sizes, "i", 0)
        self.wait_size((300, 200))
        self.assertEqual(self.peer_rect()[:2], (200, 150))
        self.assertEqual(self.driver.tab_index(MAIN), 0)

    def test_main_window_in_front_is_not_a_target(self):
        # The mouse must not rest on the tray icon while the peer comes up in
        # front: passing over the icon records the window in front.
        self.input.move(640, 500)
        self.start_tessaly()
        self.start_peer(PEER[1], rect=(100, 100, 400, 300))
        self.focus_main_window()  # this program's own window in front
        self.choose_preset("640 x 480")
        self.assertFalse(wait_until(lambda: self.peer_rect() != (100, 100, 500, 400), 1.5),
                         "a window was sized although none was recorded")
        main = self.driver.info(MAIN)["client"]
        self.assertEqual(main, harness.CLIENT_SIZE, "the program sized its own window")


if __name__ == "__main__":
    harness.main()
