#!/usr/bin/env python3
"""The web page in headless Chromium against the native calculations.

    tests/web/test_page.py SITE ORACLE [--screenshots DIR]

SITE is the built page (build/web), ORACLE the native web_oracle
(build/dev/tests/web/web_oracle): every result, message and focus the page
shows is compared with what the native build gives for the same typed text.
"""
import argparse
import json
import socket
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

# One table per panel: (type, texts typed into the panel's editable boxes, how
# the button is pressed). Texts are typed key by key, "." included.
CASES = {
    "Command1": [
        ("Termopara K", ["340"], "click"),       # 2.55 of class 2 shown as 2,6
        ("Termopara J", ["-100"], "click"),      # classes 1 and 2 refused in turn
        ("Termopara B", ["1000.5"], "enter"),
        ("Termopara T", ["abc"], "click"),       # not a number: message, focus back
        ("Termopara R", ["1 200"], "click"),
        ("Termopara N", ["-250"], "enter"),
    ],
    "Command2": [
        ("Termopara J", ["100"], "click"),
        ("Termopara K", ["1372"], "enter"),
        ("Termopara K", ["1372.01"], "click"),   # beyond the type's range
        ("Termopara E", ["-12.5"], "click"),
        ("Termopara S", ["1e3"], "enter"),
        ("Termopara B", ["x1"], "click"),
    ],
    "Command3": [
        ("Termopara K", ["21.938", "21"], "click"),
        ("Termopara J", ["10", "0"], "enter"),
        ("Termopara T", ["30", "0"], "click"),   # EMF beyond the type's range
        ("Termopara N", ["5", "abc"], "click"),  # the cold junction is no number
        ("Termopara R", ["1", "2000"], "enter"),  # an absurd cold junction
        ("Termopara K", ["-5.891", "-100"], "click"),  # the sum below the domain
        ("Termopara S", ["", "0"], "click"),
    ],
}


def oracle(path, *args):
    return json.loads(subprocess.run([path, *map(str, args)], check=True, capture_output=True,
                                     text=True).stdout)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Page:
    def __init__(self, site, profile):
        self.port = free_port()
        self.server = subprocess.Popen(
            [sys.executable, "-m", "http.server", "--bind", "127.0.0.1", "-d", site,
             str(self.port)], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     "--user-data-dir=" + profile, "--window-size=1000,700"):
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.url = f"http://127.0.0.1:{self.port}/"
        for _ in range(100):
            try:
                socket.create_connection(("127.0.0.1", self.port), 0.1).close()
                break
            except OSError:
                time.sleep(0.05)

    def open(self):
        self.driver.get(self.url)
        self.wait_ready()

    def wait_ready(self):
        WebDriverWait(self.driver, 20).until(lambda d: d.execute_script(
            "return document.documentElement.dataset.ready === 'true'"))

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def by_id(self, name):
        return self.driver.find_element(By.ID, name)

    def close(self):
        self.driver.quit()
        self.stop_server()

    def stop_server(self):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait()


class Check:
    def __init__(self):
        self.failures = 0
        self.count = 0

    def equal(self, what, got, expected):
        self.count += 1
        if got != expected:
            self.failures += 1
            print(f"FAIL {what}: page {got!r}, native {expected!r}")


def menu_item(form, caption):
    items = [i for m in form["menus"] for i in m["items"]]
    return next(n for n, i in enumerate(items) if i["caption"] == caption), items


def choose_type(page, form, caption, keyboard=False):
    index, items = menu_item(form, caption)
    title = page.by_id(form["menus"][0]["name"])
    if keyboard:
        title.send_keys(Keys.ARROW_DOWN)
        checked = next(n for n, i in enumerate(items)
                       if page.by_id(i["name"]).get_attribute("aria-checked") == "true")
        step = Keys.ARROW_DOWN if index >= checked else Keys.ARROW_UP
        active = page.driver.switch_to.active_element
        for _ in range(abs(index - checked)):
            active.send_keys(step)
            active = page.driver.switch_to.active_element
        active.send_keys(Keys.ENTER)
    else:
        title.click()
        page.by_id(items[index]["name"]).click()
    return index


