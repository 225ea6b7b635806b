"""The "Netscape Navigator" tab and the tray's "Netscape Navigator" sub-menu of
the real tessaly.exe driving Netscape over DDE; tnspeer stands in for Netscape."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import APP, MAIN, wait_until  # noqa: E402
from peers import IE_BROWSER  # noqa: E402

QUESTION = "Netscape needs to be loaded. Would you like me to attempt to load it now?"


class NetscapeTest(peers.BrowserPeerTestCase):
    def choose_netscape_preset(self, caption):
        self.open_tray_menu()
        self.menu_click("Netscape Navigator", caption)

    def wait_rect(self, window, rect):
        reached = wait_until(lambda: self.driver.fact(window, "rect") == rect, 10)
        self.assertTrue(reached, "the Netscape window is at %s, not %s" % (
            self.driver.fact(window, "rect"), rect))

    def pokes(self):
        return [call for call in self.ns_log.calls() if call.startswith("poke")]

    def test_preset_with_vertical_bars_pokes_the_size_at_the_windows_corner(self):
        window = self.start_netscape("Peer Page", (150, 120, 500, 400))
        self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)
        self.driver.must("select-combo", *MAIN, 0, "Vertical")  # task bar
        self.driver.must("select-combo", *MAIN, 1, "Vertical")  # office bar
        self.driver.must("click", *MAIN, "1024 x 768")
        self.wait_rect(window, (150, 120, 150 + 935, 120 + 776))
        item = "7x0,0x00000001,150,120,935,776"
        self.assertEqual(self.pokes(), ["poke WWW_WindowChange %s data %s zero 1" % (item, item)])
        self.assertEqual(self.ns_log.calls()[:5], [
            "ready", "request WWW_Activate 0xFFFFFFFF,0x0", "request WWW_GetFrameParent 7x0",
            "request WWW_Activate 7x0,0x0", "request WWW_GetWindowInfo 7x0"])

    def test_tray_sub_menu_reaches_netscape_whatever_the_tab(self):
        window = self.start_netscape("Peer Page", (200, 90, 300, 200))
        self.start_tessaly()
        self.assertEqual(self.driver.tab_index(MAIN), 0)  # the Internet Explorer tab
        self.choose_netscape_preset("640 x 480")  # task bar "Horizontal"
        self.wait_rect(window, (200, 90, 200 + 648, 90 + 460))
        self.assertEqual(self.driver.tab_index(MAIN), 0, "a tray command changed the tab")
        self.assertEqual(self.driver.count(IE_BROWSER), 0, "the command reached Internet Explorer")

    def test_without_netscape_the_question_shows_the_program_and_cancel_ends_quietly(self):
        self.store_settings(position={"VisibleOnStart": 0})
        program = self.start_tessaly(visible=False)
        self.choose_netscape_preset("800 x 600")
        box = self.driver.message_box(15000)
        self.assertEqual(box, {"caption": "Tessaly Notice...", "text": QUESTION, "icon": "question",
                               "buttons": ["OK", "Cancel"]})
        self.assertTrue(self.driver.visible(MAIN), "the question came with the program hidden")
        self.assertTrue(self.driver.visible(APP))
        self.driver.must("answer", "Cancel", 5000)
        self.assertTrue(self.driver.wait_hidden(MAIN, 5000), "the program stayed shown")
        self.assertTrue(self.driver.wait_hidden(APP, 5000))
        self.assertIsNone(self.driver.message_box(1500), "Cancel was followed by another message")
        self.assertTrue(program.running())
        self.assertEqual(self.driver.count(peers.NETSCAPE), 0)

    def test_ok_starts_netscape_and_the_command_goes_on_once_it_answers(self):
        self.install_netscape(delay_ms=5000)
        self.start_tessaly()
        self.driver.must("tab-select", *MAIN, 1)
        self.driver.must("click", *MAIN, "800 x 600")
        self.assertEqual(self.driver.message_box(15000)["text"], QUESTION)
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.wait_window(peers.NETSCAPE, 10000), "netscape.exe was not started")
        # While it waits for Netscape, the program's messages keep running: the
        # close box (which hides the program to the tray) works meanwhile.
        self.driver.must("post-message", *MAIN, "WM_CLOSE", 0, 0)
        self.assertTrue(self.driver.wait_hidden(MAIN, 2500), "the program stopped taking input while it waited")
        self.assertNotIn("ready", self.ns_log.calls(), "Netscape answered before the program was tried")
        window = (peers.NETSCAPE[0], "Test Page - Netscape")
        self.assertTrue(self.driver.wait_visible(window, 15000))
        self.wait_rect(window, (100, 100, 100 + 808, 100 + 580))
        self.assertIsNone(self.driver.message_box(500))


if __name__ == "__main__":
    harness.main()
