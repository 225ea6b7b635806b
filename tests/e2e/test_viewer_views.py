"""The viewer's own menus on the real tessaly.exe: every view of one capture
(the palettes and the kinds of colour vision) compared with what the
palette-reduce tool makes of the same flcapture.bmp, the colour readout and
contrast in the status bar, and the view shown saved as PNG or BMP and copied
to the clipboard."""

import glob
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmp  # noqa: E402
import harness  # noqa: E402
from harness import wait_until  # noqa: E402
from test_color_preview import VIEWER, PreviewTestCase, windows_path  # noqa: E402

SAVE_DIALOG = ("#32770", "Save As")
SIMULATIONS = {"Protanopia": "protanopia", "Deuteranopia": "deuteranopia", "Tritanopia": "tritanopia",
               "Achromatopsia": "achromatopsia"}


def palette_reduce():
    """The native palette-reduce tool that scripts/test.sh builds first."""
    for kind in ("native-asan", "native"):
        path = os.path.join(harness.ROOT, "build", kind, "tools", "palette_reduce", "palette-reduce")
        if os.access(path, os.X_OK):
            return path
    return None


def linear(channel):
    c = channel / 255.0
    return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4


def contrast(a, b):
    """WCAG 2's contrast ratio of two 0xRRGGBB colours."""
    def luminance(c):
        r, g, b = (c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF
        return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b)
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


