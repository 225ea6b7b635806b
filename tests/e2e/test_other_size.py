""""Other Size..." under the tray's "Active Window" in the real tessaly.exe."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN, SETTINGS, wait_until  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
DIALOG = ("TfrmOtherSize", " Other Size")
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"


class OtherSizeTest(harness.E2ETestCase):
    def open_dialog(self, width, height):
        """A peer in front, "Other Size..." from the tray, and a size typed."""
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.input.click(320, 98)  # the peer's caption
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window")
        self.assertEqual([item["kind"] for item in self.open_menus()[-1]["items"][-2:]], ["separator", "item"])
        self.menu_click("Other Size...")
        self.assertTrue(self.driver.wait_visible(DIALOG, 5000), "the dialog did not open")
        self.driver.must("set-text", *DIALOG, 0, width)
        self.driver.must("set-text", *DIALOG, 1, height)

    def size_and_wait(self, facts, size):
        self.driver.must("click", *DIALOG, "Size")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)[facts] == size, 5), self.driver.info(PEER))

    def test_sizes_the_active_window_after_the_editors_message(self):
        self.start_tessaly()
        self.open_dialog("abc", "200")
        self.driver.must("click", *DIALOG, "Size")
        self.assertEqual(self.driver.message_box(5000), {
            "caption": "Tessaly Notice...", "text": "You must enter numeric values greater that zero.",
            "icon": "stop", "buttons": ["OK"]})
        self.driver.must("answer", "OK", 5000)
        self.driver.must("set-text", *DIALOG, 0, " 300")
        self.size_and_wait("rect", (120, 90, 420, 290))
        self.assertIsNone(self.driver.reg_values(CUSTOM_SIZES), "a size was stored without being asked")

    def test_add_to_custom_sizes_stores_at_once_and_lists_the_size(self):
        self.driver.reg_set(CUSTOM_SIZES, "640 x 480", "dword", 1)
        self.store_settings(defaults={"SizePageArea": 1})  # honoured as for a custom size
        self.start_tessaly()
        self.open_dialog("320", "240")
        self.driver.must("click", *DIALOG, "Add to Custom Sizes")
        self.size_and_wait("client", (320, 240))
        listed = [name for name, _ in self.driver.reg_values(CUSTOM_SIZES)]
        self.assertEqual(sorted(listed), ["320 x 240", "640 x 480"])
        self.assertIn((0, listed), self.driver.combo_boxes(MAIN))
        self.open_tray_menu()
        self.menu_click("Active Window", "Custom Sizes")
        self.assertEqual([item["caption"] for item in self.open_menus()[-1]["items"]], listed)


if __name__ == "__main__":
    harness.main()
