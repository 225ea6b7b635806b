"""The text of every label, button, group box and tab of the real tessaly.exe's
windows fits its control and runs under no other control, measured by the
program in each control's own font (tdriver texts), and the main menu bar
keeps to one row."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import update_peer  # noqa: E402
from harness import MAIN, wait_until  # noqa: E402

ABOUT = ("TfrmAboutBox", " About Tessaly")
CUSTOM_SIZES = ("TfrmCustomSizes", " Edit Tessaly Custom Sizes")
HOTKEYS = ("TfrmHotkeys", " Tessaly Hotkeys")
ADD_BOOKMARK = ("TfrmAddBookmark", " Add Tessaly BookMark")
ORGANIZER = ("TfrmEditBookmarks", " Organize Tessaly BookMarks")
UPDATE = ("TfrmUpdate", " Tessaly Update")
OTHER_SIZE = ("TfrmOtherSize", " Other Size")
PEER = ("TTestTarget", "Page Under Test")

# Room a control takes from its width before its text: a push button's edges,
# a check box's box and the gap after it, a group box's caption inset on
# either side, a tab's least padding.
PUSH_MARGIN = 2 * 3
CHECK_BOX = 13 + 4
GROUP_INSET = 2 * 8
TAB_MARGIN = 2 * 3

# Button styles (the low four bits) by kind.
PUSH = (0x0, 0x1)
CHECK = (0x2, 0x3, 0x4, 0x5, 0x6, 0x9)
GROUP = (0x7,)


def parse(lines):
    rows = []
    for line in lines:
        kind, cls, style, rect, size, text = (line.split("\t") + [""])[:6]
        rows.append({"kind": kind, "class": cls, "style": int(style, 16),
                     "rect": tuple(int(v) for v in rect.split(",")),
                     "size": tuple(int(v) for v in size.split(",")), "text": text})
    return rows


def text_rect(row):
    """Where a label's text lies: from its left, right or centre by its style."""
    left, top, right, bottom = row["rect"]
    width, height = row["size"]
    align = row["style"] & 0x3
    if align == 0x2:  # SS_RIGHT
        left = right - width
    elif align == 0x1:  # SS_CENTER
        left = (left + right - width) // 2
    return left, top, left + width, top + height


def overlaps(a, b):
    return a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]


def contains(outer, inner):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and outer[2] >= inner[2] and outer[3] >= inner[3]


def is_text_label(row):
    """A static control that shows text (left, centred or right), not a picture or a frame."""
    return row["class"].lower() == "static" and row["style"] & 0x1F in (0x0, 0x1, 0x2)


def problems_of(rows):
    """Every text that is cut or runs under another control, described."""
    found = []
    # What a text may not run under: any control but pictures and frames,
    # which the About box's labels sit on by design.
    controls = [r for r in rows if r["kind"] == "control" and (r["class"].lower() != "static" or is_text_label(r))]
    for row in rows:
        text, (width, _) = row["text"], row["size"]
        left, top, right, bottom = row["rect"]
        room = right - left
        cls, kind = row["class"].lower(), row["style"] & 0xF
        if not text.strip():
            continue
        if row["kind"] == "tab":
            need = width + TAB_MARGIN
        elif cls == "button" and kind in PUSH:
            need = width + PUSH_MARGIN
        elif cls == "button" and kind in CHECK:
            need = width + CHECK_BOX
        elif cls == "button" and kind in GROUP:
            need = width + GROUP_INSET
        elif is_text_label(row):
            need = width
            drawn = text_rect(row)
            for other in controls:
                if other is row or contains(other["rect"], row["rect"]):
                    continue  # itself, or what it sits in (group box, tab control, panel)
                if overlaps(drawn, other["rect"]):
                    found.append("%r runs under the %s at %s (text at %s)" % (
                        text, other["class"], other["rect"], drawn))
        else:
            continue
        if need > room:
            found.append("%r needs %d pixels in its %s, which has %d" % (text, need, row["class"], room))
    return found


class TextFitTest(harness.E2ETestCase):
    def texts(self, window):
        self.assertTrue(self.driver.wait_visible(window, 5000), "%r did not open" % (window,))
        return parse(self.driver.must("texts", *window))

    def assert_fits(self, window, least=1):
        rows = self.texts(window)
        self.assertGreaterEqual(len([r for r in rows if r["text"].strip()]), least,
                                "%r shows too few texts: %r" % (window, rows))
        self.assertEqual(problems_of(rows), [], "in %r" % (window,))
        return rows

    def close(self, window):
        self.driver.must("sysclose", *window)
        self.assertTrue(self.driver.wait_gone(window, 5000), "%r did not close" % (window,))

    def test_main_window_menu_bar_and_about_box(self):
        self.start_tessaly()
        rows = self.assert_fits(MAIN, least=15)
        texts = {r["text"] for r in rows}
        self.assertTrue({"TaskBar:", "Office Bar:", "Internet Explorer", "Netscape Navigator"} <= texts, texts)
        bar = self.driver.menu_bar(MAIN)
        self.assertEqual(len({item["rect"][1] for item in bar["items"]}), 1,
                         "the menu bar wraps: %r" % bar["items"])
        self.main_menu("&Help", "&About...")
        self.assert_fits(ABOUT, least=3)
        self.close(ABOUT)

    def test_dialogs(self):
        self.start_tessaly()
        self.main_menu("&Options", "Edit Custom Sizes...")
        self.assert_fits(CUSTOM_SIZES, least=4)
        self.close(CUSTOM_SIZES)
        self.main_menu("&Options", "Hotkeys...")
        self.assert_fits(HOTKEYS, least=6)
        self.close(HOTKEYS)
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.assert_fits(ADD_BOOKMARK, least=4)
        self.close(ADD_BOOKMARK)
        self.main_menu("Bookmarks", "Organize Bookmarks...")
        self.assert_fits(ORGANIZER, least=3)
        self.close(ORGANIZER)
        self.main_menu("&Help", "Check for Update...")
        self.assert_fits(UPDATE, least=2)
        self.close(UPDATE)
        self.start_peer(PEER[1], rect=(120, 90, 400, 300))
        self.input.click(320, 98)  # the peer's caption: the window in front
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == PEER[0], 3))
        self.open_tray_menu()
        self.menu_click("Active Window", "Other Size...")
        self.assert_fits(OTHER_SIZE, least=4)
        self.close(OTHER_SIZE)

    def test_update_window_while_it_downloads(self):
        server = update_peer.UpdateServer(harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe"))
        self.addCleanup(server.stop)
        server.config.update(latest_version="2.02", download_url=server.url("/slow-download"))
        self.store_settings(defaults={"UpdateURL": server.url("/update.asp")})
        self.start_tessaly()
        self.main_menu("&Help", "Check for Update...")
        self.assertTrue(self.driver.wait_visible(UPDATE, 5000), "the update window did not open")
        self.driver.must("click", *UPDATE, "Check Now")
        self.assertIsNotNone(self.driver.message_box(10000), "no offer")
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(wait_until(lambda: any("%d bytes of %d" % (update_peer.SLOW_SENT, update_peer.SLOW_TOTAL)
                                               in r["text"] for r in self.texts(UPDATE)), 10),
                        "the download did not show its progress")
        self.assert_fits(UPDATE, least=2)
        self.driver.must("click", *UPDATE, "Cancel")


if __name__ == "__main__":
    harness.main()
