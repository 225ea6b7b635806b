"""The About box of the real tessaly.exe: its layout, its version text, the
ways it closes and its mail link."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
from harness import wait_until  # noqa: E402

ABOUT = ("TfrmAboutBox", " About Tessaly")
MAILTO_COMMAND = r"\Software\Classes\mailto\shell\open\command"


class AboutBoxTest(harness.E2ETestCase):
    def open_about(self):
        self.main_menu("&Help", "&About...")
        self.assertTrue(self.driver.wait_visible(ABOUT, 5000), "the About box did not open")

    def client_origin(self):
        """The About box's client area's top-left corner on the screen (its
        frame is as wide on every side)."""
        facts = self.driver.info(ABOUT)
        left, top, right, bottom = facts["rect"]
        width, height = facts["client"]
        border = (right - left - width) // 2
        return left + border, bottom - border - height

    def test_layout_and_version(self):
        self.start_tessaly()
        self.open_about()
        facts = self.driver.info(ABOUT)
        self.assertEqual(facts["client"], (375, 246))
        self.assertTrue(facts["topmost"])
        left, top, right, bottom = facts["rect"]
        self.assertLessEqual(abs((left + right) - 1280), 1)  # centred on the 1280 x 1024 screen
        self.assertLessEqual(abs((top + bottom) - 1024), 1)
        rows = [(c["class"], c["caption"], c["rect"]) for c in self.driver.children(ABOUT)]
        statics = {caption: rect for cls, caption, rect in rows if cls == "Static" and caption}
        self.assertEqual(statics["Version 2.01"], (120, 56, 161, 13))
        self.assertEqual(statics["Suggestions? E-mail:"][:2], (126, 192))
        self.assertEqual(statics["support@example.com"][:2], (228, 192))
        pictures = sorted(rect for cls, caption, rect in rows if cls == "Static" and not caption)
        # The panel's frame, the product picture at its left edge, the title picture.
        self.assertEqual(pictures, [(8, 8, 113, 201), (8, 8, 361, 201), (80, 16, 281, 49)])
        self.assertEqual([(caption, rect) for cls, caption, rect in rows if cls == "Button"],
                         [("OK", (142, 216, 82, 25))])
        self.assertEqual(self.driver.focus()[1], "OK")

    def test_ok_enter_and_close_box_close_it(self):
        self.start_tessaly()
        for how in ("OK", "Enter", "close box"):
            self.open_about()
            if how == "OK":
                self.driver.must("click", *ABOUT, "OK")
            elif how == "Enter":
                self.input.key("Return")
            else:
                self.driver.must("sysclose", *ABOUT)
            self.assertTrue(self.driver.wait_gone(ABOUT, 5000), "%s did not close the About box" % how)
            self.assertTrue(self.driver.info(harness.MAIN)["enabled"])

    def test_mail_link_opens_a_message_to_the_support_address(self):
        record = os.path.join(self.out, "mailto.trecord")
        if os.path.exists(record):
            os.remove(record)
        self.addCleanup(lambda: os.path.exists(record) and os.remove(record))
        recorder = harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe")
        handler = peers.SavedValue(self.driver, MAILTO_COMMAND, os.path.join(self.out, "mailto-command.saved"))
        handler.replace('"%s" "%%1"' % peers.windows_path(recorder))
        self.addCleanup(handler.restore)
        os.environ["TRECORD_LOG"] = peers.windows_path(record)
        self.addCleanup(os.environ.pop, "TRECORD_LOG", None)
        self.start_tessaly()
        self.open_about()
        link = [c for c in self.driver.children(ABOUT) if c["caption"] == "support@example.com"][0]
        x, y = self.client_origin()
        left, top, width, height = link["rect"]
        self.input.click(x + left + width // 2, y + top + height // 2)
        self.assertTrue(wait_until(lambda: os.path.exists(record), 10), "no mail program was started")
        with open(record, encoding="latin-1") as f:
            command_line = f.read().splitlines()[0].split("\t")[2]
        self.assertTrue(command_line.endswith('"mailto:support@example.com?subject=Gallivor_Suggestions"'),
                        command_line)
        self.assertTrue(self.driver.visible(ABOUT), "the link closed the About box")


if __name__ == "__main__":
    harness.main()
