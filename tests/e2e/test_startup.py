"""Start-up, the main window, hiding to the tray, exit and the stored settings of
the real tessaly.exe under Wine, acted on as a user would."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import APP, DEFAULTS, MAIN, POSITION, SETTINGS, TRAY, wait_until  # noqa: E402

PEER = ("TTestTarget", "Other Program")


class StartupTest(harness.E2ETestCase):
    # Helpers -----------------------------------------------------------------------
    def exit_from_file_menu(self, program):
        self.menu_keys("alt+f", "x")
        code = program.wait(10)
        self.assertIsNotNone(code, "File > Exit did not end the program")
        self.assertEqual(code, 0)
        self.assertEqual(self.driver.count(MAIN), 0, "the main window outlived the program")

    def toggle_option(self, downs):
        """Options menu, the item `downs` places below the first, by keyboard."""
        self.menu_keys("alt+o", *(["Down"] * downs), "Return")

    def stored_types(self):
        types = {}
        for path in (POSITION, DEFAULTS):
            for name, kind in self.driver.reg_values(path) or []:
                types[name] = kind
        return types

    def assert_stays(self, condition, seconds, message):
        """condition() holds now and for the next `seconds`."""
        broke = wait_until(lambda: not condition(), seconds)
        self.assertFalse(broke, message)

    # First start -----------------------------------------------------------------
    def test_first_start_shows_main_window_with_defaults(self):
        self.start_tessaly()
        facts = self.driver.info(MAIN)
        self.assertEqual(facts["title"], " Tessaly 2")
        self.assertEqual(facts["client"], harness.CLIENT_SIZE)
        self.assertEqual(facts["rect"][:2], (harness.DEFAULT_LEFT, harness.DEFAULT_TOP))
        self.assertFalse(facts["topmost"])
        self.assertEqual(facts["owner_class"], APP[0], "the main window is not owned by "
                         "the application window")
        app = self.driver.info(APP)
        self.assertIsNotNone(app, "no application window titled 'Tessaly 2'")
        self.assertEqual(app["hwnd"], facts["owner"])
        self.assertTrue(app["visible"], "the application window (task-bar button) is hidden")
        self.assertTrue(self.driver.wait_window(TRAY, 5000), "no tray icon window")
        self.tray_icon()  # exactly one icon, the program's
        self.assertEqual(self.driver.tab_index(MAIN), 0)
        # Task bar "Horizontal", office bar "Minimized/None", colour depth "Web Safe".
        boxes = self.driver.combo_boxes(MAIN)
        self.assertIn((1, ["Minimized", "Horizontal", "Vertical"]), boxes)
        self.assertIn((0, ["Minimized/None", "Horizontal", "Vertical"]), boxes)
        self.assertIn((0, ["Web Safe", "MS Win 256"]), boxes)
        captions = {child["caption"] for child in self.driver.children(MAIN)}
        for caption in ("640 x 480", "800 x 600", "Web TV", "1024 x 768", "Size", "View"):
            self.assertIn(caption, captions)

    def test_start_writes_no_settings(self):
        self.start_tessaly()
        self.assert_stays(lambda: not self.driver.reg_key_exists(SETTINGS), 1.0,
                          "settings were written at start")

    # Single instance ---------------------------------------------------------------
    def test_second_instance_ends_at_once_and_activates_the_first(self):
        self.store_settings(position={"Left": 300, "Top": 200, "VisibleOnStart": 1},
                            defaults={"Browser": "ns", "AlwaysOnTop": 0})
        first = self.start_tessaly()
        self.start_peer(PEER[1])
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3),
                        "the other program did not come to the front")
        # A second instance must not read or write the settings: take them away.
        self.reset_settings()

        second = self.start()
        self.assertEqual(second.wait(10), 0, "the second instance did not end with 0")
        self.assertTrue(first.running(), "the first instance ended")
        self.assertEqual(self.driver.count(MAIN), 1)
        self.assertEqual(self.driver.count(APP), 1)
        self.assertEqual(self.driver.count(TRAY), 1)
        self.assertFalse(self.driver.reg_key_exists(SETTINGS),
                         "the second instance wrote settings")
        front = wait_until(lambda: (self.driver.active() or ("", ""))[1] == MAIN[0], 3)
        self.assertTrue(front, "the first instance was not brought to the front: %s"
                        % (self.driver.active(),))
        self.assertTrue(self.driver.visible(MAIN))

    def test_second_instance_restores_a_minimized_first(self):
        first = self.start_tessaly()
        self.driver.must("show-window", *APP, "minimize")
        self.assertTrue(wait_until(lambda: self.driver.fact(APP, "minimized"), 3),
                        "the application window could not be minimized")

        second = self.start()
        self.assertEqual(second.wait(10), 0)
        restored = wait_until(lambda: self.driver.fact(APP, "minimized") is False, 3)
        self.assertTrue(restored, "the first instance was not restored")
        self.assertTrue(self.driver.wait_visible(MAIN, 3000))
        self.assertTrue(first.running())

    # Hidden start and the tray icon ---------------------------------------------------
    def test_hidden_start_then_tray_double_click_shows_and_hides(self):
        self.store_settings(position={"Left": 400, "Top": 150, "VisibleOnStart": 0})
        program = self.start_tessaly(visible=False)
        self.assert_stays(lambda: not self.driver.visible(MAIN), 1.0,
                          "the main window showed although VisibleOnStart is 0")
        self.assertFalse(self.driver.visible(APP), "a task-bar button showed at a hidden start")
        x, y = self.tray_icon()

        self.input.double_click(x, y)
        self.assertTrue(self.driver.wait_visible(MAIN, 5000),
                        "a double-click on the tray icon did not show the window")
        self.assertTrue(self.driver.visible(APP), "the task-bar button did not come back")
        self.assertEqual(self.driver.info(MAIN)["rect"][:2], (400, 150))

        self.input.double_click(x, y)
        self.assertTrue(self.driver.wait_hidden(MAIN, 5000),
                        "a double-click on the tray icon did not hide the shown window")
        self.assertFalse(self.driver.visible(APP))
        self.assertTrue(program.running())

    # Close box and exit -----------------------------------------------------------------
    def test_close_box_hides_and_does_not_end(self):
        program = self.start_tessaly()
        self.driver.must("sysclose", *MAIN)
        self.assertTrue(self.driver.wait_hidden(MAIN, 5000), "the close box did not hide")
        self.assertFalse(self.driver.visible(APP), "the task-bar button stayed")
        self.assertIsNone(program.wait(1), "the close box ended the program")
        self.assertTrue(self.driver.find(TRAY), "the tray icon went away")
        self.assertFalse(self.driver.reg_key_exists(SETTINGS), "hiding wrote the settings")

    def test_real_click_on_close_box_hides(self):
        program = self.start_tessaly()
        left, top, right, _ = self.driver.info(MAIN)["rect"]
        # The close box is the last caption button, at the caption's right end.
        self.input.click(right - 14, top + 12)
        self.assertTrue(self.driver.wait_hidden(MAIN, 5000), "the close box did not hide")
        self.assertIsNone(program.wait(1), "the close box ended the program")

    def test_exit_writes_settings_and_next_start_reads_them(self):
        program = self.start_tessaly()
        left, top, right, _ = self.driver.info(MAIN)["rect"]
        grip = ((left + right) // 2, top + 8)
        self.input.drag(grip, (grip[0] - 300, grip[1] + 150))
        moved = wait_until(
            lambda: (self.driver.fact(MAIN, "rect") or ())[:2] == (left - 300, top + 150), 3)
        self.assertTrue(moved, "dragging the caption did not move the window: %s"
                        % (self.driver.info(MAIN)["rect"],))
        self.assertFalse(self.driver.reg_key_exists(SETTINGS), "settings written before exit")

        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(POSITION, "Left"), ("dword", left - 300))
        self.assertEqual(self.driver.reg_get(POSITION, "Top"), ("dword", top + 150))
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 1))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ie"))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "AlwaysOnTop"), ("dword", 0))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "SizePageArea"), ("dword", 0))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "BookmarksInDefaultBrowser"), ("dword", 0))
        self.assertEqual(self.stored_types(), {"Left": "dword", "Top": "dword",
                                               "VisibleOnStart": "dword", "Browser": "sz",
                                               "AlwaysOnTop": "dword", "SizePageArea": "dword",
                                               "BookmarksInDefaultBrowser": "dword"})

        self.start_tessaly()
        self.assertEqual(self.driver.info(MAIN)["rect"][:2], (left - 300, top + 150))
        self.assertEqual(self.driver.tab_index(MAIN), 0)

    def test_stored_settings_are_read_at_start(self):
        self.store_settings(position={"Left": 300, "Top": 200, "VisibleOnStart": 1},
                            defaults={"Browser": "ns", "AlwaysOnTop": 0})
        self.start_tessaly()
        facts = self.driver.info(MAIN)
        self.assertEqual(facts["rect"][:2], (300, 200))
        self.assertFalse(facts["topmost"])
        self.assertEqual(self.driver.tab_index(MAIN), 1)

    def test_tab_choice_is_stored_at_exit_and_restored(self):
        program = self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)
        self.assertEqual(self.driver.tab_index(MAIN), 1)
        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ns"))

        program = self.start_tessaly()
        self.assertEqual(self.driver.tab_index(MAIN), 1, "the Netscape tab was not restored")
        self.driver.must("tab-select", *MAIN, 0)
        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ie"))

    def test_only_exact_ns_selects_netscape(self):
        for browser, tab in (("ns", 1), ("NS", 0), ("Ns", 0), ("", 0), ("ie", 0), (None, 0)):
            with self.subTest(browser=browser):
                self.end_strays()
                self.reset_settings()
                defaults = {"AlwaysOnTop": 0}
                if browser is not None:
                    defaults["Browser"] = browser
                self.store_settings(defaults=defaults)
                self.start_tessaly()
                self.assertEqual(self.driver.tab_index(MAIN), tab)

    # Options ----------------------------------------------------------------------------
    def test_always_on_top_takes_effect_at_once_and_is_stored(self):
        program = self.start_tessaly()
        self.toggle_option(0)
        self.assertTrue(wait_until(lambda: self.driver.fact(MAIN, "topmost"), 3),
                        "Always on Top did not make the window stay on top")
        self.toggle_option(0)
        self.assertTrue(wait_until(lambda: self.driver.fact(MAIN, "topmost") is False, 3),
                        "Always on Top did not switch off again")
        self.toggle_option(0)
        self.assertTrue(wait_until(lambda: self.driver.fact(MAIN, "topmost"), 3))
        self.assertFalse(self.driver.reg_key_exists(SETTINGS), "the option was stored at once")

        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "AlwaysOnTop"), ("dword", 1))
        self.start_tessaly()
        self.assertTrue(self.driver.info(MAIN)["topmost"], "Always on Top not restored")

    def test_always_run_minimized_takes_effect_at_next_start(self):
        program = self.start_tessaly()
        self.toggle_option(1)
        self.assert_stays(lambda: self.driver.visible(MAIN), 1.0,
                          "Always Run Minimized hid the running window")
        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 0))

        program = self.start_tessaly(visible=False)
        self.assert_stays(lambda: not self.driver.visible(MAIN), 1.0,
                          "the window showed although Always Run Minimized is on")
        # Still on: the next exit keeps it.
        self.input.double_click(*self.tray_icon())
        self.assertTrue(self.driver.wait_visible(MAIN, 5000))
        self.exit_from_file_menu(program)
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 0))

    # Damaged settings -------------------------------------------------------------------
    # The program always writes the position values together; a key that lacks one,
    # or holds one with the wrong type, makes the read fail: the standard error box,
    # then the program ends with 0.
    # A damaged key must not stop the program from ever starting again: the
    # missing or mistyped value keeps its default and the rest is read.
    def assert_starts_normally(self, left, top):
        program = self.start_tessaly()
        self.assertIsNone(self.driver.message_box(500), "an error box was shown at start")
        self.assertTrue(program.running())
        self.assertEqual(self.driver.info(MAIN)["rect"][:2], (left, top))

    def test_position_without_left_starts_with_the_default_left(self):
        self.store_settings(position={"Top": 200, "VisibleOnStart": 1})
        self.assert_starts_normally(harness.DEFAULT_LEFT, 200)

    def test_top_stored_as_text_starts_with_the_default_top(self):
        self.store_settings(position={"Left": 300, "Top": "109x", "VisibleOnStart": 1})
        self.assert_starts_normally(300, harness.DEFAULT_TOP)

    def test_damaged_visible_and_on_top_values_keep_their_defaults(self):
        self.store_settings(position={"Left": 300, "Top": 200, "VisibleOnStart": "no"},
                            defaults={"AlwaysOnTop": "yes", "Browser": "ns"})
        self.assert_starts_normally(300, 200)
        self.assertFalse(self.driver.info(MAIN)["topmost"])
        self.assertEqual(self.driver.tab_index(MAIN), 1, "the sound values were not read")

    # An account that may read the machine-wide settings but not write them ---------------
    def test_settings_that_may_only_be_read_are_all_read_and_exit_stores_nothing(self):
        sizes = SETTINGS + r"\CustomSizes"
        self.store_settings(position={"Left": 300, "Top": 200, "VisibleOnStart": 0},
                            defaults={"Browser": "ns", "AlwaysOnTop": 1})
        self.driver.reg_set(sizes, "640 x 400", "dword", 1)
        for key in (POSITION, DEFAULTS, sizes):
            self.driver.must("reg-rights", key, "read-only")
            self.addCleanup(self.driver.run, "reg-rights", key, "full")

        program = self.start_tessaly(visible=False)
        self.assertFalse(self.driver.visible(MAIN), "VisibleOnStart 0 was not read")
        facts = self.driver.info(MAIN)
        self.assertEqual(facts["rect"][:2], (300, 200))
        self.assertTrue(facts["topmost"], "AlwaysOnTop 1 was not read")
        self.assertEqual(self.driver.tab_index(MAIN), 1, "Browser ns was not read")
        self.assertIn((0, ["640 x 400"]), self.driver.combo_boxes(MAIN))

        self.input.double_click(*self.tray_icon())
        self.assertTrue(self.driver.wait_visible(MAIN, 5000))
        self.driver.must("tab-select", *MAIN, 0)
        self.exit_from_file_menu(program)
        self.assertIsNone(self.driver.message_box(500), "storing showed an error")
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ns"))
        self.assertEqual(self.driver.reg_get(POSITION, "Left"), ("dword", 300))

    # End of the Windows session ------------------------------------------------------------
    def test_end_of_session_ends_and_writes_settings(self):
        program = self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)
        answer = self.driver.must("send-message", *MAIN, harness.WM_QUERYENDSESSION, 0, 0)
        self.assertNotEqual(answer, ["0"], "the program refused the end of the session")
        # Windows then confirms the end to every window that agreed.
        if self.driver.find(MAIN):
            self.driver.run("send-message", *MAIN, harness.WM_ENDSESSION, 1, 0)
        self.assertEqual(program.wait(10), 0, "the end of the session did not end the program")
        self.assertEqual(self.driver.reg_get(POSITION, "Left"), ("dword", harness.DEFAULT_LEFT))
        self.assertEqual(self.driver.reg_get(POSITION, "Top"), ("dword", harness.DEFAULT_TOP))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ns"))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "AlwaysOnTop"), ("dword", 0))


if __name__ == "__main__":
    harness.main()
