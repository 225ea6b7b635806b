"""The colour preview of the real tessaly.exe, driven with the mouse and keyboard
as a user would: a peer window that paints a known picture is made the active
window, and the tray's "Active Window" > "Check Color" items preview it. The
capture file beside the program is read back and compared with what the peer
painted; the viewer's picture is read off the screen."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import bmp  # noqa: E402
import harness  # noqa: E402
import peers  # noqa: E402
from harness import MAIN, wait_until  # noqa: E402
from peers import IE_BROWSER  # noqa: E402

PEER = ("TTestTarget", "Page Under Test")
VIEWER = ("TfrmImageViewer", " Tessaly Image Viewer")
CAPTION_ROWS = 24
WS_THICKFRAME = 0x00040000
# Away from the tray menus at the bottom right, which the capture must not see.
PEER_RECT = (60, 50, 500, 400)


def pattern_color(x, y, seed):
    """Client pixel (x, y) of ttarget --paint SEED (PatternColor in
    tests/wine/peers/target_window.cpp)."""
    if y < 40:
        return 0x336699 if x < 120 else (0xC8641E if x < 240 else 0xFFFFFF)
    r, g, b = (x + seed) & 0xFF, y & 0xFF, ((x + y) // 2 + 3 * seed) & 0xFF
    return (r << 16) | (g << 8) | b


def web_safe(color):
    return all(((color >> shift) & 0xFF) % 51 == 0 for shift in (16, 8, 0))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class PreviewTestCase(peers.BrowserPeerTestCase):
    """A page peer, the tray's preview of it, and what the viewer shows."""

    def setUp(self):
        super().setUp()
        self.program_dir = os.path.dirname(self.tessaly_path())
        self.capture = os.path.join(self.program_dir, "flcapture.bmp")
        self.remove_captures()
        self.addCleanup(self.remove_captures)

    def remove_captures(self):
        for path in glob.glob(os.path.join(self.program_dir, "flcapture*")):
            os.remove(path)

    # The peer and the preview ------------------------------------------------------
    def bring_to_front(self, window):
        """Clicks the window's caption and waits until it is the active window."""
        left, top, right, _ = self.driver.info(window)["rect"]
        self.input.click((left + right) // 2, top + 8)
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == window[0], 3),
                        "%s did not come to the front" % (window,))

    def choose_check_color(self, palette):
        """"Active Window" > "Check Color" > palette from the tray menu."""
        self.open_tray_menu()
        self.menu_click("Active Window", "Check Color", palette)

    def start_page(self, rect=PEER_RECT, seed=0):
        self.start_peer(PEER[1], rect=rect, args=["--paint", str(seed)])

    def preview(self, palette):
        """Makes the peer the active window and previews it from the tray."""
        self.bring_to_front(PEER)
        self.choose_check_color(palette)
        self.assertTrue(self.driver.wait_visible(VIEWER, 15000), "the viewer did not open")

    def close_viewer(self):
        self.driver.must("close", *VIEWER)
        self.assertTrue(self.driver.wait_gone(VIEWER, 5000), "the viewer did not close")

    def expected_area(self):
        """The capture area of the peer's placement, and its client area's origin
        on the screen (the frame is as wide at the sides as at the bottom)."""
        facts = self.driver.info(PEER)
        left, top, right, bottom = facts["rect"]
        width, height = facts["client"]
        border = (right - left - width) // 2
        area = (left, top + CAPTION_ROWS, right - left, bottom - top - CAPTION_ROWS)
        return area, (left + border, bottom - border - height, width, height)

    def assert_capture_holds_page(self, seed):
        """flcapture.bmp is the unreduced copy of the peer's capture area: its size,
        and every pixel of the peer's client area at its place."""
        (x0, y0, width, height), (cx, cy, cw, ch) = self.expected_area()
        picture = bmp.read(self.capture)
        self.assertEqual((picture.width, picture.height), (width, height))
        self.assertEqual(picture.bits, 32, "not the display's depth")
        wrong = [(x, y) for y in range(max(cy - y0, 0), min(cy - y0 + ch, height))
                 for x in range(cx - x0, cx - x0 + cw)
                 if picture.pixel(x, y) != pattern_color(x + x0 - cx, y + y0 - cy, seed)]
        self.assertEqual(wrong[:5], [], "%d pixels differ from the page" % len(wrong))
        return picture

    def viewer_picture(self):
        """What the viewer's scroll box shows, and where its client area lies."""
        path = os.path.join(self.out, "viewer-grab.bmp")
        lines = self.driver.must("grab-client", *VIEWER, "TScrollBox", windows_path(path))
        box = tuple(int(v) for v in lines[0].split(","))
        picture = bmp.read(path)
        os.remove(path)
        return picture, box

    def child_rect(self, window_class):
        for child in self.driver.children(VIEWER):
            if child["class"] == window_class:
                return child["rect"]
        self.fail("the viewer has no %s" % window_class)