def dismiss_messages(page):
    """The texts of the messages shown, each closed with OK in turn."""
    texts = []
    state = ("const m = document.getElementById('message');"
             "return m.open ? 'open' : document.documentElement.dataset.busy ? 'busy' : 'idle'")
    while True:
        WebDriverWait(page.driver, 5).until(lambda d: d.execute_script(state) != "busy")
        if page.js(state) == "idle":
            return texts
        texts.append(page.by_id("message-text").text)
        shown = page.by_id("message").get_attribute("data-shown")
        page.driver.switch_to.active_element.send_keys(Keys.ENTER)  # OK has the focus
        # Closed, or closed and the next message open.
        WebDriverWait(page.driver, 5).until(lambda d: d.execute_script(
            "const m = document.getElementById('message');"
            "return !m.open || m.dataset.shown !== arguments[0]", shown))


def expected_after(form, steps):
    """Box and label texts, explanations, messages and the last focus the steps leave."""
    texts, explanations, messages, focus = {}, {}, [], None
    for s in steps:
        if s["op"] == "text":
            texts[s["control"]] = s["text"]
        elif s["op"] == "explain":
            explanations[s["control"]] = s["text"]
        elif s["op"] == "message":
            messages.append(s["text"])
        elif s["op"] == "focus":
            focus = s["control"]
    return texts, explanations, messages, focus


def run_case(page, form, keymap, check, button, caption, typed, press, oracle_path):
    controls = form["controls"]
    parent = next(c["parent"] for c in controls if c["name"] == button)
    editable = [c["name"] for c in controls
                if c["parent"] == parent and c["kind"] == "edit" and not c["readOnly"]]
    item = choose_type(page, form, caption)
    for name, text in zip(editable, typed):
        box = page.by_id(name)
        box.clear()
        box.send_keys(text)
        check.equal(f"{name} typed {text!r}", box.get_attribute("value"),
                    "".join(chr(keymap[ord(ch)]) if ord(ch) < 128 else ch for ch in text))
    values = [page.by_id(n).get_attribute("value") for n in form["boxes"]]
    native = oracle(oracle_path, item, button, *values)
    if press == "enter":
        page.by_id(editable[-1]).send_keys(Keys.ENTER)
        pressed = editable[-1]
    else:
        page.by_id(button).click()
        pressed = button
    messages = dismiss_messages(page)
    texts, explanations, expected_messages, focus = expected_after(form, native["click"])
    case = f"{caption} {button} {typed}"
    check.equal(f"{case}: messages", messages, expected_messages)
    for name, text in texts.items():
        check.equal(f"{case}: {name}", page.by_id(name).get_attribute("value"), text)
    for name, text in explanations.items():
        tip = page.by_id(page.by_id(name).get_attribute("aria-describedby"))
        check.equal(f"{case}: {name} explanation", tip.get_attribute("textContent"), text)
    check.equal(f"{case}: focus", page.js("return document.activeElement.id"), focus or pressed)


def ax_names(page):
    """(role, name) of every node of Chromium's accessibility tree."""
    tree = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    return {(n.get("role", {}).get("value"), n.get("name", {}).get("value")) for n in tree}


def check_names(page, form, check):
    names = ax_names(page)
    for c in form["controls"]:
        role = {"panel": "group", "edit": "textbox", "button": "button"}.get(c["kind"])
        if role:
            name = c["accessibleName"] or c["text"]
            check.equal(f"accessible {role} {name!r}", (role, name) in names, True)
    check.equal("menubar", any(r == "menubar" for r, _ in names), True)
    page.by_id(form["menus"][0]["name"]).click()
    names = ax_names(page)
    for item in (i for m in form["menus"] for i in m["items"]):
        check.equal(f"radio item {item['caption']}", ("menuitemradio", item["caption"]) in names,
                    True)
    page.driver.switch_to.active_element.send_keys(Keys.ESCAPE)


