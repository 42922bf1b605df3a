#!/usr/bin/python3
"""The web page in headless Chromium against the native calculations.

    tests/web/test_page.py SITE ORACLE

SITE is the built page (build/web), ORACLE the native web_oracle: every text,
message and focus the page shows is compared with the native build's steps
for the same typed text.
"""
import argparse
import json
import socket
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

# One table per panel: (type, texts typed key by key into the panel's
# editable boxes, how "Wylicz" is pressed).
CASES = {
    "Command1": [
        ("Termopara K", ["340"], "click"),  # 2.55 of class 2 shown as 2,6
        ("Termopara J", ["-100"], "click"),  # classes 1 and 2 refused in turn
        ("Termopara B", ["1000.5"], "enter"),
        ("Termopara T", ["abc"], "click"),
        ("Termopara R", ["1 200"], "click"),
        ("Termopara N", ["-250"], "enter"),
    ],
    "Command2": [
        ("Termopara J", ["100"], "click"),
        ("Termopara K", ["1372"], "enter"),
        ("Termopara K", ["1372.01"], "click"),
        ("Termopara E", ["-12.5"], "click"),
        ("Termopara S", ["1e3"], "enter"),
        ("Termopara B", ["x1"], "click"),
    ],
    "Command3": [
        ("Termopara K", ["21.938", "21"], "click"),
        ("Termopara J", ["10", "0"], "enter"),
        ("Termopara T", ["30", "0"], "click"),
        ("Termopara N", ["5", "abc"], "click"),
        ("Termopara R", ["1", "2000"], "enter"),
        ("Termopara K", ["-5.891", "-100"], "click"),  # the sum below the domain
        ("Termopara S", ["", "0"], "click"),
    ],
}
STATE = ("const m = document.getElementById('message');"
         "return m.open ? 'open' : document.documentElement.dataset.busy ? 'busy' : 'idle'")


def oracle(path, *args):
    out = subprocess.run([path, *map(str, args)], check=True, capture_output=True, text=True)
    return json.loads(out.stdout)