class ColorPreviewTest(PreviewTestCase):
    def test_web_safe_preview_of_the_active_window(self):
        self.start_tessaly()
        self.start_page()
        self.preview("Web Safe")

        facts = self.driver.info(VIEWER)
        self.assertEqual(facts["title"], VIEWER[1])
        self.assertEqual(facts["rect"], (340, 312, 940, 712), "not 600 x 400 in the screen's centre")
        self.assertTrue(facts["style"] & WS_THICKFRAME, "not sizeable")
        self.assertEqual(facts["owner_class"], "TApplication")

        capture = self.assert_capture_holds_page(seed=0)
        self.assertFalse(all(web_safe(c) for c in capture.colors()), "the file holds a reduced picture")
        self.assertEqual(self.child_rect("TImage"), (0, 0, capture.width, capture.height))

        shown, _ = self.viewer_picture()
        width = min(shown.width, capture.width)
        colors = {shown.pixel(x, y) for y in range(shown.height) for x in range(width)}
        self.assertEqual({c for c in colors if not web_safe(c)}, set())
        self.assertGreater(len(colors), 20, "no dithering to be seen")
        # Where the page is web-safe already it shows unchanged; where it lies
        # between the levels it is dithered. The picture is at the box's origin.
        (x0, y0, _, _), (cx, cy, _, _) = self.expected_area()
        rows = range(max(cy - y0, 0), cy - y0 + 40)
        self.assertEqual({shown.pixel(cx - x0 + x, y) for y in rows for x in range(2, 118)}, {0x336699})
        self.assertGreater(len({shown.pixel(cx - x0 + x, y) for y in rows for x in range(122, 238)}), 1)

        self.close_viewer()
        self.assertTrue(self.driver.visible(MAIN), "the program went with its viewer")

    def test_windows_palette_uses_at_most_256_colours(self):
        self.start_tessaly()
        self.start_page(seed=3)
        self.preview("MS Win 256")
        capture = self.assert_capture_holds_page(seed=3)
        self.assertGreater(len(capture.colors()), 256)
        shown, _ = self.viewer_picture()
        colors = {shown.pixel(x, y) for y in range(shown.height) for x in range(min(shown.width, capture.width))}
        self.assertLessEqual(len(colors), 256)
        self.assertGreater(len(colors), 100, "the palette is not the picture's own")

    def test_second_preview_replaces_the_capture(self):
        self.start_tessaly()
        self.start_page(seed=0)
        self.preview("Web Safe")
        self.close_viewer()
        self.driver.must("terminate", *PEER)
        self.assertTrue(self.driver.wait_gone(PEER, 5000))
        self.start_page(rect=(90, 70, 420, 330), seed=9)
        self.preview("MS Win 256")
        self.assert_capture_holds_page(seed=9)
        self.assertEqual(glob.glob(os.path.join(self.program_dir, "flcapture*")), [self.capture])

    def test_no_target_gives_no_viewer_and_no_message(self):
        self.input.move(640, 500)  # not over the tray icon while windows come up
        self.start_tessaly()
        self.start_page()
        self.focus_main_window()  # this program's own window is never a target
        self.choose_check_color("Web Safe")
        self.assertFalse(self.driver.wait_visible(VIEWER, 1500), "a viewer opened without a target")
        self.assertIsNone(self.driver.message_box(500))
        self.assertEqual(self.driver.count(VIEWER), 0, "the viewer was not destroyed")
        self.assertFalse(os.path.exists(self.capture))

    def test_view_button_previews_the_current_tabs_browser_with_the_chosen_palette(self):
        self.register_ie_peer(rect=(80, 60, 420, 330))
        self.start_tessaly()  # on the "Internet Explorer" tab
        self.driver.must("select-combo", *MAIN, 3, "MS Win 256")
        self.driver.must("click", *MAIN, "View")
        self.assertTrue(self.driver.wait_visible(VIEWER, 15000), "the viewer did not open")
        left, top, right, bottom = self.driver.info(IE_BROWSER)["rect"]
        capture = bmp.read(self.capture)
        self.assertEqual((capture.width, capture.height), (right - left, bottom - top - CAPTION_ROWS))
        shown, _ = self.viewer_picture()
        # The browser's frame greys lie between the web-safe levels: the optimized
        # palette keeps them, the web-safe one could not.
        self.assertFalse(all(web_safe(c) for c in shown.colors()), "the web-safe palette was used")

    def test_viewer_scrolls_with_keys_wheel_and_thumb(self):
        self.start_tessaly()
        self.start_page(rect=(20, 20, 900, 800))
        self.preview("Web Safe")
        _, (bx, by, bw, bh) = self.viewer_picture()
        width, height = self.child_rect("TImage")[2:]
        self.assertEqual((width, height), (900, 800 - CAPTION_ROWS))
        position = lambda: self.child_rect("TImage")[:2]  # noqa: E731
        moves_to = lambda where: wait_until(lambda: position() == where, 3)  # noqa: E731

        self.input.key("End")
        self.assertTrue(moves_to((0, bh - height)), "End: %s" % (position(),))
        self.input.key("Home")
        self.assertTrue(moves_to((0, 0)), "Home: %s" % (position(),))
        self.input.key("Down", "Right")
        self.assertTrue(moves_to((-20, -20)), "arrows: %s" % (position(),))
        self.input.move(bx + bw // 2, by + bh // 2)
        self.input.xdotool("click", 5)  # a notch toward the user: three lines on
        self.assertTrue(moves_to((-20, -80)), "wheel: %s" % (position(),))
        self.input.key("ctrl+End")
        self.assertTrue(moves_to((bw - width, bh - height)), "ctrl+End: %s" % (position(),))

        # The view follows the vertical bar's thumb while it is dragged.
        self.input.key("ctrl+Home")
        self.assertTrue(moves_to((0, 0)))
        bar_x, thumb_y = bx + bw + 8, by + 40
        self.input.move(bar_x, thumb_y)
        self.input.xdotool("mousedown", 1)
        try:
            for step in range(1, 6):
                self.input.move(bar_x, thumb_y + 20 * step)
            self.assertTrue(wait_until(lambda: position()[1] < -100, 3),
                            "the view did not follow the thumb: %s" % (position(),))
        finally:
            self.input.xdotool("mouseup", 1)

    def test_read_only_program_directory_shows_the_error(self):
        folder = tempfile.mkdtemp(prefix="readonly-", dir=self.out)
        self.addCleanup(shutil.rmtree, folder, True)
        copy = os.path.join(folder, "tessaly.exe")
        shutil.copy(self.tessaly_path(), copy)
        self.make_read_only(folder)
        self.start_tessaly(path=copy)
        self.start_page()
        self.bring_to_front(PEER)
        self.choose_check_color("Web Safe")
        box = self.driver.message_box(10000)
        self.assertIsNotNone(box, "no error box")
        expected = "Cannot create file " + windows_path(os.path.join(folder, "flcapture.bmp"))
        self.assertTrue(box["text"].lower().startswith(expected.lower()), box["text"])
        self.assertEqual((box["caption"], box["icon"], box["buttons"]), ("Tessaly 2", "stop", ["OK"]))
        self.assertEqual(self.driver.count(VIEWER), 0)
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.visible(MAIN), "the program did not go on")

    def make_read_only(self, folder):
        """Makes a folder read-only even for root, who runs Wine here: a read-only
        bind mount, or else the immutable attribute."""
        attempts = (
            (["mount", "--bind", folder, folder], ["mount", "-o", "remount,ro,bind", folder],
             ["umount", folder]),
            (["chattr", "+i", folder], None, ["chattr", "-i", folder]),
        )
        for first, second, undo in attempts:
            if subprocess.run(first, capture_output=True).returncode != 0:
                continue
            self.addCleanup(subprocess.run, undo, capture_output=True)
            if second and subprocess.run(second, capture_output=True).returncode != 0:
                continue
            probe = os.path.join(folder, "probe")
            try:
                open(probe, "wb").close()
                os.remove(probe)
            except OSError:
                return
        self.skipTest("this machine cannot make a folder read-only for root")


if __name__ == "__main__":
    harness.main()
