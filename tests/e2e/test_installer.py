"""The release's installer (build/package/tessaly-<version>-setup.exe, made by
scripts/package.sh) run as users run it, in the 32-bit Program Files of the
WoW64 prefix: silently, then the installed program, its Start menu entries
and its uninstaller; waiting for a running Tessaly before replacing it; and
started as update.exe by the installed program's own update check against
the reference server."""

import filecmp
import glob
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import update_peer  # noqa: E402
from harness import DEFAULTS, MAIN, POSITION, wait_until  # noqa: E402

PREFIX = os.environ.get("WINEPREFIX", "")
INSTALL_DIR = os.path.join(PREFIX, "drive_c", "Program Files (x86)", "Tessaly")
START_MENU = os.path.join(PREFIX, "drive_c", "ProgramData", "Microsoft", "Windows", "Start Menu", "Programs",
                          "Tessaly 2")
UNINSTALL_KEY = r"\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly 2"
SHIPPED = os.path.join(harness.ROOT, "build", "win32", "app", "tessaly.exe")
HELP_INDEX = os.path.join(harness.ROOT, "help", "index.htm")
ADD_DIALOG = ("TfrmAddBookmark", " Add Tessaly BookMark")
UPDATE = ("TfrmUpdate", " Tessaly Update")
SETUP_WINDOW = ("#32770", "Tessaly 2 Setup*")  # its caption names the page shown


def setup_file():
    found = sorted(glob.glob(os.path.join(harness.ROOT, "build", "package", "tessaly-*-setup.exe")))
    return found[-1] if found else None


