""""Size Page Area" in the real tessaly.exe: the option in the Options menu and
its storage, and custom sizes that size the page inside a real window (its
largest child inside the client area, else the client area) through the tray's
"Active Window" and through the Internet Explorer tab."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import DEFAULTS, MAIN, SETTINGS, wait_until  # noqa: E402
from peers import IE_BROWSER  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"


def size_of(rect):
    return rect[2] - rect[0], rect[3] - rect[1]


class PageAreaTest(peers.BrowserPeerTestCase):
    def exit_by_menu(self, program):
        self.main_menu("&File", "E&xit")
        self.assertEqual(program.wait(15), 0)

    def start_with_page_area(self, size="300 x 200"):
        self.store_settings(defaults={"SizePageArea": 1})
        self.driver.reg_set(CUSTOM_SIZES, size, "dword", 1)
        self.start_tessaly()

    def size_peer_from_tray(self, caption):
        left, top, right, _ = self.driver.info(PEER)["rect"]
        self.input.click((left + right) // 2, top + 8)  # its caption: the peer in front
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Custom Sizes", caption)

    def content_view(self):
        """The size of the peer's largest child: its content view below the tool
        bar (the driver gives a child's rect as left, top, width, height)."""
        return max((c["rect"][2:] for c in self.driver.children(PEER)), key=lambda s: s[0] * s[1])

    def test_option_follows_edit_custom_sizes_is_off_at_first_and_stored_at_exit(self):
        program = self.start_tessaly()
        self.main_menu("&Options")
        captions = [item["caption"] for item in self.open_menus()[0]["items"]]
        self.assertEqual(captions.index("Size Page Area"), captions.index("Edit Custom Sizes...") + 1, captions)
        self.input.key("Escape", "Escape")
        self.exit_by_menu(program)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "SizePageArea"), ("dword", 0))

        program = self.start_tessaly()
        self.main_menu("&Options", "Size Page Area")
        self.exit_by_menu(program)
        self.assertEqual(self.driver.reg_get(DEFAULTS, "SizePageArea"), ("dword", 1))

    def test_the_content_view_of_the_active_window_gets_the_custom_size(self):
        self.start_with_page_area()
        # A 30-pixel tool bar that wraps to 60 below 400 pixels of client width,
        # a 20-pixel status strip: the first sizing leaves the page 30 short,
        # the check after it corrects that.
        self.start_peer(PEER[1], rect=(150, 120, 600, 450), args=["--content", "0,30,0,20", "--wrap-below", "400"])
        self.size_peer_from_tray("300 x 200")
        self.assertTrue(wait_until(lambda: self.content_view() == (300, 200), 5),
                        "the content view is %s" % (self.content_view(),))
        self.assertEqual(self.driver.info(PEER)["client"], (300, 280))
        self.assertEqual(self.driver.info(PEER)["rect"][:2], (150, 120), "the window's corner moved")

    def test_without_children_the_client_area_gets_the_custom_size_and_presets_stay_outer_sizes(self):
        self.start_with_page_area()
        self.start_peer(PEER[1], rect=(150, 120, 600, 450))
        self.size_peer_from_tray("300 x 200")
        self.assertTrue(wait_until(lambda: self.driver.info(PEER)["client"] == (300, 200), 5),
                        "the client area is %s" % (self.driver.info(PEER)["client"],))
        self.size_peer_from_tray("800 x 600")
        self.assertTrue(wait_until(lambda: size_of(self.driver.info(PEER)["rect"]) == (808, 580), 5))

    def test_the_internet_explorer_window_gets_the_custom_size_as_its_client_area(self):
        self.register_ie_peer(rect=(70, 50, 500, 350))
        self.start_with_page_area()
        self.driver.must("click", *MAIN, "Size")
        self.assertTrue(self.driver.wait_visible(IE_BROWSER, 15000), "no browser window came up")
        self.assertTrue(wait_until(lambda: self.driver.fact(IE_BROWSER, "client") == (300, 200), 10),
                        "the browser's client area is %s" % (self.driver.fact(IE_BROWSER, "client"),))
        self.assertEqual(self.driver.fact(IE_BROWSER, "rect")[:2], (70, 50))


if __name__ == "__main__":
    harness.main()
