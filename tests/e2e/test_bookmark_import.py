"""Smart Import of the real tessaly.exe: Internet Explorer Favorites from the
prefix's Favorites directory, the bookmark files that Navigator 3, Communicator
4.0 and Communicator 4.5 record in the registry, and a bookmark file chosen in
the open-file dialog. Each import shows in the main menu's and the tray menu's
"Bookmarks" and lands in the bookmark file beside the program."""

import os
import re
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import test_bookmarks  # noqa: E402
from harness import wait_until  # noqa: E402
from test_bookmarks import HEADER, OWN_ITEMS, bookmark_line  # noqa: E402

SHELL_FOLDERS = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders"
# Where the open-file dialog remembers the folder last chosen in it.
DIALOG_MEMORY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\ComDlg32\LastVisitedMRU"
NETSCAPE = r"\Software\Netscape"
NAVIGATOR = NETSCAPE + r"\Netscape Navigator"
# Netscape's keys under HKEY_LOCAL_MACHINE are where a 32-bit program writes
# them on 64-bit Windows, which the importer reads from either build.
MACHINE_NETSCAPE = "HKLM32" + NETSCAPE
MACHINE_NAVIGATOR = "HKLM32" + NAVIGATOR
OPEN_DIALOG = ("#32770", "Open")
END = "</DL><p>\r\n"


def folder(name, body=""):
    return '<DT><H3 ADD_DATE="908811773">' + name + "</H3>\r\n<DL><p>\r\n" + body + END


def windows_path(path):
    return "Z:" + path.replace("/", "\\")  # Wine's drive Z: is the Linux root


