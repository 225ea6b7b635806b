"""Smart Import of the real tessaly.exe: Internet Explorer Favorites from the
prefix's Favorites directory, the bookmark files that Navigator 3, Communicator
4.0 and Communicator 4.5 record in the registry, and a bookmark file chosen in
the open-file dialog. Each import shows in the main menu's and the tray menu's
"Bookmarks" and lands in the bookmark file beside the program."""

import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import test_bookmarks  # noqa: E402
from harness import wait_until  # noqa: E402
from test_bookmarks import HEADER, OWN_ITEMS, bookmark_line  # noqa: E402

SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
NETSCAPE = r"\Software\Netscape"
NAVIGATOR = NETSCAPE + r"\Netscape Navigator"
OPEN_DIALOG = ("#32770", "Open")
# Where the open-file dialog remembers the last folder chosen in it.
DIALOG_MEMORY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU"
SAMPLES = os.path.join(harness.ROOT, "bookmarks", "tests", "samples")
END = "</DL><p>\r\n"


def folder(name, body=""):
    return '<DT><H3 ADD_DATE="908811773">' + name + "</H3>\r\n<DL><p>\r\n" + body + END


def unix_path(windows_path):
    """Where a path on the prefix's drive C: or on Z: (the Linux root) lies."""
    drive, rest = windows_path[:2].upper(), windows_path[3:].replace("\\", "/")
    return os.path.join(os.environ["WINEPREFIX"], "drive_c", rest) if drive == "C:" else "/" + rest


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def shortcut(path, url=None):
    with open(path, "w", newline="") as f:
        f.write("[InternetShortcut]\r\n" + ("URL=%s\r\n" % url if url else "") + "IconIndex=0\r\n")