class ViewerViewsTest(PreviewTestCase):
    def setUp(self):
        super().setUp()
        self.tool = palette_reduce()
        if not self.tool:
            self.fail("no palette-reduce in build/native-asan or build/native: scripts/test.sh builds it")

    # The viewer's menus and pictures --------------------------------------------
    def view_items(self):
        """The View menu's items as the user opens it, then closed again."""
        self.main_menu("&View", window=VIEWER)
        items = self.driver.menus()[0]["items"]
        self.input.key("Escape")
        self.input.key("Escape")
        self.assertTrue(wait_until(lambda: not self.driver.menus(), 3), "the menu stayed open")
        return items

    def checked_view(self):
        return [i["caption"] for i in self.view_items() if i["checked"]]

    def choose_view(self, caption):
        self.main_menu("&View", caption, window=VIEWER)
        self.assertTrue(wait_until(lambda: not self.driver.menus(), 3))

    def reduce_file(self, *options):
        """The tool's picture of the capture file, with these options."""
        out = os.path.join(self.out, "tool-view.bmp")
        subprocess.run([self.tool, *options, self.capture, out], check=True, capture_output=True)
        picture = bmp.read(out)
        os.remove(out)
        return picture

    def assert_shows(self, expected, what):
        """The viewer's visible part of the picture equals expected, pixel by pixel."""
        def differences():
            shown, _ = self.viewer_picture()
            width, height = min(shown.width, expected.width), min(shown.height, expected.height)
            return [(x, y) for y in range(height) for x in range(width)
                    if shown.pixel(x, y) != expected.pixel(x, y)]
        wrong = wait_until(lambda: not differences(), 3) or differences()
        self.assertEqual(wrong if wrong is not True else [], [], "%s: pixels differ" % what)

    def status_text(self):
        for child in self.driver.children(VIEWER):
            if child["class"].lower() == "msctls_statusbar32":
                return child["caption"]
        self.fail("the viewer has no status bar")

    def open_viewer(self):
        self.start_tessaly()
        self.start_page(seed=5)
        self.preview("Web Safe")

    # Tests -----------------------------------------------------------------------
    def test_every_view_is_made_from_the_one_capture(self):
        self.open_viewer()
        self.assertEqual(self.checked_view(), ["&Web Safe"])
        self.assertEqual([i["caption"] for i in self.view_items()],
                         ["&Page", "&Web Safe", "MS &Win 256", "", "&Protanopia", "&Deuteranopia",
                          "&Tritanopia", "&Achromatopsia"])
        captured = bmp.read(self.capture)
        with open(self.capture, "rb") as f:
            capture_bytes = f.read()
        self.assert_shows(self.reduce_file("--mode", "websafe"), "Web Safe")

        self.choose_view("Page")
        self.assert_shows(captured, "Page")
        for caption, kind in SIMULATIONS.items():
            self.choose_view(caption)
            self.assert_shows(self.reduce_file("--simulate", kind), caption)
        self.assertEqual(self.checked_view(), ["&Achromatopsia"])
        self.choose_view("MS Win 256")
        shown, _ = self.viewer_picture()
        colors = {shown.pixel(x, y) for y in range(min(shown.height, captured.height))
                  for x in range(min(shown.width, captured.width))}
        self.assertLessEqual(len(colors), 256)
        self.assertGreater(len(colors), 100, "the palette is not the picture's own")
        self.assertEqual(self.checked_view(), ["MS &Win 256"])
        self.choose_view("Web Safe")
        self.assert_shows(self.reduce_file("--mode", "websafe"), "Web Safe again")

        with open(self.capture, "rb") as f:
            self.assertEqual(f.read(), capture_bytes, "the capture was made again")
        self.assertEqual(glob.glob(os.path.join(self.program_dir, "flcapture*")), [self.capture])

    def test_status_bar_reads_the_colour_and_its_contrast_with_a_clicked_one(self):
        self.open_viewer()
        self.choose_view("Page")
        _, (bx, by, _, _) = self.viewer_picture()
        (x0, y0, _, _), (cx, cy, _, _) = self.expected_area()
        # The page's top band: #336699, then #C8641E, then white.
        at = lambda x, y: (bx + cx - x0 + x, by + cy - y0 + y)  # noqa: E731
        self.input.move(*at(60, 20))
        self.assertTrue(wait_until(lambda: self.status_text() == "#336699", 3), self.status_text())
        self.input.click(*at(300, 20))
        self.assertTrue(wait_until(lambda: self.status_text() == "#FFFFFF    clicked #FFFFFF    contrast 1.00:1", 3),
                        self.status_text())
        self.input.move(*at(60, 20))
        ratio = contrast(0x336699, 0xFFFFFF)
        self.assertGreater(ratio, 4.5)
        expected = "#336699    clicked #FFFFFF    contrast %.2f:1 AA" % ratio
        self.assertTrue(wait_until(lambda: self.status_text() == expected, 3), self.status_text())
        self.input.move(*at(180, 20))
        expected = "#C8641E    clicked #FFFFFF    contrast %.2f:1" % contrast(0xC8641E, 0xFFFFFF)
        self.assertTrue(wait_until(lambda: self.status_text() == expected, 3), self.status_text())

        # In another view the readout is that view's colour.
        self.choose_view("Achromatopsia")
        self.input.move(*at(60, 20))
        grey = self.reduce_file("--simulate", "achromatopsia").pixel(cx - x0 + 60, cy - y0 + 20)
        self.assertTrue(wait_until(lambda: self.status_text().startswith("#%06X    " % grey), 3), self.status_text())

    def save_as(self, name, keys=None):
        """Saves the view shown through the file dialog (Ctrl+S, or File > Save As...)."""
        path = os.path.join(self.out, name)
        if os.path.exists(path):
            os.remove(path)
        if keys:
            self.input.key(keys)
        else:
            self.main_menu("&File", "&Save As... Ctrl+S", window=VIEWER)  # the shortcut after a tab
        self.assertTrue(self.driver.wait_visible(SAVE_DIALOG, 5000), "no Save As dialog")
        self.driver.must("set-text", *SAVE_DIALOG, 0, windows_path(path))
        self.driver.must("click", *SAVE_DIALOG, "Save")
        self.assertTrue(self.driver.wait_gone(SAVE_DIALOG, 5000), "the dialog stayed")
        self.assertTrue(wait_until(lambda: os.path.exists(path), 5), "nothing saved")
        return path

    def test_save_as_png_and_bmp_and_copy_to_the_clipboard(self):
        self.open_viewer()
        self.choose_view("Deuteranopia")
        expected = self.reduce_file("--simulate", "deuteranopia")

        png = self.save_as("view.png", keys="ctrl+s")
        with open(png, "rb") as f:
            self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n", "not a PNG file")
        as_bmp = os.path.join(self.out, "view-png.bmp")
        subprocess.run(["convert", png, "BMP3:" + as_bmp], check=True)
        self.assert_same_picture(bmp.read(as_bmp), expected, "the PNG")

        self.choose_view("Web Safe")
        saved = bmp.read(self.save_as("view.bmp"))
        self.assert_same_picture(saved, self.reduce_file("--mode", "websafe"), "the BMP")

        self.driver.must("clipboard-clear")
        self.input.key("ctrl+c")
        copied = os.path.join(self.out, "clipboard.bmp")
        self.assertTrue(wait_until(lambda: self.driver.run("clipboard-dib", windows_path(copied)).ok, 3),
                        "no picture on the clipboard")
        picture = bmp.read(copied)
        self.assertEqual(picture.bits, 8, "not the view's own depth")
        self.assert_same_picture(picture, self.reduce_file("--mode", "websafe"), "the clipboard's DIB")

        self.input.key("Escape")
        self.assertTrue(self.driver.wait_gone(VIEWER, 5000), "Esc did not close the viewer")

    def assert_same_picture(self, picture, expected, what):
        self.assertEqual((picture.width, picture.height), (expected.width, expected.height), what)
        self.assertTrue(picture.rows == expected.rows, "%s differs from the view" % what)


if __name__ == "__main__":
    harness.main()