class ImportTest(harness.E2ETestCase):
    # The bookmark tests' ways of reading menus and the file, taken without their tests.
    captions = test_bookmarks.BookmarksTest.captions
    close_menus = test_bookmarks.BookmarksTest.close_menus
    stored = test_bookmarks.BookmarksTest.stored

    def setUp(self):
        super().setUp()
        self.file = os.path.join(os.path.dirname(self.tessaly_path()), "cvbmarks.htm")
        self.work = os.path.join(self.out, "import-sources")
        self.addCleanup(shutil.rmtree, self.work, True)
        self.addCleanup(lambda: os.path.exists(self.file) and os.remove(self.file))

    @staticmethod
    def empty(directory):
        for entry in os.scandir(directory) if os.path.isdir(directory) else ():
            os.remove(entry.path) if entry.is_symlink() or entry.is_file() else shutil.rmtree(entry.path)

    def write(self, path, text):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", newline="", encoding="latin-1") as f:
            f.write(text)
        return path

    @staticmethod
    def hide(path):
        """With Windows' own tool: Wine keeps the attribute beside the file."""
        subprocess.run(["wine", "attrib", "+h", windows_path(path)], timeout=30, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

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
        in_windows = r"C:\users\%s\Favorites" % os.environ.get("USER", "root")
        favorites = os.path.join(os.environ["WINEPREFIX"], "drive_c", in_windows[3:].replace("\\", "/"))
        kind, old = self.driver.reg_get(SHELL_FOLDERS, "Favorites")
        self.assertEqual((kind, os.listdir(favorites)), ("sz", []), "the prefix's Favorites are not as made")
        self.addCleanup(self.driver.reg_set, SHELL_FOLDERS, "Favorites", "sz", old)
        self.addCleanup(self.empty, favorites)
        self.driver.reg_set(SHELL_FOLDERS, "Favorites", "sz", in_windows)
        top = lambda name: os.path.join(favorites, name)  # noqa: E731
        shortcut = "[InternetShortcut]\nURL=%s\n"
        self.write(top("Web Design/Validator.url"), shortcut % "http://validator.w3.org/")
        self.hide(self.write(top("Web Design/Hidden Page.url"), shortcut % "http://hidden.example/"))
        self.write(top("Private/Secret.url"), shortcut % "http://secret.example/")
        self.hide(top("Private"))
        self.write(top(".Trash/Old.url"), shortcut % "http://old.example/")
        os.symlink(favorites, top("Loop"))  # back to the top: Wine shows it as a reparse point
        self.write(top("Home.url"), shortcut % "http://home.example/" + "IconIndex=0\n")
        self.write(top("No Address.url"), "[InternetShortcut]\nIconIndex=0\n")
        self.write(top("Huge.url"), shortcut % "http://huge.example/" + " " * 70000)  # no shortcut is that large
        self.write(top("Binary.url"), "".join(chr(i * 7919 % 256) for i in range(50000)))

        self.start_tessaly()
        self.main_menu("Bookmarks", "Smart Import", "Internet Explorer Favorites")
        inner = bookmark_line("Hidden Page", "http://hidden.example/") + \
            bookmark_line("Validator", "http://validator.w3.org/")
        outer = "".join(bookmark_line(title, url) for title, url in (
            ("Binary", "N/A"), ("Home", "http://home.example/"), ("Huge", "N/A"), ("No Address", "N/A")))
        expected = HEADER + folder("IE Favorites", folder("Web Design", inner) + outer) + END
        self.assertTrue(wait_until(lambda: os.path.exists(self.file) and self.stored() == expected, 5),
                        os.path.exists(self.file) and self.stored())
        self.shows_in_both_menus(["IE Favorites"])
        self.shows_in_both_menus("IE Favorites", "Web Design", ["Hidden Page", "Validator"])

    def test_netscape_navigator_bookmarks_of_all_three_versions(self):
        for key in ("HKCU" + NETSCAPE, MACHINE_NETSCAPE):
            self.assertFalse(self.driver.reg_key_exists(key), "Netscape keys are in the prefix already")
            self.addCleanup(self.driver.reg_delete_key, key)
        self.write(self.work + "/nav3/bookmark.htm", '<DL><p>\n<DT><A HREF="http://nav3/">Three</A>\n')
        with open(os.path.join(harness.ROOT, "bookmarks/tests/samples/netscape4-bookmark.htm")) as sample:
            self.write(self.work + "/ns4/anna/bookmark.htm", sample.read())
        self.write(self.work + "/Netscape/users/carl/bookmark.htm", '<DT><A HREF="http://carl/">C</A>\n')
        for key, name, path in (("HKCU" + NAVIGATOR + r"\Bookmark List", "File Location", "/nav3/bookmark.htm"),
                                (MACHINE_NAVIGATOR + r"\Users\anna", "DirRoot", "/ns4/anna"),
                                (MACHINE_NAVIGATOR + r"\Users\ben", "DirRoot", "/ns4/ben"),  # without a bookmark file
                                ("HKCU" + NAVIGATOR + r"\main", "Install Directory", "/Netscape/Communicator/Program"),
                                ("HKCU" + NAVIGATOR + r"\biff\users\carl", "POP Server", "")):
            self.driver.reg_set(key, name, "sz", windows_path(self.work + path))

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

    def open_file_dialog(self):
        self.main_menu("Bookmarks", "Smart Import", "From File...")
        self.assertTrue(self.driver.wait_visible(OPEN_DIALOG, 5000), "the open-file dialog did not open")
        self.assertIn("Bookmark.htm", [c["caption"] for c in self.driver.children(OPEN_DIALOG)])

    def test_from_file_and_cancel(self):
        if not self.driver.reg_key_exists(DIALOG_MEMORY):
            self.addCleanup(self.driver.reg_delete_key, DIALOG_MEMORY)
        before = HEADER + bookmark_line("Home", "http://home.example/") + END
        self.write(self.file, before)
        chosen = self.write(self.work + "/export/bookmark.htm", "<DL><p>\n<DT><H3>Tools</H3>\n<DL><p>\n"
                            '<DT><A HREF="http://validator.w3.org/">Validator</A>\n</DL><p>\n</DL><p>\n')
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
