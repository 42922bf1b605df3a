#!/usr/bin/python3
"""Remakes docs/web-desktop.png and docs/web-phone.png from the built page.

    web/screenshot.py [SITE] [DOCS]
"""
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests" / "web"))
from test_page import Page  # noqa: E402

FILL = """for (const [k, v] of Object.entries(arguments[0])) document.getElementById(k).value = v;
          for (const b of arguments[1]) document.getElementById(b).click();"""


def main():
    site = sys.argv[1] if len(sys.argv) > 1 else "build/web"
    docs = Path(sys.argv[2] if len(sys.argv) > 2 else "docs")
    with tempfile.TemporaryDirectory() as profile:
        page = Page(site, profile)
        try:
            page.driver.set_window_size(900, 560)
            page.open()
            page.js(FILL, {"Text1_0": "550", "Text2_0": "550", "Text3_0": "21,938",
                           "Text3_1": "21"}, ["Command1", "Command2", "Command3"])
            page.driver.save_screenshot(str(docs / "web-desktop.png"))
            page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": 360, "height": 640, "deviceScaleFactor": 1, "mobile": True})
            page.open()
            page.js(FILL, {"Text2_0": "550"}, ["Command2"])
            page.js("document.getElementById('Frame3').scrollIntoView()")
            page.driver.save_screenshot(str(docs / "web-phone.png"))
        finally:
            page.driver.quit()
            page.stop_server()


if __name__ == "__main__":
    main()
