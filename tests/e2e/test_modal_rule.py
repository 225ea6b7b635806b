"""The program's rule for modal windows in the real tessaly.exe: while one is
up (the About box, the viewer, the organizer, a message box...) the tray icon
gives no commands and brings that window to the front instead, and hotkeys do
nothing; what a running command holds is not freed under it (a bookmark
chosen while Netscape starts late, the bookmarks changed meanwhile); the end
of the session during a download ends the transfer at once; dialogs stay in
front of their owner and only some stay on top of every window."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
import update_peer  # noqa: E402
from harness import MAIN, POSITION, wait_until  # noqa: E402
from test_bookmarks import ADD_DIALOG, ORGANIZER, STORED, BookmarkFileTestCase, bookmark_line  # noqa: E402

ABOUT = ("TfrmAboutBox", " About Tessaly")
VIEWER = ("TfrmImageViewer", " Tessaly Image Viewer")
UPDATE = ("TfrmUpdate", " Tessaly Update")
PEER = ("TTestTarget", "Page Under Test")
QUESTION = "Netscape needs to be loaded. Would you like me to attempt to load it now?"


class ModalRuleTest(BookmarkFileTestCase):
    def right_click_tray(self):
        x, y = self.tray_icon()
        self.input.move(x - 3, y)
        self.input.move(x, y)
        self.input.click(x, y, 3)

    def assert_tray_brings_to_front(self, window):
        """A right-click on the icon opens no menu and activates the modal window."""
        self.input.click(300, 700)  # the empty desktop takes the front first
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] != window[0], 3))
        self.right_click_tray()
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == window[0], 3),
                        "the modal window did not come to the front: %s" % (self.driver.active(),))
        time.sleep(0.3)
        self.assertEqual(self.driver.menus(), [], "the tray opened its menu while a modal window was up")

    def test_tray_gives_no_commands_while_the_about_box_or_the_viewer_is_up(self):
        program = self.start_tessaly()
        self.main_menu("&Help", "&About...")
        self.assertTrue(self.driver.wait_visible(ABOUT, 5000))
        self.assert_tray_brings_to_front(ABOUT)
        self.assertTrue(program.running())
        self.driver.must("click", *ABOUT, "OK")
        self.assertTrue(self.driver.wait_gone(ABOUT, 5000))

        self.start_peer(PEER[1], rect=(60, 50, 500, 400))
        self.input.click(280, 58)  # the peer's caption
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Check Color", "Web Safe")
        self.assertTrue(self.driver.wait_visible(VIEWER, 15000), "the viewer did not open")
        self.assert_tray_brings_to_front(VIEWER)
        self.driver.must("close", *VIEWER)
        self.assertTrue(self.driver.wait_gone(VIEWER, 5000))
        # Afterwards the tray works again: its Exit ends the program.
        self.open_tray_menu()
        self.menu_click("Exit")
        self.assertEqual(program.wait(10), 0)

    def test_with_the_organizer_up_the_tray_adds_nothing_and_opens_no_second_organizer(self):
        self.place_file(STORED)
        self.start_tessaly()
        self.main_menu("Bookmarks", "Organize Bookmarks...")
        self.assertTrue(self.driver.wait_visible(ORGANIZER, 5000))
        self.assert_tray_brings_to_front(ORGANIZER)
        self.assertEqual(self.driver.count(ORGANIZER), 1)
        self.assertEqual(self.driver.count(ADD_DIALOG), 0)
        self.driver.must("click", *ORGANIZER, "Save")
        self.assertTrue(self.driver.wait_gone(ORGANIZER, 5000))
        # Added after the organizer, from the tray: kept in the file and the menus.
        self.open_tray_menu()
        self.menu_click("Add Bookmark...")
        self.fill_add_dialog("W3C", "http://www.w3.org/")
        self.close_add_dialog("Add")
        self.assertEqual(self.stored(), STORED[:-len("</DL><p>\r\n")] + bookmark_line("W3C", "http://www.w3.org/")
                         + "</DL><p>\r\n")

    def test_a_hotkey_does_nothing_while_a_modal_window_is_up(self):
        self.driver.reg_set(harness.SETTINGS + r"\Hotkeys", "800 x 600", "dword", 0x0600 | ord("U"))  # Ctrl+Alt+U
        peer = self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.start_tessaly()
        self.main_menu("&Help", "&About...")
        self.assertTrue(self.driver.wait_visible(ABOUT, 5000))
        self.input.click(260, 98)  # the peer's caption: the peer in front, the About box still up
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        before = self.driver.info(PEER)["rect"]
        self.input.key("ctrl+alt+u")
        time.sleep(1)
        self.assertEqual(self.driver.info(PEER)["rect"], before, "the hotkey sized the window under the About box")
        self.assertTrue(peer.running())
        self.driver.must("click", *ABOUT, "OK")
        self.assertTrue(self.driver.wait_gone(ABOUT, 5000))
        self.input.click(260, 98)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.input.key("ctrl+alt+u")
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)["rect"] != before, 5),
                        "the hotkey did nothing once the About box was gone")

    def test_a_bookmark_waiting_for_netscape_opens_its_own_address_whatever_changes_meanwhile(self):
        self.place_file(STORED)
        self.install_netscape(delay_ms=10000)
        self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)  # Netscape Navigator
        self.open_tray_menu()
        self.menu_click("Bookmarks", "Web Design", "Validator")
        self.assertEqual(self.driver.message_box(15000)["text"], QUESTION)
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.wait_window(peers.NETSCAPE, 10000), "netscape.exe was not started")
        # While the program waits for Netscape, a bookmark added from the main
        # menu rebuilds both menus: the chosen entry is freed.
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.fill_add_dialog("W3C", "http://www.w3.org/")
        self.close_add_dialog("Add")
        self.assertNotIn("ready", self.ns_log.calls(), "Netscape answered before the bookmark was added")
        self.assertTrue(wait_until(lambda: any(call.startswith("request WWW_OpenURL ")
                                               for call in self.ns_log.calls()), 20), self.ns_log.calls())
        opened = [call for call in self.ns_log.calls() if call.startswith("request WWW_OpenURL ")]
        self.assertEqual(len(opened), 1, opened)
        self.assertTrue(opened[0].startswith("request WWW_OpenURL http://validator.w3.org/,,"), opened)
        self.assertIn("W3C", self.stored())

    def test_the_end_of_the_session_during_a_download_ends_the_transfer_at_once(self):
        server = update_peer.UpdateServer(harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe"))
        self.addCleanup(server.stop)
        server.config.update(latest_version="2.02", download_url=server.url("/slow-download"))
        self.store_settings(defaults={"UpdateURL": server.url("/update.asp")})
        program = self.start_tessaly()
        self.main_menu("&Help", "Check for Update...")
        self.assertTrue(self.driver.wait_visible(UPDATE, 5000))
        self.driver.must("click", *UPDATE, "Check Now")
        self.assertIsNotNone(self.driver.message_box(10000), "no offer")
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(wait_until(lambda: any("bytes of" in c["caption"] for c in self.driver.children(UPDATE)), 10),
                        "the download did not start")
        self.assertNotEqual(self.driver.must("send-message", *MAIN, harness.WM_QUERYENDSESSION, 0, 0), ["0"])
        self.driver.run("send-message", *MAIN, harness.WM_ENDSESSION, 1, 0)
        # The slow download never ends by itself: only the end of the session ends it.
        self.assertEqual(program.wait(5), 0, "the program went on with the transfer")
        self.assertIsNone(self.driver.message_box(500), "a message came after the end")
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 1), "settings not written")

    def test_dialogs_stay_on_top_only_where_the_program_says_so(self):
        self.start_tessaly()
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.assertTrue(self.driver.wait_visible(ADD_DIALOG, 5000))
        facts = self.driver.info(ADD_DIALOG)
        self.assertFalse(facts["topmost"], "the add dialog stays above the browser the user copies from")
        self.assertIn("TApplication", facts["owner_class"])
        self.close_add_dialog("Cancel")
        self.main_menu("&Help", "&About...")
        self.assertTrue(self.driver.info(ABOUT)["topmost"])
        self.driver.must("click", *ABOUT, "OK")
        self.assertTrue(self.driver.wait_gone(ABOUT, 5000))
        # With "Always on Top" every dialog stays on top, in front of the main window.
        self.main_menu("&Options", "Always on Top")
        self.assertTrue(wait_until(lambda: self.driver.fact(MAIN, "topmost"), 3))
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.assertTrue(self.driver.wait_visible(ADD_DIALOG, 5000))
        self.assertTrue(self.driver.info(ADD_DIALOG)["topmost"])
        self.close_add_dialog("Cancel")


if __name__ == "__main__":
    harness.main()
