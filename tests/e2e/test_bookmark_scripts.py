"""Bookmarks in any language on the real tessaly.exe: a UTF-8 bookmark file with
titles in Latin, Greek, Cyrillic and Chinese script shows in both menus and in
the organizer as the same text and is written back byte for byte; a title typed
into the add dialog in wide characters lands in the file as its UTF-8 bytes,
turning an ANSI file UTF-8; "Smart Import" takes Google Chrome's and Microsoft
Edge's profiles from the prefix's local application data; "Options > Open
Bookmarks in Default Browser" opens a bookmark through the registered http
handler and is kept at exit."""

import os
import re
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
import test_bookmarks as stored  # noqa: E402
from harness import DEFAULTS, wait_until  # noqa: E402
from test_bookmarks import ADD_DIALOG, ORGANIZER, OWN_ITEMS  # noqa: E402

META = '<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">\r\n'
UTF8_HEADER = stored.HEADER.replace("\r\n", "\r\n" + META, 1)
END = "</DL><p>\r\n"
TITLES = ["Café Crème…", "Ελληνικά νέα", "Новости дня", "中文网页"]
SAMPLES = os.path.join(harness.ROOT, "bookmarks", "tests", "samples")
HTTP_COMMAND = r"\Software\Classes\http\shell\open\command"


def folder(name, body=""):
    return '<DT><H3 ADD_DATE="908811773">' + name + "</H3>\r\n<DL><p>\r\n" + body + END


def line(title, url):
    return stored.bookmark_line(title, url)


UTF8_FILE = (UTF8_HEADER
             + folder("Ελληνικά", line("Βικιπαίδεια", "https://el.wikipedia.org/"))
             + "".join(line(title, "http://site%d.example/" % i) for i, title in enumerate(TITLES))
             + END)


class ScriptsTest(stored.BookmarkFileTestCase):
    def place_bytes(self, data):
        with open(self.file, "wb") as f:
            f.write(data)

    def stored_bytes(self):
        with open(self.file, "rb") as f:
            return f.read()

    def tree_rows(self):
        return [tuple(row.split(" ", 5)[i] for i in (1, 5)) for row in self.driver.must("tree-items", *ORGANIZER)]

    def test_titles_in_four_scripts_show_as_they_are_and_are_written_back_byte_for_byte(self):
        self.place_bytes(UTF8_FILE.encode("utf-8"))
        self.start_tessaly()
        self.main_menu("Bookmarks")
        self.assertEqual(self.captions(), OWN_ITEMS + ["Ελληνικά"] + TITLES)
        self.menu_click("Ελληνικά")
        self.assertEqual(self.captions(), ["Βικιπαίδεια"])
        self.screenshot_as("scripts-menu")  # for a person to look at: each script drawn in a face that has it
        self.close_menus()
        self.open_tray_menu()
        self.menu_click("Bookmarks")
        self.assertEqual(self.captions(), ["Ελληνικά"] + TITLES)
        self.close_menus()

        self.main_menu("Bookmarks", "Organize Bookmarks...")
        self.assertTrue(self.driver.wait_visible(ORGANIZER, 5000), "the organizer did not open")
        self.assertTrue(wait_until(lambda: len(self.tree_rows()) == 6, 3), self.tree_rows())
        self.assertEqual(self.tree_rows(), [("0", "Tessaly Bookmarks"), ("1", "Ελληνικά")]
                         + [("1", title) for title in TITLES])
        self.screenshot_as("scripts-organizer")
        self.cancel_organizer()
        # Cancel rewrites the file: UTF-8 still, every byte as it was.
        self.assertTrue(wait_until(lambda: self.stored_bytes() == UTF8_FILE.encode("utf-8"), 3),
                        self.stored_bytes())

    def test_a_title_typed_in_wide_characters_turns_an_ansi_file_utf8(self):
        ansi = stored.HEADER + line("Café", "http://cafe.example/") + END
        self.place_bytes(ansi.encode("cp1252"))
        self.start_tessaly()
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.assertTrue(self.driver.wait_visible(ADD_DIALOG, 5000), "the add dialog did not open")
        title = "Ωμέγα – 中文 Ёж"
        self.driver.must("type-wide", *ADD_DIALOG, 0, title)
        self.driver.must("type-wide", *ADD_DIALOG, 1, "http://omega.example/")
        self.assertTrue(wait_until(lambda: [c["caption"] for c in self.driver.children(ADD_DIALOG)
                                            if c["class"] == "Edit"] == [title, "http://omega.example/"], 3),
                        self.driver.children(ADD_DIALOG))
        self.screenshot_as("scripts-add-dialog")
        self.close_add_dialog("Add")
        expected = (UTF8_HEADER + line("Café", "http://cafe.example/") + line(title, "http://omega.example/")
                    + END).encode("utf-8")
        self.assertTrue(wait_until(lambda: self.stored_bytes() == expected, 3), self.stored_bytes())
        self.main_menu("Bookmarks")
        self.assertEqual(self.captions(), OWN_ITEMS + ["Café", title])
        self.close_menus()

    def screenshot_as(self, name):
        self.input.screenshot(os.path.join(self.out, name + ".png"))


