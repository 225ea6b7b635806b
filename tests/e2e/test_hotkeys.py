"""The hotkeys of the real tessaly.exe: the " Tessaly Hotkeys" dialog and what it
stores, keys pressed with real input sizing the window in front, a combination
another program holds shown as taken, and a custom size's hotkey going with it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import SETTINGS, wait_until  # noqa: E402

DIALOG = ("TfrmHotkeys", " Tessaly Hotkeys")
HOTKEYS = SETTINGS + r"\Hotkeys"
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"
PEER = ("TTestTarget", "Page Under Test")
PRESETS = ["640 x 480", "800 x 600", "Web TV", "1024 x 768"]

# Hot-key control values: HOTKEYF_CONTROL | HOTKEYF_ALT (6) above the virtual key.
CTRL_ALT = 0x0600
MOD_CONTROL_ALT = 3  # the same keys as RegisterHotKey's MOD_ flags


def ctrl_alt(letter):
    return CTRL_ALT | ord(letter.upper())


class HotkeysTest(harness.E2ETestCase):
    # Helpers -----------------------------------------------------------------------
    def open_dialog(self):
        self.main_menu("&Options", "Hotkeys...")
        self.assertTrue(self.driver.wait_visible(DIALOG, 5000), "the hotkeys dialog did not open")

    def rows(self):
        """[(caption, hot-key value, "taken" shown)] in the dialog's order."""
        children = self.driver.children(DIALOG)
        captions = [c for c in children if c["class"] == "Static" and c["caption"] != "taken"]
        takens = [c for c in children if c["class"] == "Static" and c["caption"] == "taken"]
        keys = [c for c in children if c["class"].lower() == "msctls_hotkey32"]
        self.assertEqual(len(captions), len(keys))
        self.assertEqual(len(takens), len(keys))
        return [(caption["caption"], int(self.driver.must("hotkey-get", *DIALOG, i)[0]), taken["visible"])
                for i, (caption, taken) in enumerate(zip(captions, takens))]

    def type_into_row(self, index, keys):
        """Clicks the row's hot-key control and presses the keys, as a user does."""
        keys_rect = [c["rect"] for c in self.driver.children(DIALOG) if c["class"].lower() == "msctls_hotkey32"]
        left, top, width, height = keys_rect[index]
        client = self.client_origin(DIALOG)
        self.input.click(client[0] + left + width // 2, client[1] + top + height // 2)
        self.input.key(keys)

    def client_origin(self, window):
        facts = self.driver.info(window)
        left, top, right, bottom = facts["rect"]
        width, height = facts["client"]
        border = (right - left - width) // 2
        return left + border, bottom - border - height

    def press_ok(self, closes=True):
        self.driver.must("click", *DIALOG, "OK")
        if closes:
            self.assertTrue(self.driver.wait_gone(DIALOG, 5000), "OK did not close the dialog")

    def stored(self, name):
        return self.driver.reg_get(HOTKEYS, name)

    def bring_peer_to_front(self):
        left, top, right, _ = self.driver.info(PEER)["rect"]
        self.input.click((left + right) // 2, top + 8)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3),
                        "the peer window did not come to the front")

    def peer_size(self):
        left, top, right, bottom = self.driver.info(PEER)["rect"]
        return (right - left, bottom - top)

    def expect_peer_size(self, size):
        self.assertTrue(wait_until(lambda: self.peer_size() == size, 5),
                        "peer is %s, not %s" % (self.peer_size(), size))

    # Tests -------------------------------------------------------------------------
    def test_keys_assigned_and_stored_size_the_window_in_front(self):
        self.driver.reg_set(CUSTOM_SIZES, "300 x 200", "dword", 1)
        self.driver.reg_set(HOTKEYS, "800 x 600", "dword", ctrl_alt("p"))  # stored before the start
        self.start_tessaly()
        self.open_dialog()
        self.assertEqual(self.rows(), [("640 x 480", 0, False), ("800 x 600", ctrl_alt("p"), False),
                                       ("Web TV", 0, False), ("1024 x 768", 0, False),
                                       ("300 x 200", 0, False)])
        self.type_into_row(4, "ctrl+alt+h")
        self.assertEqual(self.rows()[4], ("300 x 200", ctrl_alt("h"), False))
        self.press_ok()
        self.assertEqual(self.stored("300 x 200"), ("dword", ctrl_alt("h")))
        self.assertEqual(self.stored("800 x 600"), ("dword", ctrl_alt("p")))

        self.start_peer(PEER[1], rect=(150, 120, 420, 310))
        self.bring_peer_to_front()
        self.input.key("ctrl+alt+p")  # a preset, with the task bar "Horizontal"
        self.expect_peer_size((808, 580))
        self.input.key("ctrl+alt+h")  # the custom size, unchanged
        self.expect_peer_size((300, 200))
        self.assertEqual(self.driver.info(PEER)["rect"][:2], (150, 120), "the window's corner moved")

    def test_combination_held_elsewhere_is_taken_and_an_emptied_row_removed(self):
        holder = self.start_peer("Holder", rect=(600, 500, 200, 150),
                                 args=["--hotkey", "%d,%d" % (MOD_CONTROL_ALT, ord("T"))])
        self.driver.reg_set(HOTKEYS, "Web TV", "dword", ctrl_alt("t"))
        self.driver.reg_set(HOTKEYS, "640 x 480", "dword", ctrl_alt("g"))
        self.start_tessaly()
        self.open_dialog()
        rows = self.rows()
        self.assertEqual(rows[2], ("Web TV", ctrl_alt("t"), True))
        self.assertEqual([taken for _, _, taken in rows], [False, False, True, False])
        # The held combination given to another row too (it cannot be typed:
        # the system hands it to its holder): OK stores both, shows them taken,
        # and the dialog stays for another choice.
        self.driver.must("hotkey-set", *DIALOG, 3, ctrl_alt("t"))
        self.press_ok(closes=False)
        self.assertTrue(wait_until(lambda: self.rows()[3][2], 3), "the new row is not shown as taken")
        self.assertTrue(self.driver.visible(DIALOG))
        self.assertEqual([taken for _, _, taken in self.rows()], [False, False, True, True])
        self.assertEqual(self.stored("Web TV"), ("dword", ctrl_alt("t")))
        self.assertEqual(self.stored("1024 x 768"), ("dword", ctrl_alt("t")))
        # The other key works all the same.
        self.driver.must("click", *DIALOG, "Cancel")
        self.assertTrue(self.driver.wait_gone(DIALOG, 5000))
        self.start_peer(PEER[1], rect=(100, 100, 400, 300))
        self.bring_peer_to_front()
        self.input.key("ctrl+alt+g")
        self.expect_peer_size((648, 460))
        self.assertTrue(holder.running(), "the holder of the taken combination ended")

        self.open_dialog()
        for row in (2, 3):
            self.type_into_row(row, "BackSpace")  # empties the row
        self.assertEqual(self.rows()[2], ("Web TV", 0, True))  # until OK tells again
        self.press_ok()
        self.assertEqual(self.stored("Web TV"), ("missing", None))
        self.assertEqual(self.stored("1024 x 768"), ("missing", None))
        self.assertEqual(self.stored("640 x 480"), ("dword", ctrl_alt("g")))

    def test_custom_size_deleted_in_the_editor_loses_its_hotkey(self):
        for size, letter in (("300 x 200", "r"), ("400 x 300", "q")):
            self.driver.reg_set(CUSTOM_SIZES, size, "dword", 1)
            self.driver.reg_set(HOTKEYS, size, "dword", ctrl_alt(letter))
        self.start_tessaly()
        editor = ("TfrmCustomSizes", " Edit Tessaly Custom Sizes")
        self.main_menu("&Options", "Edit Custom Sizes...")
        self.assertTrue(self.driver.wait_visible(editor, 5000))
        self.driver.must("select-list", *editor, 0, "300 x 200")
        self.driver.must("click", *editor, "Delete")
        self.driver.must("click", *editor, "Close")
        self.assertTrue(self.driver.wait_gone(editor, 5000))
        self.assertEqual(self.stored("300 x 200"), ("missing", None))
        self.assertEqual(self.stored("400 x 300"), ("dword", ctrl_alt("q")))
        # Its combination is free again for another program; the other one is still held.
        self.start_peer("Holder", args=["--hotkey", "%d,%d" % (MOD_CONTROL_ALT, ord("R"))])
        held = self.start(harness.program_path("TTARGET_EXE", "tests/wine/ttarget.exe"),
                          ["--title", "Second Holder", "--hotkey", "%d,%d" % (MOD_CONTROL_ALT, ord("Q"))])
        self.assertEqual(held.wait(10), 3, "the remaining custom size's hotkey was not held")
        self.open_dialog()
        self.assertEqual([name for name, _, _ in self.rows()], PRESETS + ["400 x 300"])


if __name__ == "__main__":
    harness.main()
