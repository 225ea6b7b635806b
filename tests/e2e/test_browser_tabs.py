"""The browser tabs of the real tessaly.exe: the platform's tab control, read
from outside as accessibility tools read it, and turned with the mouse and the
keyboard as a user turns it."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import DEFAULTS, MAIN, wait_until  # noqa: E402

TABS = ["Internet Explorer", "Netscape Navigator"]


class BrowserTabsTest(harness.E2ETestCase):
    def exit_and_stored_browser(self, program):
        self.menu_keys("alt+f", "x")
        self.assertEqual(program.wait(10), 0, "File > Exit did not end the program")
        return self.driver.reg_get(DEFAULTS, "Browser")

    def turns_to(self, index):
        return wait_until(lambda: self.driver.tab_index(MAIN) == index, 3)

    def test_tab_control_answers_the_tab_control_messages(self):
        self.start_tessaly()
        tabs = [child for child in self.driver.children(MAIN) if "tab" in child["class"].lower()]
        self.assertEqual([tab["class"] for tab in tabs], ["SysTabControl32"])
        self.assertEqual(tabs[0]["rect"], (0, 0) + harness.CLIENT_SIZE)
        items = self.driver.tab_items(MAIN)
        self.assertEqual([text for text, _ in items], TABS)
        (_, first), (_, second) = items
        facts = self.driver.info(MAIN)
        client_left = facts["rect"][0] + (facts["rect"][2] - facts["rect"][0] - facts["client"][0]) // 2
        self.assertLessEqual(second[2], client_left + harness.CLIENT_SIZE[0],
                             "the second tab does not fit in the row: %s" % (items,))
        self.assertEqual(first[2], second[0], "the tabs do not sit side by side: %s" % (items,))
        self.assertEqual(self.driver.tab_index(MAIN), 0)

    def test_click_on_the_other_tab_changes_the_browser_and_is_stored(self):
        program = self.start_tessaly()
        self.focus_main_window()
        left, top, right, bottom = self.driver.tab_items(MAIN)[1][1]
        self.input.click((left + right) // 2, (top + bottom) // 2)
        self.assertTrue(self.turns_to(1), "a click on the Netscape Navigator tab did not select it")
        self.assertEqual(self.exit_and_stored_browser(program), ("sz", "ns"))

    def test_keyboard_turns_the_tabs(self):
        program = self.start_tessaly()
        self.focus_main_window()
        self.assertEqual(self.driver.focus(), ("SysTabControl32", ""), "the tabs lack the focus at start")
        for keys, index in (("Right", 1), ("Left", 0), ("ctrl+Tab", 1), ("ctrl+shift+Tab", 0),
                            ("ctrl+Tab", 1), ("ctrl+Tab", 0)):
            self.input.key(keys)
            self.assertTrue(self.turns_to(index), "%s did not select tab %d" % (keys, index))
        # Tab goes on to the page's first control; Ctrl+Tab still turns the page,
        # without touching that control.
        self.input.key("Tab")
        self.assertTrue(wait_until(lambda: (self.driver.focus() or ("",))[0] == "ComboBox", 3),
                        "Tab did not move on to the task bar list: %s" % (self.driver.focus(),))
        self.input.key("ctrl+Tab")
        self.assertTrue(self.turns_to(1), "Ctrl+Tab from the task bar list did not turn the page")
        self.assertEqual(self.driver.items("combo-items", MAIN, 0)[0], 1, "the task bar choice changed")
        self.assertEqual(self.exit_and_stored_browser(program), ("sz", "ns"))


if __name__ == "__main__":
    harness.main()
