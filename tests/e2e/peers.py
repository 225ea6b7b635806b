"""The browser stand-ins of the end-to-end tests (tests/wine/peers): tiepeer, an
automation server registered as Internet Explorer's for the time of a test, and
tnspeer, a DDE server that answers as Netscape Navigator. Each peer appends the
calls it receives to a log that the test reads."""

import os

import harness

IE_LOCAL_SERVER = r"\Software\Classes\CLSID\{0002DF01-0000-0000-C000-000000000046}\LocalServer32"
IE_BROWSER = ("IEFrame", "*")
NETSCAPE = ("TNetscapePeer", "*")
NETSCAPE_APP_PATH = r"\Software\Microsoft\Windows\CurrentVersion\App Paths\netscape.exe"


def windows_path(path):
    """A Linux path as Windows programs under Wine see it (drive Z)."""
    return "Z:" + path.replace("/", "\\")


class CallLog:
    """The calls a peer received, in order, without the peer's process id."""

    def __init__(self, path):
        self.path = path
        self.clear()

    def clear(self):
        if os.path.exists(self.path):
            os.remove(self.path)

    def entries(self):
        """(process id, call) pairs."""
        if not os.path.exists(self.path):
            return []
        with open(self.path, encoding="latin-1") as f:
            return [tuple(line.rstrip("\n").split(" ", 1)) for line in f if line.strip()]

    def calls(self):
        return [call for _, call in self.entries()]


class SavedValue:
    """A registry value that a test replaces and puts back. The value found is
    kept in a file until it is back, so that the next run mends one that died
    before its clean-up."""

    def __init__(self, driver, key, backup):
        self.driver, self.key, self.backup = driver, key, backup

    def replace(self, value):
        if not os.path.exists(self.backup):
            kind, old = self.driver.reg_get(self.key, "")
            with open(self.backup, "w", encoding="utf-8") as f:
                f.write("%s\n%s" % (kind, old or ""))
        self.driver.reg_set(self.key, "", "sz", value)

    def restore(self):
        if not os.path.exists(self.backup):
            return
        with open(self.backup, encoding="utf-8") as f:
            kind, _, old = f.read().partition("\n")
        if kind == "sz":
            self.driver.reg_set(self.key, "", "sz", old)
        elif kind == "missing":
            self.driver.run("reg-delete-value", self.key, "")
        else:
            self.driver.reg_delete_key(self.key)
        os.remove(self.backup)


class BrowserPeerTestCase(harness.E2ETestCase):
    """A test with the browser peers at hand: none runs before or after it, and
    outside it the prefix's own registrations of the Internet Explorer class and
    of "netscape.exe" stand."""

    def setUp(self):
        super().setUp()
        self.end_peers()
        self.ie_log = CallLog(os.path.join(self.out, self.id().split(".")[-1] + "-ie.log"))
        self.ns_log = CallLog(os.path.join(self.out, self.id().split(".")[-1] + "-ns.log"))
        # The class in both views of the registry: COM looks for a local
        # server of either architecture, whatever its client's.
        self.ie_classes = [SavedValue(self.driver, view + IE_LOCAL_SERVER,
                                      os.path.join(self.out, "saved-ie-class-%s.txt" % view))
                           for view in ("HKLM32", "HKLM64")]
        self.netscape_path = SavedValue(self.driver, NETSCAPE_APP_PATH,
                                        os.path.join(self.out, "saved-netscape-path.txt"))
        # A run that died before its clean-up left a peer registered.
        self.restore_registrations()

    def tearDown(self):
        super().tearDown()
        self.end_peers()
        self.restore_registrations()
        for log in (self.ie_log, self.ns_log):
            if not self.failed():
                log.clear()

    def end_peers(self):
        self.assertTrue(self.driver.run("end-all", 15000, *IE_BROWSER, *NETSCAPE).ok,
                        "a browser peer outlived its process")

    def restore_registrations(self):
        for saved in self.ie_classes:
            saved.restore()
        self.netscape_path.restore()

    # Internet Explorer ---------------------------------------------------------------
    def register_ie_peer(self, rect=(70, 50, 500, 350)):
        """Makes tiepeer the InternetExplorer class's server."""
        peer = harness.program_path("TIEPEER_EXE", "tests/wine/tiepeer.exe")
        for saved in self.ie_classes:
            saved.replace('"%s" --log "%s" --rect %s' % (
                windows_path(peer), windows_path(self.ie_log.path), ",".join(str(v) for v in rect)))

    def unregister_ie_class(self):
        """Takes the class's server away, as on a system without Internet Explorer."""
        for saved in self.ie_classes:
            saved.replace("")
            self.driver.reg_delete_key(saved.key)

    # Netscape Navigator --------------------------------------------------------------
    def start_netscape(self, title, rect, window_id=7):
        path = harness.program_path("TNSPEER_EXE", "tests/wine/tnspeer.exe")
        self.start(path, ["--log", windows_path(self.ns_log.path), "--id", str(window_id),
                                    "--title", title, "--rect", ",".join(str(v) for v in rect)])
        window = (NETSCAPE[0], title + " - Netscape")
        self.assertTrue(self.driver.wait_visible(window, 10000), "the Netscape peer did not come up")
        return window

    def install_netscape(self, delay_ms):
        """Makes "netscape.exe" start tnspeer, which serves DDE after delay_ms.
        A program started through the shell gets no arguments: the peer reads
        its log and delay from the environment that it inherits from the program."""
        self.netscape_path.replace(windows_path(harness.program_path("TNSPEER_EXE", "tests/wine/tnspeer.exe")))
        os.environ["TNSPEER_LOG"] = windows_path(self.ns_log.path)
        os.environ["TNSPEER_DELAY"] = str(delay_ms)
        self.addCleanup(os.environ.pop, "TNSPEER_LOG", None)
        self.addCleanup(os.environ.pop, "TNSPEER_DELAY", None)
