#!/usr/bin/python3
"""kalvetra against a plain numpy implementation of NIST's type K functions.

    PYTHONPATH=build/release/python bench/python/porownanie.py [--n 1000000] [--repeat 7]

Per value: wall time (perf_counter) and CPU time of the whole process
(process_time, both threads included), median of the repeats, for
emf (cold at the ice point) and temperature with a cold junction per row.
Then the peak resident memory of one temperature() call on float64
contiguous columns, in a fresh process, against inputs + output.
"""
import argparse
import pathlib
import re
import resource
import subprocess
import sys
import time

import numpy as np

import kalvetra as kv

ALLCOEFF = pathlib.Path(__file__).resolve().parents[2] / ".." / "shared" / "its90" / "allcoeff.tab"


def coefficients_k(path):
    """Type K's reference and inverse sets from NIST's allcoeff.tab, mV and °C."""
    text = path.read_text(encoding="latin-1")
    ref = text[text.index("type: K"):]
    ref = ref[:ref.index("exponential:") + 200]
    sets = [[float(x) for x in block.split()]
            for block in re.findall(r"range: [^\n]*\n((?:\s+-?\d\.\d+E[+-]\d+\n)+)", ref)]
    a = [float(x) for x in re.findall(r"a\d =\s+(\S+)", ref)]
    inv = text[text.index("Inverse coefficients for type K:"):]
    inv = inv[:inv.index("Error")]
    rows = [line.split() for line in inv.splitlines()
            if re.fullmatch(r"(\s+-?\d\.\d+E[+-]\d+){3}\s*", line)]
    columns = [[float(r[i]) for r in rows] for i in range(3)]
    return sets[0], sets[1], a, columns


REF1, REF2, (A0, A1, A2), INV = coefficients_k(ALLCOEFF)
INV_BOUNDS = (-5.891, 0.0, 20.644, 54.886)  # mV


def poly(c, x):
    return np.polyval(c[::-1], x)


def emf_numpy(t):
    """E(t) in mV of type K, NaN outside -270..1372 °C."""
    out = np.full(t.shape, np.nan)
    low = (t >= -270.0) & (t < 0.0)
    high = (t >= 0.0) & (t <= 1372.0)
    out[low] = poly(REF1, t[low])
    x = t[high]
    out[high] = poly(REF2, x) + A0 * np.exp(A1 * (x - A2) ** 2)
    return out


def temperature_numpy(e, cold):
    """NIST's inverse of e + E(cold), °C; NaN outside the inverse's domain."""
    u = e + emf_numpy(cold)
    out = np.full(u.shape, np.nan)
    for k in range(3):
        m = (u >= INV_BOUNDS[k] if k == 0 else u > INV_BOUNDS[k]) & (u <= INV_BOUNDS[k + 1])
        out[m] = poly(INV[k], u[m])
    return out


def timed(f, repeat, n):
    walls, cpus = [], []
    for _ in range(repeat):
        w, c = time.perf_counter(), time.process_time()
        f()
        walls.append(time.perf_counter() - w)
        cpus.append(time.process_time() - c)
    return np.median(walls) / n * 1e9, np.median(cpus) / n * 1e9


def rss_kib():
    with open("/proc/self/statm") as f:
        return int(f.read().split()[1]) * resource.getpagesize() // 1024


def memory(n):
    base = rss_kib()
    rng = np.random.default_rng(3)
    e = rng.uniform(-5.0, 50.0, n)
    cold = rng.uniform(15.0, 35.0, n)
    out = kv.temperature("K", e, cold=cold)
    peak = resource.getrusage(resource.RUSAGE_SELF).ru_maxrss
    data = (e.nbytes + cold.nbytes + out.nbytes) // 1024
    print(f"memory, n = {n}: inputs + output {data / 1024:.1f} MiB, "
          f"peak RSS above the start {(peak - base) / 1024:.1f} MiB "
          f"= {(peak - base) / data:.3f} x inputs + output")


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--n", type=int, default=1_000_000)
    p.add_argument("--repeat", type=int, default=7)
    p.add_argument("--memory", type=int, default=0, help=argparse.SUPPRESS)
    a = p.parse_args()
    if a.memory:
        memory(a.memory)
        return
    n = a.n
    rng = np.random.default_rng(1)
    t = rng.uniform(-200.0, 1300.0, n)
    e = rng.uniform(-5.0, 50.0, n)
    # A logger's cold-junction column: 0.01 °C steps drifting slowly, and the
    # worst case of a different value on every row.
    cold_log = np.round(22.0 + np.cumsum(rng.normal(0.0, 0.002, n)), 2)
    cold_any = rng.uniform(15.0, 35.0, n)

    # Same numbers as numpy's up to the last bits of the polynomial evaluation.
    for ours, theirs in ((kv.emf("K", t), emf_numpy(t)),
                         (kv.temperature("K", e, cold=cold_any), temperature_numpy(e, cold_any))):
        assert np.allclose(ours, theirs, rtol=1e-12, atol=1e-9), "kalvetra and numpy disagree"

    cases = [
        ("emf, ice point", lambda: kv.emf("K", t), lambda: emf_numpy(t)),
        ("temperature, logger cold column", lambda: kv.temperature("K", e, cold=cold_log),
         lambda: temperature_numpy(e, cold_log)),
        ("temperature, every row's cold different", lambda: kv.temperature("K", e, cold=cold_any),
         lambda: temperature_numpy(e, cold_any)),
    ]
    print(f"n = {n}, median of {a.repeat}; ns per value, wall / CPU")
    print("| case | kalvetra wall | kalvetra CPU | numpy wall | numpy CPU | CPU ratio |")
    print("|---|---:|---:|---:|---:|---:|")
    for name, ours, theirs in cases:
        kw, kc = timed(ours, a.repeat, n)
        nw, nc = timed(theirs, a.repeat, n)
        print(f"| {name} | {kw:.2f} | {kc:.2f} | {nw:.2f} | {nc:.2f} | {nc / kc:.1f} x |")
    subprocess.run([sys.executable, __file__, "--memory", str(10 * n)], check=True)


if __name__ == "__main__":
    main()
