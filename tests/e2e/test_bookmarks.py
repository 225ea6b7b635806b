"""Bookmarks of the real tessaly.exe: a bookmark file beside the program shows
in the main menu's and the tray menu's "Bookmarks"; "Add Bookmark..." in either
menu adds one at the end and writes the file at once; Cancel adds nothing; a
chosen bookmark opens in the browser of the main window's tab (the browser
peers stand in for Internet Explorer and Netscape Navigator)."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import MAIN, wait_until  # noqa: E402

ADD_DIALOG = ("TfrmAddBookmark", " Add Tessaly BookMark")
ORGANIZER = ("TfrmEditBookmarks", " Organize Tessaly BookMarks")
OWN_ITEMS = ["Add Bookmark...", "Organize Bookmarks...", "Smart Import", "-"]

HEADER = ("<!DOCTYPE NETSCAPE-Bookmark-file-1>\r\n<!-- This is an automatically generated file.\r\n"
          "It will be read and overwritten.\r\nDo Not Edit! -->\r\n<TITLE>Bookmarks for Tessaly</TITLE>\r\n"
          "<H1>Bookmarks for Tessaly</H1>\r\n\r\n<DL><p>\r\n")
ATTRIBUTES = '" ADD_DATE="908811773" LAST_VISIT="0" LAST_MODIFIED="0">'


def bookmark_line(title, url):
    return '<DT><A HREF="' + url + ATTRIBUTES + title + "</A>\r\n"


STORED = (HEADER
          + '<DT><H3 ADD_DATE="908811773">Web Design</H3>\r\n<DL><p>\r\n'
          + bookmark_line("Validator", "http://validator.w3.org/")
          + bookmark_line("Safe Palette", "http://www.lynda.com/hex.html")
          + "</DL><p>\r\n"
          + bookmark_line("Home", "http://home.example/")
          + "</DL><p>\r\n")


class BookmarkFileTestCase(peers.BrowserPeerTestCase):
    """No bookmark file beside the program before and after each test; the
    helpers of the bookmark tests."""

    def setUp(self):
        super().setUp()
        self.file = os.path.join(os.path.dirname(self.tessaly_path()), "cvbmarks.htm")
        self.remove_files()

    def tearDown(self):
        super().tearDown()  # ends the program first
        self.remove_files()

    def remove_files(self):
        for path in (self.file, self.file + ".new"):
            if os.path.exists(path):
                os.remove(path)

    # Helpers -----------------------------------------------------------------------
    def place_file(self, text):
        with open(self.file, "w", newline="") as f:
            f.write(text)

    def stored(self):
        with open(self.file, newline="") as f:
            return f.read()

    def captions(self, depth=-1):
        """The captions of an open menu (the innermost by default), "-" for a separator."""
        menus = wait_until(self.open_menus, 3)
        self.assertTrue(menus, "no menu is open")
        return ["-" if item["kind"] == "separator" else item["caption"] for item in menus[depth]["items"]]

    def close_menus(self):
        """A click on the empty desktop, which closes every menu and leaves the menu bar too."""
        self.input.click(300, 600)
        self.assertTrue(wait_until(lambda: not self.driver.menus(), 3), "the menus did not close")

    def fill_add_dialog(self, title, url, dialog=ADD_DIALOG):
        """Types into the add dialog's shown fields as a user does, a click into each
        first (its folder form shows no URL: url "")."""
        self.assertTrue(self.driver.wait_visible(dialog, 5000), "the add dialog did not open")
        self.assertTrue(wait_until(lambda: (self.driver.active() or ("", ""))[1] == dialog[0], 3),
                        "the add dialog is not in front")
        facts = self.driver.info(dialog)
        left, _, right, bottom = facts["rect"]
        border = (right - left - facts["client"][0]) // 2
        client_top = bottom - border - facts["client"][1]
        fields = [c for c in self.driver.children(dialog) if c["class"] == "Edit" and c["visible"]]
        for field, text in zip(fields, (title, url)):
            x, y, width, height = field["rect"]
            self.input.click(left + border + x + width // 2, client_top + y + height // 2)
            self.input.xdotool("type", "--delay", 20, text)
        typed = [c["caption"] for c in self.driver.children(dialog) if c["class"] == "Edit"]
        self.assertEqual(typed, [title, url])

    def cancel_organizer(self):
        """Closes the organizer with Cancel, which rewrites the file all the same."""
        self.assertTrue(self.driver.wait_visible(ORGANIZER, 5000), "the organizer did not open")
        self.driver.must("click", *ORGANIZER, "Cancel")
        self.assertTrue(self.driver.wait_gone(ORGANIZER, 5000), "the organizer did not close")

    def close_add_dialog(self, button, dialog=ADD_DIALOG):
        """Clicks the button, or presses the key ("Return", "Escape") in the field last typed into."""
        if button in ("Return", "Escape"):
            self.input.key(button)
        else:
            self.driver.must("click", *dialog, button)
        self.assertTrue(self.driver.wait_gone(dialog, 5000), "the add dialog did not close")


class BookmarksTest(BookmarkFileTestCase):
    def test_the_file_shows_in_both_menus(self):
        self.place_file(STORED)
        self.start_tessaly()
        self.main_menu("Bookmarks")
        self.assertEqual(self.captions(), OWN_ITEMS + ["Web Design", "Home"])
        self.menu_click("Web Design")
        self.assertEqual(self.captions(), ["Validator", "Safe Palette"])
        self.close_menus()

        self.open_tray_menu()
        self.menu_click("Bookmarks")
        self.assertEqual(self.captions(), ["Web Design", "Home"])
        self.menu_click("Web Design")
        self.assertEqual(self.captions(), ["Validator", "Safe Palette"])
        self.close_menus()
        self.assertEqual(self.stored(), STORED, "reading changed the file")

    def test_add_bookmark_from_either_menu_adds_at_the_end_and_stores_at_once(self):
        self.place_file(STORED)
        self.start_tessaly()
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.fill_add_dialog("W3C", "http://www.w3.org/")
        self.close_add_dialog("Add")
        with_first = STORED[:-len("</DL><p>\r\n")] + bookmark_line("W3C", "http://www.w3.org/") + "</DL><p>\r\n"
        self.assertEqual(self.stored(), with_first)

        self.open_tray_menu()
        self.menu_click("Add Bookmark...")
        long_url = "https://www.example.com/search?q=" + "tracking" * 80
        self.fill_add_dialog("Search", long_url)
        self.close_add_dialog("Return")  # the default button, "Add"
        self.assertEqual(self.stored(), with_first[:-len("</DL><p>\r\n")] + bookmark_line("Search", long_url)
                         + "</DL><p>\r\n")

        self.main_menu("Bookmarks")
        self.assertEqual(self.captions(), OWN_ITEMS + ["Web Design", "Home", "W3C", "Search"])
        self.close_menus()
        self.open_tray_menu()
        self.menu_click("Bookmarks")
        self.assertEqual(self.captions(), ["Web Design", "Home", "W3C", "Search"])
        self.close_menus()

    def test_cancel_in_the_main_menu_writes_no_file(self):
        self.start_tessaly()
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.fill_add_dialog("Not wanted", "http://not.wanted/")
        self.close_add_dialog("Cancel")
        self.main_menu("Bookmarks")
        self.assertEqual(self.captions(), OWN_ITEMS)
        self.close_menus()
        self.assertFalse(os.path.exists(self.file), "Cancel wrote a bookmark file")

    def test_cancel_in_the_tray_leaves_the_file(self):
        self.place_file(STORED)
        self.start_tessaly()
        self.open_tray_menu()
        self.menu_click("Add Bookmark...")
        self.fill_add_dialog("Not wanted", "http://not.wanted/")
        self.close_add_dialog("Escape")  # the cancel button
        self.open_tray_menu()
        self.menu_click("Bookmarks")
        self.assertEqual(self.captions(), ["Web Design", "Home"])
        self.close_menus()
        self.assertEqual(self.stored(), STORED)

    def test_a_chosen_bookmark_opens_in_the_browser_of_the_tab(self):
        self.place_file(STORED)
        self.register_ie_peer()
        self.start_netscape("Peer Page", (200, 90, 500, 400))
        self.start_tessaly()
        self.main_menu("Bookmarks", "Web Design", "Validator")
        self.assertTrue(wait_until(lambda: any(call.startswith("Navigate http://validator.w3.org/ ")
                                               for call in self.ie_log.calls()), 15), self.ie_log.calls())

        # The copy in the tray menu goes to the tab's browser too.
        self.driver.must("tab-select", *MAIN, 1)  # Netscape Navigator
        self.open_tray_menu()
        self.menu_click("Bookmarks", "Home")
        self.assertTrue(wait_until(lambda: any(call.startswith("request WWW_OpenURL http://home.example/,,")
                                               for call in self.ns_log.calls()), 15), self.ns_log.calls())
        self.assertFalse(any("home.example" in call for call in self.ie_log.calls()))

    def test_organize_rewrites_the_file(self):
        # An export in another browser's layout, rewritten in the program's own.
        self.place_file('<DL><p>\n    <DT><A HREF="http://home.example/" ADD_DATE="1700000000">Home</A>\n</DL><p>\n')
        self.start_tessaly()
        self.main_menu("Bookmarks", "Organize Bookmarks...")
        self.cancel_organizer()
        expected = HEADER + bookmark_line("Home", "http://home.example/") + "</DL><p>\r\n"
        self.assertTrue(wait_until(lambda: self.stored() == expected, 3), self.stored())
        os.remove(self.file)
        self.open_tray_menu()
        self.menu_click("Organize Bookmarks...")
        self.cancel_organizer()
        self.assertTrue(wait_until(lambda: os.path.exists(self.file) and self.stored() == expected, 3))


if __name__ == "__main__":
    harness.main()