def check_menu_reset(page, form, check, oracle_path):
    """A type chosen with the keyboard: marks, Info and every box as the window sets them."""
    for name in form["boxes"]:
        box = page.by_id(name)
        if box.get_attribute("readonly") is None:
            box.clear()
            box.send_keys("7")
    page.by_id(form["menus"][0]["name"]).click()
    page.driver.switch_to.active_element.send_keys(Keys.ESCAPE)
    index = choose_type(page, form, "Termopara N", keyboard=True)
    native = oracle(oracle_path, index, "none")["select"]
    for s in native:
        node = page.by_id(s["control"])
        if s["op"] == "mark":
            check.equal(f"mark {s['control']}", node.get_attribute("aria-checked"),
                        str(s["on"]).lower())
        elif s["op"] == "text":
            got = node.get_attribute("value") if node.tag_name == "input" else node.text
            check.equal(f"reset {s['control']}", got, s["text"])


def check_phone(page, check, screenshot):
    page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
        "width": 360, "height": 640, "deviceScaleFactor": 1, "mobile": True})
    page.open()
    check.equal("360x640: no horizontal scrolling",
                page.js("return document.documentElement.scrollWidth <= innerWidth"), True)
    small = page.js("""return [...document.querySelectorAll('input, button, [role=menuitem]')]
        .filter(e => e.offsetParent !== null)
        .filter(e => { const r = e.getBoundingClientRect(); return r.width < 44 || r.height < 44; })
        .map(e => e.id);""")
    check.equal("360x640: targets of 44 px", small, [])
    if screenshot:
        page.js("document.getElementById('Text2_0').value = '550';"
                "document.getElementById('Command2').click();")
        time.sleep(0.2)
        page.driver.save_screenshot(str(screenshot))
    page.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def check_offline(page, form, keymap, check, oracle_path):
    """After the service worker took the page: the server gone, reload and compute."""
    page.js("return navigator.serviceWorker.ready")
    WebDriverWait(page.driver, 20).until(
        lambda d: d.execute_script("return !!navigator.serviceWorker.controller"))
    page.stop_server()
    page.driver.execute_cdp_cmd("Network.enable", {})
    page.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
        "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
    page.driver.refresh()
    page.wait_ready()
    run_case(page, form, keymap, check, "Command2",
             "Termopara K", ["550"], "click", oracle_path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("oracle")
    parser.add_argument("--screenshots", type=Path)
    args = parser.parse_args()
    form = oracle(args.oracle, "describe")
    keymap = oracle(args.oracle, "keys")
    check = Check()
    with tempfile.TemporaryDirectory() as profile:
        page = Page(args.site, profile)
        try:
            page.open()
            check.equal("title", page.driver.title, form["caption"])
            check_names(page, form, check)
            for button, cases in CASES.items():
                for caption, typed, press in cases:
                    run_case(page, form, keymap, check, button, caption, typed, press, args.oracle)
            check_menu_reset(page, form, check, args.oracle)
            if args.screenshots:
                page.driver.set_window_size(900, 560)
                page.open()
                page.js("""for (const [k, v] of Object.entries(arguments[0]))
                             document.getElementById(k).value = v;
                           for (const b of ['Command1', 'Command2', 'Command3'])
                             document.getElementById(b).click();""",
                        {"Text1_0": "550", "Text2_0": "550", "Text3_0": "21,938", "Text3_1": "21"})
                time.sleep(0.3)
                page.driver.save_screenshot(str(args.screenshots / "web-desktop.png"))
            check_phone(page, check, args.screenshots and args.screenshots / "web-phone.png")
            check_offline(page, form, keymap, check, args.oracle)
        finally:
            page.close()
    print(f"{check.count} checks, {check.failures} failed")
    return 1 if check.failures else 0


if __name__ == "__main__":
    sys.exit(main())
