"""Sizing from the tray menu of the real tessaly.exe, driven with the mouse and
keyboard as a user would: the window in front when the mouse reached the tray
icon is the one the "Active Window" commands size."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN, SETTINGS, wait_until  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"


class TraySizingTest(harness.E2ETestCase):
    def peer_rect(self):
        return self.driver.info(PEER)["rect"]

    def bring_peer_to_front(self):
        left, top, right, _ = self.peer_rect()
        self.input.click((left + right) // 2, top + 8)  # its caption
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3),
                        "the peer window did not come to the front")

    def choose_preset(self, caption):
        """Mouse onto the tray icon (which records the front window), right-click,
        and choose the size under "Active Window"."""
        self.open_tray_menu()
        self.menu_click("Active Window", caption)

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
        self.open_tray_menu()
        self.menu_click("Active Window", "Custom Sizes", "300 x 200")
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
