"""The "Internet Explorer" tab of the real tessaly.exe driving a browser through
Internet Explorer's automation interface; tiepeer stands in for the browser."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import MAIN, wait_until  # noqa: E402
from peers import IE_BROWSER  # noqa: E402

ERROR = "Error Helper #%d. Please e-mail support@example.com with this problem"


class InternetExplorerTest(peers.BrowserPeerTestCase):
    def browser_rect(self):
        return self.driver.fact(IE_BROWSER, "rect")

    def wait_browser_size(self, size):
        def size_now():
            rect = self.browser_rect()
            return rect and (rect[2] - rect[0], rect[3] - rect[1])
        self.assertTrue(wait_until(lambda: size_now() == size, 10),
                        "the browser is %s, not %s" % (size_now(), size))

    def wait_calls(self, count):
        """The log once it holds at least count calls."""
        wait_until(lambda: len(self.ie_log.calls()) >= count, 10)
        return self.ie_log.calls()

    def test_preset_starts_shows_and_sizes_a_browser_then_reuses_it(self):
        self.register_ie_peer(rect=(70, 50, 500, 350))
        self.start_tessaly()
        self.driver.must("click", *MAIN, "800 x 600")  # task bar "Horizontal", the default
        self.assertTrue(self.driver.wait_visible(IE_BROWSER, 15000), "no browser window came up")
        self.wait_browser_size((808, 580))
        self.assertEqual(self.browser_rect()[:2], (70, 50), "the browser's corner moved")
        self.assertEqual(self.wait_calls(7), ["server 0", "create", "put_Visible 1", "get_HWND", "GoHome",
                                              "put_Width 808", "put_Height 580"])

        self.ie_log.clear()
        self.driver.must("click", *MAIN, "640 x 480")
        self.wait_browser_size((648, 460))
        self.assertEqual(self.driver.count(IE_BROWSER), 1, "a second browser was started")
        # Alive (its width answers), brought to the top, then sized.
        self.assertEqual(self.wait_calls(4), ["get_Width 808", "get_HWND", "put_Width 648", "put_Height 460"])

    def test_closed_browser_is_replaced_by_a_new_one(self):
        self.register_ie_peer()
        self.start_tessaly()
        self.driver.must("click", *MAIN, "800 x 600")
        self.assertTrue(self.driver.wait_visible(IE_BROWSER, 15000))
        first = self.ie_log.entries()[0][0]
        self.driver.must("close", *IE_BROWSER)
        self.assertTrue(self.driver.wait_gone(IE_BROWSER, 10000))

        self.driver.must("click", *MAIN, "Web TV")
        self.assertTrue(self.driver.wait_visible(IE_BROWSER, 15000), "no new browser came up")
        self.wait_browser_size((568, 388))
        self.assertIsNone(self.driver.message_box(500), "replacing a closed browser is no error")
        second = [(pid, call) for pid, call in self.ie_log.entries() if pid != first]
        self.assertEqual([call for _, call in second][:5],
                         ["server 0", "create", "put_Visible 1", "get_HWND", "GoHome"])

    def test_without_the_browser_class_the_start_and_the_sizing_report_errors(self):
        self.unregister_ie_class()
        program = self.start_tessaly()
        self.driver.must("click", *MAIN, "800 x 600")
        for number in (1, 6):
            box = self.driver.message_box(10000)
            self.assertIsNotNone(box, "no message %d" % number)
            self.assertEqual(box, {"caption": "Framlet Notice...", "text": ERROR % number, "icon": "warning",
                                   "buttons": ["OK"]})
            self.driver.must("answer", "OK", 5000)
        self.assertIsNone(self.driver.message_box(1000), "a third message appeared")
        self.assertTrue(program.running())
        self.assertEqual(self.driver.count(IE_BROWSER), 0)


if __name__ == "__main__":
    harness.main()
