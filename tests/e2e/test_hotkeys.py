"""The hotkeys of the real tessaly.exe: the " Tessaly Hotkeys" dialog and what it
stores, keys pressed with real input sizing the window in front, a combination
another program holds shown as taken, a custom size's hotkey going with it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import SETTINGS, wait_until  # noqa: E402

DIALOG = ("TfrmHotkeys", " Tessaly Hotkeys")
HOTKEYS = SETTINGS + r"\Hotkeys"
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"
PEER = ("TTestTarget", "Page Under Test")


def ctrl_alt(letter):
    """The hot-key control's value: HOTKEYF_CONTROL | HOTKEYF_ALT above the key."""
    return 0x0600 | ord(letter.upper())


def holding(letter):
    """ttarget's arguments to hold Ctrl+Alt+letter (MOD_CONTROL | MOD_ALT)."""
    return ["--hotkey", "3,%d" % ord(letter.upper())]


class HotkeysTest(harness.E2ETestCase):
    def open_dialog(self):
        self.main_menu("&Options", "Hotkeys...")
        self.assertTrue(self.driver.wait_visible(DIALOG, 5000), "the hotkeys dialog did not open")

    def rows(self):
        """[(caption, "taken" shown)]: each row's caption, hot-key control, "taken"."""
        statics = [c for c in self.driver.children(DIALOG) if c["class"] == "Static"]
        return [(statics[i]["caption"], statics[i + 1]["visible"]) for i in range(0, len(statics), 2)]

    def type_into_row(self, index, keys):
        """From the first row (focused when the dialog opens) with Tab to the
        row's hot-key control, and the keys, as a user types them."""
        self.input.key(*(["Tab"] * index + [keys]))

    def stored(self, name):
        return self.driver.reg_get(HOTKEYS, name)

    def press_on_peer(self, keys, size):
        left, top, right, _ = self.driver.info(PEER)["rect"]
        self.input.click((left + right) // 2, top + 8)  # its caption: the peer in front
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.input.key(keys)
        peer_size = lambda: (lambda r: (r[2] - r[0], r[3] - r[1]))(self.driver.info(PEER)["rect"])
        self.assertTrue(wait_until(lambda: peer_size() == size, 5), "peer is %s, not %s" % (peer_size(), size))

    def test_keys_stored_and_typed_into_the_dialog_size_the_window_in_front(self):
        self.driver.reg_set(CUSTOM_SIZES, "300 x 200", "dword", 1)
        self.driver.reg_set(HOTKEYS, "800 x 600", "dword", ctrl_alt("p"))
        self.start_tessaly()
        self.open_dialog()
        self.assertEqual(self.rows(), [(name, False) for name in (
            "640 x 480", "800 x 600", "Web TV", "1024 x 768", "300 x 200")])
        self.type_into_row(4, "ctrl+alt+h")
        self.driver.must("click", *DIALOG, "OK")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertEqual(self.stored("300 x 200"), ("dword", ctrl_alt("h")))
        self.start_peer(PEER[1], rect=(150, 120, 420, 310))
        self.press_on_peer("ctrl+alt+p", (808, 580))  # a preset, task bar "Horizontal"
        self.press_on_peer("ctrl+alt+h", (300, 200))  # a custom size as it stands
        self.assertEqual(self.driver.info(PEER)["rect"][:2], (150, 120))
        # Deleted in the custom size editor, the size takes its key with it:
        # the combination is free for another program again.
        editor = ("TfrmCustomSizes", " Edit Tessaly Custom Sizes")
        self.main_menu("&Options", "Edit Custom Sizes...")
        self.assertTrue(self.driver.wait_visible(editor, 5000))
        self.driver.must("select-list", *editor, 0, "300 x 200")
        for button in ("Delete", "Close"):
            self.driver.must("click", *editor, button)
        self.assertTrue(self.driver.wait_gone(editor, 5000))
        self.assertEqual(self.stored("300 x 200"), ("missing", None))
        self.start_peer("Holder", args=holding("h"))
        self.assertEqual(self.stored("800 x 600"), ("dword", ctrl_alt("p")))

    def test_combination_held_elsewhere_is_taken_and_an_emptied_row_removed(self):
        self.start_peer("Holder", rect=(600, 500, 200, 150), args=holding("t"))
        self.driver.reg_set(HOTKEYS, "Web TV", "dword", ctrl_alt("t"))
        self.driver.reg_set(HOTKEYS, "640 x 480", "dword", ctrl_alt("g"))
        self.start_tessaly()
        self.open_dialog()
        self.assertEqual([taken for _, taken in self.rows()], [False, False, True, False])
        # OK while it is still held: kept, still taken, and the dialog stays.
        self.driver.must("click", *DIALOG, "OK")
        self.assertFalse(self.driver.wait_gone(DIALOG, 1500), "OK closed the dialog with a key taken")
        self.assertEqual(self.rows()[2], ("Web TV", True))
        self.assertEqual(self.stored("Web TV"), ("dword", ctrl_alt("t")))
        self.driver.must("click", *DIALOG, "Cancel")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.start_peer(PEER[1], rect=(100, 100, 400, 300))
        self.press_on_peer("ctrl+alt+g", (648, 460))  # the other key works all the same

        self.open_dialog()
        self.type_into_row(2, "BackSpace")  # empties the row
        self.driver.must("click", *DIALOG, "OK")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.assertEqual(self.stored("Web TV"), ("missing", None))
        self.assertEqual(self.stored("640 x 480"), ("dword", ctrl_alt("g")))


if __name__ == "__main__":
    harness.main()
