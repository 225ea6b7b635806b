"""The reference update server's decisions and its replies over HTTP."""
import os
import sys
import threading
import unittest
import urllib.error
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import update_server  # noqa: E402

CONFIG = {
    "latest_version": "2.02", "latest_beta": 0, "query_path": "/update.asp",
    "download_url": "http://h/setup.exe", "home_page_url": "http://h/", "further_url": "http://h/more/",
    "update_url": "http://h/update.asp", "downloads": {"/setup.exe": os.path.basename(__file__)},
}


class Decisions(unittest.TestCase):
    def test_versions_and_betas(self):
        newer = update_server.is_newer
        self.assertTrue(newer("2.02", 0, "2.01", 0))
        self.assertFalse(newer("2.01", 0, "2.01", 0))
        self.assertFalse(newer("2.01", 0, "2.02", 0))
        self.assertTrue(newer("2.10", 0, "2.09", 0))  # numbers, not texts
        self.assertTrue(newer("3.00", 0, "2.99", 0))
        self.assertTrue(newer("2.01", 0, "2.01", 3))  # the release after its beta
        self.assertFalse(newer("2.01", 2, "2.01", 0))
        self.assertTrue(newer("2.01", 3, "2.01", 2))

    def test_items_that_need_quotes(self):
        self.assertEqual(update_server.comma_item("http://h/a"), "http://h/a")
        self.assertEqual(update_server.comma_item("a b,c"), '"a b,c"')
        self.assertEqual(update_server.comma_item('say "x"'), '"say ""x"""')
        self.assertEqual(update_server.comma_item(""), '""')


class OverHttp(unittest.TestCase):
    def setUp(self):
        self.server = update_server.make_server(CONFIG, os.path.dirname(os.path.abspath(__file__)))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.base = "http://127.0.0.1:%d" % self.server.server_address[1]

    def tearDown(self):
        self.server.shutdown()
        self.server.server_close()

    def get(self, path):
        try:
            with urllib.request.urlopen(self.base + path, timeout=10) as r:
                return r.status, r.read()
        except urllib.error.HTTPError as e:
            return e.code, e.read()

    def test_query_offer_no_offer_and_bad_queries(self):
        self.assertEqual(self.get("/update.asp?appVersion=%32%2E%30%31&appBeta=%30"),
                         (200, b"1|http://h/setup.exe,http://h/,http://h/more/,http://h/update.asp"))
        self.assertEqual(self.get("/update.asp?appVersion=%32%2E%30%32&appBeta=%30"),
                         (200, b"0,http://h/,http://h/more/,http://h/update.asp"))
        for query in ("", "?appVersion=2.01", "?appVersion=two&appBeta=0", "?appVersion=2.01&appBeta=x"):
            self.assertEqual(self.get("/update.asp" + query)[0], 400, query)

    def test_download_and_other_paths(self):
        with open(__file__, "rb") as f:
            self.assertEqual(self.get("/setup.exe"), (200, f.read()))
        self.assertEqual(self.get("/other")[0], 404)


if __name__ == "__main__":
    unittest.main()
