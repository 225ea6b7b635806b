"""The custom size editor of the real tessaly.exe: its messages, what it stores,
and the main window's lists afterwards."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
from harness import MAIN, SETTINGS, wait_until  # noqa: E402

EDITOR = ("TfrmCustomSizes", " Edit Tessaly Custom Sizes")
CUSTOM_SIZES = SETTINGS + r"\CustomSizes"
NOTICE = "Tessaly Notice..."


class CustomSizesTest(harness.E2ETestCase):
    # Helpers -----------------------------------------------------------------------
    def open_editor_from_menu(self):
        self.main_menu("&Options", "Edit Custom Sizes...")
        self.assertTrue(self.driver.wait_visible(EDITOR, 5000), "the editor did not open")

    def press(self, caption):
        self.driver.must("click", *EDITOR, caption)

    def expect_notice(self, text):
        box = self.driver.message_box(5000)
        self.assertIsNotNone(box, "no message for: " + text)
        self.assertEqual(box["caption"], NOTICE)
        self.assertEqual(box["text"], text)
        self.assertEqual(box["buttons"], ["OK"])
        self.assertEqual(box.get("icon"), "stop")
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(wait_until(lambda: self.driver.message_box(100) is None, 3))

    def listed(self):
        return self.driver.items("list-items", EDITOR, 0)

    def edit_texts(self):
        """Width and height as the edit boxes show them (after the instructions)."""
        return tuple((self.driver.must("get-text", *EDITOR, i) + [""])[0] for i in (1, 2))

    def stored(self):
        return self.driver.reg_values(CUSTOM_SIZES)

    def close_editor(self, how="Close"):
        if how == "Close":
            self.press("Close")
        else:
            self.driver.must("sysclose", *EDITOR)
        self.assertTrue(self.driver.wait_gone(EDITOR, 5000), "the editor did not close")

    def size_combo(self):
        # The third combo box of the main window is the custom size list.
        boxes = self.driver.combo_boxes(MAIN)
        sizes = [box for box in boxes if box[1] not in (
            ["Minimized", "Horizontal", "Vertical"], ["Minimized/None", "Horizontal", "Vertical"],
            ["Web Safe", "MS Win 256"])]
        self.assertEqual(len(sizes), 1, boxes)
        return sizes[0]

    # Tests -------------------------------------------------------------------------
    def test_editor_layout_and_empty_start(self):
        self.start_tessaly()
        self.open_editor_from_menu()
        facts = self.driver.info(EDITOR)
        self.assertEqual(facts["client"], (293, 207))
        self.assertTrue(facts["topmost"])
        captions = [c["caption"] for c in self.driver.children(EDITOR) if c["class"] == "Button"]
        self.assertEqual(captions, ["Add", "Delete", "Edit", "Close"])
        memo = [c["caption"] for c in self.driver.children(EDITOR) if c["class"] == "Edit"][0]
        # The driver writes line breaks as \n.
        self.assertEqual(memo.split("\\n"), [
            "To Add: Enter your custom width & ", "height.  Click 'Add' button.", "",
            "To Delete: Select your custom size ", "from list.  Click 'Delete' button.", "",
            "To Edit: Select your custom size ", "from list. Edit width and/or height.  ",
            "Click 'Edit' button."])
        self.assertEqual(self.listed(), (-1, []))
        self.close_editor()
        # Closing stores the (empty) list: the key exists and is empty.
        self.assertTrue(self.driver.reg_key_exists(CUSTOM_SIZES))
        self.assertEqual(self.stored(), [])

    def test_messages_in_their_order(self):
        self.start_tessaly()
        self.open_editor_from_menu()
        # Edit boxes are the two after the instructions.
        self.driver.must("set-text", *EDITOR, 1, "abc")
        self.driver.must("set-text", *EDITOR, 2, "600")
        self.press("Add")
        self.expect_notice("You must enter numeric values greater that zero.")
        self.driver.must("set-text", *EDITOR, 1, "0")
        self.press("Add")
        self.expect_notice("You must enter values greater that zero.")
        self.driver.must("set-text", *EDITOR, 1, " 800 ")
        self.press("Add")
        self.assertEqual(self.listed(), (-1, ["800 x 600"]))
        self.assertEqual(self.edit_texts(), ("", ""))  # emptied after a success
        self.driver.must("set-text", *EDITOR, 1, "800")
        self.driver.must("set-text", *EDITOR, 2, "600")
        self.press("Add")
        self.expect_notice("Custom value already set.")
        self.assertEqual(self.listed(), (-1, ["800 x 600"]))
        # Edit: numbers are tested before the selection.
        self.driver.must("set-text", *EDITOR, 1, "")
        self.driver.must("set-text", *EDITOR, 2, "")
        self.press("Edit")
        self.expect_notice("You must enter numeric values greater that zero.")
        self.driver.must("set-text", *EDITOR, 1, "300")
        self.driver.must("set-text", *EDITOR, 2, "200")
        self.press("Edit")
        self.expect_notice("You must select an item to edit.")
        self.press("Delete")
        self.expect_notice("You must select an item to delete.")

    def test_add_edit_delete_are_stored_when_closed(self):
        self.start_tessaly()
        self.open_editor_from_menu()
        for width, height in (("640", "480"), ("1024", "768"), ("300", "200")):
            self.driver.must("set-text", *EDITOR, 1, width)
            self.driver.must("set-text", *EDITOR, 2, height)
            self.press("Add")
        self.assertEqual(self.listed()[1], ["640 x 480", "1024 x 768", "300 x 200"])
        # A click on a line fills the edit boxes; Edit replaces that line.
        self.driver.must("select-list", *EDITOR, 0, "640 x 480")
        self.assertEqual(self.edit_texts(), ("640", "480"))
        self.driver.must("set-text", *EDITOR, 1, "0800")
        self.driver.must("set-text", *EDITOR, 2, "600")
        self.press("Edit")
        self.driver.must("select-list", *EDITOR, 0, "1024 x 768")
        self.press("Delete")
        self.assertEqual(self.listed(), (-1, ["800 x 600", "300 x 200"]))
        self.assertIsNone(self.stored(), "the list was stored before the editor closed")
        self.close_editor()
        stored = self.stored()
        self.assertEqual(sorted(stored), [("300 x 200", "dword"), ("800 x 600", "dword")])
        for name in ("800 x 600", "300 x 200"):
            self.assertEqual(self.driver.reg_get(CUSTOM_SIZES, name), ("dword", 1))
        # The main window's list follows in the registry's order, its first entry selected.
        self.assertEqual(self.size_combo(), (0, [name for name, _ in stored]))

    def test_close_box_stores_like_close_and_an_emptied_list_keeps_the_key(self):
        self.driver.reg_set(CUSTOM_SIZES, "640 x 480", "dword", 1)
        self.driver.reg_set(CUSTOM_SIZES, "stray", "sz", "x")
        self.start_tessaly()
        self.assertEqual(self.size_combo(), (0, ["640 x 480", "stray"]))
        self.open_editor_from_menu()
        self.assertEqual(self.listed()[1], ["640 x 480", "stray"])
        self.driver.must("select-list", *EDITOR, 0, "stray")
        self.press("Delete")
        self.close_editor("close box")
        self.assertEqual(self.stored(), [("640 x 480", "dword")])
        self.open_editor_from_menu()
        self.driver.must("select-list", *EDITOR, 0, "640 x 480")
        self.press("Delete")
        self.close_editor("close box")
        self.assertTrue(self.driver.reg_key_exists(CUSTOM_SIZES))
        self.assertEqual(self.stored(), [])
        self.assertEqual(self.size_combo(), (-1, []))

    def test_size_with_no_sizes_asks_and_ok_opens_the_editor(self):
        self.start_tessaly()
        self.driver.must("click", *MAIN, "Size")
        box = self.driver.message_box(5000)
        self.assertIsNotNone(box)
        self.assertEqual(box["caption"], NOTICE)
        self.assertEqual(box["text"], "There are no custom sizes defined.\n"
                                      "Would you like to define a custom size?")
        self.assertEqual(box["buttons"], ["OK", "Cancel"])
        self.assertEqual(box.get("icon"), "question")
        self.driver.must("answer", "Cancel", 5000)
        self.assertFalse(self.driver.wait_visible(EDITOR, 500), "Cancel opened the editor")
        self.driver.must("click", *MAIN, "Size")
        self.assertIsNotNone(self.driver.message_box(5000))
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.wait_visible(EDITOR, 5000), "OK did not open the editor")
        self.driver.must("set-text", *EDITOR, 1, "300")
        self.driver.must("set-text", *EDITOR, 2, "200")
        self.press("Add")
        self.close_editor()
        self.assertEqual(self.size_combo(), (0, ["300 x 200"]))


if __name__ == "__main__":
    harness.main()