class Page:
    """The site on a loopback server, in a fresh headless Chromium."""

    def __init__(self, site, profile):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            port = s.getsockname()[1]
        self.server = subprocess.Popen(
            [sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "-d", site, str(port)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + profile, "--window-size=1000,700"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.url = f"http://127.0.0.1:{port}/"
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", port), 0.1).close()
                break
            except OSError:
                time.sleep(0.05)

    def open(self):
        self.driver.get(self.url)
        self.wait_ready()

    def wait_ready(self):
        WebDriverWait(self.driver, 20).until(
            lambda d: d.execute_script("return document.documentElement.dataset.ready"))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def by_id(self, name):
        return self.driver.find_element(By.ID, name)

    def value(self, name):
        node = self.by_id(name)
        return node.get_attribute("value") if node.tag_name == "input" else node.text

    def stop_server(self):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait()


class Check:
    count = failures = 0

    def equal(self, what, got, expected):
        self.count += 1
        if got != expected:
            self.failures += 1
            print(f"FAIL {what}: page {got!r}, native {expected!r}")


def choose_type(page, form, caption, keyboard=False):
    """Chooses the menu item `caption`; returns its index for the oracle."""
    entries = [i for m in form["menus"] for i in m["items"]]
    items = [i["name"] for i in entries]
    index = next(n for n, i in enumerate(entries) if i["caption"] == caption)
    title = page.by_id(form["menus"][0]["name"])
    if not keyboard:
        title.click()
        page.by_id(items[index]).click()
        return index
    title.send_keys(Keys.ARROW_DOWN)  # opens on the checked item
    checked = next(n for n, i in enumerate(items)
                   if page.by_id(i).get_attribute("aria-checked") == "true")
    for _ in range(abs(index - checked)):
        page.driver.switch_to.active_element.send_keys(
            Keys.ARROW_DOWN if index > checked else Keys.ARROW_UP)
    page.driver.switch_to.active_element.send_keys(Keys.ENTER)
    return index


def dismiss_messages(page):
    """The texts of the messages shown, each closed with OK (which has the focus)."""
    texts = []
    while True:
        WebDriverWait(page.driver, 5).until(lambda d: d.execute_script(STATE) != "busy")
        if page.js(STATE) == "idle":
            return texts
        texts.append(page.by_id("message-text").text)
        shown = page.by_id("message").get_attribute("data-shown")
        page.driver.switch_to.active_element.send_keys(Keys.ENTER)
        WebDriverWait(page.driver, 5).until(lambda d: d.execute_script(
            "const m = document.getElementById('message');"
            "return !m.open || m.dataset.shown !== arguments[0]", shown))


def run_case(page, form, keymap, check, button, caption, typed, press, oracle_path):
    panel = next(c["parent"] for c in form["controls"] if c["name"] == button)
    editable = [c["name"] for c in form["controls"]
                if c["parent"] == panel and c["kind"] == "edit" and not c["readOnly"]]
    item = choose_type(page, form, caption)
    for name, text in zip(editable, typed):
        page.by_id(name).clear()
        page.by_id(name).send_keys(text)
        check.equal(f"{name} typed {text!r}", page.value(name),
                    "".join(chr(keymap[ord(c)]) if ord(c) < 128 else c for c in text))
    steps = oracle(oracle_path, item, button, *map(page.value, form["boxes"]))["click"]
    pressed = editable[-1] if press == "enter" else button
    if press == "enter":
        page.by_id(pressed).send_keys(Keys.ENTER)
    else:
        page.by_id(pressed).click()
    case = f"{caption} {button} {typed}"
    check.equal(f"{case}: messages", dismiss_messages(page),
                [s["text"] for s in steps if s["op"] == "message"])
    focus = pressed
    for s in steps:
        if s["op"] == "text":
            check.equal(f"{case}: {s['control']}", page.value(s["control"]), s["text"])
        elif s["op"] == "explain":
            tip = page.by_id(page.by_id(s["control"]).get_attribute("aria-describedby"))
            check.equal(f"{case}: explanation", tip.get_attribute("textContent"), s["text"])
        elif s["op"] == "focus":
            focus = s["control"]
    check.equal(f"{case}: focus", page.js("return document.activeElement.id"), focus)


def ax_names(page):
    tree = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    return {(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in tree}


def check_names(page, form, check):
    """Groups, boxes, buttons, menu bar, radio items and message named as the form names them."""
    page.by_id("Text2_0").send_keys("?")
    page.by_id("Command2").click()
    check.equal("message", ("alertdialog", form["messageTitle"]) in ax_names(page), True)
    dismiss_messages(page)
    page.by_id(form["menus"][0]["name"]).click()
    names = ax_names(page)
    roles = {"panel": "group", "edit": "textbox", "button": "button"}
    expected = [(roles[c["kind"]], c["accessibleName"] or c["text"])
                for c in form["controls"] if c["kind"] in roles]
    expected += [("menuitemradio", i["caption"]) for m in form["menus"] for i in m["items"]]
    expected += [("menubar", "")]
    check.equal("accessible names", [e for e in expected if e not in names], [])
    page.driver.switch_to.active_element.send_keys(Keys.ESCAPE)


def check_selection(page, check, oracle_path, index):
    """Marks, Info and every box as the window's selection of menu item `index` sets them."""
    for s in oracle(oracle_path, index, "none")["select"]:
        if s["op"] == "mark":
            check.equal(f"mark {s['control']}", page.by_id(s["control"]).get_attribute(
                "aria-checked"), str(s["on"]).lower())
        elif s["op"] == "text":
            check.equal(f"reset {s['control']}", page.value(s["control"]), s["text"])


def check_phone(page, check):
    page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 360, "height": 640, "deviceScaleFactor": 1, "mobile": True})
    page.open()
    check.equal("360x640: no horizontal scrolling",
                page.js("return document.documentElement.scrollWidth <= innerWidth"), True)
    check.equal("360x640: targets under 44 px", page.js(
        """return [...document.querySelectorAll('input, button, [role=menuitem]')]
           .filter(e => e.getClientRects().length).filter(e => {
             const r = e.getBoundingClientRect(); return r.width < 44 || r.height < 44 })
           .map(e => e.id)"""), [])
    page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("oracle")
    args = parser.parse_args()
    form = oracle(args.oracle, "describe")
    keymap = oracle(args.oracle, "keys")
    check = Check()
    with tempfile.TemporaryDirectory() as profile:
        page = Page(args.site, profile)
        try:
            page.open()
            check.equal("title", page.driver.title, form["caption"])
            check_selection(page, check, args.oracle, form["startItem"])  # the start state
            check_names(page, form, check)
            for button, cases in CASES.items():
                for case in cases:
                    run_case(page, form, keymap, check, button, *case, args.oracle)
            for name in form["boxes"]:  # a type chosen with the keyboard resets them
                if page.by_id(name).get_attribute("readonly") is None:
                    page.by_id(name).send_keys("7")
            check_selection(page, check, args.oracle,
                            choose_type(page, form, "Termopara N", keyboard=True))
            check.equal("only its own origin, no cookies, no storage", page.js(
                """return performance.getEntriesByType('resource')
                   .every(e => e.name.startsWith(location.origin))
                   && document.cookie === '' && localStorage.length === 0"""), True)
            check_phone(page, check)
            # Offline: the service worker took the page; the server gone, reload and compute.
            WebDriverWait(page.driver, 20).until(
                lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
            page.stop_server()
            page.driver.execute_cdp_cmd("Network.enable", {})
            page.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
            page.driver.refresh()
            page.wait_ready()
            run_case(page, form, keymap, check, "Command3", "Termopara K", ["21.938", "21"],
                     "click", args.oracle)
        finally:
            page.driver.quit()
            page.stop_server()
    print(f"{check.count} checks, {check.failures} failed")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
