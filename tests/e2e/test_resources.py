"""tessaly.exe as the shell shows it: its icon resource, read from another
process and shown by the main window's caption and the tray icon, and its
version resource."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN  # noqa: E402


# The shipped 32-bit build cannot run here, but its resources can be read.
SHIPPED = os.path.join(harness.ROOT, "build", "win32", "app", "tessaly.exe")


class ResourcesTest(harness.E2ETestCase):
    def executables(self):
        """The tested program, and the shipped one when it has been built."""
        return [self.tessaly_path()] + ([SHIPPED] if os.path.exists(SHIPPED) else [])

    def assert_icon_shown(self, area, where):
        """The executable's small icon shows in the screen area (x, y, w, h)."""
        line = self.driver.must("icon-shown", self.tessaly_path(), *area)[0]
        at, _, difference = line.partition(" difference ")
        # The picture is drawn as stored: its opaque pixels match to the colour.
        self.assertLess(float(difference), 2.0, "the %s shows another icon (%s)" % (where, line))

    def test_icon_resource_loads_at_16_and_32_pixels(self):
        for exe in self.executables():
            with self.subTest(exe=exe):
                self.assertEqual(self.driver.must("exe-icons", exe),
                                 ["count 1", "large 32x32", "small 16x16"])

    def test_version_resource_gives_2_01_and_the_product(self):
        for exe in self.executables():
            with self.subTest(exe=exe):
                lines = self.driver.must("version-info", exe)
                facts = dict(line.partition(" ")[::2] for line in lines)
                self.assertEqual(facts["fixed"], "2.1.0.0")
                self.assertEqual(facts["FileVersion"], "2.01")
                self.assertEqual(facts["ProductVersion"], "2.01")
                self.assertEqual(facts["ProductName"], "Tessaly")
                self.assertEqual(facts["CompanyName"], "Corvane")
                self.assertEqual(facts["OriginalFilename"], "tessaly.exe")
                self.assertTrue(facts["FileDescription"], "no file description")

    def test_main_window_and_tray_show_the_icon_resource(self):
        self.start_tessaly()
        # The caption draws the window class's small icon at its left end.
        left, top, _, _ = self.driver.info(MAIN)["rect"]
        self.assert_icon_shown((left, top, 40, 30), "main window's caption")
        x, y = self.tray_icon()
        self.assert_icon_shown((x - 12, y - 12, 24, 24), "tray icon")


if __name__ == "__main__":
    harness.main()
