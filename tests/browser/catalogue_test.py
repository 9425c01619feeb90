#!/usr/bin/env python3
"""The web catalogue of lindel-db-server in headless Chromium: search, sort,
paging, the preset page and its download link, the upload form with and
without a token, and stored markup shown as text.

Starts its own server on a free port over a scratch database and its own
browser with a fresh profile; both are stopped whatever happens.
"""
import argparse
import glob
import os
import subprocess
import sys
import tempfile
import unittest
import urllib.request

from selenium import webdriver
from selenium.common.exceptions import NoAlertPresentException, WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

ARGS = None
IMPORTED = 60  # more than one page of 50
SCRIPT_NAME = "<script>alert(1)</script>"


class Catalogue(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory(prefix="lindel-browser-")
        folder = cls.scratch.name
        presets = os.path.join(folder, "presets")
        os.mkdir(presets)
        subprocess.run([ARGS.make_presets, presets, str(IMPORTED + 1)], check=True)
        files = sorted(glob.glob(os.path.join(presets, "*.syx")))
        cls.spare = files.pop()  # uploaded through the form
        db = os.path.join(folder, "presets.db")
        server = ARGS.server
        subprocess.run([server, "import", "--db", db, "--song", "Riff"] + files, check=True, stdout=subprocess.DEVNULL)
        added = subprocess.run([server, "user", "add", "alice", "--db", db], check=True, capture_output=True, text=True)
        cls.token = added.stdout.strip()
        cls.server = subprocess.Popen([server, "--db", db, "--listen", "127.0.0.1:0"], stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, text=True)
        try:
            line = cls.server.stdout.readline()
            port = line.split("127.0.0.1:")[1].split(",")[0]
            cls.base = f"http://127.0.0.1:{port}/lindel"
            cls.browser = cls.start_browser(folder)
        except Exception:
            cls.stop_server()
            raise

    @classmethod
    def start_browser(cls, folder):
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--window-size=1000,1400", f"--user-data-dir={os.path.join(folder, 'profile')}"):
            options.add_argument(flag)
        browser = webdriver.Chrome(service=Service(executable_path="/usr/bin/chromedriver"), options=options)
        browser.set_page_load_timeout(60)
        return browser

    @classmethod
    def stop_server(cls):
        cls.server.terminate()
        try:
            cls.server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            cls.server.kill()
            cls.server.wait()

    @classmethod
    def tearDownClass(cls):
        try:
            cls.browser.quit()
        finally:
            cls.stop_server()
            cls.scratch.cleanup()

    def open(self, path):
        self.browser.get(self.base + path)

    def follow(self, element):
        """Clicks element and waits until the page it leads to has replaced this one."""
        self.browser.execute_script("document.documentElement.dataset.left = 'yes'")
        element.click()

        def arrived(browser):
            try:
                return browser.execute_script(
                    "return document.readyState === 'complete' && !document.documentElement.dataset.left")
            except WebDriverException:  # the old page went while it was asked
                return False

        WebDriverWait(self.browser, 60).until(arrived)

    def names(self):
        return [a.text for a in self.browser.find_elements(By.CSS_SELECTOR, "tbody tr td:first-child a")]

    def search(self, text, sort):
        self.open("/")
        box = self.browser.find_element(By.NAME, "q")
        box.send_keys(text)
        Select(self.browser.find_element(By.NAME, "sort")).select_by_value(sort)
        self.follow(self.browser.find_element(By.CSS_SELECTOR, "form.search button"))

    def shot(self, name):
        if ARGS.shots:
            self.browser.save_screenshot(os.path.join(ARGS.shots, name))

    def test_search_and_sort(self):
        self.search("preset 00", "name")
        self.assertEqual(self.names(), [f"Preset 00{i}" for i in range(1, 10)])
        self.assertIn("sort=name", self.browser.current_url)
        self.search("", "newest")
        self.assertEqual(self.names()[0], f"Preset {IMPORTED:03d}")
        self.shot("catalogue.png")

    def test_paging_keeps_the_sort(self):
        self.open("/?sort=name")
        self.assertEqual(len(self.names()), 50)
        self.follow(self.browser.find_element(By.LINK_TEXT, "Next"))
        self.assertEqual(self.names(), [f"Preset {i:03d}" for i in range(51, IMPORTED + 1)])
        self.follow(self.browser.find_element(By.LINK_TEXT, "Previous"))
        self.assertEqual(self.names()[0], "Preset 001")

    def test_preset_page_and_its_download(self):
        self.open("/?sort=name")
        self.follow(self.browser.find_element(By.LINK_TEXT, "Preset 002"))
        self.assertEqual(self.browser.find_element(By.TAG_NAME, "h1").text, "Preset 002")
        blocks = [h.text for h in self.browser.find_elements(By.TAG_NAME, "h2")]
        self.assertGreaterEqual(len(blocks), 9, blocks)
        link = self.browser.find_element(By.LINK_TEXT, "Download .syx").get_attribute("href")
        self.assertTrue(link.startswith(self.base + "/bintest.php?id="), link)
        with urllib.request.urlopen(link, timeout=30) as reply:
            image = reply.read()
        self.assertEqual(len(image), 615)
        self.assertEqual(image[0], 0xF0)
        self.shot("preset.png")

    def upload(self, token):
        self.open("/share")
        self.browser.find_element(By.NAME, "preset").send_keys(self.spare)
        self.browser.find_element(By.NAME, "name").send_keys(SCRIPT_NAME)
        self.browser.find_element(By.NAME, "token").send_keys(token)
        self.follow(self.browser.find_element(By.CSS_SELECTOR, "form button"))
        return self.browser.find_element(By.TAG_NAME, "body").text

    def test_upload_form_needs_the_token_and_markup_stays_text(self):
        self.assertIn("uploads need an account", self.upload("not-a-token"))
        self.search("alert", "newest")
        self.assertEqual(self.names(), [])
        self.assertIn("stored as id", self.upload(self.token))
        self.search("alert", "newest")
        self.assertEqual(self.names(), [SCRIPT_NAME])
        with self.assertRaises(NoAlertPresentException):
            self.browser.switch_to.alert.text
        self.follow(self.browser.find_element(By.LINK_TEXT, SCRIPT_NAME))
        self.assertEqual(self.browser.find_element(By.TAG_NAME, "h1").text, SCRIPT_NAME)


def main():
    global ARGS
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--server", required=True, help="path of lindel-db-server")
    parser.add_argument("--make-presets", required=True, help="path of lindel_make_presets")
    parser.add_argument("--shots", help="folder for screenshots of the catalogue and a preset page")
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
