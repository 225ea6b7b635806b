"""The update check of the real tessaly.exe against the update server of the
tests (the reference server on 127.0.0.1): the query, the answers, the stored
addresses, the download into update.exe, the install that ends the program,
the failures and the time limit."""

import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import harness  # noqa: E402
import peers  # noqa: E402
import update_peer  # noqa: E402
from harness import DEFAULTS, MAIN, POSITION, wait_until  # noqa: E402

UPDATE = ("TfrmUpdate", " Tessaly Update")
NOTICE = "Tessaly Notice..."
QUERY = "?appVersion=%32%2E%30%31&appBeta=%30"
CONNECT_FAILED = "Failed to connect to update server.\nPlease try again later."
DOWNLOAD_FAILED = "Failed to download update.\nPlease try again later."
OFFER = "Update Available. Would you like to download it now?"
NOT_SIGNED = "The downloaded update is not signed by Corvane.\nIt was deleted and will not be installed."
INSTALL = ("Update download sucessfull. To install the update, Tessaly must be shut down.\n"
           "If you would like to update Tessaly later, run \"update.exe\" in Tessaly's\n"
           "install directory. Would you like to update Tessaly now?")


class UpdateTest(harness.E2ETestCase):
    def setUp(self):
        super().setUp()
        self.recorder = harness.program_path("TRECORD_EXE", "tests/wine/trecord.exe")
        self.server = update_peer.UpdateServer(self.recorder)
        self.addCleanup(self.server.stop)
        self.update_exe = os.path.join(os.path.dirname(self.tessaly_path()), "update.exe")
        self.remove(self.update_exe)
        self.addCleanup(self.remove, self.update_exe)
        # Where trecord, run as update.exe, records that it ran.
        self.record = os.path.join(self.out, self.id().split(".")[-1] + ".trecord")
        self.remove(self.record)
        os.environ["TRECORD_LOG"] = peers.windows_path(self.record)
        self.addCleanup(os.environ.pop, "TRECORD_LOG", None)

    @staticmethod
    def remove(path):
        if os.path.exists(path):
            os.remove(path)

    # Helpers -----------------------------------------------------------------------
    def start_with_update_url(self, url):
        self.store_settings(defaults={"UpdateURL": url})
        return self.start_tessaly()

    def check_now(self):
        """Opens the update window from the Help menu and presses "Check Now"."""
        self.main_menu("&Help", "Check for Update...")
        self.assertTrue(self.driver.wait_visible(UPDATE, 5000), "the update window did not open")
        self.driver.must("click", *UPDATE, "Check Now")

    def controls(self):
        """Label1's text and the button's caption."""
        children = self.driver.children(UPDATE)
        label = [c["caption"] for c in children if c["class"] == "Static"][0]
        button = [c["caption"] for c in children if c["class"] == "Button"][0]
        return label, button

    def progress(self):
        lines = self.driver.must("progress", *UPDATE)
        position = int(lines[0].split()[1])
        low, high = (int(v) for v in lines[1].split()[1:])
        return position, (low, high)

    def expect_box(self, text, buttons, icon, answer, ms=10000):
        box = self.driver.message_box(ms)
        self.assertIsNotNone(box, "no message: " + text)
        self.assertEqual((box["caption"], box["text"], box["buttons"], box.get("icon")),
                         (NOTICE, text, buttons, icon))
        self.driver.must("answer", answer, 5000)

    def expect_closed_without_message(self):
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000), "the update window did not close")
        self.assertIsNone(self.driver.message_box(500))

    def stored_addresses(self):
        return [self.driver.reg_get(DEFAULTS, name) for name in ("HomePageUrl", "UpdateURL")]

    def query_paths(self):
        return [path for path, _ in self.server.requests]

    # Tests -------------------------------------------------------------------------
    def test_window_then_no_update_stores_the_servers_addresses(self):
        self.server.config["update_url"] = self.server.url("/next.asp")
        self.start_with_update_url(self.server.url("/update.asp"))
        self.main_menu("&Help", "Check for Update...")
        self.assertTrue(self.driver.wait_visible(UPDATE, 5000))
        facts = self.driver.info(UPDATE)
        self.assertEqual(facts["client"], (178, 139))
        self.assertTrue(facts["topmost"])
        memo = [c["caption"] for c in self.driver.children(UPDATE) if c["class"] == "Edit"][0]
        self.assertEqual(memo.split("\\n"), ["Tessaly will connect to the ", "internet to check if there is a newer",
                                             "version available."])
        self.assertEqual(self.controls(), ("Update Tessaly?", "Check Now"))
        self.assertEqual(self.progress(), (0, (0, 100)))
        self.assertEqual(self.driver.focus()[1], "Check Now")
        self.driver.must("click", *UPDATE, "Check Now")
        self.expect_box("No update available.", ["OK"], "none", "OK")
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000))
        self.assertEqual(self.server.requests, [("/update.asp" + QUERY, "Tessaly 2.0")])
        self.assertEqual(self.stored_addresses(), [("sz", "http://www.example.com/tessaly/"),
                                                   ("sz", self.server.url("/next.asp"))])
        # The next query goes to the address the server gave.
        self.server.config["query_path"] = "/next.asp"
        self.check_now()
        self.expect_box("No update available.", ["OK"], "none", "OK")
        self.assertEqual(self.query_paths()[1], "/next.asp" + QUERY)

    def test_addresses_are_kept_only_when_they_are_web_addresses(self):
        self.server.config["further_url"] = "ftp://www.example.com/"
        self.server.config["update_url"] = self.server.url("/next.asp")
        self.start_with_update_url(self.server.url("/update.asp"))
        unchanged = [("missing", None), ("sz", self.server.url("/update.asp"))]
        self.check_now()
        self.expect_box("No update available.", ["OK"], "none", "OK")
        self.assertEqual(self.stored_addresses(), unchanged, "stored with item 2 not an address")
        self.server.config["query_path"] = "/next.asp"
        # Item 3 was taken in memory all the same; a reply of addresses of
        # another kind is neither taken nor stored.
        self.server.config.update(home_page_url="file:///c:/windows/notepad.exe", further_url="http://m/",
                                  update_url="https://www.example.com/update.asp")
        self.check_now()
        self.expect_box("No update available.", ["OK"], "none", "OK")
        self.check_now()
        self.expect_box("No update available.", ["OK"], "none", "OK")
        self.assertEqual(self.query_paths(), ["/update.asp" + QUERY] + ["/next.asp" + QUERY] * 2)
        self.assertEqual(self.stored_addresses(), unchanged)
        # Three items: nothing stored, no message, the window stays open.
        self.server.config["reply"] = "1|http://h/setup.exe,http://h/,http://m/"
        self.check_now()
        self.assertTrue(wait_until(lambda: self.controls()[1] == "Check Now", 5))
        self.assertEqual(self.controls(), ("Checking for update...", "Check Now"))
        self.assertIsNone(self.driver.message_box(500))
        self.assertTrue(self.driver.visible(UPDATE))
        self.assertEqual(self.stored_addresses(), unchanged)
        self.driver.must("sysclose", *UPDATE)
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000))

    def test_offer_refused_downloads_nothing(self):
        self.server.config["latest_version"] = "2.02"
        self.start_with_update_url(self.server.url("/update.asp"))
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "Cancel")
        self.expect_closed_without_message()
        self.assertEqual(len(self.server.requests), 1)
        self.assertFalse(os.path.exists(self.update_exe))

    def download(self):
        """Checks, accepts the offer and waits for the install question."""
        self.server.config["latest_version"] = "2.02"
        program = self.start_with_update_url(self.server.url("/update.asp"))
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
        box = self.driver.message_box(15000)
        self.assertIsNotNone(box, "no install question")
        self.assertEqual((box["text"], box["buttons"], box.get("icon")), (INSTALL, ["OK", "Cancel"], "question"))
        self.assertFalse(self.driver.visible(UPDATE), "the window shows behind the install question")
        size = os.path.getsize(self.recorder)
        self.assertEqual(self.controls()[0], "%d bytes of %d received" % (size, size))
        self.assertEqual(self.progress(), (size, (0, size)))
        with open(self.update_exe, "rb") as got, open(self.recorder, "rb") as sent:
            self.assertTrue(got.read() == sent.read(), "update.exe is not the download")
        self.assertEqual(self.query_paths(), ["/update.asp" + QUERY, "/setup.exe", "/setup.exe.sig"])
        return program

    def test_download_then_install_starts_update_exe_and_ends_the_program(self):
        program = self.download()
        self.driver.must("answer", "OK", 5000)
        self.assertEqual(program.wait(15), 0, "the program did not end after starting the install")
        self.assertTrue(wait_until(lambda: os.path.exists(self.record), 10), "update.exe did not run")
        with open(self.record, encoding="latin-1") as f:
            module, directory, _ = f.read().splitlines()[0].split("\t")
        folder = peers.windows_path(os.path.dirname(self.update_exe))
        self.assertEqual(module.lower(), (folder + "\\update.exe").lower())
        self.assertEqual(directory.rstrip("\\").lower(), folder.lower())
        self.assertEqual(self.driver.reg_get(POSITION, "VisibleOnStart"), ("dword", 1), "settings not written")
        self.assertEqual(self.driver.reg_get(DEFAULTS, "Browser"), ("sz", "ie"))

    def test_download_then_install_later_keeps_running(self):
        self.download()
        self.driver.must("answer", "Cancel", 5000)
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000))
        self.assertIsNone(self.programs[-1].wait(1), "the program ended")
        self.assertTrue(self.driver.visible(MAIN))
        self.assertTrue(os.path.exists(self.update_exe))
        self.assertFalse(os.path.exists(self.record), "update.exe ran")

    def test_refused_404_and_garbage_queries_fail_to_connect(self):
        self.server.config["latest_version"] = "2.02"  # garbage must not offer it
        for path in ("refused", "/missing.asp", "/garbage"):
            url = ("http://127.0.0.1:%d/update.asp" % update_peer.closed_port() if path == "refused"
                   else self.server.url(path))
            self.end_strays()
            self.start_with_update_url(url)
            self.check_now()
            self.expect_box(CONNECT_FAILED, ["OK"], "warning", "OK")
            self.assertTrue(self.driver.wait_gone(UPDATE, 5000), path)
            self.assertFalse(os.path.exists(self.update_exe), path)
        self.assertEqual(self.query_paths(), ["/missing.asp" + QUERY, "/garbage" + QUERY])

    def test_failed_downloads_report_and_keep_what_arrived(self):
        self.server.config.update(latest_version="2.02", download_url=self.server.url("/cut-download"))
        self.start_with_update_url(self.server.url("/update.asp"))
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
        self.expect_box(DOWNLOAD_FAILED, ["OK"], "warning", "OK")
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000))
        self.assertEqual(os.path.getsize(self.update_exe), update_peer.CUT_SENT)
        # A failure status: the error page is what the file holds.
        self.server.config["download_url"] = self.server.url("/missing.exe")
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
        self.expect_box(DOWNLOAD_FAILED, ["OK"], "warning", "OK")
        with open(self.update_exe, "rb") as f:
            self.assertEqual(f.read(), b"Not Found\n")

    def test_only_an_update_signed_with_the_built_in_key_is_offered_for_install(self):
        """The served file is a copy: changed after signing, signed by a stranger,
        without a signature, with one cut short or one too long to be one."""
        served = os.path.join(self.out, "served-setup.exe")
        stranger = os.path.join(self.out, "stranger.pem")
        if not os.path.exists(stranger):
            subprocess.run(["openssl", "genpkey", "-algorithm", "RSA", "-pkeyopt", "rsa_keygen_bits:3072",
                            "-out", stranger], check=True, capture_output=True)

        def changed():
            update_peer.sign(served)
            with open(served, "r+b") as f:
                f.seek(1000)
                byte = f.read(1)
                f.seek(1000)
                f.write(bytes([byte[0] ^ 0x01]))

        def cut():
            update_peer.sign(served)
            with open(served + ".sig", "r+b") as f:
                f.truncate(200)

        def too_long():
            with open(served + ".sig", "wb") as f:
                f.write(b"\0" * 5000)

        cases = [("changed after signing", changed),
                 ("signed by another key", lambda: update_peer.sign(served, stranger)),
                 ("without a signature", lambda: os.remove(served + ".sig")),
                 ("with its signature cut short", cut),
                 ("with a signature over 4 KB", too_long)]
        self.server.stop()
        self.server = update_peer.UpdateServer(self.make_served(served), signed=False)
        self.addCleanup(self.server.stop)
        self.server.config["latest_version"] = "2.02"
        for name, spoil in cases:
            self.end_strays()
            self.make_served(served)
            spoil()
            self.start_with_update_url(self.server.url("/update.asp"))
            self.check_now()
            self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
            box = self.driver.message_box(15000)
            self.assertIsNotNone(box, "no message for the update " + name)
            self.assertEqual((box["caption"], box["text"], box["buttons"], box.get("icon")),
                             (NOTICE, NOT_SIGNED, ["OK"], "warning"), name)
            self.assertFalse(os.path.exists(self.update_exe), "update.exe stayed, " + name)
            self.driver.must("answer", "OK", 5000)
            self.expect_closed_without_message()
            self.assertFalse(os.path.exists(self.record), "update.exe ran, " + name)
            self.assertEqual(self.query_paths()[-2:], ["/setup.exe", "/setup.exe.sig"], name)
        # The same file as served, signed as the release is: the install question.
        self.end_strays()
        self.make_served(served)
        update_peer.sign(served)
        self.start_with_update_url(self.server.url("/update.asp"))
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
        box = self.driver.message_box(15000)
        self.assertEqual(box and box["text"], INSTALL)
        with open(self.update_exe, "rb") as got, open(served, "rb") as sent:
            self.assertTrue(got.read() == sent.read(), "update.exe is not the served file")
        self.driver.must("answer", "Cancel", 5000)

    def make_served(self, served):
        shutil.copyfile(self.recorder, served)
        return served

    def test_a_download_address_that_is_not_plain_http_is_not_fetched(self):
        self.server.config["latest_version"] = "2.02"
        for address in ("https://127.0.0.1:%d/setup.exe" % self.server.server.server_address[1],
                        "file:///c:/windows/notepad.exe", "ftp://127.0.0.1/setup.exe", ""):
            self.end_strays()
            self.server.config["download_url"] = address
            self.start_with_update_url(self.server.url("/update.asp"))
            self.check_now()
            self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
            self.expect_box(DOWNLOAD_FAILED, ["OK"], "warning", "OK")
            self.assertTrue(self.driver.wait_gone(UPDATE, 5000))
            self.assertFalse(os.path.exists(self.update_exe), address)
        self.assertEqual(self.query_paths(), ["/update.asp" + QUERY] * 4, "something was fetched")

    def test_cancel_during_a_slow_download(self):
        self.server.config.update(latest_version="2.02", download_url=self.server.url("/slow-download"))
        self.start_with_update_url(self.server.url("/update.asp"))
        self.check_now()
        self.expect_box(OFFER, ["OK", "Cancel"], "question", "OK")
        counted = "%d bytes of %d received" % (update_peer.SLOW_SENT, update_peer.SLOW_TOTAL)
        self.assertTrue(wait_until(lambda: self.controls() == (counted, "Cancel"), 10), self.controls())
        self.assertEqual(self.progress(), (update_peer.SLOW_SENT, (0, update_peer.SLOW_TOTAL)))
        self.driver.must("click", *UPDATE, "Cancel")
        self.expect_closed_without_message()
        self.assertEqual(os.path.getsize(self.update_exe), update_peer.SLOW_SENT)
        self.assertIsNone(self.programs[-1].wait(0.5))

    def test_cancel_while_checking(self):
        self.start_with_update_url(self.server.url("/hang"))
        self.check_now()
        self.assertTrue(wait_until(lambda: self.server.requests, 10), "no query arrived")
        self.assertEqual(self.controls(), ("Checking for update...", "Cancel"))
        self.driver.must("click", *UPDATE, "Cancel")
        self.expect_closed_without_message()

    def test_a_server_that_never_answers_times_out_on_the_21st_tick(self):
        self.start_with_update_url(self.server.url("/hang"))
        self.check_now()
        started = time.monotonic()
        self.assertTrue(wait_until(lambda: self.progress()[0] >= 10, 5), "the bar does not advance")
        position = self.progress()[0]
        self.assertEqual(position % 5, 0)
        self.assertEqual(self.controls(), ("Checking for update...", "Cancel"))
        # The bar is full after 20 ticks; the 21st ends the query.
        self.assertTrue(wait_until(lambda: self.progress()[0] == 100, 25), "the bar never filled")
        box = self.driver.message_box(5000)
        elapsed = time.monotonic() - started
        self.assertIsNotNone(box, "no message after the bar filled")
        self.assertEqual((box["text"], box.get("icon")), (CONNECT_FAILED, "warning"))
        self.assertGreater(elapsed, 19, "the query ended before its 21 ticks")
        self.assertFalse(self.driver.visible(UPDATE))
        self.assertEqual(self.progress()[0], 0)
        self.driver.must("answer", "OK", 5000)
        self.assertTrue(self.driver.wait_gone(UPDATE, 5000))
        self.assertIsNone(self.driver.message_box(500), "the failure was shown twice")


if __name__ == "__main__":
    harness.main()
