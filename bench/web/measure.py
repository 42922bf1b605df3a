#!/usr/bin/python3
"""The web page's size and speed in headless Chromium.

    bench/web/measure.py [SITE] [--runs N]

Bytes: every file of SITE (what the service worker caches, the most the page
ever loads) and what the first visit fetched. Start: navigation start to the
moment the page can first compute (the mark "kalvetra-ready", set once the
start-up selection is shown), on the first visit (nothing cached) and on
later ones (served by the service worker). Click: a click on "Wylicz" of
"Temperatura --- > EMF" to its result in the box, measured inside the page.
"""
import argparse
import statistics
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "tests" / "web"))
from test_page import Page  # noqa: E402

CLICKS = """
const done = arguments[arguments.length - 1];
const box = document.getElementById('Text2_0'), out = document.getElementById('Text2_2');
const button = document.getElementById('Command2');
const times = [];
(async () => {
  for (let i = 0; i < arguments[0]; ++i) {
    box.value = (-200 + (i * 7.3) % 1400).toFixed(1).replace('.', ',');
    out.value = '';
    const t0 = performance.now();
    button.click();
    while (out.value === '') await Promise.resolve();
    times.push(performance.now() - t0);
  }
  done(times);
})();
"""


def ready(page):
    return page.js("return performance.getEntriesByName('kalvetra-ready')[0].startTime")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site", nargs="?", default="build/web")
    parser.add_argument("--runs", type=int, default=20)
    args = parser.parse_args()
    files = {p.name: p.stat().st_size for p in Path(args.site).iterdir() if p.is_file()}
    print(f"files: {sum(files.values())} bytes in {len(files)} files")
    for name, size in sorted(files.items(), key=lambda f: -f[1]):
        print(f"  {size:8d} {name}")
    starts, later, clicks = [], [], []
    for _ in range(args.runs):
        with tempfile.TemporaryDirectory() as profile:
            page = Page(args.site, profile)
            try:
                page.open()
                starts.append(ready(page))
                fetched = page.js("""return performance.getEntriesByType('navigation')
                    .concat(performance.getEntriesByType('resource'))
                    .reduce((n, e) => n + e.decodedBodySize, 0)""")
                page.js("return navigator.serviceWorker.ready")
                page.driver.refresh()
                page.wait_ready()
                later.append(ready(page))
                page.driver.set_script_timeout(60)
                clicks += page.driver.execute_async_script(CLICKS, 200)
            finally:
                page.driver.quit()
                page.stop_server()
    print(f"first visit fetched: {fetched} bytes (uncompressed)")
    for name, values in (("start, first visit", starts), ("start, later visit", later),
                         ("click to result", clicks)):
        print(f"{name}: median {statistics.median(values):.2f} ms, max {max(values):.2f} ms"
              f" ({len(values)} samples)")


if __name__ == "__main__":
    main()