class ChromiumImportTest(stored.BookmarkFileTestCase):
    """Chrome's and Edge's profiles where the prefix keeps the user's local
    application data, as the browsers keep them on Windows."""

    def setUp(self):
        super().setUp()
        user = os.environ.get("USER", "root")
        self.local = os.path.join(os.environ["WINEPREFIX"], "drive_c", "users", user, "AppData", "Local")
        for vendor in ("Google", "Microsoft"):
            self.assertFalse(os.path.exists(os.path.join(self.local, vendor, "Chrome" if vendor == "Google" else "Edge")),
                             "the prefix has a browser's profiles already")
        self.addCleanup(shutil.rmtree, os.path.join(self.local, "Google"), True)
        self.addCleanup(shutil.rmtree, os.path.join(self.local, "Microsoft", "Edge"), True)

    def write(self, relative, data):
        path = os.path.join(self.local, *relative.split("/"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)

    @staticmethod
    def sample(name):
        with open(os.path.join(SAMPLES, name), "rb") as f:
            return f.read()

    def folders(self):
        return re.findall(r"<H3 [^>]*>([^<]*)", self.stored_text())

    def stored_text(self):
        with open(self.file, encoding="utf-8", newline="") as f:
            return f.read()

    def test_chrome_and_edge_profiles(self):
        chrome = "Google/Chrome/User Data/"
        small = b'{"roots": {"bookmark_bar": {"name": "Favorites bar", "children": [' \
                b'{"type": "url", "name": "Bing", "url": "https://www.bing.com/"}]}}}'
        self.write(chrome + "Default/Bookmarks", self.sample("chrome-Bookmarks.json"))
        self.write(chrome + "Profile 1/Bookmarks", small)
        self.write(chrome + "Profile 3/Bookmarks", self.sample("chrome-Bookmarks.json")[:500])  # damaged
        self.write(chrome + "Local State", self.sample("chrome-Local-State.json"))
        self.write("Microsoft/Edge/User Data/Default/Bookmarks", small)

        self.start_tessaly()
        self.main_menu("Bookmarks", "Smart Import", "Google Chrome Bookmarks")
        expected = ["Chrome Bookmarks", "Anna", "Bookmarks bar", "Références", "Ελληνικά", "Empty",
                    "Other bookmarks", "Mobile bookmarks", "Работа", "Favorites bar"]
        self.assertTrue(wait_until(lambda: os.path.exists(self.file) and self.folders() == expected, 5),
                        os.path.exists(self.file) and self.folders())
        self.assertIn(line("百度一下，你就知道", "https://www.baidu.com/"), self.stored_text())
        self.main_menu("Bookmarks", "Smart Import", "Microsoft Edge Bookmarks")
        self.assertTrue(wait_until(lambda: self.folders() == expected + ["Edge Bookmarks", "Default",
                                                                         "Favorites bar"], 5), self.folders())

        self.main_menu("Bookmarks", "Chrome Bookmarks")
        self.assertEqual(self.captions(), ["Anna", "Работа"])
        self.menu_click("Anna", "Bookmarks bar")
        self.assertEqual(self.captions(), ["W3C Markup Validation Service", "Références", "百度一下，你就知道"])
        self.close_menus()
        self.open_tray_menu()
        self.menu_click("Bookmarks")
        self.assertEqual(self.captions(), ["Chrome Bookmarks", "Edge Bookmarks"])
        self.close_menus()


class DefaultBrowserTest(stored.BookmarkFileTestCase):
    def setUp(self):
        super().setUp()
        self.record = os.path.join(self.out, "http-handler.trecord")
        if os.path.exists(self.record):
            os.remove(self.record)
        self.addCleanup(lambda: os.path.exists(self.record) and os.remove(self.record))
        handler = peers.SavedValue(self.driver, HTTP_COMMAND, os.path.join(self.out, "http-command.saved"))
        recorder = harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe")
        handler.replace('"%s" "%%1"' % peers.windows_path(recorder))
        self.addCleanup(handler.restore)
        os.environ["TRECORD_LOG"] = peers.windows_path(self.record)
        self.addCleanup(os.environ.pop, "TRECORD_LOG", None)

    def opened(self):
        if not os.path.exists(self.record):
            return []
        with open(self.record, encoding="latin-1") as f:
            return [row.split("\t")[2] for row in f.read().splitlines()]

    def test_a_bookmark_opens_through_the_registered_http_handler_and_the_choice_is_kept(self):
        self.place_file(stored.STORED)
        self.start_tessaly()
        self.main_menu("Options", "Open Bookmarks in Default Browser")
        self.main_menu("Bookmarks", "Home")
        self.assertTrue(wait_until(lambda: self.opened(), 10), "no browser was started")
        self.assertTrue(self.opened()[0].endswith('"http://home.example/"'), self.opened())

        self.main_menu("File", "Exit")
        self.assertTrue(self.driver.wait_gone(harness.MAIN, 10000), "the program did not end")
        self.assertEqual(self.driver.reg_get(DEFAULTS, "BookmarksInDefaultBrowser"), ("dword", 1))
        # Kept for the next run, which opens through the handler at once.
        self.start_tessaly()
        self.open_tray_menu()
        self.menu_click("Bookmarks", "Web Design", "Validator")
        self.assertTrue(wait_until(lambda: len(self.opened()) == 2, 10), self.opened())
        self.assertTrue(self.opened()[1].endswith('"http://validator.w3.org/"'), self.opened())


if __name__ == "__main__":
    harness.main()