class InstallerTest(harness.E2ETestCase):
    def setUp(self):
        super().setUp()
        self.setup = setup_file()
        if not self.setup:
            self.fail("no installer in build/package: scripts/package.sh makes it")
        self.remove_install()
        self.addCleanup(self.remove_install)

    def remove_install(self):
        shutil.rmtree(INSTALL_DIR, ignore_errors=True)
        shutil.rmtree(START_MENU, ignore_errors=True)
        self.driver.reg_delete_key(UNINSTALL_KEY)

    def installed(self, *parts):
        return os.path.join(INSTALL_DIR, *parts)

    def install_silently(self):
        installer = self.start(self.setup, ["/S"])
        self.assertEqual(installer.wait(60), 0, "the silent install did not end with 0")
        return installer

    def mark_help(self):
        """Changes an installed file, so that a later install shows it replaced them."""
        with open(self.installed("help", "index.htm"), "w") as f:
            f.write("old")

    def help_replaced(self):
        return filecmp.cmp(self.installed("help", "index.htm"), HELP_INDEX, shallow=False)

    def exit_program(self, program):
        self.main_menu("&File", "E&xit")
        self.assertEqual(program.wait(15), 0, "the installed program did not end with 0")

    def test_silent_install_then_the_uninstaller_keeps_bookmarks_and_settings(self):
        self.install_silently()
        self.assertTrue(filecmp.cmp(self.installed("tessaly.exe"), SHIPPED, shallow=False),
                        "the installed program is not the shipped build")
        self.assertTrue(self.help_replaced())
        self.assertTrue(os.path.exists(self.installed("uninstall.exe")))
        self.assertEqual(sorted(os.listdir(START_MENU)), ["Tessaly 2.lnk", "Uninstall Tessaly 2.lnk"])
        self.assertEqual(self.driver.reg_get(UNINSTALL_KEY, "DisplayName"), ("sz", "Tessaly 2"))
        self.assertEqual(self.driver.reg_get(UNINSTALL_KEY, "UninstallString"),
                         ("sz", '"C:\\Program Files (x86)\\Tessaly\\uninstall.exe"'))

        program = self.start_tessaly(path=self.installed("tessaly.exe"))
        self.main_menu("Bookmarks", "Add Bookmark...")
        self.assertTrue(self.driver.wait_visible(ADD_DIALOG, 5000), "the add dialog did not open")
        self.driver.must("set-text", *ADD_DIALOG, 0, "W3C")
        self.driver.must("set-text", *ADD_DIALOG, 1, "http://www.w3.org/")
        self.driver.must("click", *ADD_DIALOG, "Add")
        self.assertTrue(wait_until(lambda: os.path.exists(self.installed("cvbmarks.htm")), 5),
                        "the bookmark was not stored beside the installed program")
        self.exit_program(program)
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 1), "settings not written")

        uninstaller = self.start(self.installed("uninstall.exe"), ["/S"])
        self.assertEqual(uninstaller.wait(60), 0)
        # The uninstaller runs on from a copy of itself in the temporary folder; removing its
        # registry key is its last step.
        self.assertTrue(wait_until(lambda: not self.driver.reg_key_exists(UNINSTALL_KEY), 30),
                        "the uninstaller did not finish: %s" % os.listdir(INSTALL_DIR))
        self.assertEqual(os.listdir(INSTALL_DIR), ["cvbmarks.htm"])
        with open(self.installed("cvbmarks.htm"), encoding="latin-1") as f:
            self.assertIn('<A HREF="http://www.w3.org/"', f.read())
        self.assertFalse(os.path.exists(START_MENU), "the Start menu entries stayed")
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 1), "the settings went")

    def test_a_running_tessaly_is_waited_for_then_replaced(self):
        self.install_silently()
        self.mark_help()
        program = self.start_tessaly(path=self.installed("tessaly.exe"))
        installer = self.start(self.setup, ["/S"])
        self.assertIsNone(installer.wait(3), "the installer did not wait for the running program")
        self.assertFalse(self.help_replaced(), "the installer replaced files while the program ran")
        self.exit_program(program)
        self.assertEqual(installer.wait(30), 0, "the installer did not go on once the program had ended")
        self.assertTrue(self.help_replaced())
        self.assertTrue(filecmp.cmp(self.installed("tessaly.exe"), SHIPPED, shallow=False))

    def test_the_update_check_runs_the_installer_as_update_exe(self):
        self.install_silently()
        self.mark_help()
        server = update_peer.UpdateServer(self.setup)
        self.addCleanup(server.stop)
        server.config["latest_version"] = "2.02"
        self.store_settings(defaults={"UpdateURL": server.url("/update.asp")})
        program = self.start_tessaly(path=self.installed("tessaly.exe"))
        self.main_menu("&Help", "Check for Update...")
        self.assertTrue(self.driver.wait_visible(UPDATE, 5000), "the update window did not open")
        self.driver.must("click", *UPDATE, "Check Now")
        for question in ("Update Available", "Update download sucessfull"):
            box = self.driver.message_box(15000)
            self.assertIsNotNone(box, "no question: " + question)
            self.assertTrue(box["text"].startswith(question), box)
            self.driver.must("answer", "OK", 5000)
        self.assertEqual(program.wait(15), 0, "the program did not end after starting the install")
        self.assertTrue(filecmp.cmp(self.installed("update.exe"), self.setup, shallow=False))

        # The installer's own pages, answered as a user does.
        self.assertTrue(self.driver.wait_visible(SETUP_WINDOW, 20000), "update.exe showed no installer")
        self.driver.must("click", *SETUP_WINDOW, "Install")
        completed = ("#32770", "Tessaly 2 Setup: Completed")
        self.assertTrue(self.driver.wait_visible(completed, 30000), "the install did not finish")
        self.driver.must("click", *completed, "Close")
        self.assertTrue(self.driver.wait_gone(SETUP_WINDOW, 10000))
        self.assertTrue(self.help_replaced(), "the install did not replace the program's files")
        self.assertTrue(filecmp.cmp(self.installed("tessaly.exe"), SHIPPED, shallow=False))
        self.assertEqual(self.driver.reg_get(DEFAULTS, "UpdateURL"), ("sz", server.url("/update.asp")))
        again = self.start_tessaly(path=self.installed("tessaly.exe"))
        self.assertTrue(self.driver.visible(MAIN))
        self.exit_program(again)


if __name__ == "__main__":
    harness.main()
