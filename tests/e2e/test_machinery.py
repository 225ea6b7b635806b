"""Checks of the test machinery itself, on a peer window instead of the program:
that X coordinates are Windows screen coordinates, that the notification icon is
found and answers a real double-click, and that the driver reports what it acts on."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402

PEER = ("TTestTarget", "Machinery Peer")


class MachineryTest(harness.E2ETestCase):
    def test_screen_is_the_virtual_desktop(self):
        self.assertEqual(self.driver.must("screen"), ["1280 1024"])

    def test_x_coordinates_are_screen_coordinates(self):
        self.start_peer(PEER[1], rect=(150, 120, 300, 200))
        facts = self.driver.info(PEER)
        self.assertEqual(facts["rect"], (150, 120, 450, 320))
        for x, y in ((3, 5), (640, 512), (1276, 1019), (160, 130)):
            self.input.move(x, y)
            self.assertEqual(self.driver.must("cursor"), ["%d %d" % (x, y)])

    def test_peer_window_facts_and_close(self):
        program = self.start_peer(PEER[1], rect=(50, 60, 320, 240))
        facts = self.driver.info(PEER)
        self.assertTrue(facts["visible"])
        self.assertFalse(facts["topmost"])
        self.assertEqual(facts["owner"], "0x0")
        self.assertEqual(self.driver.count(PEER), 1)
        self.driver.must("close", *PEER)
        self.assertEqual(program.wait(10), 0)
        self.assertEqual(self.driver.count(PEER), 0)

    def test_real_double_click_on_tray_icon(self):
        # The peer's icon closes the peer on a double-click.
        program = self.start(harness.program_path("TTARGET_EXE", "tests/wine/ttarget.exe"),
                             ["--title", PEER[1], "--tray"])
        self.assertTrue(self.driver.wait_visible(PEER))
        x, y = self.tray_icon()
        bar = self.driver.info(("Shell_TrayWnd", "*"))
        self.assertEqual(bar["rect"][2], 1280, "the task bar does not end at the screen's edge")
        self.assertTrue(bar["rect"][1] <= y < bar["rect"][3])
        self.input.double_click(x, y)
        self.assertEqual(program.wait(10), 0, "the double-click did not reach the peer")

    def test_registry_round_trip(self):
        self.store_settings(position={"Left": 12}, defaults={"Browser": "ns"})
        self.assertEqual(self.driver.reg_get(harness.POSITION, "Left"), ("dword", 12))
        self.assertEqual(self.driver.reg_get(harness.DEFAULTS, "Browser"), ("sz", "ns"))
        self.assertEqual(self.driver.reg_get(harness.DEFAULTS, "Nothing"), ("missing", None))
        self.assertEqual(self.driver.reg_values(harness.POSITION), [("Left", "dword")])
        self.reset_settings()
        self.assertEqual(self.driver.reg_get(harness.POSITION, "Left"), ("nokey", None))


if __name__ == "__main__":
    harness.main()
