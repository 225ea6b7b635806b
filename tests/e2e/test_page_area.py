""""Size Page Area" in the real tessaly.exe: the option, and custom sizes that
size the page inside a real window, from the tray and the Internet Explorer tab."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import DEFAULTS, MAIN, SETTINGS, wait_until  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")


class PageAreaTest(peers.BrowserPeerTestCase):
    def start_with_page_area(self):
        self.store_settings(defaults={"SizePageArea": 1})
        self.driver.reg_set(SETTINGS + r"\CustomSizes", "300 x 200", "dword", 1)
        self.start_tessaly()

    def size_peer(self, *peer_args):
        """A peer in front, then "300 x 200" for it from the tray, until its
        window has changed."""
        self.start_peer(PEER[1], rect=(150, 120, 600, 450), args=list(peer_args))
        before = self.driver.info(PEER)
        left, top, right, _ = before["rect"]
        self.input.click((left + right) // 2, top + 8)  # its caption
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Custom Sizes", "300 x 200")
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)["client"] != before["client"], 5),
                        "nothing was sized")

    def test_option_follows_edit_custom_sizes_and_is_stored_at_exit(self):
        program = self.start_tessaly()
        self.main_menu("&Options")
        captions = [item["caption"] for item in self.open_menus()[0]["items"]]
        self.assertEqual(captions[captions.index("Edit Custom Sizes...") + 1], "Size Page Area")
        self.menu_click("Size Page Area")
        self.main_menu("&File", "E&xit")
        self.assertEqual(program.wait(15), 0)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "SizePageArea"), ("dword", 1))

    def test_the_content_view_else_the_client_area_gets_the_size(self):
        self.start_with_page_area()
        # The peer's tool bar wraps to two rows below 400 pixels of width: the
        # first sizing leaves the view 30 short, the check after it corrects that.
        self.size_peer("--content")
        def views():
            return [c["rect"][2:] for c in self.driver.children(PEER)]  # x, y, width, height
        self.assertTrue(wait_until(lambda: (300, 200) in views(), 5), "the children are %s" % views())
        self.assertEqual(self.driver.info(PEER)["rect"][:2], (150, 120), "the window's corner moved")
        self.driver.must("terminate", *PEER)
        self.assertTrue(self.driver.wait_gone(PEER, 5000))
        self.size_peer()
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)["client"] == (300, 200), 5))

    def test_the_internet_explorer_window_gets_the_size_as_its_client_area(self):
        self.register_ie_peer(rect=(70, 50, 500, 350))
        self.start_with_page_area()
        self.driver.must("click", *MAIN, "Size")
        self.assertTrue(self.driver.wait_visible(peers.IE_BROWSER, 15000), "no browser window came up")
        self.assertTrue(wait_until(lambda: self.driver.fact(peers.IE_BROWSER, "client") == (300, 200), 10))


if __name__ == "__main__":
    harness.main()
