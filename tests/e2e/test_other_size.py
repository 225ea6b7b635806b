""""Other Size..." at the end of the tray's "Active Window" sub-menu of the real
tessaly.exe: the " Other Size" dialog sizes the window that was in front, with
the custom size editor's messages, and adds the size to the list when asked."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN, SETTINGS, wait_until  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
DIALOG = ("TfrmOtherSize", " Other Size")
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"


class OtherSizeTest(harness.E2ETestCase):
    def peer_size(self):
        left, top, right, bottom = self.driver.info(PEER)["rect"]
        return right - left, bottom - top

    def open_dialog(self):
        """The peer in front, then "Other Size..." from the tray menu."""
        left, top, right, _ = self.driver.info(PEER)["rect"]
        self.input.click((left + right) // 2, top + 8)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Other Size...")
        self.assertTrue(self.driver.wait_visible(DIALOG, 5000), "the dialog did not open")

    def type_size(self, width, height):
        self.driver.must("set-text", *DIALOG, 0, width)
        self.driver.must("set-text", *DIALOG, 1, height)

    def size(self):
        self.driver.must("click", *DIALOG, "Size")

    def sub_menu_items(self, *path):
        """Captions of the tray sub-menu at path, read while it is open."""
        self.open_tray_menu()
        self.menu_click(*path)
        items = self.open_menus()[-1]["items"]
        self.input.key("Escape", "Escape", "Escape")
        self.assertTrue(wait_until(lambda: not self.driver.menus(), 3), "the tray menu stayed open")
        return [item["caption"] if item["kind"] != "separator" else "-" for item in items]

    def test_sizes_the_active_window_after_the_editors_message(self):
        self.start_tessaly()
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.assertEqual(self.sub_menu_items("Active Window")[-3:], ["1024 x 768", "-", "Other Size..."])
        self.open_dialog()
        self.assertEqual([(c["class"], c["caption"]) for c in self.driver.children(DIALOG) if c["class"] == "Button"],
                         [("Button", "Add to Custom Sizes"), ("Button", "Size"), ("Button", "Cancel")])
        self.type_size("abc", "200")
        self.size()
        box = self.driver.message_box(5000)
        self.assertEqual(box, {"caption": "Tessaly Notice...", "text": "You must enter numeric values greater that zero.",
                               "icon": "stop", "buttons": ["OK"]})
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.visible(DIALOG), "the dialog closed after the message")
        self.assertEqual(self.peer_size(), (400, 300))

        self.type_size(" 300", "200 ")
        self.size()
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertTrue(wait_until(lambda: self.peer_size() == (300, 200), 5), "peer is %s" % (self.peer_size(),))
        self.assertEqual(self.driver.info(PEER)["rect"][:2], (120, 90))
        self.assertIsNone(self.driver.reg_values(CUSTOM_SIZES), "a size was stored without being asked")

        self.open_dialog()
        self.type_size("500", "400")
        self.driver.must("click", *DIALOG, "Cancel")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertFalse(wait_until(lambda: self.peer_size() != (300, 200), 1), "Cancel sized the window")

    def test_add_to_custom_sizes_stores_at_once_and_lists_the_size(self):
        self.driver.reg_set(CUSTOM_SIZES, "640 x 480", "dword", 1)
        # The typed size honours "Size Page Area" as a custom size does.
        self.store_settings(defaults={"SizePageArea": 1})
        self.start_tessaly()
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.open_dialog()
        self.type_size("320", "240")
        self.driver.must("click", *DIALOG, "Add to Custom Sizes")
        self.size()
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)["client"] == (320, 240), 5),
                        "the client area is %s" % (self.driver.info(PEER)["client"],))
        self.assertEqual(sorted(self.driver.reg_values(CUSTOM_SIZES)), [("320 x 240", "dword"), ("640 x 480", "dword")])
        listed = [name for name, _ in self.driver.reg_values(CUSTOM_SIZES)]
        self.assertIn((0, listed), self.driver.combo_boxes(MAIN))
        self.assertEqual(self.sub_menu_items("Active Window", "Custom Sizes"), listed)

        # A size already listed gets the editor's message, and nothing is sized.
        self.open_dialog()
        self.type_size("640", "480")
        self.driver.must("click", *DIALOG, "Add to Custom Sizes")
        self.size()
        box = self.driver.message_box(5000)
        self.assertEqual(box and box["text"], "Custom value already set.")
        self.driver.must("answer", "OK", 5000)
        self.driver.must("click", *DIALOG, "Cancel")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertEqual(self.driver.info(PEER)["client"], (320, 240))


if __name__ == "__main__":
    harness.main()
