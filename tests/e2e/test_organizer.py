"""The bookmark organizer of the real tessaly.exe, worked as a user works it:
opened from the tray and the main menu, folders and bookmarks added through the
tree's pop-up menu, a label renamed in place, entries deleted (the pop-up menu
and the Delete key), the tree sorted, a bookmark dragged into a folder with the
real mouse; Save puts the tree into both menus and the bookmark file, Cancel
leaves them as they were, and the root cannot be deleted."""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import test_bookmarks as stored  # noqa: E402
from harness import wait_until  # noqa: E402

ORGANIZER = stored.ORGANIZER
ROOT = "Tessaly Bookmarks"


def folder_lines(name, *inner):
    return '<DT><H3 ADD_DATE="908811773">' + name + "</H3>\r\n<DL><p>\r\n" + "".join(inner) + "</DL><p>\r\n"


class OrganizerTest(stored.BookmarkFileTestCase):
    # The tree ------------------------------------------------------------------------
    def rows(self):
        """The rows the tree shows: (depth, text) with the label's screen rectangle
        and flags (s selected, e expanded, b bold, c children) in self.shown."""
        self.shown = {}
        rows = []
        for line in self.driver.must("tree-items", *ORGANIZER):
            _, depth, rect, image, flags, text = line.split(" ", 5)
            self.shown[text] = {"rect": tuple(int(v) for v in rect.split(",")), "image": int(image),
                                "flags": flags}
            rows.append((int(depth), text))
        return rows

    def label(self, text):
        """The centre of a row's label on the screen."""
        self.rows()
        self.assertIn(text, self.shown, "no row %r" % text)
        left, top, right, bottom = self.shown[text]["rect"]
        return (left + right) // 2, (top + bottom) // 2

    def expect_rows(self, expected):
        self.assertTrue(wait_until(lambda: self.rows() == expected, 3), self.rows())

    def popup(self, row, command):
        """Right-clicks a row and chooses a command of the tree's pop-up menu."""
        self.input.click(*self.label(row), button=3)
        self.assertTrue(wait_until(lambda: len(self.driver.menus()) == 1, 3), "no pop-up menu")
        self.assertEqual([item["caption"] for item in self.open_menus()[0]["items"]],
                         ["Edit...", "Delete", "Add Folder...", "Add Bookmark..."])
        self.menu_click(command)

    def answer_dialog(self, title, name, url=""):
        dialog = ("TfrmAddBookmark", title)
        self.fill_add_dialog(name, url, dialog)
        self.close_add_dialog("Add", dialog)

    def open_from_tray(self):
        self.open_tray_menu()
        self.menu_click("Organize Bookmarks...")
        self.assertTrue(self.driver.wait_visible(ORGANIZER, 5000), "the organizer did not open")

    def open_from_main_menu(self):
        self.main_menu("Bookmarks", "Organize Bookmarks...")
        self.assertTrue(self.driver.wait_visible(ORGANIZER, 5000), "the organizer did not open")

    def close_organizer(self, button):
        self.driver.must("click", *ORGANIZER, button)
        self.assertTrue(self.driver.wait_gone(ORGANIZER, 5000), "the organizer did not close")

    def menu_captions(self, *path):
        """The captions of the main menu's "Bookmarks" (or a folder in it) and of
        the tray's, each read and closed again."""
        self.main_menu("Bookmarks", *path)
        main = self.captions()
        self.close_menus()
        self.open_tray_menu()
        self.menu_click("Bookmarks", *path)
        tray = self.captions()
        self.close_menus()
        return main, tray

    # Tests ---------------------------------------------------------------------------
    def test_add_rename_delete_drag_sort_and_save(self):
        self.place_file(stored.STORED)
        self.start_tessaly()
        self.open_from_tray()
        self.expect_rows([(0, ROOT), (1, "Web Design"), (1, "Home")])
        self.assertEqual(self.shown[ROOT]["flags"], "ebc")
        self.assertEqual((self.shown["Web Design"]["image"], self.shown["Home"]["image"]), (0, 1))
        self.assertNotIn("e", self.shown["Web Design"]["flags"])  # deeper folders stay closed

        self.popup(ROOT, "Add Folder...")
        self.answer_dialog(" Add Folder", "Tools")
        self.popup("Tools", "Add Bookmark...")
        self.answer_dialog(" Add Tessaly BookMark", "W3C", "http://www.w3.org/")
        self.expect_rows([(0, ROOT), (1, "Web Design"), (1, "Home"), (1, "Tools"), (2, "W3C")])

        # In place: a second click on the selected label opens its editor.
        self.input.click(*self.label("Home"))
        time.sleep(0.8)  # longer than a double click
        self.input.click(*self.label("Home"))
        fields = lambda: [c for c in self.driver.children(ORGANIZER) if c["class"] == "Edit"]  # noqa: E731
        self.assertTrue(wait_until(lambda: len(fields()) == 2, 3), "no label editor beside Memo1")
        self.input.xdotool("type", "--delay", 20, "start page")
        self.input.key("Return")
        self.expect_rows([(0, ROOT), (1, "Web Design"), (1, "start page"), (1, "Tools"), (2, "W3C")])

        # The first entry goes with its subtree; its folder, the root, is selected.
        self.popup("Web Design", "Delete")
        self.expect_rows([(0, ROOT), (1, "start page"), (1, "Tools"), (2, "W3C")])
        self.assertIn("s", self.shown[ROOT]["flags"])
        self.popup(ROOT, "Add Folder...")
        self.answer_dialog(" Add Folder", "apps")

        self.input.drag(self.label("start page"), self.label("Tools"))
        self.expect_rows([(0, ROOT), (1, "Tools"), (2, "W3C"), (2, "start page"), (1, "apps")])

        # Folders first, then by name whatever the letter case, at every depth.
        self.driver.must("click", *ORGANIZER, "Sort")
        self.expect_rows([(0, ROOT), (1, "apps"), (1, "Tools"), (2, "start page"), (2, "W3C")])
        self.close_organizer("Save")

        self.assertEqual(self.stored(), stored.HEADER + folder_lines("apps") + folder_lines(
            "Tools", stored.bookmark_line("start page", "http://home.example/"),
            stored.bookmark_line("W3C", "http://www.w3.org/")) + "</DL><p>\r\n")
        main, tray = self.menu_captions()
        self.assertEqual((main, tray), (stored.OWN_ITEMS + ["apps", "Tools"], ["apps", "Tools"]))
        self.assertEqual(self.menu_captions("Tools"), (["start page", "W3C"], ["start page", "W3C"]))

    def test_the_root_stays_and_cancel_leaves_the_menus_and_the_file(self):
        self.place_file(stored.STORED)
        self.start_tessaly()
        self.open_from_main_menu()
        self.assertEqual(self.driver.info(ORGANIZER)["client"], (454, 303))
        self.popup(ROOT, "Delete")
        message = ("Tessaly Notice...", "You may not delete Tessaly's root bookmark Node.", "stop", ["OK"])
        box = self.driver.message_box()
        self.assertEqual((box["caption"], box["text"], box["icon"], box["buttons"]), message)
        self.driver.must("answer", "OK", 3000)
        # The Delete key acts when it is released: on the root the same message, on
        # a later entry its deletion, which selects the one before.
        x, y = self.label(ROOT)  # selected already: its icon, since a click on its label would rename it
        self.input.click(self.shown[ROOT]["rect"][0] - 8, y)
        self.input.key("Delete")
        box = self.driver.message_box()
        self.assertEqual(box and box["text"], message[1])
        self.driver.must("answer", "OK", 3000)
        self.input.click(*self.label("Home"))
        self.input.key("Delete")
        self.expect_rows([(0, ROOT), (1, "Web Design")])
        self.assertIn("s", self.shown["Web Design"]["flags"])
        self.popup("Web Design", "Add Folder...")
        self.answer_dialog(" Add Folder", "Not wanted")
        self.close_organizer("Cancel")

        main, tray = self.menu_captions()
        self.assertEqual((main, tray), (stored.OWN_ITEMS + ["Web Design", "Home"], ["Web Design", "Home"]))
        self.assertEqual(self.menu_captions("Web Design"), (["Validator", "Safe Palette"],) * 2)
        self.assertEqual(self.stored(), stored.STORED)  # rewritten, the same
        self.open_from_main_menu()
        self.driver.must("close", *ORGANIZER)  # the close box cancels too
        self.assertTrue(self.driver.wait_gone(ORGANIZER, 5000))


if __name__ == "__main__":
    harness.main()