class ImportTest(harness.E2ETestCase):
    captions = test_bookmarks.BookmarksTest.captions
    close_menus = test_bookmarks.BookmarksTest.close_menus
    stored = test_bookmarks.BookmarksTest.stored

    def setUp(self):
        super().setUp()
        self.file = os.path.join(os.path.dirname(self.tessaly_path()), "cvbmarks.htm")
        self.made = []  # files, folders and links the test puts into the prefix
        self.work = os.path.join(self.out, "import-sources")
        self.addCleanup(self.remove_what_was_made)

    def remove_what_was_made(self):
        for path in reversed(self.made + [self.work, self.file]):
            if os.path.islink(path) or os.path.isfile(path):
                os.remove(path)
            elif os.path.isdir(path):
                shutil.rmtree(path)

    def make(self, path, url=None, kind="shortcut"):
        self.made.append(path)
        if kind == "folder":
            os.makedirs(path)
        else:
            shortcut(path, url)
        return path

    def registry_value(self, path, name, value):
        """Sets a text value and puts the old one back after the test."""
        kind, old = self.driver.reg_get(path, name)
        self.addCleanup(lambda: self.driver.reg_set(path, name, "sz", old) if kind == "sz" else
                        self.driver.run("reg-delete-value", path, name))
        self.driver.reg_set(path, name, "sz", value)

    def file_under(self, *parts, text):
        path = os.path.join(self.work, *parts, "bookmark.htm")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="") as f:
            f.write(text)
        return path

    def shows_in_both_menus(self, *path_and_captions):
        """The entries of a folder (the path of captions, then the entries' captions)
        in the main menu's "Bookmarks", after its own items, and in the tray's."""
        *path, captions = path_and_captions
        self.main_menu("Bookmarks", *path)
        self.assertEqual(self.captions(), ([] if path else OWN_ITEMS) + captions)
        self.close_menus()
        self.open_tray_menu()
        self.menu_click("Bookmarks", *path)
        self.assertEqual(self.captions(), captions)
        self.close_menus()

    def test_internet_explorer_favorites(self):
        favorites = r"C:\users\%s\Favorites" % os.environ.get("USER", "root")
        self.registry_value(SHELL_FOLDERS, "Favorites", favorites)
        top = unix_path(favorites)
        self.assertEqual(os.listdir(top), [], "the prefix's Favorites are not empty")
        design = self.make(os.path.join(top, "Web Design"), kind="folder")
        self.make(os.path.join(design, "Validator.url"), "http://validator.w3.org/")
        hidden_page = self.make(os.path.join(design, "Hidden Page.url"), "http://hidden.example/")
        private = self.make(os.path.join(top, "Private"), kind="folder")
        self.make(os.path.join(private, "Secret.url"), "http://secret.example/")
        for path in (hidden_page, private):
            self.driver.must("file-hide", favorites + path[len(top):].replace("/", "\\"))
        trash = self.make(os.path.join(top, ".Trash"), kind="folder")
        self.make(os.path.join(trash, "Old.url"), "http://old.example/")
        self.made.append(os.path.join(top, "Loop"))
        os.symlink(top, os.path.join(top, "Loop"))  # a link back to the top, shown as a reparse point
        self.make(os.path.join(top, "Home.url"), "http://home.example/")
        self.make(os.path.join(top, "No Address.url"))

        self.start_tessaly()
        self.main_menu("Bookmarks", "Smart Import", "Internet Explorer Favorites")
        inner = bookmark_line("Hidden Page", "http://hidden.example/") + \
            bookmark_line("Validator", "http://validator.w3.org/")
        expected = HEADER + folder("IE Favorites", folder("Web Design", inner) + bookmark_line(
            "Home", "http://home.example/") + bookmark_line("No Address", "N/A")) + END
        self.assertTrue(wait_until(lambda: os.path.exists(self.file) and self.stored() == expected, 5),
                        os.path.exists(self.file) and self.stored())
        self.shows_in_both_menus(["IE Favorites"])
        self.shows_in_both_menus("IE Favorites", "Web Design", ["Hidden Page", "Validator"])
        self.shows_in_both_menus("IE Favorites", ["Web Design", "Home", "No Address"])

    def test_netscape_navigator_bookmarks_of_all_three_versions(self):
        for key in ("HKCU" + NETSCAPE, NETSCAPE):
            self.assertFalse(self.driver.reg_key_exists(key), "Netscape keys are in the prefix already")
            self.addCleanup(self.driver.reg_delete_key, key)
        nav3 = self.file_under("nav3", text="<DL><p>\n<DT><A HREF=\"http://nav3/\">Three</A>\n</DL><p>\n")
        self.driver.reg_set("HKCU" + NAVIGATOR + r"\Bookmark List", "File Location", "sz", windows_path(nav3))
        with open(os.path.join(SAMPLES, "netscape4-bookmark.htm"), newline="") as f:
            anna = self.file_under("ns4", "anna", text=f.read())
        self.driver.reg_set(NAVIGATOR + r"\Users\anna", "DirRoot", "sz", windows_path(os.path.dirname(anna)))
        self.driver.reg_set(NAVIGATOR + r"\Users\ben", "DirRoot", "sz", windows_path(self.work + "/ns4/ben"))
        self.file_under("Netscape", "users", "carl", text="<DL><p>\n<DT><A HREF=\"http://carl/\">C</A>\n</DL>\n")
        self.driver.reg_set("HKCU" + NAVIGATOR + r"\main", "Install Directory", "sz",
                            windows_path(self.work + "/Netscape/Communicator/Program"))
        self.driver.reg_set("HKCU" + NAVIGATOR + r"\biff\users\carl", "POP Server", "sz", "mail")

        self.start_tessaly()
        self.main_menu("Bookmarks", "Smart Import", "Netscape Navigator Bookmarks")
        self.assertTrue(wait_until(lambda: os.path.exists(self.file), 5), "no bookmark file written")
        self.assertEqual(re.findall(r"<H3 [^>]*>([^<]*)", self.stored()),
                         ["NS v2.0/v3.0 Bookmarks", "NS v4.0 Bookmarks", "anna", "Personal Toolbar Folder",
                          "Web Design", "Server Side", "NS v4.5 Bookmarks", "carl"])
        self.shows_in_both_menus(["NS v2.0/v3.0 Bookmarks", "NS v4.0 Bookmarks", "NS v4.5 Bookmarks"])
        self.shows_in_both_menus("NS v4.0 Bookmarks", "anna", [
            "Personal Toolbar Folder", "Web Design", "HyperText Markup Language (HTML) Home Page",
            "Yahoo! - World Wide Web"])
        self.shows_in_both_menus("NS v4.5 Bookmarks", "carl", ["C"])

    def open_file_dialog(self):
        self.main_menu("Bookmarks", "Smart Import", "From File...")
        self.assertTrue(self.driver.wait_visible(OPEN_DIALOG, 5000), "the open-file dialog did not open")
        self.assertIn("Bookmark.htm", [c["caption"] for c in self.driver.children(OPEN_DIALOG)])

    def test_from_file_and_cancel(self):
        if not self.driver.reg_key_exists(DIALOG_MEMORY):
            self.addCleanup(self.driver.reg_delete_key, DIALOG_MEMORY)
        before = HEADER + bookmark_line("Home", "http://home.example/") + END
        with open(self.file, "w", newline="") as f:
            f.write(before)
        chosen = self.file_under("export", text="<DL><p>\n<DT><H3>Tools</H3>\n<DL><p>\n"
                                 "<DT><A HREF=\"http://validator.w3.org/\">Validator</A>\n</DL><p>\n</DL><p>\n")
        self.start_tessaly()
        self.open_file_dialog()
        self.driver.must("click", *OPEN_DIALOG, "Cancel")
        self.assertTrue(self.driver.wait_gone(OPEN_DIALOG, 5000))
        self.shows_in_both_menus(["Home"])
        self.assertEqual(self.stored(), before)

        self.open_file_dialog()
        self.input.xdotool("type", "--delay", 10, windows_path(chosen))  # over the selected name
        self.input.key("Return")
        self.assertTrue(self.driver.wait_gone(OPEN_DIALOG, 5000))
        expected = before[:-len(END)] + folder("NS Bookmarks", folder("Tools", bookmark_line(
            "Validator", "http://validator.w3.org/"))) + END
        self.assertTrue(wait_until(lambda: self.stored() == expected, 5), self.stored())
        self.shows_in_both_menus("NS Bookmarks", "Tools", ["Validator"])


if __name__ == "__main__":
    harness.main()
